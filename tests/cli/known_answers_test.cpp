// The known answers of calvenna-cli: every subcommand with its expected
// output, kept in tests/cli/known-answers/*.txt. The same file serves every
// platform: CALVENNA_CLI names another executable (a cross-built one) and
// CALVENNA_CLI_WRAPPER the program that runs it ("qemu-aarch64 -L
// /usr/aarch64-linux-gnu", "wine64"); scripts/known-answers sets both.
//
// The format, one step per line:
//   $ ARGS      runs calvenna-cli with ARGS (split at blanks; 'quoted words'
//               may hold blanks, '' is an empty word)
//   TEXT        the next line of stdout
//   ~ REGEX     the next line of stdout matches REGEX (dates and times)
//   ! TEXT      the next line of stderr
//   = STATUS    the exit status (0 when not given)
//   @ FILE      the lines after it are FILE's content, up to the next $ or @
//   # ...       a comment; blank lines are ignored between steps
// Line ends are compared without their CR, so a Windows build's CR LF
// output passes too.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TExpectedFile {
  std::string name;
  std::vector<std::string> lines;
};

struct TStep {
  int line = 0;  // in the answers file
  std::string command;
  std::vector<std::string> args;
  std::vector<std::string> out;  // "~ " entries are patterns
  std::vector<std::string> err;
  int status = 0;
  std::vector<TExpectedFile> files;
};

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (char c : text) {
    if (quoted) {
      if (c == '\'') quoted = false;
      else word += c;
    } else if (c == '\'') {
      quoted = inWord = true;
    } else if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<TStep> ReadAnswers(const fs::path& file) {
  std::vector<TStep> steps;
  int number = 0;
  for (const std::string& line : LinesOf(Slurp(file))) {
    ++number;
    if (line.rfind("$ ", 0) == 0) {
      TStep step;
      step.line = number;
      step.command = line.substr(2);
      step.args = Words(step.command);
      steps.push_back(step);
      continue;
    }
    if (steps.empty()) {
      if (!line.empty() && line[0] != '#') ADD_FAILURE() << file << ":" << number << ": text before the first $";
      continue;
    }
    TStep& step = steps.back();
    if (!step.files.empty()) {
      if (line.rfind("@ ", 0) == 0) step.files.push_back({line.substr(2), {}});
      else step.files.back().lines.push_back(line);
    } else if (line.empty() || line[0] == '#') {
      continue;
    } else if (line.rfind("! ", 0) == 0 || line == "!") {
      step.err.push_back(line.size() > 2 ? line.substr(2) : "");
    } else if (line.rfind("= ", 0) == 0) {
      step.status = std::stoi(line.substr(2));
    } else if (line.rfind("@ ", 0) == 0) {
      step.files.push_back({line.substr(2), {}});
    } else {
      step.out.push_back(line == "." ? "" : line);
    }
  }
  return steps;
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string FromEnvironment(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::string(v) : fallback;
}

void Compare(const std::vector<std::string>& expected, const std::vector<std::string>& actual, const std::string& what,
             const TStep& step, const fs::path& file) {
  bool same = expected.size() == actual.size();
  for (std::size_t i = 0; same && i < expected.size(); ++i) {
    if (expected[i].rfind("~ ", 0) == 0) same = std::regex_match(actual[i], std::regex(expected[i].substr(2)));
    else same = expected[i] == actual[i];
  }
  if (same) return;
  std::string a, e;
  for (const std::string& l : expected) e += "  " + l + "\n";
  for (const std::string& l : actual) a += "  " + l + "\n";
  ADD_FAILURE() << file.filename().string() << ":" << step.line << ": $ " << step.command << "\n" << what
                << " expected:\n" << e << "but was:\n" << a;
}

// The answers beside this file. The build may name the file relative to
// its own directory, an ancestor of the executable under test.
fs::path AnswersBesideThisFile() {
  const fs::path self = fs::path(__FILE__).parent_path() / "known-answers";
  if (self.is_absolute()) return self;
  for (fs::path p = fs::absolute(CALVENNA_CLI).parent_path(); !p.empty(); p = p.parent_path()) {
    if (fs::is_directory(p / self)) return fs::weakly_canonical(p / self);
    if (p == p.parent_path()) break;
  }
  return self;
}

TEST(KnownAnswers, EverySubcommand) {
  const fs::path answers = FromEnvironment("CALVENNA_KNOWN_ANSWERS", AnswersBesideThisFile().string());
  const std::string cli = FromEnvironment("CALVENNA_CLI", CALVENNA_CLI);
  const std::string wrapper = FromEnvironment("CALVENNA_CLI_WRAPPER", "");
  const fs::path dir = fs::temp_directory_path() / ("calvenna-known-" + std::to_string(::getpid()));

  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(answers))
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty()) << "no answers in " << answers;

  int steps = 0;
  for (const fs::path& file : files) {
    for (const TStep& step : ReadAnswers(file)) {
      ++steps;
      fs::remove_all(dir);
      fs::create_directories(dir);
      std::string cmd = "cd " + Quote(dir.string()) + " && " + wrapper + (wrapper.empty() ? "" : " ") + Quote(cli);
      for (const std::string& a : step.args) cmd += " " + Quote(a);
      cmd += " >stdout.txt 2>stderr.txt </dev/null";
      const int raw = std::system(cmd.c_str());
      const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
      const std::string where = file.filename().string() + ":" + std::to_string(step.line) + ": $ " + step.command;
      EXPECT_EQ(status, step.status) << where;
      Compare(step.out, LinesOf(Slurp(dir / "stdout.txt")), "stdout", step, file);
      Compare(step.err, LinesOf(Slurp(dir / "stderr.txt")), "stderr", step, file);
      for (const TExpectedFile& f : step.files) {
        EXPECT_TRUE(fs::exists(dir / f.name)) << where << ": no file " << f.name;
        std::vector<std::string> expected = f.lines;
        while (!expected.empty() && expected.back().empty()) expected.pop_back();  // the blank line before the next $
        Compare(expected, LinesOf(Slurp(dir / f.name)), "file " + f.name, step, file);
      }
    }
  }
  fs::remove_all(dir);
  EXPECT_GT(steps, 0);
}

}  // namespace

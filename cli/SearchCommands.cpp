// The 64-bit subcommands: search (every prime of an interval, with the
// research summary and result files) and divisors (the divisor tree and
// its list file).
#include <chrono>
#include <ctime>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "tools/DateTimeText.h"
#include "tools/DivisorList.h"
#include "tools/Divisors.h"
#include "tools/Search.h"
#include "tools/SearchFiles.h"

namespace {

struct TArgs {
  std::vector<std::string> positional;
  bool primes = false;
  bool haveSave = false;
  std::string save;
};

// Positional words, "--save NAME" / "--save=NAME", and --primes where the
// command takes it. A word such as -7 is a number, not an option.
TArgs ReadArgs(const std::vector<std::string>& args, bool takesPrimes) {
  TArgs r;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--save") {
      if (i + 1 >= args.size()) throw EUsageError("--save needs a file name");
      r.save = args[++i];
      r.haveSave = true;
    } else if (a.rfind("--save=", 0) == 0) {
      r.save = a.substr(7);
      r.haveSave = true;
    } else if (takesPrimes && a == "--primes") {
      r.primes = true;
    } else if (a.size() > 1 && a[0] == '-' && !(a[1] >= '0' && a[1] <= '9')) {
      throw EUsageError("Unknown option " + a);
    } else {
      r.positional.push_back(a);
    }
  }
  if (r.haveSave && r.save.empty()) throw EUsageError("--save needs a file name");
  return r;
}

void NeedPositional(const TArgs& a, std::size_t count) {
  if (a.positional.size() < count) throw EUsageError("Missing argument");
  if (a.positional.size() > count) throw EUsageError("Too many arguments");
}

// The summary's clock: the local date and time of day. std::localtime is
// the one call every C++ library has (localtime_r is POSIX's alone); its
// shared result is copied out under a lock, as the clock may be read from
// the search thread.
std::tm LocalNow() {
  static std::mutex lock;
  const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  const std::lock_guard<std::mutex> hold(lock);
  const std::tm* local = std::localtime(&t);
  return local ? *local : std::tm{};
}

TSearchClock LocalClock() {
  TSearchClock clock;
  const std::tm today = LocalNow();
  clock.date = ShortDateText(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday);
  clock.timeText = [](double seconds) { return LongTimeText(static_cast<long>(seconds)); };
  clock.now = [] {
    const std::tm tm = LocalNow();
    return static_cast<double>(tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec);
  };
  return clock;
}

int Search(const std::vector<std::string>& args, TCliIo& io) {
  const TArgs a = ReadArgs(args, true);
  NeedPositional(a, 2);
  TSearchRequest request;
  request.lowText = a.positional[0];
  request.highText = a.positional[1];
  request.countTwins = true;
  request.clock = LocalClock();
  TSearchState state;
  const TSearchOutcome out = RunSearch(request, state);
  if (!out.error.empty()) throw EBadInput(out.error);
  for (const std::string& message : out.messages) io.err << message << '\n';
  if (a.primes) {
    for (const auto& part : state.parts)
      for (std::int64_t p : part) io.out << p << '\n';
  } else {
    for (const std::string& line : out.summary) io.out << line << '\n';
  }
  if (a.haveSave) {
    TSearchSaveChecks all;
    all.fill(true);
    const TSearchSaveOutcome saved = SaveSearchFiles(a.save, out.summary, state, all, false);
    if (!saved.error.empty()) throw EBadInput(saved.error);
  }
  return kExitOk;
}

int DivisorsCommand(const std::vector<std::string>& args, TCliIo& io) {
  const TArgs a = ReadArgs(args, false);
  NeedPositional(a, 1);
  const TDivisorOutcome out = FindDivisors(a.positional[0]);
  if (!out.error.empty()) throw EBadInput(out.error);
  for (const std::string& line : DivisorListLines(out.tree)) io.out << line << '\n';
  io.out << out.resultLine << '\n';
  if (a.haveSave) {
    const TDivisorSaveOutcome saved = SaveDivisorList(a.save, out.tree, false);
    if (!saved.error.empty()) throw EBadInput(saved.error);
  }
  return kExitOk;
}

const TCliCommand kCommands[] = {
    {"search", "LOW HIGH [--primes] [--save NAME]",
     "Every prime from LOW to HIGH (HIGH <= 10^18, at most 160000 primes): the research summary with the twin count, "
     "or with --primes the primes one per line; NAME + \" [Summary].txt\" and \" [Part k].txt\" receive the result "
     "files.",
     Search},
    {"divisors", "N [--save FILE]",
     "The divisors of N (up to 10^18) other than 1 and N, as the divisor list (TAB before a cofactor), then the "
     "result line; FILE receives the list.",
     DivisorsCommand},
};

}  // namespace

std::span<const TCliCommand> SearchCommands() { return kCommands; }

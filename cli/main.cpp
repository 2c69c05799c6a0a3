// calvenna-cli: the number engines from the command line.
//
//   calvenna-cli --help
//   calvenna-cli --version
//   calvenna-cli COMMAND [ARGS ...]
//
// Exit status: 0 on success, 1 on a usage error, 2 on bad input. Errors go
// to stderr with the program's own message texts.
#include <exception>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "CalvennaVersion.h"
#include "cli/Command.h"
#include "cli/LongRun.h"
#include "numbers/bigint/BigInt.h"
#include "tools/ErrorText.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

// A new group of subcommands is one more entry here.
using TGroup = std::span<const TCliCommand> (*)();
constexpr TGroup kGroups[] = {
    NumberCommands,
    SearchCommands,
    ToolCommands,
    ProveCommands,
};

constexpr const char* kProgram = "calvenna-cli";
#ifdef CALVENNA_VERSION
constexpr const char* kVersion = CALVENNA_VERSION;
#else
constexpr const char* kVersion = "(version unknown)";
#endif

const TCliCommand* Find(const std::string& name) {
  for (TGroup group : kGroups)
    for (const TCliCommand& c : group())
      if (name == c.name) return &c;
  return nullptr;
}

void PrintHelp(std::ostream& out) {
  out << "Usage: " << kProgram << " COMMAND [ARGS ...]\n"
      << "       " << kProgram << " COMMAND --help\n"
      << "       " << kProgram << " --version\n\n"
      << "Commands:\n";
  for (TGroup group : kGroups)
    for (const TCliCommand& c : group()) {
      std::string line = std::string("  ") + c.name + " " + c.usage;
      out << line << "\n      " << c.summary << "\n";
    }
  out << "\nExit status: 0 on success, 1 on a usage error, 2 on bad input.\n";
}

int Fail(std::ostream& err, int status, const std::string& message) {
  err << kProgram << ": " << WithFullStop(message) << "\n";
  return status;
}

// The words after the program's name, in UTF-8 as every file name and text
// is read. Windows hands argv over in the ANSI code page, where a name
// outside it turns into question marks; its wide command line holds them.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide) {
    std::vector<std::string> words;
    for (int i = 1; i < count; ++i) {
      const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
      std::string word(n > 0 ? static_cast<std::size_t>(n) : 1, '\0');
      WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, word.data(), n, nullptr, nullptr);
      word.resize(word.size() - 1);  // the terminating zero
      words.push_back(std::move(word));
    }
    LocalFree(wide);
    return words;
  }
#endif
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words = Arguments(argc, argv);
  InstallInterruptHandler();
  TCliIo io{std::cout, std::cerr};
  if (words.empty()) {
    PrintHelp(std::cerr);
    return kExitUsage;
  }
  const std::string& name = words[0];
  if (name == "--version") {
    std::cout << kProgram << " " << kVersion << "\n";
    return kExitOk;
  }
  if (name == "--help" || name == "-h" || name == "help") {
    PrintHelp(std::cout);
    return kExitOk;
  }
  if (name == "--version") {
    std::cout << kProgram << " " << CALVENNA_VERSION << "\n";
    return kExitOk;
  }
  const TCliCommand* command = Find(name);
  if (!command) return Fail(std::cerr, kExitUsage, "Unknown command '" + name + "' (try --help)");
  std::vector<std::string> args(words.begin() + 1, words.end());
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") {
      std::cout << "Usage: " << kProgram << " " << command->name << " " << command->usage << "\n"
                << command->summary << "\n";
      return kExitOk;
    }
  try {
    const int status = command->run(args, io);
    std::cout.flush();
    return status;
  } catch (const EUsageError& e) {
    std::cout.flush();
    Fail(std::cerr, kExitUsage, e.what());
    std::cerr << "Usage: " << kProgram << " " << command->name << " " << command->usage << "\n";
    return kExitUsage;
  } catch (const EConvertError& e) {
    std::cout.flush();
    return Fail(std::cerr, kExitBadInput, e.what());
  } catch (const EBadInput& e) {
    std::cout.flush();
    return Fail(std::cerr, kExitBadInput, e.what());
  } catch (const std::exception& e) {
    std::cout.flush();
    return Fail(std::cerr, kExitBadInput, e.what());
  }
}

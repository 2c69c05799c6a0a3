// calvenna-cli: the number engines from the command line.
//
//   calvenna-cli --help
//   calvenna-cli COMMAND [ARGS ...]
//
// Exit status: 0 on success, 1 on a usage error, 2 on bad input. Errors go
// to stderr with the program's own message texts.
#include <exception>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "numbers/BigInt.h"

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

const TCliCommand* Find(const std::string& name) {
  for (TGroup group : kGroups)
    for (const TCliCommand& c : group())
      if (name == c.name) return &c;
  return nullptr;
}

void PrintHelp(std::ostream& out) {
  out << "Usage: " << kProgram << " COMMAND [ARGS ...]\n"
      << "       " << kProgram << " COMMAND --help\n\n"
      << "Commands:\n";
  for (TGroup group : kGroups)
    for (const TCliCommand& c : group()) {
      std::string line = std::string("  ") + c.name + " " + c.usage;
      out << line << "\n      " << c.summary << "\n";
    }
  out << "\nExit status: 0 on success, 1 on a usage error, 2 on bad input.\n";
}

// The error report's rule: a full stop is added unless the text already ends
// with one or with a character that sorts before it.
std::string WithFullStop(std::string text) {
  if (text.empty() || static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

int Fail(std::ostream& err, int status, const std::string& message) {
  err << kProgram << ": " << WithFullStop(message) << "\n";
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  TCliIo io{std::cout, std::cerr};
  if (words.empty()) {
    PrintHelp(std::cerr);
    return kExitUsage;
  }
  const std::string& name = words[0];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintHelp(std::cout);
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

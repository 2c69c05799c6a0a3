// The subcommands of calvenna-cli. Each group of subcommands lives in a file
// of its own and offers its table through one function, which main.cpp
// lists in its table of groups.
#pragma once

#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

struct TCliIo {
  std::ostream& out;
  std::ostream& err;
};

struct TCliCommand {
  const char* name;
  const char* usage;    // the arguments, e.g. "N [N ...]"
  const char* summary;  // one line for --help
  // args: the words after the subcommand's name. Returns the exit status;
  // throws EUsageError (status 1) or EBadInput / EConvertError (status 2).
  int (*run)(const std::vector<std::string>& args, TCliIo& io);
};

// Wrong number of arguments, an unknown option or operation: exit status 1.
class EUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// An argument that names no valid value (other than a conversion error,
// which is EConvertError), or a file that cannot be written: exit status 2.
class EBadInput : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitBadInput = 2;

// The groups.
std::span<const TCliCommand> NumberCommands();
std::span<const TCliCommand> SearchCommands();
std::span<const TCliCommand> ToolCommands();
std::span<const TCliCommand> ProveCommands();

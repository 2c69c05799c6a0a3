// The Splitter and Super Modulo subcommands: split, modulo.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/LongRun.h"
#include "numbers/bigint/BigInt.h"
#include "numbers/text/NumberText.h"
#include "tools/Modulo.h"
#include "tools/Splitter.h"

namespace {

TSplitterMethod MethodOfName(const std::string& name) {
  if (name == "factor") return TSplitterMethod::Factorization;
  if (name == "sample") return TSplitterMethod::SampleDivisor;
  if (name == "next") return TSplitterMethod::NextPrime;
  throw EUsageError("Unknown method '" + name + "' (factor, sample or next)");
}

// split N [--method factor|sample|next]: the table's rows as
// "status<TAB>number", then the math expression line.
int Split(const std::vector<std::string>& given, TCliIo& io) {
  std::vector<std::string> args = given;
  const bool noLimit = TakeNoLimit(args);
  std::string number;
  TSplitterMethod method = TSplitterMethod::Factorization;
  bool haveNumber = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--method") {
      if (++i == args.size()) throw EUsageError("--method needs a value");
      method = MethodOfName(args[i]);
    } else if (!haveNumber) {
      number = args[i];
      haveNumber = true;
    } else {
      throw EUsageError("Too many arguments");
    }
  }
  if (!haveNumber) throw EUsageError("Missing argument");
  // The window's entry field is as long as the method allows.
  const std::size_t limit = static_cast<std::size_t>(SplitterMethodSettings(method).maxLength);
  if (!noLimit) CheckLength("The number", number, limit);
  std::string canonical;
  if (!SplitterEntry(number, canonical))
    throw EBadInput("The number must be of magnitude above 1, not " + number);
  TSplitterResult result;
  RunWork(noLimit && number.size() > limit, io.err,
          [&](TProgress& progress) { result = Analyse(method, number, /*mathExpression=*/true, &progress); });
  for (const TSplitterRow& row : result.rows) io.out << row.status << '\t' << row.number << '\n';
  io.out << result.math << '\n';
  return kExitOk;
}

// modulo EXPRESSION FACTOR [--next N]: one residue per factor.
int Modulo(const std::vector<std::string>& args, TCliIo& io) {
  std::vector<std::string> plain;
  int further = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--next") {
      if (++i == args.size()) throw EUsageError("--next needs a value");
      const std::optional<std::int64_t> n = ReadInt64Text(args[i]);
      if (!n || *n < 0 || *n > 1000) throw EUsageError("--next takes a count from 0 to 1000");
      further = static_cast<int>(*n);
    } else {
      plain.push_back(args[i]);
    }
  }
  if (plain.size() < 2) throw EUsageError("Missing argument");
  if (plain.size() > 2) throw EUsageError("Too many arguments");
  const TModuloRun run = RunModulo(plain[0], plain[1], further);
  for (const std::string& line : run.lines) io.out << line << '\n';
  if (!run.error.empty()) throw EConvertError(run.error);
  if (!run.message.empty()) throw EBadInput(run.message);
  if (!run.computed) throw EBadInput("The factor must be above 0, not " + plain[1]);
  return kExitOk;
}

constexpr TCliCommand kCommands[] = {
    {"split", "N [--method factor|sample|next] [--no-limit]",
     "The Splitter: rows as status<TAB>number, then the math expression (N of up to 40 characters, 50 for sample; "
     "--no-limit takes longer ones)",
     Split},
    {"modulo", "EXPRESSION FACTOR [--next N]",
     "The Super Modulo: the expression's residue modulo FACTOR and the N factors after it", Modulo},
};

}  // namespace

std::span<const TCliCommand> ToolCommands() { return kCommands; }

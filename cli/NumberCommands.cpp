// The number subcommands: isprime, nextprime, lucas, calc, convert.
#include <cctype>
#include <cstdint>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CertificateFile.h"
#include "cli/Command.h"
#include "cli/LongRun.h"
#include "numbers/bigint/BigInt.h"
#include "numbers/mersenne/LucasLehmer.h"
#include "numbers/primality/Primality.h"
#include "tools/Calculator.h"
#include "tools/Convertor.h"
#include "tools/Testers.h"

namespace {

void NeedArgs(const std::vector<std::string>& args, std::size_t least, std::size_t most) {
  if (args.size() < least) throw EUsageError("Missing argument");
  if (args.size() > most) throw EUsageError("Too many arguments");
}

// The tester's field takes 200 characters; its next prime starts from there.
constexpr std::size_t kTesterLength = 200;

int IsPrime(const std::vector<std::string>& given, TCliIo& io) {
  std::vector<std::string> args = given;
  const bool noLimit = TakeNoLimit(args);
  NeedArgs(args, 1, static_cast<std::size_t>(-1));
  for (const std::string& text : args) {
    // The tester's own answer to an empty field; without it an empty text
    // would read as 0 and be called composite.
    if (text.empty()) throw EBadInput("Please type a valid number.");
    if (!noLimit) CheckLength("The number", text, kTesterLength);
  }
  for (const std::string& text : args) {
    TBigInt n;
    DecimalToBigInt(text, n);
    bool prime = false;
    RunWork(noLimit && text.size() > kTesterLength, io.err, [&](TProgress&) { prime = IsPrimeNumber(n); });
    io.out << text << ' ' << (prime ? "prime" : "composite") << std::endl;
  }
  return kExitOk;
}

int NextPrime(const std::vector<std::string>& given, TCliIo& io) {
  std::vector<std::string> args = given;
  const bool noLimit = TakeNoLimit(args);
  NeedArgs(args, 1, 1);
  if (!noLimit) CheckLength("The number", args[0], kTesterLength);
  TBigInt n;
  DecimalToBigInt(args[0], n);
  std::int64_t small = 0;
  if (n.IsNegative() || (BigIntToInt64(n, small) && small < 2))
    throw EBadInput("The number must be at least 2, not " + args[0]);
  RunWork(noLimit && args[0].size() > kTesterLength, io.err, [&](TProgress&) { NextPrimeBigInt(n); });
  io.out << BigIntToDecimal(n) << '\n';
  return kExitOk;
}

int Lucas(const std::vector<std::string>& args, TCliIo& io) {
  std::string exponent, certificate;
  bool haveExponent = false, haveCertificate = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--certificate") {
      if (i + 1 >= args.size()) throw EUsageError("--certificate needs a file name");
      certificate = args[++i];
      haveCertificate = true;
    } else if (a.rfind("--certificate=", 0) == 0) {
      certificate = a.substr(14);
      haveCertificate = true;
    } else if (a.size() > 1 && a[0] == '-' && !std::isdigit(static_cast<unsigned char>(a[1]))) {
      throw EUsageError("Unknown option " + a);
    } else if (!haveExponent) {
      exponent = a;
      haveExponent = true;
    } else {
      throw EUsageError("Too many arguments");
    }
  }
  if (!haveExponent) throw EUsageError("Missing argument");
  if (haveCertificate && certificate.empty()) throw EUsageError("--certificate needs a file name");
  const std::int32_t p = ReadExponentText(exponent);
  if (p > kMaxMersenneExponent)
    throw EBadInput("The power p may not exceed " + std::to_string(kMaxMersenneExponent));
  bool prime;
  if (haveCertificate) {
    TCertificateFile file(certificate);
    prime = file.Run(p);
    file.Commit();
  } else {
    prime = LucasLehmerTest(p);
  }
  io.out << exponent << ' ' << (prime ? "prime" : "composite") << '\n';
  return kExitOk;
}

int Calc(const std::vector<std::string>& args, TCliIo& io) {
  NeedArgs(args, 3, 3);
  const std::string& op = args[0];
  TCalcOperation operation;
  if (op == "gcf") operation = TCalcOperation::Gcf;
  else if (op == "add") operation = TCalcOperation::Add;
  else if (op == "sub") operation = TCalcOperation::Subtract;
  else if (op == "mul") operation = TCalcOperation::Multiply;
  else throw EUsageError("Unknown operation '" + op + "' (gcf, add, sub or mul)");
  io.out << Calculate(operation, args[1], args[2]) << '\n';
  return kExitOk;
}

int ConvertCommand(const std::vector<std::string>& given, TCliIo& io) {
  std::vector<std::string> args = given;
  const bool noLimit = TakeNoLimit(args);
  NeedArgs(args, 2, 2);
  const std::string& from = args[0];
  TConvertRow row;
  if (from == "integer") row = TConvertRow::Integer;
  else if (from == "mersenne") row = TConvertRow::Mersenne;
  else if (from == "fermat") row = TConvertRow::Fermat;
  else throw EUsageError("Unknown row '" + from + "' (integer, mersenne or fermat)");
  const std::string& text = args[1];
  const bool beyond = Utf8Length(text) > ConvertLimit(row);
  if (!noLimit) CheckLength(text, ConvertLimit(row), ConvertLimitMessage(row));
  TConvertResult r;
  RunWork(beyond, io.err, [&](TProgress& progress) {
    r = Convert(row, text, TConvertBoxes{true, true, true}, &progress, /*bounded=*/!beyond);
  });
  if (!r.message.empty()) throw EBadInput(r.message);
  // The source row shows the text as given.
  if (row == TConvertRow::Integer) r.integer = text;
  if (row == TConvertRow::Mersenne) r.mersenne = text;
  if (row == TConvertRow::Fermat) r.fermat = text;
  io.out << "Integer: " << r.integer << '\n' << "Mersenne: " << r.mersenne << '\n' << "Fermat: " << r.fermat << '\n';
  return kExitOk;
}

const TCliCommand kCommands[] = {
    {"isprime", "N [N ...] [--no-limit]",
     "Print each N followed by prime or composite (N of up to 200 characters; --no-limit takes longer ones).",
     IsPrime},
    {"nextprime", "N [--no-limit]",
     "Print the smallest odd probable prime not below N (N >= 2, up to 200 characters; --no-limit takes longer ones).",
     NextPrime},
    {"lucas", "P [--certificate FILE]",
     "Lucas-Lehmer test of 2^P - 1 (P <= 99999): P prime or P composite; FILE receives every residue as key=value lines.",
     Lucas},
    {"calc", "gcf|add|sub|mul A B", "Greatest common factor, sum, difference or product of A and B.", Calc},
    {"convert", "integer|mersenne|fermat TEXT [--no-limit]",
     "TEXT as a plain integer, a Mersenne expression (M a +/- b) and a Fermat expression (F a +/- b); TEXT of up to "
     "2500, 200 or 50 characters (--no-limit takes longer ones).",
     ConvertCommand},
};

}  // namespace

std::span<const TCliCommand> NumberCommands() { return kCommands; }

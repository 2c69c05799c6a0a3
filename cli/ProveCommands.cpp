// The proof subcommands: prove (an elliptic-curve primality certificate in
// the form PARI/GP reads) and verify (our own independent check of one).
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "cli/Command.h"
#include "numbers/ecpp/Ecpp.h"
#include "numbers/ecpp/EcppVerify.h"

namespace {

// Plain decimal digits only: a proof is about exactly the number typed.
ecpp::Big ReadNumber(const std::string& text) {
  if (text.empty()) throw EConvertError::NotInteger(text);
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) throw EConvertError::NotInteger(text);
  ecpp::Big n = BigIntFromDecimal(text);
  if (ecpp::Compare(n, ecpp::FromInt(2)) < 0) throw EBadInput("The number must be at least 2, not " + text);
  return n;
}

// Written under a temporary name beside the target and renamed into place,
// so an existing file is never left half written.
void WriteAtomically(const std::string& path, const std::string& text) {
  const std::string temp = path + ".tmp-" + std::to_string(::getpid());
  auto fail = [&](const std::string& what) {
    const int e = errno;
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    std::string message = what;
    if (e != 0) message += ". " + std::string(std::strerror(e));
    throw EBadInput(message);
  };
  errno = 0;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) fail("Cannot create file \"" + path + "\"");
    out << text;
    out.flush();
    if (!out) fail("Cannot write file \"" + path + "\"");
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    throw EBadInput("Cannot create file \"" + path + "\". " + ec.message());
  }
}

int Prove(const std::vector<std::string>& args, TCliIo& io) {
  std::string number, certificate;
  bool haveCertificate = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--certificate") {
      if (i + 1 == args.size()) throw EUsageError("--certificate needs a file name");
      certificate = args[++i];
      haveCertificate = true;
    } else if (args[i].size() > 1 && args[i][0] == '-' && args[i][1] == '-') {
      throw EUsageError("Unknown option '" + args[i] + "'");
    } else if (number.empty()) {
      number = args[i];
    } else {
      throw EUsageError("Too many arguments");
    }
  }
  if (number.empty()) throw EUsageError("Missing argument");
  if (haveCertificate && certificate.empty()) throw EBadInput("The certificate file name is empty");
  const ecpp::Big n = ReadNumber(number);
  ecpp::TEcppOutcome outcome;
  try {
    outcome = ecpp::ProvePrimality(n);
  } catch (const std::invalid_argument& e) {
    throw EBadInput(e.what());
  }
  if (!outcome.prime) {
    io.out << ecpp::Text(n) << " composite";
    if (!outcome.witness.IsZero()) io.out << " (base " << ecpp::Text(outcome.witness) << ")";
    io.out << '\n';
    return kExitOk;
  }
  if (haveCertificate) WriteAtomically(certificate, ecpp::FormatCertificate({n, outcome.steps}));
  io.out << ecpp::Text(n) << " proven prime\n";
  return kExitOk;
}

int Verify(const std::vector<std::string>& args, TCliIo& io) {
  if (args.empty()) throw EUsageError("Missing argument");
  if (args.size() > 1) throw EUsageError("Too many arguments");
  std::ifstream in(args[0], std::ios::binary);
  if (!in) throw EBadInput("Cannot open file \"" + args[0] + "\"");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw EBadInput("Cannot read file \"" + args[0] + "\"");
  ecpp::TCertificate certificate;
  std::string error;
  if (!ecpp::ParseCertificate(text.str(), certificate, error)) {
    io.out << "invalid: " << error << '\n';
    return kExitOk;
  }
  const ecpp::TVerdict verdict = ecpp::VerifyCertificate(certificate);
  if (verdict.valid)
    io.out << "valid\n";
  else
    io.out << "invalid: " << verdict.reason << '\n';
  return kExitOk;
}

const TCliCommand kCommands[] = {
    {"prove", "N [--certificate FILE]",
     "Prove N prime by elliptic curves (N proven prime) or show it composite (N composite, with the base that "
     "shows it); FILE receives the certificate in the form PARI/GP's primecertisvalid reads.",
     Prove},
    {"verify", "FILE", "Check a primality certificate step by step: valid, or invalid: the first failing step and why.",
     Verify},
};

}  // namespace

std::span<const TCliCommand> ProveCommands() { return kCommands; }

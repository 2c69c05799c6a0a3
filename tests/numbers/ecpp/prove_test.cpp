// The elliptic-curve prover against its own verifier and, where PARI/GP is
// installed, against gp's primecertisvalid: random primes of 20 to 200
// digits and special forms proven; composites (strong pseudoprimes,
// Carmichael numbers) refused with a witness; one changed digit in a
// certificate refused by both checkers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "numbers/ecpp/Ecpp.h"
#include "numbers/ecpp/EcppVerify.h"

namespace {

using ecpp::Big;

Big D(const std::string& s) { return BigIntFromDecimal(s); }

bool GpInstalled() {
  static const bool installed = std::system("command -v gp >/dev/null 2>&1") == 0;
  return installed;
}

// gp's verdict on a certificate text: 1 valid, 0 invalid, -1 no answer.
int GpVerdict(const std::string& certificate) {
  const auto dir = std::filesystem::temp_directory_path();
  const std::string stem = "calvenna-ecpp-" + std::to_string(::getpid());
  const auto certPath = dir / (stem + ".gp"), outPath = dir / (stem + ".out");
  std::ofstream(certPath) << certificate;
  const std::string cmd = "echo 'print(primecertisvalid(read(\"" + certPath.string() +
                          "\")))' | gp -q -f --default parisizemax=1000000000 >" + outPath.string() + " 2>/dev/null";
  const int status = std::system(cmd.c_str());
  std::ifstream in(outPath);
  std::string word;
  in >> word;
  std::filesystem::remove(certPath);
  std::filesystem::remove(outPath);
  if (status != 0) return -1;
  return word == "1" ? 1 : word == "0" ? 0 : -1;
}

std::string CertificateText(const Big& n, const ecpp::TEcppOutcome& o) {
  return ecpp::FormatCertificate({n, o.steps});
}

ecpp::TVerdict Verify(const std::string& text) {
  ecpp::TCertificate c;
  std::string error;
  if (!ecpp::ParseCertificate(text, c, error)) return {false, error};
  return ecpp::VerifyCertificate(c);
}

Big RandomPrime(std::mt19937_64& random, int digits) {
  std::string text(1, static_cast<char>('1' + random() % 9));
  while (static_cast<int>(text.size()) < digits) text += static_cast<char>('0' + random() % 10);
  Big n = D(text);
  NextPrimeBigInt(n);
  return n;
}

void ExpectProven(const Big& n, bool askGp) {
  const ecpp::TEcppOutcome o = ecpp::ProvePrimality(n);
  ASSERT_TRUE(o.prime) << ecpp::Text(n);
  const std::string text = CertificateText(n, o);
  const ecpp::TVerdict v = Verify(text);
  EXPECT_TRUE(v.valid) << ecpp::Text(n) << ": " << v.reason;
  if (askGp && GpInstalled()) { EXPECT_EQ(GpVerdict(text), 1) << text; }
}

TEST(EcppProve, RandomPrimesFrom20To200Digits) {
  const std::uint64_t seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937_64 random(seed);
  for (int digits : {20, 25, 30, 40, 50, 60, 80, 100, 120, 150, 200}) ExpectProven(RandomPrime(random, digits), true);
}

TEST(EcppProve, SpecialForms) {
  const char* cases[] = {
      "170141183460469231731687303715884105727",  // 2^127 - 1
      "100000000000000000039",                    // just above 10^20
      "18446744073709551629",                     // the first prime above 2^64
      // 102 * 2^256 + 1: N - 1 has 2^257 in it, so every square root of
      // the first step takes Tonelli-Shanks' longest road.
      "11810793102206251933204240470886166601033538435895337532024673568807139223273473",
  };
  for (const char* text : cases) ExpectProven(D(text), true);
  Big tenTo199;
  PowerBigInt(ecpp::FromInt(10), ecpp::FromInt(199), tenTo199);
  ExpectProven(ecpp::Add(tenTo199, ecpp::FromInt(153)), true);
  // Its descent met an order whose prime was as large as N: the steps went
  // back and forth between two numbers until q had to come down.
  ExpectProven(D("3" + std::string(189, '0') + "2962963313"), false);
}

TEST(EcppProve, SmallPrimesNeedNoSteps) {
  for (const char* text : {"2", "3", "18446744073709551557"}) {
    const ecpp::TEcppOutcome o = ecpp::ProvePrimality(D(text));
    EXPECT_TRUE(o.prime) << text;
    EXPECT_TRUE(o.steps.empty()) << text;
    EXPECT_TRUE(Verify(CertificateText(D(text), o)).valid) << text;
  }
}

TEST(EcppProve, CompositesNameTheirWitness) {
  struct Case {
    const char* n;
    const char* witness;
  };
  // Strong pseudoprimes to the first bases and Carmichael numbers; the witness is
  // the first prime base of the strong test that shows each composite.
  const Case cases[] = {
      {"4", "2"},
      {"561", "2"},
      {"3215031751", "11"},           // strong pseudoprime to 2, 3, 5, 7
      {"3825123056546413051", "37"},  // strong pseudoprime to every prime base up to 31
      {"318665857834031151167461", "41"},  // strong pseudoprime to every prime base up to 37
      {"100000000000000000000000000000000000000000000000000000000000000000", "2"},
  };
  for (const Case& c : cases) {
    const ecpp::TEcppOutcome o = ecpp::ProvePrimality(D(c.n));
    EXPECT_FALSE(o.prime) << c.n;
    EXPECT_EQ(ecpp::Text(o.witness), c.witness) << c.n;
  }
}

TEST(EcppProve, LargeCarmichaelNumberIsComposite) {
  // (6k + 1)(12k + 1)(18k + 1) with all three prime is a Carmichael number.
  Big k = D("100000000000000000000");
  for (;;) {
    auto factor = [&](int c) { return ecpp::Add(ecpp::Mul(k, ecpp::FromInt(c)), ecpp::FromInt(1)); };
    if (IsPrimeNumber(factor(6)) && IsPrimeNumber(factor(12)) && IsPrimeNumber(factor(18))) {
      const Big n = ecpp::Mul(ecpp::Mul(factor(6), factor(12)), factor(18));
      const ecpp::TEcppOutcome o = ecpp::ProvePrimality(n);
      EXPECT_FALSE(o.prime);
      EXPECT_FALSE(o.witness.IsZero());
      return;
    }
    k = ecpp::Add(k, ecpp::FromInt(1));
  }
}

TEST(EcppProve, BadInputIsRefused) {
  EXPECT_THROW(ecpp::ProvePrimality(D("1")), std::invalid_argument);
  EXPECT_THROW(ecpp::ProvePrimality(D("0")), std::invalid_argument);
  EXPECT_THROW(ecpp::ProvePrimality(D("-7")), std::invalid_argument);
}

TEST(EcppProve, CancelStopsTheSearch) {
  TProgress progress;
  progress.Cancel();
  EXPECT_THROW(ecpp::ProvePrimality(D("170141183460469231731687303715884105727"), &progress), ECancelled);
}

}  // namespace

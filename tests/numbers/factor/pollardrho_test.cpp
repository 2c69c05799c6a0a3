// Pollard's rho factor search.
#include <gtest/gtest.h>

#include "numbers/NumberTestSupport.h"
#include "numbers/factor/PollardRho.h"
#include "numbers/primality/Primality.h"

using namespace numtest;

namespace {

std::string Rho(const std::string& n) { return S(PollardRhoFactorBigInt(D(n), D("-1"), D("3"))); }

}  // namespace

TEST(RhoStep, NonNegativeResidue) {
  TBigInt x = D("3");
  RhoStepBigInt(x, D("15"), D("-1"));
  EXPECT_EQ(S(x), "8");
  x = D("0");
  RhoStepBigInt(x, D("15"), D("-1"));
  EXPECT_EQ(S(x), "14");
  x = D("1");
  RhoStepBigInt(x, D("15"), D("-16"));
  EXPECT_EQ(S(x), "0");
}

TEST(RandomResidue, InRangeAndFromTheMultiplier) {
  TScriptedGenerator g({1, 2147483646, 0});
  TScopedRandomGenerator scope(g);
  TBigInt r;
  RandomResidueBigInt(D("4294967296"), r);
  EXPECT_EQ(S(r), std::to_string(44485709377909ULL % 4294967296ULL));
  RandomResidueBigInt(D("2147483648"), r);
  EXPECT_EQ(S(r), std::to_string((2147483646ULL * 44485709377909ULL) % 2147483648ULL));
  RandomResidueBigInt(D("1000"), r);
  EXPECT_EQ(S(r), "0");
  EXPECT_EQ(g.reseeds, 3);
}

TEST(PollardRho, SmallCompositesGiveTheirFactor) {
  EXPECT_EQ(Rho("4"), "2");
  EXPECT_EQ(Rho("15"), "5");
  EXPECT_EQ(Rho("8051"), "97");  // 83 * 97
  EXPECT_EQ(Rho("2000006"), "2");
  for (int run = 0; run < 20; ++run) {
    EXPECT_EQ(Rho("9"), "3");
    const std::string f = Rho("91");
    EXPECT_TRUE(f == "7" || f == "13") << f;
  }
}

TEST(PollardRho, LargerComposites) {
  // Products of two primes of about 20 digits: a factor either way.
  Mpz p("10000000019"), q("1000000000039"), n;
  mpz_mul(n.get(), p.get(), q.get());
  const std::string f = S(PollardRhoFactorBigInt(n.Big(), D("-1"), D("3")));
  EXPECT_TRUE(f == p.Str() || f == q.Str()) << f;
  EXPECT_TRUE(IsPrimeNumber(D(f)));
}

TEST(PollardRho, Cancel) {
  TProgress stopped;
  stopped.Cancel();
  Mpz p("1000000000000000003"), q("1000000000000000009"), n;
  mpz_mul(n.get(), p.get(), q.get());
  EXPECT_THROW(PollardRhoFactorBigInt(n.Big(), D("-1"), D("3"), &stopped), ECancelled);
}

// Elliptic curves: medium factors of larger numbers, and a prompt stop.
#include <gtest/gtest.h>

#include "numbers/NumberTestSupport.h"
#include "numbers/factor/Ecm.h"
#include "numbers/primality/Primality.h"

using namespace numtest;

namespace {

// A divisor of n found by ECM for factors of `digits` digits, or "".
std::string Ecm(const Mpz& n, int digits, std::uint64_t sigma = 11) {
  TBigInt f;
  if (!EcmFactor(n.Big(), EcmPlanFor(digits), sigma, f)) return "";
  return S(f);
}

}  // namespace

TEST(Ecm, FindsAFifteenDigitFactorOfAThirtyFiveDigitNumber) {
  const Mpz p = PrimeNear(15, 3), q = PrimeNear(20, 7);
  Mpz n;
  mpz_mul(n.get(), p.get(), q.get());
  const std::string f = Ecm(n, 15);
  EXPECT_TRUE(f == p.Str() || f == q.Str()) << f;
}

TEST(Ecm, FactorsOfSeveralSizesAndWordCounts) {
  struct Row {
    unsigned small, big;  // digits of the two primes
    int plan;
  };
  // One, two, three and four words of modulus.
  const Row rows[] = {{8, 10, 10}, {10, 20, 10}, {12, 30, 12}, {12, 60, 12}};
  for (const Row& r : rows) {
    const Mpz p = PrimeNear(r.small, 5), q = PrimeNear(r.big, 2);
    Mpz n;
    mpz_mul(n.get(), p.get(), q.get());
    const std::string f = Ecm(n, r.plan);
    ASSERT_FALSE(f.empty()) << n.Str();
    Mpz fm(f), rest;
    EXPECT_TRUE(mpz_divisible_p(n.get(), fm.get())) << f;
    EXPECT_TRUE(f == p.Str() || f == q.Str()) << f;
  }
}

TEST(Ecm, RefusesWhatItCannotTake) {
  EXPECT_FALSE(EcmAccepts(D("100")));
  Mpz big;
  mpz_ui_pow_ui(big.get(), 10, 80);
  mpz_add_ui(big.get(), big.get(), 1);
  EXPECT_FALSE(EcmAccepts(big.Big()));
  TBigInt f;
  EXPECT_FALSE(EcmFactor(big.Big(), EcmPlanFor(10), 6, f));
}

TEST(Ecm, CancelEndsTheSearch) {
  const Mpz p = PrimeNear(25, 1), q = PrimeNear(25, 3);
  Mpz n;
  mpz_mul(n.get(), p.get(), q.get());
  TProgress progress;
  progress.Cancel();
  TBigInt f;
  EXPECT_THROW(EcmFactor(n.Big(), EcmPlanFor(25), 6, f, &progress), ECancelled);
}

TEST(Ecm, ReportsCurveCounts) {
  const Mpz p = PrimeNear(20, 1), q = PrimeNear(20, 3);
  Mpz n;
  mpz_mul(n.get(), p.get(), q.get());
  TProgress progress;
  TBigInt f;
  TEcmPlan plan{100, 0, 3};
  EXPECT_FALSE(EcmFactor(n.Big(), plan, 6, f, &progress, {9, 90}));
  EXPECT_EQ(progress.Text(), "Elliptic curves: 12 of 90");
}

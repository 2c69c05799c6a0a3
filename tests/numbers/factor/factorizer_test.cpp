// The factoriser: complete factor lists of 30- to 50-digit numbers multiply
// back to n with every entry prime; small numbers keep the rows of the plain
// rho search; a stop request ends the search.
#include <gtest/gtest.h>

#include <thread>

#include "numbers/NumberTestSupport.h"
#include "numbers/factor/Factorizer.h"
#include "numbers/factor/PollardRho.h"
#include "numbers/primality/Primality.h"

using namespace numtest;

namespace {

std::vector<std::string> Texts(const std::vector<TBigInt>& list) {
  std::vector<std::string> out;
  for (const TBigInt& f : list) out.push_back(S(f));
  return out;
}

// The list multiplies back to n and every entry is prime.
void ExpectComplete(const Mpz& n, const std::vector<TBigInt>& list) {
  Mpz product("1");
  for (const TBigInt& f : list) {
    EXPECT_TRUE(IsPrimeNumber(f)) << S(f) << " in the factors of " << n.Str();
    Mpz m(f);
    mpz_mul(product.get(), product.get(), m.get());
  }
  EXPECT_EQ(product.Str(), n.Str());
}

}  // namespace

TEST(Factorizer, SmallNumbersKeepTheRowsOfThePlainSearch) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Texts(FactorCompletely(D("15"))), (V{"5", "3"}));
  EXPECT_EQ(Texts(FactorCompletely(D("561"))), (V{"11", "3", "17"}));
  EXPECT_EQ(Texts(FactorCompletely(D("4"))), (V{"2", "2"}));
  EXPECT_EQ(Texts(FactorCompletely(D("97"))), (V{"97"}));
  EXPECT_EQ(Texts(FactorCompletely(D("8051"))), (V{"97", "83"}));
  TBigInt f;
  ASSERT_TRUE(FindFactor(D("2000006"), f));
  EXPECT_EQ(S(f), "2");
  EXPECT_FALSE(FindFactor(D("97"), f));
  EXPECT_FALSE(FindFactor(D("1"), f));
  EXPECT_FALSE(FindFactor(D("0"), f));
  EXPECT_TRUE(FactorCompletely(D("1")).empty());
}

TEST(Factorizer, SemiprimesOfThirtyToFiftyDigits) {
  struct Row {
    unsigned a, b;  // digits of the two primes
  };
  // Balanced ones go to the sieve; a 12-digit factor of a 40-digit number
  // and a 15-digit one of a 45-digit number to the curves or the sieve.
  const Row rows[] = {{15, 15}, {17, 18}, {20, 20}, {12, 28}, {15, 30}, {25, 25}};
  unsigned long lead = 1;
  for (const Row& r : rows) {
    const Mpz p = PrimeNear(r.a, ++lead), q = PrimeNear(r.b, lead + 4);
    Mpz n;
    mpz_mul(n.get(), p.get(), q.get());
    const std::vector<TBigInt> list = FactorCompletely(n.Big());
    ExpectComplete(n, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(S(list[0]) == p.Str() || S(list[0]) == q.Str()) << S(list[0]);
  }
}

TEST(Factorizer, SeveralMediumFactorsPowersAndSmallOnes) {
  // Three primes of 12, 13 and 14 digits; a square of a 20-digit prime; a
  // cube times small factors; a negative number.
  const Mpz p12 = PrimeNear(12, 2), p13 = PrimeNear(13, 3), p14 = PrimeNear(14, 5), p20 = PrimeNear(20, 1);
  Mpz a, b, c;
  mpz_mul(a.get(), p12.get(), p13.get());
  mpz_mul(a.get(), a.get(), p14.get());
  mpz_mul(b.get(), p20.get(), p20.get());
  mpz_pow_ui(c.get(), PrimeNear(11, 4).get(), 3);
  mpz_mul_ui(c.get(), c.get(), 2 * 2 * 3 * 1009);
  for (const Mpz* n : {&a, &b, &c}) ExpectComplete(*n, FactorCompletely(n->Big()));
  EXPECT_EQ(Texts(FactorCompletely(D("-15"))), (std::vector<std::string>{"5", "-3"}));
}

TEST(Factorizer, FactorsInRhoBudgetAreThePlainSearchsOwn) {
  // Two primes of 9 digits: rho finds one within its budget, the same one.
  const Mpz p = PrimeNear(9, 3), q = PrimeNear(30, 1);
  Mpz n;
  mpz_mul(n.get(), p.get(), q.get());
  TBigInt f;
  ASSERT_TRUE(FindFactor(n.Big(), f));
  EXPECT_EQ(S(f), S(PollardRhoFactorBigInt(n.Big(), D("-1"), D("3"))));
}

TEST(Factorizer, ReportsItsPhasesAndStopsWhenAsked) {
  const Mpz p = PrimeNear(20, 1), q = PrimeNear(20, 3);
  Mpz n;
  mpz_mul(n.get(), p.get(), q.get());
  TProgress progress;
  TBigInt f;
  ASSERT_TRUE(FindFactor(n.Big(), f, &progress));
  EXPECT_EQ(progress.Text().rfind("Quadratic sieve: ", 0), 0u) << progress.Text();
  progress.Cancel();
  EXPECT_THROW(FindFactor(n.Big(), f, &progress), ECancelled);
  EXPECT_THROW(FactorCompletely(n.Big(), &progress), ECancelled);
}

// The strong methods start on another thread while rho runs; a stop asked
// for once the sieve shows its progress ends the search, and the factor of
// a search left to finish is the same on every run.
TEST(Factorizer, StopsWhileTheSieveRunsBesideRho) {
  const Mpz p = PrimeNear(24, 1), q = PrimeNear(24, 3);
  Mpz n;
  mpz_mul(n.get(), p.get(), q.get());
  TProgress progress;
  std::thread stopper([&] {
    while (progress.Text().rfind("Quadratic sieve: relations", 0) != 0) std::this_thread::yield();
    progress.Cancel();
  });
  TBigInt f;
  EXPECT_THROW(FindFactor(n.Big(), f, &progress), ECancelled);
  stopper.join();
  TBigInt first, second;
  ASSERT_TRUE(FindFactor(n.Big(), first));
  ASSERT_TRUE(FindFactor(n.Big(), second));
  EXPECT_EQ(S(first), S(second));
  EXPECT_TRUE(S(first) == p.Str() || S(first) == q.Str());
}

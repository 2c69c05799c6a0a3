// The budgeted rho: the plain search's result whenever it ends in budget,
// and an honest "ran out" otherwise.
#include <gtest/gtest.h>

#include "numbers/NumberTestSupport.h"
#include "numbers/factor/FactorRho.h"
#include "numbers/factor/PollardRho.h"
#include "numbers/primality/Primality.h"

using namespace numtest;

namespace {

std::string Budgeted(const TBigInt& n, std::int64_t budget = kRhoDefaultBudget) {
  TBigInt f;
  if (!RhoFactorBudgeted(n, D("-1"), D("3"), budget, f)) return "out of budget: " + S(f);
  return S(f);
}

}  // namespace

TEST(FactorRho, SameFactorsAsThePlainSearch) {
  // Small cases whose row order the Splitter shows, even numbers (the plain
  // path), and products with factors up to ten digits (the word path at one
  // and two words).
  const char* cases[] = {"4", "15", "561", "8051", "2000006", "12", "1000000", "6",
                         "187", "999999000001", "1000000016000000063",
                         "99999999859999999373",  // 9999999967 * 10000000019
                                                  "1000000000000000000000000000000000000000000000002"};
  for (const char* text : cases) {
    const TBigInt n = D(text);
    if (IsPrimeNumber(n)) continue;
    // Some of them restart on random draws (12 does): script the same
    // draws for both searches.
    const std::vector<std::uint64_t> draws{5, 99, 1234567, 31, 77777, 2};
    TBigInt plain, f;
    {
      TScriptedGenerator g(draws);
      TScopedRandomGenerator scope(g);
      plain = PollardRhoFactorBigInt(n, D("-1"), D("3"));
    }
    TScriptedGenerator g(draws);
    TScopedRandomGenerator scope(g);
    ASSERT_TRUE(RhoFactorBudgeted(n, D("-1"), D("3"), kRhoDefaultBudget, f)) << text;
    EXPECT_EQ(S(f), S(plain)) << text;
  }
  EXPECT_EQ(Budgeted(D("15")), "5");
  EXPECT_EQ(Budgeted(D("8051")), "97");
  EXPECT_EQ(Budgeted(D("4")), "2");
  EXPECT_EQ(Budgeted(D("2000006")), "2");
}

TEST(FactorRho, TenDigitFactorsAreFoundInBudget) {
  Mpz p("1000000007"), q("4294967311"), r("9999999967"), n;
  for (const Mpz* other : {&q, &r}) {
    Mpz big;
    mpz_ui_pow_ui(big.get(), 10, 30);
    mpz_nextprime(big.get(), big.get());
    mpz_mul(n.get(), other->get(), big.get());
    EXPECT_EQ(Budgeted(n.Big()), other->Str());
  }
  mpz_mul(n.get(), p.get(), q.get());
  const std::string f = Budgeted(n.Big());
  EXPECT_TRUE(f == p.Str() || f == q.Str()) << f;
}

TEST(FactorRho, RestartsDrawLikeThePlainSearch) {
  // 9 and 91 end their first search on n itself and restart on random draws;
  // with the same scripted draws both searches must agree.
  for (const char* text : {"9", "91", "1681", "4087"}) {
    for (std::uint64_t seed : {1u, 77u, 123456789u}) {
      // Enough distinct draws that some restart succeeds before they cycle.
      std::vector<std::uint64_t> draws;
      for (std::uint64_t v = seed, k = 0; k < 64; ++k) draws.push_back(v = v * 6364136223846793005ULL + 1442695040888963407ULL);
      TBigInt plain, budgeted;
      {
        TScriptedGenerator g(draws);
        TScopedRandomGenerator scope(g);
        plain = PollardRhoFactorBigInt(D(text), D("-1"), D("3"));
      }
      TScriptedGenerator g(draws);
      TScopedRandomGenerator scope(g);
      ASSERT_TRUE(RhoFactorBudgeted(D(text), D("-1"), D("3"), kRhoDefaultBudget, budgeted)) << text;
      EXPECT_EQ(S(budgeted), S(plain)) << text << " seed " << seed;
    }
  }
}

TEST(FactorRho, BudgetRunsOutOnLargeFactors) {
  // Two 20-digit primes: far beyond a budget of a few thousand steps.
  const TBigInt n = D("2000000000000000011090000000000000004539");
  EXPECT_EQ(Budgeted(n, 5000), "out of budget: " + S(n));
}

TEST(FactorRho, CancelStopsTheSearch) {
  TProgress progress;
  progress.Cancel();
  TBigInt f;
  EXPECT_THROW(RhoFactorBudgeted(D("2000000000000000011090000000000000004539"), D("-1"), D("3"),
                                 kRhoDefaultBudget, f, &progress),
               ECancelled);
}

// The quadratic sieve: its relations are true congruences over the factor
// base, and it splits balanced numbers of 20 to 50 digits.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "numbers/NumberTestSupport.h"
#include "numbers/primality/Primality.h"
#include "numbers/factor/Siqs.h"
#include "numbers/factor/SiqsBase.h"
#include "numbers/factor/SiqsSieve.h"

using namespace numtest;

namespace {

Mpz Product(const Mpz& a, const Mpz& b) {
  Mpz n;
  mpz_mul(n.get(), a.get(), b.get());
  return n;
}

}  // namespace

TEST(SiqsRelations, EachIsATrueCongruenceOverTheBase) {
  const Mpz n = Product(PrimeNear(15, 3), PrimeNear(16, 7));
  TSiqsBase base;
  std::uint64_t small = 0;
  ASSERT_TRUE(BuildSiqsBase(n.Big(), base, small));
  Mpz kn(base.kn), nn(n);
  EXPECT_EQ(Mpz(base.n).Str(), n.Str());
  mpz_t k;
  mpz_init_set_ui(k, base.multiplier);
  mpz_mul(k, k, n.get());
  EXPECT_EQ(mpz_cmp(k, kn.get()), 0);
  mpz_clear(k);
  TSiqsChooser chooser(base, 99);
  TSiqsSieve sieve(base, chooser.PrimesInA());
  std::vector<TSiqsRelation> all;
  while (all.size() < 60) {
    sieve.SetA(chooser.NextA());
    for (std::uint32_t i = 0; i < sieve.PolynomialsPerA(); ++i) sieve.Sieve(i, all);
  }
  ASSERT_TRUE(std::any_of(all.begin(), all.end(), [](const TSiqsRelation& r) { return r.largePrime == 1; }));
  for (const TSiqsRelation& r : all) {
    // y^2 - kN against the product of the listed primes and the large prime.
    Mpz lhs(BigIntFromInt128(r.y)), rhs;
    mpz_mul(lhs.get(), lhs.get(), lhs.get());
    mpz_sub(lhs.get(), lhs.get(), kn.get());
    mpz_set_ui(rhs.get(), 1);
    for (std::uint32_t c : r.columns) {
      if (c == 0) {
        mpz_neg(rhs.get(), rhs.get());
      } else {
        ASSERT_LE(c, base.primes.size());
        mpz_mul_ui(rhs.get(), rhs.get(), base.primes[c - 1]);
      }
    }
    mpz_mul_ui(rhs.get(), rhs.get(), r.largePrime);
    EXPECT_EQ(lhs.Str(), rhs.Str());
    if (r.largePrime != 1) {
      EXPECT_LT(r.largePrime, base.largePrimeBound);
      EXPECT_GT(r.largePrime, base.primes.back());
    }
  }
}

TEST(SiqsBase, FactorBaseHoldsResiduesWithRoots) {
  const Mpz n = Product(PrimeNear(20, 1), PrimeNear(20, 3));
  TSiqsBase base;
  std::uint64_t small = 0;
  ASSERT_TRUE(BuildSiqsBase(n.Big(), base, small));
  ASSERT_EQ(base.primes[0], 2u);
  Mpz kn(base.kn);
  for (std::size_t i = 1; i < base.primes.size(); ++i) {
    const std::uint64_t p = base.primes[i], r = base.roots[i];
    EXPECT_EQ(r * r % p, mpz_fdiv_ui(kn.get(), static_cast<unsigned long>(p))) << p;
  }
  // A number with a prime of the base's range as a factor gives it back.
  const Mpz m = Product(PrimeNear(3, 7), PrimeNear(30, 1));
  EXPECT_FALSE(BuildSiqsBase(m.Big(), base, small));
  EXPECT_EQ(std::to_string(small), PrimeNear(3, 7).Str());
}

TEST(Siqs, SplitsBalancedNumbers) {
  struct Row {
    unsigned digits;
    unsigned long a, b;
  };
  const Row rows[] = {{11, 1, 3}, {15, 2, 5}, {20, 1, 3}, {22, 4, 7}};
  for (const Row& r : rows) {
    const Mpz p = PrimeNear(r.digits, r.a), q = PrimeNear(r.digits, r.b), n = Product(p, q);
    TBigInt f;
    ASSERT_TRUE(SiqsFactor(n.Big(), f)) << n.Str();
    EXPECT_TRUE(S(f) == p.Str() || S(f) == q.Str()) << S(f) << " of " << n.Str();
  }
}

TEST(Siqs, CancelEndsTheSieve) {
  const Mpz n = Product(PrimeNear(25, 1), PrimeNear(25, 3));
  TProgress progress;
  progress.Cancel();
  TBigInt f;
  EXPECT_THROW(SiqsFactor(n.Big(), f, &progress), ECancelled);
}

// The factor found, and every progress text shown, are those of one thread
// whatever the number of threads: the polynomials are taken in a fixed order.
TEST(Siqs, SameFactorForEveryThreadCount) {
  const Mpz ns[] = {Product(PrimeNear(20, 3), PrimeNear(20, 7)), Product(PrimeNear(13, 3), PrimeNear(26, 1)),
                    Product(PrimeNear(22, 1), PrimeNear(24, 9))};
  for (const Mpz& n : ns)
    for (std::uint64_t seed : {1u, 2u}) {
      TBigInt one;
      TProgress progress1;
      ASSERT_TRUE(SiqsFactor(n.Big(), one, &progress1, seed, 1)) << n.Str();
      for (unsigned threads : {2u, 3u}) {
        TBigInt f;
        TProgress progress;
        ASSERT_TRUE(SiqsFactor(n.Big(), f, &progress, seed, threads)) << n.Str();
        EXPECT_EQ(S(f), S(one)) << n.Str() << " threads " << threads;
        EXPECT_EQ(progress.Text(), progress1.Text());
      }
    }
}

// A stop asked for while the threads sieve ends the search with ECancelled;
// every thread has ended when it returns.
TEST(Siqs, CancelWhileSieving) {
  const Mpz n = Product(PrimeNear(27, 1), PrimeNear(27, 3));
  for (unsigned threads : {1u, 2u}) {
    TProgress progress;
    std::thread stopper([&] {
      while (progress.Text().find("relations") == std::string::npos) std::this_thread::yield();
      progress.Cancel();
    });
    TBigInt f;
    EXPECT_THROW(SiqsFactor(n.Big(), f, &progress, 1, threads), ECancelled);
    stopper.join();
  }
}

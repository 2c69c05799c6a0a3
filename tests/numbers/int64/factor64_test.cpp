// Factorisation of 64-bit numbers: the factors are primes, ascending, and
// multiply back to the number; the divisors are every divisor.
#include <gtest/gtest.h>

#include <gmp.h>

#include <cstdint>
#include <random>
#include <vector>

#include "numbers/int64/Factor64.h"
#include "numbers/int64/Prime64.h"

namespace {

bool GmpPrime(std::uint64_t n) {
  mpz_t z;
  mpz_init(z);
  mpz_import(z, 1, 1, sizeof n, 0, 0, &n);
  const bool prime = mpz_probab_prime_p(z, 40) != 0;
  mpz_clear(z);
  return prime;
}

::testing::AssertionResult Factorisation(std::uint64_t n) {
  const std::vector<std::uint64_t> f = Factorize64(n);
  unsigned __int128 product = 1;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (!GmpPrime(f[i])) return ::testing::AssertionFailure() << n << ": factor " << f[i] << " is not prime";
    if (i > 0 && f[i] < f[i - 1]) return ::testing::AssertionFailure() << n << ": not ascending";
    product *= f[i];
  }
  if (product != n) return ::testing::AssertionFailure() << n << ": the product differs";
  return ::testing::AssertionSuccess();
}

TEST(Factorize64, KnownNumbers) {
  EXPECT_TRUE(Factorize64(0).empty());
  EXPECT_TRUE(Factorize64(1).empty());
  EXPECT_EQ(Factorize64(2), (std::vector<std::uint64_t>{2}));
  EXPECT_EQ(Factorize64(100), (std::vector<std::uint64_t>{2, 2, 5, 5}));
  std::vector<std::uint64_t> tenTo18(18, 2);
  tenTo18.insert(tenTo18.end(), 18, 5);
  EXPECT_EQ(Factorize64(1000000000000000000ULL), tenTo18);
  EXPECT_EQ(Factorize64(999999999999999989ULL), (std::vector<std::uint64_t>{999999999999999989ULL}));
  EXPECT_EQ(Factorize64(4294967291ULL * 4294967291ULL), (std::vector<std::uint64_t>{4294967291ULL, 4294967291ULL}));
  EXPECT_EQ(Factorize64(3825123056546413051ULL), (std::vector<std::uint64_t>{149491, 747451, 34233211}));
  EXPECT_EQ(Factorize64(1009ULL * 1009 * 1009 * 1013), (std::vector<std::uint64_t>{1009, 1009, 1009, 1013}));
}

TEST(Factorize64, RandomAndHardNumbers) {
  std::mt19937_64 rng(99);
  std::vector<std::uint64_t> ns = {18446744073709551615ULL, 18446744073709551557ULL, 9746347772161ULL,
                                   897612484786617600ULL, 999999999999999999ULL};
  for (int i = 0; i < 300; ++i) ns.push_back(rng() >> (rng() % 40));
  for (int i = 0; i < 100; ++i) {  // two primes near 2^30: the rho search's hardest case here
    std::uint64_t p = (rng() >> 34) | 1, q = (rng() >> 34) | 1;
    while (!IsPrime64(p)) p += 2;
    while (!IsPrime64(q)) q += 2;
    ns.push_back(p * q);
    ns.push_back(p * p);
    if (p < 2097152) ns.push_back(p * p * p);
  }
  for (std::uint64_t n : ns) ASSERT_TRUE(Factorisation(n));
}

TEST(Divisors64, EveryDivisorAscending) {
  for (std::uint64_t n = 1; n <= 3000; ++n) {
    std::vector<std::uint64_t> expected;
    for (std::uint64_t d = 1; d <= n; ++d)
      if (n % d == 0) expected.push_back(d);
    ASSERT_EQ(Divisors64(n), expected) << n;
  }
  EXPECT_TRUE(Divisors64(0).empty());
  EXPECT_EQ(Divisors64(1000000000000000000ULL).size(), 361u);
  EXPECT_EQ(Divisors64(897612484786617600ULL).size(), 103680u);  // 2^8 3^4 5^2 7^2 11 13 ... 37
}

}  // namespace

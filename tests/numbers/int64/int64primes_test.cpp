// The search engine's trial-division routines: primality verdicts, the
// prime-count estimate and its fault cases, reading and counting twins.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "numbers/int64/Int64Primes.h"
#include "numbers/int64/Prime64.h"

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(IsPrimeInt64, Verdicts) {
  struct Row {
    std::int64_t n;
    bool prime;
  };
  const Row rows[] = {
      {kMin, false}, {-7, false}, {-2, false}, {-1, false}, {0, false}, {1, false}, {2, true},
      {3, true},     {4, false},  {9, false},  {25, false}, {49, false}, {97, true}, {7919LL * 7919, false},
      {2147483647, true},                  // 2^31 - 1
      {2147483647LL * 3, false},
      {4611686018427387905LL, false},      // 2^62 + 1 = 5 * ...: its root is beyond 32 bits
      {kMax, false},                       // 7^2 * 73 * ...
      {999999999999999999LL, false},       // divisible by 9
      {1000000000000000000LL, false},
  };
  for (const Row& r : rows) EXPECT_EQ(IsPrimeInt64(r.n), r.prime) << r.n;
}

// The plain sieve of Eratosthenes agrees on every number up to 2 * 10^5.
TEST(IsPrimeInt64, MatchesASieveOnSmallNumbers) {
  constexpr int kLimit = 200000;
  std::vector<bool> composite(kLimit + 1, false);
  for (int p = 2; p * p <= kLimit; ++p)
    if (!composite[p])
      for (int m = p * p; m <= kLimit; m += p) composite[m] = true;
  for (int n = -10; n <= kLimit; ++n) {
    const bool prime = n >= 2 && !composite[n];
    ASSERT_EQ(IsPrimeInt64(n), prime) << n;
  }
}

// And the deterministic test on random numbers below 10^12, squares of
// primes (where the rounded-up root matters) and around 2^31.
TEST(IsPrimeInt64, MatchesTheDeterministicTest) {
  std::mt19937_64 rng(12345);
  std::vector<std::int64_t> ns;
  for (int i = 0; i < 1500; ++i) ns.push_back(static_cast<std::int64_t>(rng() % 1000000000000ULL));
  for (std::int64_t p : {1000003LL, 999983LL, 65521LL, 46337LL}) {
    ns.push_back(p * p);
    ns.push_back(p * p + 2);
    ns.push_back(p * (p + 2));
  }
  for (std::int64_t n = 2147483547; n <= 2147483747; ++n) ns.push_back(n);
  for (std::int64_t n : ns) ASSERT_EQ(IsPrimeInt64(n), IsPrime64(static_cast<std::uint64_t>(n))) << n;
}

TEST(EstimatePrimeCount, WholeAndNeverNegative) {
  struct Row {
    long double low, high, estimate;
  };
  const long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const Row rows[] = {
      {2, 100, 19},      // 21.71 - 2.89 = 18.83
      {24, 28, 1},       // 8.40 - 7.55
      {10, 11, 0},       // 0.24
      {100, 2, 0},       // negative
      {1, 100, 0},       // ln(1) = 0: division by zero
      {2, 1, 0},
      {0, 100, 0},       // ln(0)
      {-5, 100, 0},      // ln of a negative value
      {2, -5, 0},
      {inf, 100, 0},
      {2, nan, 0},
      {2, 1e4000L, 0},   // beyond the signed 64-bit range
      {0.5L, 3, 3},      // 2.73 + 0.72: a low bound below 1 has a negative logarithm
  };
  for (const Row& r : rows) EXPECT_EQ(EstimatePrimeCount(r.low, r.high), r.estimate) << r.low << " " << r.high;
  const long double big = EstimatePrimeCount(2, 1e18L);
  EXPECT_EQ(big, std::floor(big));
  EXPECT_NEAR(static_cast<double>(big), 2.4127471216847e16, 1e4);
}

TEST(StringsToPrimeArray, ReadsEveryTextOrNamesTheBadOne) {
  EXPECT_EQ(StringsToPrimeArray({"2", " 3", "-5", "+7", "9223372036854775807"}),
            (TPrimeArray{2, 3, -5, 7, kMax}));
  EXPECT_TRUE(StringsToPrimeArray({}).empty());
  for (const char* bad : {"12a", "", "Created by Calvenna", "9223372036854775808"}) {
    try {
      StringsToPrimeArray({"2", bad});
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(CountTwinPrimes, ConsecutiveEntriesTwoApart) {
  struct Row {
    TPrimeArray a;
    std::int64_t twins;
  };
  const Row rows[] = {
      {{}, 0},
      {{5}, 0},
      {{3, 5, 7}, 2},  // (3, 5) and (5, 7)
      {{2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31}, 5},
      {{5, 3}, 0},
      {{kMax - 2, kMax}, 1},
      {{kMin, kMax, kMin}, 0},  // differences that overflow are not 2
  };
  for (const Row& r : rows) EXPECT_EQ(CountTwinPrimes(r.a), r.twins);
}

}  // namespace

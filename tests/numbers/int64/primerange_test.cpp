// The primes of an interval are exactly those the trial division of
// IsPrimeInt64 accepts, in order: small intervals, sieve segment and mode
// boundaries, around 2^31 and high windows (against GMP where the trial
// division would take seconds per prime).
#include <gtest/gtest.h>

#include <gmp.h>

#include <cstdint>
#include <random>
#include <thread>
#include <vector>

#include "numbers/int64/Int64Primes.h"
#include "numbers/int64/PrimeRange.h"

namespace {

std::vector<std::uint64_t> ByTrialDivision(std::uint64_t low, std::uint64_t high) {
  std::vector<std::uint64_t> out;
  for (std::uint64_t n = low; n <= high; ++n)
    if (IsPrimeInt64(static_cast<std::int64_t>(n))) out.push_back(n);
  return out;
}

std::vector<std::uint64_t> ByGmp(std::uint64_t low, std::uint64_t high) {
  std::vector<std::uint64_t> out;
  mpz_t z;
  mpz_init(z);
  for (std::uint64_t n = low; n <= high; ++n) {
    if (n < 2 || (n > 2 && n % 2 == 0)) continue;
    mpz_import(z, 1, 1, sizeof n, 0, 0, &n);
    if (mpz_probab_prime_p(z, 30)) out.push_back(n);
  }
  mpz_clear(z);
  return out;
}

TEST(PrimesInRange, SmallIntervalsMatchTrialDivision) {
  struct Row {
    std::uint64_t low, high;
  };
  const Row rows[] = {{0, 1},   {0, 2},   {2, 2},   {3, 3},   {4, 4},   {0, 100}, {1, 30},  {24, 28}, {10, 11},
                      {13, 13}, {11, 17}, {9, 9},   {3, 13},  {14, 16}, {7, 7},   {100, 2}, {0, 3000}};
  for (const Row& r : rows)
    EXPECT_EQ(PrimesInRange(r.low, r.high, 1000000), ByTrialDivision(r.low, r.high)) << r.low << ".." << r.high;
  // Every interval with both ends below 400.
  for (std::uint64_t low = 0; low < 400; low += 7)
    for (std::uint64_t high = low; high < 400; high += 5)
      ASSERT_EQ(PrimesInRange(low, high, 1000000), ByTrialDivision(low, high)) << low << ".." << high;
}

TEST(PrimesInRange, RandomAndBoundaryIntervalsMatchTrialDivision) {
  std::mt19937_64 rng(7);
  struct Row {
    std::uint64_t low, high;
  };
  std::vector<Row> rows = {
      {1000000, 1600000},                        // several sieve segments
      {2147483000, 2147485000},                  // around 2^31
      {68719476736ULL - 3000, 68719476736ULL + 3000},  // where the sieve stops deciding alone
      {68718952449ULL - 100, 68718952449ULL + 100},    // (2^18 - 1)^2
      {999999000000ULL, 999999002000ULL},
      {1000000000000000ULL - 300, 1000000000000000ULL},  // 10^15: the trial division is still affordable
  };
  for (int i = 0; i < 30; ++i) {
    const std::uint64_t low = rng() % 100000000ULL;
    rows.push_back({low, low + rng() % 3000});
  }
  for (const Row& r : rows)
    ASSERT_EQ(PrimesInRange(r.low, r.high, 1000000), ByTrialDivision(r.low, r.high)) << r.low << ".." << r.high;
}

TEST(PrimesInRange, HighWindowsMatchGmp) {
  struct Row {
    std::uint64_t low, high;
  };
  const Row rows[] = {
      {999999999999999000ULL, 1000000000000000000ULL},
      {1000000000000000000ULL - 700000, 1000000000000000000ULL},  // several segments at the top
      {999999999993000000ULL, 999999999993005000ULL},
      {4611686018427387904ULL - 3000, 4611686018427387904ULL + 3000},  // around 2^62
      {9223372036854775808ULL - 2000, 9223372036854775808ULL},         // the highest end allowed
  };
  for (const Row& r : rows) ASSERT_EQ(PrimesInRange(r.low, r.high, 1000000), ByGmp(r.low, r.high)) << r.low;
}

TEST(PrimesInRange, StopsAfterMaxCount) {
  const std::vector<std::uint64_t> all = ByTrialDivision(0, 2000);
  for (std::size_t count : {0u, 1u, 2u, 10u, 303u, 5000u}) {
    const std::vector<std::uint64_t> first = PrimesInRange(0, 2000, count);
    const std::size_t expected = std::min<std::size_t>(count, all.size());
    ASSERT_EQ(first.size(), expected) << count;
    EXPECT_TRUE(std::equal(first.begin(), first.end(), all.begin())) << count;
  }
}

TEST(PrimesInRange, ReportsAndStopsWhenCancelled) {
  TProgress progress;
  PrimesInRange(2, 3000000, 1000000, &progress);
  EXPECT_DOUBLE_EQ(progress.Fraction(), 1.0);
  progress.Cancel();
  EXPECT_THROW(PrimesInRange(2, 3000000, 1000000, &progress), ECancelled);
}

// Every thread count gives the very same primes: intervals of many chunks
// where the sieve decides alone and where the test decides, a count limit
// met inside a chunk, and fewer chunks than threads.
TEST(PrimesInRange, SameResultForEveryThreadCount) {
  struct Row {
    std::uint64_t low, high;
    std::size_t maxCount;
  };
  const Row rows[] = {
      {2, 5000000, 1000000},
      {2, 5000000, 200001},
      {68719476736ULL - 1200000, 68719476736ULL + 1200000, 1000000},
      {999999999993000000ULL, 1000000000000000000ULL, 160001},
      {1000000000000000000ULL - 1500000, 1000000000000000000ULL, 1000000},
      {9223372036854775808ULL - 900000, 9223372036854775808ULL, 17},
      {1000, 3000, 1000000},
  };
  for (const Row& r : rows) {
    const std::vector<std::uint64_t> one = PrimesInRange(r.low, r.high, r.maxCount, nullptr, 1);
    ASSERT_FALSE(one.empty());
    for (unsigned threads : {2u, 3u, 5u})
      ASSERT_EQ(PrimesInRange(r.low, r.high, r.maxCount, nullptr, threads), one) << r.low << " threads " << threads;
  }
  EXPECT_GE(SearchThreadCount(), 1u);
}

// A stop asked for while the threads run ends the search with ECancelled;
// the threads have ended when it returns.
TEST(PrimesInRange, StopsWhileRunningOnSeveralThreads) {
  for (unsigned threads : {1u, 2u}) {
    TProgress progress;
    std::thread stopper([&] {
      while (progress.Fraction() <= 0) std::this_thread::yield();
      progress.Cancel();
    });
    EXPECT_THROW(PrimesInRange(1000000000000000000ULL - 4000000000ULL, 1000000000000000000ULL, 100000000, &progress,
                               threads),
                 ECancelled);
    stopper.join();
  }
}

TEST(OddPrimesUpTo, SmallLimits) {
  EXPECT_TRUE(OddPrimesUpTo(2).empty());
  EXPECT_EQ(OddPrimesUpTo(3), (std::vector<std::uint32_t>{3}));
  EXPECT_EQ(OddPrimesUpTo(30), (std::vector<std::uint32_t>{3, 5, 7, 11, 13, 17, 19, 23, 29}));
  EXPECT_EQ(OddPrimesUpTo(1u << 18).size(), 23000u - 1);  // pi(2^18) = 23000
}

TEST(IntegerSqrt64, ExactAroundSquares) {
  for (std::uint64_t r : {0ULL, 1ULL, 2ULL, 3037000499ULL, 4294967295ULL, 999999999ULL, 1000000000ULL}) {
    EXPECT_EQ(IntegerSqrt64(r * r), r);
    if (r > 0) {
      EXPECT_EQ(IntegerSqrt64(r * r - 1), r - 1);
    }
  }
  EXPECT_EQ(IntegerSqrt64(18446744073709551615ULL), 4294967295ULL);
}

}  // namespace

// The search's verdicts on sieve survivors (base 2, then the strong Lucas
// test) against the seven-base test, with the numbers that fool each half.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "numbers/int64/Prime64.h"
#include "numbers/int64/PrimeRangeVerdicts.h"

namespace {

void ExpectSameAsIsPrime64(const std::vector<std::uint64_t>& odd) {
  std::vector<std::uint8_t> v(odd.size(), 2);
  BpswVerdicts64(odd.data(), odd.size(), v.data());
  for (std::size_t i = 0; i < odd.size(); ++i) ASSERT_EQ(v[i], IsPrime64(odd[i]) ? 1 : 0) << odd[i];
}

// The composites below 200000 that pass the strong Lucas test with
// Selfridge's parameters (OEIS A217255): the Lucas half is that test and
// no variant of it.
TEST(StrongLucas64, PassesExactlyThePrimesAndTheKnownPseudoprimes) {
  const std::vector<std::uint64_t> known = {5459,   5777,   10877,  16109,  18971,  22499,  24569,
                                            25199,  40309,  58519,  75077,  97439,  100127, 113573,
                                            115639, 130139, 155819, 158399, 161027, 162133, 176399,
                                            176471, 189419, 192509, 197801};
  std::vector<std::uint64_t> found;
  for (std::uint64_t n = 3; n < 200000; n += 2) {
    const bool pass = StrongLucas64(n);
    if (IsPrime64(n)) ASSERT_TRUE(pass) << n;
    else if (pass) found.push_back(n);
  }
  EXPECT_EQ(found, known);
}

TEST(BpswVerdicts64, EveryOddNumberBelowTwoMillion) {
  std::vector<std::uint64_t> odd;
  for (std::uint64_t n = 3; n < 2000000; n += 2) odd.push_back(n);
  ExpectSameAsIsPrime64(odd);
}

// Strong pseudoprimes to base 2 (each must fall to the Lucas half), strong
// Lucas pseudoprimes (to base 2), squares, which have no Selfridge D, and
// primes near the ends of the range; in every position of a group of lanes.
TEST(BpswVerdicts64, HardCasesInEveryLane) {
  const std::vector<std::uint64_t> hard = {
      2047, 3277, 4033, 4681, 8321, 1373653, 25326001, 3215031751ULL, 4759123141ULL, 1122004669633ULL,
      2152302898747ULL, 3474749660383ULL, 341550071728321ULL, 3825123056546413051ULL,
      5459, 5777, 10877, 16109, 18971, 561, 41041, 825265, 321197185, 5394826801ULL, 232250619601ULL,
      9746347772161ULL,
      1194649, 12327121,                                       // 1093^2 and 3511^2: base-2 pseudoprimes
      1000003ULL * 1000003ULL, 3037000493ULL * 3037000493ULL,  // squares of primes above the sieve
      999999999999999989ULL, 1000000000000000003ULL, 2305843009213693951ULL, 9223372036854775783ULL,
      9223372036854775807ULL};
  for (std::size_t shift = 0; shift < 4; ++shift) {
    std::vector<std::uint64_t> odd(shift, 1000003);
    odd.insert(odd.end(), hard.begin(), hard.end());
    ExpectSameAsIsPrime64(odd);
  }
}

// Random odd numbers of every size up to 2^63, and products of two primes,
// in both groups of the Lucas part (D = 5 and the others).
TEST(BpswVerdicts64, RandomNumbersAndSemiprimes) {
  std::mt19937_64 rng(99);
  std::vector<std::uint64_t> odd;
  for (int bits = 21; bits <= 63; ++bits)
    for (int i = 0; i < 400; ++i) odd.push_back((rng() >> (64 - bits)) | 1 | (std::uint64_t{1} << (bits - 1)));
  for (int i = 0; i < 400; ++i) {
    std::uint64_t p = (rng() >> 34) | 1, q = (rng() >> 34) | 1;
    while (!IsPrime64(p)) p += 2;
    while (!IsPrime64(q)) q += 2;
    odd.push_back(p * q);
  }
  // Runs of primes, so whole groups of lanes pass base 2.
  for (std::uint64_t n = 999999999999000001ULL, k = 0; k < 300; n += 2)
    if (IsPrime64(n)) {
      odd.push_back(n);
      ++k;
    }
  ExpectSameAsIsPrime64(odd);
}

}  // namespace

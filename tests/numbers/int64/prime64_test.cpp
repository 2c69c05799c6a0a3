// The deterministic 64-bit primality test, single and batched, against a
// sieve and against GMP, with the composites that fool weaker base sets.
#include <gtest/gtest.h>

#include <gmp.h>

#include <cstdint>
#include <random>
#include <vector>

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

std::vector<std::uint8_t> Batch(const std::vector<std::uint64_t>& odd) {
  std::vector<std::uint8_t> v(odd.size(), 2);
  TestOddCandidates64(odd.data(), odd.size(), v.data());
  return v;
}

TEST(IsPrime64, EveryNumberBelowAMillionAgreesWithASieve) {
  constexpr std::uint64_t kLimit = 1000000;
  std::vector<bool> composite(kLimit + 1, false);
  composite[0] = composite[1] = true;
  for (std::uint64_t p = 2; p * p <= kLimit; ++p)
    if (!composite[p])
      for (std::uint64_t m = p * p; m <= kLimit; m += p) composite[m] = true;
  std::vector<std::uint64_t> odd;
  for (std::uint64_t n = 0; n <= kLimit; ++n) {
    ASSERT_EQ(IsPrime64(n), !composite[n]) << n;
    if (n >= 3 && n % 2) odd.push_back(n);
  }
  const std::vector<std::uint8_t> v = Batch(odd);
  for (std::size_t i = 0; i < odd.size(); ++i) ASSERT_EQ(v[i], composite[odd[i]] ? 0 : 1) << odd[i];
}

// Strong pseudoprimes to several prime bases, Carmichael numbers, the bound
// of the small base set, squares of primes and the ends of the range.
TEST(IsPrime64, HardCases) {
  struct Row {
    std::uint64_t n;
    bool prime;
  };
  const Row rows[] = {
      {2047, false},                      // strong pseudoprime to base 2
      {3215031751ULL, false},             // to 2, 3, 5, 7
      {4759123141ULL, false},             // to 2, 7, 61: where the small set ends
      {4759123139ULL, false},
      {4759123151ULL, true},
      {1122004669633ULL, false},          // to 2, 3, 5, 7, 11
      {2152302898747ULL, false},          // to 2 .. 11
      {3474749660383ULL, false},          // to 2 .. 13
      {341550071728321ULL, false},        // to 2 .. 17
      {3825123056546413051ULL, false},    // to 2 .. 23
      {561, false}, {41041, false}, {825265, false}, {321197185, false}, {5394826801ULL, false},
      {232250619601ULL, false}, {9746347772161ULL, false},
      {4294967291ULL * 4294967291ULL, false},  // the largest square of a 32-bit prime
      {4294967291ULL, true},
      {2305843009213693951ULL, true},     // 2^61 - 1
      {999999999999999989ULL, true},
      {1000000000000000003ULL, true},
      {18446744073709551557ULL, true},    // the largest prime below 2^64
      {18446744073709551615ULL, false},
      {18446744073709551613ULL, false},
  };
  std::vector<std::uint64_t> odd;
  for (const Row& r : rows) {
    EXPECT_EQ(IsPrime64(r.n), r.prime) << r.n;
    EXPECT_EQ(GmpPrime(r.n), r.prime) << r.n;  // the oracle agrees on the table
    if (r.n % 2) odd.push_back(r.n);
  }
  const std::vector<std::uint8_t> v = Batch(odd);
  for (std::size_t i = 0; i < odd.size(); ++i) EXPECT_EQ(v[i], IsPrime64(odd[i])) << odd[i];
}

// Random numbers of every size, and products of two primes of half size,
// which pass the trial divisions and reach every base.
TEST(IsPrime64, RandomNumbersAgreeWithGmp) {
  std::mt19937_64 rng(2024);
  std::vector<std::uint64_t> ns;
  for (int bits = 3; bits <= 64; ++bits)
    for (int i = 0; i < 300; ++i) {
      std::uint64_t n = rng() >> (64 - bits);
      ns.push_back(n | 1);
    }
  for (int i = 0; i < 400; ++i) {
    std::uint64_t p = (rng() >> 33) | 1, q = (rng() >> 33) | 1;
    while (!IsPrime64(p)) p += 2;
    while (!IsPrime64(q)) q += 2;
    ns.push_back(p * q);
  }
  for (std::uint64_t n : ns) ASSERT_EQ(IsPrime64(n), GmpPrime(n)) << n;
  std::vector<std::uint64_t> odd;
  for (std::uint64_t n : ns)
    if (n >= 3 && n % 2) odd.push_back(n);
  odd.push_back(3);  // a count that leaves a partial group of lanes
  const std::vector<std::uint8_t> v = Batch(odd);
  for (std::size_t i = 0; i < odd.size(); ++i) ASSERT_EQ(v[i], IsPrime64(odd[i])) << odd[i];
}

}  // namespace

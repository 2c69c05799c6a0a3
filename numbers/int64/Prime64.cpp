#include "numbers/int64/Prime64.h"

#include <algorithm>
#include <bit>

#include "numbers/int64/Montgomery64.h"

namespace {

constexpr std::uint64_t kSmallBound = 4759123141ULL;
constexpr std::uint64_t kSmallBases[] = {7, 61};
constexpr std::uint64_t kLargeBases[] = {325, 9375, 28178, 450775, 9780504, 1795265022};
constexpr int kLanes = 4;  // measured best; more lanes spill registers

// The strong test's end: x = a^d (Montgomery form); n passes when x is 1
// or one of x^(2^r), r < s, is -1.
bool StrongEnd(const TMontgomery64& m, std::uint64_t x, int s) {
  const std::uint64_t minusOne = m.n - m.r1;
  if (x == m.r1 || x == minusOne) return true;
  for (int r = 1; r < s; ++r) {
    x = m.Mul(x, x);
    if (x == minusOne) return true;
    if (x == m.r1) return false;
  }
  return false;
}

// The bases after 2 for one odd n that passed base 2, all powered at once
// with the shared exponent d, four bits at a time from a table of the first
// sixteen powers: no branch on the exponent's bits, and the K chains overlap.
template <std::size_t K>
bool FurtherBases(const TMontgomery64& m, const std::uint64_t (&bases)[K], std::uint64_t d, int s) {
  std::uint64_t table[16][K];
  std::uint64_t x[K];
  bool skip[K];
  for (std::size_t j = 0; j < K; ++j) {
    const std::uint64_t a = bases[j] % m.n;
    skip[j] = a == 0;  // a base that is a multiple of n says nothing
    table[0][j] = m.r1;
    table[1][j] = m.To(a);
  }
  for (int i = 2; i < 16; ++i)
    for (std::size_t j = 0; j < K; ++j) table[i][j] = m.Mul(table[i - 1][j], table[1][j]);
  int shift = (63 - std::countl_zero(d)) / 4 * 4;
  for (std::size_t j = 0; j < K; ++j) x[j] = table[(d >> shift) & 15][j];
  for (shift -= 4; shift >= 0; shift -= 4) {
    for (int r = 0; r < 4; ++r)
      for (std::size_t j = 0; j < K; ++j) x[j] = m.Mul(x[j], x[j]);
    const std::size_t digit = (d >> shift) & 15;
    for (std::size_t j = 0; j < K; ++j) x[j] = m.Mul(x[j], table[digit][j]);
  }
  for (std::size_t j = 0; j < K; ++j)
    if (!skip[j] && !StrongEnd(m, x[j], s)) return false;
  return true;
}

bool FurtherBasesFor(const TMontgomery64& m, std::uint64_t d, int s) {
  return m.n < kSmallBound ? FurtherBases(m, kSmallBases, d, s) : FurtherBases(m, kLargeBases, d, s);
}

}  // namespace

void TestOddCandidates64(const std::uint64_t* c, std::size_t count, std::uint8_t* isPrime) {
  for (std::size_t start = 0; start < count; start += kLanes) {
    const int lanes = static_cast<int>(std::min<std::size_t>(kLanes, count - start));
    TMontgomery64 m[kLanes] = {TMontgomery64(3), TMontgomery64(3), TMontgomery64(3), TMontgomery64(3)};
    std::uint64_t d[kLanes] = {};
    int s[kLanes] = {};
    std::uint64_t x[kLanes];
    int top = 0;
    for (int j = 0; j < lanes; ++j) {
      m[j] = TMontgomery64(c[start + j]);
      s[j] = std::countr_zero(c[start + j] - 1);
      d[j] = (c[start + j] - 1) >> s[j];
      top = std::max(top, 63 - std::countl_zero(d[j]));
    }
    // 2^d by squaring and doubling; the lanes are independent chains, so
    // their multiplications overlap. A lane with a shorter exponent just
    // squares its 1 until its own top bit.
    for (int j = 0; j < kLanes; ++j) x[j] = m[j].r1;
    for (int bit = top; bit >= 0; --bit) {
      for (int j = 0; j < kLanes; ++j) {
        const std::uint64_t sq = m[j].Mul(x[j], x[j]);
        const std::uint64_t twice = m[j].Add(sq, sq);
        const std::uint64_t take = 0 - ((d[j] >> bit) & 1);  // a mask, not a branch
        x[j] = (twice & take) | (sq & ~take);
      }
    }
    for (int j = 0; j < lanes; ++j)
      isPrime[start + j] = StrongEnd(m[j], x[j], s[j]) && FurtherBasesFor(m[j], d[j], s[j]);
  }
}

bool IsPrime64(std::uint64_t n) {
  if (n < 2) return false;
  constexpr std::uint64_t kTrial[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53};
  for (std::uint64_t p : kTrial) {
    if (n == p) return true;
    if (n % p == 0) return false;
  }
  if (n < 59 * 59) return true;
  const TMontgomery64 m(n);
  const int s = std::countr_zero(n - 1);
  const std::uint64_t d = (n - 1) >> s;
  if (!StrongEnd(m, m.Pow(m.Add(m.r1, m.r1), d), s)) return false;
  return FurtherBasesFor(m, d, s);
}

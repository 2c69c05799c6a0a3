#include "numbers/int64/PrimeRangeVerdicts.h"

#include <algorithm>
#include <array>
#include <utility>
#include <bit>
#include <vector>

#include "numbers/int64/Montgomery64.h"
#include "numbers/int64/Prime64.h"
#include "numbers/int64/PrimeRange.h"

namespace {

constexpr int kLanes = 4;  // independent chains that keep the multiplier busy without spilling
// Below this the seven-base test is as quick, and it needs none of the
// conditions of the Lucas part (n prime to D and Q, n above |D|).
constexpr std::uint64_t kSmall = std::uint64_t{1} << 20;

// kLanes copies of the arithmetic modulo n, for the lanes to overwrite.
template <std::size_t... I>
std::array<TMontgomery64, sizeof...(I)> Lanes(std::uint64_t n, std::index_sequence<I...>) {
  return {((void)I, TMontgomery64(n))...};
}

// All-ones when c, else zero: lanes pick values without branches.
inline std::uint64_t Mask(bool c) { return 0 - static_cast<std::uint64_t>(c); }
inline std::uint64_t Pick(std::uint64_t mask, std::uint64_t yes, std::uint64_t no) {
  return (yes & mask) | (no & ~mask);
}
// x * 2^shift mod n for x < n < 2^63 and shift 0 or 1: the doubled value
// still fits the word, and one subtraction reduces it.
inline std::uint64_t Doubled(std::uint64_t x, std::uint64_t shift, std::uint64_t n) {
  const std::uint64_t s = x << shift;
  return s >= n ? s - n : s;
}

// The Jacobi symbol (a/n), n odd.
int Jacobi(std::uint64_t a, std::uint64_t n) {
  a %= n;
  int t = 1;
  while (a != 0) {
    while ((a & 1) == 0) {
      a >>= 1;
      const std::uint64_t r = n & 7;
      if (r == 3 || r == 5) t = -t;
    }
    std::swap(a, n);
    if ((a & 3) == 3 && (n & 3) == 3) t = -t;
    a %= n;
  }
  return n == 1 ? t : 0;
}

// (r/m) for the odd m below kTableModuli and every r < m: the Selfridge
// search mostly ends at D = 5 or -7.
constexpr std::uint32_t kTableModuli = 32;
struct TJacobiTable {
  std::int8_t value[kTableModuli][kTableModuli] = {};
  TJacobiTable() {
    for (std::uint32_t m = 3; m < kTableModuli; m += 2)
      for (std::uint32_t r = 0; r < m; ++r) value[m][r] = static_cast<std::int8_t>(Jacobi(r, m));
  }
};
const TJacobiTable kJacobi;

// n mod m for the small odd m, by a division the compiler turns into a
// multiplication where m is a constant.
std::uint64_t ModSmall(std::uint64_t n, std::uint64_t m) {
  switch (m) {
    case 5: return n % 5;
    case 7: return n % 7;
    case 9: return n % 9;
    case 11: return n % 11;
    case 13: return n % 13;
    case 15: return n % 15;
    case 17: return n % 17;
    default: return n % m;
  }
}

// (D/n) for a small odd D, by reciprocity: one division of n, the rest on
// small numbers.
int JacobiSmall(std::int64_t d, std::uint64_t n) {
  const std::uint64_t ad = static_cast<std::uint64_t>(d < 0 ? -d : d);
  const std::uint64_t r = ModSmall(n, ad);
  int t = ad < kTableModuli ? kJacobi.value[ad][r] : Jacobi(r, ad);
  if (((ad & 3) == 3) && ((n & 3) == 3)) t = -t;  // (|D|/n) = (n/|D|) unless both are 3 mod 4
  if (d < 0 && (n & 3) == 3) t = -t;              // (-1/n)
  return t;
}

// Selfridge's D: the first of 5, -7, 9, -11, 13, ... with (D/n) = -1.
// 0 when the search shows n composite: a square (for which no D exists),
// or a factor shared with D or Q = (1 - D) / 4. n odd and at least kSmall.
std::int64_t SelfridgeD(std::uint64_t n) {
  std::int64_t d = 5;
  for (int tried = 0;; ++tried) {
    const int j = JacobiSmall(d, n);
    if (j == 0) return 0;  // |D| < n shares a factor with it
    if (j < 0) break;
    if (tried == 4) {
      const std::uint64_t r = IntegerSqrt64(n);
      if (r * r == n) return 0;
    }
    d = d > 0 ? -(d + 2) : -d + 2;
  }
  const std::int64_t q = (1 - d) / 4;
  const std::uint64_t aq = static_cast<std::uint64_t>(q < 0 ? -q : q);
  if (aq > 1 && n % aq == 0) return 0;
  return d;
}

// n passes the strong test to base 2, for up to kLanes numbers at once.
void Base2Lanes(const std::uint64_t* c, int lanes, bool* pass) {
  auto m = Lanes(c[0], std::make_index_sequence<kLanes>{});
  std::uint64_t d[kLanes] = {}, x[kLanes];
  int s[kLanes] = {};
  int top = 0;
  for (int j = 0; j < lanes; ++j) {
    m[j] = TMontgomery64(c[j]);
    s[j] = std::countr_zero(c[j] - 1);
    d[j] = (c[j] - 1) >> s[j];
    top = std::max(top, 63 - std::countl_zero(d[j]));
  }
  // 2^d by squaring and doubling; a lane with a shorter exponent squares its
  // 1 until its own top bit.
  for (int j = 0; j < kLanes; ++j) x[j] = m[j].r1;
  for (int bit = top; bit >= 0; --bit)
    for (int j = 0; j < kLanes; ++j) {
      x[j] = Doubled(m[j].Mul(x[j], x[j]), (d[j] >> bit) & 1, m[j].n);
    }
  for (int j = 0; j < lanes; ++j) {
    const std::uint64_t minusOne = m[j].n - m[j].r1;
    std::uint64_t y = x[j];
    bool ok = y == m[j].r1 || y == minusOne;
    for (int r = 1; r < s[j] && !ok; ++r) {
      y = m[j].Mul(y, y);
      if (y == m[j].r1) break;
      ok = y == minusOne;
    }
    pass[j] = ok;
  }
}

// The strong Lucas test with P = 1, Q = (1 - D) / 4, for up to kLanes
// numbers at once. Only V is carried: V_k, V_(k+1) and Q^k, Q^(k+1) step by
// V_2k = V_k^2 - 2 Q^k, V_(2k+1) = V_k V_(k+1) - P Q^k, and U_d = 0 is read
// from D U_d = 2 V_(d+1) - P V_d (D is prime to n). With Q = -1 (D = 5, half
// of all primes) the powers of Q are signs and cost no products.
template <bool kQIsMinusOne>
void LucasLanes(const std::uint64_t* c, const std::int64_t* ds, int lanes, bool* pass) {
  auto m = Lanes(c[0], std::make_index_sequence<kLanes>{});
  std::uint64_t d[kLanes], v0[kLanes], v1[kLanes], qk[kLanes], qk1[kLanes];
  int s[kLanes] = {};
  int top = 0;
  for (int j = 0; j < kLanes; ++j) {
    const int from = j < lanes ? j : 0;  // idle lanes repeat the first
    m[j] = TMontgomery64(c[from]);
    s[j] = std::countr_zero(c[from] + 1);
    d[j] = (c[from] + 1) >> s[j];
    top = std::max(top, 63 - std::countl_zero(d[j]));
    const std::int64_t q = (1 - ds[from]) / 4;
    v0[j] = m[j].Add(m[j].r1, m[j].r1);  // V_0 = 2
    v1[j] = m[j].r1;                     // V_1 = P = 1
    qk[j] = m[j].r1;
    qk1[j] = m[j].To(q < 0 ? c[from] - static_cast<std::uint64_t>(-q) : static_cast<std::uint64_t>(q));
  }
  // Leading zero bits keep (V_0, V_1, Q^0, Q^1) as they are, so lanes of
  // different lengths share the loop.
  for (int bit = top; bit >= 0; --bit)
    for (int j = 0; j < kLanes; ++j) {
      const TMontgomery64& mj = m[j];
      const std::uint64_t b = Mask((d[j] >> bit) & 1);
      const std::uint64_t a = v0[j] ^ ((v0[j] ^ v1[j]) & b);    // V_(k + bit)
      const std::uint64_t qa = qk[j] ^ ((qk[j] ^ qk1[j]) & b);  // Q^(k + bit)
      const std::uint64_t sq = mj.Mul(a, a);                      // V_(2k + 2 bit) + 2 Q^(k + bit)
      const std::uint64_t pr = mj.Mul(v0[j], v1[j]);              // V_(2k+1) + Q^k
      const std::uint64_t odd = mj.Sub(pr, qk[j]);
      const std::uint64_t even = mj.Sub(sq, Doubled(qa, 1, mj.n));
      const std::uint64_t flip = (odd ^ even) & b;
      v0[j] = even ^ flip;
      v1[j] = odd ^ flip;
      if constexpr (kQIsMinusOne) {
        // Q^k = (-1)^k: the new k ends in this bit.
        const std::uint64_t minusOne = mj.n - mj.r1;
        qk[j] = mj.r1 ^ ((mj.r1 ^ minusOne) & b);
        qk1[j] = mj.n - qk[j];
      } else {
        const std::uint64_t q0 = mj.Mul(qk[j], qa), q1 = mj.Mul(qk1[j], qa);  // Q^(2k+bit), Q^(2k+bit+1)
        qk[j] = q0;
        qk1[j] = q1;
      }
    }
  for (int j = 0; j < lanes; ++j) {
    std::uint64_t v = v0[j], q = qk[j];
    bool ok = v == 0 || m[j].Add(v1[j], v1[j]) == v;
    for (int r = 1; r < s[j] && !ok; ++r) {
      v = m[j].Sub(m[j].Mul(v, v), m[j].Add(q, q));
      q = m[j].Mul(q, q);
      ok = v == 0;
    }
    pass[j] = ok;
  }
}

void LucasAny(const std::uint64_t* c, const std::int64_t* ds, int lanes, bool* pass) {
  bool minusOne = true;
  for (int j = 0; j < lanes; ++j) minusOne = minusOne && ds[j] == 5;
  if (minusOne) LucasLanes<true>(c, ds, lanes, pass);
  else LucasLanes<false>(c, ds, lanes, pass);
}

}  // namespace

bool StrongLucas64(std::uint64_t n) {
  if (n < kSmall) {
    // The same test on small numbers, with the conditions checked here.
    std::int64_t d = 5;
    for (;;) {
      const std::uint64_t ad = static_cast<std::uint64_t>(d < 0 ? -d : d);
      const std::uint64_t r = IntegerSqrt64(n);
      if (r * r == n) return false;
      const int j = Jacobi(d < 0 ? (n - ad % n) % n : ad, n);
      if (j == 0) return n == ad;
      if (j < 0) break;
      d = d > 0 ? -(d + 2) : -d + 2;
    }
    bool pass = false;
    LucasAny(&n, &d, 1, &pass);
    return pass;
  }
  const std::int64_t d = SelfridgeD(n);
  if (d == 0) return false;
  bool pass = false;
  LucasAny(&n, &d, 1, &pass);
  return pass;
}

void BpswVerdicts64(const std::uint64_t* c, std::size_t count, std::uint8_t* isPrime) {
  // Base 2 on every number, in groups of lanes; the few that pass (the
  // primes, and rare pseudoprimes) gather for the Lucas part.
  std::vector<std::size_t> passed;
  passed.reserve(count / 2 + 1);
  std::uint64_t group[kLanes];
  std::size_t where[kLanes];
  int filled = 0;
  auto flushBase2 = [&]() {
    bool pass[kLanes];
    Base2Lanes(group, filled, pass);
    for (int j = 0; j < filled; ++j) {
      isPrime[where[j]] = 0;
      if (pass[j]) passed.push_back(where[j]);
    }
    filled = 0;
  };
  for (std::size_t i = 0; i < count; ++i) {
    if (c[i] < kSmall) {
      isPrime[i] = IsPrime64(c[i]);
      continue;
    }
    group[filled] = c[i];
    where[filled++] = i;
    if (filled == kLanes) flushBase2();
  }
  if (filled) flushBase2();

  // The numbers with D = 5 run apart: their lanes need no powers of Q.
  std::int64_t ds[2][kLanes];
  std::uint64_t groups[2][kLanes];
  std::size_t wheres[2][kLanes];
  int fill[2] = {0, 0};
  auto flushLucas = [&](int g) {
    bool pass[kLanes];
    LucasAny(groups[g], ds[g], fill[g], pass);
    for (int j = 0; j < fill[g]; ++j) isPrime[wheres[g][j]] = pass[j];
    fill[g] = 0;
  };
  for (std::size_t i : passed) {
    const std::int64_t d = SelfridgeD(c[i]);
    if (d == 0) continue;  // composite; its verdict is already 0
    const int g = d == 5 ? 0 : 1;
    groups[g][fill[g]] = c[i];
    ds[g][fill[g]] = d;
    wheres[g][fill[g]++] = i;
    if (fill[g] == kLanes) flushLucas(g);
  }
  for (int g = 0; g < 2; ++g)
    if (fill[g]) flushLucas(g);
}

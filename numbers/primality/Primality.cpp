#include "numbers/primality/Primality.h"

#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "numbers/montgomery/ModPower.h"
#include "numbers/montgomery/MontPower.h"
#include "numbers/montgomery/MontgomeryWords.h"
#include "numbers/primality/PrimeTable.h"
#include "numbers/primality/Random.h"

namespace {

const TBigInt& One() {
  static const TBigInt one = BigIntFromInt64(1);
  return one;
}

bool EqualsSmall(const TBigInt& a, std::int64_t v) {
  return a.Count() == 1 && a.Digit(1) == v;
}

TBigInt Magnitude(const TBigInt& n) {
  TBigInt m;
  CopyBigInt(n, m);
  MakePositiveBigInt(m);
  return m;
}

// Jacobi symbol (a/m), m odd positive, a >= 0.
int JacobiSmall(std::int64_t a, std::int64_t m) {
  int result = 1;
  a %= m;
  while (a != 0) {
    while ((a & 1) == 0) {
      a >>= 1;
      const std::int64_t r = m & 7;
      if (r == 3 || r == 5) result = -result;
    }
    std::swap(a, m);
    if ((a & 3) == 3 && (m & 3) == 3) result = -result;
    a %= m;
  }
  return m == 1 ? result : 0;
}

}  // namespace

int JacobiBigInt(std::int64_t d, const TBigInt& n) {
  const std::int64_t nLow = n.Digit(1);  // n mod 2^31, enough for n mod 8
  int sign = 1;
  if (d < 0) {
    d = -d;
    if ((nLow & 3) == 3) sign = -sign;  // (-1/n)
  }
  // Factor out twos of d: (2/n) = -1 when n = 3, 5 (mod 8).
  while (d > 0 && (d & 1) == 0) {
    d >>= 1;
    if ((nLow & 7) == 3 || (nLow & 7) == 5) sign = -sign;
  }
  if (d == 1) return sign;
  if (d == 0) return EqualsSmall(n, 1) ? sign : 0;
  // Reciprocity for odd d: (d/n) = (n/d) * (-1)^((d-1)/2 * (n-1)/2).
  TBigInt t = Magnitude(n);
  const std::int64_t r = DivideBySmallBigInt(t, d);
  if ((d & 3) == 3 && (nLow & 3) == 3) sign = -sign;
  return sign * JacobiSmall(r, d);
}

bool IsPerfectSquareBigInt(const TBigInt& n) {
  const TBigInt m = Magnitude(n);
  if (m.IsZero()) return true;
  // Newton's iteration from above: x0 = 2^ceil(bits/2) >= sqrt(m).
  const std::int64_t bits = BigIntBitLength(m);
  TBigInt x, q, sum;
  PowerBigInt(BigIntFromInt64(2), BigIntFromInt64((bits + 1) / 2), x);
  for (;;) {
    DivideBigInt(m, x, q);
    AddBigInt(x, q, sum);
    HalveBigInt(sum);
    if (BigIntCompareMagnitude(sum, x) != foLess) break;
    x = sum;
  }
  TBigInt sq;
  SquareBigInt(x, sq);
  return BigIntCompareMagnitude(sq, m) == foEqual;
}

namespace {

// One Rabin-Miller pass after x = a^d: the squarings of x; false when n is
// proved composite. The TBigInt version, for moduli beyond the unrolled
// kernels.
bool SquaringsPass(TBigInt& x, const TBigInt& nm, const TBigInt& nMinus1, std::int64_t s) {
  TBigInt t;
  if (BigIntCompareMagnitude(x, One()) == foEqual || BigIntCompareMagnitude(x, nMinus1) == foEqual) return true;
  bool verdict = true;
  std::int64_t c = 0;
  while (verdict && c < s) {
    if (c > 0 && BigIntCompareMagnitude(x, One()) == foEqual) {
      verdict = false;
    } else {
      ++c;
      const bool isMinus1 = BigIntCompareMagnitude(x, nMinus1) == foEqual;
      if (c < s && !isMinus1) {
        SquareModBigInt(x, nm, t);
        x = std::move(t);
        if (BigIntCompareMagnitude(x, nMinus1) == foEqual) c = s;
      } else if (c >= s && !isMinus1) {
        verdict = false;
      }
    }
  }
  return verdict;
}

// The passes on the unrolled kernels: a^d by PowSmallBase and the squarings
// in Montgomery form, where x = 1 and x = n - 1 are the forms of 1 and -1.
template <int N>
bool RabinMillerPasses(const TBigInt& nm, const TBigInt& d, std::int64_t s, int passes,
                       TRandomGenerator& random) {
  using M = montk::TMontN<N>;
  montk::Limb words[N], minus1[N], x[N];
  BigIntToWords(nm, words, N);
  const M m(words);
  m.Neg(minus1, m.One());
  const montk::Limb* one = m.One();
  bool verdict = true;
  for (int pass = 0; pass < passes && verdict; ++pass) {
    const auto index = static_cast<std::size_t>(random.Below(kPrimeTableDrawn));
    montk::Limb a = static_cast<montk::Limb>(kPrimeTable[index]);
    if (N == 1 && a >= words[0]) a %= words[0];
    montk::PowSmallBase<N>(m, x, a, d);
    if (M::IsZero(x)) continue;  // a = n: no information, a passed round
    if (M::Equal(x, one) || M::Equal(x, minus1)) continue;
    std::int64_t c = 0;
    while (verdict && c < s) {
      if (c > 0 && M::Equal(x, one)) {
        verdict = false;
      } else {
        ++c;
        const bool isMinus1 = M::Equal(x, minus1);
        if (c < s && !isMinus1) {
          m.Sqr(x, x);
          if (M::Equal(x, minus1)) c = s;
        } else if (c >= s && !isMinus1) {
          verdict = false;
        }
      }
    }
  }
  return verdict;
}

}  // namespace

bool RabinMillerBigInt(const TBigInt& n, int passes) {
  const TBigInt nm = Magnitude(n);
  if (nm.Count() == 1 && nm.Digit(1) < 3) return nm.Digit(1) == 2;  // outside the domain
  TRandomGenerator& random = RandomGenerator();
  random.Reseed();
  TBigInt nMinus1, d;
  SubtractBigInt(nm, One(), nMinus1);
  CopyBigInt(nMinus1, d);
  std::int64_t s = 0;
  while ((d.Digit(1) & 1) == 0) {
    ++s;
    HalveBigInt(d);
  }
  random.Reseed();
  const int k = static_cast<int>((BigIntBitLength(nm) + 63) / 64);
  if (k <= montk::kMaxFixedWords)
    return montk::DispatchWords(k, [&]<int N>() { return RabinMillerPasses<N>(nm, d, s, passes, random); });
  bool verdict = true;
  TBigInt a, x;
  for (int pass = 0; pass < passes && verdict; ++pass) {
    const auto index = static_cast<std::size_t>(random.Below(kPrimeTableDrawn));
    DecimalToBigInt(std::to_string(kPrimeTable[index]), a);
    ModPowerBigInt(a, d, nm, x);
    if (x.IsZero()) continue;  // a = n: no information, a passed round
    verdict = SquaringsPass(x, nm, nMinus1, s);
  }
  return verdict;
}

namespace {

// The strong Lucas chain on the unrolled kernels, for |q| < 2^32: the same
// residues as the generic loop below, with Q^(k+1) = Q^k Q taken as a
// product by a small factor, and no powers of Q formed at all when Q = +-1
// (then Q^k is 1 or Q by the parity of k).
template <int N>
bool LucasChain(const TBigInt& nm, std::int64_t q, const TBigInt& e, std::int64_t s) {
  using M = montk::TMontN<N>;
  montk::Limb words[N];
  BigIntToWords(nm, words, N);
  const M m(words);
  const montk::Limb qa = static_cast<montk::Limb>(q < 0 ? -q : q);
  const bool unit = qa == 1;
  montk::Limb vk[N], vk1[N], qk[N], qm[N], t[N], u[N];
  m.Add(vk, m.One(), m.One());  // V_0 = 2
  M::Copy(vk1, m.One());        // V_1 = P = 1
  M::Copy(qk, m.One());         // Q^0
  m.MulSmall(qm, m.One(), qa);
  if (q < 0) m.Neg(qm, qm);
  const std::int64_t bits = BigIntBitLength(e);
  if (unit) {
    // Q^k is 1 for even k and Q for odd k: 2 Q^k is one of two constants.
    montk::Limb two[N], twoQ[N];
    m.Add(two, m.One(), m.One());
    m.Add(twoQ, qm, qm);
    bool odd = false;  // k odd
    if (m.LazyFits()) {
      // The same steps unreduced, with two squares a bit in place of the
      // product V_k V_k+1 (a square costs less): V_2k = V_k^2 - 2 Q^k,
      // V_2k+2 = V_k+1^2 - 2 Q^(k+1) and, from V_m+1 = P V_m - Q V_m-1 with
      // P = 1, V_2k+1 = V_2k+2 + Q V_2k. The constants subtracted are added
      // as n - c and -V_2k as 3n - V_2k, so every V stays below 6n, whose
      // squares need no final subtraction.
      montk::Limb minusTwo[N], minusTwoQ[N], threeN[N], s0[N], s1[N];
      m.Neg(minusTwo, two);
      m.Neg(minusTwoQ, twoQ);
      limb64::AddN<N>(threeN, m.Modulus(), m.Modulus());
      limb64::AddN<N>(threeN, threeN, m.Modulus());
      for (std::int64_t i = bits - 1; i >= 0; --i) {
        m.SqrLazy(s0, vk);
        m.SqrLazy(s1, vk1);
        limb64::AddN<N>(s0, s0, odd ? minusTwoQ : minusTwo);  // V_2k
        limb64::AddN<N>(s1, s1, odd ? minusTwo : minusTwoQ);  // V_2k+2
        if (q < 0) {
          limb64::SubN<N>(t, threeN, s0);
          limb64::AddN<N>(t, t, s1);  // V_2k+1
        } else {
          limb64::AddN<N>(t, s1, s0);
        }
        if (montk::ExponentBit(e, i)) {
          M::Copy(vk, t);
          M::Copy(vk1, s1);
          odd = true;
        } else {
          M::Copy(vk, s0);
          M::Copy(vk1, t);
          odd = false;
        }
      }
      m.MulSmall(vk, vk, 1);
      m.MulSmall(vk1, vk1, 1);
    } else {
      for (std::int64_t i = bits - 1; i >= 0; --i) {
        m.Mul(t, vk, vk1);
        m.Sub(t, t, odd ? qm : m.One());  // V_2k+1
        if (montk::ExponentBit(e, i)) {
          m.Sqr(vk1, vk1);
          m.Sub(vk1, vk1, odd ? two : twoQ);  // V_2k+2
          M::Copy(vk, t);
          odd = true;
        } else {
          m.Sqr(vk, vk);
          m.Sub(vk, vk, odd ? twoQ : two);  // V_2k
          M::Copy(vk1, t);
          odd = false;
        }
      }
    }
    M::Copy(qk, odd ? qm : m.One());
  }
  for (std::int64_t i = bits - 1; !unit && i >= 0; --i) {
    m.Mul(t, vk, vk1);
    m.Sub(t, t, qk);  // V_2k+1
    if (montk::ExponentBit(e, i)) {
      montk::Limb qk1[N];
      m.MulSmall(qk1, qk, qa);  // Q^(k+1)
      if (q < 0) m.Neg(qk1, qk1);
      m.Sqr(vk1, vk1);
      m.Add(u, qk1, qk1);
      m.Sub(vk1, vk1, u);  // V_2k+2
      M::Copy(vk, t);
      m.Sqr(qk, qk);
      m.MulSmall(qk, qk, qa);
      if (q < 0) m.Neg(qk, qk);  // Q^(2k+1)
    } else {
      m.Sqr(vk, vk);
      m.Add(u, qk, qk);
      m.Sub(vk, vk, u);  // V_2k
      M::Copy(vk1, t);
      m.Sqr(qk, qk);  // Q^2k
    }
  }
  m.Add(t, vk1, vk1);
  if (M::Equal(t, vk)) return true;
  for (std::int64_t r = 0; r < s; ++r) {
    if (M::IsZero(vk)) return true;
    if (r + 1 < s) {
      m.Sqr(vk, vk);
      m.Add(u, qk, qk);
      m.Sub(vk, vk, u);  // V_(2^(r+1) e)
      if (unit)
        M::Copy(qk, m.One());
      else
        m.Sqr(qk, qk);
    }
  }
  return false;
}

}  // namespace

bool StrongLucasBigInt(const TBigInt& n) {
  const TBigInt nm = Magnitude(n);
  if (nm.Count() == 1 && nm.Digit(1) < 3) return nm.Digit(1) == 2;
  if ((nm.Digit(1) & 1) == 0) return false;
  std::int64_t nSmall = 0;
  const bool small = BigIntToInt64(nm, nSmall);
  // Selfridge's method A.
  std::int64_t d = 5;
  for (int attempt = 0;; ++attempt) {
    if (attempt == 6 && IsPerfectSquareBigInt(nm)) return false;
    const int j = JacobiBigInt(d, nm);
    if (j == -1) break;
    if (j == 0) {
      TBigInt t = nm;
      const std::int64_t r = DivideBySmallBigInt(t, std::llabs(d));
      const std::int64_t g = std::gcd(std::llabs(d), r);
      if (!(small && g == nSmall)) return false;  // a proper factor of n
    }
    d = d > 0 ? -(d + 2) : -d + 2;
  }
  const std::int64_t q = (1 - d) / 4;

  // n + 1 = e * 2^s with e odd.
  TBigInt e;
  AddBigInt(nm, One(), e);
  std::int64_t s = 0;
  while ((e.Digit(1) & 1) == 0) {
    ++s;
    HalveBigInt(e);
  }
  const int words = static_cast<int>((BigIntBitLength(nm) + 63) / 64);
  if (words <= montk::kMaxFixedWords && std::llabs(q) < (std::int64_t{1} << 32))
    return montk::DispatchWords(words, [&]<int N>() { return LucasChain<N>(nm, q, e, s); });
  const TMontgomeryWords m(nm);
  const std::size_t k = static_cast<std::size_t>(m.Words());
  std::vector<std::uint64_t> store(7 * k);
  std::uint64_t* vk = store.data();
  std::uint64_t* vk1 = vk + k;
  std::uint64_t* qk = vk1 + k;
  std::uint64_t* qm = qk + k;
  std::uint64_t* t = qm + k;
  std::uint64_t* u = t + k;
  std::uint64_t* qk1 = u + k;
  m.LoadSmall(vk, 2);                               // V_0 = 2
  std::copy(m.One(), m.One() + k, vk1);            // V_1 = P = 1
  std::copy(m.One(), m.One() + k, qk);             // Q^0
  m.LoadSmall(qm, q);

  // Lucas chain over the bits of e, keeping (V_k, V_{k+1}, Q^k), P = 1:
  // V_2k = V_k^2 - 2Q^k, V_2k+1 = V_k V_k+1 - Q^k.
  const std::int64_t bits = BigIntBitLength(e);
  for (std::int64_t i = bits - 1; i >= 0; --i) {
    const bool bit = (e.Cells[static_cast<std::size_t>(i / 31) + 1] >> (i % 31)) & 1;
    m.Multiply(t, vk, vk1);
    m.Subtract(t, t, qk);  // V_2k+1
    if (bit) {
      m.Multiply(qk1, qk, qm);  // Q^(k+1)
      m.Square(vk1, vk1);
      m.Add(u, qk1, qk1);
      m.Subtract(vk1, vk1, u);  // V_2k+2
      std::copy(t, t + k, vk);
      m.Multiply(qk, qk, qk1);  // Q^(2k+1)
    } else {
      m.Square(vk, vk);
      m.Add(u, qk, qk);
      m.Subtract(vk, vk, u);  // V_2k
      std::copy(t, t + k, vk1);
      m.Square(qk, qk);  // Q^2k
    }
  }
  // U_e = 0 exactly when D U_e = 2 V_(e+1) - P V_e = 0 (gcd(D, n) = 1).
  m.Add(t, vk1, vk1);
  if (m.Equal(t, vk)) return true;
  for (std::int64_t r = 0; r < s; ++r) {
    if (m.IsZero(vk)) return true;
    if (r + 1 < s) {
      m.Square(vk, vk);
      m.Add(u, qk, qk);
      m.Subtract(vk, vk, u);  // V_(2^(r+1) e)
      m.Square(qk, qk);
    }
  }
  return false;
}

bool IsPrimeNumber(const TBigInt& n) {
  const TBigInt& one = One();
  static const TBigInt two = BigIntFromInt64(2);
  if (BigIntCompareMagnitude(n, one) == foEqual) return false;
  if (BigIntCompareMagnitude(n, two) == foEqual) return true;
  if (!IsOddBigInt(n)) return false;
  return RabinMillerBigInt(n, 4) && StrongLucasBigInt(n);
}

void NextPrimeBigInt(TBigInt& n) {
  if ((n.Cells[1] & 1) == 0) n.Cells[1] += 1;
  static const TBigInt two = BigIntFromInt64(2);
  TBigInt t;
  while (!IsPrimeNumber(n)) {
    AddBigInt(n, two, t);
    CopyBigInt(t, n);
  }
}

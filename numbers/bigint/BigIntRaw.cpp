// The raw digit-array layer: basecase arithmetic and long division.
#include "numbers/bigint/BigIntRaw.h"

#include <algorithm>
#include <cstring>

#include "numbers/limb/Limbs64.h"

namespace bigraw {

namespace {
// Basecase operands up to this length use a buffer on the stack.
constexpr Size kBasecaseMax = 256;
}  // namespace

int Cmp(const Digit* a, Size na, const Digit* b, Size nb) {
  if (na != nb) return na > nb ? 1 : -1;
  return CmpN(a, b, na);
}

int CmpN(const Digit* a, const Digit* b, Size n) {
  while (n > 0) {
    --n;
    if (a[n] != b[n]) return a[n] > b[n] ? 1 : -1;
  }
  return 0;
}

void Zero(Digit* r, Size n) {
  if (n) std::memset(r, 0, n * sizeof(Digit));
}

void Copy(Digit* r, const Digit* a, Size n) {
  if (n && r != a) std::memmove(r, a, n * sizeof(Digit));
}

U64 AddN(Digit* r, const Digit* a, const Digit* b, Size n) {
  U64 c = 0;
  for (Size i = 0; i < n; ++i) {
    U64 t = static_cast<U64>(a[i]) + static_cast<U64>(b[i]) + c;
    r[i] = static_cast<Digit>(t & kMask);
    c = t >> kBits;
  }
  return c;
}

U64 Add1(Digit* r, const Digit* a, Size n, U64 c) {
  Size i = 0;
  for (; i < n && c; ++i) {
    U64 t = static_cast<U64>(a[i]) + c;
    r[i] = static_cast<Digit>(t & kMask);
    c = t >> kBits;
  }
  if (r != a) Copy(r + i, a + i, n - i);
  return c;
}

U64 Add(Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  U64 c = AddN(r, a, b, nb);
  return Add1(r + nb, a + nb, na - nb, c);
}

U64 SubN(Digit* r, const Digit* a, const Digit* b, Size n) {
  U64 br = 0;
  for (Size i = 0; i < n; ++i) {
    U64 t = static_cast<U64>(a[i]) - static_cast<U64>(b[i]) - br;
    r[i] = static_cast<Digit>(t & kMask);
    br = t >> 63;  // wrapped below zero
  }
  return br;
}

U64 Sub1(Digit* r, const Digit* a, Size n, U64 c) {
  Size i = 0;
  for (; i < n && c; ++i) {
    U64 t = static_cast<U64>(a[i]) - c;
    r[i] = static_cast<Digit>(t & kMask);
    c = t >> 63;
  }
  if (r != a) Copy(r + i, a + i, n - i);
  return c;
}

U64 Sub(Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  U64 br = SubN(r, a, b, nb);
  return Sub1(r + nb, a + nb, na - nb, br);
}

U64 Mul1(Digit* r, const Digit* a, Size n, U64 m) {
  U64 c = 0;
  for (Size i = 0; i < n; ++i) {
    U64 t = static_cast<U64>(a[i]) * m + c;  // < 2^31 * 2^32 + 2^33
    r[i] = static_cast<Digit>(t & kMask);
    c = t >> kBits;
  }
  return c;
}

U64 AddMul1(Digit* r, const Digit* a, Size n, U64 m) {
  U64 c = 0;
  for (Size i = 0; i < n; ++i) {
    U64 t = static_cast<U64>(a[i]) * m + static_cast<U64>(r[i]) + c;
    r[i] = static_cast<Digit>(t & kMask);
    c = t >> kBits;
  }
  return c;
}

U64 DivRem1(Digit* q, const Digit* a, Size n, U64 d) {
  U64 rem = 0;
  if (d == 1000000000u) {  // decimal output: let the compiler use a reciprocal
    for (Size i = n; i-- > 0;) {
      U64 t = (rem << kBits) | static_cast<U64>(a[i]);
      q[i] = static_cast<Digit>(t / 1000000000u);
      rem = t % 1000000000u;
    }
    return rem;
  }
  for (Size i = n; i-- > 0;) {
    U64 t = (rem << kBits) | static_cast<U64>(a[i]);
    q[i] = static_cast<Digit>(t / d);
    rem = t % d;
  }
  return rem;
}

U64 LShift(Digit* r, const Digit* a, Size n, int s) {
  if (s == 0) {
    Copy(r, a, n);
    return 0;
  }
  U64 out = 0;
  for (Size i = 0; i < n; ++i) {
    U64 v = static_cast<U64>(a[i]);
    r[i] = static_cast<Digit>(((v << s) | out) & kMask);
    out = v >> (kBits - s);
  }
  return out;
}

U64 RShift(Digit* r, const Digit* a, Size n, int s) {
  if (s == 0) {
    Copy(r, a, n);
    return 0;
  }
  U64 in = 0;
  for (Size i = n; i-- > 0;) {
    U64 v = static_cast<U64>(a[i]);
    r[i] = static_cast<Digit>((v >> s) | (in << (kBits - s)));
    in = v & ((U64{1} << s) - 1);
  }
  return in;
}

void MulSchoolbook(Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  r[na] = static_cast<Digit>(Mul1(r, a, na, static_cast<U64>(b[0])));
  for (Size j = 1; j < nb; ++j) r[na + j] = static_cast<Digit>(AddMul1(r + j, a, na, static_cast<U64>(b[j])));
}

void SqrSchoolbook(Digit* r, const Digit* a, Size n) {
  if (n == 1) {
    U64 t = static_cast<U64>(a[0]) * static_cast<U64>(a[0]);
    r[0] = static_cast<Digit>(t & kMask);
    r[1] = static_cast<Digit>(t >> kBits);
    return;
  }
  // Cross products a_i a_j (i < j) once, then doubled, then the diagonal.
  Zero(r, 2 * n);
  for (Size i = 0; i + 1 < n; ++i)
    r[i + n] = static_cast<Digit>(AddMul1(r + 2 * i + 1, a + i + 1, n - i - 1, static_cast<U64>(a[i])));
  // r[2n-1] is 0 here; double and add a_i^2.
  U64 c = 0;
  for (Size i = 0; i < n; ++i) {
    U64 sq = static_cast<U64>(a[i]) * static_cast<U64>(a[i]);
    U64 lo = (static_cast<U64>(r[2 * i]) << 1) + (sq & kMask) + c;
    r[2 * i] = static_cast<Digit>(lo & kMask);
    c = lo >> kBits;
    U64 hi = (static_cast<U64>(r[2 * i + 1]) << 1) + (sq >> kBits) + c;
    r[2 * i + 1] = static_cast<Digit>(hi & kMask);
    c = hi >> kBits;
  }
}

namespace {

// Sum of x[t] * y[t] for t < len, returned as lo + hi * 2^31 with the
// products split into their low 31 bits and the rest, so neither sum can
// overflow (len < 2^33).
// Written for the vectoriser: widening products in independent lanes.
inline void Dot31(const Digit* x, const Digit* y, Size len, U64& lo, U64& hi) {
  U64 l = 0, h = 0;
  for (Size t = 0; t < len; ++t) {
    U64 p = static_cast<U64>(static_cast<std::uint32_t>(x[t])) * static_cast<std::uint32_t>(y[t]);
    l += p & kMask;
    h += p >> kBits;
  }
  lo = l;
  hi = h;
}

}  // namespace

// Column by column (product scanning): column k is a dot product of a with
// b reversed, kept in two unnormalised sums; one carry pass at the end.
void MulBasecase(Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  if (nb == 1) {
    r[na] = static_cast<Digit>(Mul1(r, a, na, static_cast<U64>(b[0])));
    return;
  }
  Digit rev[kBasecaseMax];
  std::vector<Digit> big;
  Digit* brev = rev;
  if (nb > kBasecaseMax) {
    big.resize(nb);
    brev = big.data();
  }
  for (Size t = 0; t < nb; ++t) brev[t] = b[nb - 1 - t];
  U64 c = 0;
  const Size cols = na + nb - 1;
  for (Size k = 0; k < cols; ++k) {
    const Size i0 = k + 1 > nb ? k + 1 - nb : 0;
    const Size i1 = k < na - 1 ? k : na - 1;
    U64 lo, hi;
    Dot31(a + i0, brev + (nb - 1 - k + i0), i1 - i0 + 1, lo, hi);
    const U64 v = lo + c;
    r[k] = static_cast<Digit>(v & kMask);
    c = (v >> kBits) + hi;
  }
  r[cols] = static_cast<Digit>(c);
}

void SqrBasecase(Digit* r, const Digit* a, Size n) {
  if (n == 1) {
    SqrSchoolbook(r, a, n);
    return;
  }
  Digit rev[kBasecaseMax];
  std::vector<Digit> big;
  Digit* arev = rev;
  if (n > kBasecaseMax) {
    big.resize(n);
    arev = big.data();
  }
  for (Size t = 0; t < n; ++t) arev[t] = a[n - 1 - t];
  U64 c = 0;
  const Size cols = 2 * n - 1;
  for (Size k = 0; k < cols; ++k) {
    // Pairs i < j with i + j = k, doubled, and the square of a_(k/2).
    const Size i0 = k + 1 > n ? k + 1 - n : 0;
    U64 lo = 0, hi = 0;
    if (k >= 1) {
      const Size i1 = (k - 1) / 2;
      if (i1 >= i0) Dot31(a + i0, arev + (n - 1 - k + i0), i1 - i0 + 1, lo, hi);
      lo <<= 1;
      hi <<= 1;
    }
    if ((k & 1) == 0) {
      const U64 sq = static_cast<U64>(a[k / 2]) * static_cast<U64>(a[k / 2]);
      lo += sq & kMask;
      hi += sq >> kBits;
    }
    const U64 v = lo + c;
    r[k] = static_cast<Digit>(v & kMask);
    c = (v >> kBits) + hi;
  }
  r[cols] = static_cast<Digit>(c);
}

void DivRemPlain(Digit* q, Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  if (nb == 1) {
    std::vector<Digit> tmp;
    Digit* qq = q;
    if (!qq) {
      tmp.resize(na);
      qq = tmp.data();
    }
    U64 rem = DivRem1(qq, a, na, static_cast<U64>(b[0]));
    if (r) r[0] = static_cast<Digit>(rem);
    return;
  }
  // Normalise so that the divisor's top digit has bit 30 set.
  int s = 0;
  for (U64 top = static_cast<U64>(b[nb - 1]); top < (kBase >> 1); top <<= 1) ++s;
  ScratchFrame frame;
  Digit* u = frame.Alloc<Digit>(na + 1);  // the running remainder
  Digit* v = frame.Alloc<Digit>(nb);      // the normalised divisor
  LShift(v, b, nb, s);
  u[na] = static_cast<Digit>(LShift(u, a, na, s));
  const U64 vtop = static_cast<U64>(v[nb - 1]);
  const U64 vnext = static_cast<U64>(v[nb - 2]);
  const Size m = na - nb;
  for (Size j = m + 1; j-- > 0;) {
    U64 num = (static_cast<U64>(u[j + nb]) << kBits) | static_cast<U64>(u[j + nb - 1]);
    U64 qhat = num / vtop;
    U64 rhat = num % vtop;
    while (qhat >= kBase || qhat * vnext > ((rhat << kBits) | static_cast<U64>(u[j + nb - 2]))) {
      --qhat;
      rhat += vtop;
      if (rhat >= kBase) break;
    }
    // u[j..j+nb] -= qhat * v
    U64 carry = 0;   // high part of the running product
    U64 borrow = 0;  // 0/1
    for (Size i = 0; i < nb; ++i) {
      U64 p = qhat * static_cast<U64>(v[i]) + carry;
      carry = p >> kBits;
      U64 t = static_cast<U64>(u[i + j]) - (p & kMask) - borrow;
      u[i + j] = static_cast<Digit>(t & kMask);
      borrow = t >> 63;
    }
    U64 t = static_cast<U64>(u[j + nb]) - carry - borrow;
    u[j + nb] = static_cast<Digit>(t & kMask);
    if (t >> 63) {  // qhat was one too large: add v back
      --qhat;
      U64 c = AddN(u + j, u + j, v, nb);
      u[j + nb] = static_cast<Digit>((static_cast<U64>(u[j + nb]) + c) & kMask);
    }
    if (q) q[j] = static_cast<Digit>(qhat);
  }
  if (r) RShift(r, u, nb, s);
}

namespace {

constexpr int kWBits = 62;
constexpr U64 kWMask = (U64{1} << kWBits) - 1;

// Pairs of digits as one word of base 2^62: w[i] = a[2i] + a[2i+1] 2^31.
void Pack(U64* w, const Digit* a, Size na) {
  for (Size i = 0; 2 * i < na; ++i) {
    const U64 lo = static_cast<U64>(a[2 * i]);
    const U64 hi = 2 * i + 1 < na ? static_cast<U64>(a[2 * i + 1]) : 0;
    w[i] = lo | (hi << kBits);
  }
}

// The first nd digits of the words.
void Unpack(Digit* d, Size nd, const U64* w) {
  for (Size i = 0; i < nd; ++i) d[i] = static_cast<Digit>((w[i / 2] >> (kBits * (i & 1))) & kMask);
}

}  // namespace

// Knuth's algorithm D on words of base 2^62 (pairs of digits): a quarter of
// the digit products of the base-2^31 method, in 64 x 64 -> 128-bit steps.
// Quotient and remainder are mathematically determined, so identical.
void DivRemBasecase(Digit* q, Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  if (nb == 1) {
    DivRemPlain(q, r, a, na, b, nb);
    return;
  }
  const Size nu = (na + 1) / 2, nv = (nb + 1) / 2;
  ScratchFrame frame;
  U64* u = frame.Alloc(nu + 1);
  U64* v = frame.Alloc(nv);
  U64* qw = frame.Alloc(nu - nv + 2);
  Pack(u, a, na);
  Pack(v, b, nb);
  u[nu] = 0;
  if (nv == 1) {
    const U64 d = v[0];
    U128 rem = 0;
    for (Size i = nu; i-- > 0;) {
      const U128 num = (rem << kWBits) | u[i];
      qw[i] = static_cast<U64>(num / d);
      rem = num % d;
    }
    u[0] = static_cast<U64>(rem);
  } else {
    int s = 0;
    for (U64 top = v[nv - 1]; top < (U64{1} << (kWBits - 1)); top <<= 1) ++s;
    if (s > 0) {
      for (Size i = nv; i-- > 1;) v[i] = ((v[i] << s) | (v[i - 1] >> (kWBits - s))) & kWMask;
      v[0] = (v[0] << s) & kWMask;
      u[nu] = u[nu - 1] >> (kWBits - s);
      for (Size i = nu; i-- > 1;) u[i] = ((u[i] << s) | (u[i - 1] >> (kWBits - s))) & kWMask;
      u[0] = (u[0] << s) & kWMask;
    }
    const U64 vtop = v[nv - 1], vnext = v[nv - 2];
    for (Size j = nu - nv + 1; j-- > 0;) {
      const U128 num = (static_cast<U128>(u[j + nv]) << kWBits) | u[j + nv - 1];
      U128 qhat = num / vtop;
      U128 rhat = num - qhat * vtop;
      while (qhat > kWMask || qhat * vnext > ((rhat << kWBits) | u[j + nv - 2])) {
        --qhat;
        rhat += vtop;
        if (rhat > kWMask) break;
      }
      const U64 qd = static_cast<U64>(qhat);
      U64 carry = 0, borrow = 0;
      for (Size i = 0; i < nv; ++i) {
        const U128 p = static_cast<U128>(qd) * v[i] + carry;
        carry = static_cast<U64>(p >> kWBits);
        const U64 t = u[i + j] - (static_cast<U64>(p) & kWMask) - borrow;
        u[i + j] = t & kWMask;
        borrow = t >> 63;
      }
      const U64 t = u[j + nv] - carry - borrow;
      u[j + nv] = t & kWMask;
      if (t >> 63) {  // one too large: add v back
        qw[j] = qd - 1;
        U64 c = 0;
        for (Size i = 0; i < nv; ++i) {
          const U64 x = u[i + j] + v[i] + c;
          u[i + j] = x & kWMask;
          c = x >> kWBits;
        }
        u[j + nv] = (u[j + nv] + c) & kWMask;
      } else {
        qw[j] = qd;
      }
    }
    if (s > 0) {
      for (Size i = 0; i + 1 < nv; ++i) u[i] = (u[i] >> s) | ((u[i + 1] << (kWBits - s)) & kWMask);
      u[nv - 1] >>= s;
    }
  }
  // The quotient has at most na - nb + 1 digits and the remainder nb.
  if (q) {
    const Size nq = na - nb + 1;
    const Size have = 2 * (nu - nv + 1);
    if (nq <= have) {
      Unpack(q, nq, qw);
    } else {
      Unpack(q, have, qw);
      Zero(q + have, nq - have);
    }
  }
  if (r) Unpack(r, nb, u);
}

Tuning gTuning;

void Mul(Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  if (na < nb) {
    std::swap(a, b);
    std::swap(na, nb);
  }
  if (a == b && na == nb) {
    Sqr(r, a, na);
    return;
  }
  // Zero low digits (powers of two, shifted values) cost nothing.
  Size za = 0, zb = 0;
  while (za + 1 < na && a[za] == 0) ++za;
  while (zb + 1 < nb && b[zb] == 0) ++zb;
  if (za + zb > 0) {
    Zero(r, za + zb);
    Mul(r + za + zb, a + za, na - za, b + zb, nb - zb);
    return;
  }
  if (nb >= gTuning.mulLimbs)
    MulByLimbs(r, a, na, b, nb);
  else
    MulBasecase(r, a, na, b, nb);
}

void Sqr(Digit* r, const Digit* a, Size n) {
  Size z = 0;
  while (z + 1 < n && a[z] == 0) ++z;
  if (z > 0) {
    Zero(r, 2 * z);
    Sqr(r + 2 * z, a + z, n - z);
    return;
  }
  if (n >= gTuning.sqrLimbs)
    SqrByLimbs(r, a, n);
  else
    SqrBasecase(r, a, n);
}

void DivRem(Digit* q, Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  if (nb >= gTuning.divLimbs)
    DivRemByLimbs(q, r, a, na, b, nb);
  else
    DivRemBasecase(q, r, a, na, b, nb);
}

}  // namespace bigraw

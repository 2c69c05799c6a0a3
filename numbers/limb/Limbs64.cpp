// 64-bit limbs: packing of base-2^31 digits, carry chains, the basecase
// product and square, and the choice of method by size.
#include "numbers/limb/Limbs64.h"

#include "numbers/limb/Cpu.h"
#include "numbers/limb/Ntt64.h"
#include "numbers/limb/Rows.h"

#include <algorithm>
#include <cstring>

namespace limb64 {

Tuning gTuning;


Limb LShift(Limb* r, const Limb* a, Size n, int s) {
  if (s == 0) {
    if (r != a && n) std::memmove(r, a, n * sizeof(Limb));
    return 0;
  }
  Limb out = 0;
  for (Size i = n; i-- > 0;) {  // from the top: r may equal a
    const Limb v = a[i];
    if (i + 1 < n) r[i + 1] |= v >> (64 - s);
    else out = v >> (64 - s);
    r[i] = v << s;
  }
  return out;
}

Limb RShift(Limb* r, const Limb* a, Size n, int s) {
  if (s == 0) {
    if (r != a && n) std::memmove(r, a, n * sizeof(Limb));
    return 0;
  }
  const Limb out = n ? a[0] << (64 - s) : 0;
  for (Size i = 0; i < n; ++i) r[i] = (a[i] >> s) | (i + 1 < n ? a[i + 1] << (64 - s) : 0);
  return out;
}

// r -= a * m in C from a carry limb cy and a borrow b (0/1); returns the
// carry and leaves the borrow in b.
Limb SubMul1From(Limb* r, const Limb* a, Size n, Limb m, Limb cy, Limb& b) {
  for (Size i = 0; i < n; ++i) {
    const Wide t = static_cast<Wide>(a[i]) * m + cy;
    const Limb lo = static_cast<Limb>(t);
    cy = static_cast<Limb>(t >> 64);
    const Limb x = r[i];
    const Limb d = x - lo;
    Limb nb = x < lo;
    nb += d < b;
    r[i] = d - b;
    b = nb;
  }
  return cy;
}

Limb SubMul1(Limb* r, const Limb* a, Size n, Limb m) {
#if defined(__x86_64__)
  if (cpu::gKernels.mulxAdx) return SubMul1Adx(r, a, n, m);
#endif
  Limb b = 0;
  const Limb c = SubMul1From(r, a, n, m, 0, b);
  return c + b;
}


Limb DivRem1(Limb* q, const Limb* a, Size n, Limb d) {
  Limb rem = 0;
  for (Size i = n; i-- > 0;) q[i] = Div2by1(rem, a[i], d, rem);
  return rem;
}

Limb Mul1(Limb* r, const Limb* a, Size n, Limb m) {
  Limb c = 0;
  for (Size i = 0; i < n; ++i) {
    const Wide t = static_cast<Wide>(a[i]) * m + c;
    r[i] = static_cast<Limb>(t);
    c = static_cast<Limb>(t >> 64);
  }
  return c;
}

// r += a * m in C, from a carry c; returns the carry.
Limb AddMul1From(Limb* r, const Limb* a, Size n, Limb m, Limb c) {
  for (Size i = 0; i < n; ++i) {
    const Wide t = static_cast<Wide>(a[i]) * m + r[i] + c;
    r[i] = static_cast<Limb>(t);
    c = static_cast<Limb>(t >> 64);
  }
  return c;
}

Limb AddMul1(Limb* r, const Limb* a, Size n, Limb m) {
#if defined(__x86_64__)
  if (cpu::gKernels.mulxAdx) return AddMul1Adx(r, a, n, m);
#endif
  return AddMul1From(r, a, n, m, 0);
}


void MulBasecase(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
#if defined(__x86_64__)
  if (cpu::gKernels.mulxAdx) return MulRowsAdx(r, a, na, b, nb);
#endif
  std::memset(r, 0, na * sizeof(Limb));  // the first row too by the fast kernel
  for (Size j = 0; j < nb; ++j) r[na + j] = AddMul1(r + j, a, na, b[j]);
}

void SqrBasecase(Limb* r, const Limb* a, Size n) {
  if (n == 1) {
    const Wide t = static_cast<Wide>(a[0]) * a[0];
    r[0] = static_cast<Limb>(t);
    r[1] = static_cast<Limb>(t >> 64);
    return;
  }
  // Cross products once, doubled, plus the squares on the diagonal.
#if defined(__x86_64__)
  if (cpu::gKernels.mulxAdx) {
    SqrCrossAdx(r, a, n);
  } else
#endif
  {
    std::memset(r, 0, n * sizeof(Limb));
    for (Size i = 0; i + 1 < n; ++i) r[n + i] = AddMul1(r + 2 * i + 1, a + i + 1, n - i - 1, a[i]);
    r[2 * n - 1] = 0;
  }
  Limb top = 0;  // bit shifted out of the previous limb
  Limb c = 0;    // carry of the diagonal additions
  for (Size i = 0; i < n; ++i) {
    const Wide sq = static_cast<Wide>(a[i]) * a[i];
    const Limb x0 = r[2 * i], x1 = r[2 * i + 1];
    const Limb d0 = (x0 << 1) | top, d1 = (x1 << 1) | (x0 >> 63);
    top = x1 >> 63;
    const Wide s0 = static_cast<Wide>(d0) + static_cast<Limb>(sq) + c;
    const Wide s1 = static_cast<Wide>(d1) + static_cast<Limb>(sq >> 64) + static_cast<Limb>(s0 >> 64);
    r[2 * i] = static_cast<Limb>(s0);
    r[2 * i + 1] = static_cast<Limb>(s1);
    c = static_cast<Limb>(s1 >> 64);
  }
}

void Mul(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  if (na < nb) {
    std::swap(a, b);
    std::swap(na, nb);
  }
  if (a == b && na == nb) {
    Sqr(r, a, na);
    return;
  }
  const Tuning& t = gTuning;
  // The transform's cut-over may lie below Toom-4's (with AVX-512 it does).
  if (nb >= (cpu::gKernels.avx512 ? t.mul64Ntt : t.mul64NttPlain))
    MulNtt(r, a, na, b, nb);
  else if (nb < t.mul64Karatsuba)
    MulBasecase(r, a, na, b, nb);
  else if (nb < t.mul64Toom3)
    MulKaratsuba(r, a, na, b, nb);
  else if (nb < t.mul64Toom4)
    MulToom3(r, a, na, b, nb);
  else
    MulToom4(r, a, na, b, nb);
}

void Sqr(Limb* r, const Limb* a, Size n) {
  const Tuning& t = gTuning;
  if (n >= (cpu::gKernels.avx512 ? t.sqr64Ntt : t.sqr64NttPlain))
    SqrNtt(r, a, n);
  else if (n < t.sqr64Karatsuba)
    SqrBasecase(r, a, n);
  else if (n < t.sqr64Toom3)
    SqrKaratsuba(r, a, n);
  else if (n < t.sqr64Toom4)
    SqrToom3(r, a, n);
  else
    SqrToom4(r, a, n);
}

void DivRem(Limb* q, Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  const Size t = gTuning.div64DivideConquer;
  if (nb > t && na - nb >= t)
    DivRemDivideConquer(q, r, a, na, b, nb);
  else
    DivRemBasecase(q, r, a, na, b, nb);
}

}  // namespace limb64


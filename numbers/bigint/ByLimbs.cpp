// Digits of base 2^31 through 64-bit limbs: packing both ways, and the
// long products and divisions done on the limbs.
#include "numbers/bigint/BigIntRaw.h"
#include "numbers/limb/Limbs64.h"

namespace bigraw {

using limb64::Limb;

// 64 digits fill exactly 31 limbs: whole groups with every shift a
// constant (unrolled), the rest bit by bit.
constexpr Size kGroupDigits = 64, kGroupLimbs = 31;

void PackLimbs(Limb* w, const Digit* a, Size n) {
  Size i = 0;
  for (; i + kGroupDigits <= n; i += kGroupDigits) {
    const Digit* g = a + i;
    Limb* o = w + i / kGroupDigits * kGroupLimbs;
    Limb acc = 0;
#pragma GCC unroll 64
    for (int j = 0; j < 64; ++j) {
      const int pos = 31 * j, idx = pos >> 6, off = pos & 63;
      const Limb v = static_cast<Limb>(g[j]);
      if (off == 0) acc = 0;
      acc |= v << off;
      if (off > 33 || pos + 31 == 64 * (idx + 1)) {
        o[idx] = acc;
        acc = off > 33 ? v >> (64 - off) : 0;
      }
    }
  }
  const Size nw = LimbsFor(n);
  Size k = i / kGroupDigits * kGroupLimbs;
  Limb acc = 0;
  int bits = 0;  // bits of acc in use, < 64
  for (; i < n; ++i) {
    const Limb d = static_cast<Limb>(a[i]);
    acc |= d << bits;
    bits += 31;
    if (bits >= 64) {
      w[k++] = acc;
      bits -= 64;
      acc = bits ? d >> (31 - bits) : 0;
    }
  }
  if (k < nw) w[k++] = acc;
}

void UnpackLimbs(Digit* d, Size nd, const Limb* w, Size nw) {
  Size i = 0;
  for (; i + kGroupDigits <= nd && (i / kGroupDigits + 1) * kGroupLimbs <= nw; i += kGroupDigits) {
    const Limb* g = w + i / kGroupDigits * kGroupLimbs;
    Digit* o = d + i;
#pragma GCC unroll 64
    for (int j = 0; j < 64; ++j) {
      const int pos = 31 * j, idx = pos >> 6, off = pos & 63;
      Limb v = g[idx] >> off;
      if (off > 33) v |= g[idx + 1] << (64 - off);
      o[j] = static_cast<Digit>(v & kMask);
    }
  }
  for (; i < nd; ++i) {
    const Size pos = 31 * i, idx = pos >> 6;
    const int off = static_cast<int>(pos & 63);
    Limb v = idx < nw ? w[idx] >> off : 0;
    if (off > 33 && idx + 1 < nw) v |= w[idx + 1] << (64 - off);
    d[i] = static_cast<Digit>(v & kMask);
  }
}


void DivRemByLimbs(Digit* q, Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  const Size wa0 = LimbsFor(na), wb0 = LimbsFor(nb);
  ScratchFrame f;
  Limb* x = f.Alloc(wa0);
  Limb* y = f.Alloc(wb0);
  PackLimbs(x, a, na);
  PackLimbs(y, b, nb);
  const Size wa = limb64::Trim(x, wa0), wb = limb64::Trim(y, wb0);
  if (wa < wb) {  // a < b
    if (q) Zero(q, na - nb + 1);
    if (r) Copy(r, a, nb);  // a's digits above nb are zero then
    return;
  }
  Limb* qw = f.Alloc(wa - wb + 1);
  Limb* rw = f.Alloc(wb);
  limb64::DivRem(q ? qw : nullptr, rw, x, wa, y, wb);
  if (q) UnpackLimbs(q, na - nb + 1, qw, wa - wb + 1);
  if (r) UnpackLimbs(r, nb, rw, wb);
}

void MulByLimbs(Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  const Size wa = LimbsFor(na), wb = LimbsFor(nb);
  ScratchFrame f;
  Limb* x = f.Alloc(wa);
  Limb* y = f.Alloc(wb);
  Limb* p = f.Alloc(wa + wb);
  PackLimbs(x, a, na);
  PackLimbs(y, b, nb);
  limb64::Mul(p, x, wa, y, wb);
  UnpackLimbs(r, na + nb, p, wa + wb);
}

void SqrByLimbs(Digit* r, const Digit* a, Size n) {
  const Size w = LimbsFor(n);
  ScratchFrame f;
  Limb* x = f.Alloc(w);
  Limb* p = f.Alloc(2 * w);
  PackLimbs(x, a, n);
  limb64::Sqr(p, x, w);
  UnpackLimbs(r, 2 * n, p, 2 * w);
}


}  // namespace bigraw

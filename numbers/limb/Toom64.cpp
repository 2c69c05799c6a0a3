// Toom-Cook multiplication and squaring on 64-bit limbs.
// Toom-3: evaluation at 0, 1, -1, -2 and infinity, five products of a third
// of the size, and Bodrato's interpolation sequence (exact divisions by 2
// and 3 only).
// Toom-4: evaluation at 0, 1, -1, 2, -2, 1/2 and infinity, seven products
// of a quarter of the size; the interpolation splits the coefficients into
// even and odd ones and needs exact divisions by 2, 3, 4 and 5.
#include <algorithm>
#include <initializer_list>

#include "numbers/limb/Limbs64.h"

namespace limb64 {

namespace {

// A signed intermediate value in arena space: trimmed magnitude and sign.
struct SNum {
  Limb* d = nullptr;
  Size n = 0;  // 0 for zero
  bool neg = false;
};

SNum New(ScratchFrame& f, Size cap) {
  SNum s;
  s.d = f.Alloc(cap);
  return s;
}

void Fix(SNum& s) {
  s.n = Trim(s.d, s.n);
  if (s.n == 0) s.neg = false;
}

SNum View(const Limb* a, Size n) {
  SNum s;
  s.d = const_cast<Limb*>(a);  // read only
  s.n = Trim(a, n);
  return s;
}

// r (rn limbs) := the sum of the coefficients c[i] * B^(i k): the product
// from the interpolated coefficients (all non-negative by then).
void Recompose(Limb* r, Size rn, Size k, std::initializer_list<const SNum*> c) {
  std::fill(r, r + rn, Limb{0});
  Size off = 0;
  for (const SNum* m : c) {
    if (m->n != 0 && off < rn) {
      const Size len = std::min(m->n, rn - off);
      const Limb carry = AddN(r + off, r + off, m->d, len);
      if (carry) Add1(r + off + len, r + off + len, rn - off - len, carry);
    }
    off += k;
  }
}

int CmpMag(const SNum& x, const SNum& y) {
  if (x.n != y.n) return x.n > y.n ? 1 : -1;
  return CmpN(x.d, y.d, x.n);
}

// x + y (or x - y): a fresh value.
SNum AddS(ScratchFrame& f, const SNum& x, const SNum& y, bool negateY = false) {
  const bool yneg = (y.neg != negateY) && y.n > 0;
  SNum r = New(f, std::max(x.n, y.n) + 1);
  if (x.neg == yneg) {
    const SNum& l = x.n >= y.n ? x : y;
    const SNum& s = x.n >= y.n ? y : x;
    r.d[l.n] = Add(r.d, l.d, l.n, s.d, s.n);
    r.n = l.n + 1;
    r.neg = x.neg;
  } else {
    const int c = CmpMag(x, y);
    const SNum& l = c >= 0 ? x : y;
    const SNum& s = c >= 0 ? y : x;
    Sub(r.d, l.d, l.n, s.d, s.n);
    r.n = l.n;
    r.neg = c >= 0 ? x.neg : yneg;
  }
  Fix(r);
  return r;
}

SNum SubS(ScratchFrame& f, const SNum& x, const SNum& y) { return AddS(f, x, y, true); }

SNum MulS(ScratchFrame& f, const SNum& x, const SNum& y) {
  SNum r = New(f, x.n + y.n + 1);
  if (x.n == 0 || y.n == 0) return r;
  Mul(r.d, x.d, x.n, y.d, y.n);
  r.n = x.n + y.n;
  r.neg = x.neg != y.neg;
  Fix(r);
  return r;
}

SNum SqrS(ScratchFrame& f, const SNum& x) {
  SNum r = New(f, 2 * x.n + 1);
  if (x.n == 0) return r;
  Sqr(r.d, x.d, x.n);
  r.n = 2 * x.n;
  Fix(r);
  return r;
}

SNum Shl1(ScratchFrame& f, const SNum& x) {
  SNum r = New(f, x.n + 1);
  Limb top = 0;
  for (Size i = 0; i < x.n; ++i) {
    r.d[i] = (x.d[i] << 1) | top;
    top = x.d[i] >> 63;
  }
  r.d[x.n] = top;
  r.n = x.n + 1;
  r.neg = x.neg;
  Fix(r);
  return r;
}

SNum Half(ScratchFrame& f, const SNum& x) {
  SNum r = New(f, x.n + 1);
  for (Size i = 0; i < x.n; ++i) r.d[i] = (x.d[i] >> 1) | (i + 1 < x.n ? x.d[i + 1] << 63 : 0);
  r.n = x.n;
  r.neg = x.neg;
  Fix(r);
  return r;
}

// Exact division by 3: multiplication by the inverse of 3 modulo 2^64,
// the borrow carried upwards.
SNum Third(ScratchFrame& f, const SNum& x) {
  constexpr Limb kInv3 = 0xAAAAAAAAAAAAAAABu;
  SNum r = New(f, x.n + 1);
  Limb c = 0;
  for (Size i = 0; i < x.n; ++i) {
    const Limb v = x.d[i];
    const Limb s = v - c;
    const Limb q = s * kInv3;
    r.d[i] = q;
    c = static_cast<Limb>(v < c) + static_cast<Limb>((static_cast<Wide>(q) * 3) >> 64);
  }
  r.n = x.n;
  r.neg = x.neg;
  Fix(r);
  return r;
}

// x << bits and the exact x >> bits, for bits < 64.
SNum ShlBits(ScratchFrame& f, const SNum& x, int bits) {
  SNum r = New(f, x.n + 1);
  r.d[x.n] = LShift(r.d, x.d, x.n, bits);
  r.n = x.n + 1;
  r.neg = x.neg;
  Fix(r);
  return r;
}

SNum ShrBits(ScratchFrame& f, const SNum& x, int bits) {
  SNum r = New(f, x.n + 1);
  RShift(r.d, x.d, x.n, bits);
  r.n = x.n;
  r.neg = x.neg;
  Fix(r);
  return r;
}

// Exact division by 5, as Third.
SNum Fifth(ScratchFrame& f, const SNum& x) {
  constexpr Limb kInv5 = 0xCCCCCCCCCCCCCCCDu;
  SNum r = New(f, x.n + 1);
  Limb c = 0;
  for (Size i = 0; i < x.n; ++i) {
    const Limb v = x.d[i];
    const Limb q = (v - c) * kInv5;
    r.d[i] = q;
    c = static_cast<Limb>(v < c) + static_cast<Limb>((static_cast<Wide>(q) * 5) >> 64);
  }
  r.n = x.n;
  r.neg = x.neg;
  Fix(r);
  return r;
}

// The values at 0, 1, -1, -2, infinity of a2 x^2 + a1 x + a0, x = B^k.
void Evaluate(ScratchFrame& f, const Limb* a, Size n, Size k, SNum v[5]) {
  SNum a0 = View(a, k), a1 = View(a + k, k), a2 = View(a + 2 * k, n - 2 * k);
  SNum t = AddS(f, a0, a2);
  v[0] = a0;
  v[1] = AddS(f, t, a1);
  v[2] = SubS(f, t, a1);
  v[3] = SubS(f, Shl1(f, AddS(f, v[2], a2)), a0);  // 2 (a0 - a1 + 2 a2) - a0 = p(-2)
  v[4] = a2;
}

// From the five products to the coefficients, added into r (rn limbs).
void Interpolate(ScratchFrame& f, Limb* r, Size rn, Size k, const SNum w[5]) {
  const SNum& r0 = w[0];
  const SNum& rinf = w[4];
  SNum r3 = Third(f, SubS(f, w[3], w[1]));
  SNum r1 = Half(f, SubS(f, w[1], w[2]));
  SNum r2 = SubS(f, w[2], r0);
  r3 = AddS(f, Half(f, SubS(f, r2, r3)), Shl1(f, rinf));
  r2 = SubS(f, AddS(f, r2, r1), rinf);
  r1 = SubS(f, r1, r3);
  Recompose(r, rn, k, {&r0, &r1, &r2, &r3, &rinf});
}

}  // namespace

void MulToom3(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  const Size k = (na + 2) / 3;
  if (nb <= 2 * k) {  // too unbalanced for one split: Karatsuba cuts it up
    MulKaratsuba(r, a, na, b, nb);
    return;
  }
  ScratchFrame f;
  SNum va[5], vb[5], w[5];
  Evaluate(f, a, na, k, va);
  Evaluate(f, b, nb, k, vb);
  for (int i = 0; i < 5; ++i) w[i] = MulS(f, va[i], vb[i]);
  Interpolate(f, r, na + nb, k, w);
}

void SqrToom3(Limb* r, const Limb* a, Size n) {
  const Size k = (n + 2) / 3;
  ScratchFrame f;
  SNum va[5], w[5];
  Evaluate(f, a, n, k, va);
  for (int i = 0; i < 5; ++i) w[i] = SqrS(f, va[i]);
  Interpolate(f, r, 2 * n, k, w);
}

namespace {

// The values at 0, 1, -1, 2, -2, 1/2 (times 8) and infinity of
// a3 x^3 + a2 x^2 + a1 x + a0, x = B^k.
void Evaluate4(ScratchFrame& f, const Limb* a, Size n, Size k, SNum v[7]) {
  const SNum a0 = View(a, k), a1 = View(a + k, k), a2 = View(a + 2 * k, k), a3 = View(a + 3 * k, n - 3 * k);
  const SNum e1 = AddS(f, a0, a2), o1 = AddS(f, a1, a3);
  const SNum e2 = AddS(f, a0, ShlBits(f, a2, 2)), o2 = ShlBits(f, AddS(f, a1, ShlBits(f, a3, 2)), 1);
  v[0] = a0;
  v[1] = AddS(f, e1, o1);
  v[2] = SubS(f, e1, o1);
  v[3] = AddS(f, e2, o2);
  v[4] = SubS(f, e2, o2);
  v[5] = AddS(f, ShlBits(f, AddS(f, ShlBits(f, AddS(f, ShlBits(f, a0, 1), a1), 1), a2), 1), a3);
  v[6] = a3;
}

// From the seven products (r at the points above, 64 r(1/2) for the sixth)
// to the coefficients c0..c6, added into r (rn limbs).
void Interpolate4(ScratchFrame& f, Limb* r, Size rn, Size k, const SNum w[7]) {
  const SNum& c0 = w[0];
  const SNum& c6 = w[6];
  // Even coefficients: c2 + c4 = A, c2 + 4 c4 = B.
  const SNum e1 = Half(f, AddS(f, w[1], w[2]));   // c0 + c2 + c4 + c6
  const SNum o1 = Half(f, SubS(f, w[1], w[2]));   // c1 + c3 + c5
  const SNum e2 = Half(f, AddS(f, w[3], w[4]));   // c0 + 4 c2 + 16 c4 + 64 c6
  const SNum o2 = ShrBits(f, SubS(f, w[3], w[4]), 2);  // c1 + 4 c3 + 16 c5
  const SNum a = SubS(f, SubS(f, e1, c0), c6);
  const SNum b = ShrBits(f, SubS(f, SubS(f, e2, c0), ShlBits(f, c6, 6)), 2);
  const SNum c4 = Third(f, SubS(f, b, a));
  const SNum c2 = SubS(f, a, c4);
  // Odd coefficients: h = 16 c1 + 4 c3 + c5 from the value at 1/2.
  SNum h = SubS(f, w[5], ShlBits(f, c0, 6));
  h = SubS(f, h, ShlBits(f, c2, 4));
  h = SubS(f, h, ShlBits(f, c4, 2));
  h = Half(f, SubS(f, h, c6));
  const SNum p = Third(f, SubS(f, o2, o1));  // c3 + 5 c5
  const SNum q = Third(f, SubS(f, h, o1));   // 5 c1 + c3
  const SNum d = Fifth(f, SubS(f, q, p));    // c1 - c5
  const SNum c5 = Third(f, SubS(f, AddS(f, d, p), o1));
  const SNum c1 = AddS(f, d, c5);
  const SNum c3 = SubS(f, p, AddS(f, ShlBits(f, c5, 2), c5));
  Recompose(r, rn, k, {&c0, &c1, &c2, &c3, &c4, &c5, &c6});
}

}  // namespace

void MulToom4(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  const Size k = (na + 3) / 4;
  if (nb <= 3 * k) {  // too unbalanced for one split
    MulToom3(r, a, na, b, nb);
    return;
  }
  ScratchFrame f;
  SNum va[7], vb[7], w[7];
  Evaluate4(f, a, na, k, va);
  Evaluate4(f, b, nb, k, vb);
  for (int i = 0; i < 7; ++i) w[i] = MulS(f, va[i], vb[i]);
  Interpolate4(f, r, na + nb, k, w);
}

void SqrToom4(Limb* r, const Limb* a, Size n) {
  const Size k = (n + 3) / 4;
  if (n <= 3 * k) {  // no top part (short operands)
    SqrToom3(r, a, n);
    return;
  }
  ScratchFrame f;
  SNum va[7], w[7];
  Evaluate4(f, a, n, k, va);
  for (int i = 0; i < 7; ++i) w[i] = SqrS(f, va[i]);
  Interpolate4(f, r, 2 * n, k, w);
}

}  // namespace limb64

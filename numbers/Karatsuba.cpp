// Karatsuba multiplication and squaring on raw digit arrays (subtractive
// form: the middle product is (a0 - a1)(b0 - b1), whose factors have no
// carry digit). Unbalanced operands are cut into pieces of the shorter one.
#include <algorithm>
#include <vector>

#include "numbers/BigIntRaw.h"

namespace bigraw {

namespace {

// d := |x - y| for x, y of n digits (y zero-extended from ny); true when
// x < y.
bool AbsDiff(Digit* d, const Digit* x, Size n, const Digit* y, Size ny) {
  const Size xl = Trim(x, n);
  if (Cmp(x, xl, y, Trim(y, ny)) >= 0) {
    Sub(d, x, n, y, ny);
    return false;
  }
  // y > x, so x's significant digits are no more than y's: y - x fits in ny.
  Sub(d, y, ny, x, xl);
  Zero(d + ny, n - ny);
  return true;
}

// r[0..rn) += x[0..xn) (xn <= rn), the carry running to r's end (the total
// is known to fit).
void AddInto(Digit* r, Size rn, const Digit* x, Size xn) {
  xn = std::min(xn, rn);
  U64 c = AddN(r, r, x, xn);
  if (c) Add1(r + xn, r + xn, rn - xn, c);
}

// r (n digits) := z0 + (z0 + z2 + sign t) B^m + z2 B^2m in one pass with a
// signed carry: z0 and t have 2m digits, z2 has n - 2m. Every partial sum
// is below 2^34 in magnitude, so a signed 64-bit accumulator holds it.
void Assemble(Digit* r, Size n, Size m, const Digit* z0, const Digit* z2, const Digit* t, bool subtract) {
  const Size n2 = n - 2 * m;
  std::int64_t carry = 0;
  for (Size i = 0; i < n; ++i) {
    std::int64_t s = carry;
    if (i < 2 * m) s += z0[i];
    else s += z2[i - 2 * m];
    if (i >= m) {
      const Size j = i - m;
      if (j < 2 * m) s += subtract ? z0[j] - t[j] : z0[j] + t[j];
      if (j < n2) s += z2[j];
    }
    r[i] = s & static_cast<std::int64_t>(kMask);
    carry = s >> kBits;  // arithmetic: floor division by 2^31
  }
}

}  // namespace

void MulKaratsuba(Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  const Size m = (na + 1) / 2;
  if (nb <= m) {
    // Unbalanced: a in pieces of nb digits, each times b.
    Zero(r, na + nb);
    ScratchFrame frame;
    Digit* t = frame.Alloc(2 * nb);
    for (Size off = 0; off < na; off += nb) {
      Size len = std::min(nb, na - off);
      Mul(t, a + off, len, b, nb);
      AddInto(r + off, na + nb - off, t, len + nb);
    }
    return;
  }
  // a = a1 B^m + a0, b = b1 B^m + b0; a1 has na - m <= m digits, b1 nb - m.
  const Digit* a0 = a;
  const Digit* a1 = a + m;
  const Digit* b0 = b;
  const Digit* b1 = b + m;
  const Size n1a = na - m, n1b = nb - m;
  ScratchFrame frame;
  Digit* da = frame.Alloc(m);
  Digit* db = frame.Alloc(m);
  Digit* z0 = frame.Alloc(2 * m);
  Digit* z2 = frame.Alloc(n1a + n1b);
  Digit* t = frame.Alloc(2 * m);
  const bool sa = AbsDiff(da, a0, m, a1, n1a);
  const bool sb = AbsDiff(db, b0, m, b1, n1b);
  Mul(z0, a0, m, b0, m);
  Mul(z2, a1, n1a, b1, n1b);
  Mul(t, da, m, db, m);  // |a0 - a1| |b0 - b1|
  // The middle coefficient a0 b1 + a1 b0 = z0 + z2 - (a0 - a1)(b0 - b1).
  Assemble(r, na + nb, m, z0, z2, t, sa == sb);
}

void SqrKaratsuba(Digit* r, const Digit* a, Size n) {
  const Size m = (n + 1) / 2;
  const Digit* a0 = a;
  const Digit* a1 = a + m;
  const Size n1 = n - m;
  ScratchFrame frame;
  Digit* da = frame.Alloc(m);
  Digit* z0 = frame.Alloc(2 * m);
  Digit* z2 = frame.Alloc(2 * n1);
  Digit* t = frame.Alloc(2 * m);
  AbsDiff(da, a0, m, a1, n1);
  Sqr(z0, a0, m);
  Sqr(z2, a1, n1);
  Sqr(t, da, m);
  // 2 a0 a1 = z0 + z2 - (a0 - a1)^2.
  Assemble(r, 2 * n, m, z0, z2, t, true);
}

}  // namespace bigraw

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
  Digit* da = frame.Alloc(2 * m + 2 * m + 1 + 2 * m);  // m
  Digit* db = da + m;          // m
  Digit* w = db + m;           // 2m + 1
  Digit* t = w + 2 * m + 1;    // 2m
  const bool sa = AbsDiff(da, a0, m, a1, n1a);
  const bool sb = AbsDiff(db, b0, m, b1, n1b);
  Mul(r, a0, m, b0, m);                    // z0 in r[0..2m)
  Mul(r + 2 * m, a1, n1a, b1, n1b);        // z2 in r[2m..na+nb)
  Mul(t, da, m, db, m);                    // |a0 - a1| |b0 - b1|
  // w := z0 + z2 -/+ t, the middle coefficient a0 b1 + a1 b0 >= 0.
  const Size n2 = n1a + n1b;
  Copy(w, r, 2 * m);
  w[2 * m] = 0;
  AddInto(w, 2 * m + 1, r + 2 * m, n2);
  if (sa == sb)
    Sub(w, w, 2 * m + 1, t, 2 * m);
  else
    AddInto(w, 2 * m + 1, t, 2 * m);
  AddInto(r + m, na + nb - m, w, Trim(w, 2 * m + 1));
}

void SqrKaratsuba(Digit* r, const Digit* a, Size n) {
  const Size m = (n + 1) / 2;
  const Digit* a0 = a;
  const Digit* a1 = a + m;
  const Size n1 = n - m;
  ScratchFrame frame;
  Digit* da = frame.Alloc(m + 2 * m + 1 + 2 * m);  // m
  Digit* w = da + m;           // 2m + 1
  Digit* t = w + 2 * m + 1;    // 2m
  AbsDiff(da, a0, m, a1, n1);
  Sqr(r, a0, m);
  Sqr(r + 2 * m, a1, n1);
  Sqr(t, da, m);
  // w := z0 + z2 - (a0 - a1)^2 = 2 a0 a1.
  Copy(w, r, 2 * m);
  w[2 * m] = 0;
  AddInto(w, 2 * m + 1, r + 2 * m, 2 * n1);
  Sub(w, w, 2 * m + 1, t, 2 * m);
  AddInto(r + m, 2 * n - m, w, Trim(w, 2 * m + 1));
}

}  // namespace bigraw

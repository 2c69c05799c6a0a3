// Karatsuba multiplication and squaring on 64-bit limbs (subtractive form:
// the middle product is |a0 - a1| |b0 - b1|, whose factors have no carry
// limb). Unbalanced operands are cut into pieces of the shorter one.
#include <algorithm>

#include "numbers/limb/Limbs64.h"

namespace limb64 {

namespace {

// d := |x - y| for x of n limbs and y of ny <= n limbs; true when x < y.
bool AbsDiff(Limb* d, const Limb* x, Size n, const Limb* y, Size ny) {
  const Size xl = Trim(x, n), yl = Trim(y, ny);
  const int c = xl != yl ? (xl > yl ? 1 : -1) : CmpN(x, y, xl);
  if (c >= 0) {
    Sub(d, x, n, y, ny);
    return false;
  }
  // y > x: x's significant limbs are no more than y's.
  Sub(d, y, ny, x, xl);
  std::fill(d + ny, d + n, Limb{0});
  return true;
}

// r[0..rn) += x[0..xn), the carry running to r's end (the sum fits).
void AddInto(Limb* r, Size rn, const Limb* x, Size xn) {
  xn = std::min(Trim(x, xn), rn);
  const Limb c = AddN(r, r, x, xn);
  if (c) Add1(r + xn, r + xn, rn - xn, c);
}

// r (n limbs) holds z0 (2m limbs) and z2 above it; adds the middle
// coefficient z0 + z2 -/+ t (t of 2m limbs) at limb m.
void AddMiddle(ScratchFrame& f, Limb* r, Size n, Size m, Size n2, const Limb* t, bool subtract) {
  Limb* mid = f.Alloc(2 * m + 1);
  std::copy(r, r + 2 * m, mid);
  mid[2 * m] = Add(mid, mid, 2 * m, r + 2 * m, n2);
  if (subtract)
    mid[2 * m] -= SubN(mid, mid, t, 2 * m);  // the middle coefficient is >= 0
  else
    mid[2 * m] += AddN(mid, mid, t, 2 * m);
  AddInto(r + m, n - m, mid, 2 * m + 1);
}

}  // namespace

void MulKaratsuba(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  const Size m = (na + 1) / 2;
  ScratchFrame f;
  if (nb <= m) {
    // Unbalanced: a in pieces of nb limbs, each times b.
    std::fill(r, r + na + nb, Limb{0});
    Limb* t = f.Alloc(2 * nb);
    for (Size off = 0; off < na; off += nb) {
      const Size len = std::min(nb, na - off);
      Mul(t, a + off, len, b, nb);
      AddInto(r + off, na + nb - off, t, len + nb);
    }
    return;
  }
  const Size n1a = na - m, n1b = nb - m;
  Limb* da = f.Alloc(m);
  Limb* db = f.Alloc(m);
  Limb* t = f.Alloc(2 * m);
  const bool sa = AbsDiff(da, a, m, a + m, n1a);
  const bool sb = AbsDiff(db, b, m, b + m, n1b);
  Mul(r, a, m, b, m);                        // z0
  Mul(r + 2 * m, a + m, n1a, b + m, n1b);    // z2
  Mul(t, da, m, db, m);
  // a0 b1 + a1 b0 = z0 + z2 - (a0 - a1)(b0 - b1).
  AddMiddle(f, r, na + nb, m, n1a + n1b, t, sa == sb);
}

void SqrKaratsuba(Limb* r, const Limb* a, Size n) {
  const Size m = (n + 1) / 2, n1 = n - m;
  ScratchFrame f;
  Limb* da = f.Alloc(m);
  Limb* t = f.Alloc(2 * m);
  AbsDiff(da, a, m, a + m, n1);
  Sqr(r, a, m);
  Sqr(r + 2 * m, a + m, n1);
  Sqr(t, da, m);
  AddMiddle(f, r, 2 * n, m, 2 * n1, t, true);
}

}  // namespace limb64

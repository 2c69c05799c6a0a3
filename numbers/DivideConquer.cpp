// Divide and conquer division (Burnikel and Ziegler's recursive 2n/n and
// 3n/2n steps) on raw digit arrays: two half-size divisions and a product
// per level, so the cost follows the multiplication's.
#include <algorithm>
#include <vector>

#include "numbers/BigIntRaw.h"

namespace bigraw {

namespace {

void Div2n1n(Digit* q, Digit* r, const Digit* a, const Digit* b, Size n);

// a (3h digits) by b (2h digits, normalised), a < b B^h: q (h digits) and
// r (2h digits).
void Div3n2n(Digit* q, Digit* r, const Digit* a, const Digit* b, Size h) {
  const Digit* a3 = a;
  const Digit* a12 = a + h;  // a1 a2, 2h digits
  const Digit* a1 = a + 2 * h;
  const Digit* b2 = b;
  const Digit* b1 = b + h;
  ScratchFrame frame;
  Digit* rr = frame.Alloc(h + 1 + 2 * h + 2 * h + 1);  // R: h + 1 digits
  Digit* d = rr + h + 1;       // D = qhat b2: 2h digits
  Digit* ra = d + 2 * h;       // R B^h + a3: 2h + 1 digits
  if (CmpN(a1, b1, h) < 0) {
    Div2n1n(q, rr, a12, b1, h);
    rr[h] = 0;
  } else {
    // a1 = b1 here: qhat = B^h - 1 and R = a1 a2 - qhat b1 = a2 + b1.
    for (Size i = 0; i < h; ++i) q[i] = static_cast<Digit>(kMask);
    rr[h] = static_cast<Digit>(AddN(rr, a + h, b1, h));
  }
  Mul(d, q, h, b2, h);
  Copy(ra, a3, h);
  Copy(ra + h, rr, h + 1);
  // At most two corrections: qhat - 2 <= q <= qhat for a normalised b.
  while (Cmp(ra, Trim(ra, 2 * h + 1), d, Trim(d, 2 * h)) < 0) {
    Sub1(q, q, h, 1);
    ra[2 * h] = static_cast<Digit>(static_cast<U64>(ra[2 * h]) + Add(ra, ra, 2 * h, b, 2 * h));
  }
  Sub(ra, ra, 2 * h + 1, d, 2 * h);
  Copy(r, ra, 2 * h);
}

// a (2n digits) by b (n digits, normalised), a < b B^n: q and r of n digits.
void Div2n1n(Digit* q, Digit* r, const Digit* a, const Digit* b, Size n) {
  if (n <= gTuning.divDivideConquer || (n & 1)) {
    ScratchFrame frame;
    Digit* qq = frame.Alloc(n + 1);
    DivRemBasecase(qq, r, a, 2 * n, b, n);
    Copy(q, qq, n);  // qq[n] is 0 since a < b B^n
    return;
  }
  const Size h = n / 2;
  ScratchFrame frame;
  Digit* t = frame.Alloc(3 * h);
  // Upper three quarters, then the remainder with the last quarter.
  Div3n2n(q + h, t + h, a + h, b, h);
  Copy(t, a, h);
  Div3n2n(q, r, t, b, h);
}

}  // namespace

void DivRemDivideConquer(Digit* q, Digit* r, const Digit* a, Size na, const Digit* b, Size nb) {
  // Pad the divisor to n = j 2^k digits (j at most the cut-over) and
  // normalise its top bit; the dividend is scaled alike, so the quotient is
  // the same and the remainder comes back by the inverse scaling.
  Size j = nb, k = 0;
  while (j > gTuning.divDivideConquer) {
    j = (j + 1) / 2;
    ++k;
  }
  const Size n = j << k;
  const Size s = n - nb;
  int sigma = 0;
  for (U64 top = static_cast<U64>(b[nb - 1]); top < (kBase >> 1); top <<= 1) ++sigma;
  std::vector<Digit> bb(n, 0);
  LShift(bb.data() + s, b, nb, sigma);
  const Size nas = na + s + 1;
  const Size t = nas / n + 1;  // blocks; the top one starts with a zero digit
  std::vector<Digit> aa(t * n, 0);
  aa[s + na] = static_cast<Digit>(LShift(aa.data() + s, a, na, sigma));
  std::vector<Digit> qq((t - 1) * n, 0), rem(aa.end() - static_cast<long>(n), aa.end()), two(2 * n);
  for (Size i = t - 1; i-- > 0;) {
    Copy(two.data(), aa.data() + i * n, n);
    Copy(two.data() + n, rem.data(), n);
    Div2n1n(qq.data() + i * n, rem.data(), two.data(), bb.data(), n);
  }
  if (q) Copy(q, qq.data(), na - nb + 1);
  if (r) RShift(r, rem.data() + s, nb, sigma);
}

}  // namespace bigraw

// Divide and conquer division on 64-bit limbs (Burnikel and Ziegler's
// recursive 2n/n and 3n/2n steps): two half-size divisions and a product
// per level, so the cost follows the multiplication's.
#include <algorithm>

#include "numbers/limb/Limbs64.h"

namespace limb64 {

namespace {

// Below this many limbs of quotient the basecase is as quick as any; above
// this share of the divisor's length (in percent) the full step is the
// quicker (measured from 2.4n / n up to n + 0.67n over n, 500 to 8000
// limbs).
constexpr Size kTopStepMin = 16;
constexpr Size kTopStepPercent = 60;

void Div2n1n(Limb* q, Limb* r, const Limb* a, const Limb* b, Size n);
void DivideConquer(Limb* q, Limb* r, const Limb* a, Size na, const Limb* b, Size nb, bool topStep);

int Cmp(const Limb* a, Size na, const Limb* b, Size nb) {
  na = Trim(a, na);
  nb = Trim(b, nb);
  if (na != nb) return na > nb ? 1 : -1;
  return CmpN(a, b, na);
}

// a (3h limbs) by b (2h limbs, normalised), a < b B^h: q (h limbs) and
// r (2h limbs).
void Div3n2n(Limb* q, Limb* r, const Limb* a, const Limb* b, Size h) {
  const Limb* a12 = a + h;  // the top 2h limbs
  const Limb* a1 = a + 2 * h;
  const Limb* b2 = b;
  const Limb* b1 = b + h;
  ScratchFrame f;
  Limb* rr = f.Alloc(h + 1);     // R
  Limb* d = f.Alloc(2 * h);      // D = qhat b2
  Limb* ra = f.Alloc(2 * h + 1); // R B^h + a3
  if (CmpN(a1, b1, h) < 0) {
    Div2n1n(q, rr, a12, b1, h);
    rr[h] = 0;
  } else {
    // a1 = b1 here: qhat = B^h - 1 and R = a1 a2 - qhat b1 = a2 + b1.
    std::fill(q, q + h, ~Limb{0});
    rr[h] = AddN(rr, a + h, b1, h);
  }
  Mul(d, q, h, b2, h);
  std::copy(a, a + h, ra);
  std::copy(rr, rr + h + 1, ra + h);
  // At most two corrections: qhat - 2 <= q <= qhat for a normalised b.
  while (Cmp(ra, 2 * h + 1, d, 2 * h) < 0) {
    Sub1(q, q, h, 1);
    ra[2 * h] += Add(ra, ra, 2 * h, b, 2 * h);
  }
  Sub(ra, ra, 2 * h + 1, d, 2 * h);
  std::copy(ra, ra + 2 * h, r);
}

// a (2n limbs) by b (n limbs, normalised), a < b B^n: q and r of n limbs.
void Div2n1n(Limb* q, Limb* r, const Limb* a, const Limb* b, Size n) {
  if (n <= gTuning.div64DivideConquer || (n & 1)) {
    ScratchFrame f;
    Limb* qq = f.Alloc(n + 1);
    DivRemBasecase(qq, r, a, 2 * n, b, n);
    std::copy(qq, qq + n, q);  // qq[n] is 0 since a < b B^n
    return;
  }
  const Size h = n / 2;
  ScratchFrame f;
  Limb* t = f.Alloc(3 * h);
  // Upper three quarters, then the remainder with the last quarter.
  Div3n2n(q + h, t + h, a + h, b, h);
  std::copy(a, a + h, t);
  Div3n2n(q, r, t, b, h);
}

// The top of a dividend, t (n + m limbs, m + 2 <= n), by b (n limbs,
// normalised): a quotient of m + 1 limbs, which a full n-limb step would
// compute at the cost of n. The top m + 2 limbs of b, plus one, divide the
// top of t into a quotient from below, short by at most one or two (the
// error is below 4 B^-2 of the quotient); the remainder by the whole of b
// corrects it. q gets m + 1 limbs, r n limbs. False when the top of b is
// all ones (its increment would carry out); nothing is written then.
bool TopStep(Limb* q, Limb* r, const Limb* t, Size m, const Limb* b, Size n) {
  const Size k = m + 2;
  ScratchFrame f;
  Limb* bk = f.Alloc(k);
  if (Add1(bk, b + (n - k), k, 1) != 0) return false;
  std::fill(q, q + m + 1, Limb{0});
  const Limb* tk = t + (n - k);  // the top m + k limbs
  const Size tn = Trim(tk, m + k);
  if (tn >= k) {
    Limb* qk = f.Alloc(tn - k + 1);
    Limb* rk = f.Alloc(k);
    // Nearly two to one: the plain steps, never a top step again (whose
    // own top would be as large as this one).
    if (k > gTuning.div64DivideConquer && tn - k >= gTuning.div64DivideConquer)
      DivideConquer(qk, rk, tk, tn, bk, k, false);
    else
      DivRemBasecase(qk, rk, tk, tn, bk, k);
    std::copy(qk, qk + (tn - k + 1), q);
  }
  // t - q b, then the few further subtractions of b.
  const Size wn = n + m + 1;
  Limb* w = f.Alloc(wn);
  std::copy(t, t + n + m, w);
  w[n + m] = 0;
  const Size qn = Trim(q, m + 1);
  if (qn > 0) {
    Limb* prod = f.Alloc(n + qn);
    Mul(prod, b, n, q, qn);
    Sub(w, w, wn, prod, n + qn);
  }
  while (Cmp(w, wn, b, n) >= 0) {
    Sub(w, w, wn, b, n);
    Add1(q, q, m + 1, 1);
  }
  std::copy(w, w + n, r);
  return true;
}

void DivideConquer(Limb* q, Limb* r, const Limb* a, Size na, const Limb* b, Size nb, bool topStep) {
  // Pad the divisor to n = j 2^k limbs (j at most the cut-over) and
  // normalise its top bit; the dividend is scaled alike, so the quotient is
  // the same and the remainder comes back by the inverse scaling.
  Size j = nb, k = 0;
  while (j > gTuning.div64DivideConquer) {
    j = (j + 1) / 2;
    ++k;
  }
  const Size n = j << k;
  const Size s = n - nb;
  const int sigma = __builtin_clzll(b[nb - 1]);
  ScratchFrame f;
  Limb* bb = f.Alloc(n);
  std::fill(bb, bb + s, Limb{0});
  LShift(bb + s, b, nb, sigma);
  const Size nas = na + s + 1;
  const Size t = nas / n + 1;  // blocks; the top one starts with a zero limb
  Limb* aa = f.Alloc(t * n);
  std::fill(aa, aa + t * n, Limb{0});
  aa[s + na] = LShift(aa + s, a, na, sigma);
  Limb* qq = f.Alloc((t - 1) * n);
  Limb* rem = f.Alloc(n);
  Limb* two = f.Alloc(2 * n);
  std::copy(aa + (t - 1) * n, aa + t * n, rem);
  Size i = t - 1;
  // A top block of few limbs (always so for a dividend of twice the
  // divisor's length, which spills into a third block by the shift): the
  // first step by the basecase, n by those few limbs, not a whole 2n/n step.
  // A top block of more limbs than that but well short of n (as the
  // decimal conversion's 2.4n / n divisions have): a step from the top
  // limbs of the divisor, at about the cost of m, not n.
  const Size m = Trim(rem, n);
  const bool top = topStep && m >= kTopStepMin && 100 * (m + 2) <= kTopStepPercent * n;
  if (i > 0 && (4 * m <= n || top)) {
    --i;
    Limb* t0 = f.Alloc(n + m);
    std::copy(aa + i * n, aa + (i + 1) * n, t0);
    std::copy(rem, rem + m, t0 + n);
    std::fill(qq + i * n, qq + (i + 1) * n, Limb{0});
    if (!top || !TopStep(qq + i * n, rem, t0, m, bb, n))
      DivRemBasecase(qq + i * n, rem, t0, n + m, bb, n);  // m + 1 quotient limbs
  }
  while (i-- > 0) {
    std::copy(aa + i * n, aa + (i + 1) * n, two);
    std::copy(rem, rem + n, two + n);
    Div2n1n(qq + i * n, rem, two, bb, n);
  }
  if (q) std::copy(qq, qq + (na - nb + 1), q);
  if (r) RShift(r, rem + s, nb, sigma);
}

}  // namespace

void DivRemDivideConquer(Limb* q, Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  DivideConquer(q, r, a, na, b, nb, true);
}

}  // namespace limb64

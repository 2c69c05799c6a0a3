// Knuth's algorithm D on 64-bit limbs: the divisor normalised to a set top
// bit, one quotient limb a step from a 128 by 64-bit division of the top
// two limbs, refined with the next divisor limb, and a multiply-subtract.
#include <algorithm>

#include "numbers/limb/Limbs64.h"

namespace limb64 {


void DivRemBasecase(Limb* q, Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  if (nb == 1) {
    Limb rem = 0;
    for (Size i = na; i-- > 0;) {
      const Limb qi = Div2by1(rem, a[i], b[0], rem);
      if (q) q[i] = qi;
    }
    if (r) r[0] = rem;
    return;
  }
  const int s = __builtin_clzll(b[nb - 1]);
  ScratchFrame f;
  Limb* u = f.Alloc(na + 1);
  Limb* v = f.Alloc(nb);
  LShift(v, b, nb, s);
  u[na] = LShift(u, a, na, s);
  const Limb vtop = v[nb - 1], vnext = v[nb - 2];
  for (Size j = na - nb + 1; j-- > 0;) {
    const Limb u2 = u[j + nb], u1 = u[j + nb - 1], u0 = u[j + nb - 2];
    Limb qhat, rhat;
    bool refine = true;
    if (u2 >= vtop) {  // u2 == vtop: the estimate B - 1
      qhat = ~Limb{0};
      rhat = u1 + vtop;
      refine = rhat >= vtop;  // no overflow of rhat past B
    } else {
      qhat = Div2by1(u2, u1, vtop, rhat);
    }
    // At most two steps down: qhat vnext > rhat B + u0 means one too large.
    while (refine) {
      const Wide p = static_cast<Wide>(qhat) * vnext;
      if (p <= ((static_cast<Wide>(rhat) << 64) | u0)) break;
      --qhat;
      const Limb old = rhat;
      rhat += vtop;
      refine = rhat >= old;
    }
    const Limb borrow = SubMul1(u + j, v, nb, qhat);
    if (u2 < borrow) {  // qhat was still one too large: add v back
      --qhat;
      u[j + nb] = u2 - borrow + AddN(u + j, u + j, v, nb);
    } else {
      u[j + nb] = u2 - borrow;
    }
    if (q) q[j] = qhat;
  }
  if (r) RShift(r, u, nb, s);
}

}  // namespace limb64

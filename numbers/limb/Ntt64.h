// Products of long limb arrays by number-theoretic transforms (internal to
// numbers/).
//
// Each limb is one coefficient; the cyclic convolution of the two arrays is
// taken modulo three primes just below 2^62 (all of the form c 2^36 + 1)
// and put together by the Chinese remainder theorem. Every coefficient of
// the product is below N 2^128 < p1 p2 p3 for any length N up to 2^36, so
// the result is exact by construction, not by an error bound.
#pragma once

#include "numbers/limb/LimbRaw.h"

namespace limb64 {

// Same contract as MulBasecase: r gets na + nb limbs, na, nb >= 1, r not
// overlapping a or b.
void MulNtt(Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
void SqrNtt(Limb* r, const Limb* a, Size n);

}  // namespace limb64

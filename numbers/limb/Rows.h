// The rows of the limb basecase, plain and with mulx/adcx/adox (internal
// to numbers/limb/).
#pragma once

#include "numbers/limb/LimbRaw.h"

namespace limb64 {

// r += a * m from a carry c, and r -= a * m from a carry cy and a borrow b
// (0/1, updated): plain C++, for every processor.
Limb AddMul1From(Limb* r, const Limb* a, Size n, Limb m, Limb c);
Limb SubMul1From(Limb* r, const Limb* a, Size n, Limb m, Limb cy, Limb& b);

#if defined(__x86_64__)
// AddMul1 and SubMul1 for processors with BMI2 and ADX (RowsAdx.cpp).
Limb AddMul1Adx(Limb* r, const Limb* a, Size n, Limb m);
Limb SubMul1Adx(Limb* r, const Limb* a, Size n, Limb m);
// The basecase product by those rows (as MulBasecase), and the cross
// products of a square: r[0..2n) := sum of a_i a_j B^(i+j), i < j, n >= 2.
void MulRowsAdx(Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
void SqrCrossAdx(Limb* r, const Limb* a, Size n);
#endif

}  // namespace limb64

// Pollard's rho factor search with Floyd's cycle detection.
#pragma once

#include "numbers/bigint/BigInt.h"
#include "numbers/progress/Progress.h"

// x := (x^2 + c) mod n, the non-negative residue even for a negative c.
void RhoStepBigInt(TBigInt& x, const TBigInt& n, const TBigInt& c);

// Reseeds RandomGenerator() (numbers/Random.h), draws t in 0..2147483646 and
// gives (t * 44485709377909) mod m.
void RandomResidueBigInt(const TBigInt& m, TBigInt& result);

// A factor of the composite n (n > 1) that IsPrimeNumber accepts, or 2 for a
// search that ends on the divisor 4. A search that ends on a composite
// divisor restarts on it with c' = RandomResidueBigInt(2^32) - 16 and
// x0' = RandomResidueBigInt(2^31). The search has no iteration limit; the
// progress object, when given, is polled for a stop (ECancelled) at every
// check and gets the iteration count.
TBigInt PollardRhoFactorBigInt(const TBigInt& n, const TBigInt& c, const TBigInt& x0,
                               TProgress* progress = nullptr);

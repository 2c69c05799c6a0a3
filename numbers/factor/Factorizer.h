// The factor search the Splitter relies on: Pollard's rho first, exactly as
// the plain search runs it (c = -1, x0 = 3) but with an iteration budget, so
// small factors come out in the same order as ever; when the budget runs out
// the elliptic curves and the quadratic sieve take over, chosen by size.
#pragma once

#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/progress/Progress.h"

// For a composite n (the magnitude is used): true with a proper factor of n
// that IsPrimeNumber accepts (2 for 4, like the plain search). When rho ends
// in its budget the factor is the one PollardRhoFactorBigInt(n, -1, 3)
// gives. False for n prime or of magnitude 1 or less. Reports the phase
// ("Elliptic curves: 12 of 90", "Quadratic sieve: relations 812 of 1200")
// and throws ECancelled once progress asks for a stop.
bool FindFactor(const TBigInt& n, TBigInt& factor, TProgress* progress = nullptr);

// The factors of n in the order found: while the rest is not prime, find a
// factor, divide it out and list it; the prime rest (if above 1 in
// magnitude) comes last. The product of the list is n.
std::vector<TBigInt> FactorCompletely(const TBigInt& n, TProgress* progress = nullptr);

// Pollard's rho with an iteration budget: the very sequence and checks of
// PollardRhoFactorBigInt (numbers/PollardRho.h), restarts included, so a
// search that ends within the budget gives the same factor. Faster because
// it runs on fixed-size Montgomery words and takes the gcd once per block,
// replaying the block check by check when the gcd turned non-trivial.
#pragma once

#include <cstdint>

#include "numbers/bigint/BigInt.h"
#include "numbers/progress/Progress.h"

// The budget the factoriser gives rho: enough for nearly every factor of up
// to about ten digits (Floyd's search needs about the square root of the
// smallest prime factor in iterations).
constexpr std::int64_t kRhoDefaultBudget = 120000;

// Searches a factor of the composite n (magnitude above 1) with x -> x^2 + c
// from x0. True: factor holds what PollardRhoFactorBigInt(n, c, x0) returns.
// False: the budget of iterations (counted over all restarts) ran out;
// factor then holds the divisor of n the search was working on, n itself or
// a composite proper divisor met on the way. Polls progress for a stop
// (ECancelled).
bool RhoFactorBudgeted(const TBigInt& n, const TBigInt& c, const TBigInt& x0, std::int64_t budget,
                       TBigInt& factor, TProgress* progress = nullptr);

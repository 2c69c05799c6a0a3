// Lenstra's elliptic-curve factor search on Montgomery curves
// B y^2 = x^3 + A x^2 + x with Suyama's parametrisation (a group order
// divisible by 12), x-only arithmetic on fixed-size Montgomery words: stage 1
// multiplies a point by every prime power up to B1, stage 2 looks for one
// more prime in (B1, B2] with a baby-step giant-step pairing.
//
// The cost of a curve grows with B1; the usual choices find a prime factor of
// d digits with good odds: d = 12: B1 = 1000, d = 15: B1 = 2000,
// d = 20: B1 = 11000, d = 25: B1 = 50000 (a few dozen to a few hundred
// curves, see EcmPlanFor).
#pragma once

#include <cstdint>
#include <string>

#include "numbers/bigint/BigInt.h"
#include "numbers/progress/Progress.h"

struct TEcmPlan {
  std::int64_t b1 = 2000;
  std::int64_t b2 = 200000;  // 0: no stage 2
  int curves = 25;
};

// A plan that finds most prime factors of up to `digits` digits.
TEcmPlan EcmPlanFor(int digits);

struct TEcmReport {
  int done = 0;   // curves already tried before this call (for the text)
  int total = 0;  // all curves of the whole search (0: plan.curves)
};

// Tries plan.curves curves on the odd n (magnitude at least 3, no wider than
// 256 bits), Suyama's sigma running from firstSigma up (at least 6). True
// with factor a divisor 1 < factor < n. Reports "Elliptic curves: i of k" and
// polls progress for a stop (ECancelled).
bool EcmFactor(const TBigInt& n, const TEcmPlan& plan, std::uint64_t firstSigma, TBigInt& factor,
               TProgress* progress = nullptr, TEcmReport report = {});

// Whether EcmFactor can work on n at all.
bool EcmAccepts(const TBigInt& n);

// Roots modulo a prime of polynomials that split into distinct linear
// factors, as the class polynomials of a discriminant do modulo a number
// that the discriminant's curves can prove.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "numbers/ecpp/EcppBase.h"

namespace ecpp {

// Coefficients modulo n, constant term first.
using TPoly = std::vector<Big>;

// One root of f modulo n (odd, above 2^64 or not) when f, monic of degree
// >= 1 with coefficients in 0..n-1, splits into distinct linear factors:
// gcd((x + c)^((n-1)/2) - 1, f) for random c splits f, and the smaller
// part is split again until one factor is linear. False when no root turns
// up (n composite, or f not split). Polls the progress for a stop.
bool RootOfSplitPolynomial(const Big& n, TPoly f, std::mt19937_64& random, const TProgress* progress, Big& root);

// (x + c)^e mod f with f monic of degree >= 1, n odd and above 1.
TPoly PowerOfLinearModPoly(const Big& n, const TPoly& f, std::uint64_t c, const Big& e,
                           const TProgress* progress = nullptr);

}  // namespace ecpp

// Imaginary quadratic discriminants and their Hilbert class polynomials.
//
// The polynomial of D is the product of (x - j(tau)) over the reduced
// forms (a, b, c) of discriminant D, tau = (-b + sqrt(D)) / (2a); its
// integer coefficients come from a fixed-point evaluation of j with a
// precision that follows the size of the roots, checked by how close the
// coefficients land to integers (and redone with more bits when not).
#pragma once

#include <cstdint>
#include <vector>

#include "numbers/ecpp/EcppBase.h"

namespace ecpp {

struct TDiscriminant {
  std::int32_t D = 0;  // negative, fundamental
  std::int32_t h = 0;  // class number
};

// The fundamental discriminants -|D| with |D| <= 40000 whose class number is at most
// maxClassNumber, by increasing class number, then by |D|. Computed once.
const std::vector<TDiscriminant>& DiscriminantsByClassNumber(int maxClassNumber);

// The reduced primitive forms (a, b, c) of D.
struct TForm {
  std::int64_t a, b, c;
};
std::vector<TForm> ReducedForms(std::int32_t D);

// Coefficients of the Hilbert class polynomial, constant term first, monic
// (the last is 1). Cached: each D is computed once per process. Polls the
// progress between roots (throws ECancelled; nothing is cached then).
const std::vector<Big>& HilbertClassPolynomial(std::int32_t D, const TProgress* progress = nullptr);

}  // namespace ecpp

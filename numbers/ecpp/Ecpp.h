// Atkin-Morain elliptic-curve primality proving.
//
// Each step takes a probable prime N and finds, for a discriminant D of
// small class number, a curve over Z/N with complex multiplication by D and
// a known order m = s q with q a probable prime above (N^(1/4) + 1)^2,
// together with a point P with m P = O and s P != O. The step then goes on
// with q until q < 2^64, which the deterministic 64-bit test settles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "numbers/ecpp/EcppCertificate.h"

namespace ecpp {

struct TEcppOutcome {
  bool prime = false;
  // Composite: a base a for which a^(N-1) != 1 or the strong test fails
  // (2 for an even N), or a factor found on the way when no base is needed.
  Big witness;
  // Prime: the steps, empty when N < 2^64 (settled by the 64-bit test).
  std::vector<TEcppStep> steps;
};

// n >= 2 (throws std::invalid_argument otherwise). Progress: the step and
// the digits of the number at hand; throws ECancelled on a stop.
TEcppOutcome ProvePrimality(const Big& n, TProgress* progress = nullptr);

// The base that shows n (odd, >= 3) composite by the strong test, or zero
// when the first hundred prime bases all pass.
Big CompositeWitness(const Big& n);

}  // namespace ecpp

// The independent check of an elliptic-curve primality certificate. It
// shares nothing with the prover but the big-integer arithmetic: its own
// curve formulas, its own root for the size bound, and it trusts no claim
// it has not recomputed.
#pragma once

#include <string>

#include "numbers/ecpp/EcppCertificate.h"

namespace ecpp {

struct TVerdict {
  bool valid = false;
  std::string reason;  // when not valid: "step 2: s P is the point at infinity"
};

// Every step: gcd(N, 6) = 1, t^2 < 4N, s divides m = N + 1 - t, q = m / s
// above (N^(1/4) + 1)^2, q the next step's N, the curve not singular modulo
// N, s P finite modulo every prime of N and m P the point at infinity; the
// last q prime below 2^64 (by the deterministic 64-bit test).
TVerdict VerifyCertificate(const TCertificate& certificate, TProgress* progress = nullptr);

}  // namespace ecpp

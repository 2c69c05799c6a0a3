// Primality certificates as text in the form PARI/GP's primecert returns and
// primecertisvalid accepts: either a prime below 2^64 alone, or
// [[N, t, s, a4, [x, y]], ...] with one entry per step.
#pragma once

#include <string>
#include <vector>

#include "numbers/ecpp/EcppBase.h"

namespace ecpp {

// One step: the curve y^2 = x^3 + a4 x + b modulo N, b fixed by the point
// (x, y); its order m = N + 1 - t, and q = m / s the next number proven.
struct TEcppStep {
  Big N, t, s, a4, x, y;
};

struct TCertificate {
  Big n;                         // the number the certificate is for
  std::vector<TEcppStep> steps;  // empty: n below 2^64 stands alone
};

std::string FormatCertificate(const TCertificate& certificate);

// False with a reason in `error` when the text is no certificate of this form.
bool ParseCertificate(const std::string& text, TCertificate& certificate, std::string& error);

}  // namespace ecpp

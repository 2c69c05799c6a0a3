// The search engine's own number routines on signed 64-bit integers and
// extended floating values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "numbers/text/NumberText.h"

using TPrimeArray = std::vector<std::int64_t>;

// Trial-division primality: n <= 1 is not prime, 2 is, other even numbers
// are not; an odd n is prime when no odd d from 3 up to its square root
// (computed in extended precision and rounded up) divides it. Slow by
// nature, about sqrt(n) / 2 divisions for a prime: the reference the fast
// routines (IsPrime64, PrimesInRange) are proven against. The bound is kept
// in 64 bits, so every n up to 2^63 - 1 gets the right verdict.
bool IsPrimeInt64(std::int64_t n);

// The Legendre-Hadamard estimate of the count of primes between low and
// high: high / ln(high) - low / ln(low), rounded to the nearest whole number
// (ties to even). Never fails and is never negative: a logarithm of zero or
// of a negative value, a bound of 1, an undefined value or a result outside
// the signed 64-bit range gives 0.
long double EstimatePrimeCount(long double low, long double high);

// Entry i is text i read as a signed 64-bit decimal integer; a text that is
// not one throws EConvertError ("'%s' is not a valid integer value").
TPrimeArray StringsToPrimeArray(const std::vector<std::string>& texts);

// The number of indexes i with a[i + 1] - a[i] = 2.
std::int64_t CountTwinPrimes(const TPrimeArray& a);

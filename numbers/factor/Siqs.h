// The self-initialising quadratic sieve with one large prime: collects
// relations Y^2 = A g(x) (mod N) over a factor base (numbers/SiqsSieve.h),
// pairs the partial ones that share their large prime, finds products of
// relations that are squares on both sides (numbers/Gf2Solver.h) and takes
// gcd(X - Y, N). Meant for numbers of about 20 to 60 digits without small
// factors; fastest next to the elliptic curves for balanced ones of 30 digits
// and more.
#pragma once

#include <cstdint>

#include "numbers/bigint/BigInt.h"
#include "numbers/progress/Progress.h"

// n odd, composite, no perfect power, accepted by SiqsAccepts. True with
// 1 < factor < n. Reports "Quadratic sieve: relations i of k" and polls
// progress for a stop (ECancelled). The seed picks the polynomials.
// threads: how many threads sieve (0: SiqsThreadCount()); the polynomials,
// relations and factor are the same for every count, and every thread has
// ended when the call returns or throws.
bool SiqsFactor(const TBigInt& n, TBigInt& factor, TProgress* progress = nullptr, std::uint64_t seed = 1,
                unsigned threads = 0);

// The threads the sieve uses by default: one per core, at most eight.
unsigned SiqsThreadCount();

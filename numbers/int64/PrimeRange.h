// Every prime of an interval of 64-bit numbers, found by a segmented sieve
// of Eratosthenes over the odd numbers. Where the square root of the upper
// end is small the sieve alone decides; above that, the sieve by the primes
// below 2^18 only thins the candidates out and the Baillie-PSW test
// (PrimeRangeVerdicts.h) decides on the survivors. The chunks of the
// interval are shared out over the processor's cores and merged in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "numbers/progress/Progress.h"

// The odd primes from 3 up to limit, ascending (limit at most 2^32 - 1).
std::vector<std::uint32_t> OddPrimesUpTo(std::uint32_t limit);

// The first maxCount primes of [low, high] (both included), ascending; fewer
// when the interval holds fewer. high must not exceed 2^63. The progress
// object, when given, gets the fraction of the interval done (or of
// maxCount found, whichever is further) and is polled for a stop once per
// sieve chunk (ECancelled). threads: how many threads sieve (0: one per
// core, SearchThreadCount()); the result never depends on it. Every thread
// has ended when the call returns or throws.
std::vector<std::uint64_t> PrimesInRange(std::uint64_t low, std::uint64_t high, std::size_t maxCount,
                                         TProgress* progress = nullptr, unsigned threads = 0);

// The threads a search uses by default: the processor's cores (at least
// one, at most eight).
unsigned SearchThreadCount();

// The integer square root: the largest r with r * r <= n.
std::uint64_t IntegerSqrt64(std::uint64_t n);

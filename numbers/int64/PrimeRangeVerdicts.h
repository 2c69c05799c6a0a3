// The verdicts the prime search needs on the survivors of its sieve: the
// Baillie-PSW test, a strong probable-prime test to base 2 followed by the
// strong Lucas test with Selfridge's parameters. No composite below 2^64
// passes both (checked against the complete list of base-2 pseudoprimes
// below 2^64), and a prime passes for about a third of the work of the
// seven-base test of IsPrime64, which is what the search spends its time on.
#pragma once

#include <cstddef>
#include <cstdint>

// isPrime[i] := 1 when candidates[i] is prime, else 0. Each candidate odd,
// at least 3 and below 2^63. Several numbers run side by side in each
// step, so the multiplier stays busy.
void BpswVerdicts64(const std::uint64_t* candidates, std::size_t count, std::uint8_t* isPrime);

// The strong Lucas test alone (Selfridge's D, P = 1, Q = (1 - D) / 4) of an
// odd n of at least 3 and below 2^63: for the tests of its own.
bool StrongLucas64(std::uint64_t n);

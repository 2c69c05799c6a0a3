// Factorisation of 64-bit numbers: trial division by the primes below 1000,
// the deterministic test on what remains, and Pollard's rho in Brent's form
// (Montgomery arithmetic, products of differences gathered before each gcd)
// to split a composite cofactor.
#pragma once

#include <cstdint>
#include <vector>

// A proper factor of n (1 < result < n); n odd, composite, not below 9.
std::uint64_t BrentRhoFactor64(std::uint64_t n);

// The prime factors of n, with multiplicity, ascending; empty for 0 and 1.
std::vector<std::uint64_t> Factorize64(std::uint64_t n);

// Every divisor of n (n >= 1), 1 and n included, ascending; empty for 0.
std::vector<std::uint64_t> Divisors64(std::uint64_t n);

// The divisors of n not above limit, ascending.
std::vector<std::uint64_t> DivisorsUpTo(std::uint64_t n, std::uint64_t limit);

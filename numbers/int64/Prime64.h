// Deterministic primality of 64-bit numbers: a strong probable-prime test
// with base sets proven to leave no composite below their bound (2, 7, 61
// below 4759123141; Sinclair's seven bases for every n below 2^64).
#pragma once

#include <cstddef>
#include <cstdint>

// True exactly when n is prime (0 and 1 are not).
bool IsPrime64(std::uint64_t n);

// The verdicts of IsPrime64 for count odd numbers, each at least 3, written
// to isPrime[i] as 0 or 1. Meant for the survivors of a sieve: the base-2
// round runs on several numbers at once, and the further bases of one
// number run side by side, which keeps the multiplier busy.
void TestOddCandidates64(const std::uint64_t* candidates, std::size_t count, std::uint8_t* isPrime);

// Probabilistic primality: Rabin-Miller with random prime bases
// from the table of odd primes below 10000, confirmed by a strong Lucas
// probable-prime test (Selfridge's parameters, as in Baillie-PSW).
#pragma once

#include "numbers/bigint/BigInt.h"

// The Rabin-Miller test of the magnitude of n (odd, at least 3) with
// the given number of passes; true: probable prime, false: composite. A base
// equal to n says nothing and counts as a passed round. Zero passes: true.
// The bases come from RandomGenerator() (numbers/Random.h), reseeded at the
// start and again before the passes.
bool RabinMillerBigInt(const TBigInt& n, int passes);

// Strong Lucas probable-prime test of the magnitude of n (odd, at least 3):
// D the first of 5, -7, 9, -11, ... with Jacobi (D/n) = -1, P = 1,
// Q = (1 - D) / 4. Every prime passes; perfect squares and numbers with a
// small factor found on the way are rejected.
bool StrongLucasBigInt(const TBigInt& n);

// Jacobi symbol (d/n) for a small d and an odd positive n (magnitude used).
int JacobiBigInt(std::int64_t d, const TBigInt& n);

// True when the magnitude of n is a perfect square.
bool IsPerfectSquareBigInt(const TBigInt& n);

// The generic decision: 2 and odd probable primes are prime. Decided on the
// magnitude, so -7 is prime like 7. An odd number passes when all four
// Rabin-Miller rounds pass and the strong Lucas test confirms them.
bool IsPrimeNumber(const TBigInt& n);

// n becomes the smallest odd number not below n that IsPrimeNumber accepts
// (an even n is first raised by one, so 2 gives 3); n at least 2.
void NextPrimeBigInt(TBigInt& n);

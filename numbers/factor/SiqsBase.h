// The quadratic sieve's fixed data for one number: the multiplier k, the
// factor base (the primes p with kN a square mod p, with that square root)
// and the sizes of the search, plus the small modular helpers the sieve and
// its tests share.
#pragma once

#include <cstdint>
#include <vector>

#include "numbers/bigint/BigInt.h"

using TInt128 = __int128;
using TUInt128 = unsigned __int128;

struct TSiqsBase {
  TBigInt n;       // the number to split
  TBigInt kn;      // k * n
  std::uint32_t multiplier = 1;
  // The factor base; index 0 is 2. The matrix column of prime i is i + 1,
  // column 0 being the sign.
  std::vector<std::uint32_t> primes;
  std::vector<std::uint32_t> roots;  // sqrt(kN) mod p (0 for p dividing k)
  std::vector<std::uint8_t> logs;    // round(log2 p)
  std::uint32_t firstSieved = 0;     // primes below this index are only trial-divided
  std::uint32_t halfInterval = 0;    // the sieve runs over x in [-M, M)
  std::uint64_t largePrimeBound = 0; // a cofactor below it is kept as a large prime
  std::uint32_t wanted = 0;          // relations (full + combined) to collect
  double thresholdBits = 0;          // sieve sum marking a candidate
};

// Builds the base for an odd n of 20 to 60 digits that is no perfect power.
// When a prime of the base's range divides n, returns false with it in
// smallFactor.
bool BuildSiqsBase(const TBigInt& n, TSiqsBase& base, std::uint64_t& smallFactor);

// Whether the sieve's sizes fit n (about 20 to 57 digits).
bool SiqsAccepts(const TBigInt& n);

// ---- helpers ----------------------------------------------------------------

std::uint32_t ModInverse32(std::uint32_t a, std::uint32_t p);  // a invertible mod p
// |v| mod p for a 128-bit value.
std::uint32_t Mod128(TUInt128 v, std::uint32_t p);

TBigInt BigIntFromInt128(TInt128 v);
// The value of a when it fits a signed 128-bit integer.
bool BigIntToInt128(const TBigInt& a, TInt128& out);

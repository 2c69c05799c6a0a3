// Modular exponentiation in Montgomery form.
//
// The plain routines work step by step on whole TBigInt values and are
// kept as the tested reference; ModPowerBigInt gives the same residue on
// 64-bit words, with no allocation inside the exponent loop.
#pragma once

#include <cstdint>

#include "numbers/bigint/BigInt.h"

// The Montgomery parameters of an odd modulus n with k digits: R (the
// smallest power of two above n, held as 2^(31(k-1)) * (mask + 1)), the mask of R's top
// digit, and n' = R - (n^{-1} mod R).
struct TMontgomeryParameters {
  std::int32_t K = 1;
  std::int64_t Mask = kBigIntMask;
  TBigInt R;
  TBigInt NPrime;
};
TMontgomeryParameters MontgomeryParametersBigInt(const TBigInt& n);

// a mod R.
void MontgomeryTruncateBigInt(const TBigInt& a, std::int32_t k, std::int64_t mask, TBigInt& result);
// (x * y) mod R, by the schoolbook product restricted to the first k digits.
void MontgomeryLowProductBigInt(const TBigInt& x, const TBigInt& y, std::int32_t k, std::int64_t mask,
                                TBigInt& result);
// T * R^{-1} mod n, for 0 <= T < n * R.
void MontgomeryReduceBigInt(const TBigInt& t, const TBigInt& n, const TBigInt& nPrime, std::int32_t k,
                            std::int64_t mask, TBigInt& result);

// b raised to |e| modulo n, in 0..n-1; n odd and at least 3. The reference:
// the TBigInt routines above (right-to-left over the bits of e).
void ModPowerPlainBigInt(const TBigInt& b, const TBigInt& e, const TBigInt& n, TBigInt& result);
// The same residue on 64-bit words: unrolled kernels for moduli of up to 16
// words (a small base multiplies in by a few word operations, a large one
// through a sliding window); wider moduli take the generic word loop.
void ModPowerBigInt(const TBigInt& b, const TBigInt& e, const TBigInt& n, TBigInt& result);
// The generic word loop of any width (TMontgomeryWords, sliding window).
void ModPowerWordsBigInt(const TBigInt& b, const TBigInt& e, const TBigInt& n, TBigInt& result);

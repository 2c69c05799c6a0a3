// The shared ground of the prover and the verifier: the big-integer layer
// (the only code the two share) and a few conveniences over it. Every
// include of the number library's headers is gathered here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/montgomery/ModPower.h"
#include "numbers/montgomery/MontgomeryWords.h"
#include "numbers/int64/Prime64.h"
#include "numbers/limb/Limbs64.h"
#include "numbers/primality/Primality.h"
#include "numbers/progress/Progress.h"

namespace ecpp {

using Big = TBigInt;

inline Big FromInt(std::int64_t v) { return BigIntFromInt64(v); }
inline Big Add(const Big& a, const Big& b) { Big r; AddBigInt(a, b, r); return r; }
inline Big Sub(const Big& a, const Big& b) { Big r; SubtractBigInt(a, b, r); return r; }
inline Big Mul(const Big& a, const Big& b) { Big r; MultiplyBigInt(a, b, r); return r; }
inline Big Div(const Big& a, const Big& b) { Big r; DivideBigInt(a, b, r); return r; }
// Euclidean remainder in 0..|m|-1.
inline Big Mod(const Big& a, const Big& m) { Big r; ModuloBigInt(a, m, r); return r; }
inline Big MulMod(const Big& a, const Big& b, const Big& m) { Big r; MultiplyModBigInt(a, b, m, r); return r; }
inline Big PowMod(const Big& b, const Big& e, const Big& m) { Big r; ModPowerBigInt(b, e, m, r); return r; }
inline Big Gcd(const Big& a, const Big& b) { Big r; GcdBigInt(a, b, r); return r; }
// Zero is never negative here: "-0" compares like 0.
int Compare(const Big& a, const Big& b);
inline bool IsZero(const Big& a) { return a.IsZero(); }
bool IsOne(const Big& a);
inline bool Equal(const Big& a, const Big& b) { return Compare(a, b) == 0; }
inline std::string Text(const Big& a) { return BigIntToDecimal(a); }
inline std::int64_t Bits(const Big& a) { return BigIntBitLength(a); }

// floor(sqrt(n)), n >= 0.
Big Isqrt(const Big& n);
// a * 2^bits and floor(a / 2^bits) for a >= 0.
Big ShiftLeft(const Big& a, std::int64_t bits);
Big ShiftRight(const Big& a, std::int64_t bits);
// Exactly when q > (N^(1/4) + 1)^2 is certain: (isqrt(q) - 1)^4 > N.
bool AboveHasseBound(const Big& q, const Big& n);
// Fits below 2^64 (non-negative).
bool ToUint64(const Big& a, std::uint64_t& out);

}  // namespace ecpp

// Products on 64-bit limbs (internal to numbers/).
//
// Long products are not done on the base-2^31 digits themselves: the digits
// are packed bit by bit into 64-bit limbs (an O(n) step), multiplied there
// with full 64 x 64 -> 128-bit products, (64/31)^2 = 4.3 times fewer than
// digit products, and unpacked. The value is the same, so the digits of the
// result are identical to those of the plain methods.
//
// Limb arrays are least significant first, results supplied by the caller
// and not overlapping the inputs (unless a routine says otherwise).
#pragma once

#include "numbers/Thresholds.h"
#include "numbers/limb/LimbRaw.h"
#include "numbers/limb/Scratch.h"

namespace limb64 {

// r := a << s or a >> s for 0 <= s < 64, returning the bits shifted out
// (at the low end of the result for LShift, the high end for RShift).
// r may equal a.
Limb LShift(Limb* r, const Limb* a, Size n, int s);
Limb RShift(Limb* r, const Limb* a, Size n, int s);

// (hi B + lo) div d, with the remainder in rem; requires hi < d.
inline Limb Div2by1(Limb hi, Limb lo, Limb d, Limb& rem) {
#if defined(__x86_64__)
  Limb q, r;
  __asm__("divq %4" : "=a"(q), "=d"(r) : "a"(lo), "d"(hi), "rm"(d) : "cc");
  rem = r;
  return q;
#else
  const Wide n = (static_cast<Wide>(hi) << 64) | lo;
  rem = static_cast<Limb>(n % d);
  return static_cast<Limb>(n / d);
#endif
}
// q := a div d, returns a mod d (d != 0). q may equal a.
Limb DivRem1(Limb* q, const Limb* a, Size n, Limb d);

// r := a * m, returns the carry limb. r may equal a.
Limb Mul1(Limb* r, const Limb* a, Size n, Limb m);
// r += a * m, returns the carry limb.
Limb AddMul1(Limb* r, const Limb* a, Size n, Limb m);
// r -= a * m, returns the borrow limb.
Limb SubMul1(Limb* r, const Limb* a, Size n, Limb m);

// Row by row with 128-bit products; r gets na + nb limbs, na >= nb >= 1.
void MulBasecase(Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
void SqrBasecase(Limb* r, const Limb* a, Size n);
// Karatsuba (Karatsuba64.cpp), Toom-3 and Toom-4
// (Toom64.cpp) on limbs; same contract as the basecase.
void MulKaratsuba(Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
void SqrKaratsuba(Limb* r, const Limb* a, Size n);
void MulToom3(Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
void SqrToom3(Limb* r, const Limb* a, Size n);
void MulToom4(Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
void SqrToom4(Limb* r, const Limb* a, Size n);
// The fastest limb product for the sizes (any na, nb >= 1).
void Mul(Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
void Sqr(Limb* r, const Limb* a, Size n);

// Division with remainder: a (na limbs) by b (nb limbs, b[nb-1] != 0),
// na >= nb >= 1; q gets na - nb + 1 limbs, r nb limbs (either may be null).
// Knuth's algorithm D (Divide64.cpp), Burnikel-Ziegler over it
// (DivideConquer64.cpp), and the choice by size.
void DivRemBasecase(Limb* q, Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
void DivRemDivideConquer(Limb* q, Limb* r, const Limb* a, Size na, const Limb* b, Size nb);
void DivRem(Limb* q, Limb* r, const Limb* a, Size na, const Limb* b, Size nb);

// The cut-over sizes in limbs, initialised from numbers/Thresholds.h; only
// the tuning program and the tests change them.
struct Tuning {
  Size mul64Karatsuba = cutover::kMul64KaratsubaThreshold;
  Size sqr64Karatsuba = cutover::kSqr64KaratsubaThreshold;
  Size mul64Toom3 = cutover::kMul64Toom3Threshold;
  Size sqr64Toom3 = cutover::kSqr64Toom3Threshold;
  Size mul64Toom4 = cutover::kMul64Toom4Threshold;
  Size sqr64Toom4 = cutover::kSqr64Toom4Threshold;
  // The three-prime transform (Ntt64.h) from this length of the shorter
  // operand on: with its AVX-512 butterflies, and with the plain ones.
  Size mul64Ntt = cutover::kMul64NttThreshold;
  Size sqr64Ntt = cutover::kSqr64NttThreshold;
  Size mul64NttPlain = cutover::kMul64NttPlainThreshold;
  Size sqr64NttPlain = cutover::kSqr64NttPlainThreshold;
  // Burnikel-Ziegler from this divisor length on.
  Size div64DivideConquer = cutover::kDiv64DivideConquerThreshold;
};
extern Tuning gTuning;

}  // namespace limb64

// The raw digit-array layer under TBigInt (internal to numbers/).
//
// Natural numbers as arrays of cells, GMP's mpn style: a pointer to the least
// significant digit and a digit count. Each cell is a signed 64-bit integer
// holding one digit in base 2^31 (0..0x7FFFFFFF), exactly the digits of a
// TBigInt (its cells 1..n). No signs, no allocation of results: the caller
// gives room. Arithmetic is done in unsigned 64-bit or unsigned __int128
// accumulators, so no signed overflow happens anywhere.
//
// Unless a routine says otherwise, a result area must not overlap an input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "numbers/Thresholds.h"
#include "numbers/limb/LimbRaw.h"
#include "numbers/limb/Scratch.h"

namespace bigraw {

using limb64::ScratchFrame;

using Digit = std::int64_t;
using U64 = std::uint64_t;
using U128 = unsigned __int128;
using Size = std::size_t;

constexpr int kBits = 31;
constexpr U64 kBase = U64{1} << kBits;
constexpr U64 kMask = kBase - 1;

// Length of a without its zero top digits (0 when every digit is 0).
inline Size Trim(const Digit* a, Size n) {
  while (n > 0 && a[n - 1] == 0) --n;
  return n;
}

// Sign of a - b for two trimmed numbers (-1, 0, 1).
int Cmp(const Digit* a, Size na, const Digit* b, Size nb);
// Sign of a - b, both of n digits.
int CmpN(const Digit* a, const Digit* b, Size n);

void Zero(Digit* r, Size n);
void Copy(Digit* r, const Digit* a, Size n);  // r may equal a or lie below it

// r := a + b (n digits each), returns the carry 0/1. r may equal a or b.
U64 AddN(Digit* r, const Digit* a, const Digit* b, Size n);
// r := a + b with na >= nb; r has na digits; returns the carry. r may equal a.
U64 Add(Digit* r, const Digit* a, Size na, const Digit* b, Size nb);
// r := a + c for a small c; returns the carry. r may equal a.
U64 Add1(Digit* r, const Digit* a, Size n, U64 c);
// r := a - b (n digits each), returns the borrow 0/1. r may equal a or b.
U64 SubN(Digit* r, const Digit* a, const Digit* b, Size n);
// r := a - b with na >= nb; returns the borrow. r may equal a.
U64 Sub(Digit* r, const Digit* a, Size na, const Digit* b, Size nb);
// r := a - c for a small c; returns the borrow. r may equal a.
U64 Sub1(Digit* r, const Digit* a, Size n, U64 c);

// r := a * m for m < 2^32; returns the carry (< 2^33). r may equal a.
U64 Mul1(Digit* r, const Digit* a, Size n, U64 m);
// r += a * m for m < 2^31; returns the carry. r must not overlap a.
U64 AddMul1(Digit* r, const Digit* a, Size n, U64 m);
// a := a div d, returns a mod d, for 1 <= d <= 2^32. q may equal a.
U64 DivRem1(Digit* q, const Digit* a, Size n, U64 d);

// r := a << s, 0 <= s < 31, returns the bits shifted out. r may equal a.
U64 LShift(Digit* r, const Digit* a, Size n, int s);
// r := a >> s, 0 <= s < 31, returns the bits shifted out (low). r may equal a.
U64 RShift(Digit* r, const Digit* a, Size n, int s);

// Schoolbook product and square, row by row with a running carry (the plain
// reference methods). r gets na + nb digits (2n for the square);
// na >= nb >= 1.
void MulSchoolbook(Digit* r, const Digit* a, Size na, const Digit* b, Size nb);
void SqrSchoolbook(Digit* r, const Digit* a, Size n);
// The same products column by column with delayed carries (vectorised);
// the method for operands too short to pay for packing into limbs. Same
// contract.
void MulBasecase(Digit* r, const Digit* a, Size na, const Digit* b, Size nb);
void SqrBasecase(Digit* r, const Digit* a, Size n);

// The cut-over sizes in use, initialised from numbers/Thresholds.h (those
// of the limb methods are in numbers/limb/Limbs64.h); only the tuning
// program and the tests change them.
// (Constant-initialised: usable from other static initialisers.)
struct Tuning {
  // From these digit counts products go through 64-bit limbs (Limbs64.h),
  // with the cut-overs below in limbs.
  Size mulLimbs = cutover::kMulLimbsThreshold;
  Size sqrLimbs = cutover::kSqrLimbsThreshold;
  // From this divisor length (digits) divisions go through 64-bit limbs.
  Size divLimbs = cutover::kDivLimbsThreshold;
  Size toDecimalDivideConquer = cutover::kToDecimalDivideConquerThreshold;
  Size fromDecimalDivideConquer = cutover::kFromDecimalDivideConquerThreshold;
};
extern Tuning gTuning;

// Digits packed bit by bit into 64-bit limbs and back: LimbsFor(n) limbs
// hold n digits; Unpack gives the low nd digits of nw limbs (missing bits
// are 0).
constexpr Size LimbsFor(Size n) { return (n * 31 + 63) / 64; }
void PackLimbs(limb64::Limb* w, const Digit* a, Size n);
void UnpackLimbs(Digit* d, Size nd, const limb64::Limb* w, Size nw);
// Products, squares and divisions through the limbs (numbers/limb/): same
// contracts as Mul, Sqr and DivRem.
void MulByLimbs(Digit* r, const Digit* a, Size na, const Digit* b, Size nb);
void SqrByLimbs(Digit* r, const Digit* a, Size n);
void DivRemByLimbs(Digit* q, Digit* r, const Digit* a, Size na, const Digit* b, Size nb);

// The fastest product and square for the sizes: r gets na + nb digits;
// any na, nb >= 1 (the operands are exchanged as needed). Past a few
// digits they go through 64-bit limbs (numbers/limb/); the digit
// methods above stay as the reference.
void Mul(Digit* r, const Digit* a, Size na, const Digit* b, Size nb);
void Sqr(Digit* r, const Digit* a, Size n);

// Long division (Knuth's algorithm D): a has na digits, b has nb digits with
// b[nb-1] != 0 and na >= nb >= 1. q gets na - nb + 1 digits, r gets nb
// digits (either may be null when unwanted). The plain method works on
// digits of base 2^31 (the reference); the basecase on words of base 2^62.
void DivRemPlain(Digit* q, Digit* r, const Digit* a, Size na, const Digit* b, Size nb);
void DivRemBasecase(Digit* q, Digit* r, const Digit* a, Size na, const Digit* b, Size nb);
// The fastest division for the sizes (through 64-bit limbs past a few
// digits); same contract.
void DivRem(Digit* q, Digit* r, const Digit* a, Size na, const Digit* b, Size nb);

}  // namespace bigraw

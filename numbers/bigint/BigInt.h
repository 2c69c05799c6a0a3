// TBigInt: the signed multiprecision integer every computation beyond
// 64 bits rests on, with its text conversions, arithmetic, division and gcd.
//
// Representation: a sign flag (1 plus, 0 minus) and cells of signed 64-bit
// integers; cell 0 holds the digit count n >= 1, cells 1..n the digits of the
// magnitude in base 2^31, least significant first. Every finished result is
// in normal form: exactly n + 1 cells, top digit non-zero except for zero
// (n = 1, digit 0). Zero may carry either flag; "-0" is a real value.
//
// Operations write a result record supplied by the caller. Unlike the plain
// procedural contract, a result may here be the same object as an input:
// every routine computes into a temporary when it must.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "numbers/text/NumberText.h"

// A zero divisor or modulus: the division loop would never end.
class EDivByZero : public std::domain_error {
public:
  EDivByZero() : std::domain_error("Division by zero") {}
};

struct TBigInt {
  std::uint8_t SignFlag = 1;
  std::vector<std::int64_t> Cells{1, 0};  // a default record is zero, plus

  std::int32_t Count() const { return static_cast<std::int32_t>(Cells[0]); }
  std::int64_t Digit(int i) const { return Cells[static_cast<std::size_t>(i)]; }
  bool IsZero() const { return Count() == 1 && Cells[1] == 0; }
  bool IsNegative() const { return SignFlag == 0; }
};

enum TBigIntOrder { foGreater, foLess, foEqual };

constexpr std::int64_t kBigIntMask = 0x7FFFFFFFLL;

// ---- Text conversion and primitives -------------------------------------

// Leading junk and zeros are skipped; an empty text gives zero (plus). A chunk
// of nine characters that is not an integer raises EConvertError.
void DecimalToBigInt(const std::string& text, TBigInt& result);
std::string BigIntToDecimal(const TBigInt& a);
void BinaryToBigInt(const std::string& text, TBigInt& result);
std::string BigIntToBinary(const TBigInt& a);

void CopyBigInt(const TBigInt& source, TBigInt& destination);
// Releases the cells; the record holds zero afterwards (flag untouched).
void BigIntRelease(TBigInt& a);
void NegateBigInt(TBigInt& a);
void MakePositiveBigInt(TBigInt& a);
TBigIntOrder BigIntCompareMagnitude(const TBigInt& a, const TBigInt& b);
bool IsOddBigInt(const TBigInt& a);
// magnitude := magnitude div d, returns magnitude mod d; 1 <= d <= 2^32.
std::int64_t DivideBySmallBigInt(TBigInt& a, std::int64_t d);
void HalveBigInt(TBigInt& a);
void ShiftUpDigitBigInt(TBigInt& a);
void ShiftDownDigitBigInt(TBigInt& a);

// ---- Addition, subtraction, multiplication, powers -----------------------

void AddBigInt(const TBigInt& a, const TBigInt& b, TBigInt& result);
void SubtractBigInt(const TBigInt& a, const TBigInt& b, TBigInt& result);
// |a| := |a| - |b|, requires |a| >= |b|; a's flag untouched.
void SubtractMagnitudeBigInt(TBigInt& a, const TBigInt& b);
// |a| := |a| * m for 1 <= m < 2^31; flag untouched.
void MultiplyBySmallBigInt(TBigInt& a, std::int64_t m);
void MultiplyBigInt(const TBigInt& a, const TBigInt& b, TBigInt& result);
void SquareBigInt(const TBigInt& a, TBigInt& result);
// a raised to |e|, no modulus.
void PowerBigInt(const TBigInt& a, const TBigInt& e, TBigInt& result);

// ---- Division, remainder and gcd (Euclidean: 0 <= r < |b|) ----------------
// A zero divisor raises EDivByZero.

void DivModBigInt(const TBigInt& a, const TBigInt& b, TBigInt& quotient, TBigInt& remainder);
void DivideBigInt(const TBigInt& a, const TBigInt& b, TBigInt& quotient);
void ModuloBigInt(const TBigInt& a, const TBigInt& m, TBigInt& result);
void SquareModBigInt(const TBigInt& a, const TBigInt& m, TBigInt& result);
void MultiplyModBigInt(const TBigInt& a, const TBigInt& b, const TBigInt& m, TBigInt& result);
void GcdBigInt(const TBigInt& a, const TBigInt& b, TBigInt& result);
// Writes x in 0..m-1 with a*x = 1 (mod m) and returns true; when gcd(a, m)
// is not 1 the result is left untouched and false returned.
bool ModInverseBigInt(const TBigInt& a, const TBigInt& m, TBigInt& result);

// ---- Conveniences for callers --------------------------------------------

TBigInt BigIntFromInt64(std::int64_t v);
TBigInt BigIntFromDecimal(const std::string& text);
// The value when it fits in a signed 64-bit integer; false otherwise.
bool BigIntToInt64(const TBigInt& a, std::int64_t& out);
// Number of significant bits of the magnitude (0 for zero).
std::int64_t BigIntBitLength(const TBigInt& a);

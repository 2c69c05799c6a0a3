// Decimal conversion of raw digit arrays (internal to numbers/).
//
// The quadratic methods (multiply-accumulate by 10^9 on input, repeated
// division by 10^9 on output) are the reference. The fast ones work on
// 64-bit limbs: long numbers are split by cached powers of ten (of 5, and
// a shift), the pieces converted 19 digits at a time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numbers/bigint/BigIntRaw.h"

namespace radix {

// digits: a non-empty run of '0'..'9'. Returns cells (count in cell 0, then
// the base-2^31 digits; the top may be zero).
std::vector<bigraw::Digit> DecimalDigitsToCells(std::string_view digits);
std::vector<bigraw::Digit> DecimalDigitsToCellsBasecase(std::string_view digits);

// Decimal digits of the magnitude a[0..n-1], no sign, no leading zeros
// ("0" for zero).
std::string CellsToDecimalDigits(const bigraw::Digit* a, bigraw::Size n);
std::string CellsToDecimalDigitsBasecase(const bigraw::Digit* a, bigraw::Size n);

}  // namespace radix

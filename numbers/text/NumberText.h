// Reading numbers typed by the user, independent of the process locale.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The one conversion error every layer shares: a text that is not an integer
// (or, for the floating-point readers, not a number).
class EConvertError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
  // "'12a' is not a valid integer value"
  static EConvertError NotInteger(const std::string& chunk);
  // "'abc' is not a valid floating point value"
  static EConvertError NotFloat(const std::string& text);
};

// A signed 64-bit decimal integer: leading blanks, an optional sign, then
// decimal digits only, within the 64-bit range. Nothing otherwise.
std::optional<std::int64_t> ReadInt64Text(std::string_view text);

// A decimal number exactly as typed: value = d1.d2d3... * 10^exponent, with
// the significant digits d1 d2 ... (no leading or trailing zeros; empty for
// zero).
struct TDecimalText {
  bool negative = false;
  std::string digits;
  long exponent = 0;
};

// The syntax of ReadFloatText, read exactly, whatever the value's size.
std::optional<TDecimalText> ReadDecimalText(std::string_view text, std::string_view decimalSeparator = ".");

// A floating value in extended precision: blanks around it, an optional
// sign, digits with at most one decimal separator (the system's, passed in)
// and at least one digit, an optional power of ten "E" or "e" with its own
// optional sign. A value too large for the type is refused; one too small
// reads as zero. Every whole number up to 2^64 reads exactly.
std::optional<long double> ReadFloatText(std::string_view text, std::string_view decimalSeparator = ".");

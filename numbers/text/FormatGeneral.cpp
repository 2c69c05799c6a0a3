#include "numbers/text/FormatGeneral.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kDigits = 15;

std::string Plain(bool negative, const std::string& digits, int exp, std::string_view sep) {
  std::string out = negative ? "-" : "";
  if (exp < 0) {
    out += "0";
    out += sep;
    out.append(static_cast<std::size_t>(-exp - 1), '0');
    out += digits;
    return out;
  }
  const std::size_t whole = static_cast<std::size_t>(exp) + 1;
  if (digits.size() <= whole) {
    out += digits;
    out.append(whole - digits.size(), '0');
  } else {
    out.append(digits, 0, whole);
    out += sep;
    out.append(digits, whole, std::string::npos);
  }
  return out;
}

}  // namespace

std::string FormatGeneralDigits(bool negative, std::string digits, long exponent, std::string_view sep) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return "0";
  int exp = static_cast<int>(exponent);
  if (digits.size() > static_cast<std::size_t>(kDigits)) {
    // Half away from zero: the sixteenth digit decides alone.
    const bool up = digits[kDigits] >= '5';
    digits.resize(kDigits);
    if (up) {
      int i = kDigits - 1;
      while (i >= 0 && digits[i] == '9') digits[i--] = '0';
      if (i >= 0) {
        ++digits[i];
      } else {
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        ++exp;
      }
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  }

  // Plain below 10^15 (whole values are their own decimal integer) and down
  // to 0.0001.
  if (exp < kDigits && exp >= -4) return Plain(negative, digits, exp, sep);
  std::string out = negative ? "-" : "";
  out += digits[0];
  if (digits.size() > 1) {
    out += sep;
    out.append(digits, 1, std::string::npos);
  }
  out += "E";
  out += std::to_string(exp);
  return out;
}

std::string FormatGeneralWhole(std::uint64_t value, std::string_view sep) {
  const std::string digits = std::to_string(value);
  return FormatGeneralDigits(false, digits, static_cast<long>(digits.size()) - 1, sep);
}

std::string FormatGeneral(long double value, std::string_view sep) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  const bool negative = value < 0;
  const long double magnitude = negative ? -value : value;

  // Forty correctly rounded digits settle the rounding to fifteen unless the
  // digits after the fifteenth sit at a half; then the exact expansion (at
  // most some 11500 significant digits for any long double) decides.
  std::vector<char> buf(64);
  auto r = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::scientific, 39);
  std::string text(buf.data(), r.ptr);  // d.ddd...de[+-]xx
  std::size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  const std::string tail = digits.substr(kDigits + 1);
  const bool nearHalf = (digits[kDigits] == '5' && tail.find_first_not_of('0') == std::string::npos) ||
                        (digits[kDigits] == '4' && tail.find_first_not_of('9') == std::string::npos);
  if (nearHalf) {
    buf.resize(16384);
    r = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::scientific, 12000);
    text.assign(buf.data(), r.ptr);
    e = text.find('e');
    digits = text.substr(0, 1) + text.substr(2, e - 2);
  }
  return FormatGeneralDigits(negative, digits, std::atol(text.c_str() + e + 1), sep);
}

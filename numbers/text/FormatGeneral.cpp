#include "numbers/text/FormatGeneral.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

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

std::string FormatGeneral(long double value, std::string_view sep) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  const bool negative = value < 0;
  const long double magnitude = negative ? -value : value;

  // Whole values below 10^15 are their own decimal integer.
  if (magnitude < 1e15L && magnitude == std::floor(magnitude)) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(magnitude));
    std::string out = negative ? "-" : "";
    out.append(buf, r.ptr);
    return out;
  }

  // Twenty correct significant digits, then rounded half up to fifteen (every
  // whole value below 2^64 is exact at twenty digits).
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 19);
  const std::string text(buf, r.ptr);  // d.ddddddddddddddddddde[+-]xx
  const std::size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  int exp = std::atoi(text.c_str() + e + 1);
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

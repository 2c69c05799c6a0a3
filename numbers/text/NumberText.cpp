#include "numbers/text/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

EConvertError EConvertError::NotInteger(const std::string& chunk) {
  return EConvertError("'" + chunk + "' is not a valid integer value");
}

EConvertError EConvertError::NotFloat(const std::string& text) {
  return EConvertError("'" + text + "' is not a valid floating point value");
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::int64_t> ReadInt64Text(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  // Accumulate the magnitude unsigned so that -2^63 reads too.
  std::uint64_t magnitude = 0;
  constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    const unsigned digit = static_cast<unsigned>(text[i] - '0');
    if (magnitude > (kLimit - digit) / 10) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  if (!negative && magnitude == kLimit) return std::nullopt;
  return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

std::optional<long double> ReadFloatText(std::string_view text, std::string_view sep) {
  std::size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  std::string plain;  // the same number in the "C" form from_chars reads
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::size_t digits = 0, lead = 0;  // all mantissa digits; those before the separator, without leading zeros
  bool seenSeparator = false, significant = false;
  while (i < end) {
    if (IsDigit(text[i])) {
      if (text[i] != '0') significant = true;
      if (!seenSeparator && significant) ++lead;
      plain += text[i++];
      ++digits;
    } else if (!seenSeparator && !sep.empty() && text.substr(i, sep.size()) == sep) {
      seenSeparator = true;
      plain += '.';
      i += sep.size();
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  long exponent = 0;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    plain += text[i++];
    if (i < end && (text[i] == '+' || text[i] == '-')) {
      if (text[i] == '-') exponent = -1;
      plain += text[i++];
    }
    const std::size_t start = i;
    long magnitude = 0;
    while (i < end && IsDigit(text[i])) {
      if (magnitude < 100000000) magnitude = magnitude * 10 + (text[i] - '0');
      plain += text[i++];
    }
    if (i == start) return std::nullopt;
    exponent = exponent < 0 ? -magnitude : magnitude;
  }
  if (i != end) return std::nullopt;

  long double value = 0;
  const auto r = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (r.ec == std::errc::result_out_of_range) {
    // Too large is an error; too small (or zero digits with a huge power) is 0.
    if (!significant || static_cast<long>(lead) + exponent < 0) return negative ? -0.0L : 0.0L;
    return std::nullopt;
  }
  if (r.ec != std::errc() || r.ptr != plain.data() + plain.size() || std::isinf(value)) return std::nullopt;
  return negative ? -value : value;
}

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

std::optional<TDecimalText> ReadDecimalText(std::string_view text, std::string_view sep) {
  std::size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  TDecimalText out;
  if (i < end && (text[i] == '+' || text[i] == '-')) out.negative = text[i++] == '-';
  std::size_t digits = 0;
  long lead = 0;  // digits before the separator, from the first significant one
  long zerosAfterSeparator = 0;  // zeros between the separator and the first significant digit
  bool seenSeparator = false;
  while (i < end) {
    if (IsDigit(text[i])) {
      if (!out.digits.empty() || text[i] != '0') out.digits += text[i];
      else if (seenSeparator) ++zerosAfterSeparator;
      if (!seenSeparator && !out.digits.empty()) ++lead;
      ++i;
      ++digits;
    } else if (!seenSeparator && !sep.empty() && text.substr(i, sep.size()) == sep) {
      seenSeparator = true;
      i += sep.size();
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  long power = 0;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool minus = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
    const std::size_t start = i;
    while (i < end && IsDigit(text[i])) {
      // Beyond a hundred million the value is out of every range anyway.
      if (power < 100000000) power = power * 10 + (text[i] - '0');
      ++i;
    }
    if (i == start) return std::nullopt;
    if (minus) power = -power;
  }
  if (i != end) return std::nullopt;
  while (!out.digits.empty() && out.digits.back() == '0') out.digits.pop_back();
  if (out.digits.empty()) return out;
  out.exponent = (lead > 0 ? lead - 1 : -zerosAfterSeparator - 1) + power;
  return out;
}

std::optional<long double> ReadFloatText(std::string_view text, std::string_view sep) {
  const std::optional<TDecimalText> d = ReadDecimalText(text, sep);
  if (!d) return std::nullopt;
  if (d->digits.empty()) return d->negative ? -0.0L : 0.0L;
  // The same number in the "C" form from_chars reads: 0.d1d2... E(exponent + 1).
  const std::string plain = "0." + d->digits + "e" + std::to_string(d->exponent + 1);
  long double value = 0;
  const auto r = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (r.ec == std::errc::result_out_of_range) {
    // Too large is an error; too small is 0.
    if (d->exponent < 0) return d->negative ? -0.0L : 0.0L;
    return std::nullopt;
  }
  if (r.ec != std::errc() || r.ptr != plain.data() + plain.size() || std::isinf(value)) return std::nullopt;
  return d->negative ? -value : value;
}

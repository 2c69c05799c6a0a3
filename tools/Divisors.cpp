#include "tools/Divisors.h"

#include <optional>

#include "numbers/int64/Factor64.h"
#include "numbers/text/FormatGeneral.h"
#include "numbers/int64/PrimeRange.h"
#include "numbers/text/NumberText.h"

const char* const kDivisorsBelowTwo = "Numbers below 2 have no dividers to list !";

namespace {

constexpr long kHighestPower = 18;  // the cap: 10^18

}  // namespace

std::vector<std::uint64_t> ListedDivisors(std::uint64_t n) {
  std::vector<std::uint64_t> listed = DivisorsUpTo(n, IntegerSqrt64(n));
  if (!listed.empty()) listed.erase(listed.begin());  // 1
  return listed;
}

TDivisorTree DivisorTree(std::uint64_t n, std::string_view sep) {
  TDivisorTree tree;
  const std::vector<std::uint64_t> listed = ListedDivisors(n);
  tree.reserve(2 * listed.size());
  for (std::uint64_t d : listed) {
    const std::uint64_t q = n / d;
    if (q == d) {
      tree.push_back({std::to_string(d) + " (Square root)", kSquareRootImage, 0});
    } else {
      tree.push_back({std::to_string(d), kNoImage, 0});
      tree.push_back({FormatGeneralWhole(q, sep), kCofactorImage, 1});
    }
  }
  return tree;
}

TDivisorOutcome FindDivisors(const std::string& fieldText, std::string_view sep) {
  TDivisorOutcome out;
  // The float reading decides what is a number (and what is too large for
  // one); the value itself is taken from the exact decimal digits, so every
  // whole number up to 10^18 is the one typed on every platform.
  const std::optional<long double> value = ReadFloatText(fieldText, sep);
  std::optional<TDecimalText> read = value ? ReadDecimalText(fieldText, sep) : std::nullopt;
  if (!read) {
    out.error = "'" + fieldText + "' is not a valid floating point value";
    return out;
  }
  TDecimalText number = *read;
  // A value too small for a floating value reads as zero, and the field
  // shows 0 for it, as it always has.
  if (*value == 0) number = TDecimalText{};
  const bool positive = !number.negative && !number.digits.empty();
  if (positive && (number.exponent > kHighestPower || (number.exponent == kHighestPower && number.digits != "1")))
    number = TDecimalText{false, "1", kHighestPower};
  out.fieldText = FormatGeneralDigits(number.negative, number.digits, number.exponent, sep);
  // Below 2: zero, negative, below 1, or 1.xxx.
  if (!positive || number.exponent < 0 || (number.exponent == 0 && number.digits[0] == '1')) {
    // No divisor search can say anything here; it is not a prime either.
    out.resultLine = kDivisorsBelowTwo;
    return out;
  }
  const std::size_t wholeDigits = static_cast<std::size_t>(number.exponent) + 1;
  const bool isWhole = number.digits.size() <= wholeDigits;
  std::string wholeText = number.digits.substr(0, wholeDigits);
  wholeText.append(wholeDigits - wholeText.size(), '0');
  const std::uint64_t whole = std::stoull(wholeText);
  if (whole > 2) out.tree = DivisorTree(whole, sep);
  out.entryCount = out.tree.size();
  if (out.entryCount == 0) {
    out.prime = true;
    out.resultRed = true;
    out.resultLine = "We\"ve found a prime number !";
    // Above 10^15 the field's fifteen digits name another number; the
    // prime itself is written in full (below, both texts are the same).
    out.primeListText = isWhole ? wholeText : out.fieldText;
    out.primeMessage = "The number: \"" + out.primeListText + "\" is Prime !";
  } else {
    out.resultLine = "We\"ve found " + std::to_string(out.entryCount) + " dividers";
  }
  return out;
}

std::string FindButtonHint(const std::string& fieldText) {
  if (fieldText.empty()) return "Type a number above, then click here to get all its divisors";
  return "Find all divisors for " + fieldText;
}

#include "tools/Divisors.h"

#include <cmath>

#include "numbers/Factor64.h"
#include "numbers/FormatGeneral.h"
#include "numbers/PrimeRange.h"
#include "numbers/NumberText.h"

namespace {

const char* const kDivisorsBelowTwo = "Numbers below 2 have no dividers to list !";

constexpr long double kHighest = 1e18L;

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
      tree.push_back({FormatGeneral(static_cast<long double>(q), sep), kCofactorImage, 1});
    }
  }
  return tree;
}

TDivisorOutcome FindDivisors(const std::string& fieldText, std::string_view sep) {
  TDivisorOutcome out;
  const std::optional<long double> read = ReadFloatText(fieldText, sep);
  if (!read) {
    out.error = "'" + fieldText + "' is not a valid floating point value";
    return out;
  }
  const long double number = *read > kHighest ? kHighest : *read;
  out.fieldText = FormatGeneral(number, sep);
  if (number < 2) {
    // No divisor search can say anything here; it is not a prime either.
    out.resultLine = kDivisorsBelowTwo;
    return out;
  }
  if (number > 2) out.tree = DivisorTree(static_cast<std::uint64_t>(std::trunc(number)), sep);
  out.entryCount = out.tree.size();
  if (out.entryCount == 0) {
    out.prime = true;
    out.resultRed = true;
    out.resultLine = "We\"ve found a prime number !";
    // Above 10^15 the field's fifteen digits name another number; the
    // prime itself is written in full (below, both texts are the same).
    const long double whole = std::trunc(number);
    out.primeListText = whole == number ? std::to_string(static_cast<std::uint64_t>(whole)) : out.fieldText;
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

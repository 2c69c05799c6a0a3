#include "numbers/int64/Int64Primes.h"

#include <cmath>
#include <cstdint>

#include "numbers/int64/PrimeRange.h"
#include "numbers/text/NumberText.h"

bool IsPrimeInt64(std::int64_t n) {
  if (n <= 1) return false;
  if (n == 2) return true;
  if (n % 2 == 0) return false;
  // A 32-bit bound would wrap for n above (2^31 - 1)^2 and pass composites.
  // The exact root: a floating-point one hangs on the width of long double,
  // which is only 64 bits on some systems.
  const std::uint64_t u = static_cast<std::uint64_t>(n);
  const std::uint64_t limit = IntegerSqrt64(u);
  for (std::uint64_t d = 3; d <= limit; d += 2)
    if (u % d == 0) return false;
  return true;
}

long double EstimatePrimeCount(long double low, long double high) {
  // Each case below is where the floating-point unit would fault.
  if (!(low > 0) || !(high > 0) || low == 1 || high == 1) return 0;
  if (std::isinf(low) || std::isinf(high)) return 0;
  const long double e = high / std::log(high) - low / std::log(low);
  if (!std::isfinite(e)) return 0;
  // nearbyint rounds ties to even in the default rounding mode.
  const long double rounded = std::nearbyint(e);
  if (rounded >= 9223372036854775808.0L || rounded < -9223372036854775808.0L) return 0;
  return rounded < 0 ? 0 : rounded;
}

TPrimeArray StringsToPrimeArray(const std::vector<std::string>& texts) {
  TPrimeArray a;
  a.reserve(texts.size());
  for (const std::string& t : texts) {
    const std::optional<std::int64_t> v = ReadInt64Text(t);
    if (!v) throw EConvertError::NotInteger(t);
    a.push_back(*v);
  }
  return a;
}

std::int64_t CountTwinPrimes(const TPrimeArray& a) {
  std::int64_t count = 0;
  for (std::size_t i = 0; i + 1 < a.size(); ++i)
    if (a[i] <= INT64_MAX - 2 && a[i + 1] == a[i] + 2) ++count;  // no overflow for any input
  return count;
}

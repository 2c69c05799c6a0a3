// The 64-bit routines against GMP: the deterministic test, the batched test
// of sieve survivors, the trial division (below 2^36), the segmented sieve
// over a window of up to 2048 numbers anywhere below 2^63, the integer
// square root, the factorisation, the divisors, the estimate and the
// readers the search engine uses.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "numbers/int64/Factor64.h"
#include "numbers/int64/Int64Primes.h"
#include "numbers/text/NumberText.h"
#include "numbers/int64/Prime64.h"
#include "numbers/int64/PrimeRange.h"

using namespace fuzz;

namespace {

bool GmpPrime(std::uint64_t n) {
  Mpz m;
  mpz_import(m.get(), 1, -1, sizeof n, 0, 0, &n);
  return mpz_probab_prime_p(m.get(), 30) != 0;
}

// Shapes the fuzzer rarely makes by itself: small numbers, numbers near a
// power of two, near 10^18, squares and products of two primes.
std::uint64_t Shape(std::uint64_t raw, std::uint8_t how) {
  switch (how % 6) {
    case 0: return raw;
    case 1: return raw % 100000;
    case 2: return (std::uint64_t{1} << (raw % 64)) + (raw >> 58) - 32;
    case 3: return 1000000000000000000ULL - (raw % 1000);
    case 4: {
      const std::uint64_t r = raw % 4294967296ULL;
      return r * r;
    }
    default: {
      const std::uint64_t p = (raw & 0xFFFFFFFFULL) | 1, q = (raw >> 32) | 1;
      return p * q;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 64) return 0;
  TInput in(data, size);
  const std::uint8_t how = in.U8();
  const std::uint64_t n = Shape(in.U64(), how);
  const std::uint16_t width = in.U16() % 2049;
  const std::uint8_t maxCount = in.U8();
  const std::uint64_t extra = in.U64();

  const bool prime = GmpPrime(n);
  FUZZ_CHECK(IsPrime64(n) == prime, n << " prime " << prime);
  if (n < (std::uint64_t{1} << 36)) FUZZ_CHECK(IsPrimeInt64(static_cast<std::int64_t>(n)) == prime, "trial division " << n);
  FUZZ_CHECK(!IsPrimeInt64(-static_cast<std::int64_t>(n & 0x7FFFFFFFFFFFFFFFULL)), "negative prime");

  {
    std::uint64_t odd[4] = {n | 1, extra | 1, (n ^ extra) | 1, (n + extra) | 1};
    for (std::uint64_t& c : odd)
      if (c < 3) c = 3;
    std::uint8_t verdict[4] = {9, 9, 9, 9};
    TestOddCandidates64(odd, 4, verdict);
    for (int i = 0; i < 4; ++i) FUZZ_CHECK(verdict[i] == (GmpPrime(odd[i]) ? 1 : 0), "batched " << odd[i]);
  }

  const std::uint64_t r = IntegerSqrt64(n);
  FUZZ_CHECK(static_cast<unsigned __int128>(r) * r <= n && static_cast<unsigned __int128>(r + 1) * (r + 1) > n,
             "root of " << n << " " << r);

  // The sieve over [low, low + width], low below 2^63.
  {
    const std::uint64_t low = n >> 1 >> (how >> 6) * 16;
    const std::uint64_t high = std::min<std::uint64_t>(low + width, std::uint64_t{1} << 63);
    const std::size_t limit = maxCount ? maxCount * 8 : 1000000;
    const std::vector<std::uint64_t> got = PrimesInRange(low, high, limit);
    std::vector<std::uint64_t> want;
    for (std::uint64_t k = low; k <= high && want.size() < limit; ++k)
      if (GmpPrime(k)) want.push_back(k);
    FUZZ_CHECK(got == want, "primes of " << low << ".." << high << ": " << got.size() << " want " << want.size());
  }

  const std::vector<std::uint64_t> factors = Factorize64(n);
  if (n < 2) {
    FUZZ_CHECK(factors.empty(), "factors of " << n);
  } else {
    unsigned __int128 product = 1;
    for (std::size_t i = 0; i < factors.size(); ++i) {
      FUZZ_CHECK(GmpPrime(factors[i]) && n % factors[i] == 0, "factor " << factors[i] << " of " << n);
      FUZZ_CHECK(i == 0 || factors[i - 1] <= factors[i], "factors not ascending");
      product *= factors[i];
    }
    FUZZ_CHECK(product == n, "product of the factors of " << n);
  }
  if (n >= 9 && (n & 1) && !prime) {
    const std::uint64_t f = BrentRhoFactor64(n);
    FUZZ_CHECK(f > 1 && f < n && n % f == 0, "rho factor " << f << " of " << n);
  }

  // Divisors: ascending, each divides, as many as the exponents say.
  if (n >= 1) {
    std::uint64_t count = 1;
    for (std::size_t i = 0, j; i < factors.size(); i = j) {
      for (j = i; j < factors.size() && factors[j] == factors[i];) ++j;
      count *= j - i + 1;
    }
    const std::vector<std::uint64_t> divisors = Divisors64(n);
    FUZZ_CHECK(divisors.size() == count && divisors.front() == 1 && divisors.back() == n, "divisors of " << n);
    for (std::size_t i = 0; i < divisors.size(); ++i)
      FUZZ_CHECK(n % divisors[i] == 0 && (i == 0 || divisors[i - 1] < divisors[i]), "divisor " << divisors[i]);
    const std::uint64_t limit = n == UINT64_MAX ? extra : extra % (n + 1);
    std::vector<std::uint64_t> below;
    for (std::uint64_t d : divisors)
      if (d <= limit) below.push_back(d);
    FUZZ_CHECK(DivisorsUpTo(n, limit) == below, "divisors of " << n << " up to " << limit);
  } else {
    FUZZ_CHECK(Divisors64(0).empty(), "divisors of 0");
  }

  // The estimate never fails and is a whole number, never negative.
  {
    long double lo, hi;
    const double dl = std::ldexp(static_cast<double>(extra & 0xFFFFFFFF), static_cast<int>(how % 80) - 16);
    const double dh = std::ldexp(static_cast<double>(n >> 32), static_cast<int>(how % 70) - 10);
    lo = (how & 0x40) ? -dl : dl;
    hi = (how & 0x80) ? -dh : dh;
    const long double e = EstimatePrimeCount(lo, hi);
    FUZZ_CHECK(std::isfinite(e) && e >= 0 && e == std::trunc(e), "estimate " << static_cast<double>(e));
  }

  // The search engine's reader against the typed-number reader.
  {
    std::string minus = " -", plus = "+";
    minus += std::to_string(extra);
    plus += std::to_string(n % 1000);
    const std::string texts[] = {std::to_string(static_cast<std::int64_t>(n)), minus, plus,
                                 std::string(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 24))};
    for (const std::string& t : texts) {
      const std::optional<std::int64_t> want = ReadInt64Text(t);
      bool threw = false;
      TPrimeArray got;
      try {
        got = StringsToPrimeArray({t});
      } catch (const EConvertError&) {
        threw = true;
      }
      FUZZ_CHECK(threw == !want.has_value(), "reading " << t);
      if (want) FUZZ_CHECK(got.size() == 1 && got[0] == *want, "read " << got[0]);
    }
  }
  return 0;
}

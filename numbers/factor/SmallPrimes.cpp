#include "numbers/factor/SmallPrimes.h"

TPrimeBits::TPrimeBits(std::uint64_t limit) : limit_(limit) {
  const std::uint64_t count = limit / 2 + 1;
  bits_.assign(count / 64 + 1, ~std::uint64_t{0});
  bits_[0] &= ~std::uint64_t{1};  // 1 is no prime
  for (std::uint64_t p = 3; p * p <= limit; p += 2) {
    if (!IsPrime(p)) continue;
    for (std::uint64_t m = p * p; m <= limit; m += 2 * p) {
      const std::uint64_t i = m >> 1;
      bits_[i >> 6] &= ~(std::uint64_t{1} << (i & 63));
    }
  }
}

std::vector<std::uint32_t> PrimesUpTo(std::uint32_t limit) {
  std::vector<std::uint32_t> primes;
  if (limit < 2) return primes;
  const TPrimeBits bits(limit);
  primes.push_back(2);
  for (std::uint64_t n = 3; n <= limit; n += 2)
    if (bits.IsPrime(n)) primes.push_back(static_cast<std::uint32_t>(n));
  return primes;
}

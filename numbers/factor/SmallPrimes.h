// Sieve of Eratosthenes for the factor searches: the primes up to a bound as
// a list, or as a bit table over the odd numbers.
#pragma once

#include <cstdint>
#include <vector>

// Every prime p <= limit in increasing order.
std::vector<std::uint32_t> PrimesUpTo(std::uint32_t limit);

class TPrimeBits {
public:
  explicit TPrimeBits(std::uint64_t limit);
  std::uint64_t Limit() const { return limit_; }
  // n <= Limit().
  bool IsPrime(std::uint64_t n) const {
    if (n < 3) return n == 2;
    if ((n & 1) == 0) return false;
    const std::uint64_t i = n >> 1;
    return (bits_[i >> 6] >> (i & 63)) & 1;
  }

private:
  std::uint64_t limit_;
  std::vector<std::uint64_t> bits_;  // bit i: 2i + 1 is prime
};

#include "numbers/int64/Factor64.h"

#include <algorithm>
#include <bit>

#include "numbers/int64/Montgomery64.h"
#include "numbers/int64/Prime64.h"
#include "numbers/int64/PrimeRange.h"

namespace {

std::uint64_t Gcd(std::uint64_t a, std::uint64_t b) {
  if (a == 0) return b;
  if (b == 0) return a;
  const int shift = std::countr_zero(a | b);
  a >>= std::countr_zero(a);
  do {
    b >>= std::countr_zero(b);
    if (a > b) std::swap(a, b);
    b -= a;
  } while (b != 0);
  return a << shift;
}


const std::vector<std::uint32_t>& TrialPrimes() {
  static const std::vector<std::uint32_t> primes = OddPrimesUpTo(1000);
  return primes;
}

}  // namespace

// A proper factor of n (1 < result < n); n odd, composite, not below 9.
std::uint64_t BrentRhoFactor64(std::uint64_t n) {
  const TMontgomery64 m(n);
  constexpr std::uint64_t kBatch = 128;
  auto diff = [](std::uint64_t a, std::uint64_t b) { return a > b ? a - b : b - a; };
  for (std::uint64_t c0 = 1;; ++c0) {
    const std::uint64_t c = m.To(c0);
    auto f = [&](std::uint64_t v) { return m.Add(m.Mul(v, v), c); };
    std::uint64_t y = m.To(2), x = y, ys = y, q = m.r1, g = 1;
    for (std::uint64_t r = 1; g == 1; r *= 2) {
      x = y;
      for (std::uint64_t i = 0; i < r; ++i) y = f(y);
      for (std::uint64_t k = 0; k < r && g == 1; k += kBatch) {
        ys = y;
        const std::uint64_t steps = std::min(kBatch, r - k);
        for (std::uint64_t i = 0; i < steps; ++i) {
          y = f(y);
          q = m.Mul(q, diff(x, y));
        }
        // q is in Montgomery form, q * R; R is prime to n, so the gcd is the same.
        g = Gcd(q, n);
      }
    }
    if (g == n) {
      // The batch overshot: retrace it one step at a time.
      do {
        ys = f(ys);
        g = Gcd(diff(x, ys), n);
      } while (g == 1);
    }
    if (g != n) return g;
  }
}

namespace {

void Split(std::uint64_t n, std::vector<std::uint64_t>& factors) {
  if (n == 1) return;
  if (IsPrime64(n)) {
    factors.push_back(n);
    return;
  }
  const std::uint64_t d = BrentRhoFactor64(n);
  Split(d, factors);
  Split(n / d, factors);
}

}  // namespace

std::vector<std::uint64_t> Factorize64(std::uint64_t n) {
  std::vector<std::uint64_t> factors;
  if (n < 2) return factors;
  const int twos = std::countr_zero(n);
  factors.assign(twos, 2);
  n >>= twos;
  for (std::uint32_t p : TrialPrimes()) {
    if (static_cast<std::uint64_t>(p) * p > n) break;
    while (n % p == 0) {
      factors.push_back(p);
      n /= p;
    }
  }
  const std::size_t tail = factors.size();
  Split(n, factors);
  std::sort(factors.begin() + tail, factors.end());
  return factors;
}

std::vector<std::uint64_t> DivisorsUpTo(std::uint64_t n, std::uint64_t limit) {
  if (n == 0 || limit == 0) return {};
  const std::vector<std::uint64_t> factors = Factorize64(n);
  // Kept ascending throughout: the multiples of the list by p^k are each
  // ascending, so merging them costs less than sorting at the end; and
  // beyond limit nothing is kept, as later factors only make it larger.
  std::vector<std::uint64_t> divisors{1}, scaled, merged;
  for (std::size_t i = 0; i < factors.size();) {
    const std::uint64_t p = factors[i];
    std::size_t e = 0;
    while (i < factors.size() && factors[i] == p) ++e, ++i;
    const std::vector<std::uint64_t> base = divisors;
    std::uint64_t power = 1;
    for (std::size_t k = 0; k < e && power <= limit / p; ++k) {
      power *= p;
      scaled.clear();
      for (std::uint64_t d : base) {
        if (d > limit / power) break;
        scaled.push_back(d * power);
      }
      merged.resize(divisors.size() + scaled.size());
      std::merge(divisors.begin(), divisors.end(), scaled.begin(), scaled.end(), merged.begin());
      divisors.swap(merged);
    }
  }
  return divisors;
}

std::vector<std::uint64_t> Divisors64(std::uint64_t n) { return DivisorsUpTo(n, n); }

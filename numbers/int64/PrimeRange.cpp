#include "numbers/int64/PrimeRange.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "numbers/int64/Prime64.h"

namespace {

// Above this bound the sieve stops deciding and only pre-sieves: crossing
// off by larger primes would cost more than the tests it saves.
constexpr std::uint32_t kPresieveBound = 1u << 18;
constexpr std::size_t kSegmentBytes = 1u << 17;

// The odd numbers 2c + 1 divisible by 3, 5, 7, 11 or 13 repeat with period
// 15015 in c; copying this pattern replaces the densest crossing-off.
constexpr std::uint32_t kPatternPrimes[] = {3, 5, 7, 11, 13};
constexpr std::size_t kPatternPeriod = 3 * 5 * 7 * 11 * 13;

const std::vector<std::uint8_t>& Pattern() {
  static const std::vector<std::uint8_t> pattern = [] {
    // Two periods, so any offset can be copied in one piece of a period.
    std::vector<std::uint8_t> p(2 * kPatternPeriod, 1);
    for (std::size_t c = 0; c < p.size(); ++c)
      for (std::uint32_t q : kPatternPrimes)
        if ((2 * c + 1) % q == 0) p[c] = 0;
    return p;
  }();
  return pattern;
}

const std::vector<std::uint32_t>& PresievePrimes() {
  static const std::vector<std::uint32_t> primes = OddPrimesUpTo(kPresieveBound);
  return primes;
}

void FillFromPattern(std::uint8_t* sieve, std::size_t len, std::uint64_t canonicalStart) {
  const std::uint8_t* pattern = Pattern().data();
  std::size_t offset = static_cast<std::size_t>(canonicalStart % kPatternPeriod);
  std::size_t done = 0;
  while (done < len) {
    const std::size_t piece = std::min(kPatternPeriod, len - done);
    std::memcpy(sieve + done, pattern + offset, piece);
    done += piece;
    offset = (offset + piece) % kPatternPeriod;
  }
}

}  // namespace

std::uint64_t IntegerSqrt64(std::uint64_t n) {
  std::uint64_t r = static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(n)));
  while (r > 0 && (r > 0xFFFFFFFFULL || r * r > n)) --r;
  while (r < 0xFFFFFFFFULL && (r + 1) * (r + 1) <= n) ++r;
  return r;
}

std::vector<std::uint32_t> OddPrimesUpTo(std::uint32_t limit) {
  std::vector<std::uint32_t> primes;
  if (limit < 3) return primes;
  // composite[i] stands for 2i + 1.
  const std::size_t count = (static_cast<std::size_t>(limit) - 1) / 2 + 1;
  std::vector<std::uint8_t> composite(count, 0);
  for (std::size_t i = 1; i < count; ++i) {
    if (composite[i]) continue;
    const std::uint64_t p = 2 * i + 1;
    primes.push_back(static_cast<std::uint32_t>(p));
    for (std::uint64_t j = (p * p - 1) / 2; j < count; j += p) composite[j] = 1;
  }
  return primes;
}

std::vector<std::uint64_t> PrimesInRange(std::uint64_t low, std::uint64_t high, std::size_t maxCount,
                                         TProgress* progress) {
  std::vector<std::uint64_t> out;
  low = std::max<std::uint64_t>(low, 2);
  if (high < low || maxCount == 0) return out;
  if (low == 2) out.push_back(2);
  const std::uint64_t oddLow = low <= 3 ? 3 : (low | 1);
  if (oddLow > high || out.size() >= maxCount) return out;

  const std::uint64_t root = IntegerSqrt64(high);
  const bool exact = root <= kPresieveBound;
  const std::vector<std::uint32_t>& all = PresievePrimes();
  const std::size_t used = exact ? std::upper_bound(all.begin(), all.end(), root) - all.begin() : all.size();
  // The pattern covers the primes up to 13; the rest cross off.
  const std::size_t first = std::upper_bound(all.begin(), all.begin() + used, 13u) - all.begin();

  const std::uint64_t total = (high - oddLow) / 2 + 1;  // odd numbers in the interval
  std::vector<std::uint64_t> next(used);                // next index to cross, per prime
  for (std::size_t k = first; k < used; ++k) {
    const std::uint64_t p = all[k];
    std::uint64_t m = std::max(p * p, (oddLow + p - 1) / p * p);
    if ((m & 1) == 0) m += p;
    next[k] = (m - oddLow) / 2;
  }

  std::vector<std::uint8_t> sieve(kSegmentBytes);
  std::vector<std::uint64_t> candidates;
  std::vector<std::uint8_t> verdicts;
  const std::uint64_t canonicalLow = (oddLow - 1) / 2;
  for (std::uint64_t seg = 0; seg < total; seg += kSegmentBytes) {
    CheckCancelled(progress);
    const std::size_t len = static_cast<std::size_t>(std::min<std::uint64_t>(kSegmentBytes, total - seg));
    std::uint8_t* s = sieve.data();
    FillFromPattern(s, len, canonicalLow + seg);
    if (seg == 0)
      for (std::uint32_t q : kPatternPrimes)  // the pattern struck the primes themselves
        if (q >= oddLow && q <= high) s[(q - oddLow) / 2] = 1;
    for (std::size_t k = first; k < used; ++k) {
      const std::uint64_t p = all[k];
      std::uint64_t j = next[k] - seg;
      for (; j < len; j += p) s[j] = 0;
      next[k] = seg + j;
    }

    const std::uint64_t base = oddLow + 2 * seg;
    if (exact) {
      for (std::size_t i = 0; i < len; ++i)
        if (s[i]) out.push_back(base + 2 * i);
    } else {
      candidates.clear();
      for (std::size_t i = 0; i < len; ++i)
        if (s[i]) candidates.push_back(base + 2 * i);
      verdicts.resize(candidates.size());
      TestOddCandidates64(candidates.data(), candidates.size(), verdicts.data());
      for (std::size_t i = 0; i < candidates.size(); ++i)
        if (verdicts[i]) out.push_back(candidates[i]);
    }
    if (out.size() >= maxCount) {
      out.resize(maxCount);
      break;
    }
    if (progress) {
      const double byRange = static_cast<double>(seg + len) / static_cast<double>(total);
      const double byCount = static_cast<double>(out.size()) / static_cast<double>(maxCount);
      progress->Report(std::max(byRange, byCount));
    }
  }
  return out;
}

#include "numbers/factor/Siqs.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "numbers/factor/Gf2Solver.h"
#include "numbers/montgomery/MontgomeryWords.h"
#include "numbers/factor/SiqsBase.h"
#include "numbers/factor/SiqsSieve.h"

namespace {

// The columns of odd exponent, sorted.
std::vector<std::uint32_t> OddColumns(const std::vector<std::uint32_t>& columns, std::vector<std::uint8_t>& parity) {
  std::vector<std::uint32_t> odd;
  for (std::uint32_t c : columns) parity[c] ^= 1;
  for (std::uint32_t c : columns)
    if (parity[c]) {
      odd.push_back(c);
      parity[c] = 0;
    }
  for (std::uint32_t c : columns) parity[c] = 0;
  std::sort(odd.begin(), odd.end());
  return odd;
}

struct TCollected {
  std::vector<TSiqsRelation> fulls, partials;
  std::vector<std::pair<std::size_t, std::size_t>> cycles;  // partials sharing a large prime
  std::unordered_map<std::uint64_t, std::size_t> firstWith;
  std::size_t Count() const { return fulls.size() + cycles.size(); }
};

void Collect(TSiqsSieve& sieve, TCollected& c, std::size_t wanted, TProgress* progress) {
  std::vector<TSiqsRelation> fresh;
  while (c.Count() < wanted) {
    CheckCancelled(progress);
    const std::size_t before = c.partials.size();
    sieve.Next(c.fulls, c.partials);
    for (std::size_t i = before; i < c.partials.size(); ++i) {
      const auto [it, inserted] = c.firstWith.emplace(c.partials[i].largePrime, i);
      if (!inserted) c.cycles.emplace_back(it->second, i);
    }
    if ((sieve.Polynomials() & 7) == 0 && progress) {
      const std::size_t have = std::min(c.Count(), wanted);
      progress->Report(static_cast<double>(have) / static_cast<double>(wanted),
                       "Quadratic sieve: relations " + std::to_string(have) + " of " + std::to_string(wanted));
    }
  }
}

// The square root step for one dependency: 1 < factor < n on success.
bool TryDependency(const TSiqsBase& base, const TCollected& c, const std::vector<std::uint32_t>& dep,
                   const TMontgomeryWords& mont, TBigInt& factor) {
  const std::size_t k = static_cast<std::size_t>(mont.Words());
  std::vector<std::uint64_t> x(mont.One(), mont.One() + k), y = x, t(k);
  std::vector<std::uint32_t> exponents(base.primes.size() + 1, 0);
  auto take = [&](const TSiqsRelation& r) {
    const TInt128 v = r.y < 0 ? -r.y : r.y;
    mont.Load(t.data(), BigIntFromInt128(v));
    mont.Multiply(x.data(), x.data(), t.data());
    for (std::uint32_t col : r.columns) ++exponents[col];
  };
  for (std::uint32_t row : dep) {
    if (row < c.fulls.size()) {
      take(c.fulls[row]);
    } else {
      const auto& [a, b] = c.cycles[row - c.fulls.size()];
      take(c.partials[a]);
      take(c.partials[b]);
      // The large prime appears squared; its root is itself.
      mont.LoadSmall(t.data(), static_cast<std::int64_t>(c.partials[a].largePrime));
      mont.Multiply(y.data(), y.data(), t.data());
    }
  }
  // Pack prime powers into one word before each product.
  std::uint64_t word = 1;
  auto flush = [&]() {
    mont.LoadSmall(t.data(), static_cast<std::int64_t>(word));
    mont.Multiply(y.data(), y.data(), t.data());
    word = 1;
  };
  for (std::size_t col = 1; col < exponents.size(); ++col) {
    if (exponents[col] % 2 != 0) return false;  // not a square: a solver fault
    const std::uint64_t p = base.primes[col - 1];
    for (std::uint32_t e = 0; e < exponents[col] / 2; ++e) {
      if (word > (std::uint64_t{1} << 62) / p) flush();
      word *= p;
    }
  }
  if (exponents[0] % 2 != 0) return false;
  flush();
  TBigInt xs, ys, d, g;
  mont.Store(x.data(), xs);
  mont.Store(y.data(), ys);
  SubtractBigInt(xs, ys, d);
  GcdBigInt(d, base.n, g);
  MakePositiveBigInt(g);
  if (BigIntCompareMagnitude(g, BigIntFromInt64(1)) != foGreater) return false;
  if (BigIntCompareMagnitude(g, base.n) == foEqual) return false;
  factor = g;
  return true;
}

}  // namespace

bool SiqsFactor(const TBigInt& n, TBigInt& factor, TProgress* progress, std::uint64_t seed) {
  TSiqsBase base;
  std::uint64_t small = 0;
  if (!BuildSiqsBase(n, base, small)) {
    factor = BigIntFromInt64(static_cast<std::int64_t>(small));
    return true;
  }
  TSiqsSieve sieve(base, seed * 0x9E3779B97F4A7C15ULL + 12345);
  const TMontgomeryWords mont(base.n);
  TCollected c;
  std::size_t wanted = base.wanted;
  std::vector<std::uint8_t> parity(base.primes.size() + 1, 0);
  // Each dependency splits a product of two primes with odds one half; a
  // failure of all of them asks for more relations, a few times.
  for (int round = 0; round < 8; ++round) {
    Collect(sieve, c, wanted, progress);
    std::vector<std::vector<std::uint32_t>> rows;
    rows.reserve(c.Count());
    for (const TSiqsRelation& r : c.fulls) rows.push_back(OddColumns(r.columns, parity));
    for (const auto& [a, b] : c.cycles) {
      std::vector<std::uint32_t> both = c.partials[a].columns;
      both.insert(both.end(), c.partials[b].columns.begin(), c.partials[b].columns.end());
      rows.push_back(OddColumns(both, parity));
    }
    ReportProgress(progress, 1.0, "Quadratic sieve: linear algebra");
    const auto deps = FindDependencies(rows, static_cast<std::uint32_t>(base.primes.size() + 1), 64);
    for (const auto& dep : deps) {
      CheckCancelled(progress);
      if (TryDependency(base, c, dep, mont, factor)) return true;
    }
    wanted = c.Count() + 32;
  }
  return false;
}

#include "numbers/factor/SiqsBase.h"

#include <cmath>

#include "numbers/montgomery/MontgomeryWords.h"
#include "numbers/factor/SmallPrimes.h"

namespace {

std::uint32_t PowMod32(std::uint32_t a, std::uint64_t e, std::uint32_t p) {
  std::uint64_t r = 1, b = a % p;
  while (e) {
    if (e & 1) r = r * b % p;
    b = b * b % p;
    e >>= 1;
  }
  return static_cast<std::uint32_t>(r);
}

std::uint32_t SqrtMod32(std::uint32_t a, std::uint32_t p) {
  a %= p;
  if (a == 0) return 0;
  if (p % 4 == 3) return PowMod32(a, (p + 1) / 4, p);
  // Tonelli and Shanks.
  std::uint32_t q = p - 1, s = 0;
  while ((q & 1) == 0) {
    q >>= 1;
    ++s;
  }
  std::uint32_t z = 2;
  while (PowMod32(z, (p - 1) / 2, p) != p - 1) ++z;
  std::uint64_t c = PowMod32(z, q, p), r = PowMod32(a, (q + 1) / 2, p), t = PowMod32(a, q, p);
  std::uint32_t m = s;
  while (t != 1) {
    std::uint32_t i = 0;
    std::uint64_t tt = t;
    while (tt != 1) {
      tt = tt * tt % p;
      ++i;
    }
    std::uint64_t b = c;
    for (std::uint32_t j = 0; j + i + 1 < m; ++j) b = b * b % p;
    r = r * b % p;
    c = b * b % p;
    t = t * c % p;
    m = i;
  }
  return static_cast<std::uint32_t>(r);
}


struct TSizes {
  int bits;         // of kN
  int primes;       // factor base size
  int half;         // M
  int largeFactor;  // large prime bound = largeFactor * largest base prime
  double slack;     // bits below the sieve's ideal sum still kept
};

// Sizes by the bit length of kN, interpolated between the rows. From 120
// bits on, measured on products of two primes of 20 and 25 digits: a larger
// base and large-prime bound than the textbook tables, as the relations of
// this sieve are cheap to find and the linear algebra small.
constexpr TSizes kSizes[] = {
    {60, 60, 4096, 20, 2.0},     {80, 100, 8192, 25, 2.5},    {100, 160, 16384, 30, 3.0},
    {120, 450, 32768, 80, 3.5},  {140, 800, 32768, 100, 4.0}, {160, 1500, 32768, 110, 4.0},
    {180, 2200, 65536, 120, 4.5}, {200, 3200, 65536, 130, 5.0},
};

TSizes SizesFor(int bits) {
  const int rows = sizeof(kSizes) / sizeof(kSizes[0]);
  if (bits <= kSizes[0].bits) return kSizes[0];
  for (int i = 1; i < rows; ++i) {
    if (bits > kSizes[i].bits) continue;
    const TSizes& a = kSizes[i - 1];
    const TSizes& b = kSizes[i];
    const double t = static_cast<double>(bits - a.bits) / (b.bits - a.bits);
    TSizes s;
    s.bits = bits;
    s.primes = static_cast<int>(a.primes + t * (b.primes - a.primes));
    s.half = t < 0.5 ? a.half : b.half;
    s.largeFactor = static_cast<int>(a.largeFactor + t * (b.largeFactor - a.largeFactor));
    s.slack = a.slack + t * (b.slack - a.slack);
    return s;
  }
  return kSizes[rows - 1];
}

std::uint32_t ModSmall(const TBigInt& a, std::uint32_t p) {
  TBigInt t = a;
  return static_cast<std::uint32_t>(DivideBySmallBigInt(t, p));
}

int Legendre(std::uint32_t a, std::uint32_t p) {
  if (a % p == 0) return 0;
  return PowMod32(a, (p - 1) / 2, p) == 1 ? 1 : -1;
}

// Knuth and Schroeppel's choice: the k making small primes most likely
// to divide the sieved values, against the growth of kN.
std::uint32_t ChooseMultiplier(const TBigInt& n, const std::vector<std::uint32_t>& small) {
  static const std::uint32_t kCandidates[] = {1,  3,  5,  7,  11, 13, 15, 17, 19, 21, 23, 29, 31, 33, 35, 37,
                                              39, 41, 43, 47, 51, 53, 55, 57, 59, 61, 65, 67, 69, 71, 73};
  const std::uint32_t n8 = ModSmall(n, 8);
  std::vector<std::uint32_t> residues;
  for (std::uint32_t p : small) residues.push_back(ModSmall(n, p));
  double best = -1e9;
  std::uint32_t bestK = 1;
  for (std::uint32_t k : kCandidates) {
    double score = -0.5 * std::log(static_cast<double>(k));
    const std::uint32_t kn8 = (k * n8) % 8;
    if (kn8 == 1) score += 2 * std::log(2.0);
    else if (kn8 == 5) score += std::log(2.0);
    else score += 0.5 * std::log(2.0);
    for (std::size_t i = 1; i < small.size(); ++i) {
      const std::uint32_t p = small[i];
      const double lp = std::log(static_cast<double>(p));
      if (k % p == 0) score += lp / p;
      else if (Legendre(static_cast<std::uint32_t>((static_cast<std::uint64_t>(k) * residues[i]) % p), p) == 1)
        score += 2 * lp / (p - 1);
    }
    if (score > best) {
      best = score;
      bestK = k;
    }
  }
  return bestK;
}

}  // namespace

std::uint32_t ModInverse32(std::uint32_t a, std::uint32_t p) {
  std::int64_t r0 = p, r1 = a % p, t0 = 0, t1 = 1;
  while (r1 != 0) {
    const std::int64_t q = r0 / r1;
    std::int64_t t = r0 - q * r1;
    r0 = r1;
    r1 = t;
    t = t0 - q * t1;
    t0 = t1;
    t1 = t;
  }
  if (t0 < 0) t0 += p;
  return static_cast<std::uint32_t>(t0);
}

std::uint32_t Mod128(TUInt128 v, std::uint32_t p) {
  const std::uint64_t hi = static_cast<std::uint64_t>(v >> 64), lo = static_cast<std::uint64_t>(v);
  const std::uint64_t two64 = (static_cast<TUInt128>(1) << 64) % p;
  return static_cast<std::uint32_t>(((hi % p) * two64 + lo % p) % p);
}

TBigInt BigIntFromInt128(TInt128 v) {
  const bool negative = v < 0;
  const TUInt128 mag = negative ? static_cast<TUInt128>(0) - static_cast<TUInt128>(v) : static_cast<TUInt128>(v);
  const std::uint64_t words[2] = {static_cast<std::uint64_t>(mag), static_cast<std::uint64_t>(mag >> 64)};
  TBigInt r;
  WordsToBigInt(words, 2, r);
  if (negative && !r.IsZero()) r.SignFlag = 0;
  return r;
}

bool BigIntToInt128(const TBigInt& a, TInt128& out) {
  if (BigIntBitLength(a) > 126) return false;
  std::uint64_t words[2];
  BigIntToWords(a, words, 2);
  const TInt128 mag = static_cast<TInt128>((static_cast<TUInt128>(words[1]) << 64) | words[0]);
  out = a.IsNegative() ? -mag : mag;
  return true;
}

bool SiqsAccepts(const TBigInt& n) {
  const std::int64_t bits = BigIntBitLength(n);
  return bits >= 64 && bits <= 190;  // g(x) must stay inside 127 bits
}

bool BuildSiqsBase(const TBigInt& n, TSiqsBase& base, std::uint64_t& smallFactor) {
  base = TSiqsBase{};
  base.n = n;
  MakePositiveBigInt(base.n);
  static const std::vector<std::uint32_t> small = PrimesUpTo(1000);
  for (std::uint32_t p : small)
    if (ModSmall(base.n, p) == 0 && BigIntCompareMagnitude(base.n, BigIntFromInt64(p)) != foEqual) {
      smallFactor = p;
      return false;
    }
  base.multiplier = ChooseMultiplier(base.n, small);
  base.kn = base.n;
  MultiplyBySmallBigInt(base.kn, base.multiplier);
  const int bits = static_cast<int>(BigIntBitLength(base.kn));
  const TSizes sizes = SizesFor(bits);

  // Roughly two primes in four pass the residue test; sieve far enough.
  std::uint32_t limit = 4096;
  for (;;) {
    base.primes.assign(1, 2);
    base.roots.assign(1, 1);
    const std::vector<std::uint32_t> candidates = PrimesUpTo(limit);
    for (std::size_t i = 1; i < candidates.size() && base.primes.size() < static_cast<std::size_t>(sizes.primes); ++i) {
      const std::uint32_t p = candidates[i];
      const std::uint32_t r = ModSmall(base.kn, p);
      if (r == 0) {
        if (ModSmall(base.n, p) == 0) {
          smallFactor = p;
          return false;
        }
        base.primes.push_back(p);  // p divides k
        base.roots.push_back(0);
      } else if (Legendre(r, p) == 1) {
        base.primes.push_back(p);
        base.roots.push_back(SqrtMod32(r, p));
      }
    }
    if (base.primes.size() >= static_cast<std::size_t>(sizes.primes)) break;
    limit *= 2;
  }
  for (std::uint32_t p : base.primes)
    base.logs.push_back(static_cast<std::uint8_t>(std::lround(std::log2(static_cast<double>(p)))));
  base.firstSieved = 1;
  while (base.firstSieved < base.primes.size() && base.primes[base.firstSieved] < 30) ++base.firstSieved;
  base.halfInterval = static_cast<std::uint32_t>(sizes.half);
  base.largePrimeBound = static_cast<std::uint64_t>(base.primes.back()) * static_cast<std::uint64_t>(sizes.largeFactor);
  base.wanted = static_cast<std::uint32_t>(base.primes.size()) + 1 + 20;
  // |g(x)| reaches about M sqrt(kN / 2); keep values whose unsieved rest is
  // below the large prime bound, less a slack for the unsieved small primes.
  const double gBits = std::log2(static_cast<double>(base.halfInterval)) + 0.5 * (bits - 1);
  base.thresholdBits = gBits - std::log2(static_cast<double>(base.largePrimeBound)) - sizes.slack;
  return true;
}

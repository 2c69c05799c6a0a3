#include "numbers/factor/SiqsSieve.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint32_t kNoRoot = 0xFFFFFFFFu;
constexpr std::uint32_t kSieveBlock = 32768;

std::uint32_t Mod128Signed(TInt128 v, std::uint32_t p) {
  const std::uint32_t m = Mod128(v < 0 ? static_cast<TUInt128>(-v) : static_cast<TUInt128>(v), p);
  return v < 0 && m != 0 ? p - m : m;
}

}  // namespace

namespace {

// s primes of about equal size make A close to sqrt(2 kN) / M.
int PrimesInAFor(const TSiqsBase& base) {
  const double targetBits = 0.5 * (std::log2(2.0) + static_cast<double>(BigIntBitLength(base.kn))) -
                            std::log2(static_cast<double>(base.halfInterval));
  const double maxQBits = std::min(11.5, std::log2(static_cast<double>(base.primes.back())) - 1.0);
  return std::max(2, static_cast<int>(std::ceil(targetBits / maxQBits)));
}

}  // namespace

TSiqsChooser::TSiqsChooser(const TSiqsBase& base, std::uint64_t seed) : base_(base), state_(seed | 1) {
  const std::size_t f = base.primes.size();
  s_ = PrimesInAFor(base);
  const double targetBits = 0.5 * (std::log2(2.0) + static_cast<double>(BigIntBitLength(base.kn))) -
                            std::log2(static_cast<double>(base.halfInterval));
  const double qBits = targetBits / s_;
  const double lo = std::exp2(qBits) / 1.6, hi = std::exp2(qBits) * 1.6;
  for (std::uint32_t i = base.firstSieved; i < f; ++i) {
    const std::uint32_t p = base.primes[i];
    if (p >= lo && p <= hi && base.multiplier % p != 0) pool_.push_back(i);
  }
  // A thin pool repeats A values soon; widen it from the smallest primes up.
  for (std::uint32_t i = base.firstSieved; pool_.size() < static_cast<std::size_t>(4 * s_) + 8 && i < f; ++i)
    if (base.multiplier % base.primes[i] != 0 && std::find(pool_.begin(), pool_.end(), i) == pool_.end())
      pool_.push_back(i);
  std::sort(pool_.begin(), pool_.end());
}

std::uint64_t TSiqsChooser::Random() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 7;
  state_ ^= state_ << 17;
  return state_;
}

std::vector<std::uint32_t> TSiqsChooser::NextA() {
  const std::size_t f = base_.primes.size();
  const double targetLog = 0.5 * (1.0 + static_cast<double>(BigIntBitLength(base_.kn))) * std::log(2.0) -
                           std::log(static_cast<double>(base_.halfInterval));
  std::vector<std::uint32_t> pick;
  for (int attempt = 0;; ++attempt) {
    pick.clear();
    double logA = 0;
    while (static_cast<int>(pick.size()) < s_ - 1) {
      const std::uint32_t i = pool_[Random() % pool_.size()];
      if (std::find(pick.begin(), pick.end(), i) != pick.end()) continue;
      pick.push_back(i);
      logA += std::log(static_cast<double>(base_.primes[i]));
    }
    // The last prime brings A nearest its target.
    const double want = std::exp(targetLog - logA);
    std::uint32_t best = kNoRoot;
    double bestGap = 1e300;
    for (std::uint32_t i = base_.firstSieved; i < f; ++i) {
      if (base_.multiplier % base_.primes[i] == 0) continue;
      if (std::find(pick.begin(), pick.end(), i) != pick.end()) continue;
      const double gap = std::fabs(std::log(base_.primes[i] / want));
      if (gap < bestGap) {
        bestGap = gap;
        best = i;
      }
    }
    pick.push_back(best);
    std::sort(pick.begin(), pick.end());
    if (usedA_.insert(pick).second || attempt > 1000) break;
  }
  return pick;
}

TSiqsSieve::TSiqsSieve(const TSiqsBase& base, int primesInA)
    : base_(base), s_(primesInA), size_(2 * base.halfInterval), sieve_(2 * base.halfInterval + 8) {
  const std::size_t f = base.primes.size();
  recip_.resize(f);
  for (std::size_t i = 0; i < f; ++i) recip_[i] = (std::uint64_t{1} << 40) / base.primes[i] + 1;
  root1_.assign(f, kNoRoot);
  root2_.assign(f, kNoRoot);
  next1_.assign(f, 0);
  next2_.assign(f, 0);
  inA_.assign(f, 0);
  bainv_.assign(static_cast<std::size_t>(s_) * f, 0);
  bParts_.assign(static_cast<std::size_t>(s_), 0);
}

void TSiqsSieve::SetA(const std::vector<std::uint32_t>& pick) {
  const std::size_t f = base_.primes.size();
  for (std::uint32_t i : aIndex_) inA_[i] = 0;
  aIndex_ = pick;
  a_ = 1;
  for (std::uint32_t i : aIndex_) {
    a_ *= base_.primes[i];
    inA_[i] = 1;
  }
  // B_j = (A / q_j) * gamma_j with B_j^2 = kN mod q_j and B_j = 0 mod A / q_j.
  b_ = 0;
  for (int j = 0; j < s_; ++j) {
    const std::uint32_t q = base_.primes[aIndex_[j]];
    const TInt128 aq = a_ / q;
    std::uint64_t gamma = static_cast<std::uint64_t>(base_.roots[aIndex_[j]]) *
                          ModInverse32(Mod128Signed(aq, q), q) % q;
    if (gamma > q / 2) gamma = q - gamma;
    bParts_[j] = aq * static_cast<TInt128>(gamma);
    b_ += bParts_[j];
  }
  polyInA_ = 0;
  for (std::uint32_t i = 1; i < f; ++i) {
    if (inA_[i]) {
      root1_[i] = root2_[i] = kNoRoot;
      continue;
    }
    const std::uint32_t p = base_.primes[i];
    const std::uint64_t ainv = ModInverse32(Mod128Signed(a_, p), p);
    for (int j = 0; j < s_; ++j)
      bainv_[static_cast<std::size_t>(j) * f + i] =
          static_cast<std::uint32_t>(2 * (Mod128Signed(bParts_[j], p) * ainv % p) % p);
    const std::uint64_t bm = Mod128Signed(b_, p), t = base_.roots[i], m = base_.halfInterval % p;
    root1_[i] = static_cast<std::uint32_t>((ainv * ((t + p - bm) % p) + m) % p);
    root2_[i] = static_cast<std::uint32_t>((ainv * ((2 * p - t - bm) % p) + m) % p);
  }
}

void TSiqsSieve::Step(std::uint32_t next) {
  // Gray code: polynomial i + 1 differs from i in the sign of B_v.
  const int v = __builtin_ctz(next);
  const bool minus = ((next ^ (next >> 1)) >> v) & 1;
  const std::size_t f = base_.primes.size();
  const std::uint32_t* d = &bainv_[static_cast<std::size_t>(v) * f];
  if (minus) b_ -= 2 * bParts_[v];
  else b_ += 2 * bParts_[v];
  for (std::uint32_t i = 1; i < f; ++i) {
    if (inA_[i]) continue;
    const std::uint32_t p = base_.primes[i];
    std::uint32_t r1 = root1_[i], r2 = root2_[i];
    if (minus) {
      r1 += d[i];
      r2 += d[i];
      if (r1 >= p) r1 -= p;
      if (r2 >= p) r2 -= p;
    } else {
      r1 = r1 >= d[i] ? r1 - d[i] : r1 + p - d[i];
      r2 = r2 >= d[i] ? r2 - d[i] : r2 + p - d[i];
    }
    root1_[i] = r1;
    root2_[i] = r2;
  }
  polyInA_ = next;
}

void TSiqsSieve::Sieve(std::uint32_t i, std::vector<TSiqsRelation>& out) {
  if (i != polyInA_) Step(i);
  // C = (B^2 - kN) / A, exact because B^2 = kN mod A.
  TBigInt b2, diff, c;
  const TBigInt b = BigIntFromInt128(b_);
  SquareBigInt(b, b2);
  SubtractBigInt(b2, base_.kn, diff);
  DivideBigInt(diff, BigIntFromInt128(a_), c);
  BigIntToInt128(c, c_);
  SieveInterval();
  Scan(out);
}

void TSiqsSieve::SieveInterval() {
  const double init = 128.0 - base_.thresholdBits;
  std::memset(sieve_.data(), static_cast<int>(init < 0 ? 0 : init), size_);
  std::uint8_t* s = sieve_.data();
  const std::size_t f = base_.primes.size();
  // The interval in blocks the size of the first-level cache; each prime's
  // next two positions carry over from block to block.
  std::uint32_t* next1 = next1_.data();
  std::uint32_t* next2 = next2_.data();
  for (std::size_t i = base_.firstSieved; i < f; ++i) {
    std::uint32_t a = root1_[i], b = root2_[i];
    if (a > b) std::swap(a, b);
    next1[i] = a;
    next2[i] = inA_[i] ? kNoRoot : b;  // kNoRoot: no roots at all
  }
  for (std::uint32_t start = 0; start < size_; start += kSieveBlock) {
    const std::uint32_t end = std::min(size_, start + kSieveBlock);
    for (std::size_t i = base_.firstSieved; i < f; ++i) {
      std::uint32_t a = next1[i], b = next2[i];
      if (b == kNoRoot) continue;
      const std::uint32_t p = base_.primes[i];
      const std::uint8_t l = base_.logs[i];
      if (a == b) {  // p divides k: one root
        for (; a < end; a += p) s[a] += l;
        next1[i] = next2[i] = a;
        continue;
      }
      while (b < end) {
        s[a] += l;
        s[b] += l;
        a += p;
        b += p;
      }
      if (a < end) {
        s[a] += l;
        a += p;
        std::swap(a, b);  // b < a now
      }
      next1[i] = a;
      next2[i] = b;
    }
  }
}

void TSiqsSieve::Scan(std::vector<TSiqsRelation>& out) {
  const std::uint8_t* bytes = sieve_.data();
  auto candidate = [&](std::uint32_t pos) {
    TSiqsRelation r;
    if (TrialDivide(pos, r)) out.push_back(std::move(r));
  };
#if defined(__SSE2__)
  // 64 bytes at a time: almost every group holds no candidate, and the
  // byte signs come out as one mask.
  for (std::uint32_t i = 0; i < size_; i += 64) {
    __m128i v[4];
    for (int k = 0; k < 4; ++k) v[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i + 16 * k));
    if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(v[0], v[1]), _mm_or_si128(v[2], v[3]))) == 0) continue;
    for (int k = 0; k < 4; ++k)
      for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(v[k])); mask; mask &= mask - 1)
        candidate(i + 16 * static_cast<std::uint32_t>(k) + static_cast<std::uint32_t>(__builtin_ctz(mask)));
  }
#else
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  for (std::uint32_t w = 0; w < size_ / 8; ++w) {
    // Four words at once: almost every group holds no candidate.
    if ((w & 3) == 0) {
      std::uint64_t group[4];
      std::memcpy(group, bytes + 8 * static_cast<std::size_t>(w), sizeof group);
      if (((group[0] | group[1] | group[2] | group[3]) & kHigh) == 0) {
        w += 3;
        continue;
      }
    }
    std::uint64_t hit;
    std::memcpy(&hit, bytes + 8 * static_cast<std::size_t>(w), 8);
    for (hit &= kHigh; hit; hit &= hit - 1)
      candidate(w * 8 + static_cast<std::uint32_t>(__builtin_ctzll(hit) / 8));
  }
#endif
}

namespace {

// Divides p out of v as often as it goes, listing column col each time;
// in 64 bits once v fits them.
void DivideOut(TUInt128& v, std::uint32_t p, std::uint32_t col, std::vector<std::uint32_t>& columns) {
  for (;;) {
    if (static_cast<std::uint64_t>(v >> 64) == 0) {
      const std::uint64_t w = static_cast<std::uint64_t>(v);
      if (w % p != 0) return;
      v = w / p;
    } else {
      if (v % p != 0) return;
      v /= p;
    }
    columns.push_back(col);
  }
}

}  // namespace

bool TSiqsSieve::TrialDivide(std::uint32_t pos, TSiqsRelation& r) {
  const TInt128 x = static_cast<TInt128>(pos) - base_.halfInterval;
  TInt128 g = (a_ * x + 2 * b_) * x + c_;
  r.columns.clear();
  if (g == 0) return false;
  if (g < 0) {
    r.columns.push_back(0);
    g = -g;
  }
  TUInt128 v = static_cast<TUInt128>(g);
  // A divides A g(x) = (A x + B)^2 - kN once, and g(x) may hold its primes too.
  for (std::uint32_t i : aIndex_) {
    r.columns.push_back(i + 1);
    DivideOut(v, base_.primes[i], i + 1, r.columns);
  }
  while ((v & 1) == 0) {
    v >>= 1;
    r.columns.push_back(1);
  }
  // A prime divides g(x) exactly when x sits on one of its roots; A's
  // primes have none (kNoRoot never matches).
  const std::size_t f = base_.primes.size();
  const std::uint32_t* primes = base_.primes.data();
  const std::uint64_t* recip = recip_.data();
  const std::uint32_t* r1 = root1_.data();
  const std::uint32_t* r2 = root2_.data();
  for (std::uint32_t i = 1; i < f; ++i) {
    const std::uint32_t p = primes[i];
    const std::uint32_t m = pos - static_cast<std::uint32_t>((pos * recip[i]) >> 40) * p;
    if (m != r1[i] && m != r2[i]) continue;
    DivideOut(v, p, i + 1, r.columns);
  }
  if (v != 1 && v >= base_.largePrimeBound) return false;
  r.y = a_ * x + b_;
  r.largePrime = static_cast<std::uint64_t>(v);
  return true;
}

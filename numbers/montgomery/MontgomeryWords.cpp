#include "numbers/montgomery/MontgomeryWords.h"

#include "numbers/limb/LimbRaw.h"

#include <array>
#include <cstring>
#include <utility>

namespace {

using limb64::Limb;
using limb64::Wide;

// a >= b over k words?
bool NotBelow(const Limb* a, const Limb* b, int k) { return limb64::CmpN(a, b, static_cast<std::size_t>(k)) >= 0; }

// a -= b and a += b over k words; return the borrow or carry.
Limb SubtractWords(Limb* a, const Limb* b, int k) { return limb64::SubN(a, a, b, static_cast<std::size_t>(k)); }
Limb AddWords(Limb* a, const Limb* b, int k) { return limb64::AddN(a, a, b, static_cast<std::size_t>(k)); }

}  // namespace

void BigIntToWords(const TBigInt& a, std::uint64_t* words, int count) {
  std::memset(words, 0, sizeof(Limb) * static_cast<std::size_t>(count));
  const int n = a.Count();
  const long long totalBits = static_cast<long long>(count) * 64;
  for (int i = 1; i <= n; ++i) {
    const Limb digit = static_cast<Limb>(a.Cells[static_cast<std::size_t>(i)]) & 0x7FFFFFFFu;
    if (digit == 0) continue;
    const long long bit = static_cast<long long>(i - 1) * 31;
    if (bit >= totalBits) break;
    const int w = static_cast<int>(bit / 64), b = static_cast<int>(bit % 64);
    words[w] |= digit << b;
    if (b > 33 && w + 1 < count) words[w + 1] |= digit >> (64 - b);
  }
}

void WordsToBigInt(const std::uint64_t* words, int count, TBigInt& result) {
  int top = count;
  while (top > 0 && words[top - 1] == 0) --top;
  const long long bits = static_cast<long long>(top) * 64;
  int digits = static_cast<int>((bits + 30) / 31);
  if (digits < 1) digits = 1;
  std::vector<std::int64_t> cells(static_cast<std::size_t>(digits) + 1, 0);
  for (int i = 0; i < digits; ++i) {
    const long long bit = static_cast<long long>(i) * 31;
    const int w = static_cast<int>(bit / 64), b = static_cast<int>(bit % 64);
    Limb v = w < top ? words[w] >> b : 0;
    if (b > 33 && w + 1 < top) v |= words[w + 1] << (64 - b);
    cells[static_cast<std::size_t>(i) + 1] = static_cast<std::int64_t>(v & 0x7FFFFFFFu);
  }
  while (digits > 1 && cells[static_cast<std::size_t>(digits)] == 0) --digits;
  cells.resize(static_cast<std::size_t>(digits) + 1);
  cells[0] = digits;
  result.Cells = std::move(cells);
  result.SignFlag = 1;
}

TMontgomeryWords::TMontgomeryWords(const TBigInt& n) {
  const std::int64_t bits = BigIntBitLength(n);
  k_ = static_cast<int>((bits + 63) / 64);
  if (k_ < 1) k_ = 1;
  const std::size_t k = static_cast<std::size_t>(k_);
  n_.assign(k, 0);
  BigIntToWords(n, n_.data(), k_);
  // Newton's iteration for n^{-1} mod 2^64 (n odd): each step doubles the
  // number of correct low bits, starting from 3 (n * n = 1 mod 8).
  Limb x = n_[0];
  for (int i = 0; i < 5; ++i) x *= 2 - n_[0] * x;
  inv_ = ~x + 1;
  scratch_.assign(2 * k + 2, 0);
  // R mod n and R^2 mod n by doubling 1 modulo n, 2 * 64k times. Each value
  // is below n, so doubling overflows by at most one bit.
  one_.assign(k, 0);
  r2_.assign(k, 0);
  std::vector<Limb> v(k, 0);
  v[0] = 1;
  const long long steps = 128LL * k_;
  for (long long s = 1; s <= steps; ++s) {
    Limb carry = 0;
    for (std::size_t i = 0; i < k; ++i) {
      const Limb w = v[i];
      v[i] = (w << 1) | carry;
      carry = w >> 63;
    }
    if (carry || NotBelow(v.data(), n_.data(), k_)) SubtractWords(v.data(), n_.data(), k_);
    if (s == 64LL * k_) one_ = v;
  }
  r2_ = v;
  if (k_ == 1 && n_[0] == 1) {  // not a valid modulus; keep everything zero
    one_[0] = 0;
    r2_[0] = 0;
  }
}

namespace {

// The kernels take the word count as a template argument where it is small
// (KC > 0), so that the compiler unrolls the loops; KC = 0 reads it at run
// time.

// REDC as GMP's redc_1 does it: row i clears t[i] and leaves its carry in
// that cleared word; the carries are added to the upper half at the end.
template <int KC>
inline void ReduceKernel(Limb* out, Limb* t, const Limb* n, Limb inv, int kRun) {
  const int k = KC > 0 ? KC : kRun;
  for (int i = 0; i < k; ++i) {
    const Limb m = t[i] * inv;
    Limb carry = 0;
    Limb* row = t + i;
    for (int j = 0; j < k; ++j) {
      const Wide p = static_cast<Wide>(m) * n[j] + row[j] + carry;
      row[j] = static_cast<Limb>(p);
      carry = static_cast<Limb>(p >> 64);
    }
    t[i] = carry;  // row[0] is zero now
  }
  const Limb carry = AddWords(t + k, t, k);
  if (carry || NotBelow(t + k, n, k)) SubtractWords(t + k, n, k);
  std::memcpy(out, t + k, sizeof(Limb) * static_cast<std::size_t>(k));
}

template <int KC>
void MultiplyKernel(Limb* out, const Limb* a, const Limb* b, const Limb* n, Limb inv, Limb* t, int kRun) {
  const int k = KC > 0 ? KC : kRun;
  {
    Limb carry = 0;
    const Limb bi = b[0];
    for (int j = 0; j < k; ++j) {
      const Wide p = static_cast<Wide>(a[j]) * bi + carry;
      t[j] = static_cast<Limb>(p);
      carry = static_cast<Limb>(p >> 64);
    }
    t[k] = carry;
  }
  for (int i = 1; i < k; ++i) {
    Limb carry = 0;
    const Limb bi = b[i];
    Limb* row = t + i;
    for (int j = 0; j < k; ++j) {
      const Wide p = static_cast<Wide>(a[j]) * bi + row[j] + carry;
      row[j] = static_cast<Limb>(p);
      carry = static_cast<Limb>(p >> 64);
    }
    row[k] = carry;
  }
  ReduceKernel<KC>(out, t, n, inv, k);
}

template <int KC>
void SquareKernel(Limb* out, const Limb* a, const Limb* n, Limb inv, Limb* t, int kRun) {
  const int k = KC > 0 ? KC : kRun;
  std::memset(t, 0, sizeof(Limb) * static_cast<std::size_t>(2 * k));
  // Cross products a_i a_j (i < j) once.
  for (int i = 0; i + 1 < k; ++i) {
    Limb carry = 0;
    const Limb ai = a[i];
    Limb* row = t + 2 * i + 1;
    for (int j = i + 1; j < k; ++j) {
      const Wide p = static_cast<Wide>(ai) * a[j] + row[j - i - 1] + carry;
      row[j - i - 1] = static_cast<Limb>(p);
      carry = static_cast<Limb>(p >> 64);
    }
    t[i + k] = carry;
  }
  // Double them, then add the diagonal squares.
  Limb top = 0;
  for (int i = 0; i < 2 * k; ++i) {
    const Limb w = t[i];
    t[i] = (w << 1) | top;
    top = w >> 63;
  }
  Limb carry = 0;
  for (int i = 0; i < k; ++i) {
    const Wide sq = static_cast<Wide>(a[i]) * a[i];
    const Wide lo = static_cast<Wide>(t[2 * i]) + static_cast<Limb>(sq) + carry;
    t[2 * i] = static_cast<Limb>(lo);
    const Wide hi = static_cast<Wide>(t[2 * i + 1]) + static_cast<Limb>(sq >> 64) + static_cast<Limb>(lo >> 64);
    t[2 * i + 1] = static_cast<Limb>(hi);
    carry = static_cast<Limb>(hi >> 64);
  }
  ReduceKernel<KC>(out, t, n, inv, k);
}

using TMulKernel = void (*)(Limb*, const Limb*, const Limb*, const Limb*, Limb, Limb*, int);
using TSqrKernel = void (*)(Limb*, const Limb*, const Limb*, Limb, Limb*, int);

template <int... K>
constexpr std::array<TMulKernel, sizeof...(K)> MulTable(std::integer_sequence<int, K...>) {
  return {MultiplyKernel<K>...};
}
template <int... K>
constexpr std::array<TSqrKernel, sizeof...(K)> SqrTable(std::integer_sequence<int, K...>) {
  return {SquareKernel<K>...};
}

// Entry 0 is the run-time kernel, entries 1..16 the unrolled ones.
constexpr auto kMulKernels = MulTable(std::make_integer_sequence<int, 17>{});
constexpr auto kSqrKernels = SqrTable(std::make_integer_sequence<int, 17>{});

}  // namespace

void TMontgomeryWords::Reduce(Limb* out, Limb* t) const { ReduceKernel<0>(out, t, n_.data(), inv_, k_); }

void TMontgomeryWords::Multiply(Limb* out, const Limb* a, const Limb* b) const {
  const std::size_t i = k_ < static_cast<int>(kMulKernels.size()) ? static_cast<std::size_t>(k_) : 0;
  kMulKernels[i](out, a, b, n_.data(), inv_, scratch_.data(), k_);
}

void TMontgomeryWords::Square(Limb* out, const Limb* a) const {
  const std::size_t i = k_ < static_cast<int>(kSqrKernels.size()) ? static_cast<std::size_t>(k_) : 0;
  kSqrKernels[i](out, a, n_.data(), inv_, scratch_.data(), k_);
}

void TMontgomeryWords::Add(Limb* out, const Limb* a, const Limb* b) const {
  const Limb carry = limb64::AddN(out, a, b, static_cast<std::size_t>(k_));
  if (carry || NotBelow(out, n_.data(), k_)) SubtractWords(out, n_.data(), k_);
}

void TMontgomeryWords::Subtract(Limb* out, const Limb* a, const Limb* b) const {
  const Limb borrow = limb64::SubN(out, a, b, static_cast<std::size_t>(k_));
  if (borrow) AddWords(out, n_.data(), k_);
}

void TMontgomeryWords::ToMontgomery(Limb* out, const Limb* x) const { Multiply(out, x, r2_.data()); }

void TMontgomeryWords::FromMontgomery(Limb* out, const Limb* x) const {
  Limb* t = scratch_.data();
  std::memset(t, 0, sizeof(Limb) * static_cast<std::size_t>(2 * k_ + 1));
  std::memcpy(t, x, sizeof(Limb) * static_cast<std::size_t>(k_));
  Reduce(out, t);
}

void TMontgomeryWords::Load(Limb* out, const TBigInt& x) const {
  TBigInt n, r;
  WordsToBigInt(n_.data(), k_, n);
  ModuloBigInt(x, n, r);  // the non-negative residue, also for negative x
  BigIntToWords(r, out, k_);
  ToMontgomery(out, out);
}

void TMontgomeryWords::LoadSmall(Limb* out, std::int64_t v) const {
  std::memset(out, 0, sizeof(Limb) * static_cast<std::size_t>(k_));
  Limb m = v < 0 ? static_cast<Limb>(0) - static_cast<Limb>(v) : static_cast<Limb>(v);
  if (k_ == 1) m %= n_[0];
  out[0] = m;
  if (v < 0 && m != 0) {
    std::vector<Limb> t(n_);
    SubtractWords(t.data(), out, k_);
    std::memcpy(out, t.data(), sizeof(Limb) * static_cast<std::size_t>(k_));
  }
  ToMontgomery(out, out);
}

void TMontgomeryWords::Store(const Limb* x, TBigInt& result) const {
  std::vector<Limb> plain(static_cast<std::size_t>(k_));
  FromMontgomery(plain.data(), x);
  WordsToBigInt(plain.data(), k_, result);
}

bool TMontgomeryWords::Equal(const Limb* a, const Limb* b) const {
  return std::memcmp(a, b, sizeof(Limb) * static_cast<std::size_t>(k_)) == 0;
}

bool TMontgomeryWords::IsZero(const Limb* a) const {
  for (int i = 0; i < k_; ++i)
    if (a[i]) return false;
  return true;
}

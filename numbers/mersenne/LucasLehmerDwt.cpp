#include "numbers/mersenne/LucasLehmerDwt.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "numbers/limb/Cpu.h"
#include "numbers/mersenne/MersenneResidue.h"

namespace {

// Largest safe digit size for N digits. The error of the convolution grows
// with the digits' size squared times about sqrt(N) (balanced digits add up
// like a random walk); this keeps the largest error of whole runs well
// below the 0.4 that makes an iteration go exact.
double MaxBitsFor(std::size_t n) { return 0.5 * (53.0 - 0.5 * std::log2(static_cast<double>(n))) - 4.0; }

// Whether N digits make a transform: N/2 points of the form r 2^k, with
// blocks of at least 4 points.
bool UsableLength(std::size_t n) {
  return n >= 8 && n % 2 == 0 && fft::TMixedFft::Supported(n / 2) && 8 * (n / (n & (~n + 1))) <= n;
}

// Bits [at, at + width) of a word array (width at most 32; one word of
// padding beyond the last one read).
std::uint64_t Extract(const std::vector<std::uint64_t>& w, std::uint64_t at, int width) {
  const std::size_t i = static_cast<std::size_t>(at >> 6);
  const int off = static_cast<int>(at & 63);
  std::uint64_t v = w[i] >> off;
  if (off + width > 64) v |= w[i + 1] << (64 - off);
  return v & ((std::uint64_t{1} << width) - 1);
}

void Deposit(std::vector<std::uint64_t>& w, std::uint64_t at, std::uint64_t value) {
  const std::size_t i = static_cast<std::size_t>(at >> 6);
  const int off = static_cast<int>(at & 63);
  w[i] |= value << off;
  if (off != 0) w[i + 1] |= value >> (64 - off);
}

// The square of the real signal's spectrum, from the complex spectrum of
// its digit pairs (z = even + i odd): with A and B the spectra of the even
// and odd digits, the square's are A^2 + w^2k B^2 and 2AB. In bit-reversed
// order spectrum k and its partner h - k lie mirrored in each block
// [2^l, 2^(l+1)); positions 0 and 1 (k = 0 and k = h/2) are their own.
[[gnu::always_inline]] inline void SquarePair(double* __restrict re, double* __restrict im, std::size_t q, std::size_t q2, double wr,
                       double wi, bool both) {
  const double zr = re[q], zi = im[q], mr = re[q2], mi = -im[q2];
  const double ar = 0.5 * (zr + mr), ai = 0.5 * (zi + mi);
  const double br = 0.5 * (zi - mi), bi = -0.5 * (zr - mr);
  const double a2r = ar * ar - ai * ai, a2i = 2 * ar * ai;
  const double b2r = br * br - bi * bi, b2i = 2 * br * bi;
  const double er = a2r + (wr * b2r - wi * b2i), ei = a2i + (wr * b2i + wi * b2r);
  const double or_ = 2 * (ar * br - ai * bi), oi = 2 * (ar * bi + ai * br);
  re[q] = er - oi, im[q] = ei + or_;
  if (both) re[q2] = er + oi, im[q2] = or_ - ei;
}

// Block 0 of the transform holds spectra r u in the mirrored order above;
// for s > 0 block s holds spectra s + r u at BitReverse(u), whose partners
// (r - s) + r (m - 1 - u) lie in block r - s at the complementary position.
[[gnu::always_inline]] inline void SquareSpectrumBody(double* __restrict re, double* __restrict im, const double* __restrict c2,
                    const double* __restrict s2, std::size_t r, std::size_t m) {
  SquarePair(re, im, 0, 0, c2[0], s2[0], false);
  SquarePair(re, im, 1, 1, c2[1], s2[1], false);
  for (std::size_t start = 2; start < m; start *= 2) {
    const std::size_t half = start / 2, last = 2 * start - 1;
#pragma GCC ivdep
    for (std::size_t i = 0; i < half; ++i) SquarePair(re, im, start + i, last - i, c2[start + i], s2[start + i], true);
  }
  for (std::size_t s = 1; 2 * s < r; ++s) {
    const std::size_t a = s * m, b = (r - s) * m + m - 1;
#pragma GCC ivdep
    for (std::size_t q = 0; q < m; ++q) SquarePair(re, im, a + q, b - q, c2[a + q], s2[a + q], true);
  }
}

// The signal: every balanced digit times its weight.
[[gnu::always_inline]] inline void WeighBody(double* __restrict re, double* __restrict im,
                                             const std::int64_t* __restrict de, const std::int64_t* __restrict dodd,
                                             const double* __restrict we, const double* __restrict wo, std::size_t h) {
  for (std::size_t m = 0; m < h; ++m) {
    re[m] = static_cast<double>(de[m]) * we[m];
    im[m] = static_cast<double>(dodd[m]) * wo[m];
  }
}

// The outputs unweighted and rounded, with the largest distance from a
// whole number and the largest magnitude.
[[gnu::always_inline]] inline void RoundBody(const double* __restrict re, const double* __restrict im,
                                             const double* __restrict ie, const double* __restrict io,
                                             std::int64_t* __restrict oe, std::int64_t* __restrict oo, std::size_t h,
                                             double& error, double& largest) {
  // x + 1.5 * 2^52 - 1.5 * 2^52 rounds x to the nearest whole number for
  // |x| < 2^51 (in the default rounding mode); larger outputs are refused
  // by the caller anyway.
  constexpr double kRound = 0x1.8p52;
  // Both maxima are taken over the bit patterns: for non-negative doubles
  // their order is the numbers' order, and the integer maximum vectorises.
  std::int64_t errorBits = 0, largestBits = 0;
#pragma GCC ivdep
  for (std::size_t m = 0; m < h; ++m) {
    const double te = re[m] * ie[m], to = im[m] * io[m];
    const double ue = (te + kRound) - kRound, uo = (to + kRound) - kRound;
    const std::int64_t de = std::bit_cast<std::int64_t>(std::fabs(te - ue));
    const std::int64_t dodd = std::bit_cast<std::int64_t>(std::fabs(to - uo));
    const std::int64_t ae = std::bit_cast<std::int64_t>(std::fabs(te));
    const std::int64_t ao = std::bit_cast<std::int64_t>(std::fabs(to));
    errorBits = std::max(errorBits, std::max(de, dodd));
    largestBits = std::max(largestBits, std::max(ae, ao));
    // Clamped so that even refused outputs convert without overflow.
    oe[m] = static_cast<std::int64_t>(std::clamp(ue, -0x1p62, 0x1p62));
    oo[m] = static_cast<std::int64_t>(std::clamp(uo, -0x1p62, 0x1p62));
  }
  error = std::bit_cast<double>(errorBits);
  largest = std::bit_cast<double>(largestBits);
}

// The three vectorised loops of a step, compiled for the base instruction
// set and, on x86-64, again for AVX2 and AVX-512 (whose conversions between
// 64-bit integers and doubles vectorise); the build is chosen at start-up
// (numbers/limb/Cpu.h). Every build gives the same bits.
struct TStepLoops {
  void (*weigh)(double*, double*, const std::int64_t*, const std::int64_t*, const double*, const double*,
                std::size_t);
  void (*square)(double*, double*, const double*, const double*, std::size_t, std::size_t);
  void (*round)(const double*, const double*, const double*, const double*, std::int64_t*, std::int64_t*,
                std::size_t, double&, double&);
};

#define CALVENNA_STEP_LOOPS(Name, Target)                                                                       \
  Target void Weigh##Name(double* re, double* im, const std::int64_t* de, const std::int64_t* dodd,              \
                          const double* we, const double* wo, std::size_t h) {                                 \
    WeighBody(re, im, de, dodd, we, wo, h);                                                                     \
  }                                                                                                             \
  Target void Square##Name(double* re, double* im, const double* c2, const double* s2, std::size_t r,          \
                           std::size_t m) {                                                                     \
    SquareSpectrumBody(re, im, c2, s2, r, m);                                                                   \
  }                                                                                                             \
  Target void Round##Name(const double* re, const double* im, const double* ie, const double* io,               \
                          std::int64_t* oe, std::int64_t* oo, std::size_t h, double& error, double& largest) {  \
    RoundBody(re, im, ie, io, oe, oo, h, error, largest);                                                       \
  }

CALVENNA_STEP_LOOPS(Base, )
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
CALVENNA_STEP_LOOPS(Avx2, __attribute__((target("avx2,fma"))))
CALVENNA_STEP_LOOPS(Avx512, __attribute__((target("avx512f,avx512dq,avx512vl"))))
#endif
#undef CALVENNA_STEP_LOOPS

const TStepLoops& StepLoops() {
  static const TStepLoops loops = [] {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    if (cpu::gKernels.avx512) return TStepLoops{WeighAvx512, SquareAvx512, RoundAvx512};
    if (cpu::gKernels.avx2Fma) return TStepLoops{WeighAvx2, SquareAvx2, RoundAvx2};
#endif
    return TStepLoops{WeighBase, SquareBase, RoundBase};
  }();
  return loops;
}

}  // namespace

std::size_t TLucasLehmerDwt::LengthFor(std::int32_t p) {
  // The shortest of 2^k, 3 2^k, 5 2^k and 7 2^k whose digits are safe.
  std::size_t best = 0;
  for (std::size_t r : {1, 3, 5, 7}) {
    std::size_t n = 8 * r;
    while (static_cast<double>(p) / static_cast<double>(n) > MaxBitsFor(n)) n *= 2;
    if (best == 0 || n < best) best = n;
  }
  return best;
}

TLucasLehmerDwt::TLucasLehmerDwt(std::int32_t p, const TOptions& options)
    : p_(p),
      n_(options.Length ? options.Length : LengthFor(p)),
      half_(n_ / 2),
      faultAt_(options.FaultAt),
      fft_(UsableLength(n_) ? n_ / 2 : 4) {
  // Digits of more than 32 bits could not even be read in and out.
  if (p < 3 || !UsableLength(n_) || n_ > static_cast<std::size_t>(p) ||
      (static_cast<std::size_t>(p) + n_ - 1) / n_ > 32)
    throw std::invalid_argument("TLucasLehmerDwt: unsuitable exponent or length");
  const std::size_t h = half_;
  dE_.assign(h, 0), dO_.assign(h, 0), rE_.assign(h, 0), rO_.assign(h, 0);
  wE_.resize(h), wO_.resize(h), iwE_.resize(h), iwO_.resize(h);
  bE_.resize(h), bO_.resize(h);
  re_.assign(h, 0), im_.assign(h, 0);
  c2_.resize(h), s2_.resize(h);
  pos_.resize(n_ + 1);
  const std::uint64_t pp = static_cast<std::uint64_t>(p), nn = n_;
  for (std::size_t j = 0; j <= n_; ++j) pos_[j] = static_cast<std::uint32_t>((pp * j + nn - 1) / nn);
  for (std::size_t j = 0; j < n_; ++j) {
    // weight 2^(ceil(pj/N) - pj/N), the exponent as an exact fraction
    const std::uint64_t num = static_cast<std::uint64_t>(pos_[j]) * nn - pp * j;
    const long double w = std::exp2(static_cast<long double>(num) / static_cast<long double>(nn));
    const double weight = static_cast<double>(w);
    const double inverse = static_cast<double>(1.0L / (w * static_cast<long double>(h)));
    const auto bits = static_cast<std::uint8_t>(pos_[j + 1] - pos_[j]);
    if (j % 2 == 0) {
      wE_[j / 2] = weight, iwE_[j / 2] = inverse, bE_[j / 2] = bits;
    } else {
      wO_[j / 2] = weight, iwO_[j / 2] = inverse, bO_[j / 2] = bits;
    }
  }
  for (std::size_t k = 0; k < h; ++k) {
    const std::size_t q = fft_.Position(k);
    const long double angle =
        2 * std::numbers::pi_v<long double> * static_cast<long double>(k) / static_cast<long double>(h);
    c2_[q] = static_cast<double>(std::cos(angle));
    s2_[q] = static_cast<double>(-std::sin(angle));
  }
  dE_[0] = 4;
}

void TLucasLehmerDwt::Step() {
  const std::size_t h = half_;
  double* re = re_.data();
  double* im = im_.data();
  const TStepLoops& loops = StepLoops();
  loops.weigh(re, im, dE_.data(), dO_.data(), wE_.data(), wO_.data(), h);
  fft_.Forward(re, im);
  loops.square(re, im, c2_.data(), s2_.data(), fft_.Radix(), fft_.Block());
  fft_.Inverse(re, im);
  // Round, and measure how far from whole numbers the outputs were.
  if (step_ == faultAt_) re[h / 3] += 0.45 / iwE_[h / 3];
  double error = 0, largest = 0;
  loops.round(re, im, iwE_.data(), iwO_.data(), rE_.data(), rO_.data(), h, error, largest);
  ++step_;
  // Beyond 2^50 the doubles' spacing no longer shows the error.
  if (!(error <= kMaxRoundOff) || !(largest < 0x1p50)) {
    RedoExactly();
    return;
  }
  maxError_ = std::max(maxError_, error);
  Carry();
}

namespace {

// v split into a balanced digit of the given size and the carry out.
[[gnu::always_inline]] inline std::int64_t Split(std::int64_t v, int bits, std::int64_t& carry) {
  const std::int64_t hi = (v + (std::int64_t{1} << (bits - 1))) >> bits;
  carry = hi;
  return v - (hi << bits);
}

// The carries of R runs of L digit pairs each, side by side: one chain
// would wait on every carry in turn. Each run's carry out is left in
// carry[c] for the caller.
template <int R>
void CarryRuns(std::int64_t* __restrict dE, std::int64_t* __restrict dO, const std::int64_t* __restrict rE,
               const std::int64_t* __restrict rO, const std::uint8_t* __restrict bE, const std::uint8_t* __restrict bO,
               std::size_t l, std::int64_t* carry) {
  std::int64_t c[R];
  for (int k = 0; k < R; ++k) c[k] = carry[k];
  for (std::size_t i = 0; i < l; ++i) {
#pragma GCC unroll 8
    for (int k = 0; k < R; ++k) {
      const std::size_t m = static_cast<std::size_t>(k) * l + i;
      dE[m] = Split(rE[m] + c[k], bE[m], c[k]);
      dO[m] = Split(rO[m] + c[k], bO[m], c[k]);
    }
  }
  for (int k = 0; k < R; ++k) carry[k] = c[k];
}

}  // namespace

void TLucasLehmerDwt::Carry() {
  const std::size_t h = half_;
  // The carry out of the top digit stands at bit p, which is 1 modulo M:
  // it goes round to digit 0. The 2 is subtracted on the way.
  // Blocks hold at least 4 points, so h is a multiple of 4 (of 8 from
  // blocks of 8 on).
  const int runs = h % 8 == 0 ? 8 : 4;
  const std::size_t l = h / static_cast<std::size_t>(runs);
  std::int64_t carry[8] = {-2, 0, 0, 0, 0, 0, 0, 0};
  if (runs == 8) CarryRuns<8>(dE_.data(), dO_.data(), rE_.data(), rO_.data(), bE_.data(), bO_.data(), l, carry);
  else CarryRuns<4>(dE_.data(), dO_.data(), rE_.data(), rO_.data(), bE_.data(), bO_.data(), l, carry);
  // Each run's carry into the next one (the last one's round to digit 0),
  // on until it is absorbed; the digits end balanced as one chain leaves them.
  for (int k = 0; k < runs; ++k) {
    std::int64_t c = carry[k];
    for (std::size_t m = (static_cast<std::size_t>(k) + 1) % static_cast<std::size_t>(runs) * l; c != 0;
         m = (m + 1) % h) {
      dE_[m] = Split(dE_[m] + c, bE_[m], c);
      if (c == 0) break;
      dO_[m] = Split(dO_[m] + c, bO_[m], c);
    }
  }
}

void TLucasLehmerDwt::RedoExactly() {
  ++redone_;
  TMersenneResidue exact(p_);
  TBigInt s;
  Get(s);
  exact.Set(s);
  exact.Step();
  exact.Get(s);
  Set(s);
}

std::vector<std::uint64_t> TLucasLehmerDwt::ToBits() const {
  // Non-negative digits first: every digit to 0 .. 2^b - 1, the carry
  // round to digit 0 until none is left.
  std::vector<std::int64_t> d(n_);
  for (std::size_t m = 0; m < half_; ++m) d[2 * m] = dE_[m], d[2 * m + 1] = dO_[m];
  std::int64_t carry = 0;
  auto settle = [&](std::size_t j) {
    const int bits = static_cast<int>(pos_[j + 1] - pos_[j]);
    const std::int64_t v = d[j] + carry;
    const std::int64_t u = v & ((std::int64_t{1} << bits) - 1);
    carry = (v - u) >> bits;
    d[j] = u;
  };
  for (std::size_t j = 0; j < n_; ++j) settle(j);
  while (carry != 0)
    for (std::size_t j = 0; j < n_ && carry != 0; ++j) settle(j);
  std::vector<std::uint64_t> w(static_cast<std::size_t>(p_) / 64 + 2, 0);
  for (std::size_t j = 0; j < n_; ++j) Deposit(w, pos_[j], static_cast<std::uint64_t>(d[j]));
  // M itself is zero.
  bool modulus = true;
  for (std::int32_t i = 0; i < p_ / 64 && modulus; ++i) modulus = w[static_cast<std::size_t>(i)] == ~std::uint64_t{0};
  if (modulus && p_ % 64 != 0)
    modulus = w[static_cast<std::size_t>(p_ / 64)] == (std::uint64_t{1} << (p_ % 64)) - 1;
  if (modulus) std::fill(w.begin(), w.end(), 0);
  return w;
}

void TLucasLehmerDwt::FromBits(const std::vector<std::uint64_t>& w) {
  std::int64_t carry = 0;
  for (std::size_t j = 0; j < n_; ++j) {
    const int bits = static_cast<int>(pos_[j + 1] - pos_[j]);
    std::int64_t v = static_cast<std::int64_t>(Extract(w, pos_[j], bits)) + carry;
    carry = 0;
    if (v >= (std::int64_t{1} << (bits - 1))) v -= std::int64_t{1} << bits, carry = 1;
    if (j % 2 == 0) dE_[j / 2] = v;
    else dO_[j / 2] = v;
  }
  dE_[0] += carry;
}

void TLucasLehmerDwt::Set(const TBigInt& value) {
  std::vector<std::uint64_t> w(static_cast<std::size_t>(p_) / 64 + 2, 0);
  for (std::int32_t i = 1; i <= value.Count(); ++i) {
    const std::uint64_t at = 31 * static_cast<std::uint64_t>(i - 1);
    if (at >= static_cast<std::uint64_t>(p_)) break;
    Deposit(w, at, static_cast<std::uint64_t>(value.Cells[static_cast<std::size_t>(i)]));
  }
  // Bits at and above p are not part of a residue.
  const std::size_t top = static_cast<std::size_t>(p_) / 64;
  if (p_ % 64) w[top] &= (std::uint64_t{1} << (p_ % 64)) - 1;
  else w[top] = 0;
  for (std::size_t i = top + 1; i < w.size(); ++i) w[i] = 0;
  FromBits(w);
  step_ = 0;
}

void TLucasLehmerDwt::Get(TBigInt& result) const {
  const std::vector<std::uint64_t> w = ToBits();
  const std::size_t cells = static_cast<std::size_t>((p_ + 30) / 31);
  result.SignFlag = 1;
  result.Cells.assign(cells + 1, 0);
  std::size_t n = 0;
  for (std::size_t i = 0; i < cells; ++i) {
    const std::uint64_t at = 31 * static_cast<std::uint64_t>(i);
    const int width = static_cast<int>(std::min<std::uint64_t>(31, static_cast<std::uint64_t>(p_) - at));
    result.Cells[i + 1] = static_cast<std::int64_t>(Extract(w, at, width));
    if (result.Cells[i + 1] != 0) n = i + 1;
  }
  result.Cells.resize(std::max<std::size_t>(n, 1) + 1);
  result.Cells[0] = static_cast<std::int64_t>(std::max<std::size_t>(n, 1));
}

bool TLucasLehmerDwt::IsZero() const {
  const std::vector<std::uint64_t> w = ToBits();
  return std::all_of(w.begin(), w.end(), [](std::uint64_t v) { return v == 0; });
}

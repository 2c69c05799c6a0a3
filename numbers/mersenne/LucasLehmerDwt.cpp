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
                                             const double* __restrict de, const double* __restrict dodd,
                                             const double* __restrict we, const double* __restrict wo, std::size_t h) {
  for (std::size_t m = 0; m < h; ++m) {
    re[m] = de[m] * we[m];
    im[m] = dodd[m] * wo[m];
  }
}

// x + 1.5 * 2^52 - 1.5 * 2^52 rounds x to the nearest whole number for
// |x| < 2^51 (in the default rounding mode).
constexpr double kRound = 0x1.8p52;

[[gnu::always_inline]] inline double Nearest(double x) { return (x + kRound) - kRound; }

// The constant arrays of the rounding and carry, each readable at index -1
// (pair h - 1 again), so pair m - 1 is read at m without a special case.
// Digit j has b_j bits.
struct TCarryArrays {
  const double *ie, *io;    // inverse weights, with 1/(N/2)
  const double *isE, *isO;  // 2^-b
  const double *scE, *scO;  // 2^b
  const double *wE, *wO;    // weights
};

// The split of u into a balanced low part and the carry round(u / 2^b),
// exact for |u| < 2^50.
[[gnu::always_inline]] inline double Carry(double u, double inverseSize) { return Nearest(u * inverseSize); }

// One pass from the convolution's outputs to the next step's signal. Every
// output is unweighted and rounded (with the largest distance from a whole
// number and the largest magnitude measured), split into a balanced low
// part and a carry into the next digit, and after adding those split once
// more; each digit takes its predecessor's second carry. Pair m's digits
// depend on pairs m and m - 1 only, whose rounding is simply done twice,
// so no iteration waits on another. The new digits and their weighed
// signal go to separate arrays (the step may yet be refused); the largest
// second carry is returned: small for the lengths LengthFor picks, but
// digits of a few bits can get carries many times their size.
[[gnu::always_inline]] inline double RoundCarryBody(const double* __restrict re, const double* __restrict im,
                                                    double* __restrict nre, double* __restrict nim,
                                                    double* __restrict dE, double* __restrict dO,
                                                    const TCarryArrays& a, std::size_t h, double& error,
                                                    double& largest) {
  const double* __restrict ie = a.ie;
  const double* __restrict io = a.io;
  const double* __restrict isE = a.isE;
  const double* __restrict isO = a.isO;
  const double* __restrict scE = a.scE;
  const double* __restrict scO = a.scO;
  const double* __restrict wE = a.wE;
  const double* __restrict wO = a.wO;
  // The maxima are taken over the bit patterns: for non-negative doubles
  // their order is the numbers' order, and the integer maximum vectorises.
  std::int64_t errorBits = 0, largestBits = 0, carriedBits = 0;
#pragma GCC ivdep
  for (std::size_t m = 0; m < h; ++m) {
    const double te = re[m] * ie[m], to = im[m] * io[m];
    const double ue = Nearest(te), uo = Nearest(to);
    errorBits = std::max(errorBits, std::max(std::bit_cast<std::int64_t>(std::fabs(te - ue)),
                                             std::bit_cast<std::int64_t>(std::fabs(to - uo))));
    largestBits = std::max(largestBits, std::max(std::bit_cast<std::int64_t>(std::fabs(te)),
                                                 std::bit_cast<std::int64_t>(std::fabs(to))));
    // Pair m - 1 (its E digit's carry, its O digit after the first split).
    const double ueBefore = Nearest(re[m - 1] * ie[m - 1]), uoBefore = Nearest(im[m - 1] * io[m - 1]);
    const double cEBefore = Carry(ueBefore, isE[m - 1]), cOBefore = Carry(uoBefore, isO[m - 1]);
    const double vOBefore = (uoBefore - cOBefore * scO[m - 1]) + cEBefore;
    // Pair m, first split.
    const double cE = Carry(ue, isE[m]), cO = Carry(uo, isO[m]);
    const double vE = (ue - cE * scE[m]) + cOBefore;
    const double vO = (uo - cO * scO[m]) + cE;
    // Second split.
    const double c2E = Carry(vE, isE[m]), c2O = Carry(vO, isO[m]);
    const double c2OBefore = Carry(vOBefore, isO[m - 1]);
    const double e = (vE - c2E * scE[m]) + c2OBefore;
    const double o = (vO - c2O * scO[m]) + c2E;
    dE[m] = e;
    dO[m] = o;
    nre[m] = e * wE[m];
    nim[m] = o * wO[m];
    carriedBits = std::max(carriedBits, std::max(std::bit_cast<std::int64_t>(std::fabs(c2E)),
                                                 std::bit_cast<std::int64_t>(std::fabs(c2OBefore))));
  }
  error = std::bit_cast<double>(errorBits);
  largest = std::bit_cast<double>(largestBits);
  return std::bit_cast<double>(carriedBits);
}

// The vectorised loops of a step, compiled for the base instruction set
// and, on x86-64, again for AVX2 and AVX-512; the build is chosen at
// start-up (numbers/limb/Cpu.h). With fused multiply-adds the builds may
// round differently along the way, never in the residues.
struct TStepLoops {
  void (*weigh)(double*, double*, const double*, const double*, const double*, const double*, std::size_t);
  void (*square)(double*, double*, const double*, const double*, std::size_t, std::size_t);
  double (*roundCarry)(const double*, const double*, double*, double*, double*, double*, const TCarryArrays&,
                       std::size_t, double&, double&);
};

#define CALVENNA_STEP_LOOPS(Name, Target)                                                                       \
  Target void Weigh##Name(double* re, double* im, const double* de, const double* dodd, const double* we,       \
                          const double* wo, std::size_t h) {                                                    \
    WeighBody(re, im, de, dodd, we, wo, h);                                                                     \
  }                                                                                                             \
  Target void Square##Name(double* re, double* im, const double* c2, const double* s2, std::size_t r,          \
                           std::size_t m) {                                                                     \
    SquareSpectrumBody(re, im, c2, s2, r, m);                                                                   \
  }                                                                                                             \
  Target double RoundCarry##Name(const double* re, const double* im, double* nre, double* nim, double* dE,       \
                                 double* dO, const TCarryArrays& a, std::size_t h, double& error,              \
                                 double& largest) {                                                            \
    return RoundCarryBody(re, im, nre, nim, dE, dO, a, h, error, largest);                                     \
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
    if (cpu::gKernels.avx512) return TStepLoops{WeighAvx512, SquareAvx512, RoundCarryAvx512};
    if (cpu::gKernels.avx2Fma) return TStepLoops{WeighAvx2, SquareAvx2, RoundCarryAvx2};
#endif
    return TStepLoops{WeighBase, SquareBase, RoundCarryBase};
  }();
  return loops;
}

}  // namespace

std::size_t TLucasLehmerDwt::LengthFor(std::int32_t p) {
  // The shortest of 2^k, 3 2^k, 5 2^k, 7 2^k and 9 2^k whose digits are
  // safe.
  std::size_t best = 0;
  for (std::size_t r : {1, 3, 5, 7, 9}) {
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
  dE_.assign(h, 0), dO_.assign(h, 0);
  nE_.assign(h, 0), nO_.assign(h, 0);
  for (TPadded* a : {&re_, &im_, &nre_, &nim_, &wE_, &wO_, &iwE_, &iwO_, &scE_, &scO_, &isE_, &isO_}) a->Assign(h);
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
    const int bits = static_cast<int>(pos_[j + 1] - pos_[j]);
    const double size = std::ldexp(1.0, bits), inverseSize = std::ldexp(1.0, -bits);
    if (j % 2 == 0) {
      wE_[j / 2] = weight, iwE_[j / 2] = inverse, scE_[j / 2] = size, isE_[j / 2] = inverseSize;
    } else {
      wO_[j / 2] = weight, iwO_[j / 2] = inverse, scO_[j / 2] = size, isO_[j / 2] = inverseSize;
    }
  }
  for (TPadded* a : {&wE_, &wO_, &iwE_, &iwO_, &scE_, &scO_, &isE_, &isO_}) a->Wrap();
  // Carries up to a quarter of the shortest digit's range.
  const int shortest = static_cast<int>(static_cast<std::size_t>(p) / n_);
  carryLimit_ = std::ldexp(1.0, std::max(shortest - 2, 0));
  for (std::size_t k = 0; k < h; ++k) {
    const std::size_t q = fft_.Position(k);
    const long double angle =
        2 * std::numbers::pi_v<long double> * static_cast<long double>(k) / static_cast<long double>(h);
    c2_[q] = static_cast<double>(std::cos(angle));
    s2_[q] = static_cast<double>(-std::sin(angle));
  }
  dE_[0] = 4;
  weighed_ = false;
}

void TLucasLehmerDwt::Step() {
  const std::size_t h = half_;
  double* re = re_.get();
  double* im = im_.get();
  const TStepLoops& loops = StepLoops();
  // The carry of the step before leaves the signal weighed already.
  if (!weighed_) loops.weigh(re, im, dE_.data(), dO_.data(), wE_.get(), wO_.get(), h);
  weighed_ = false;
  fft_.Forward(re, im);
  loops.square(re, im, c2_.data(), s2_.data(), fft_.Radix(), fft_.Block());
  fft_.Inverse(re, im);
  if (step_ == faultAt_) re[h / 3] += 0.45 / iwE_[h / 3];
  re_.Wrap(), im_.Wrap();
  // Round, measuring how far from whole numbers the outputs were, and
  // carry into the other arrays.
  double error = 0, largest = 0;
  const TCarryArrays arrays{iwE_.get(), iwO_.get(), isE_.get(), isO_.get(),
                            scE_.get(),  scO_.get(), wE_.get(),  wO_.get()};
  const double carried =
      loops.roundCarry(re, im, nre_.get(), nim_.get(), nE_.data(), nO_.data(), arrays, h, error, largest);
  ++step_;
  // Beyond 2^50 the doubles' spacing no longer shows the error.
  if (!(error <= kMaxRoundOff) || !(largest < 0x1p50)) {
    RedoExactly();
    return;
  }
  maxError_ = std::max(maxError_, error);
  std::swap(dE_, nE_), std::swap(dO_, nO_), std::swap(re_, nre_), std::swap(im_, nim_);
  // The carry out of the top digit stood at bit p, which is 1 modulo M: it
  // went round to digit 0. The 2 is subtracted here.
  dE_[0] -= 2;
  re_[0] = dE_[0] * wE_[0];
  weighed_ = true;
  // Left that far from balanced, the digits would grow step by step.
  if (carried > carryLimit_) Balance();
}

void TLucasLehmerDwt::Balance() {
  // One carry chain through all digits, round to digit 0 until it is
  // absorbed: every digit balanced.
  auto split = [this](std::size_t j, std::int64_t& carry) {
    double& digit = j % 2 == 0 ? dE_[j / 2] : dO_[j / 2];
    const int bits = static_cast<int>(pos_[j + 1] - pos_[j]);
    const std::int64_t v = static_cast<std::int64_t>(digit) + carry;
    carry = (v + (std::int64_t{1} << (bits - 1))) >> bits;
    digit = static_cast<double>(v - (carry << bits));
  };
  std::int64_t carry = 0;
  for (std::size_t j = 0; j < n_; ++j) split(j, carry);
  for (std::size_t j = 0; carry != 0; j = (j + 1) % n_) split(j, carry);
  weighed_ = false;
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
  for (std::size_t m = 0; m < half_; ++m)
    d[2 * m] = static_cast<std::int64_t>(dE_[m]), d[2 * m + 1] = static_cast<std::int64_t>(dO_[m]);
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
    if (j % 2 == 0) dE_[j / 2] = static_cast<double>(v);
    else dO_[j / 2] = static_cast<double>(v);
  }
  dE_[0] += static_cast<double>(carry);
  weighed_ = false;
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

// Finds the cut-over sizes between the TBigInt methods on this machine and
// prints numbers/Thresholds.h. Each size is timed with both methods (best of
// several runs of thread CPU time, so a busy machine disturbs little); a
// cut-over is the first size from which the faster method wins three
// candidate sizes in a row.
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "numbers/bigint/BigIntRaw.h"
#include "numbers/limb/Cpu.h"
#include "numbers/limb/Limbs64.h"
#include "numbers/limb/Ntt64.h"
#include "numbers/mersenne/LucasLehmerDwt.h"
#include "numbers/mersenne/MersenneResidue.h"
#include "numbers/bigint/Radix.h"

using bigraw::Digit;
using bigraw::gTuning;
using bigraw::Size;
using limb64::Limb;

namespace {

std::mt19937_64 rng(12345);

std::vector<Limb> RandomLimbs(Size n) {
  std::vector<Limb> d(n);
  for (Limb& x : d) x = rng();
  return d;
}

std::vector<Digit> Random(Size n) {
  std::vector<Digit> d(n);
  for (Digit& x : d) x = static_cast<Digit>(rng() & bigraw::kMask);
  d[n - 1] |= 1;
  return d;
}

// The thread's CPU time in nanoseconds: other processes on a shared machine
// do not count.
double Now() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e9 + static_cast<double>(ts.tv_nsec);
}

// Best time of one call, in nanoseconds.
double Time(const std::function<void()>& f) {
  double t0 = Now();
  f();
  const double once = Now() - t0;
  const int reps = std::max(1, static_cast<int>(200000.0 / std::max(once, 1.0)));
  double best = 1e300;
  for (int trial = 0; trial < 9; ++trial) {
    t0 = Now();
    for (int i = 0; i < reps; ++i) f();
    best = std::min(best, (Now() - t0) / reps);
  }
  return best;
}

std::vector<Size> Candidates(Size from, Size to) {
  std::vector<Size> c;
  for (Size n = from; n <= to; n = std::max(n + 1, n * 17 / 16)) c.push_back(n);
  return c;
}

// slowFast(n) returns {time of the method below the cut-over, time above}.
Size Find(const char* what, Size from, Size to, const std::function<std::pair<double, double>(Size)>& slowFast) {
  int wins = 0;
  Size first = to;
  for (Size n : Candidates(from, to)) {
    auto [below, above] = slowFast(n);
    std::fprintf(stderr, "%-22s n=%5zu  below %12.0f ns  above %12.0f ns\n", what, n, below, above);
    if (above < below) {
      if (wins++ == 0) first = n;
      if (wins == 3) return first;
    } else {
      wins = 0;
    }
  }
  return to;
}

}  // namespace

int main() {
  const bigraw::Tuning start = gTuning;
  // On 64-bit limbs: Karatsuba against the basecase, then Toom-3 against
  // Karatsuba, each one level over the method below.
  limb64::gTuning.mul64Toom3 = limb64::gTuning.sqr64Toom3 = 1 << 30;
  limb64::gTuning.mul64Toom4 = limb64::gTuning.sqr64Toom4 = 1 << 30;
  limb64::gTuning.mul64Ntt = limb64::gTuning.sqr64Ntt = 1 << 30;
  limb64::gTuning.mul64NttPlain = limb64::gTuning.sqr64NttPlain = 1 << 30;
  limb64::gTuning.mul64Karatsuba = Find("mul64 karatsuba", 8, 400, [](Size n) {
    auto a = RandomLimbs(n), b = RandomLimbs(n);
    std::vector<Limb> r(2 * n);
    limb64::gTuning.mul64Karatsuba = n;
    double above = Time([&] { limb64::MulKaratsuba(r.data(), a.data(), n, b.data(), n); });
    double below = Time([&] { limb64::MulBasecase(r.data(), a.data(), n, b.data(), n); });
    return std::make_pair(below, above);
  });
  limb64::gTuning.sqr64Karatsuba = Find("sqr64 karatsuba", 8, 400, [](Size n) {
    auto a = RandomLimbs(n);
    std::vector<Limb> r(2 * n);
    limb64::gTuning.sqr64Karatsuba = n;
    double above = Time([&] { limb64::SqrKaratsuba(r.data(), a.data(), n); });
    double below = Time([&] { limb64::SqrBasecase(r.data(), a.data(), n); });
    return std::make_pair(below, above);
  });
  const Size mk64 = limb64::gTuning.mul64Karatsuba, sk64 = limb64::gTuning.sqr64Karatsuba;
  limb64::gTuning.mul64Toom3 = Find("mul64 toom3", std::max<Size>(2 * mk64, 24), 2000, [](Size n) {
    auto a = RandomLimbs(n), b = RandomLimbs(n);
    std::vector<Limb> r(2 * n);
    limb64::gTuning.mul64Toom3 = n;
    double above = Time([&] { limb64::MulToom3(r.data(), a.data(), n, b.data(), n); });
    double below = Time([&] { limb64::MulKaratsuba(r.data(), a.data(), n, b.data(), n); });
    return std::make_pair(below, above);
  });
  limb64::gTuning.sqr64Toom3 = Find("sqr64 toom3", std::max<Size>(2 * sk64, 24), 2000, [](Size n) {
    auto a = RandomLimbs(n);
    std::vector<Limb> r(2 * n);
    limb64::gTuning.sqr64Toom3 = n;
    double above = Time([&] { limb64::SqrToom3(r.data(), a.data(), n); });
    double below = Time([&] { limb64::SqrKaratsuba(r.data(), a.data(), n); });
    return std::make_pair(below, above);
  });
  limb64::gTuning.mul64Toom4 = Find("mul64 toom4", std::max<Size>(2 * limb64::gTuning.mul64Toom3, 48), 8000, [](Size n) {
    auto a = RandomLimbs(n), b = RandomLimbs(n);
    std::vector<Limb> r(2 * n);
    limb64::gTuning.mul64Toom4 = n;
    double above = Time([&] { limb64::MulToom4(r.data(), a.data(), n, b.data(), n); });
    double below = Time([&] { limb64::MulToom3(r.data(), a.data(), n, b.data(), n); });
    return std::make_pair(below, above);
  });
  limb64::gTuning.sqr64Toom4 = Find("sqr64 toom4", std::max<Size>(2 * limb64::gTuning.sqr64Toom3, 48), 8000, [](Size n) {
    auto a = RandomLimbs(n);
    std::vector<Limb> r(2 * n);
    limb64::gTuning.sqr64Toom4 = n;
    double above = Time([&] { limb64::SqrToom4(r.data(), a.data(), n); });
    double below = Time([&] { limb64::SqrToom3(r.data(), a.data(), n); });
    return std::make_pair(below, above);
  });
  // The transform against the product below it (Toom-3 or Toom-4: with
  // AVX-512 it overtakes below Toom-4's cut-over). Its time steps at the
  // lengths 2^k and 3 2^k, so the cut-over is where it stays ahead. Found for the
  // butterflies this processor runs (the plain ones under
  // CALVENNA_KERNELS=plain); the other pair is printed as it stands.
  const Size mulNtt = Find("mul64 ntt", std::max<Size>(limb64::gTuning.mul64Toom3, 256), 20000, [](Size n) {
    auto a = RandomLimbs(n), b = RandomLimbs(n);
    std::vector<Limb> r(2 * n);
    double above = Time([&] { limb64::MulNtt(r.data(), a.data(), n, b.data(), n); });
    double below = Time([&] { limb64::Mul(r.data(), a.data(), n, b.data(), n); });
    return std::make_pair(below, above);
  });
  const Size sqrNtt = Find("sqr64 ntt", std::max<Size>(limb64::gTuning.sqr64Toom3, 256), 20000, [](Size n) {
    auto a = RandomLimbs(n);
    std::vector<Limb> r(2 * n);
    double above = Time([&] { limb64::SqrNtt(r.data(), a.data(), n); });
    double below = Time([&] { limb64::Sqr(r.data(), a.data(), n); });
    return std::make_pair(below, above);
  });
  if (cpu::gKernels.avx512) {
    limb64::gTuning.mul64Ntt = mulNtt;
    limb64::gTuning.sqr64Ntt = sqrNtt;
    limb64::gTuning.mul64NttPlain = cutover::kMul64NttPlainThreshold;
    limb64::gTuning.sqr64NttPlain = cutover::kSqr64NttPlainThreshold;
  } else {
    limb64::gTuning.mul64Ntt = cutover::kMul64NttThreshold;
    limb64::gTuning.sqr64Ntt = cutover::kSqr64NttThreshold;
    limb64::gTuning.mul64NttPlain = mulNtt;
    limb64::gTuning.sqr64NttPlain = sqrNtt;
  }
  // Through the limbs (packing included) against the digit basecase.
  gTuning.mulLimbs = Find("mul by limbs", 2, 400, [](Size n) {
    auto a = Random(n), b = Random(n);
    std::vector<Digit> r(2 * n);
    double above = Time([&] { bigraw::MulByLimbs(r.data(), a.data(), n, b.data(), n); });
    double below = Time([&] { bigraw::MulBasecase(r.data(), a.data(), n, b.data(), n); });
    return std::make_pair(below, above);
  });
  gTuning.sqrLimbs = Find("sqr by limbs", 2, 400, [](Size n) {
    auto a = Random(n);
    std::vector<Digit> r(2 * n);
    double above = Time([&] { bigraw::SqrByLimbs(r.data(), a.data(), n); });
    double below = Time([&] { bigraw::SqrBasecase(r.data(), a.data(), n); });
    return std::make_pair(below, above);
  });
  // Divide and conquer division of 2n by n limbs against Knuth's method on
  // limbs, then the limbs against the digits.
  limb64::gTuning.div64DivideConquer = Find("div64 divide-conquer", 8, 1000, [](Size n) {
    auto a = RandomLimbs(2 * n), b = RandomLimbs(n);
    std::vector<Limb> q(n + 1), r(n);
    limb64::gTuning.div64DivideConquer = n / 2;  // one level over the basecase
    double above = Time([&] { limb64::DivRemDivideConquer(q.data(), r.data(), a.data(), 2 * n, b.data(), n); });
    double below = Time([&] { limb64::DivRemBasecase(q.data(), r.data(), a.data(), 2 * n, b.data(), n); });
    return std::make_pair(below, above);
  });
  gTuning.divLimbs = Find("div by limbs", 2, 400, [](Size n) {
    auto a = Random(2 * n), b = Random(n);
    std::vector<Digit> q(n + 1), r(n);
    double above = Time([&] { bigraw::DivRemByLimbs(q.data(), r.data(), a.data(), 2 * n, b.data(), n); });
    double below = Time([&] { bigraw::DivRemBasecase(q.data(), r.data(), a.data(), 2 * n, b.data(), n); });
    return std::make_pair(below, above);
  });
  // Decimal conversions: the divide and conquer at n against the quadratic.
  gTuning.toDecimalDivideConquer = Find("to decimal", 8, 3000, [](Size n) {
    auto a = Random(n);
    // Split at n (the halves are below) against the leaf method on all of it.
    gTuning.toDecimalDivideConquer = n;
    double above = Time([&] { radix::CellsToDecimalDigits(a.data(), n); });
    gTuning.toDecimalDivideConquer = 1 << 30;
    double below = Time([&] { radix::CellsToDecimalDigits(a.data(), n); });
    return std::make_pair(below, above);
  });
  gTuning.fromDecimalDivideConquer = Find("from decimal", 8, 3000, [](Size n) {
    std::string text = radix::CellsToDecimalDigitsBasecase(Random(n).data(), n);
    // Split at n (the halves are below) against the leaf method on all of it.
    gTuning.fromDecimalDivideConquer = text.size() * 10 / 93;
    double above = Time([&] { radix::DecimalDigitsToCells(text); });
    gTuning.fromDecimalDivideConquer = 1 << 30;
    double below = Time([&] { radix::DecimalDigitsToCells(text); });
    return std::make_pair(below, above);
  });
  // Lucas-Lehmer: one step of the weighted transform against one exact
  // step, by the exponent p.
  const Size lucas = Find("lucas-lehmer transform", 64, 8192, [](Size n) {
    const auto p = static_cast<std::int32_t>(n);
    TMersenneResidue exact(p);
    TLucasLehmerDwt dwt(p);
    for (int i = 0; i < 20; ++i) exact.Step(), dwt.Step();  // a full-size residue
    double below = Time([&] { exact.Step(); });
    double above = Time([&] { dwt.Step(); });
    return std::make_pair(below, above);
  });
  (void)start;

  std::printf(
      "// Cut-over sizes between the multiplication, division and decimal\n"
      "// conversion methods, in digits of base 2^31 (the Mul64, Sqr64 and Div64\n"
      "// ones in 64-bit limbs), and the exponent p from which Lucas-Lehmer\n"
      "// squares by the weighted transform. Printed by bench/tune on the\n"
      "// project's machine; paste its output here.\n"
      "#pragma once\n\n#include <cstddef>\n#include <cstdint>\n\nnamespace cutover {\n\n");
  std::printf("constexpr std::size_t kMulLimbsThreshold = %zu;\n", gTuning.mulLimbs);
  std::printf("constexpr std::size_t kSqrLimbsThreshold = %zu;\n", gTuning.sqrLimbs);
  std::printf("constexpr std::size_t kMul64KaratsubaThreshold = %zu;\n", limb64::gTuning.mul64Karatsuba);
  std::printf("constexpr std::size_t kSqr64KaratsubaThreshold = %zu;\n", limb64::gTuning.sqr64Karatsuba);
  std::printf("constexpr std::size_t kMul64Toom3Threshold = %zu;\n", limb64::gTuning.mul64Toom3);
  std::printf("constexpr std::size_t kSqr64Toom3Threshold = %zu;\n", limb64::gTuning.sqr64Toom3);
  std::printf("constexpr std::size_t kMul64Toom4Threshold = %zu;\n", limb64::gTuning.mul64Toom4);
  std::printf("constexpr std::size_t kSqr64Toom4Threshold = %zu;\n", limb64::gTuning.sqr64Toom4);
  std::printf("constexpr std::size_t kMul64NttThreshold = %zu;\n", limb64::gTuning.mul64Ntt);
  std::printf("constexpr std::size_t kSqr64NttThreshold = %zu;\n", limb64::gTuning.sqr64Ntt);
  std::printf("constexpr std::size_t kMul64NttPlainThreshold = %zu;\n", limb64::gTuning.mul64NttPlain);
  std::printf("constexpr std::size_t kSqr64NttPlainThreshold = %zu;\n", limb64::gTuning.sqr64NttPlain);
  std::printf("constexpr std::size_t kDivLimbsThreshold = %zu;\n", gTuning.divLimbs);
  std::printf("constexpr std::size_t kDiv64DivideConquerThreshold = %zu;\n", limb64::gTuning.div64DivideConquer);
  std::printf("constexpr std::size_t kToDecimalDivideConquerThreshold = %zu;\n", gTuning.toDecimalDivideConquer);
  std::printf("constexpr std::size_t kFromDecimalDivideConquerThreshold = %zu;\n", gTuning.fromDecimalDivideConquer);
  std::printf("constexpr std::int32_t kLucasLehmerTransformThreshold = %zu;\n", lucas);
  std::printf("\n}  // namespace cutover\n");
  return 0;
}

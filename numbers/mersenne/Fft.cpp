#include "numbers/mersenne/Fft.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "numbers/limb/Cpu.h"

namespace fft {

std::size_t BitReverse(std::size_t i, int bits) {
  std::size_t r = 0;
  for (int b = 0; b < bits; ++b) {
    r = (r << 1) | (i & 1);
    i >>= 1;
  }
  return r;
}

TComplexFft::TComplexFft(std::size_t n) : n_(n) {
  if (n < 2 || (n & (n - 1)) != 0) throw std::invalid_argument("TComplexFft needs a power of two of at least 2");
  int levels = 0;
  while ((std::size_t{1} << levels) < n) ++levels;
  stage_.assign(static_cast<std::size_t>(levels), 0);
  cos_.reserve(n);
  sin_.reserve(n);
  for (int l = levels - 1; l >= 0; --l) {
    const std::size_t h = std::size_t{1} << l;
    stage_[static_cast<std::size_t>(l)] = cos_.size();
    for (std::size_t j = 0; j < h; ++j) {
      // long double keeps the factors within an ulp of the true values.
      const long double angle = -std::numbers::pi_v<long double> * static_cast<long double>(j) /
                                static_cast<long double>(h);
      cos_.push_back(static_cast<double>(std::cos(angle)));
      sin_.push_back(static_cast<double>(std::sin(angle)));
    }
  }
}

namespace {

// The last three forward stages (h = 4, 2, 1) on each block of eight, where
// the factors are 1, -i and the eighth roots: done with constants.
[[gnu::always_inline]] inline void ForwardLast8(double* __restrict re, double* __restrict im, std::size_t n) {
  constexpr double c = 0.70710678118654752440;
  for (std::size_t s = 0; s < n; s += 8) {
    double* r = re + s;
    double* m = im + s;
    // h = 4: factors exp(-i pi j / 4), j = 0..3.
    double a0r = r[0] + r[4], a0i = m[0] + m[4], b0r = r[0] - r[4], b0i = m[0] - m[4];
    double a1r = r[1] + r[5], a1i = m[1] + m[5], d1r = r[1] - r[5], d1i = m[1] - m[5];
    double a2r = r[2] + r[6], a2i = m[2] + m[6], d2r = r[2] - r[6], d2i = m[2] - m[6];
    double a3r = r[3] + r[7], a3i = m[3] + m[7], d3r = r[3] - r[7], d3i = m[3] - m[7];
    // w1 = (c, -c): (x + iy)(c - ic) = c(x + y) + ic(y - x)
    const double b1r = c * (d1r + d1i), b1i = c * (d1i - d1r);
    // w2 = -i: (x + iy)(-i) = y - ix
    const double b2r = d2i, b2i = -d2r;
    // w3 = (-c, -c): (x + iy)(-c - ic) = c(y - x) - ic(x + y)
    const double b3r = c * (d3i - d3r), b3i = -c * (d3r + d3i);
    // h = 2 on (a0..a3) and (b0..b3): factors 1, -i.
    const double e0r = a0r + a2r, e0i = a0i + a2i, e2r = a0r - a2r, e2i = a0i - a2i;
    const double e1r = a1r + a3r, e1i = a1i + a3i, f1r = a1r - a3r, f1i = a1i - a3i;
    const double e3r = f1i, e3i = -f1r;
    const double g0r = b0r + b2r, g0i = b0i + b2i, g2r = b0r - b2r, g2i = b0i - b2i;
    const double g1r = b1r + b3r, g1i = b1i + b3i, h1r = b1r - b3r, h1i = b1i - b3i;
    const double g3r = h1i, g3i = -h1r;
    // h = 1.
    r[0] = e0r + e1r, m[0] = e0i + e1i, r[1] = e0r - e1r, m[1] = e0i - e1i;
    r[2] = e2r + e3r, m[2] = e2i + e3i, r[3] = e2r - e3r, m[3] = e2i - e3i;
    r[4] = g0r + g1r, m[4] = g0i + g1i, r[5] = g0r - g1r, m[5] = g0i - g1i;
    r[6] = g2r + g3r, m[6] = g2i + g3i, r[7] = g2r - g3r, m[7] = g2i - g3i;
  }
}

// The first three inverse stages (h = 1, 2, 4), the mirror of ForwardLast8
// with the conjugate factors.
[[gnu::always_inline]] inline void InverseFirst8(double* __restrict re, double* __restrict im, std::size_t n) {
  constexpr double c = 0.70710678118654752440;
  for (std::size_t s = 0; s < n; s += 8) {
    double* r = re + s;
    double* m = im + s;
    // h = 1.
    const double e0r = r[0] + r[1], e0i = m[0] + m[1], e1r = r[0] - r[1], e1i = m[0] - m[1];
    const double e2r = r[2] + r[3], e2i = m[2] + m[3], e3r = r[2] - r[3], e3i = m[2] - m[3];
    const double g0r = r[4] + r[5], g0i = m[4] + m[5], g1r = r[4] - r[5], g1i = m[4] - m[5];
    const double g2r = r[6] + r[7], g2i = m[6] + m[7], g3r = r[6] - r[7], g3i = m[6] - m[7];
    // h = 2: factors 1, +i on the second of each pair. (x + iy) i = -y + ix
    const double t3r = -e3i, t3i = e3r;
    const double a0r = e0r + e2r, a0i = e0i + e2i, a2r = e0r - e2r, a2i = e0i - e2i;
    const double a1r = e1r + t3r, a1i = e1i + t3i, a3r = e1r - t3r, a3i = e1i - t3i;
    const double u3r = -g3i, u3i = g3r;
    const double b0r = g0r + g2r, b0i = g0i + g2i, b2r = g0r - g2r, b2i = g0i - g2i;
    const double b1r = g1r + u3r, b1i = g1i + u3i, b3r = g1r - u3r, b3i = g1i - u3i;
    // h = 4: factors exp(+i pi j / 4).
    // (x + iy)(c + ic) = c(x - y) + ic(x + y)
    const double v1r = c * (b1r - b1i), v1i = c * (b1r + b1i);
    const double v2r = -b2i, v2i = b2r;
    // (x + iy)(-c + ic) = -c(x + y) + ic(x - y)
    const double v3r = -c * (b3r + b3i), v3i = c * (b3r - b3i);
    r[0] = a0r + b0r, m[0] = a0i + b0i, r[4] = a0r - b0r, m[4] = a0i - b0i;
    r[1] = a1r + v1r, m[1] = a1i + v1i, r[5] = a1r - v1r, m[5] = a1i - v1i;
    r[2] = a2r + v2r, m[2] = a2i + v2i, r[6] = a2r - v2r, m[6] = a2i - v2i;
    r[3] = a3r + v3r, m[3] = a3i + v3i, r[7] = a3r - v3r, m[7] = a3i - v3i;
  }
}

// S consecutive forward stages in one pass, from half-width h down to
// h / 2^(S-1): each group of 2^S points at stride q = h / 2^(S-1) is loaded
// once, goes through all S stages in registers and is stored once. The
// arithmetic per stage is the plain butterfly a' = a + b, b' = (a - b) w;
// only the loads and stores between stages are saved.
template <int S>
[[gnu::always_inline]] inline void ForwardFused(double* __restrict re, double* __restrict im, std::size_t n,
                                                std::size_t h, const std::size_t* stage, int top,
                                                const double* __restrict cs, const double* __restrict sn) {
  constexpr int P = 1 << S;
  const std::size_t q = h >> (S - 1);
  const double* wr[S];
  const double* wi[S];
  for (int st = 0; st < S; ++st) wr[st] = cs + stage[top - st], wi[st] = sn + stage[top - st];
  for (std::size_t s0 = 0; s0 < n; s0 += 2 * h) {
    double* r = re + s0;
    double* m = im + s0;
#pragma GCC ivdep
    for (std::size_t j = 0; j < q; ++j) {
      double xr[P], xi[P];
#pragma GCC unroll 8
      for (int t = 0; t < P; ++t) xr[t] = r[j + static_cast<std::size_t>(t) * q], xi[t] = m[j + static_cast<std::size_t>(t) * q];
#pragma GCC unroll 3
      for (int st = 0; st < S; ++st) {
        const int half = P >> (st + 1);
#pragma GCC unroll 8
        for (int t = 0; t < P; ++t) {
          if (t & half) continue;
          const int u = t + half;
          const std::size_t w = j + static_cast<std::size_t>(t % (2 * half)) * q;
          const double dr = xr[t] - xr[u], di = xi[t] - xi[u];
          xr[t] = xr[t] + xr[u];
          xi[t] = xi[t] + xi[u];
          xr[u] = dr * wr[st][w] - di * wi[st][w];
          xi[u] = dr * wi[st][w] + di * wr[st][w];
        }
      }
#pragma GCC unroll 8
      for (int t = 0; t < P; ++t) r[j + static_cast<std::size_t>(t) * q] = xr[t], m[j + static_cast<std::size_t>(t) * q] = xi[t];
    }
  }
}

// The mirror: S inverse stages from half-width h / 2^(S-1) up to h, each
// b'' = b conj(w), a' = a + b'', b' = a - b''.
template <int S>
[[gnu::always_inline]] inline void InverseFused(double* __restrict re, double* __restrict im, std::size_t n,
                                                std::size_t h, const std::size_t* stage, int top,
                                                const double* __restrict cs, const double* __restrict sn) {
  constexpr int P = 1 << S;
  const std::size_t q = h >> (S - 1);
  const double* wr[S];
  const double* wi[S];
  for (int st = 0; st < S; ++st) wr[st] = cs + stage[top - (S - 1) + st], wi[st] = sn + stage[top - (S - 1) + st];
  for (std::size_t s0 = 0; s0 < n; s0 += 2 * h) {
    double* r = re + s0;
    double* m = im + s0;
#pragma GCC ivdep
    for (std::size_t j = 0; j < q; ++j) {
      double xr[P], xi[P];
#pragma GCC unroll 8
      for (int t = 0; t < P; ++t) xr[t] = r[j + static_cast<std::size_t>(t) * q], xi[t] = m[j + static_cast<std::size_t>(t) * q];
#pragma GCC unroll 3
      for (int st = 0; st < S; ++st) {
        const int half = 1 << st;
#pragma GCC unroll 8
        for (int t = 0; t < P; ++t) {
          if (t & half) continue;
          const int u = t + half;
          const std::size_t w = j + static_cast<std::size_t>(t % (2 * half)) * q;
          const double yr = xr[u] * wr[st][w] + xi[u] * wi[st][w];
          const double yi = xi[u] * wr[st][w] - xr[u] * wi[st][w];
          const double ar = xr[t], ai = xi[t];
          xr[t] = ar + yr;
          xi[t] = ai + yi;
          xr[u] = ar - yr;
          xi[u] = ai - yi;
        }
      }
#pragma GCC unroll 8
      for (int t = 0; t < P; ++t) r[j + static_cast<std::size_t>(t) * q] = xr[t], m[j + static_cast<std::size_t>(t) * q] = xi[t];
    }
  }
}

// The whole transform, one direction: the stages of half-width 2^l for
// l from the top down to `last`, three at a time (one or two first when
// their count is not a multiple of three), then the last three by
// constants.
[[gnu::always_inline]] inline void ForwardAll(double* re, double* im, std::size_t n, const std::size_t* stage,
                                              int levels, const double* cs, const double* sn) {
  const int last = n >= 8 ? 3 : 0;
  int l = levels - 1;
  const int first = (levels - last) % 3;
  if (first == 1) ForwardFused<1>(re, im, n, std::size_t{1} << l, stage, l, cs, sn);
  if (first == 2) ForwardFused<2>(re, im, n, std::size_t{1} << l, stage, l, cs, sn);
  for (l -= first; l >= last; l -= 3) ForwardFused<3>(re, im, n, std::size_t{1} << l, stage, l, cs, sn);
  if (last) ForwardLast8(re, im, n);
}

[[gnu::always_inline]] inline void InverseAll(double* re, double* im, std::size_t n, const std::size_t* stage,
                                              int levels, const double* cs, const double* sn) {
  const int first = n >= 8 ? 3 : 0;
  if (first) InverseFirst8(re, im, n);
  const int tail = (levels - first) % 3;
  int l = first;
  for (; l + 3 <= levels - tail; l += 3) InverseFused<3>(re, im, n, std::size_t{1} << (l + 2), stage, l + 2, cs, sn);
  if (tail == 1) InverseFused<1>(re, im, n, std::size_t{1} << l, stage, l, cs, sn);
  if (tail == 2) InverseFused<2>(re, im, n, std::size_t{1} << (l + 1), stage, l + 1, cs, sn);
}

// The transforms compiled for the base instruction set and, on x86-64, again
// for AVX2 and for AVX-512, so the stage loops are vectorised as wide as the
// processor allows; the build is chosen at start-up (numbers/limb/Cpu.h).
using TTransform = void (*)(double*, double*, std::size_t, const std::size_t*, int, const double*, const double*);

void ForwardBase(double* re, double* im, std::size_t n, const std::size_t* stage, int levels, const double* cs,
                 const double* sn) {
  ForwardAll(re, im, n, stage, levels, cs, sn);
}
void InverseBase(double* re, double* im, std::size_t n, const std::size_t* stage, int levels, const double* cs,
                 const double* sn) {
  InverseAll(re, im, n, stage, levels, cs, sn);
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("avx2,fma"))) void ForwardAvx2(double* re, double* im, std::size_t n, const std::size_t* stage,
                                                     int levels, const double* cs, const double* sn) {
  ForwardAll(re, im, n, stage, levels, cs, sn);
}
__attribute__((target("avx2,fma"))) void InverseAvx2(double* re, double* im, std::size_t n, const std::size_t* stage,
                                                     int levels, const double* cs, const double* sn) {
  InverseAll(re, im, n, stage, levels, cs, sn);
}
__attribute__((target("avx512f,avx512dq,avx512vl"))) void ForwardAvx512(double* re, double* im, std::size_t n,
                                                                        const std::size_t* stage, int levels,
                                                                        const double* cs, const double* sn) {
  ForwardAll(re, im, n, stage, levels, cs, sn);
}
__attribute__((target("avx512f,avx512dq,avx512vl"))) void InverseAvx512(double* re, double* im, std::size_t n,
                                                                        const std::size_t* stage, int levels,
                                                                        const double* cs, const double* sn) {
  InverseAll(re, im, n, stage, levels, cs, sn);
}
#endif

TTransform ChooseForward() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (cpu::gKernels.avx512) return ForwardAvx512;
  if (cpu::gKernels.avx2Fma) return ForwardAvx2;
#endif
  return ForwardBase;
}

TTransform ChooseInverse() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (cpu::gKernels.avx512) return InverseAvx512;
  if (cpu::gKernels.avx2Fma) return InverseAvx2;
#endif
  return InverseBase;
}

// The pass of r-point transforms (r odd): for every j < m the points j + t m
// (t < r) go through a DFT of length r, output s multiplied by
// exp(-2 pi i j s / n); the r outputs are written back in place. With the
// sums A_t = x_t + x_(r-t) and differences B_t = x_t - x_(r-t), outputs s
// and r - s share P_s = x_0 + sum A_t cos(2 pi t s / r) and
// Q_s = sum B_t sin(2 pi t s / r): y_s = P_s - i Q_s, y_(r-s) = P_s + i Q_s.
// The loops over t and s unroll, the one over j vectorises. cr, ci hold
// cos and sin(2 pi t / r).
template <int R>
[[gnu::always_inline]] inline void RadixForward(double* __restrict re, double* __restrict im, std::size_t m,
                                                const double* __restrict twr, const double* __restrict twi,
                                                const double* __restrict cr, const double* __restrict ci) {
  constexpr int H = R / 2;
#pragma GCC ivdep
  for (std::size_t j = 0; j < m; ++j) {
    const double x0r = re[j], x0i = im[j];
    double ar[H + 1], ai[H + 1], br[H + 1], bi[H + 1];
    double y0r = x0r, y0i = x0i;
#pragma GCC unroll 4
    for (int t = 1; t <= H; ++t) {
      const double ur = re[j + t * m], ui = im[j + t * m];
      const double vr = re[j + (R - t) * m], vi = im[j + (R - t) * m];
      ar[t] = ur + vr, ai[t] = ui + vi, br[t] = ur - vr, bi[t] = ui - vi;
      y0r += ar[t], y0i += ai[t];
    }
    re[j] = y0r, im[j] = y0i;
#pragma GCC unroll 4
    for (int s = 1; s <= H; ++s) {
      double pr = x0r, pi = x0i, qr = 0, qi = 0;
#pragma GCC unroll 4
      for (int t = 1; t <= H; ++t) {
        const int e = (t * s) % R;
        pr += ar[t] * cr[e], pi += ai[t] * cr[e];
        qr += br[t] * ci[e], qi += bi[t] * ci[e];
      }
      // y_s = P - iQ at s, P + iQ at r - s, then the twiddles.
      const double sr = pr + qi, si = pi - qr, tr = pr - qi, ti = pi + qr;
      const std::size_t a = s * m + j, b = (R - s) * m + j;
      re[a] = sr * twr[a] - si * twi[a], im[a] = sr * twi[a] + si * twr[a];
      re[b] = tr * twr[b] - ti * twi[b], im[b] = tr * twi[b] + ti * twr[b];
    }
  }
}

// Its inverse, unscaled: the conjugate twiddles, then the r-point DFT with
// the conjugate roots (y_s = P_s + i Q_s, y_(r-s) = P_s - i Q_s).
template <int R>
[[gnu::always_inline]] inline void RadixInverse(double* __restrict re, double* __restrict im, std::size_t m,
                                                const double* __restrict twr, const double* __restrict twi,
                                                const double* __restrict cr, const double* __restrict ci) {
  constexpr int H = R / 2;
#pragma GCC ivdep
  for (std::size_t j = 0; j < m; ++j) {
    const double x0r = re[j], x0i = im[j];
    double ar[H + 1], ai[H + 1], br[H + 1], bi[H + 1];
    double y0r = x0r, y0i = x0i;
#pragma GCC unroll 4
    for (int t = 1; t <= H; ++t) {
      const std::size_t a = t * m + j, b = (R - t) * m + j;
      const double ur = re[a] * twr[a] + im[a] * twi[a], ui = im[a] * twr[a] - re[a] * twi[a];
      const double vr = re[b] * twr[b] + im[b] * twi[b], vi = im[b] * twr[b] - re[b] * twi[b];
      ar[t] = ur + vr, ai[t] = ui + vi, br[t] = ur - vr, bi[t] = ui - vi;
      y0r += ar[t], y0i += ai[t];
    }
    re[j] = y0r, im[j] = y0i;
#pragma GCC unroll 4
    for (int s = 1; s <= H; ++s) {
      double pr = x0r, pi = x0i, qr = 0, qi = 0;
#pragma GCC unroll 4
      for (int t = 1; t <= H; ++t) {
        const int e = (t * s) % R;
        pr += ar[t] * cr[e], pi += ai[t] * cr[e];
        qr += br[t] * ci[e], qi += bi[t] * ci[e];
      }
      re[s * m + j] = pr - qi, im[s * m + j] = pi + qr;
      re[(R - s) * m + j] = pr + qi, im[(R - s) * m + j] = pi - qr;
    }
  }
}

struct TMixedPlan {
  std::size_t r, m;
  const std::size_t* stage;
  int levels;
  const double *cs, *sn, *twr, *twi, *cr, *ci;
};

[[gnu::always_inline]] inline void MixedForwardAll(double* re, double* im, const TMixedPlan& p) {
  switch (p.r) {
    case 3: RadixForward<3>(re, im, p.m, p.twr, p.twi, p.cr, p.ci); break;
    case 5: RadixForward<5>(re, im, p.m, p.twr, p.twi, p.cr, p.ci); break;
    case 7: RadixForward<7>(re, im, p.m, p.twr, p.twi, p.cr, p.ci); break;
    case 9: RadixForward<9>(re, im, p.m, p.twr, p.twi, p.cr, p.ci); break;
    default: break;
  }
  for (std::size_t s = 0; s < p.r; ++s) ForwardAll(re + s * p.m, im + s * p.m, p.m, p.stage, p.levels, p.cs, p.sn);
}

[[gnu::always_inline]] inline void MixedInverseAll(double* re, double* im, const TMixedPlan& p) {
  for (std::size_t s = 0; s < p.r; ++s) InverseAll(re + s * p.m, im + s * p.m, p.m, p.stage, p.levels, p.cs, p.sn);
  switch (p.r) {
    case 3: RadixInverse<3>(re, im, p.m, p.twr, p.twi, p.cr, p.ci); break;
    case 5: RadixInverse<5>(re, im, p.m, p.twr, p.twi, p.cr, p.ci); break;
    case 7: RadixInverse<7>(re, im, p.m, p.twr, p.twi, p.cr, p.ci); break;
    case 9: RadixInverse<9>(re, im, p.m, p.twr, p.twi, p.cr, p.ci); break;
    default: break;
  }
}

using TMixedTransform = void (*)(double*, double*, const TMixedPlan&);

void MixedForwardBase(double* re, double* im, const TMixedPlan& p) { MixedForwardAll(re, im, p); }
void MixedInverseBase(double* re, double* im, const TMixedPlan& p) { MixedInverseAll(re, im, p); }
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("avx2,fma"))) void MixedForwardAvx2(double* re, double* im, const TMixedPlan& p) {
  MixedForwardAll(re, im, p);
}
__attribute__((target("avx2,fma"))) void MixedInverseAvx2(double* re, double* im, const TMixedPlan& p) {
  MixedInverseAll(re, im, p);
}
__attribute__((target("avx512f,avx512dq,avx512vl"))) void MixedForwardAvx512(double* re, double* im,
                                                                             const TMixedPlan& p) {
  MixedForwardAll(re, im, p);
}
__attribute__((target("avx512f,avx512dq,avx512vl"))) void MixedInverseAvx512(double* re, double* im,
                                                                             const TMixedPlan& p) {
  MixedInverseAll(re, im, p);
}
#endif

TMixedTransform ChooseMixedForward() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (cpu::gKernels.avx512) return MixedForwardAvx512;
  if (cpu::gKernels.avx2Fma) return MixedForwardAvx2;
#endif
  return MixedForwardBase;
}

TMixedTransform ChooseMixedInverse() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (cpu::gKernels.avx512) return MixedInverseAvx512;
  if (cpu::gKernels.avx2Fma) return MixedInverseAvx2;
#endif
  return MixedInverseBase;
}

std::size_t OddPart(std::size_t n) {
  while (n != 0 && n % 2 == 0) n /= 2;
  return n;
}

}  // namespace

void TComplexFft::Forward(double* re, double* im) const {
  static const TTransform transform = ChooseForward();
  transform(re, im, n_, stage_.data(), static_cast<int>(stage_.size()), cos_.data(), sin_.data());
}

void TComplexFft::Inverse(double* re, double* im) const {
  static const TTransform transform = ChooseInverse();
  transform(re, im, n_, stage_.data(), static_cast<int>(stage_.size()), cos_.data(), sin_.data());
}

bool TMixedFft::Supported(std::size_t n) {
  const std::size_t r = OddPart(n);
  return (r == 1 || r == 3 || r == 5 || r == 7 || r == 9) && n / r >= 2;
}

TMixedFft::TMixedFft(std::size_t n)
    : n_(n),
      r_(OddPart(n)),
      m_(Supported(n) ? n / r_ : 2),
      levels_(0),
      block_(m_) {
  if (!Supported(n)) throw std::invalid_argument("TMixedFft needs r 2^k with r in 1, 3, 5, 7, 9 and 2^k >= 2");
  while ((std::size_t{1} << levels_) < m_) ++levels_;
  twRe_.resize(n), twIm_.resize(n);
  for (std::size_t s = 0; s < r_; ++s)
    for (std::size_t j = 0; j < m_; ++j) {
      // The exponent reduced modulo n first, so the angle stays small.
      const long double angle = -2 * std::numbers::pi_v<long double> * static_cast<long double>((j * s) % n) /
                                static_cast<long double>(n);
      twRe_[s * m_ + j] = static_cast<double>(std::cos(angle));
      twIm_[s * m_ + j] = static_cast<double>(std::sin(angle));
    }
  for (std::size_t t = 0; t < r_; ++t) {
    const long double angle =
        2 * std::numbers::pi_v<long double> * static_cast<long double>(t) / static_cast<long double>(r_);
    rootRe_.push_back(static_cast<double>(std::cos(angle)));
    rootIm_.push_back(static_cast<double>(std::sin(angle)));
  }
}

std::size_t TMixedFft::Position(std::size_t k) const { return (k % r_) * m_ + BitReverse(k / r_, levels_); }

void TMixedFft::Forward(double* re, double* im) const {
  static const TMixedTransform transform = ChooseMixedForward();
  const TMixedPlan plan{r_, m_, block_.stage_.data(), levels_, block_.cos_.data(), block_.sin_.data(),
                        twRe_.data(), twIm_.data(), rootRe_.data(), rootIm_.data()};
  transform(re, im, plan);
}

void TMixedFft::Inverse(double* re, double* im) const {
  static const TMixedTransform transform = ChooseMixedInverse();
  const TMixedPlan plan{r_, m_, block_.stage_.data(), levels_, block_.cos_.data(), block_.sin_.data(),
                        twRe_.data(), twIm_.data(), rootRe_.data(), rootIm_.data()};
  transform(re, im, plan);
}

void PlainDft(const double* re, const double* im, double* outRe, double* outIm, std::size_t n, int sign) {
  for (std::size_t k = 0; k < n; ++k) {
    long double sr = 0, si = 0;
    for (std::size_t j = 0; j < n; ++j) {
      const long double angle = static_cast<long double>(sign) * 2 * std::numbers::pi_v<long double> *
                                static_cast<long double>((j * k) % n) / static_cast<long double>(n);
      const long double c = std::cos(angle), s = std::sin(angle);
      sr += re[j] * c - im[j] * s;
      si += re[j] * s + im[j] * c;
    }
    outRe[k] = static_cast<double>(sr);
    outIm[k] = static_cast<double>(si);
  }
}

}  // namespace fft

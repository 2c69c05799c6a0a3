// Products by number-theoretic transforms over three 62-bit primes.
//
// The transform follows the remainder tree of x^N - 1: a block that holds
// A mod (x^2h - c) becomes A mod (x^h - r) and A mod (x^h + r), r^2 = c,
// by the butterfly (lo + r hi, lo - r hi). Every butterfly of a block uses
// the same r, and the r of block i among m is zeta_2m^bitrev(i), whatever
// N is, so one table per level serves every length and is read in order.
// The forward transform leaves the values in that tree order, the inverse
// walks the tree back up, and no permutation is ever done.
//
// Lengths 3 2^k as well as 2^k, so a product is never padded to nearly
// twice its size: x^3M - 1 first splits into the three x^M - w^k (w a cube
// root of one), and branch k goes on with r = zeta_6m^k zeta_2m^bitrev(i),
// again the same for every M.
//
// Residues are kept lazily below 4p (forward) and 2p (inverse); products
// by a table value use Shoup's precomputed quotient, the pointwise products
// Montgomery's reduction. Since 4p < 2^64 no step overflows.
#include "numbers/limb/Ntt64.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "numbers/limb/Cpu.h"
#include "numbers/limb/Scratch.h"

namespace limb64 {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// Ntt64Avx512.cpp: one block of butterflies, h a multiple of 8.
void ForwardBlockAvx512(Limb* lo, Limb* hi, Size h, Limb w, Limb ws, Limb p);
void InverseBlockAvx512(Limb* lo, Limb* hi, Size h, Limb w, Limb ws, Limb p);
// The levels of blocks below 8 (h = 1, 2, 4), n a multiple of 16.
void SmallLevelAvx512(Limb* x, Size n, Size h, const Limb* w, const Limb* ws, Limb p, bool inverse);
#define CALVENNA_NTT_AVX512 1
#endif

namespace {

#if CALVENNA_NTT_AVX512
bool Wide8(Size h) { return h >= 8 && cpu::gKernels.avx512; }
bool Small8(Size N) { return N >= 16 && cpu::gKernels.avx512; }
#else
bool Wide8(Size) { return false; }
#endif

constexpr int kPrimes = 3;
constexpr int kMaxLog = 33;
// c 2^33 + 1 with 3 dividing c, descending, so that a residue modulo one is
// below twice the next.
constexpr Limb kPrime[kPrimes] = {0x3fffffb400000001u, 0x3fffff3000000001u, 0x3fffff1800000001u};

Limb MulMod(Limb a, Limb b, Limb p) { return static_cast<Limb>(static_cast<Wide>(a) * b % p); }

Limb PowMod(Limb a, Limb e, Limb p) {
  Limb r = 1;
  for (; e; e >>= 1) {
    if (e & 1) r = MulMod(r, a, p);
    a = MulMod(a, a, p);
  }
  return r;
}

// floor(w 2^64 / p), for w < p.
Limb ShoupOf(Limb w, Limb p) { return static_cast<Limb>((static_cast<Wide>(w) << 64) / p); }

// w x mod p, in [0, 2p), for any x below 2^64.
inline Limb MulShoup(Limb x, Limb w, Limb ws, Limb p) {
  const Limb q = static_cast<Limb>((static_cast<Wide>(x) * ws) >> 64);
  return x * w - q * p;
}

struct Level {
  std::vector<Limb> w, ws, wi, wis;  // r, its inverse, and their Shoup quotients
};

struct PrimeData {
  Limb p = 0;
  Limb mont = 0;    // -1/p mod 2^64
  Limb r2 = 0;      // 2^64 mod p
  Limb root = 0;    // of order 3 2^kMaxLog
  Limb cube = 0, cubes = 0;  // a cube root of one, and its Shoup quotient
  std::vector<std::unique_ptr<Level>> levels[3];  // branch k, level j: 2^j blocks
};

class Tables {
public:
  Tables() {
    for (int k = 0; k < kPrimes; ++k) {
      PrimeData& d = data_[k];
      const Limb p = kPrime[k];
      d.p = p;
      Limb inv = p;  // Newton: correct to 2^(5 2^i) bits
      for (int i = 0; i < 5; ++i) inv *= 2 - p * inv;
      d.mont = ~inv + 1;
      d.r2 = static_cast<Limb>((static_cast<Wide>(1) << 64) % p);
      Limb g = 2;  // neither a square nor a cube
      while (PowMod(g, (p - 1) / 2, p) != p - 1 || PowMod(g, (p - 1) / 3, p) == 1) ++g;
      d.root = PowMod(g, ((p - 1) / 3) >> kMaxLog, p);
      d.cube = PowMod(d.root, Limb{1} << kMaxLog, p);
      d.cubes = ShoupOf(d.cube, p);
    }
  }
  // The levels 0 .. logM - 1 of branches 0 .. branches - 1 of every prime.
  void Get(int logM, int branches, const Level* out[kPrimes][3][kMaxLog]) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (int k = 0; k < kPrimes; ++k) {
      PrimeData& d = data_[k];
      for (int b = 0; b < branches; ++b) {
        auto& lv = d.levels[b];
        while (static_cast<int>(lv.size()) < logM) lv.push_back(Make(d, static_cast<int>(lv.size()), b));
        for (int j = 0; j < logM; ++j) out[k][b][j] = lv[static_cast<Size>(j)].get();
      }
    }
  }
  const PrimeData& Data(int k) const { return data_[k]; }

private:
  static std::unique_ptr<Level> Make(const PrimeData& d, int j, int branch) {
    const Size m = Size{1} << j;
    const Limb p = d.p;
    const Limb zeta6 = PowMod(d.root, Limb{1} << (kMaxLog - 1 - j), p);  // of order 6m
    const Limb zeta = PowMod(zeta6, 3, p);                                  // of order 2m
    const Limb shift = PowMod(zeta6, static_cast<Limb>(branch), p);
    const Limb shiftInv = PowMod(zeta6, static_cast<Limb>(6 * m - branch) % (6 * m), p);
    std::vector<Limb> pw(2 * m);
    pw[0] = 1;
    for (Size e = 1; e < 2 * m; ++e) pw[e] = MulMod(pw[e - 1], zeta, p);
    auto lv = std::make_unique<Level>();
    lv->w.resize(m);
    lv->ws.resize(m);
    lv->wi.resize(m);
    lv->wis.resize(m);
    for (Size i = 0; i < m; ++i) {
      Size e = 0;  // i bit-reversed in j bits
      for (int b = 0; b < j; ++b)
        if (i >> b & 1) e |= Size{1} << (j - 1 - b);
      lv->w[i] = MulMod(pw[e], shift, p);
      lv->wi[i] = MulMod(pw[(2 * m - e) % (2 * m)], shiftInv, p);
      lv->ws[i] = ShoupOf(lv->w[i], p);
      lv->wis[i] = ShoupOf(lv->wi[i], p);
    }
    return lv;
  }

  std::mutex mutex_;
  PrimeData data_[kPrimes];
};

Tables& TheTables() {
  static Tables t;
  return t;
}

// a (n limbs, zero above) into x[0..N-1] as residues below 2p.
void Load(Limb* x, const Limb* a, Size n, Size N, Limb p) {
  const Limb p2 = 2 * p;
  for (Size i = 0; i < n; ++i) {
    Limb v = a[i];
    v -= v >= p2 ? p2 : 0;
    v -= v >= p2 ? p2 : 0;
    x[i] = v;
  }
  std::memset(x + n, 0, (N - n) * sizeof(Limb));
}

// Inputs below 4p (2p will do), outputs below 4p, in tree order.
void Forward(Limb* x, int logN, const Level* const* lv, Limb p) {
  const Size N = Size{1} << logN;
  const Limb p2 = 2 * p;
  for (int j = 0; j < logN; ++j) {
    const Size m = Size{1} << j, h = N >> (j + 1);
    const Limb* w = lv[j]->w.data();
    const Limb* ws = lv[j]->ws.data();
#if CALVENNA_NTT_AVX512
    if (Wide8(h)) {
      for (Size i = 0; i < m; ++i) ForwardBlockAvx512(x + 2 * h * i, x + 2 * h * i + h, h, w[i], ws[i], p);
      continue;
    }
    if (Small8(N)) {
      SmallLevelAvx512(x, N, h, w, ws, p, false);
      continue;
    }
#endif
    for (Size i = 0; i < m; ++i) {
      Limb* lo = x + 2 * h * i;
      Limb* hi = lo + h;
      const Limb wv = w[i], wsv = ws[i];
      if (wv == 1) {  // the first block of branch 0: no product
        for (Size t = 0; t < h; ++t) {
          Limb u = lo[t], v = hi[t];
          u -= u >= p2 ? p2 : 0;
          v -= v >= p2 ? p2 : 0;
          lo[t] = u + v;
          hi[t] = u - v + p2;
        }
        continue;
      }
      for (Size t = 0; t < h; ++t) {
        Limb u = lo[t];
        u -= u >= p2 ? p2 : 0;
        const Limb v = MulShoup(hi[t], wv, wsv, p);
        lo[t] = u + v;
        hi[t] = u - v + p2;
      }
    }
  }
}

// x^3M - 1 into its three factors x^M - w^k (inputs below 2p, outputs
// below 4p): B_k = A0 + w^k A1 + w^2k A2, with w^2 = -1 - w so that one
// product t = w (A1 - A2) serves both B1 = A0 - A2 + t and B2 = A0 - A1 - t.
void Forward3(Limb* x, Size M, Limb p, Limb w, Limb ws) {
  const Limb p2 = 2 * p;
  Limb* a1 = x + M;
  Limb* a2 = x + 2 * M;
  for (Size t = 0; t < M; ++t) {
    const Limb u0 = x[t], u1 = a1[t], u2 = a2[t];
    const Limb m = MulShoup(u1 - u2 + p2, w, ws, p);
    Limb s = u0 + u1;
    s -= s >= p2 ? p2 : 0;
    s += u2;
    s -= s >= p2 ? p2 : 0;
    Limb e1 = u0 - u2 + p2;
    e1 -= e1 >= p2 ? p2 : 0;
    Limb e2 = u0 - u1 + p2;
    e2 -= e2 >= p2 ? p2 : 0;
    x[t] = s;
    a1[t] = e1 + m;
    a2[t] = e2 - m + p2;
  }
}

// The way back (inputs below 2p, outputs below 4p, three times the values):
// 3 A0 = B0 + B1 + B2, 3 A1 = B0 - B1 - u, 3 A2 = B0 - B2 + u for
// u = w (B1 - B2).
void Inverse3(Limb* x, Size M, Limb p, Limb w, Limb ws) {
  const Limb p2 = 2 * p;
  Limb* b1 = x + M;
  Limb* b2 = x + 2 * M;
  for (Size t = 0; t < M; ++t) {
    const Limb v0 = x[t], v1 = b1[t], v2 = b2[t];
    const Limb u = MulShoup(v1 - v2 + p2, w, ws, p);
    Limb s = v0 + v1;
    s -= s >= p2 ? p2 : 0;
    s += v2;
    s -= s >= p2 ? p2 : 0;
    Limb e1 = v0 - v1 + p2;
    e1 -= e1 >= p2 ? p2 : 0;
    Limb e2 = v0 - v2 + p2;
    e2 -= e2 >= p2 ? p2 : 0;
    x[t] = s;
    b1[t] = e1 - u + p2;
    b2[t] = e2 + u;
  }
}

// Inputs below 2p in tree order, outputs below 2p: N times the values.
void Inverse(Limb* x, int logN, const Level* const* lv, Limb p) {
  const Size N = Size{1} << logN;
  const Limb p2 = 2 * p;
  for (int j = logN - 1; j >= 0; --j) {
    const Size m = Size{1} << j, h = N >> (j + 1);
    const Limb* w = lv[j]->wi.data();
    const Limb* ws = lv[j]->wis.data();
#if CALVENNA_NTT_AVX512
    if (Wide8(h)) {
      for (Size i = 0; i < m; ++i) InverseBlockAvx512(x + 2 * h * i, x + 2 * h * i + h, h, w[i], ws[i], p);
      continue;
    }
    if (Small8(N)) {
      SmallLevelAvx512(x, N, h, w, ws, p, true);
      continue;
    }
#endif
    for (Size i = 0; i < m; ++i) {
      Limb* lo = x + 2 * h * i;
      Limb* hi = lo + h;
      const Limb wv = w[i], wsv = ws[i];
      for (Size t = 0; t < h; ++t) {
        const Limb u = lo[t], v = hi[t];
        Limb s = u + v;
        s -= s >= p2 ? p2 : 0;
        lo[t] = s;
        hi[t] = MulShoup(u - v + p2, wv, wsv, p);
      }
    }
  }
}

// Below p, from below 4p.
inline Limb Reduce4(Limb v, Limb p) {
  v -= v >= 2 * p ? 2 * p : 0;
  v -= v >= p ? p : 0;
  return v;
}

// a b / 2^64 mod p for a, b below p, result below p.
inline Limb MontMul(Limb a, Limb b, Limb p, Limb mont) {
  const Wide t = static_cast<Wide>(a) * b;
  const Limb m = static_cast<Limb>(t) * mont;
  const Wide s = (t >> 64) + ((static_cast<Wide>(m) * p + static_cast<Limb>(t)) >> 64);
  Limb r = static_cast<Limb>(s);
  r -= r >= p ? p : 0;
  return r;
}

// x := x y / 2^64 (x, y below 4p), results below p.
void Pointwise(Limb* x, const Limb* y, Size N, Limb p, Limb mont) {
  for (Size i = 0; i < N; ++i) x[i] = MontMul(Reduce4(x[i], p), Reduce4(y[i], p), p, mont);
}
void PointwiseSqr(Limb* x, Size N, Limb p, Limb mont) {
  for (Size i = 0; i < N; ++i) {
    const Limb v = Reduce4(x[i], p);
    x[i] = MontMul(v, v, p, mont);
  }
}

// The coefficients from their residues y[k][i] (N 2^-64 times the true
// residues, any 64-bit values), carried into r (rn limbs, rn <= N + 1).
void Recombine(Limb* r, Size rn, Limb* const y[kPrimes], Size N) {
  Tables& t = TheTables();
  const Limb p1 = kPrime[0], p2 = kPrime[1], p3 = kPrime[2];
  Limb fix[kPrimes], fixs[kPrimes];  // 2^64 / N mod p
  for (int k = 0; k < kPrimes; ++k) {
    const Limb p = kPrime[k];
    const Limb invN = PowMod(N % p, p - 2, p);
    fix[k] = MulMod(t.Data(k).r2, invN, p);
    fixs[k] = ShoupOf(fix[k], p);
  }
  const Limb inv12 = PowMod(p1 % p2, p2 - 2, p2), inv12s = ShoupOf(inv12, p2);
  const Limb p1m3 = p1 % p3, p1m3s = ShoupOf(p1m3, p3);
  const Limb inv123 = PowMod(MulMod(p1 % p3, p2 % p3, p3), p3 - 2, p3), inv123s = ShoupOf(inv123, p3);
  const Wide p12 = static_cast<Wide>(p1) * p2;
  const Limb p12lo = static_cast<Limb>(p12), p12hi = static_cast<Limb>(p12 >> 64);
  Limb c0 = 0, c1 = 0, c2 = 0;  // the carry, below 2^188
  for (Size i = 0; i < rn; ++i) {
    Limb v0 = 0, v1 = 0, v2 = 0;
    if (i < N) {
      Limb r1 = MulShoup(y[0][i], fix[0], fixs[0], p1);
      r1 -= r1 >= p1 ? p1 : 0;
      Limb r2 = MulShoup(y[1][i], fix[1], fixs[1], p2);
      r2 -= r2 >= p2 ? p2 : 0;
      Limb r3 = MulShoup(y[2][i], fix[2], fixs[2], p3);
      r3 -= r3 >= p3 ? p3 : 0;
      // x = r1 + p1 x2 + p1 p2 x3 (Garner).
      Limb x2 = MulShoup(r2 + 2 * p2 - r1, inv12, inv12s, p2);
      x2 -= x2 >= p2 ? p2 : 0;
      const Limb r1m3 = r1 >= p3 ? r1 - p3 : r1;
      const Limb t3 = r3 + 3 * p3 - r1m3 - MulShoup(x2, p1m3, p1m3s, p3);
      Limb x3 = MulShoup(t3, inv123, inv123s, p3);
      x3 -= x3 >= p3 ? p3 : 0;
      const Wide a = static_cast<Wide>(p1) * x2 + r1;  // below 2^124
      const Wide lo = static_cast<Wide>(p12lo) * x3;
      const Wide hi = static_cast<Wide>(p12hi) * x3;
      const Wide s0 = static_cast<Wide>(static_cast<Limb>(a)) + static_cast<Limb>(lo);
      v0 = static_cast<Limb>(s0);
      const Wide s1 = (s0 >> 64) + static_cast<Limb>(a >> 64) + static_cast<Limb>(lo >> 64) + static_cast<Limb>(hi);
      v1 = static_cast<Limb>(s1);
      v2 = static_cast<Limb>(s1 >> 64) + static_cast<Limb>(hi >> 64);
    }
    Limb cy = AddC(c0, v0, 0, &r[i]);
    cy = AddC(c1, v1, cy, &c0);
    AddC(c2, v2, cy, &c1);
    c2 = 0;
  }
}

// A transform length for a product of n coefficients: 2^k or 3 2^k.
struct Length {
  Size n;
  int logM;     // of the power-of-two blocks
  int branches; // 1 or 3
};

Length LengthFor(Size n) {
  int lg = 1;
  while ((Size{1} << lg) < n) ++lg;
  if (lg >= 3 && 3 * (Size{1} << (lg - 2)) >= n) return {3 * (Size{1} << (lg - 2)), lg - 2, 3};
  return {Size{1} << lg, lg, 1};
}

// Forward transform of every branch of x (x[0..L.n-1], Load's output).
void ForwardAll(Limb* x, const Length& L, const PrimeData& d, const Level* const lv[3][kMaxLog]) {
  const Size M = Size{1} << L.logM;
  if (L.branches == 3) Forward3(x, M, d.p, d.cube, d.cubes);
  for (int b = 0; b < L.branches; ++b) Forward(x + b * M, L.logM, lv[b], d.p);
}

void InverseAll(Limb* x, const Length& L, const PrimeData& d, const Level* const lv[3][kMaxLog]) {
  const Size M = Size{1} << L.logM;
  for (int b = 0; b < L.branches; ++b) Inverse(x + b * M, L.logM, lv[b], d.p);
  if (L.branches == 3) Inverse3(x, M, d.p, d.cube, d.cubes);
}

}  // namespace

void MulNtt(Limb* r, const Limb* a, Size na, const Limb* b, Size nb) {
  const Length L = LengthFor(na + nb - 1);
  const Level* lv[kPrimes][3][kMaxLog];
  Tables& t = TheTables();
  t.Get(L.logM, L.branches, lv);
  ScratchFrame f;
  Limb* y[kPrimes];
  for (int k = 0; k < kPrimes; ++k) y[k] = f.Alloc(L.n);
  Limb* z = f.Alloc(L.n);
  for (int k = 0; k < kPrimes; ++k) {
    const PrimeData& d = t.Data(k);
    Load(y[k], a, na, L.n, d.p);
    Load(z, b, nb, L.n, d.p);
    ForwardAll(y[k], L, d, lv[k]);
    ForwardAll(z, L, d, lv[k]);
    Pointwise(y[k], z, L.n, d.p, d.mont);
    InverseAll(y[k], L, d, lv[k]);
  }
  Recombine(r, na + nb, y, L.n);
}

void SqrNtt(Limb* r, const Limb* a, Size n) {
  const Length L = LengthFor(2 * n - 1);
  const Level* lv[kPrimes][3][kMaxLog];
  Tables& t = TheTables();
  t.Get(L.logM, L.branches, lv);
  ScratchFrame f;
  Limb* y[kPrimes];
  for (int k = 0; k < kPrimes; ++k) y[k] = f.Alloc(L.n);
  for (int k = 0; k < kPrimes; ++k) {
    const PrimeData& d = t.Data(k);
    Load(y[k], a, n, L.n, d.p);
    ForwardAll(y[k], L, d, lv[k]);
    PointwiseSqr(y[k], L.n, d.p, d.mont);
    InverseAll(y[k], L, d, lv[k]);
  }
  Recombine(r, 2 * n, y, L.n);
}

}  // namespace limb64

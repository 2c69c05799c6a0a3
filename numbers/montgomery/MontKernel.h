// Montgomery arithmetic modulo an odd n of exactly N 64-bit words (N a
// template argument, so every loop is unrolled and nothing is allocated),
// the kernel of ModPowerBigInt, Rabin-Miller and the strong Lucas test.
//
// Multiplication and squaring scan the product column by column (Comba)
// and fold the reduction into the same columns, so the running sum stays in
// three registers; squaring adds each cross product a_i a_j (i < j) twice
// instead of computing it twice. Residues are fully reduced (0 <= x < n);
// R = 2^(64 N).
#pragma once

#include <cstdint>

#include "numbers/limb/Cpu.h"
#include "numbers/limb/LimbRaw.h"

namespace montk {

using limb64::Limb;
using limb64::Wide;

// The kernels come in two builds: with kAsm, x86-64 assembly with mulx for
// processors with BMI2 (chosen at start-up, numbers/limb/Cpu.h); without,
// plain C++ for every other processor and for CALVENNA_KERNELS=plain.

// (c2:c1:c0) += x * y, both factors read from memory. Written out for the
// compiler, which otherwise turns the third carry into setc/movzx pairs and,
// short of registers, parks the operands in vector registers.
template <bool kAsm>
inline __attribute__((always_inline)) void Mac(Limb& c0, Limb& c1, Limb& c2, const Limb& x, const Limb& y) {
#if defined(__x86_64__)
  if constexpr (kAsm) {
    Limb lo, hi;
    asm("movq %[x], %%rdx\n\t"
        "mulx %[y], %[lo], %[hi]\n\t"
        "addq %[lo], %[c0]\n\t"
        "adcq %[hi], %[c1]\n\t"
        "adcq $0, %[c2]"
        : [c0] "+&r"(c0), [c1] "+&r"(c1), [c2] "+&r"(c2), [lo] "=&r"(lo), [hi] "=&r"(hi)
        : [x] "m"(x), [y] "m"(y)
        : "rdx", "cc");
    return;
  }
#endif
  const Wide p = static_cast<Wide>(x) * y;
  const Wide s = ((static_cast<Wide>(c1) << 64) | c0) + p;
  c2 += s < p;
  c0 = static_cast<Limb>(s);
  c1 = static_cast<Limb>(s >> 64);
}

// (c2:c1:c0) += x * y with x in a register: for the fresh reduction factor
// m_k, which would otherwise wait for a store and a load.
template <bool kAsm>
inline __attribute__((always_inline)) void MacReg(Limb& c0, Limb& c1, Limb& c2, Limb x, const Limb& y) {
#if defined(__x86_64__)
  if constexpr (kAsm) {
    Limb lo, hi;
    asm("mulx %[y], %[lo], %[hi]\n\t"
        "addq %[lo], %[c0]\n\t"
        "adcq %[hi], %[c1]\n\t"
        "adcq $0, %[c2]"
        : [c0] "+&r"(c0), [c1] "+&r"(c1), [c2] "+&r"(c2), [lo] "=&r"(lo), [hi] "=&r"(hi)
        : "d"(x), [y] "m"(y)
        : "cc");
    return;
  }
#endif
  Mac<false>(c0, c1, c2, x, y);
}

// r := a - n when that is not negative or when carry is set (the value is
// carry * 2^(64N) + a, below 2n); otherwise r := a.
template <int N>
inline __attribute__((always_inline)) void FinalSubtract(Limb* r, const Limb* a, Limb carry, const Limb* n) {
  Limb s[N];
  const Limb b = limb64::SubN<N>(s, a, n);
  // Take s when carry is set or there was no borrow.
  const Limb keep = static_cast<Limb>(0) - static_cast<Limb>(b & (carry ^ 1));  // all ones: keep a
#pragma GCC unroll 32
  for (int i = 0; i < N; ++i) r[i] = (a[i] & keep) | (s[i] & ~keep);
}

// (d2:d1:d0) := x * y, to start a sum.
inline __attribute__((always_inline)) void MulInit(Limb& d0, Limb& d1, Limb& d2, const Limb& x, const Limb& y) {
  const Wide p = static_cast<Wide>(x) * y;
  d0 = static_cast<Limb>(p);
  d1 = static_cast<Limb>(p >> 64);
  d2 = 0;
}

// (c2:c1:c0) += (d2:d1:d0), plain.
inline __attribute__((always_inline)) void AccPlain(Limb& c0, Limb& c1, Limb& c2, Limb d0, Limb d1, Limb d2) {
  Limb c = limb64::AddC(c0, d0, 0, &c0);
  c = limb64::AddC(c1, d1, c, &c1);
  c2 += d2 + c;
}

// (c2:c1:c0) += 2 (d2:d1:d0)
template <bool kAsm>
inline __attribute__((always_inline)) void AccTwice(Limb& c0, Limb& c1, Limb& c2, Limb d0, Limb d1, Limb d2) {
#if defined(__x86_64__)
  if constexpr (kAsm) {
    asm("shldq $1, %[d1], %[d2]\n\t"
        "shldq $1, %[d0], %[d1]\n\t"
        "addq %[d0], %[d0]\n\t"
        "addq %[d0], %[c0]\n\t"
        "adcq %[d1], %[c1]\n\t"
        "adcq %[d2], %[c2]"
        : [c0] "+&r"(c0), [c1] "+&r"(c1), [c2] "+&r"(c2), [d0] "+r"(d0), [d1] "+r"(d1), [d2] "+r"(d2)
        :
        : "cc");
    return;
  }
#endif
  AccPlain(c0, c1, c2, d0 << 1, (d1 << 1) | (d0 >> 63), (d2 << 1) | (d1 >> 63));
}

// (c2:c1:c0) += (d2:d1:d0). The sums are marked early-clobber in every
// block here: a register holding a sum must not double as an input of equal
// value (two zeros, say), since the block writes the sums before it has read
// all inputs.
template <bool kAsm>
inline __attribute__((always_inline)) void Acc(Limb& c0, Limb& c1, Limb& c2, Limb d0, Limb d1, Limb d2) {
#if defined(__x86_64__)
  if constexpr (kAsm) {
    asm("addq %[d0], %[c0]\n\t"
        "adcq %[d1], %[c1]\n\t"
        "adcq %[d2], %[c2]"
        : [c0] "+&r"(c0), [c1] "+&r"(c1), [c2] "+&r"(c2)
        : [d0] "r"(d0), [d1] "r"(d1), [d2] "r"(d2)
        : "cc");
    return;
  }
#endif
  AccPlain(c0, c1, c2, d0, d1, d2);
}

// The columns below gather in a fresh sum every product that does not wait
// for the newest reduction factor m_(k-1), so that those run while m_(k-1)
// and m_k are being formed; only the products with them stay on the chain
// of running sums.

// r := a b / R mod n, for a, b < n. r may alias a or b.
template <int N, bool kAsm>
__attribute__((noinline)) void MulRedcBuild(Limb* r, const Limb* a, const Limb* b, const Limb* n, Limb inv) {
  Limb m[N], t[N], mk = 0;
  Limb c0 = 0, c1 = 0, c2 = 0;
#pragma GCC unroll 32
  for (int k = 0; k < N; ++k) {
    Limb d0, d1, d2;
    MulInit(d0, d1, d2, a[0], b[k]);
#pragma GCC unroll 32
    for (int i = 1; i <= k; ++i) Mac<kAsm>(d0, d1, d2, a[i], b[k - i]);
#pragma GCC unroll 32
    for (int i = 0; i + 1 < k; ++i) Mac<kAsm>(d0, d1, d2, m[i], n[k - i]);
    Acc<kAsm>(c0, c1, c2, d0, d1, d2);
    if (k > 0) MacReg<kAsm>(c0, c1, c2, mk, n[1]);
    mk = c0 * inv;
    m[k] = mk;
    MacReg<kAsm>(c0, c1, c2, mk, n[0]);  // clears c0
    c0 = c1;
    c1 = c2;
    c2 = 0;
  }
#pragma GCC unroll 32
  for (int k = N; k < 2 * N - 1; ++k) {
    Limb d0, d1, d2;
    MulInit(d0, d1, d2, a[k - N + 1], b[N - 1]);
#pragma GCC unroll 32
    for (int i = k - N + 2; i < N; ++i) Mac<kAsm>(d0, d1, d2, a[i], b[k - i]);
#pragma GCC unroll 32
    for (int i = k - N + 1; i < N; ++i) Mac<kAsm>(d0, d1, d2, m[i], n[k - i]);
    Acc<kAsm>(c0, c1, c2, d0, d1, d2);
    t[k - N] = c0;
    c0 = c1;
    c1 = c2;
    c2 = 0;
  }
  t[N - 1] = c0;
  FinalSubtract<N>(r, t, c1, n);
}

// r := a^2 / R mod n, for a < n. r may alias a. The lazy build leaves out
// the final subtraction: r is a^2 / R mod n plus 0 or n, for a^2 < n R / 4
// (then the sum below 2n; what a run of squarings needs when n has room
// above it, see TMontN::SqrLazy).
template <int N, bool kAsm, bool kLazy = false>
__attribute__((noinline)) void SqrRedcBuild(Limb* r, const Limb* a, const Limb* n, Limb inv) {
  Limb m[N], t[N], mk = 0;
  Limb c0 = 0, c1 = 0, c2 = 0;
#pragma GCC unroll 32
  for (int k = 0; k < 2 * N - 1; ++k) {
    // Cross products a_i a_(k-i), i < k - i, summed once and added twice.
    const int first = k < N ? 0 : k - N + 1;
    if (2 * first < k) {
      Limb d0, d1, d2;
      MulInit(d0, d1, d2, a[first], a[k - first]);
#pragma GCC unroll 32
      for (int i = first + 1; 2 * i < k; ++i) Mac<kAsm>(d0, d1, d2, a[i], a[k - i]);
      AccTwice<kAsm>(c0, c1, c2, d0, d1, d2);
    }
    if (k % 2 == 0) Mac<kAsm>(c0, c1, c2, a[k / 2], a[k / 2]);
    if (k < N) {
#pragma GCC unroll 32
      for (int i = 0; i + 1 < k; ++i) Mac<kAsm>(c0, c1, c2, m[i], n[k - i]);
      if (k > 0) MacReg<kAsm>(c0, c1, c2, mk, n[1]);
      mk = c0 * inv;
      m[k] = mk;
      MacReg<kAsm>(c0, c1, c2, mk, n[0]);  // clears c0
    } else {
#pragma GCC unroll 32
      for (int i = k - N + 1; i < N; ++i) Mac<kAsm>(c0, c1, c2, m[i], n[k - i]);
      t[k - N] = c0;
    }
    c0 = c1;
    c1 = c2;
    c2 = 0;
  }
  t[N - 1] = c0;
  if constexpr (kLazy) {
#pragma GCC unroll 32
    for (int i = 0; i < N; ++i) r[i] = t[i];  // below 2n < R: no carry out
  } else {
    FinalSubtract<N>(r, t, c1, n);
  }
}

// The product and square by the build the processor runs.
template <int N>
inline void MulRedc(Limb* r, const Limb* a, const Limb* b, const Limb* n, Limb inv) {
#if defined(__x86_64__)
  if (cpu::gKernels.mulxAdx) return MulRedcBuild<N, true>(r, a, b, n, inv);
#endif
  MulRedcBuild<N, false>(r, a, b, n, inv);
}
template <int N>
inline void SqrRedc(Limb* r, const Limb* a, const Limb* n, Limb inv) {
#if defined(__x86_64__)
  if (cpu::gKernels.mulxAdx) return SqrRedcBuild<N, true>(r, a, n, inv);
#endif
  SqrRedcBuild<N, false>(r, a, n, inv);
}
template <int N>
inline void SqrRedcLazy(Limb* r, const Limb* a, const Limb* n, Limb inv) {
#if defined(__x86_64__)
  if (cpu::gKernels.mulxAdx) return SqrRedcBuild<N, true, true>(r, a, n, inv);
#endif
  SqrRedcBuild<N, false, true>(r, a, n, inv);
}

// The residues modulo one odd n of N words, with what the tests need
// besides the products: sums, differences, products by a small factor, and
// the ways into and out of Montgomery form.
template <int N>
class TMontN {
public:
  // n odd, n >= 3, with its top word non-zero.
  explicit TMontN(const Limb* n) {
    for (int i = 0; i < N; ++i) n_[i] = n[i];
    // Newton's iteration for n^-1 mod 2^64: each step doubles the correct
    // low bits, from 3 (n n = 1 mod 8).
    Limb x = n_[0];
    for (int i = 0; i < 5; ++i) x *= 2 - n_[0] * x;
    inv_ = 0 - x;
    int top = 63;
    while ((n_[N - 1] >> top) == 0) --top;
    bits_ = 64 * (N - 1) + top + 1;
    if (bits_ > 32) {
      // The top 32 bits of n and a reciprocal of them plus one, for the
      // quotient estimate of MulSmall.
      shift_ = bits_ - 32;
      const Limb nn = Bits(n_, N, shift_);
      rcp_ = ~static_cast<Limb>(0) / (nn + 1);
    }
    // R mod n: 2^(bits - 1) < n doubled up to 2^(64N).
    Limb v[N] = {};
    v[(bits_ - 1) / 64] = static_cast<Limb>(1) << ((bits_ - 1) % 64);
    for (int i = bits_ - 1; i < 64 * N; ++i) Add(v, v, v);
    Copy(one_, v);
    // R^2 mod n: the Montgomery form of 2^(64N) = (2^N)^(2^6), from that of
    // 2^N by N doublings, then six squarings.
    for (int i = 0; i < N; ++i) Add(v, v, v);
    for (int i = 0; i < 6; ++i) Sqr(v, v);
    Copy(r2_, v);
  }

  const Limb* Modulus() const { return n_; }
  const Limb* One() const { return one_; }  // R mod n
  int Bits() const { return bits_; }

  void Mul(Limb* r, const Limb* a, const Limb* b) const { MulRedc<N>(r, a, b, n_, inv_); }
  void Sqr(Limb* r, const Limb* a) const { SqrRedc<N>(r, a, n_, inv_); }

  // Residues left unreduced through a run of squarings and products by a
  // small factor, for moduli with kLazyRoomBits bits free above them
  // (n 2^kLazyRoomBits <= R): a square of any a < 2^(kLazyRoomBits/2) n is
  // below 2n without its final subtraction, and a product of a value below
  // 2n by a factor below 2^(kLazyRoomBits/2 - 1) needs no reduction at all.
  // MulSmall(r, a, 1) brings any of them back below n.
  static constexpr int kLazyRoomBits = 30;
  bool LazyFits() const { return bits_ + kLazyRoomBits <= 64 * N; }
  // r := a^2 / R mod n plus 0 or n, for a < 2^15 n (LazyFits()).
  void SqrLazy(Limb* r, const Limb* a) const { SqrRedcLazy<N>(r, a, n_, inv_); }
  // r := a c, not reduced, for a < 2n and c < 2^14 (LazyFits()).
  void MulSmallLazy(Limb* r, const Limb* a, Limb c) const {
    Limb carry = 0;
#pragma GCC unroll 32
    for (int i = 0; i < N; ++i) {
      const Wide p = static_cast<Wide>(a[i]) * c + carry;
      r[i] = static_cast<Limb>(p);
      carry = static_cast<Limb>(p >> 64);
    }
  }

  void Add(Limb* r, const Limb* a, const Limb* b) const {
    Limb s[N];
    const Limb c = limb64::AddN<N>(s, a, b);
    FinalSubtract<N>(r, s, c, n_);
  }
  void Sub(Limb* r, const Limb* a, const Limb* b) const {
    Limb s[N], back[N];
    const Limb add = static_cast<Limb>(0) - limb64::SubN<N>(s, a, b);  // all ones on a borrow
#pragma GCC unroll 32
    for (int i = 0; i < N; ++i) back[i] = n_[i] & add;
    limb64::AddN<N>(r, s, back);
  }
  // r := -a mod n.
  void Neg(Limb* r, const Limb* a) const {
    const Limb zero[N] = {};
    Sub(r, zero, a);
  }

  // r := a c mod n for c < 2^32 (in or out of Montgomery form alike), a < n;
  // also for c = 1 and any a below 2^31 n. The quotient is estimated from
  // the top 32 bits of n, never above the true one, and then corrected.
  void MulSmall(Limb* r, const Limb* a, Limb c) const {
    Limb t[N + 1];
    Limb carry = 0;
#pragma GCC unroll 32
    for (int i = 0; i < N; ++i) {
      const Wide p = static_cast<Wide>(a[i]) * c + carry;
      t[i] = static_cast<Limb>(p);
      carry = static_cast<Limb>(p >> 64);
    }
    t[N] = carry;
    if (N == 1 && bits_ <= 32) {  // t < 2^64
      r[0] = t[0] % n_[0];
      return;
    }
    const Limb q = static_cast<Limb>((static_cast<Wide>(Bits(t, N + 1, shift_)) * rcp_) >> 64);
    carry = 0;
    Limb b = 0;
#pragma GCC unroll 32
    for (int i = 0; i < N; ++i) {
      const Wide p = static_cast<Wide>(n_[i]) * q + carry;
      carry = static_cast<Limb>(p >> 64);
      b = limb64::SubB(t[i], static_cast<Limb>(p), b, &t[i]);
    }
    t[N] = t[N] - carry - b;
    while (t[N] != 0 || !Below(t, n_)) t[N] -= limb64::SubN<N>(t, t, n_);
    Copy(r, t);
  }

  // Into Montgomery form (x < n) and back.
  void ToMont(Limb* r, const Limb* x) const { Mul(r, x, r2_); }
  void FromMont(Limb* r, const Limb* x) const {
    Limb unit[N] = {};
    unit[0] = 1;
    Mul(r, x, unit);
  }

  static void Copy(Limb* r, const Limb* a) {
#pragma GCC unroll 32
    for (int i = 0; i < N; ++i) r[i] = a[i];
  }
  static bool Equal(const Limb* a, const Limb* b) {
    Limb d = 0;
#pragma GCC unroll 32
    for (int i = 0; i < N; ++i) d |= a[i] ^ b[i];
    return d == 0;
  }
  static bool IsZero(const Limb* a) {
    Limb d = 0;
#pragma GCC unroll 32
    for (int i = 0; i < N; ++i) d |= a[i];
    return d == 0;
  }
  static bool Below(const Limb* a, const Limb* b) {
    for (int i = N - 1; i >= 0; --i)
      if (a[i] != b[i]) return a[i] < b[i];
    return false;
  }

private:
  // The 64 bits of a (words long) from bit pos on, zeros above its top.
  static Limb Bits(const Limb* a, int words, int pos) {
    const int w = pos / 64, s = pos % 64;
    Limb v = a[w] >> s;
    if (s != 0 && w + 1 < words) v |= a[w + 1] << (64 - s);
    return v;
  }

  Limb n_[N];
  Limb one_[N];
  Limb r2_[N];
  Limb inv_ = 0;
  Limb rcp_ = 0;
  int bits_ = 0;
  int shift_ = 0;
};

}  // namespace montk

// Montgomery arithmetic on a fixed number of 64-bit words, for the inner
// loops of the factor searches (rho, elliptic curves). The word count is a
// template argument so the compiler unrolls every loop and nothing is
// allocated: a residue is a plain std::array.
//
// Residues are kept fully reduced (0 <= x < n); R = 2^(64 * W).
#pragma once

#include <array>
#include <cstdint>

#include "numbers/bigint/BigInt.h"
#include "numbers/limb/LimbRaw.h"
#include "numbers/montgomery/MontKernel.h"
#include "numbers/montgomery/MontgomeryWords.h"

template <int W>
class TMontFixed {
public:
  using Limb = limb64::Limb;
  using Num = std::array<Limb, W>;

  // n odd, n >= 3, fitting in W words (higher bits are ignored).
  explicit TMontFixed(const TBigInt& n) {
    BigIntToWords(n, n_.data(), W);
    // Newton's iteration for n^-1 mod 2^64; each step doubles the bits.
    Limb inv = n_[0];
    for (int i = 0; i < 6; ++i) inv *= 2 - n_[0] * inv;
    ninv_ = 0 - inv;
    // R mod n by 64*W doublings of 1; R^2 mod n by as many more.
    Num x{};
    x[0] = 1;
    for (int i = 0; i < 64 * W; ++i) Add(x, x, x);
    one_ = x;
    for (int i = 0; i < 64 * W; ++i) Add(x, x, x);
    r2_ = x;
  }

  const Num& Modulus() const { return n_; }
  const Num& One() const { return one_; }

  // r := a * b / R mod n and r := a^2 / R mod n, on the unrolled kernels.
  void Mul(Num& r, const Num& a, const Num& b) const {
    montk::MulRedc<W>(r.data(), a.data(), b.data(), n_.data(), ninv_);
  }
  void Sqr(Num& r, const Num& a) const { montk::SqrRedc<W>(r.data(), a.data(), n_.data(), ninv_); }

  void Add(Num& r, const Num& a, const Num& b) const {
    Num s;
    const Limb carry = limb64::AddN<W>(s.data(), a.data(), b.data());
    if (carry != 0 || !Below(s, n_)) limb64::SubN<W>(s.data(), s.data(), n_.data());
    r = s;
  }
  void Sub(Num& r, const Num& a, const Num& b) const {
    Num s;
    if (limb64::SubN<W>(s.data(), a.data(), b.data()) != 0) limb64::AddN<W>(s.data(), s.data(), n_.data());
    r = s;
  }

  // Montgomery form of a non-negative value of any size, of a small signed
  // value, and the plain value back.
  void Load(Num& r, const TBigInt& x) const {
    TBigInt m, modulus;
    WordsToBigInt(n_.data(), W, modulus);
    ModuloBigInt(x, modulus, m);
    Num plain;
    BigIntToWords(m, plain.data(), W);
    Mul(r, plain, r2_);
  }
  void LoadSmall(Num& r, std::int64_t v) const {
    Num plain{};
    const Limb mag = v < 0 ? 0 - static_cast<Limb>(v) : static_cast<Limb>(v);
    plain[0] = mag;
    if (W == 1 && plain[0] >= n_[0]) plain[0] %= n_[0];
    Mul(r, plain, r2_);
    if (v < 0) Sub(r, Num{}, r);
  }
  void Store(const Num& x, TBigInt& result) const {
    Num one{};
    one[0] = 1;
    Num plain;
    Mul(plain, x, one);
    WordsToBigInt(plain.data(), W, result);
  }
  // A Montgomery residue and its plain value share every common divisor with
  // n (R is a unit), so gcds may be taken on the raw words.
  void Raw(const Num& x, TBigInt& result) const { WordsToBigInt(x.data(), W, result); }

  static bool IsZero(const Num& a) {
    for (int j = 0; j < W; ++j)
      if (a[j] != 0) return false;
    return true;
  }

private:
  static bool Below(const Num& a, const Num& b) {
    for (int j = W - 1; j >= 0; --j)
      if (a[j] != b[j]) return a[j] < b[j];
    return false;
  }

  Num n_{}, one_{}, r2_{};
  Limb ninv_ = 0;
};

// The word count a modulus needs, 1 to 4, or 0 when it is wider than 256 bits.
inline int MontFixedWords(const TBigInt& n) {
  const std::int64_t bits = BigIntBitLength(n);
  if (bits > 256) return 0;
  return bits <= 64 ? 1 : static_cast<int>((bits + 63) / 64);
}

// Exponentiation on the fixed-size Montgomery kernels (numbers/MontKernel.h)
// and the dispatch from a run-time word count to them.
#pragma once

#include <cstdint>

#include "numbers/bigint/BigInt.h"
#include "numbers/montgomery/MontKernel.h"

namespace montk {

// The largest word count with unrolled kernels; wider moduli take the
// generic loop of TMontgomeryWords.
constexpr int kMaxFixedWords = 16;

// Bit i of the magnitude of e (base-2^31 digits).
inline bool ExponentBit(const TBigInt& e, std::int64_t i) {
  return (e.Cells[static_cast<std::size_t>(i / 31) + 1] >> (i % 31)) & 1;
}

// x := the Montgomery form of base^|e| for a plain base < n below 2^32,
// left to right: a squaring per bit and, for a set bit, a product by the
// small base (a few word operations instead of a Montgomery product). Where
// n leaves room above it and the base is below 2^14, nothing is reduced
// until the end: no final subtractions, and the products by the base are
// plain products.
template <int N>
void PowSmallBase(const TMontN<N>& m, Limb* x, Limb base, const TBigInt& e) {
  const std::int64_t bits = BigIntBitLength(e);
  if (bits == 0) {
    TMontN<N>::Copy(x, m.One());
    return;
  }
  m.MulSmall(x, m.One(), base);
  if (m.LazyFits() && base < (Limb{1} << 14)) {
    // x below 2n after a square, below 2^15 n after a product.
    for (std::int64_t i = bits - 2; i >= 0; --i) {
      m.SqrLazy(x, x);
      if (ExponentBit(e, i)) m.MulSmallLazy(x, x, base);
    }
    m.MulSmall(x, x, 1);
    return;
  }
  for (std::int64_t i = bits - 2; i >= 0; --i) {
    m.Sqr(x, x);
    if (ExponentBit(e, i)) m.MulSmall(x, x, base);
  }
}

// x := b^|e| for b in Montgomery form, by a left-to-right sliding window
// whose width follows the exponent's length.
// The sliding window's width for an exponent of the given bits: about one
// product per w + 1 bits against 2^(w-1) products for the table.
inline int WindowWidth(std::int64_t bits) {
  if (bits > 671) return 6;
  if (bits > 239) return 5;
  if (bits > 79) return 4;
  if (bits > 23) return 3;
  if (bits > 7) return 2;
  return 1;
}

template <int N>
void PowWindow(const TMontN<N>& m, Limb* x, const Limb* b, const TBigInt& e) {
  const std::int64_t bits = BigIntBitLength(e);
  if (bits == 0) {
    TMontN<N>::Copy(x, m.One());
    return;
  }
  const int w = WindowWidth(bits);
  Limb table[32][N];  // b^1, b^3, ..., b^(2^w - 1)
  const int entries = 1 << (w - 1);
  TMontN<N>::Copy(table[0], b);
  if (entries > 1) {
    Limb square[N];
    m.Sqr(square, b);
    for (int i = 1; i < entries; ++i) m.Mul(table[i], table[i - 1], square);
  }
  bool started = false;
  std::int64_t i = bits - 1;
  while (i >= 0) {
    if (!ExponentBit(e, i)) {
      m.Sqr(x, x);  // started: the top bit is set
      --i;
      continue;
    }
    std::int64_t low = i - w + 1 > 0 ? i - w + 1 : 0;
    while (!ExponentBit(e, low)) ++low;
    int value = 0;
    for (std::int64_t j = i; j >= low; --j) value = (value << 1) | (ExponentBit(e, j) ? 1 : 0);
    const Limb* entry = table[(value - 1) / 2];
    if (!started) {
      TMontN<N>::Copy(x, entry);
      started = true;
    } else {
      for (std::int64_t j = i; j >= low; --j) m.Sqr(x, x);
      m.Mul(x, x, entry);
    }
    i = low - 1;
  }
}

// Calls f.template operator()<N>() for the word count k (1..kMaxFixedWords)
// and returns its result.
template <typename F>
decltype(auto) DispatchWords(int k, F&& f) {
  switch (k) {
#define MONTK_CASE(n) \
  case n:             \
    return f.template operator()<n>();
    MONTK_CASE(1) MONTK_CASE(2) MONTK_CASE(3) MONTK_CASE(4) MONTK_CASE(5) MONTK_CASE(6) MONTK_CASE(7)
    MONTK_CASE(8) MONTK_CASE(9) MONTK_CASE(10) MONTK_CASE(11) MONTK_CASE(12) MONTK_CASE(13) MONTK_CASE(14)
    MONTK_CASE(15)
#undef MONTK_CASE
    default:
      return f.template operator()<16>();
  }
}

}  // namespace montk

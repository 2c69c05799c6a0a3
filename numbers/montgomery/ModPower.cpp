#include "numbers/montgomery/ModPower.h"

#include <algorithm>
#include <vector>

#include "numbers/montgomery/MontPower.h"
#include "numbers/montgomery/MontgomeryWords.h"

namespace {

void Normalise(TBigInt& a) {
  std::int32_t n = static_cast<std::int32_t>(a.Cells.size()) - 1;
  while (n > 1 && a.Cells[static_cast<std::size_t>(n)] == 0) --n;
  a.Cells.resize(static_cast<std::size_t>(n) + 1);
  a.Cells[0] = n;
}

int HighestBit(std::int64_t digit) {
  int j = -1;
  while (digit > 0) {
    ++j;
    digit >>= 1;
  }
  return j;
}

bool ExponentBit(const TBigInt& e, std::int64_t i) {
  const std::size_t cell = static_cast<std::size_t>(i / 31) + 1;
  return (e.Cells[cell] >> (i % 31)) & 1;
}


}  // namespace

void ModPowerWordsBigInt(const TBigInt& b, const TBigInt& e, const TBigInt& n, TBigInt& result) {
  const TMontgomeryWords m(n);
  const int k = m.Words();
  const std::size_t ks = static_cast<std::size_t>(k);
  const std::int64_t bits = BigIntBitLength(e);
  if (bits == 0) {
    m.Store(m.One(), result);
    return;
  }
  const int w = montk::WindowWidth(bits);
  const std::size_t entries = std::size_t{1} << (w - 1);
  std::vector<std::uint64_t> store((entries + 2) * ks);
  std::uint64_t* table = store.data();  // b^1, b^3, ..., b^(2^w - 1)
  std::uint64_t* square = table + entries * ks;
  std::uint64_t* acc = square + ks;
  m.Load(table, b);
  if (entries > 1) {
    m.Square(square, table);
    for (std::size_t i = 1; i < entries; ++i) m.Multiply(table + i * ks, table + (i - 1) * ks, square);
  }
  bool started = false;
  std::int64_t i = bits - 1;
  while (i >= 0) {
    if (!ExponentBit(e, i)) {
      m.Square(acc, acc);  // started: the top bit is set
      --i;
      continue;
    }
    std::int64_t low = std::max<std::int64_t>(i - w + 1, 0);
    while (!ExponentBit(e, low)) ++low;
    std::size_t value = 0;
    for (std::int64_t j = i; j >= low; --j) value = (value << 1) | (ExponentBit(e, j) ? 1 : 0);
    const std::uint64_t* entry = table + ((value - 1) / 2) * ks;
    if (!started) {
      std::copy(entry, entry + ks, acc);
      started = true;
    } else {
      for (std::int64_t j = i; j >= low; --j) m.Square(acc, acc);
      m.Multiply(acc, acc, entry);
    }
    i = low - 1;
  }
  m.Store(acc, result);
}

TMontgomeryParameters MontgomeryParametersBigInt(const TBigInt& n) {
  TMontgomeryParameters p;
  p.K = n.Count();
  const std::int64_t top = n.Digit(p.K);
  TBigInt r;
  if (top >= (std::int64_t{1} << 30)) {
    p.Mask = kBigIntMask;
    r.Cells.assign(static_cast<std::size_t>(p.K) + 2, 0);
    r.Cells[0] = p.K + 1;
    r.Cells[static_cast<std::size_t>(p.K) + 1] = 1;
  } else {
    const int j = HighestBit(top);
    p.Mask = (std::int64_t{1} << (j + 1)) - 1;
    r.Cells.assign(static_cast<std::size_t>(p.K) + 1, 0);
    r.Cells[0] = p.K;
    r.Cells[static_cast<std::size_t>(p.K)] = std::int64_t{1} << (j + 1);
  }
  r.SignFlag = 1;
  TBigInt magnitude = n;
  MakePositiveBigInt(magnitude);
  TBigInt inv;
  ModInverseBigInt(magnitude, r, inv);
  SubtractBigInt(r, inv, p.NPrime);
  MakePositiveBigInt(p.NPrime);
  p.R = std::move(r);
  return p;
}

void MontgomeryTruncateBigInt(const TBigInt& a, std::int32_t k, std::int64_t mask, TBigInt& result) {
  if (a.Count() < k) {
    CopyBigInt(a, result);
    return;
  }
  TBigInt t;
  t.Cells.assign(a.Cells.begin(), a.Cells.begin() + k + 1);
  t.Cells[0] = k;
  t.Cells[static_cast<std::size_t>(k)] &= mask;
  t.SignFlag = 1;
  Normalise(t);
  result = std::move(t);
}

void MontgomeryLowProductBigInt(const TBigInt& x, const TBigInt& y, std::int32_t k, std::int64_t mask,
                                TBigInt& result) {
  const std::int32_t nx = x.Count(), ny = y.Count();
  const std::int32_t count = std::min(k, nx + ny);
  TBigInt t;
  t.Cells.assign(static_cast<std::size_t>(count) + 1, 0);
  t.Cells[0] = count;
  for (std::int32_t j = 1; j <= ny && j <= k; ++j) {
    std::uint64_t c = 0;
    const std::uint64_t yj = static_cast<std::uint64_t>(y.Cells[static_cast<std::size_t>(j)]);
    const std::int32_t m = std::min(nx, k - j + 1);
    for (std::int32_t i = 1; i <= m; ++i) {
      auto& cell = t.Cells[static_cast<std::size_t>(i + j - 1)];
      const std::uint64_t s = static_cast<std::uint64_t>(x.Cells[static_cast<std::size_t>(i)]) * yj +
                              static_cast<std::uint64_t>(cell) + c;
      cell = static_cast<std::int64_t>(s & 0x7FFFFFFFu);
      c = s >> 31;
    }
    if (nx + j <= k) t.Cells[static_cast<std::size_t>(nx + j)] = static_cast<std::int64_t>(c);
  }
  if (count == k) t.Cells[static_cast<std::size_t>(k)] &= mask;
  Normalise(t);
  t.SignFlag = x.SignFlag == y.SignFlag ? 1 : 0;
  result = std::move(t);
}

void MontgomeryReduceBigInt(const TBigInt& t, const TBigInt& n, const TBigInt& nPrime, std::int32_t k,
                            std::int64_t mask, TBigInt& result) {
  TBigInt u, v, w;
  MontgomeryTruncateBigInt(t, k, mask, u);
  MontgomeryLowProductBigInt(u, nPrime, k, mask, v);
  MultiplyBigInt(v, n, w);
  AddBigInt(w, t, u);
  TBigInt r;
  const std::int32_t nu = u.Count();
  if (nu < k) {
    r = TBigInt{};
  } else {
    r.Cells.assign(static_cast<std::size_t>(nu - k + 2), 0);
    r.Cells[0] = nu - k + 1;
    for (std::int32_t i = k; i <= nu; ++i)
      r.Cells[static_cast<std::size_t>(i - k + 1)] = u.Cells[static_cast<std::size_t>(i)];
    Normalise(r);
  }
  r.SignFlag = 1;
  if (mask < (std::int64_t{1} << 30))
    DivideBySmallBigInt(r, mask + 1);
  else
    ShiftDownDigitBigInt(r);
  if (BigIntCompareMagnitude(r, n) != foLess) SubtractMagnitudeBigInt(r, n);
  result = std::move(r);
}

void ModPowerPlainBigInt(const TBigInt& b, const TBigInt& e, const TBigInt& n, TBigInt& result) {
  const std::string bits = BigIntToBinary(e);
  const TMontgomeryParameters p = MontgomeryParametersBigInt(n);
  TBigInt acc, x, t, tmp;
  ModuloBigInt(p.R, n, acc);
  MultiplyModBigInt(b, acc, n, x);
  for (auto it = bits.rbegin(); it != bits.rend(); ++it) {
    if (*it == '1') {
      MultiplyBigInt(acc, x, t);
      MontgomeryReduceBigInt(t, n, p.NPrime, p.K, p.Mask, tmp);
      acc = std::move(tmp);
    }
    SquareBigInt(x, t);
    MontgomeryReduceBigInt(t, n, p.NPrime, p.K, p.Mask, tmp);
    x = std::move(tmp);
  }
  MontgomeryReduceBigInt(acc, n, p.NPrime, p.K, p.Mask, tmp);
  result = std::move(tmp);
}

void ModPowerBigInt(const TBigInt& b, const TBigInt& e, const TBigInt& n, TBigInt& result) {
  const std::int64_t nbits = BigIntBitLength(n);
  const int k = static_cast<int>((nbits + 63) / 64);
  if (k > montk::kMaxFixedWords) {
    ModPowerWordsBigInt(b, e, n, result);
    return;
  }
  TBigInt modulus = n, base;
  MakePositiveBigInt(modulus);
  ModuloBigInt(b, modulus, base);  // the non-negative residue, also for negative b
  if (nbits == 1) {  // n = 1, outside the domain: every residue is 0
    result = TBigInt{};
    return;
  }
  montk::DispatchWords(k, [&]<int N>() {
    montk::Limb words[N], x[N];
    BigIntToWords(modulus, words, N);
    const montk::TMontN<N> m(words);
    std::int64_t small = 0;
    if (BigIntToInt64(base, small) && small < (std::int64_t{1} << 32)) {
      montk::PowSmallBase<N>(m, x, static_cast<montk::Limb>(small), e);
    } else {
      montk::Limb bm[N];
      BigIntToWords(base, bm, N);
      m.ToMont(bm, bm);
      montk::PowWindow<N>(m, x, bm, e);
    }
    m.FromMont(x, x);
    WordsToBigInt(x, N, result);
  });
}

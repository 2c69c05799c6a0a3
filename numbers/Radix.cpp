// Decimal conversion of raw digit arrays.
#include "numbers/Radix.h"

#include <cstring>

namespace radix {

using bigraw::Digit;
using bigraw::Size;
using bigraw::U64;

namespace {

constexpr U64 kChunk = 1000000000u;  // 10^9

U64 ParseChunk(const char* p, Size len) {
  U64 v = 0;
  for (Size i = 0; i < len; ++i) v = v * 10 + static_cast<U64>(p[i] - '0');
  return v;
}

}  // namespace

std::vector<Digit> DecimalDigitsToCellsBasecase(std::string_view s) {
  const Size len = s.size();
  // 9 decimal digits < 2^30 bits each: at most 30 bits per chunk.
  const Size chunks = (len + 8) / 9;
  const Size cap = chunks + 1;
  std::vector<Digit> cells(cap + 1, 0);
  Digit* d = cells.data() + 1;
  Size n = 0;  // digits in use
  Size first = len - (chunks - 1) * 9;
  Size pos = 0;
  for (Size k = 0; k < chunks; ++k) {
    Size clen = k == 0 ? first : 9;
    U64 carry = ParseChunk(s.data() + pos, clen);
    pos += clen;
    for (Size i = 0; i < n; ++i) {
      U64 t = static_cast<U64>(d[i]) * kChunk + carry;
      d[i] = static_cast<Digit>(t & bigraw::kMask);
      carry = t >> bigraw::kBits;
    }
    while (carry) {
      d[n++] = static_cast<Digit>(carry & bigraw::kMask);
      carry >>= bigraw::kBits;
    }
  }
  if (n == 0) n = 1;
  cells.resize(n + 1);
  cells[0] = static_cast<Digit>(n);
  return cells;
}

std::string CellsToDecimalDigitsBasecase(const Digit* a, Size n) {
  n = bigraw::Trim(a, n);
  if (n == 0) return "0";
  std::vector<Digit> w(a, a + n);
  std::vector<std::uint32_t> chunks;
  chunks.reserve(n * 31 / 29 + 2);
  while (n > 0) {
    chunks.push_back(static_cast<std::uint32_t>(bigraw::DivRem1(w.data(), w.data(), n, kChunk)));
    n = bigraw::Trim(w.data(), n);
  }
  std::string s;
  s.resize(chunks.size() * 9);
  char* p = s.data();
  for (Size k = chunks.size(); k-- > 0;) {
    std::uint32_t v = chunks[k];
    for (int i = 8; i >= 0; --i) {
      p[i] = static_cast<char>('0' + v % 10);
      v /= 10;
    }
    p += 9;
  }
  Size nz = s.find_first_not_of('0');
  return nz == std::string::npos ? "0" : s.substr(nz);
}

std::vector<Digit> DecimalDigitsToCells(std::string_view s) { return DecimalDigitsToCellsBasecase(s); }

std::string CellsToDecimalDigits(const Digit* a, Size n) { return CellsToDecimalDigitsBasecase(a, n); }

}  // namespace radix

// Decimal conversion of raw digit arrays.
#include "numbers/Radix.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

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

namespace {

// 10^(9 2^k) for k = 0, 1, 2 ..., made by squaring and kept for the run.
class Powers {
public:
  // The power and its digit count (no zero top digit).
  const std::vector<Digit>& Get(Size k) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (powers_.empty()) powers_.push_back(std::make_unique<std::vector<Digit>>(1, static_cast<Digit>(kChunk)));
    while (powers_.size() <= k) {
      const std::vector<Digit>& p = *powers_.back();
      auto sq = std::make_unique<std::vector<Digit>>(2 * p.size());
      bigraw::Sqr(sq->data(), p.data(), p.size());
      sq->resize(bigraw::Trim(sq->data(), sq->size()));
      powers_.push_back(std::move(sq));
    }
    return *powers_[k];
  }

private:
  std::mutex mutex_;
  std::vector<std::unique_ptr<std::vector<Digit>>> powers_;  // stable addresses
};

Powers& ThePowers() {
  static Powers powers;
  return powers;
}

// Writes exactly width decimal digits of x (zero-padded on the left).
void BasecaseInto(const Digit* x, Size n, char* out, Size width) {
  n = bigraw::Trim(x, n);
  std::vector<Digit> w(x, x + n);
  char* p = out + width;
  while (p > out) {
    std::uint32_t v = 0;
    if (n > 0) {
      v = static_cast<std::uint32_t>(bigraw::DivRem1(w.data(), w.data(), n, kChunk));
      n = bigraw::Trim(w.data(), n);
    }
    for (int i = 0; i < 9 && p > out; ++i) {
      *--p = static_cast<char>('0' + v % 10);
      v /= 10;
    }
  }
}

// q := x div p, r := x mod p (r gets p's length), for x of any length.
void DivideByPower(const Digit* x, Size n, const std::vector<Digit>& p, std::vector<Digit>& q,
                   std::vector<Digit>& r) {
  n = bigraw::Trim(x, n);
  r.assign(p.size(), 0);
  if (n < p.size()) {
    q.assign(1, 0);
    bigraw::Copy(r.data(), x, n);
    return;
  }
  q.assign(n - p.size() + 1, 0);
  bigraw::DivRem(q.data(), r.data(), x, n, p.data(), p.size());
}

// Exactly 9 2^k decimal digits of x < 10^(9 2^k).
void EmitPadded(const Digit* x, Size n, Size k, char* out) {
  const Size width = Size{9} << k;
  n = bigraw::Trim(x, n);
  if (k == 0 || n < bigraw::gTuning.toDecimalDivideConquer) {
    BasecaseInto(x, n, out, width);
    return;
  }
  std::vector<Digit> q, r;
  DivideByPower(x, n, ThePowers().Get(k - 1), q, r);
  EmitPadded(q.data(), q.size(), k - 1, out);
  EmitPadded(r.data(), r.size(), k - 1, out + width / 2);
}

}  // namespace

std::vector<Digit> DecimalDigitsToCells(std::string_view s) {
  // About 9.33 decimal digits per digit of base 2^31.
  const Size approx = s.size() * 10 / 93;
  if (approx < bigraw::gTuning.fromDecimalDivideConquer || s.size() < 19) return DecimalDigitsToCellsBasecase(s);
  // The low 9 2^k characters and the rest: value = high 10^(9 2^k) + low.
  Size k = 0;
  while ((Size{18} << k) < s.size()) ++k;
  const Size lowLen = Size{9} << k;  // < s.size() <= 2 lowLen
  std::vector<Digit> high = DecimalDigitsToCells(s.substr(0, s.size() - lowLen));
  std::vector<Digit> low = DecimalDigitsToCells(s.substr(s.size() - lowLen));
  const std::vector<Digit>& p = ThePowers().Get(k);
  const Size nh = std::max<Size>(bigraw::Trim(high.data() + 1, high.size() - 1), 1);
  const Size nl = std::max<Size>(bigraw::Trim(low.data() + 1, low.size() - 1), 1);
  const Size n = nh + p.size() + 1;
  std::vector<Digit> cells(n + 1, 0);
  bigraw::Mul(cells.data() + 1, high.data() + 1, nh, p.data(), p.size());
  bigraw::Add(cells.data() + 1, cells.data() + 1, n, low.data() + 1, std::min(nl, n));
  cells[0] = static_cast<Digit>(n);
  return cells;
}

std::string CellsToDecimalDigits(const Digit* a, Size n) {
  n = bigraw::Trim(a, n);
  if (n < bigraw::gTuning.toDecimalDivideConquer) return CellsToDecimalDigitsBasecase(a, n);
  // The smallest k with 10^(9 2^(k+1)) > a: a = q 10^(9 2^k) + r, q shorter.
  Size k = 0;
  while (ThePowers().Get(k + 1).size() <= n) ++k;
  std::vector<Digit> q, r;
  DivideByPower(a, n, ThePowers().Get(k), q, r);
  std::string s = CellsToDecimalDigits(q.data(), q.size());
  if (s == "0") s.clear();
  const Size head = s.size();
  s.resize(head + (Size{9} << k));
  EmitPadded(r.data(), r.size(), k, s.data() + head);
  const Size nz = s.find_first_not_of('0');
  if (nz == std::string::npos) return "0";
  if (nz > 0) s.erase(0, nz);
  return s;
}

}  // namespace radix

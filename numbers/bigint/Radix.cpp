// Decimal conversion of raw digit arrays.
#include "numbers/bigint/Radix.h"

#include "numbers/limb/Limbs64.h"

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

// 10^(9 2^k) and 5^(9 2^k) for k = 0, 1, 2 ..., made by squaring and kept
// for the run. Since 10^e = 5^e 2^e, dividing by 10^e is a shift and a
// division by 5^e, whose digits are 30% fewer.
class Powers {
public:
  // The power and its digit count (no zero top digit).
  const std::vector<Digit>& Ten(Size k) { return Get(k, ten_, static_cast<Digit>(kChunk)); }
  const std::vector<Digit>& Five(Size k) { return Get(k, five_, 1953125); }

private:
  using List = std::vector<std::unique_ptr<std::vector<Digit>>>;  // stable addresses
  const std::vector<Digit>& Get(Size k, List& list, Digit base) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (list.empty()) list.push_back(std::make_unique<std::vector<Digit>>(1, base));
    while (list.size() <= k) {
      const std::vector<Digit>& p = *list.back();
      auto sq = std::make_unique<std::vector<Digit>>(2 * p.size());
      bigraw::Sqr(sq->data(), p.data(), p.size());
      sq->resize(bigraw::Trim(sq->data(), sq->size()));
      list.push_back(std::move(sq));
    }
    return *list[k];
  }
  std::mutex mutex_;
  List ten_, five_;
};

Powers& ThePowers() {
  static Powers powers;
  return powers;
}

// The nine decimal digits of v < 10^9, two at a time from a table.
void Write9(char* p, std::uint32_t v) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  for (int i = 7; i > 0; i -= 2) {
    const std::uint32_t r = v % 100;
    v /= 100;
    p[i] = kPairs[2 * r];
    p[i + 1] = kPairs[2 * r + 1];
  }
  p[0] = static_cast<char>('0' + v);
}

// The nineteen decimal digits of v < 10^19.
void Write19(char* p, U64 v) {
  Write9(p + 10, static_cast<std::uint32_t>(v % kChunk));
  v /= kChunk;
  Write9(p + 1, static_cast<std::uint32_t>(v % kChunk));
  p[0] = static_cast<char>('0' + v / kChunk);
}

// Writes exactly width decimal digits of x, zero-padded on the left: x
// packed into 64-bit limbs and divided by 10^19 a piece.
void BasecaseInto(const Digit* x, Size n, char* out, Size width) {
  constexpr U64 kChunk19 = 10000000000000000000u;  // 10^19
  n = bigraw::Trim(x, n);
  bigraw::ScratchFrame f;
  limb64::Limb* w = f.Alloc(bigraw::LimbsFor(n) + 1);
  bigraw::PackLimbs(w, x, n);
  Size nw = limb64::Trim(w, bigraw::LimbsFor(n));
  char* p = out + width;
  while (p > out) {
    if (nw == 0) {  // the rest is leading zeros
      std::memset(out, '0', static_cast<Size>(p - out));
      break;
    }
    const U64 v = limb64::DivRem1(w, w, nw, kChunk19);
    nw = limb64::Trim(w, nw);
    const Size room = static_cast<Size>(p - out);
    if (room >= 19) {
      p -= 19;
      Write19(p, v);
    } else {
      char piece[19];
      Write19(piece, v);
      std::memcpy(out, piece + 19 - room, room);
      p = out;
    }
  }
}

// A quotient and remainder in arena space (the recursion reuses the same
// memory instead of fresh allocations, whose page faults cost much at the
// top levels).
struct Parts {
  Digit* q;
  Size qn;
  Digit* r;
  Size rn;
};

// q := x div 10^e, r := x mod 10^e for e = 9 2^k, x of any length:
// with x = h 2^e + l (l < 2^e), h = q 5^e + s, so r = s 2^e + l.
Parts DivideByPower(bigraw::ScratchFrame& f, const Digit* x, Size n, Size k) {
  n = bigraw::Trim(x, n);
  const std::vector<Digit>& five = ThePowers().Five(k);
  const Size fn = five.size();
  const Size e = Size{9} << k;
  const Size ed = e / 31, eb = e % 31;  // the shift in digits and bits
  Parts p;
  p.rn = (e + 30) / 31 + fn + 1;
  p.r = f.Alloc<Digit>(p.rn);
  bigraw::Zero(p.r, p.rn);
  p.q = f.Alloc<Digit>(n + 1);
  p.qn = 1;
  p.q[0] = 0;
  if (n <= ed) {
    bigraw::Copy(p.r, x, n);
    return p;
  }
  // h = x >> e.
  const Size hn = n - ed;
  Digit* h = f.Alloc<Digit>(hn);
  bigraw::RShift(h, x + ed, hn, static_cast<int>(eb));
  const Size ht = bigraw::Trim(h, hn);
  Digit* rest = f.Alloc<Digit>(fn);
  bigraw::Zero(rest, fn);
  if (ht < fn) {
    bigraw::Copy(rest, h, ht);
  } else {
    p.qn = ht - fn + 1;
    bigraw::DivRem(p.q, rest, h, ht, five.data(), fn);
  }
  // r = rest << e | l.
  p.r[ed + fn] = static_cast<Digit>(bigraw::LShift(p.r + ed, rest, fn, static_cast<int>(eb)));
  bigraw::Copy(p.r, x, ed);
  if (eb) p.r[ed] |= x[ed] & static_cast<Digit>((bigraw::U64{1} << eb) - 1);
  return p;
}

// Exactly 9 2^k decimal digits of x < 10^(9 2^k).
void EmitPadded(const Digit* x, Size n, Size k, char* out) {
  const Size width = Size{9} << k;
  n = bigraw::Trim(x, n);
  if (k == 0 || n < bigraw::gTuning.toDecimalDivideConquer) {
    BasecaseInto(x, n, out, width);
    return;
  }
  bigraw::ScratchFrame f;
  const Parts p = DivideByPower(f, x, n, k - 1);
  EmitPadded(p.q, p.qn, k - 1, out);
  EmitPadded(p.r, p.rn, k - 1, out + width / 2);
}

}  // namespace

namespace {

// The leaves of the divide and conquer input: chunks of 19 decimal digits
// (below 2^64) multiplied in on 64-bit limbs, a quarter of the steps of
// the digit method, then unpacked into cells.
std::vector<Digit> LeafToCells(std::string_view s) {
  constexpr U64 kChunk19 = 10000000000000000000u;  // 10^19
  const Size len = s.size();
  const Size chunks = (len + 18) / 19;
  std::vector<limb64::Limb> w(chunks + 1, 0);
  Size n = 0;  // limbs in use
  Size pos = 0;
  for (Size k = 0; k < chunks; ++k) {
    const Size clen = k == 0 ? len - (chunks - 1) * 19 : 19;
    U64 carry = ParseChunk(s.data() + pos, clen);
    pos += clen;
    for (Size i = 0; i < n; ++i) {
      const bigraw::U128 t = static_cast<bigraw::U128>(w[i]) * kChunk19 + carry;
      w[i] = static_cast<U64>(t);
      carry = static_cast<U64>(t >> 64);
    }
    if (carry) w[n++] = carry;
  }
  const Size nd = std::max<Size>((64 * n + 30) / 31, 1);
  std::vector<Digit> cells(nd + 1);
  cells[0] = static_cast<Digit>(nd);
  bigraw::UnpackLimbs(cells.data() + 1, nd, w.data(), n);
  return cells;
}

}  // namespace

std::vector<Digit> DecimalDigitsToCells(std::string_view s) {
  // About 9.33 decimal digits per digit of base 2^31.
  const Size approx = s.size() * 10 / 93;
  if (approx < bigraw::gTuning.fromDecimalDivideConquer || s.size() < 19) return LeafToCells(s);
  // The low 9 2^k characters and the rest: value = high 10^(9 2^k) + low.
  Size k = 0;
  while ((Size{18} << k) < s.size()) ++k;
  const Size lowLen = Size{9} << k;  // < s.size() <= 2 lowLen
  std::vector<Digit> high = DecimalDigitsToCells(s.substr(0, s.size() - lowLen));
  std::vector<Digit> low = DecimalDigitsToCells(s.substr(s.size() - lowLen));
  // high 10^e + low = (high 5^e) 2^e + low.
  const std::vector<Digit>& five = ThePowers().Five(k);
  const Size e = lowLen, ed = e / 31, eb = e % 31;
  const Size nh = std::max<Size>(bigraw::Trim(high.data() + 1, high.size() - 1), 1);
  const Size nl = std::max<Size>(bigraw::Trim(low.data() + 1, low.size() - 1), 1);
  const Size pn = nh + five.size();
  std::vector<Digit> prod(pn);
  bigraw::Mul(prod.data(), high.data() + 1, nh, five.data(), five.size());
  const Size n = ed + pn + 2;
  std::vector<Digit> cells(n + 1, 0);
  cells[1 + ed + pn] = static_cast<Digit>(bigraw::LShift(cells.data() + 1 + ed, prod.data(), pn, static_cast<int>(eb)));
  bigraw::Add(cells.data() + 1, cells.data() + 1, n, low.data() + 1, std::min(nl, n));
  cells[0] = static_cast<Digit>(n);
  return cells;
}

std::string CellsToDecimalDigits(const Digit* a, Size n) {
  n = bigraw::Trim(a, n);
  if (n < bigraw::gTuning.toDecimalDivideConquer) {
    // The leaf method, ten characters a digit (2^31 < 10^10), then the
    // leading zeros dropped.
    if (n == 0) return "0";
    std::string s(10 * n, '0');
    BasecaseInto(a, n, s.data(), s.size());
    s.erase(0, s.find_first_not_of('0'));
    return s;
  }
  // The smallest k with 10^(9 2^(k+1)) > a: a = q 10^(9 2^k) + r, q shorter.
  Size k = 0;
  while (ThePowers().Ten(k + 1).size() <= n) ++k;
  bigraw::ScratchFrame f;
  const Parts p = DivideByPower(f, a, n, k);
  std::string s = CellsToDecimalDigits(p.q, p.qn);
  if (s == "0") s.clear();
  const Size head = s.size();
  s.resize(head + (Size{9} << k));
  EmitPadded(p.r, p.rn, k, s.data() + head);
  const Size nz = s.find_first_not_of('0');
  if (nz == std::string::npos) return "0";
  if (nz > 0) s.erase(0, nz);
  return s;
}

}  // namespace radix

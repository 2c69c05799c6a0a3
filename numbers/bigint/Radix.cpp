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

// 5^(9 2^k) for k = 0, 1, 2 ..., made by squaring and kept for the run:
// the input's halves are joined by a product with 5^e and a shift, as
// 10^e = 5^e 2^e.
class Powers {
public:
  // The power (no zero top digit).
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
  List five_;
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

constexpr U64 kChunk19 = 10000000000000000000u;  // 10^19

// w := w div 10^19, returning w mod 10^19, by multiplying with a
// precomputed reciprocal (Moller and Granlund's 2-by-1 division): 10^19 has
// its top bit set, and a product and a few additions are much shorter than
// a division instruction in the chain from one limb's remainder to the
// next.
U64 DivRemTen19(limb64::Limb* w, Size n) {
  constexpr U64 d = kChunk19;
  constexpr U64 v = static_cast<U64>(~bigraw::U128{0} / d);  // floor((B^2 - 1) / d) - B
  U64 r = 0;
  for (Size i = n; i-- > 0;) {
    const bigraw::U128 t = static_cast<bigraw::U128>(v) * r + ((static_cast<bigraw::U128>(r + 1) << 64) | w[i]);
    U64 q = static_cast<U64>(t >> 64);
    U64 rem = w[i] - q * d;
    if (rem > static_cast<U64>(t)) {
      --q;
      rem += d;
    }
    if (rem >= d) [[unlikely]] {
      ++q;
      rem -= d;
    }
    w[i] = q;
    r = rem;
  }
  return r;
}

// Writes exactly width decimal digits of the limbs w[0..nw-1], zero-padded
// on the left, dividing by 10^19 a piece; w is destroyed.
void LimbsBasecaseInto(limb64::Limb* w, Size nw, char* out, Size width) {
  nw = limb64::Trim(w, nw);
  char* p = out + width;
  while (p > out) {
    if (nw == 0) {  // the rest is leading zeros
      std::memset(out, '0', static_cast<Size>(p - out));
      break;
    }
    const U64 v = DivRemTen19(w, nw);
    nw -= w[nw - 1] == 0;
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

// Two leaves side by side: a = a div 10^19 and b = b div 10^19 (n limbs
// each), their remainders in ra and rb. The two chains are independent, so
// the processor runs them at once, at little more than the time of one.
void DivRemTen19Pair(limb64::Limb* a, limb64::Limb* b, Size n, U64& ra, U64& rb) {
  constexpr U64 d = kChunk19;
  constexpr U64 v = static_cast<U64>(~bigraw::U128{0} / d);
  U64 r1 = 0, r2 = 0;
  for (Size i = n; i-- > 0;) {
    const bigraw::U128 t1 = static_cast<bigraw::U128>(v) * r1 + ((static_cast<bigraw::U128>(r1 + 1) << 64) | a[i]);
    const bigraw::U128 t2 = static_cast<bigraw::U128>(v) * r2 + ((static_cast<bigraw::U128>(r2 + 1) << 64) | b[i]);
    U64 q1 = static_cast<U64>(t1 >> 64), q2 = static_cast<U64>(t2 >> 64);
    U64 m1 = a[i] - q1 * d, m2 = b[i] - q2 * d;
    if (m1 > static_cast<U64>(t1)) {
      --q1;
      m1 += d;
    }
    if (m2 > static_cast<U64>(t2)) {
      --q2;
      m2 += d;
    }
    if (m1 >= d) [[unlikely]] {
      ++q1;
      m1 -= d;
    }
    if (m2 >= d) [[unlikely]] {
      ++q2;
      m2 -= d;
    }
    a[i] = q1;
    b[i] = q2;
    r1 = m1;
    r2 = m2;
  }
  ra = r1;
  rb = r2;
}

// Exactly width (a multiple of 19) digits of each of x and y, both below
// 10^width, into outx and outy; x and y are destroyed.
void LimbsBasecasePair(const limb64::Limb* x, Size nx, const limb64::Limb* y, Size ny, char* outx, char* outy,
                       Size width) {
  Size n = std::max(nx, ny);
  limb64::ScratchFrame f;
  limb64::Limb* a = f.Alloc(2 * n + 2);
  limb64::Limb* b = a + n + 1;
  std::copy(x, x + nx, a);
  std::fill(a + nx, a + n + 1, limb64::Limb{0});
  std::copy(y, y + ny, b);
  std::fill(b + ny, b + n + 1, limb64::Limb{0});
  for (Size done = 0; done < width; done += 19) {
    while (n > 0 && a[n - 1] == 0 && b[n - 1] == 0) --n;
    if (n == 0) {  // the rest is leading zeros
      std::memset(outx, '0', width - done);
      std::memset(outy, '0', width - done);
      return;
    }
    U64 ra, rb;
    DivRemTen19Pair(a, b, n, ra, rb);
    Write19(outx + width - done - 19, ra);
    Write19(outy + width - done - 19, rb);
  }
}

// 5^(19 2^k) on limbs, k = 0, 1, 2 ..., made by squaring and kept for the
// run. Since 10^e = 5^e 2^e, dividing by 10^e is a shift and a division by
// 5^e, 14% fewer limbs. Beside each power, its reciprocal
// floor(B^(n + m) / 5^e) (n limbs in the power, m the most quotient limbs
// a split by it can have), so the long divisions become two products. A
// conversion takes the pointers it needs once, so its recursion never
// locks.
struct LimbPower {
  std::vector<limb64::Limb> power, inverse;
  Size m = 0;
};

class LimbPowers {
public:
  // Powers 0..k, with their limb counts (no zero top limb).
  void Get(Size k, const LimbPower** power) {
    std::lock_guard<std::mutex> lock(mutex_);
    while (list_.size() <= k) {
      auto next = std::make_unique<LimbPower>();
      if (list_.empty()) {
        next->power.assign(1, 19073486328125u);  // 5^19
      } else {
        const std::vector<limb64::Limb>& p = list_.back()->power;
        next->power.resize(2 * p.size());
        limb64::Sqr(next->power.data(), p.data(), p.size());
        next->power.resize(limb64::Trim(next->power.data(), next->power.size()));
      }
      // A split by 10^e has a quotient below 10^e: fewer than
      // e log2(10) / 64 + 1 limbs.
      const Size e = Size{19} << list_.size();
      next->m = e * 33220 / 640000 + 3;
      const Size n = next->power.size();
      std::vector<limb64::Limb> num(n + next->m + 1, 0);
      num.back() = 1;
      next->inverse.assign(next->m + 2, 0);
      limb64::DivRem(next->inverse.data(), nullptr, num.data(), num.size(), next->power.data(), n);
      next->inverse.resize(limb64::Trim(next->inverse.data(), next->inverse.size()));
      list_.push_back(std::move(next));
    }
    for (Size i = 0; i <= k; ++i) power[i] = list_[i].get();
  }

private:
  std::mutex mutex_;
  std::vector<std::unique_ptr<LimbPower>> list_;  // stable addresses
};

LimbPowers& TheLimbPowers() {
  static LimbPowers powers;
  return powers;
}

// q := h div d and r := h mod d for d = 5^e (fn limbs), h (ht >= fn limbs)
// below B^(fn - 1 + p.m): q gets ht - fn + 1 limbs, r fn limbs. With
// I = floor(B^(fn + m') / d) for m' = ht - fn + 1, the estimate
// floor(floor(h / B^(fn-1)) I / B^(m'+1)) is at most q and falls short of
// it by less than 2 + B^-1: one subtraction of d at most for these powers
// (a second would need a top limb of 1), the loop whatever the divisor.
void DivideByPower(limb64::Limb* q, limb64::Limb* r, const limb64::Limb* h, Size ht, const LimbPower& p) {
  const limb64::Limb* d = p.power.data();
  const Size fn = p.power.size();
  const Size qn = ht - fn + 1;
  // floor(I / B^(m - m')) is the reciprocal for m' = qn.
  const Size drop = p.m - qn;
  const limb64::Limb* inv = p.inverse.data() + drop;
  const Size invn = p.inverse.size() - drop;
  limb64::ScratchFrame f;
  limb64::Limb* t = f.Alloc(qn + invn);
  limb64::Mul(t, h + fn - 1, qn, inv, invn);
  const Size have = qn + invn - (qn + 1);
  std::copy(t + qn + 1, t + qn + 1 + std::min(have, qn), q);
  if (have < qn) std::fill(q + have, q + qn, limb64::Limb{0});
  // r = h - q d, below 3d < B^(fn+1): its low fn + 1 limbs.
  limb64::Limb* qd = f.Alloc(qn + fn);
  limb64::Mul(qd, q, qn, d, fn);
  limb64::Limb* w = f.Alloc(fn + 1);
  std::copy(h, h + fn, w);
  w[fn] = ht > fn ? h[fn] : 0;
  limb64::SubN(w, w, qd, fn + 1);
  while (w[fn] != 0 || limb64::CmpN(w, d, fn) >= 0) {
    w[fn] -= limb64::SubN(w, w, d, fn);
    limb64::Add1(q, q, qn, 1);
  }
  std::copy(w, w + fn, r);
}

constexpr Size kMaxLevels = 48;

struct LimbConversion {
  const LimbPower* power[kMaxLevels];
  Size leaf;  // limbs from which a piece is split

  // Exactly 19 2^k decimal digits of x < 10^(19 2^k) (x[0..n-1]; x is
  // destroyed).
  void Emit(limb64::Limb* x, Size n, Size k, char* out) const {
    const Size width = Size{19} << k;
    n = limb64::Trim(x, n);
    if (n == 0) {
      std::memset(out, '0', width);
      return;
    }
    if (k == 0 || n < leaf) {
      LimbsBasecaseInto(x, n, out, width);
      return;
    }
    // x = h 2^e + l (l < 2^e), h = q 5^e + s: x div 10^e = q and
    // x mod 10^e = s 2^e + l, for e = 19 2^(k-1).
    const Size e = width / 2, ed = e / 64;
    const int eb = static_cast<int>(e % 64);
    const LimbPower& pk = *power[k - 1];
    const limb64::Limb* five = pk.power.data();
    const Size fn = pk.power.size();
    limb64::ScratchFrame f;
    if (n <= ed) {  // x < 2^e <= 10^e: no high half
      std::memset(out, '0', e);
      Emit(x, n, k - 1, out + e);
      return;
    }
    const Size hn = n - ed;
    limb64::Limb* h = f.Alloc(hn);
    limb64::RShift(h, x + ed, hn, eb);
    const Size ht = limb64::Trim(h, hn);
    limb64::Limb* r = f.Alloc(ed + fn + 1);
    limb64::Limb* s = r + ed;  // s << eb, written from the low end up
    limb64::Limb* q = nullptr;
    Size qn = 0;
    limb64::Limb* rest = f.Alloc(fn);
    if (ht < fn || (ht == fn && limb64::CmpN(h, five, fn) < 0)) {
      std::copy(h, h + ht, rest);
      std::fill(rest + ht, rest + fn, limb64::Limb{0});
    } else {
      qn = ht - fn + 1;
      q = f.Alloc(qn);
      if (fn >= limb64::gTuning.div64DivideConquer && qn <= pk.m)
        DivideByPower(q, rest, h, ht, pk);
      else
        limb64::DivRem(q, rest, h, ht, five, fn);
    }
    if (eb) {
      s[fn] = limb64::LShift(s, rest, fn, eb);
    } else {
      std::copy(rest, rest + fn, s);
      s[fn] = 0;
    }
    std::copy(x, x + ed, r);
    if (eb) s[0] |= x[ed] & ((limb64::Limb{1} << eb) - 1);
    const Size rn = limb64::Trim(r, ed + fn + 1);
    if (q && (k == 1 || (qn < leaf && rn < leaf))) {
      LimbsBasecasePair(q, qn, r, rn, out, out + e, e);
      return;
    }
    if (q)
      Emit(q, qn, k - 1, out);
    else
      std::memset(out, '0', e);
    Emit(r, rn, k - 1, out + e);
  }
};

// The decimal text of the limbs w[0..nw-1] (nw > 0, w destroyed).
std::string LimbsToDecimal(limb64::Limb* w, Size nw, Size leaf) {
  nw = limb64::Trim(w, nw);
  if (nw == 0) return "0";
  // Digits: at most 64 nw log10(2) + 1 < 19.27 nw + 1; the smallest width
  // 19 2^k that holds them.
  const Size digits = nw * 1927 / 100 + 2;
  if (nw < leaf) {
    std::string s((digits + 18) / 19 * 19, '0');
    LimbsBasecaseInto(w, nw, s.data(), s.size());
    s.erase(0, s.find_first_not_of('0'));
    return s;
  }
  Size k = 0;
  while ((Size{19} << k) < digits) ++k;
  LimbConversion c;
  c.leaf = std::max<Size>(leaf, 2);
  if (k > 0) TheLimbPowers().Get(k - 1, c.power);
  std::string s(Size{19} << k, '0');
  c.Emit(w, nw, k, s.data());
  const Size nz = s.find_first_not_of('0');
  if (nz == std::string::npos) return "0";
  s.erase(0, nz);
  return s;
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
  if (n == 0) return "0";
  // Once on limbs, every step of the conversion stays there.
  bigraw::ScratchFrame f;
  const Size nw = bigraw::LimbsFor(n);
  limb64::Limb* w = f.Alloc(nw);
  bigraw::PackLimbs(w, a, n);
  return LimbsToDecimal(w, nw, bigraw::LimbsFor(bigraw::gTuning.toDecimalDivideConquer));
}

}  // namespace radix

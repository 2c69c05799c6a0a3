// TBigInt: the signed value layer over the raw digit arrays (BigIntRaw.h).
//
// Every routine reads its inputs through views, builds its result in a fresh
// cell vector and moves it into the result record at the very end, so a
// result may be the same object as an input. The sign flags follow the
// plain procedural methods exactly (-0 included); the magnitudes come from
// whatever raw method is fastest, since they are mathematically determined.
#include "numbers/bigint/BigInt.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "numbers/bigint/BigIntRaw.h"
#include "numbers/bigint/Radix.h"

using bigraw::Digit;
using bigraw::Size;
using bigraw::U64;

namespace {

const Digit kZeroDigit = 0;

// The magnitude of a record: its digits and their count. A record without
// cells (moved from) reads as zero; a count that disagrees with the array is
// clamped to it, so nothing reads past the cells.
struct View {
  const Digit* d;
  Size n;
};

View Mag(const TBigInt& a) {
  const Size size = a.Cells.size();
  if (size < 2) return {&kZeroDigit, 1};
  Size n = static_cast<std::uint32_t>(a.Cells[0]);
  if (n < 1 || n > size - 1) n = size - 1;
  return {a.Cells.data() + 1, n};
}

bool MagIsZero(View v) { return v.n == 1 && v.d[0] == 0; }

// A cell vector (count in cell 0) holding the digits of v.
std::vector<Digit> CellsOf(View v) {
  std::vector<Digit> cells(v.n + 1);
  cells[0] = static_cast<Digit>(v.n);
  std::memcpy(cells.data() + 1, v.d, v.n * sizeof(Digit));
  return cells;
}

bool Minus(const TBigInt& a) { return a.SignFlag == 0; }

// A cell vector with room for n digits (cells 1..n), all zero.
std::vector<Digit> NewCells(Size n) { return std::vector<Digit>(n + 1, 0); }

// Drops zero top digits (keeping one), sizes the vector and stores the count.
void Finish(std::vector<Digit>& cells) {
  Size n = cells.size() - 1;
  while (n > 1 && cells[n] == 0) --n;
  if (n == 0) {
    cells.assign({1, 0});
    return;
  }
  cells.resize(n + 1);
  cells[0] = static_cast<Digit>(n);
}

void Store(TBigInt& result, std::vector<Digit>&& cells, bool minus) {
  Finish(cells);
  result.Cells = std::move(cells);
  result.SignFlag = minus ? 0 : 1;
}

// In-place helpers for the records the in-place primitives change: make the
// record's cell array agree with its (clamped) count.
void Canonical(TBigInt& a) {
  View v = Mag(a);
  if (a.Cells.size() < 2) {
    a.Cells.assign({1, 0});
    return;
  }
  a.Cells.resize(v.n + 1);
  a.Cells[0] = static_cast<Digit>(v.n);
}

// |a| + |b| and |a| - |b| (|a| >= |b|) into fresh cells.
std::vector<Digit> AddMag(View a, View b) {
  if (a.n < b.n) std::swap(a, b);
  std::vector<Digit> cells = NewCells(a.n + 1);
  cells[a.n + 1] = static_cast<Digit>(bigraw::Add(cells.data() + 1, a.d, a.n, b.d, b.n));
  return cells;
}

std::vector<Digit> SubMag(View a, View b) {
  std::vector<Digit> cells = NewCells(a.n);
  bigraw::Sub(cells.data() + 1, a.d, a.n, b.d, b.n);
  return cells;
}

int CmpMag(View a, View b) { return bigraw::Cmp(a.d, a.n, b.d, b.n); }

// |a| * |b| into fresh cells.
std::vector<Digit> MulMag(View a, View b) {
  std::vector<Digit> cells = NewCells(a.n + b.n);
  bigraw::Mul(cells.data() + 1, a.d, a.n, b.d, b.n);
  return cells;
}

std::vector<Digit> SqrMag(View a) {
  std::vector<Digit> cells = NewCells(2 * a.n);
  bigraw::Sqr(cells.data() + 1, a.d, a.n);
  return cells;
}

// The division core on magnitudes: q := |a| div |b|, r := |a| mod |b|.
// Either output may be null. |b| must not be zero.
void DivModMag(View a, View b, std::vector<Digit>* q, std::vector<Digit>* r) {
  if (MagIsZero(b)) throw EDivByZero();
  if (CmpMag(a, b) < 0) {
    if (q) *q = NewCells(1);
    if (r) *r = CellsOf(a);
    return;
  }
  std::vector<Digit> qc, rc;
  if (q) qc = NewCells(a.n - b.n + 1);
  if (r) rc = NewCells(b.n);
  bigraw::DivRem(q ? qc.data() + 1 : nullptr, r ? rc.data() + 1 : nullptr, a.d, a.n, b.d, b.n);
  if (q) *q = std::move(qc);
  if (r) *r = std::move(rc);
}

// The Euclidean sign rules for quotient and remainder of a by b.
// qc, rc hold the magnitudes of the truncated quotient and remainder.
void DivSigns(const TBigInt& a, const TBigInt& b, std::vector<Digit>* qc, std::vector<Digit>* rc,
              bool& qminus) {
  // rc is always computed here (the adjustment needs it).
  View bm = Mag(b);
  Finish(*rc);
  const bool rzero = rc->size() == 2 && (*rc)[1] == 0;
  if (!Minus(a)) {
    qminus = Minus(b);
    return;
  }
  if (!rzero) {
    if (qc) {
      Finish(*qc);
      std::vector<Digit> q1 = NewCells(qc->size());
      q1[qc->size()] = static_cast<Digit>(bigraw::Add1(q1.data() + 1, qc->data() + 1, qc->size() - 1, 1));
      *qc = std::move(q1);
    }
    View rv{rc->data() + 1, rc->size() - 1};
    *rc = SubMag(bm, rv);
  }
  qminus = !Minus(b);
}

}  // namespace

// ---- Text conversion and primitives -------------------------------------

void DecimalToBigInt(const std::string& text, TBigInt& result) {
  if (text.empty()) {  // our choice: an empty text is zero, plus
    result.Cells.assign({1, 0});
    result.SignFlag = 1;
    return;
  }
  std::string_view s(text);
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  // Step 2: leading junk.
  while (s.size() > 1 && s[0] != '-' && !isDigit(s[0])) s.remove_prefix(1);
  // Step 3: sign.
  bool minus = false;
  if (!s.empty() && s[0] == '-') {
    minus = true;
    s.remove_prefix(1);
  }
  // Step 4: leading zeros.
  while (s.size() >= 2 && s[0] == '0') s.remove_prefix(1);
  // Steps 5 and 6: chunks of nine from the right. Our choice for chunks the
  // platform's conversion would read although they are not digit runs
  // ("+12", " 12", "$1F", "-5"): only runs of decimal digits are integers.
  if (s.empty()) throw EConvertError::NotInteger(std::string());
  {
    Size end = s.size();
    while (end > 0) {
      Size start = end > 9 ? end - 9 : 0;
      for (Size i = start; i < end; ++i)
        if (!isDigit(s[i])) throw EConvertError::NotInteger(std::string(s.substr(start, end - start)));
      end = start;
    }
  }
  std::vector<Digit> cells = radix::DecimalDigitsToCells(s);
  Store(result, std::move(cells), minus);
}

std::string BigIntToDecimal(const TBigInt& a) {
  View v = Mag(a);
  if (!Minus(a)) return radix::CellsToDecimalDigits(v.d, v.n);
  std::string s = "-";
  s += radix::CellsToDecimalDigits(v.d, v.n);
  return s;
}

void BinaryToBigInt(const std::string& text, TBigInt& result) {
  std::string_view s(text);
  while (s.size() > 1 && s[0] == '0') s.remove_prefix(1);
  const Size len = s.size();
  const Size c = len == 0 ? 1 : (len + 30) / 31;  // our choice: empty is zero
  std::vector<Digit> cells = NewCells(c);
  for (Size k = 0; k < len; ++k)
    if (s[len - 1 - k] == '1') cells[k / 31 + 1] |= Digit{1} << (k % 31);
  Store(result, std::move(cells), false);  // any character but '1' is a 0 bit
}

std::string BigIntToBinary(const TBigInt& a) {
  View v = Mag(a);
  std::string s;
  s.reserve(v.n * 31);
  for (Size i = v.n; i-- > 0;)
    for (int bit = 30; bit >= 0; --bit) s.push_back(((v.d[i] >> bit) & 1) ? '1' : '0');
  Size first = s.find('1');
  if (first == std::string::npos) return "0";
  return s.substr(first);
}

void CopyBigInt(const TBigInt& source, TBigInt& destination) {
  if (&source == &destination) {
    Canonical(destination);
    return;
  }
  destination.Cells = CellsOf(Mag(source));
  destination.SignFlag = source.SignFlag;
}

void BigIntRelease(TBigInt& a) {
  a.Cells.assign({1, 0});
  a.Cells.shrink_to_fit();
}

void NegateBigInt(TBigInt& a) { a.SignFlag = a.SignFlag == 0 ? 1 : 0; }

void MakePositiveBigInt(TBigInt& a) { a.SignFlag = 1; }

TBigIntOrder BigIntCompareMagnitude(const TBigInt& a, const TBigInt& b) {
  int c = CmpMag(Mag(a), Mag(b));
  return c > 0 ? foGreater : c < 0 ? foLess : foEqual;
}

bool IsOddBigInt(const TBigInt& a) { return (Mag(a).d[0] & 1) != 0; }

std::int64_t DivideBySmallBigInt(TBigInt& a, std::int64_t d) {
  if (d == 0) throw EDivByZero();
  if (d < 0 || d > (std::int64_t{1} << 32))
    throw std::invalid_argument("DivideBySmallBigInt: divisor outside 1..2^32");
  Canonical(a);
  Size n = a.Cells.size() - 1;
  U64 r = bigraw::DivRem1(a.Cells.data() + 1, a.Cells.data() + 1, n, static_cast<U64>(d));
  Finish(a.Cells);
  return static_cast<std::int64_t>(r);
}

void HalveBigInt(TBigInt& a) {
  Canonical(a);
  bigraw::RShift(a.Cells.data() + 1, a.Cells.data() + 1, a.Cells.size() - 1, 1);
  Finish(a.Cells);
}

void ShiftUpDigitBigInt(TBigInt& a) {
  Canonical(a);
  if (a.Cells.size() == 2 && a.Cells[1] == 0) return;  // our choice: 0 stays 0
  a.Cells.insert(a.Cells.begin() + 1, 0);
  a.Cells[0] = static_cast<Digit>(a.Cells.size() - 1);
}

void ShiftDownDigitBigInt(TBigInt& a) {
  Canonical(a);
  if (a.Cells.size() <= 2) {
    a.Cells[1] = 0;
    return;
  }
  a.Cells.erase(a.Cells.begin() + 1);
  a.Cells[0] = static_cast<Digit>(a.Cells.size() - 1);
}

// ---- Addition, subtraction, multiplication, powers -----------------------

namespace {

// a + b where b's flag is taken as bminus.
void SignedAdd(const TBigInt& a, bool aminus, const TBigInt& b, bool bminus, TBigInt& result) {
  View av = Mag(a), bv = Mag(b);
  if (aminus == bminus) {
    Store(result, AddMag(av, bv), aminus);
    return;
  }
  // Unlike signs: the larger magnitude gives the flag; equal ones give a's.
  if (CmpMag(bv, av) > 0)
    Store(result, SubMag(bv, av), bminus);
  else
    Store(result, SubMag(av, bv), aminus);
}

}  // namespace

void AddBigInt(const TBigInt& a, const TBigInt& b, TBigInt& result) {
  SignedAdd(a, Minus(a), b, Minus(b), result);
}

void SubtractBigInt(const TBigInt& a, const TBigInt& b, TBigInt& result) {
  // NegateBigInt(b); AddBigInt(a, b); NegateBigInt(b): b's flag reversed.
  SignedAdd(a, Minus(a), b, !Minus(b), result);
}

void SubtractMagnitudeBigInt(TBigInt& a, const TBigInt& b) {
  View bv = Mag(b);
  std::vector<Digit> cells;
  {
    View av = Mag(a);
    if (CmpMag(av, bv) < 0) throw std::invalid_argument("SubtractMagnitudeBigInt: |a| < |b|");
    cells = SubMag(av, bv);
  }
  Finish(cells);
  a.Cells = std::move(cells);
}

void MultiplyBySmallBigInt(TBigInt& a, std::int64_t m) {
  if (m < 0 || m > static_cast<std::int64_t>(bigraw::kMask))
    throw std::invalid_argument("MultiplyBySmallBigInt: factor outside 0..2^31-1");
  Canonical(a);
  Size n = a.Cells.size() - 1;
  a.Cells.push_back(0);
  a.Cells[n + 1] = static_cast<Digit>(bigraw::Mul1(a.Cells.data() + 1, a.Cells.data() + 1, n, static_cast<U64>(m)));
  Finish(a.Cells);
}

void MultiplyBigInt(const TBigInt& a, const TBigInt& b, TBigInt& result) {
  const bool minus = Minus(a) != Minus(b);
  Store(result, MulMag(Mag(a), Mag(b)), minus);
}

void SquareBigInt(const TBigInt& a, TBigInt& result) { Store(result, SqrMag(Mag(a)), false); }

void PowerBigInt(const TBigInt& a, const TBigInt& e, TBigInt& result) {
  // The flag of the plain right-to-left method: a's flag when |e| is odd,
  // plus otherwise (a^0 = 1 for every a). The magnitude |a|^|e| is computed
  // left to right, which multiplies by the (usually short) base.
  View ev = Mag(e);
  const bool minus = (ev.d[0] & 1) != 0 && Minus(a);
  View av = Mag(a);
  if (MagIsZero(ev)) {
    Store(result, std::vector<Digit>{1, 1}, false);
    return;
  }
  if (MagIsZero(av) || (av.n == 1 && av.d[0] == 1)) {
    std::vector<Digit> cells{1, av.d[0]};
    Store(result, std::move(cells), minus);
    return;
  }
  // |a| >= 2: |e| must be small for the result to fit in memory at all.
  const std::int64_t ebits = BigIntBitLength(e);
  if (ebits > 62) throw std::length_error("PowerBigInt: result too large");
  U64 ex = 0;
  for (Size i = ev.n; i-- > 0;) ex = (ex << 31) | static_cast<U64>(ev.d[i]);
  // A power of two: a shift.
  const Size atrim = av.n;
  bool pow2 = (av.d[atrim - 1] & (av.d[atrim - 1] - 1)) == 0;
  for (Size i = 0; pow2 && i + 1 < atrim; ++i) pow2 = av.d[i] == 0;
  if (pow2) {
    U64 k = static_cast<U64>(BigIntBitLength(a) - 1);
    if (ex > (U64{1} << 40) / k) throw std::length_error("PowerBigInt: result too large");
    U64 bit = k * ex;
    std::vector<Digit> cells = NewCells(bit / 31 + 1);
    cells[bit / 31 + 1] = Digit{1} << (bit % 31);
    Store(result, std::move(cells), minus);
    return;
  }
  std::vector<Digit> acc = CellsOf(av);
  for (int bit = static_cast<int>(ebits) - 2; bit >= 0; --bit) {
    View cv{acc.data() + 1, acc.size() - 1};
    std::vector<Digit> sq = SqrMag(cv);
    Finish(sq);
    if ((ex >> bit) & 1) {
      View sv{sq.data() + 1, sq.size() - 1};
      sq = MulMag(sv, av);
      Finish(sq);
    }
    acc = std::move(sq);
  }
  Store(result, std::move(acc), minus);
}

// ---- Division, remainder and gcd -----------------------------------------

void DivModBigInt(const TBigInt& a, const TBigInt& b, TBigInt& quotient, TBigInt& remainder) {
  std::vector<Digit> q, r;
  DivModMag(Mag(a), Mag(b), &q, &r);
  bool qminus = false;
  DivSigns(a, b, &q, &r, qminus);
  // Both stores come last: quotient or remainder may alias a or b.
  Store(quotient, std::move(q), qminus);
  Store(remainder, std::move(r), false);
}

void DivideBigInt(const TBigInt& a, const TBigInt& b, TBigInt& quotient) {
  std::vector<Digit> q, r;
  DivModMag(Mag(a), Mag(b), &q, &r);
  bool qminus = false;
  DivSigns(a, b, &q, &r, qminus);
  Store(quotient, std::move(q), qminus);
}

void ModuloBigInt(const TBigInt& a, const TBigInt& m, TBigInt& result) {
  std::vector<Digit> r;
  DivModMag(Mag(a), Mag(m), nullptr, &r);
  bool qminus = false;
  DivSigns(a, m, nullptr, &r, qminus);
  Store(result, std::move(r), false);
}

void SquareModBigInt(const TBigInt& a, const TBigInt& m, TBigInt& result) {
  if (MagIsZero(Mag(m))) throw EDivByZero();
  TBigInt t;
  SquareBigInt(a, t);
  ModuloBigInt(t, m, result);
}

void MultiplyModBigInt(const TBigInt& a, const TBigInt& b, const TBigInt& m, TBigInt& result) {
  if (MagIsZero(Mag(m))) throw EDivByZero();
  TBigInt t;
  MultiplyBigInt(a, b, t);
  ModuloBigInt(t, m, result);
}

void GcdBigInt(const TBigInt& a, const TBigInt& b, TBigInt& result) {
  // Euclid's chain a, b, remainders: the result is a copy of its last
  // non-zero member with that member's flag. So: equal magnitudes give a copy
  // of a; otherwise with |x| > |y| (exchanged as the plain method does), y = 0 gives
  // x, x mod y = 0 gives y, and any longer chain ends on a remainder (plus).
  int c = CmpMag(Mag(a), Mag(b));
  if (c == 0) {
    CopyBigInt(a, result);
    return;
  }
  const TBigInt& x = c > 0 ? a : b;
  const TBigInt& y = c > 0 ? b : a;
  if (MagIsZero(Mag(y))) {
    CopyBigInt(x, result);
    return;
  }
  std::vector<Digit> r;
  DivModMag(Mag(x), Mag(y), nullptr, &r);
  Finish(r);
  if (r.size() == 2 && r[1] == 0) {
    CopyBigInt(y, result);
    return;
  }
  // Continue on magnitudes: gcd(|y|, r).
  std::vector<Digit> u = CellsOf(Mag(y));
  std::vector<Digit> v = std::move(r);
  while (!(v.size() == 2 && v[1] == 0)) {
    std::vector<Digit> t;
    DivModMag(View{u.data() + 1, u.size() - 1}, View{v.data() + 1, v.size() - 1}, nullptr, &t);
    Finish(t);
    u = std::move(v);
    v = std::move(t);
  }
  Store(result, std::move(u), false);
}

bool ModInverseBigInt(const TBigInt& a, const TBigInt& m, TBigInt& result) {
  TBigInt g;
  GcdBigInt(a, m, g);
  // "The gcd does not equal 1": the value 1 itself (a gcd of -1 is not 1).
  if (!(g.SignFlag == 1 && Mag(g).n == 1 && Mag(g).d[0] == 1)) return false;
  if (MagIsZero(Mag(a))) {
    // gcd(0, m) = 1 means |m| = 1: every residue is 0 (the loop would divide
    // by zero).
    result = TBigInt();
    return true;
  }
  TBigInt x, y, r, s, q, rem, t, u;
  CopyBigInt(m, x);
  CopyBigInt(a, y);
  s = BigIntFromInt64(1);
  do {
    DivModBigInt(x, y, q, rem);
    x = std::move(y);
    y = rem;
    MultiplyBigInt(s, q, t);
    SubtractBigInt(r, t, u);
    r = std::move(s);
    s = std::move(u);
  } while (!rem.IsZero());
  if (r.IsNegative()) AddBigInt(m, r, r);
  result = std::move(r);
  return true;
}

// ---- Conveniences ---------------------------------------------------------

TBigInt BigIntFromInt64(std::int64_t v) {
  TBigInt r;
  U64 mag = v < 0 ? U64{0} - static_cast<U64>(v) : static_cast<U64>(v);
  std::vector<Digit> cells = NewCells(3);
  for (int i = 1; i <= 3; ++i) {
    cells[i] = static_cast<Digit>(mag & bigraw::kMask);
    mag >>= 31;
  }
  Store(r, std::move(cells), v < 0);
  return r;
}

TBigInt BigIntFromDecimal(const std::string& text) {
  TBigInt r;
  DecimalToBigInt(text, r);
  return r;
}

bool BigIntToInt64(const TBigInt& a, std::int64_t& out) {
  View v = Mag(a);
  if (v.n > 3) return false;
  U64 mag = 0;
  for (Size i = v.n; i-- > 0;) {
    if (mag >> 33) return false;
    mag = (mag << 31) | static_cast<U64>(v.d[i]);
  }
  if (Minus(a)) {
    if (mag > (U64{1} << 63)) return false;
    out = static_cast<std::int64_t>(U64{0} - mag);
  } else {
    if (mag >= (U64{1} << 63)) return false;
    out = static_cast<std::int64_t>(mag);
  }
  return true;
}

std::int64_t BigIntBitLength(const TBigInt& a) {
  View v = Mag(a);
  Size n = bigraw::Trim(v.d, v.n);
  if (n == 0) return 0;
  U64 top = static_cast<U64>(v.d[n - 1]);
  return static_cast<std::int64_t>((n - 1) * 31 + (64 - __builtin_clzll(top)));
}

#include "numbers/LucasLehmer.h"

#include <stdexcept>

#include "numbers/BigIntRaw.h"
#include "numbers/Radix.h"

namespace {

using bigraw::Digit;
using bigraw::Size;

// The running residue modulo M = 2^p - 1 on raw digit arrays, with all the
// room the loop needs allocated once.
class TMersenneResidue {
public:
  explicit TMersenneResidue(std::int32_t p)
      : p_(p),
        l_(static_cast<Size>((p + 30) / 31)),
        topBits_(p - 31 * (static_cast<int>(l_) - 1)),
        s_(l_, 0),
        sq_(2 * l_, 0),
        high_(l_, 0) {
    s_[0] = 4;
  }

  void Set(const TBigInt& value) {
    // value in 0..M-1
    bigraw::Zero(s_.data(), l_);
    for (std::int32_t i = 1; i <= value.Count() && static_cast<Size>(i) <= l_; ++i)
      s_[static_cast<Size>(i) - 1] = value.Cells[static_cast<Size>(i)];
  }

  void Get(TBigInt& result) const {
    const Size n = bigraw::Trim(s_.data(), l_);
    result.SignFlag = 1;
    result.Cells.assign(n + 1 > 1 ? n + 1 : 2, 0);
    result.Cells[0] = static_cast<std::int64_t>(n > 0 ? n : 1);
    for (Size i = 0; i < n; ++i) result.Cells[i + 1] = s_[i];
  }

  std::string Decimal() const {
    const Size n = bigraw::Trim(s_.data(), l_);
    if (n == 0) return "0";
    return radix::CellsToDecimalDigits(s_.data(), n);
  }

  bool IsZero() const { return bigraw::Trim(s_.data(), l_) == 0; }

  // s := (s^2 - 2) mod M.
  void Step() {
    const Size n = bigraw::Trim(s_.data(), l_);
    if (n == 0) {
      bigraw::Zero(s_.data(), l_);
    } else {
      bigraw::Sqr(sq_.data(), s_.data(), n);
      bigraw::Zero(sq_.data() + 2 * n, 2 * (l_ - n));
      // s^2 = high * 2^p + low  =>  s^2 = high + low (mod M).
      const Size off = static_cast<Size>(p_ / 31);
      const int sh = p_ % 31;
      const Size total = 2 * l_;
      for (Size i = 0; i < l_; ++i) {
        const Size j = i + off;
        bigraw::U64 v = j < total ? static_cast<bigraw::U64>(sq_[j]) >> sh : 0;
        if (sh != 0 && j + 1 < total) v |= static_cast<bigraw::U64>(sq_[j + 1]) << (31 - sh);
        high_[i] = static_cast<Digit>(v & bigraw::kMask);
      }
      bigraw::Copy(s_.data(), sq_.data(), l_);
      MaskTop();
      bigraw::U64 carry = bigraw::AddN(s_.data(), s_.data(), high_.data(), l_);
      while (Fold(carry, carry)) {
      }
      if (IsModulus()) bigraw::Zero(s_.data(), l_);
    }
    // minus 2, the non-negative residue: 0 gives M - 2, 1 gives M - 1.
    if (l_ == 1 ? s_[0] >= 2 : (s_[0] >= 2 || bigraw::Trim(s_.data() + 1, l_ - 1) > 0)) {
      bigraw::Sub1(s_.data(), s_.data(), l_, 2);
    } else {
      const Digit low = s_[0];
      for (Size i = 0; i + 1 < l_; ++i) s_[i] = static_cast<Digit>(bigraw::kMask);
      s_[l_ - 1] = TopMask();
      s_[0] -= 2 - low;
    }
  }

private:
  Digit TopMask() const { return static_cast<Digit>((bigraw::U64{1} << topBits_) - 1); }
  void MaskTop() { s_[l_ - 1] &= TopMask(); }
  // The bits at and above position p (plus a carry out of the top digit) are
  // moved down and added: x = x div 2^p + x mod 2^p (mod M).
  // Returns false when nothing was left to fold; carryOut receives the carry
  // out of the top digit of the addition.
  bool Fold(bigraw::U64 carry, bigraw::U64& carryOut) {
    bigraw::U64 top = static_cast<bigraw::U64>(s_[l_ - 1]) >> topBits_;
    top |= carry << (31 - topBits_);
    if (top == 0) return false;
    MaskTop();
    carryOut = bigraw::Add1(s_.data(), s_.data(), l_, top);
    return true;
  }
  bool IsModulus() const {
    for (Size i = 0; i + 1 < l_; ++i)
      if (s_[i] != static_cast<Digit>(bigraw::kMask)) return false;
    return s_[l_ - 1] == TopMask();
  }

  std::int32_t p_;
  Size l_;
  int topBits_;  // bits of M in its top digit, 1..31
  std::vector<Digit> s_, sq_, high_;
};

void Report(TProgress* progress, std::int64_t done, std::int64_t total) {
  if (!progress) return;
  progress->CheckCancelled();
  if ((done & 15) == 0 || done == total)
    progress->Report(total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0,
                     "Iteration " + std::to_string(done) + " of " + std::to_string(total));
}

}  // namespace

bool LucasLehmerTest(std::int32_t p, TProgress* progress) {
  if (p == 2) return true;
  if (p < 3) return false;
  TMersenneResidue s(p);
  const std::int64_t total = static_cast<std::int64_t>(p) - 2;
  for (std::int64_t i = 1; i <= total; ++i) {
    s.Step();
    Report(progress, i, total);
  }
  return s.IsZero();
}

bool LucasLehmerCertified(std::int32_t p, TCertificateSink& sink, TProgress* progress) {
  sink.Clear();
  if (p == 2) return true;
  if (p < 3) return false;
  TMersenneResidue s(p);
  const std::int64_t total = static_cast<std::int64_t>(p) - 2;
  for (std::int64_t i = 1; i <= total; ++i) {
    s.Step();
    sink.Append(std::to_string(i + 2), s.Decimal());
    Report(progress, i, total);
  }
  return s.IsZero();
}

bool LucasLehmerTestPlain(std::int32_t p) {
  if (p == 2) return true;
  TBigInt s = BigIntFromInt64(4);
  TBigInt two, exponent, power, m, sq, t;
  DecimalToBigInt("2", two);
  DecimalToBigInt(std::to_string(p), exponent);
  PowerBigInt(two, exponent, power);
  SubtractBigInt(power, BigIntFromInt64(1), m);
  for (std::int64_t i = 1; i <= static_cast<std::int64_t>(p) - 2; ++i) {
    SquareBigInt(s, sq);
    SubtractBigInt(sq, two, t);
    ModuloBigInt(t, m, s);
  }
  return s.IsZero();
}

void LucasLehmerAdvance(std::int32_t p, TBigInt& s, std::int64_t iterations, TProgress* progress) {
  if (p < 3) throw std::invalid_argument("LucasLehmerAdvance needs p >= 3");
  TBigInt m, r;
  PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(p), m);
  SubtractBigInt(m, BigIntFromInt64(1), r);
  m = r;
  if (s.IsNegative() || BigIntCompareMagnitude(s, m) != foLess) {
    ModuloBigInt(s, m, r);
    s = r;
  }
  TMersenneResidue residue(p);
  residue.Set(s);
  for (std::int64_t i = 1; i <= iterations; ++i) {
    residue.Step();
    Report(progress, i, iterations);
  }
  residue.Get(s);
}

TBigInt LucasLehmerResidue(std::int32_t p, std::int64_t iteration, TProgress* progress) {
  TBigInt s = BigIntFromInt64(4);
  LucasLehmerAdvance(p, s, iteration, progress);
  return s;
}

#include "numbers/mersenne/MersenneResidue.h"

#include "numbers/bigint/Radix.h"

using bigraw::Digit;
using bigraw::Size;

TMersenneResidue::TMersenneResidue(std::int32_t p)
    : p_(p),
      l_(static_cast<Size>((p + 30) / 31)),
      topBits_(p - 31 * (static_cast<int>(l_) - 1)),
      s_(l_, 0),
      sq_(2 * l_, 0),
      high_(l_, 0) {
  s_[0] = 4;
}

void TMersenneResidue::Set(const TBigInt& value) {
  // value in 0..M-1
  bigraw::Zero(s_.data(), l_);
  for (std::int32_t i = 1; i <= value.Count() && static_cast<Size>(i) <= l_; ++i)
    s_[static_cast<Size>(i) - 1] = value.Cells[static_cast<Size>(i)];
}

void TMersenneResidue::Get(TBigInt& result) const {
  const Size n = bigraw::Trim(s_.data(), l_);
  result.SignFlag = 1;
  result.Cells.assign(n + 1 > 1 ? n + 1 : 2, 0);
  result.Cells[0] = static_cast<std::int64_t>(n > 0 ? n : 1);
  for (Size i = 0; i < n; ++i) result.Cells[i + 1] = s_[i];
}

std::string TMersenneResidue::Decimal() const {
  const Size n = bigraw::Trim(s_.data(), l_);
  if (n == 0) return "0";
  return radix::CellsToDecimalDigits(s_.data(), n);
}

void TMersenneResidue::Step() {
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

bool TMersenneResidue::Fold(bigraw::U64 carry, bigraw::U64& carryOut) {
  bigraw::U64 top = static_cast<bigraw::U64>(s_[l_ - 1]) >> topBits_;
  top |= carry << (31 - topBits_);
  if (top == 0) return false;
  MaskTop();
  carryOut = bigraw::Add1(s_.data(), s_.data(), l_, top);
  return true;
}

bool TMersenneResidue::IsModulus() const {
  for (Size i = 0; i + 1 < l_; ++i)
    if (s_[i] != static_cast<Digit>(bigraw::kMask)) return false;
  return s_[l_ - 1] == TopMask();
}

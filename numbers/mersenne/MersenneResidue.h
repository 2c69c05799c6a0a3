// The exact Lucas-Lehmer step on a residue modulo M = 2^p - 1: the square by
// the raw digit layer, reduced by shifts and additions (the same remainder
// as a long division), then 2 subtracted. All the room the loop needs is
// allocated once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/bigint/BigIntRaw.h"

class TMersenneResidue {
public:
  // s = 4; p >= 3.
  explicit TMersenneResidue(std::int32_t p);

  // value in 0..M-1.
  void Set(const TBigInt& value);
  void Get(TBigInt& result) const;
  std::string Decimal() const;
  bool IsZero() const { return bigraw::Trim(s_.data(), l_) == 0; }

  // s := (s^2 - 2) mod M, the non-negative residue.
  void Step();

private:
  bigraw::Digit TopMask() const { return static_cast<bigraw::Digit>((bigraw::U64{1} << topBits_) - 1); }
  void MaskTop() { s_[l_ - 1] &= TopMask(); }
  bool Fold(bigraw::U64 carry, bigraw::U64& carryOut);
  bool IsModulus() const;

  std::int32_t p_;
  bigraw::Size l_;
  int topBits_;  // bits of M in its top digit, 1..31
  std::vector<bigraw::Digit> s_, sq_, high_;
};

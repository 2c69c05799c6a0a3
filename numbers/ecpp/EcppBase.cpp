#include "numbers/ecpp/EcppBase.h"

namespace ecpp {

int Compare(const Big& a, const Big& b) {
  const bool an = a.IsNegative() && !a.IsZero();
  const bool bn = b.IsNegative() && !b.IsZero();
  if (an != bn) return an ? -1 : 1;
  const TBigIntOrder o = BigIntCompareMagnitude(a, b);
  const int m = o == foEqual ? 0 : (o == foGreater ? 1 : -1);
  return an ? -m : m;
}

bool IsOne(const Big& a) { return !a.IsNegative() && a.Count() == 1 && a.Digit(1) == 1; }

Big Isqrt(const Big& n) {
  if (n.IsZero()) return FromInt(0);
  // Newton from above: x0 = 2^ceil(bits/2) >= sqrt(n); decreases to the floor.
  Big x = ShiftLeft(FromInt(1), (Bits(n) + 1) / 2);
  for (;;) {
    Big y = Add(x, Div(n, x));
    HalveBigInt(y);
    if (Compare(y, x) >= 0) return x;
    x = y;
  }
}

Big ShiftLeft(const Big& a, std::int64_t bits) {
  Big r = a;
  const std::int64_t digits = bits / 31;
  if (!r.IsZero() && digits > 0) {
    r.Cells.insert(r.Cells.begin() + 1, static_cast<std::size_t>(digits), 0);
    r.Cells[0] += digits;
  }
  const std::int64_t rest = bits % 31;
  if (rest) MultiplyBySmallBigInt(r, std::int64_t{1} << rest);
  return r;
}

Big ShiftRight(const Big& a, std::int64_t bits) {
  Big r = a;
  const std::int64_t digits = bits / 31;
  if (digits > 0) {
    if (digits >= r.Count()) {
      const std::uint8_t flag = r.SignFlag;
      r = Big();
      r.SignFlag = flag;
      return r;
    }
    r.Cells.erase(r.Cells.begin() + 1, r.Cells.begin() + 1 + digits);
    r.Cells[0] -= digits;
  }
  const std::int64_t rest = bits % 31;
  if (rest) DivideBySmallBigInt(r, std::int64_t{1} << rest);
  return r;
}

bool AboveHasseBound(const Big& q, const Big& n) {
  const Big r = Sub(Isqrt(q), FromInt(1));
  if (Compare(r, FromInt(0)) <= 0) return false;
  const Big r2 = Mul(r, r);
  return Compare(Mul(r2, r2), n) > 0;
}

bool ToUint64(const Big& a, std::uint64_t& out) {
  if (a.IsNegative() && !a.IsZero()) return false;
  if (Bits(a) > 64) return false;
  out = 0;
  for (int i = a.Count(); i >= 1; --i) out = (out << 31) | static_cast<std::uint64_t>(a.Digit(i));
  return true;
}

}  // namespace ecpp

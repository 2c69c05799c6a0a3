#include "numbers/mersenne/MersenneText.h"

#include <cctype>
#include <cstdint>

namespace {

// 2^e as a TBigInt, built directly (the same value as PowerBigInt(2, e)).
TBigInt PowerOfTwo(std::int64_t e) {
  TBigInt r;
  const std::int64_t digits = e / 31 + 1;
  r.Cells.assign(static_cast<std::size_t>(digits) + 1, 0);
  r.Cells[0] = digits;
  r.Cells[static_cast<std::size_t>(digits)] = std::int64_t{1} << (e % 31);
  r.SignFlag = 1;
  return r;
}

bool IsTwo(const TBigInt& b) { return b.SignFlag == 1 && b.Count() == 1 && b.Digit(1) == 2; }

std::string Correction(const TBigInt& d) {
  if (d.IsZero()) return std::string();
  std::string text = d.SignFlag == 1 ? std::string(1, '+') : std::string();
  text += BigIntToDecimal(d);
  return text;
}

// The run of decimal digits that starts at position pos (possibly empty).
std::string DigitRun(const std::string& t, std::size_t pos) {
  std::size_t end = pos;
  while (end < t.size() && std::isdigit(static_cast<unsigned char>(t[end]))) ++end;
  return t.substr(pos, end - pos);
}

TBigInt ReadExpression(const std::string& text, char letter, std::int64_t limit, bool fermat) {
  std::string t = text;
  for (char& c : t) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::size_t at = t.find(letter);
  if (at == std::string::npos) return BigIntFromInt64(0);
  TBigInt e;
  DecimalToBigInt(DigitRun(t, at + 1), e);  // an empty run gives 0
  if (BigIntCompareMagnitude(e, BigIntFromInt64(limit)) == foGreater) return BigIntFromInt64(0);
  std::int64_t exponent = 0;
  BigIntToInt64(e, exponent);
  TBigInt result, r;
  if (fermat) {
    AddBigInt(PowerOfTwo(std::int64_t{1} << exponent), BigIntFromInt64(1), result);
  } else {
    SubtractBigInt(PowerOfTwo(exponent), BigIntFromInt64(1), result);
  }
  TBigInt a;
  if (const std::size_t plus = t.find('+'); plus != std::string::npos) {
    DecimalToBigInt(DigitRun(t, plus + 1), a);
    AddBigInt(result, a, r);
    result = r;
  }
  if (const std::size_t minus = t.find('-'); minus != std::string::npos) {
    DecimalToBigInt(DigitRun(t, minus + 1), a);
    SubtractBigInt(result, a, r);
    result = r;
  }
  return result;
}

}  // namespace

TBigInt IntegerLogBigInt(const TBigInt& a, const TBigInt& b) {
  if (IsTwo(b)) {
    if (!a.IsNegative() || a.IsZero()) {
      const std::int64_t bits = BigIntBitLength(a);
      return BigIntFromInt64(bits > 0 ? bits - 1 : 0);
    }
    // Negative a: floor halvings of a reach -1 after ceil(log2 |a|) steps,
    // the bit length of |a| - 1.
    TBigInt m, t;
    CopyBigInt(a, m);
    MakePositiveBigInt(m);
    SubtractBigInt(m, BigIntFromInt64(1), t);
    return BigIntFromInt64(BigIntBitLength(t));
  }
  std::int64_t count = 0;
  TBigInt x, q, r;
  CopyBigInt(a, x);
  while (BigIntCompareMagnitude(x, b) != foLess) {
    DivModBigInt(x, b, q, r);
    x = q;
    ++count;
  }
  return BigIntFromInt64(count);
}

std::string BigIntToMersenneText(const TBigInt& n) {
  TBigInt m, d, d1;
  AddBigInt(n, BigIntFromInt64(1), m);
  std::int64_t e = 0;
  BigIntToInt64(IntegerLogBigInt(m, BigIntFromInt64(2)), e);
  SubtractBigInt(m, PowerOfTwo(e), d);
  SubtractBigInt(m, PowerOfTwo(e + 1), d1);
  if (BigIntCompareMagnitude(d, d1) == foGreater) {
    ++e;
    d = d1;
  }
  std::string text(1, 'M');
  text += std::to_string(e);
  text += Correction(d);
  return text;
}

std::string BigIntToFermatText(const TBigInt& n) {
  TBigInt a, d, d1;
  SubtractBigInt(n, BigIntFromInt64(1), a);
  const TBigInt two = BigIntFromInt64(2);
  std::int64_t e = 0;
  BigIntToInt64(IntegerLogBigInt(IntegerLogBigInt(a, two), two), e);
  SubtractBigInt(a, PowerOfTwo(std::int64_t{1} << e), d);
  SubtractBigInt(a, PowerOfTwo(std::int64_t{1} << (e + 1)), d1);
  if (BigIntCompareMagnitude(d, d1) == foGreater) {
    ++e;
    d = d1;
  }
  std::string text(1, 'F');
  text += std::to_string(e);
  text += Correction(d);
  return text;
}

TBigInt MersenneTextToBigInt(const std::string& text) { return ReadExpression(text, 'M', 99999, false); }

TBigInt FermatTextToBigInt(const std::string& text) { return ReadExpression(text, 'F', 20, true); }

#include "tools/Modulo.h"

#include <algorithm>
#include <optional>

#include "numbers/text/NumberText.h"

const char* const kModuloBadExpression =
    "The expression may hold only digits and the operators ^ * + - (form: a * b^c + d).";
const char* const kModuloEmptyExpression = "Please, type an expression of the form a * b^c + d.";

namespace {

constexpr std::int64_t kChunk = 150;

// The factor field's reading, and the chunk count's: a signed 64-bit
// integer, or the conversion error of the whole text.
std::int64_t Int64OfText(const std::string& text) {
  const std::optional<std::int64_t> v = ReadInt64Text(text);
  if (!v) throw EConvertError::NotInteger(text);
  return *v;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The chunk count q = e div 150 and the rest r = e - 150 q. q travels through
// its decimal text into a signed 64-bit integer, so too large a q is the
// conversion error of that text.
void SplitExponent(const TBigInt& e, std::int64_t& q, TBigInt& r) {
  TBigInt qBig;
  const TBigInt chunk = BigIntFromInt64(kChunk);
  DivideBigInt(e, chunk, qBig);
  q = Int64OfText(BigIntToDecimal(qBig));
  TBigInt t;
  MultiplyBigInt(chunk, qBig, t);
  SubtractBigInt(e, t, r);
}

TBigInt Residue(const TBigInt& x, const TBigInt& m) {
  TBigInt r;
  ModuloBigInt(x, m, r);
  return r;
}

// base^e mod m by left-to-right square-and-multiply over the bits of e >= 0;
// base is already reduced.
TBigInt PowerModBits(const TBigInt& base, std::uint64_t e, const TBigInt& m) {
  TBigInt acc = Residue(BigIntFromInt64(1), m);
  for (int bit = 63; bit >= 0; --bit) {
    SquareModBigInt(acc, m, acc);
    if ((e >> bit) & 1U) MultiplyModBigInt(acc, base, m, acc);
  }
  return acc;
}


}  // namespace

bool IsModuloExpressionText(const std::string& expression) {
  return std::all_of(expression.begin(), expression.end(), [](char c) {
    return IsDigit(c) || c == '^' || c == '*' || c == '+' || c == '-' || c == ' ' || c == '\t';
  });
}

TBigInt PowerModChunked(const TBigInt& b, const TBigInt& e, const TBigInt& m) {
  std::int64_t q = 0;
  TBigInt r;
  SplitExponent(e, q, r);
  TBigInt acc = BigIntFromInt64(1);
  TBigInt t;
  if (q > 0) {
    PowerBigInt(b, BigIntFromInt64(kChunk), t);
    const TBigInt p = Residue(t, m);
    for (std::int64_t i = 0; i < q; ++i) MultiplyModBigInt(acc, p, m, acc);
  }
  if (!r.IsZero()) {
    PowerBigInt(b, r, t);
    MultiplyBigInt(acc, Residue(t, m), acc);
  }
  return Residue(acc, m);
}

TBigInt PowerModFast(const TBigInt& b, const TBigInt& e, const TBigInt& m) {
  std::int64_t q = 0;
  TBigInt r;
  SplitExponent(e, q, r);
  const TBigInt base = Residue(b, m);
  TBigInt acc = Residue(BigIntFromInt64(1), m);
  if (q > 0) {
    const TBigInt p = PowerModBits(base, kChunk, m);
    acc = PowerModBits(p, static_cast<std::uint64_t>(q), m);
  }
  std::int64_t rest = 0;
  BigIntToInt64(r, rest);  // 0 <= r < 150
  if (rest > 0) MultiplyModBigInt(acc, PowerModBits(base, static_cast<std::uint64_t>(rest), m), m, acc);
  return Residue(acc, m);
}

std::string ReduceExpression(const std::string& expression, const TBigInt& m) {
  std::string s;
  for (char c : expression)
    if (c != ' ' && c != '\t') s += c;

  for (char op : {'^', '*', '+', '-'}) {
    for (;;) {
      const std::size_t p = s.find(op);
      if (p == std::string::npos) break;
      std::size_t begin = p;
      while (begin > 0 && IsDigit(s[begin - 1])) --begin;
      std::size_t end = p + 1;
      while (end < s.size() && IsDigit(s[end])) ++end;
      // A minus with nothing before it is the sign of an earlier result.
      if (op == '-' && begin == p) break;
      TBigInt a, b, value;
      DecimalToBigInt(s.substr(begin, p - begin), a);
      DecimalToBigInt(s.substr(p + 1, end - p - 1), b);
      switch (op) {
        case '^': value = PowerModFast(a, b, m); break;
        case '*': MultiplyBigInt(Residue(a, m), Residue(b, m), value); break;
        case '+': AddBigInt(Residue(a, m), Residue(b, m), value); break;
        default: SubtractBigInt(Residue(a, m), Residue(b, m), value); break;
      }
      s.replace(begin, end - begin, BigIntToDecimal(value));
    }
  }
  TBigInt v;
  DecimalToBigInt(s, v);
  return BigIntToDecimal(Residue(v, m));
}

TModuloRun RunModulo(const std::string& expression, const std::string& factorText, int count,
                     TProgress* progress) {
  TModuloRun run;
  try {
    run.startFactor = Int64OfText(factorText);
  } catch (const EConvertError& e) {
    run.error = e.what();
    return run;
  }
  run.factorRead = true;
  if (run.startFactor <= 0) return run;
  if (!IsModuloExpressionText(expression)) {
    run.message = kModuloBadExpression;
    return run;
  }
  if (std::all_of(expression.begin(), expression.end(), [](char c) { return c == ' ' || c == '\t'; })) {
    run.message = kModuloEmptyExpression;
    return run;
  }
  run.computed = true;
  count = std::max(count, 0);
  // The factors run on as big integers: start + count may pass 2^63 - 1.
  TBigInt m = BigIntFromInt64(run.startFactor);
  const TBigInt one = BigIntFromInt64(1);
  try {
    for (int i = 0; i <= count; ++i) {
      CheckCancelled(progress);
      ReportProgress(progress, static_cast<double>(i) / (count + 1));
      run.lines.push_back(ReduceExpression(expression, m));
      AddBigInt(m, one, m);
    }
  } catch (const EConvertError& e) {
    run.error = e.what();
  }
  return run;
}

std::string ModuloLineDisplay(const std::string& line, std::int64_t startFactor, std::size_t index) {
  TBigInt factor;
  AddBigInt(BigIntFromInt64(startFactor), BigIntFromInt64(static_cast<std::int64_t>(index)), factor);
  return "=" + line + "(Mod " + BigIntToDecimal(factor) + ")";
}

std::string ModuloTrackBarLabel(int further) {
  if (further == 0) return "Only this factor";
  return "Include the next " + std::to_string(further) + " divisors";
}

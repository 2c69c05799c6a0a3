// The Super Calculator and the Convertor on any text. The calculator's two
// operands (the text's first line and the rest) must give GMP's sum,
// difference, product and greatest common factor whenever both are runs of
// digits; the Convertor's rows must agree with the number routines, refuse
// a source above their limit with their message, and never fail otherwise.
// Input: a byte (operation, row, boxes), then the text.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "numbers/mersenne/MersenneText.h"
#include "tools/Calculator.h"
#include "tools/Convertor.h"

using namespace fuzz;

namespace {

// The value of an operand when it is plain: leading junk, an optional
// minus, digits; empty reads 0.
bool PlainValue(const std::string& text, Mpz& v) {
  std::size_t i = 0;
  while (i + 1 < text.size() && text[i] != '-' && !IsDigit(text[i])) ++i;
  std::string rest = text.substr(i);
  const bool minus = !rest.empty() && rest[0] == '-';
  if (minus) rest.erase(0, 1);
  if (rest.empty()) {
    if (minus || !text.empty()) return false;
    v = Mpz(0);
    return true;
  }
  for (char c : rest)
    if (!IsDigit(c)) return false;
  v = MpzFromDigits(rest);
  if (minus) mpz_neg(v.get(), v.get());
  return true;
}

// The Fermat index a source names, as the reader takes it (0 without F).
unsigned long FermatIndex(const std::string& text) {
  std::string t = text;
  for (char& c : t)
    if (c == 'f') c = 'F';
  const std::size_t p = t.find('F');
  if (p == std::string::npos) return 0;
  unsigned long e = 0;
  for (std::size_t i = p + 1; i < t.size() && IsDigit(t[i]) && e < 1000; ++i) e = e * 10 + (t[i] - '0');
  return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 3000) return 0;
  TInput in(data, size);
  const std::uint8_t how = in.U8();
  const std::string text = in.RestText();

  // The calculator.
  {
    const std::size_t nl = text.find('\n');
    const std::string a = text.substr(0, nl);
    const std::string b = nl == std::string::npos ? std::string() : text.substr(nl + 1);
    const TCalcOperation ops[] = {TCalcOperation::Gcf, TCalcOperation::Add, TCalcOperation::Subtract,
                                  TCalcOperation::Multiply};
    const TCalcOperation op = ops[how % 4];
    Mpz va, vb;
    const bool plain = PlainValue(a, va) && PlainValue(b, vb);
    std::string got;
    bool refused = false;
    try {
      got = Calculate(op, a, b);
    } catch (const EConvertError&) {
      refused = true;
    }
    FUZZ_CHECK(!(plain && refused), "plain operands refused");
    if (plain) {
      Mpz want;
      switch (op) {
        case TCalcOperation::Gcf: mpz_gcd(want.get(), va.get(), vb.get()); break;
        case TCalcOperation::Add: mpz_add(want.get(), va.get(), vb.get()); break;
        case TCalcOperation::Subtract: mpz_sub(want.get(), va.get(), vb.get()); break;
        case TCalcOperation::Multiply: mpz_mul(want.get(), va.get(), vb.get()); break;
      }
      std::string w = want.Str();
      if (op == TCalcOperation::Gcf && !got.empty() && got[0] == '-') got.erase(0, 1);
      FUZZ_CHECK(got == w, "calculated " << got.substr(0, 60) << " want " << w.substr(0, 60));
    }
  }

  // The Convertor.
  const TConvertRow rows[] = {TConvertRow::Integer, TConvertRow::Mersenne, TConvertRow::Fermat};
  const TConvertRow from = rows[(how >> 2) % 3];
  if (from == TConvertRow::Fermat && FermatIndex(text) > 16 && FermatIndex(text) <= 20) return 0;  // slow, not new
  TConvertBoxes boxes;
  boxes.integer = how & 0x10;
  boxes.mersenne = how & 0x20;
  boxes.fermat = how & 0x40;
  TConvertResult r;
  try {
    r = Convert(from, text, boxes);
  } catch (const EConvertError&) {
    FUZZ_CHECK(from == TConvertRow::Integer, "only decimal text is refused");
    return 0;
  }
  if (Utf8Length(text) > ConvertLimit(from)) {
    FUZZ_CHECK(r.message == ConvertLimitMessage(from) && r.integer.empty() && r.mersenne.empty() &&
                   r.fermat.empty(),
               "over the limit");
    return 0;
  }
  FUZZ_CHECK(r.message.empty(), "message " << r.message);
  TBigInt n;
  switch (from) {
    case TConvertRow::Integer: DecimalToBigInt(text, n); break;
    case TConvertRow::Mersenne: n = MersenneTextToBigInt(text); break;
    case TConvertRow::Fermat: n = FermatTextToBigInt(text); break;
  }
  const bool wantInteger = boxes.integer && from != TConvertRow::Integer;
  const bool wantMersenne = boxes.mersenne && from != TConvertRow::Mersenne;
  const bool wantFermat = boxes.fermat && from != TConvertRow::Fermat;
  FUZZ_CHECK(r.integer == (wantInteger ? BigIntToDecimal(n) : std::string()), "integer row");
  FUZZ_CHECK(r.mersenne == (wantMersenne ? BigIntToMersenneText(n) : std::string()), "Mersenne row " << r.mersenne);
  FUZZ_CHECK(r.fermat == (wantFermat ? BigIntToFermatText(n) : std::string()), "Fermat row " << r.fermat);
  return 0;
}

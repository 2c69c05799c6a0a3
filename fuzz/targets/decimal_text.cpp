// DecimalToBigInt on any text, BigIntToDecimal on what it reads. A text of
// decimal digits (after the skipped leading junk and an optional minus) must
// give GMP's value; anything else may be refused with the conversion error
// or read as some value, but must not fail otherwise.
#include <string>

#include "fuzz/FuzzSupport.h"

using namespace fuzz;

namespace {

// The rules of the reader: leading characters that are neither a minus nor
// a digit are skipped while more than one is left; then a minus; the rest
// are the digits.
struct TExpected {
  bool digitsOnly = false;
  bool minus = false;
  std::string digits;
};

TExpected Expect(const std::string& text) {
  TExpected e;
  std::size_t i = 0;
  while (i + 1 < text.size() && text[i] != '-' && !IsDigit(text[i])) ++i;
  std::string rest = text.substr(i);
  if (!rest.empty() && rest[0] == '-') {
    e.minus = true;
    rest.erase(0, 1);
  }
  e.digits = rest;
  e.digitsOnly = !rest.empty();
  for (char c : rest)
    if (!IsDigit(c)) e.digitsOnly = false;
  return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 40000) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const TExpected want = Expect(text);

  TBigInt r;
  try {
    DecimalToBigInt(text, r);
  } catch (const EConvertError& e) {
    const std::string m = e.what();
    FUZZ_CHECK(!want.digitsOnly, "a run of digits refused: " << m);
    // A NUL in the chunk ends the C string of the message there.
    if (text.find('\0') == std::string::npos)
      FUZZ_CHECK(m.size() >= 2 && m[0] == '\'' && m.find("' is not a valid integer value") != std::string::npos,
                 "message " << m);
    else
      FUZZ_CHECK(!m.empty() && m[0] == '\'', "message " << m);
    return 0;
  }
  FUZZ_CHECK_NORMAL(r);
  if (text.empty()) FUZZ_CHECK(r.IsZero() && r.SignFlag == 1, "empty text");
  if (want.digitsOnly) {
    Mpz v = MpzFromDigits(want.digits);
    if (want.minus) mpz_neg(v.get(), v.get());
    FUZZ_CHECK_VALUE(r, v);
    FUZZ_CHECK(r.SignFlag == (want.minus ? 0 : 1), "flag " << int(r.SignFlag));
  }

  // Written back: canonical digits, "-" for the minus flag (also on zero),
  // and read again to the same value and flag.
  const std::string out = BigIntToDecimal(r);
  Mpz mag = ToMpz(r);
  mpz_abs(mag.get(), mag.get());
  std::string want_out = r.SignFlag == 0 ? "-" : "";
  want_out += mag.Str();
  FUZZ_CHECK(out == want_out, "written " << out.substr(0, 80) << " want " << want_out.substr(0, 80));
  TBigInt back;
  DecimalToBigInt(out, back);
  FUZZ_CHECK(back.SignFlag == r.SignFlag && back.Cells == r.Cells, "read back differs");
  return 0;
}

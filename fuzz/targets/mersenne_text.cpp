// The Mersenne and Fermat expressions both ways. The readers get the input
// as text and are checked against a model of their rules on GMP values; the
// writers get the input's bytes as a number, their choice of exponent is
// checked and their text must read back to the number.
#include <algorithm>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "numbers/mersenne/MersenneText.h"

using namespace fuzz;

namespace {

std::string DigitsAfter(const std::string& t, std::size_t p) {
  std::size_t end = p;
  while (end < t.size() && IsDigit(t[end])) ++end;
  return t.substr(p, end - p);
}

// letter M: 2^e - 1 (e <= 99999); letter F: 2^(2^e) + 1 (e <= 20); then the
// first "+" and the first "-" of the whole text add and subtract their runs.
Mpz ReadModel(const std::string& text, char letter) {
  std::string t = text;
  for (char& c : t)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  Mpz r;
  const std::size_t p = t.find(letter);
  if (p == std::string::npos) return r;
  const Mpz e = MpzFromDigits(DigitsAfter(t, p + 1));
  const unsigned long limit = letter == 'M' ? 99999 : 20;
  if (mpz_cmp_ui(e.get(), limit) > 0) return r;
  const unsigned long ev = mpz_get_ui(e.get());
  if (letter == 'M') {
    mpz_setbit(r.get(), ev);
    mpz_sub_ui(r.get(), r.get(), 1);
  } else {
    mpz_setbit(r.get(), 1UL << ev);
    mpz_add_ui(r.get(), r.get(), 1);
  }
  const std::size_t plus = t.find('+');
  if (plus != std::string::npos) mpz_add(r.get(), r.get(), MpzFromDigits(DigitsAfter(t, plus + 1)).get());
  const std::size_t minus = t.find('-');
  if (minus != std::string::npos) mpz_sub(r.get(), r.get(), MpzFromDigits(DigitsAfter(t, minus + 1)).get());
  return r;
}

// floor(log2 x) for x >= 1, 0 for 0, the smallest c with 2^c >= |x| for x < 0.
unsigned long Log2(const Mpz& x) {
  if (x.Sign() == 0) return 0;
  if (x.Sign() > 0) return mpz_sizeinbase(x.get(), 2) - 1;
  Mpz m;
  mpz_neg(m.get(), x.get());
  if (mpz_cmp_ui(m.get(), 1) == 0) return 0;
  mpz_sub_ui(m.get(), m.get(), 1);
  return mpz_sizeinbase(m.get(), 2);
}

std::string Correction(const Mpz& d) {
  if (d.Sign() == 0) return "";
  std::string s = d.Sign() > 0 ? "+" : "";
  s += d.Str();
  return s;
}

// m - 2^x for the exponent and the next one; the smaller magnitude wins,
// the lower exponent on a tie.
void Choose(const Mpz& m, unsigned long e, bool fermat, unsigned long& chosen, Mpz& d) {
  Mpz p0, p1, d1;
  mpz_setbit(p0.get(), fermat ? 1UL << e : e);
  mpz_setbit(p1.get(), fermat ? 1UL << (e + 1) : e + 1);
  mpz_sub(d.get(), m.get(), p0.get());
  mpz_sub(d1.get(), m.get(), p1.get());
  chosen = e;
  if (mpz_cmpabs(d.get(), d1.get()) > 0) {
    chosen = e + 1;
    d = d1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 600) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);

  TBigInt m = MersenneTextToBigInt(text);
  FUZZ_CHECK_VALUE(m, ReadModel(text, 'M'));
  TBigInt f = FermatTextToBigInt(text);
  FUZZ_CHECK_VALUE(f, ReadModel(text, 'F'));

  // The bytes as a number, the first byte's low bit its sign.
  const std::vector<std::uint8_t> bytes(data, data + std::min<std::size_t>(size, 300));
  const TBigInt n = BigFromBytes(bytes, !bytes.empty() && (bytes[0] & 1));
  const Mpz mn = ToMpz(n);

  {
    Mpz m1;
    mpz_add_ui(m1.get(), mn.get(), 1);
    unsigned long e = 0;
    Mpz d;
    Choose(m1, Log2(m1), false, e, d);
    std::string want = "M";
    want += std::to_string(e);
    want += Correction(d);
    const std::string got = BigIntToMersenneText(n);
    FUZZ_CHECK(got == want, "Mersenne text " << got << " want " << want);
    FUZZ_CHECK_VALUE(MersenneTextToBigInt(got), mn);
  }
  {
    Mpz a;
    mpz_sub_ui(a.get(), mn.get(), 1);
    const unsigned long e0 = Log2(Mpz(static_cast<long>(Log2(a))));
    unsigned long e = 0;
    Mpz d;
    Choose(a, e0, true, e, d);
    std::string want = "F";
    want += std::to_string(e);
    want += Correction(d);
    const std::string got = BigIntToFermatText(n);
    FUZZ_CHECK(got == want, "Fermat text " << got << " want " << want);
    if (e <= 20) FUZZ_CHECK_VALUE(FermatTextToBigInt(got), mn);
  }

  // IntegerLogBigInt with a small base of either sign: Euclidean quotients
  // until the magnitude falls below |b|.
  if (size >= 2) {
    long base = 2 + data[1] % 60;
    if (data[1] & 0x80) base = -base;
    Mpz x = mn, q, r;
    const Mpz mb(base);
    Mpz absb;
    mpz_abs(absb.get(), mb.get());
    unsigned long count = 0;
    while (mpz_cmpabs(x.get(), absb.get()) >= 0) {
      mpz_mod(r.get(), x.get(), absb.get());
      mpz_sub(q.get(), x.get(), r.get());
      mpz_divexact(x.get(), q.get(), mb.get());
      ++count;
    }
    const TBigInt got = IntegerLogBigInt(n, BigIntFromInt64(base));
    FUZZ_CHECK_VALUE(got, Mpz(static_cast<long>(count)));
  }
  return 0;
}

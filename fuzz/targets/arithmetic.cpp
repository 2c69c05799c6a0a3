// The signed arithmetic of TBigInt on two operands of up to some twenty
// thousand digits, against GMP: sum, difference, product, square, small
// power, Euclidean division, remainder, gcd, inverse, comparison and the
// in-place primitives, each result also in normal form. The sizes reach
// every method the product and the division choose by length.
#include <string>

#include "fuzz/FuzzSupport.h"

using namespace fuzz;

namespace {

Mpz Abs(const Mpz& a) {
  Mpz r;
  mpz_abs(r.get(), a.get());
  return r;
}

TBigIntOrder Order(const Mpz& a, const Mpz& b) {
  const int c = mpz_cmpabs(a.get(), b.get());
  return c > 0 ? foGreater : c < 0 ? foLess : foEqual;
}

void CheckDivision(const TBigInt& a, const TBigInt& b, const Mpz& ma, const Mpz& mb) {
  // Euclidean: a = q b + r with 0 <= r < |b|.
  Mpz r, q;
  mpz_mod(r.get(), ma.get(), mb.get());
  mpz_sub(q.get(), ma.get(), r.get());
  mpz_divexact(q.get(), q.get(), mb.get());

  TBigInt bq, br;
  DivModBigInt(a, b, bq, br);
  FUZZ_CHECK_VALUE(bq, q);
  FUZZ_CHECK_VALUE(br, r);
  FUZZ_CHECK(br.SignFlag == 1, "remainder flag");
  // The quotient is plus exactly when the flags agree, zero included.
  FUZZ_CHECK(bq.SignFlag == (a.SignFlag == b.SignFlag ? 1 : 0), "quotient flag " << int(bq.SignFlag));

  TBigInt q2, m2;
  DivideBigInt(a, b, q2);
  FUZZ_CHECK(q2.Cells == bq.Cells && q2.SignFlag == bq.SignFlag, "DivideBigInt differs from DivModBigInt");
  ModuloBigInt(a, b, m2);
  FUZZ_CHECK_VALUE(m2, r);
  FUZZ_CHECK(m2.SignFlag == 1, "ModuloBigInt flag");

  // The same, into a result that is also an operand.
  TBigInt alias = a;
  ModuloBigInt(alias, b, alias);
  FUZZ_CHECK_VALUE(alias, r);

  // The inputs are restored.
  FUZZ_CHECK(ToMpz(a) == ma && ToMpz(b) == mb, "division changed an input");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 40000) return 0;
  TInput in(data, size);
  const std::uint8_t flags = in.U8();
  const std::uint8_t split = in.U8();
  const std::uint8_t small = in.U8();
  const std::size_t left = in.Left();
  const std::size_t lenA = left * split / 255;
  const TBigInt a = BigFromBytes(in.Bytes(lenA), flags & 1);
  const TBigInt b = BigFromBytes(in.Rest(), flags & 2);
  const Mpz ma = ToMpz(a), mb = ToMpz(b);

  TBigInt r;
  Mpz want;

  // Sum: like flags keep theirs; unlike flags take the larger magnitude's,
  // and equal magnitudes give zero with the first operand's flag.
  AddBigInt(a, b, r);
  mpz_add(want.get(), ma.get(), mb.get());
  FUZZ_CHECK_VALUE(r, want);
  if (a.SignFlag == b.SignFlag)
    FUZZ_CHECK(r.SignFlag == a.SignFlag, "sum flag, like signs");
  else if (Order(ma, mb) == foEqual)
    FUZZ_CHECK(r.SignFlag == a.SignFlag, "sum flag, equal magnitudes");

  // Difference: a + (-b), b unchanged.
  SubtractBigInt(a, b, r);
  mpz_sub(want.get(), ma.get(), mb.get());
  FUZZ_CHECK_VALUE(r, want);
  FUZZ_CHECK(ToMpz(b) == mb && b.SignFlag == (flags & 2 ? 0 : 1), "subtraction changed b");
  if (a.SignFlag != b.SignFlag) FUZZ_CHECK(r.SignFlag == a.SignFlag, "difference flag, unlike signs");

  MultiplyBigInt(a, b, r);
  mpz_mul(want.get(), ma.get(), mb.get());
  FUZZ_CHECK_VALUE(r, want);

  SquareBigInt(a, r);
  mpz_mul(want.get(), ma.get(), ma.get());
  FUZZ_CHECK_VALUE(r, want);
  FUZZ_CHECK(r.SignFlag == 1, "square flag");

  // Results that are also operands.
  TBigInt alias = a;
  MultiplyBigInt(alias, b, alias);
  mpz_mul(want.get(), ma.get(), mb.get());
  FUZZ_CHECK_VALUE(alias, want);
  alias = b;
  AddBigInt(a, alias, alias);
  mpz_add(want.get(), ma.get(), mb.get());
  FUZZ_CHECK_VALUE(alias, want);

  FUZZ_CHECK(BigIntCompareMagnitude(a, b) == Order(ma, mb), "comparison");
  FUZZ_CHECK(IsOddBigInt(a) == (mpz_odd_p(ma.get()) != 0), "odd test");

  // A small power, kept below some 200000 bits.
  const unsigned long bitsA = mpz_sizeinbase(ma.get(), 2);
  unsigned long e = small % 64;
  while (e > 1 && bitsA * e > 200000) e /= 2;
  PowerBigInt(a, BigIntFromInt64(flags & 4 ? -static_cast<long>(e) : static_cast<long>(e)), r);
  mpz_pow_ui(want.get(), ma.get(), e);
  FUZZ_CHECK_VALUE(r, want);

  if (!b.IsZero()) {
    CheckDivision(a, b, ma, mb);
    CheckDivision(b, b, mb, mb);
  }
  if (!a.IsZero()) CheckDivision(b, a, mb, ma);

  // Division by zero is refused, not looped on.
  {
    bool refused = false;
    TBigInt q, rem;
    try {
      DivModBigInt(a, BigIntFromInt64(0), q, rem);
    } catch (const EDivByZero&) {
      refused = true;
    }
    FUZZ_CHECK(refused, "zero divisor accepted");
  }

  // Euclid takes a division per step: the gcd and the inverse get the
  // shorter operands only.
  const unsigned long bitsB = mpz_sizeinbase(mb.get(), 2);
  if (bitsA <= 12000 && bitsB <= 12000) {
    GcdBigInt(a, b, r);
    mpz_gcd(want.get(), ma.get(), mb.get());
    FUZZ_CHECK_NORMAL(r);
    FUZZ_CHECK(Abs(ToMpz(r)) == want, "gcd " << ToMpz(r).Str() << " want " << want.Str());
  }

  // Inverse of a modulo |b| when b is above 1.
  if (mpz_cmpabs_ui(mb.get(), 1) > 0 && bitsA <= 3000 && bitsB <= 3000) {
    TBigInt m = b;
    MakePositiveBigInt(m);
    TBigInt inv = BigIntFromInt64(12345);
    const bool has = ModInverseBigInt(a, m, inv);
    Mpz wantInv;
    const bool gmpHas = mpz_invert(wantInv.get(), ma.get(), Abs(mb).get()) != 0;
    // The inverse is written when the gcd, as GcdBigInt gives it, is 1 by
    // value: the gcd of -1 and m keeps the minus flag of -1, so -1 has none.
    TBigInt g;
    GcdBigInt(a, m, g);
    const bool gcdOne = g.SignFlag == 1 && ToMpz(g) == Mpz(1);
    FUZZ_CHECK(has == (gmpHas && gcdOne), "inverse exists " << has << ", gcd " << ToMpz(g).Str());
    if (has)
      FUZZ_CHECK_VALUE(inv, wantInv);
    else
      FUZZ_CHECK(inv.Cells == BigIntFromInt64(12345).Cells, "result touched without an inverse");
  }

  // In-place primitives on a copy of a.
  {
    const std::int64_t d = 1 + (static_cast<std::int64_t>(small) * 16843009LL) % 4294967296LL;
    TBigInt x = a;
    const std::int64_t rem = DivideBySmallBigInt(x, d);
    Mpz mag = Abs(ma), q, rr;
    mpz_tdiv_qr_ui(q.get(), rr.get(), mag.get(), static_cast<unsigned long>(d));
    FUZZ_CHECK_NORMAL(x);
    FUZZ_CHECK(Abs(ToMpz(x)) == q && rem == static_cast<std::int64_t>(mpz_get_ui(rr.get())),
               "divide by " << d);
    FUZZ_CHECK(x.SignFlag == a.SignFlag, "divide by small changed the flag");

    x = a;
    HalveBigInt(x);
    mpz_tdiv_q_2exp(q.get(), mag.get(), 1);
    FUZZ_CHECK_NORMAL(x);
    FUZZ_CHECK(Abs(ToMpz(x)) == q, "halve");

    x = a;
    ShiftDownDigitBigInt(x);
    mpz_tdiv_q_2exp(q.get(), mag.get(), 31);
    FUZZ_CHECK_NORMAL(x);
    FUZZ_CHECK(Abs(ToMpz(x)) == q, "shift down");

    if (!a.IsZero()) {
      x = a;
      ShiftUpDigitBigInt(x);
      mpz_mul_2exp(q.get(), mag.get(), 31);
      FUZZ_CHECK_NORMAL(x);
      FUZZ_CHECK(Abs(ToMpz(x)) == q, "shift up");
    }

    const std::int64_t f = 1 + (static_cast<std::int64_t>(small) * 8421505LL) % 2147483647LL;
    x = a;
    MultiplyBySmallBigInt(x, f);
    mpz_mul_ui(q.get(), mag.get(), static_cast<unsigned long>(f));
    FUZZ_CHECK_NORMAL(x);
    FUZZ_CHECK(Abs(ToMpz(x)) == q, "multiply by " << f);

    if (Order(ma, mb) != foLess) {
      x = a;
      SubtractMagnitudeBigInt(x, b);
      mpz_sub(q.get(), mag.get(), Abs(mb).get());
      FUZZ_CHECK_NORMAL(x);
      FUZZ_CHECK(Abs(ToMpz(x)) == q && x.SignFlag == a.SignFlag, "subtract magnitude");
    }
  }

  // Decimal text both ways on the shorter operand.
  if (mpz_sizeinbase(ma.get(), 10) < 12000) {
    const std::string s = BigIntToDecimal(a);
    std::string w = a.SignFlag == 0 ? "-" : "";
    w += Abs(ma).Str();
    FUZZ_CHECK(s == w, "decimal text");
    TBigInt back;
    DecimalToBigInt(s, back);
    FUZZ_CHECK(back.Cells == a.Cells && back.SignFlag == a.SignFlag, "decimal read back");
  }
  return 0;
}

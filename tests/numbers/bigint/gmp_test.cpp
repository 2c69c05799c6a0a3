// TBigInt against GMP on random operands of 1 to 4000 bits with random
// signs (zeros of both flags included). GMP gives the magnitudes; the
// expected flags are derived from the sign rules, the gcd and the inverse
// from the literal Euclid chains run in GMP. Fixed seed, printed on failure.
#include <gmp.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "numbers/bigint/BigInt.h"

namespace {

constexpr std::uint64_t kSeed = 20261211;

struct Mpz {
  mpz_t v;
  Mpz() { mpz_init(v); }
  Mpz(const Mpz&) = delete;
  ~Mpz() { mpz_clear(v); }
  operator mpz_ptr() { return v; }
  operator mpz_srcptr() const { return v; }
};

// The signed value of a (a minus zero is 0), read straight from its digits.
void ToMpz(const TBigInt& a, mpz_t out) {
  mpz_import(out, a.Cells.size() - 1, -1, sizeof(std::int64_t), 0, 33, a.Cells.data() + 1);
  if (a.SignFlag == 0) mpz_neg(out, out);
}

void FromMpz(mpz_srcptr v, bool minus, TBigInt& out) {
  std::size_t n = (mpz_sizeinbase(v, 2) + 30) / 31;
  out.Cells.assign(n + 1, 0);
  std::size_t count = 0;
  mpz_export(out.Cells.data() + 1, &count, -1, sizeof(std::int64_t), 0, 33, v);
  if (count == 0) count = 1;
  out.Cells.resize(count + 1);
  out.Cells[0] = static_cast<std::int64_t>(count);
  out.SignFlag = minus ? 0 : 1;
}

std::string Text(mpz_srcptr v) {
  char* s = mpz_get_str(nullptr, 10, v);
  std::string r(s);
  void (*freefunc)(void*, size_t);
  mp_get_memory_functions(nullptr, nullptr, &freefunc);
  freefunc(s, r.size() + 1);
  return r;
}

bool Normal(const TBigInt& a) {
  if (a.Cells.size() < 2 || a.Cells[0] != static_cast<std::int64_t>(a.Cells.size() - 1)) return false;
  for (std::size_t i = 1; i < a.Cells.size(); ++i)
    if (a.Cells[i] < 0 || a.Cells[i] > kBigIntMask) return false;
  return a.SignFlag <= 1 && (a.Cells.size() == 2 || a.Cells.back() != 0);
}

class Generator {
public:
  explicit Generator(std::uint64_t seed) : rng_(seed) {}
  std::uint64_t Next() { return rng_(); }
  std::uint64_t Below(std::uint64_t n) { return rng_() % n; }

  // A random operand: 1..maxBits bits, now and then of special shape
  // (all digits 0x7FFFFFFF, top digit 1, sparse), or zero; random flag.
  void Operand(TBigInt& a, int maxBits = 4000) {
    Mpz v;
    const int shape = static_cast<int>(Below(16));
    const int bits = 1 + static_cast<int>(Below(static_cast<std::uint64_t>(maxBits)));
    if (shape == 0) {
      mpz_set_ui(v, 0);
    } else if (shape == 1) {  // 2^(31k) - 1
      mpz_ui_pow_ui(v, 2, static_cast<unsigned long>((bits + 30) / 31 * 31));
      mpz_sub_ui(v, v, 1);
    } else if (shape == 2) {  // top digit 1
      mpz_ui_pow_ui(v, 2, static_cast<unsigned long>((bits + 30) / 31 * 31));
      Mpz low;
      Random(low, (bits + 30) / 31 * 31);
      mpz_add(v, v, low);
    } else if (shape == 3) {  // a few set bits
      mpz_set_ui(v, 0);
      for (int i = 0; i < 4; ++i) mpz_setbit(v, static_cast<mp_bitcnt_t>(Below(static_cast<std::uint64_t>(bits))));
    } else {
      Random(v, bits);
      mpz_setbit(v, static_cast<mp_bitcnt_t>(bits - 1));
    }
    FromMpz(v, Below(2) == 0, a);
  }

private:
  void Random(mpz_ptr v, int bits) {
    mpz_set_ui(v, 0);
    for (int done = 0; done < bits; done += 32) {
      mpz_mul_2exp(v, v, 32);
      mpz_add_ui(v, v, static_cast<unsigned long>(rng_() & 0xFFFFFFFFu));
    }
    mpz_fdiv_r_2exp(v, v, static_cast<mp_bitcnt_t>(bits));
  }
  std::mt19937_64 rng_;
};

bool Minus(const TBigInt& a) { return a.SignFlag == 0; }

// Compares a result with an expected value and flag; returns a failure text.
::testing::AssertionResult Same(const TBigInt& got, mpz_srcptr value, bool minus) {
  if (!Normal(got)) return ::testing::AssertionFailure() << "not in normal form";
  Mpz g;
  ToMpz(got, g);
  if (mpz_cmp(g, value) != 0)
    return ::testing::AssertionFailure() << "value " << BigIntToDecimal(got) << ", expected " << Text(value);
  if (Minus(got) != minus)
    return ::testing::AssertionFailure() << "flag " << int(got.SignFlag) << " on " << BigIntToDecimal(got);
  return ::testing::AssertionSuccess();
}

std::string Trace(int it, const TBigInt& a, const TBigInt& b) {
  return "seed " + std::to_string(kSeed) + " iteration " + std::to_string(it) + " a=" + BigIntToDecimal(a) +
         " b=" + BigIntToDecimal(b);
}

// Euclidean division in GMP: 0 <= r < |b|, a = q b + r.
void EuclidDiv(mpz_srcptr a, mpz_srcptr b, mpz_ptr q, mpz_ptr r) {
  Mpz rr, t;
  mpz_mod(rr, a, b);  // non-negative for either sign of b
  mpz_sub(t, a, rr);
  mpz_divexact(q, t, b);
  mpz_set(r, rr);
}

TEST(BigIntGmp, AddSubtractMultiplySquare) {
  Generator gen(kSeed);
  Mpz A, B, C;
  for (int it = 0; it < 3000; ++it) {
    TBigInt a, b, r;
    gen.Operand(a);
    gen.Operand(b);
    SCOPED_TRACE(Trace(it, a, b));
    ToMpz(a, A);
    ToMpz(b, B);
    const int cmp = mpz_cmpabs(A, B);
    // a + b: like signs keep theirs, unlike take the larger magnitude's,
    // equal magnitudes take a's.
    auto sumFlag = [&](bool am, bool bm) { return am == bm ? am : (cmp >= 0 ? am : bm); };
    AddBigInt(a, b, r);
    mpz_add(C, A, B);
    ASSERT_TRUE(Same(r, C, sumFlag(Minus(a), Minus(b))));
    SubtractBigInt(a, b, r);
    mpz_sub(C, A, B);
    ASSERT_TRUE(Same(r, C, sumFlag(Minus(a), !Minus(b))));
    MultiplyBigInt(a, b, r);
    mpz_mul(C, A, B);
    ASSERT_TRUE(Same(r, C, Minus(a) != Minus(b)));
    SquareBigInt(a, r);
    mpz_mul(C, A, A);
    ASSERT_TRUE(Same(r, C, false));
  }
}

TEST(BigIntGmp, Power) {
  Generator gen(kSeed + 1);
  Mpz A, C;
  for (int it = 0; it < 600; ++it) {
    TBigInt a, e, r;
    gen.Operand(a, 300);
    const long ex = static_cast<long>(gen.Below(40));
    e = BigIntFromInt64(gen.Below(2) ? -ex : ex);
    if (ex == 0 && gen.Below(2)) e.SignFlag = 0;  // -0 as exponent
    SCOPED_TRACE(Trace(it, a, e));
    ToMpz(a, A);
    mpz_pow_ui(C, A, static_cast<unsigned long>(ex));
    PowerBigInt(a, e, r);
    ASSERT_TRUE(Same(r, C, (ex & 1) != 0 && Minus(a)));
  }
}

TEST(BigIntGmp, DivModAndModulo) {
  Generator gen(kSeed + 2);
  Mpz A, B, Q, R;
  for (int it = 0; it < 3000; ++it) {
    TBigInt a, b, q, r, q2, r2;
    gen.Operand(a);
    gen.Operand(b, it % 2 ? 4000 : 200);
    if (b.IsZero()) continue;
    SCOPED_TRACE(Trace(it, a, b));
    ToMpz(a, A);
    ToMpz(b, B);
    EuclidDiv(A, B, Q, R);
    // The quotient takes b's flag when a is plus; when a is minus it is
    // minus for a plus b and plus for a minus b. The remainder is plus.
    const bool qminus = Minus(a) ? !Minus(b) : Minus(b);
    DivModBigInt(a, b, q, r);
    ASSERT_TRUE(Same(q, Q, qminus));
    ASSERT_TRUE(Same(r, R, false));
    DivideBigInt(a, b, q2);
    ASSERT_TRUE(Same(q2, Q, qminus));
    ModuloBigInt(a, b, r2);
    ASSERT_TRUE(Same(r2, R, false));
  }
}

// The literal gcd chain: result is the last non-zero member with its flag.
void ReferenceGcd(const TBigInt& a, const TBigInt& b, mpz_ptr g, bool& minus) {
  Mpz x, y, t;
  ToMpz(a, x);
  ToMpz(b, y);
  bool xm = Minus(a), ym = Minus(b);
  const int cmp = mpz_cmpabs(x, y);
  if (cmp == 0) {
    mpz_set(g, x);
    minus = xm;
    return;
  }
  if (cmp < 0) {
    mpz_swap(x, y);
    std::swap(xm, ym);
  }
  while (mpz_sgn(y.v) != 0) {
    mpz_mod(t, x, y);
    mpz_swap(x, y);
    mpz_swap(y, t);
    xm = ym;
    ym = false;
  }
  mpz_set(g, x);
  minus = xm;
}

TEST(BigIntGmp, Gcd) {
  Generator gen(kSeed + 3);
  Mpz G, C, F;
  for (int it = 0; it < 2000; ++it) {
    TBigInt a, b, r;
    gen.Operand(a, 2000);
    gen.Operand(b, 2000);
    if (it % 5 == 0) {  // a shared factor
      TBigInt f, t;
      gen.Operand(f, 300);
      MultiplyBigInt(a, f, t);
      a = t;
      MultiplyBigInt(b, f, t);
      b = t;
    }
    if (it % 7 == 0) b = a, b.SignFlag = static_cast<std::uint8_t>(gen.Below(2));
    SCOPED_TRACE(Trace(it, a, b));
    bool minus = false;
    ReferenceGcd(a, b, G, minus);
    GcdBigInt(a, b, r);
    ASSERT_TRUE(Same(r, G, minus));
    Mpz A, B;
    ToMpz(a, A);
    ToMpz(b, B);
    mpz_gcd(C, A, B);
    mpz_abs(F, G);
    ASSERT_EQ(mpz_cmp(C, F), 0);
  }
}

TEST(BigIntGmp, ModInverse) {
  Generator gen(kSeed + 4);
  Mpz A, M, X, Y, Q, R, S, U, T, G;
  for (int it = 0; it < 1500; ++it) {
    TBigInt a, m, res = BigIntFromInt64(-424242);
    gen.Operand(a, 2000);
    gen.Operand(m, 2000);
    MakePositiveBigInt(m);
    if (m.IsZero()) continue;
    if (it % 3 == 0) {  // the system's case: odd a, m a power of two
      TBigInt two = BigIntFromInt64(2), k = BigIntFromInt64(static_cast<std::int64_t>(1 + gen.Below(2000)));
      PowerBigInt(two, k, m);
      if (!IsOddBigInt(a)) AddBigInt(a, BigIntFromInt64(1), a);
    }
    SCOPED_TRACE(Trace(it, a, m));
    ToMpz(a, A);
    ToMpz(m, M);
    bool gminus = false;
    ReferenceGcd(a, m, G, gminus);
    const bool expectFound = mpz_cmp_ui(G.v, 1) == 0 && !gminus;
    const bool got = ModInverseBigInt(a, m, res);
    ASSERT_EQ(got, expectFound);
    if (!got) {
      ASSERT_EQ(BigIntToDecimal(res), "-424242");
      continue;
    }
    if (mpz_sgn(A.v) == 0) {  // |m| = 1
      ASSERT_TRUE(Same(res, A, false));
      continue;
    }
    // The literal extended Euclid chain with Euclidean division.
    mpz_set(X, M);
    mpz_set(Y, A);
    mpz_set_ui(R, 0);
    mpz_set_ui(S, 1);
    do {
      EuclidDiv(X, Y, Q, T);
      mpz_swap(X, Y);
      mpz_set(Y, T);
      mpz_mul(U, S, Q);
      mpz_sub(U, R, U);
      mpz_swap(R, S);
      mpz_swap(S, U);
    } while (mpz_sgn(T.v) != 0);
    if (mpz_sgn(R.v) < 0) mpz_add(R, M, R);
    ASSERT_TRUE(Same(res, R, false));
    // And it is the inverse: a x = 1 (mod m), 0 <= x < m.
    mpz_invert(T, A, M);
    if (mpz_cmp_ui(M.v, 1) != 0) {
      ASSERT_EQ(mpz_cmp(T, R), 0);
    }
  }
}

// Long texts, where every level of the decimal split runs: F20 and powers
// of ten and of three, next to the powers of ten the split divides by.
TEST(BigIntGmp, LongTexts) {
  struct Case {
    unsigned long base, exponent;
    long add;
  };
  const Case cases[] = {{2, 1ul << 20, 1}, {3, 1ul << 16, 0}, {10, 155648, 0}, {10, 155648, -1},
                        {10, 155648, 1},   {10, 97280, -1},  {7, 40000, -3}};
  for (const Case& c : cases) {
    Mpz g;
    mpz_ui_pow_ui(g, c.base, c.exponent);
    if (c.add >= 0) mpz_add_ui(g, g, static_cast<unsigned long>(c.add));
    else mpz_sub_ui(g, g, static_cast<unsigned long>(-c.add));
    TBigInt a;
    FromMpz(g, false, a);
    ASSERT_EQ(BigIntToDecimal(a), Text(g)) << c.base << "^" << c.exponent << " + " << c.add;
  }
}

TEST(BigIntGmp, TextRoundTrips) {
  Generator gen(kSeed + 5);
  Mpz A, B;
  for (int it = 0; it < 2000; ++it) {
    TBigInt a, back;
    gen.Operand(a, it % 10 == 0 ? 40000 : 4000);
    SCOPED_TRACE("seed " + std::to_string(kSeed) + " iteration " + std::to_string(it));
    ToMpz(a, A);
    std::string expect = Text(A);
    if (Minus(a) && a.IsZero()) expect = "-0";
    const std::string dec = BigIntToDecimal(a);
    ASSERT_EQ(dec, expect);
    DecimalToBigInt(dec, back);
    ASSERT_TRUE(Same(back, A, Minus(a)));
    // With leading zeros and junk.
    DecimalToBigInt((Minus(a) ? "x-000" : "+000") + dec.substr(Minus(a) ? 1 : 0), back);
    ASSERT_TRUE(Same(back, A, Minus(a)));
    const std::string bin = BigIntToBinary(a);
    mpz_abs(B, A);
    char* s = mpz_get_str(nullptr, 2, B);
    ASSERT_EQ(bin, s);
    void (*freefunc)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &freefunc);
    freefunc(s, bin.size() + 1);
    BinaryToBigInt("000" + bin, back);
    ASSERT_TRUE(Same(back, B, false));
  }
}

}  // namespace

namespace {

// The longest texts the program writes: the Fermat number F20 = 2^(2^20) + 1
// (315653 digits) both ways, and a power that needs real squarings.
TEST(BigIntGmp, LongPowersAndTheirText) {
  TBigInt p, f, back;
  PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(1 << 20), p);
  EXPECT_EQ(BigIntBitLength(p), (1 << 20) + 1);
  AddBigInt(p, BigIntFromInt64(1), f);
  Mpz g;
  mpz_ui_pow_ui(g, 2, 1 << 20);
  mpz_add_ui(g, g, 1);
  const std::string text = BigIntToDecimal(f);
  ASSERT_EQ(text.size(), 315653u);
  ASSERT_EQ(text, Text(g));
  DecimalToBigInt(text, back);
  ASSERT_TRUE(Same(back, g, false));

  TBigInt t;
  PowerBigInt(BigIntFromInt64(-3), BigIntFromInt64(40001), t);
  mpz_ui_pow_ui(g, 3, 40001);
  mpz_neg(g, g);
  ASSERT_TRUE(Same(t, g, true));
  ASSERT_EQ(BigIntToDecimal(t), Text(g));
}

// Dense operands of the longest sizes (F20's 2^20 bits and 3000 digits of
// base 2^31), where the Toom-4 products, the limb division and the divide
// and conquer text conversion run at their deepest: product, square,
// division and text both ways against GMP.
TEST(BigIntGmp, DenseLongOperands) {
  gmp_randstate_t state;
  gmp_randinit_mt(state);
  gmp_randseed_ui(state, kSeed);
  const struct {
    unsigned long bitsA, bitsB;
  } rows[] = {{1ul << 20, 1ul << 20}, {1ul << 20, 1ul << 18}, {93000, 93000}, {93000, 31000}, {186000, 93000}};
  for (const auto& row : rows) {
    Mpz ga, gb, expect, gq, gr;
    mpz_urandomb(ga, state, row.bitsA);
    mpz_urandomb(gb, state, row.bitsB);
    mpz_setbit(ga, row.bitsA - 1);
    mpz_setbit(gb, row.bitsB - 1);
    TBigInt a, b, r, q, rem, back;
    FromMpz(ga, false, a);
    FromMpz(gb, true, b);
    MultiplyBigInt(a, b, r);
    mpz_mul(expect, ga, gb);
    mpz_neg(expect, expect);
    ASSERT_TRUE(Same(r, expect, true)) << row.bitsA << " x " << row.bitsB;
    SquareBigInt(a, r);
    mpz_mul(expect, ga, ga);
    ASSERT_TRUE(Same(r, expect, false)) << row.bitsA << " squared";
    MakePositiveBigInt(b);
    DivModBigInt(a, b, q, rem);
    mpz_fdiv_qr(gq, gr, ga, gb);
    ASSERT_TRUE(Same(q, gq, false)) << row.bitsA << " / " << row.bitsB;
    ASSERT_TRUE(Same(rem, gr, false)) << row.bitsA << " mod " << row.bitsB;
    const std::string text = BigIntToDecimal(a);
    ASSERT_EQ(text, Text(ga)) << row.bitsA << " bits to text";
    DecimalToBigInt(text, back);
    ASSERT_TRUE(Same(back, ga, false)) << row.bitsA << " bits from text";
  }
  gmp_randclear(state);
}

}  // namespace

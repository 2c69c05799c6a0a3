// Montgomery routines and ModPowerBigInt, against GMP's mpz_powm.
#include <gtest/gtest.h>

#include "NumberTestSupport.h"
#include "numbers/ModPower.h"
#include "numbers/MontgomeryWords.h"

using namespace numtest;

namespace {

std::string PowMod(const std::string& b, const std::string& e, const std::string& n) {
  TBigInt r;
  ModPowerBigInt(D(b), D(e), D(n), r);
  EXPECT_TRUE(Normal(r));
  TBigInt plain;
  ModPowerPlainBigInt(D(b), D(e), D(n), plain);
  EXPECT_EQ(S(plain), S(r)) << b << "^" << e << " mod " << n;
  return S(r);
}

std::string GmpPowMod(const Mpz& b, const Mpz& e, const Mpz& n) {
  Mpz r;
  mpz_powm(r.get(), b.get(), e.get(), n.get());
  return r.Str();
}

}  // namespace

TEST(ModPower, PartExamples) {
  EXPECT_EQ(PowMod("2", "10", "1001"), "23");
  EXPECT_EQ(PowMod("3", "2147483646", "2147483647"), "1");
  EXPECT_EQ(PowMod("12345", "0", "1001"), "1");
  EXPECT_EQ(PowMod("0", "0", "7"), "1");
  EXPECT_EQ(PowMod("0", "5", "7"), "0");
  EXPECT_EQ(PowMod("7", "1", "7"), "0");          // a base equal to n gives 0
  EXPECT_EQ(PowMod("1003", "2", "1001"), "4");    // a base larger than n is reduced
  EXPECT_EQ(PowMod("-2", "3", "1001"), "993");    // -8 mod 1001
  EXPECT_EQ(PowMod("-2", "2", "1001"), "4");
  EXPECT_EQ(PowMod("2", "-10", "1001"), "23");    // the exponent's flag is ignored
  EXPECT_EQ(PowMod("5", "117", "3"), "2");
}

TEST(ModPower, ParametersOfBothShapes) {
  // Top digit at least 2^30: R = 2^(31k), k + 1 digits.
  const TMontgomeryParameters p1 = MontgomeryParametersBigInt(D("2147483647"));
  EXPECT_EQ(p1.K, 1);
  EXPECT_EQ(p1.Mask, 0x7FFFFFFF);
  EXPECT_EQ(S(p1.R), "2147483648");
  // Top digit small: 1001 < 1024 = R.
  const TMontgomeryParameters p2 = MontgomeryParametersBigInt(D("1001"));
  EXPECT_EQ(p2.K, 1);
  EXPECT_EQ(p2.Mask, 1023);
  EXPECT_EQ(S(p2.R), "1024");
  // n * n' = -1 (mod R).
  for (const auto* p : {&p1, &p2}) {
    const TBigInt n = p == &p1 ? D("2147483647") : D("1001");
    TBigInt t, r;
    MultiplyBigInt(n, p->NPrime, t);
    AddBigInt(t, D("1"), r);
    TBigInt m;
    ModuloBigInt(r, p->R, m);
    EXPECT_TRUE(m.IsZero());
  }
}

TEST(ModPower, MontgomeryReduceMatchesGmp) {
  GmpRandom rnd;
  SCOPED_TRACE("seed " + std::to_string(rnd.seed));
  for (int round = 0; round < 200; ++round) {
    const unsigned long bits = 2 + static_cast<unsigned long>(round * 7 % 700);
    Mpz n = RandomBits(rnd.state, bits);
    mpz_setbit(n.get(), 0);
    if (mpz_cmp_ui(n.get(), 3) < 0) mpz_set_ui(n.get(), 3);
    const TBigInt nb = n.Big();
    const TMontgomeryParameters p = MontgomeryParametersBigInt(nb);
    // T random below n * R.
    Mpz limit(S(p.R));
    mpz_mul(limit.get(), limit.get(), n.get());
    Mpz t;
    mpz_urandomm(t.get(), rnd.state, limit.get());
    TBigInt r;
    MontgomeryReduceBigInt(t.Big(), nb, p.NPrime, p.K, p.Mask, r);
    ASSERT_TRUE(Normal(r));
    // Expected: T * R^-1 mod n.
    Mpz rinv(S(p.R)), e;
    ASSERT_NE(mpz_invert(rinv.get(), rinv.get(), n.get()), 0);
    mpz_mul(e.get(), t.get(), rinv.get());
    mpz_mod(e.get(), e.get(), n.get());
    ASSERT_EQ(S(r), e.Str()) << "n = " << n.Str() << ", T = " << t.Str();
  }
}

TEST(ModPower, TruncateAndLowProduct) {
  // a mod R for R = 1024 (k = 1, mask 1023) and R = 2^31 * 2^31.
  TBigInt r;
  MontgomeryTruncateBigInt(D("5000"), 1, 1023, r);
  EXPECT_EQ(S(r), "904");
  MontgomeryTruncateBigInt(D("4611686018427387905"), 2, 0x7FFFFFFF, r);  // 2^62 + 1
  EXPECT_EQ(S(r), "1");
  MontgomeryTruncateBigInt(D("77"), 3, 0x7FFFFFFF, r);  // fewer than k digits
  EXPECT_EQ(S(r), "77");
  GmpRandom rnd;
  for (int round = 0; round < 300; ++round) {
    const int k = 1 + round % 6;
    const int j = round % 31;
    const std::int64_t mask = j == 30 ? 0x7FFFFFFF : (std::int64_t{1} << (j + 1)) - 1;
    const unsigned long rbits = static_cast<unsigned long>(31 * (k - 1) + (j == 30 ? 31 : j + 1));
    Mpz x = RandomBits(rnd.state, 1 + static_cast<unsigned long>(round * 13 % 250));
    Mpz y = RandomBits(rnd.state, 1 + static_cast<unsigned long>(round * 29 % 250));
    MontgomeryLowProductBigInt(x.Big(), y.Big(), k, mask, r);
    ASSERT_TRUE(Normal(r));
    Mpz e;
    mpz_mul(e.get(), x.get(), y.get());
    mpz_fdiv_r_2exp(e.get(), e.get(), rbits);
    ASSERT_EQ(S(r), e.Str()) << "k " << k << " mask " << mask;
  }
}

TEST(ModPower, RandomOddModuliAgainstGmp) {
  GmpRandom rnd;
  SCOPED_TRACE("seed " + std::to_string(rnd.seed));
  int fullTop = 0, smallTop = 0;
  for (unsigned long bits = 2; bits <= 2000; bits += (bits < 130 ? 1 : 37)) {
    for (int shape = 0; shape < 2; ++shape) {
      // shape 0: bits as drawn; shape 1: a multiple of 31, so that the top
      // digit is at least 2^30 (R = 2^(31k)).
      const unsigned long b = shape == 0 ? bits : ((bits + 30) / 31) * 31;
      Mpz n = RandomBits(rnd.state, b);
      mpz_setbit(n.get(), 0);
      if (mpz_cmp_ui(n.get(), 3) < 0) mpz_set_ui(n.get(), 3);
      const TBigInt nb = n.Big();
      (nb.Digit(nb.Count()) >= (std::int64_t{1} << 30) ? fullTop : smallTop)++;
      Mpz base = RandomBits(rnd.state, 1 + (b * 3) / 2);  // often above n
      if (bits % 3 == 0) mpz_neg(base.get(), base.get());
      Mpz e = RandomBits(rnd.state, 1 + (bits % 300));
      TBigInt r;
      ModPowerBigInt(base.Big(), e.Big(), nb, r);
      ASSERT_TRUE(Normal(r));
      ASSERT_EQ(S(r), GmpPowMod(base, e, n)) << "n = " << n.Str();
      if (b <= 700 && bits % 5 == 0) {
        TBigInt plain;
        ModPowerPlainBigInt(base.Big(), e.Big(), nb, plain);
        ASSERT_EQ(S(plain), S(r)) << "plain, n = " << n.Str();
      }
    }
  }
  EXPECT_GT(fullTop, 20);
  EXPECT_GT(smallTop, 20);
}

TEST(ModPower, LongExponentsAgainstGmp) {
  GmpRandom rnd;
  SCOPED_TRACE("seed " + std::to_string(rnd.seed));
  for (unsigned long bits : {64UL, 600UL, 663UL, 1024UL, 2000UL}) {
    Mpz n = RandomBits(rnd.state, bits);
    mpz_setbit(n.get(), 0);
    Mpz base = RandomBits(rnd.state, 14);
    Mpz e = RandomBits(rnd.state, bits);
    TBigInt r;
    ModPowerBigInt(base.Big(), e.Big(), n.Big(), r);
    ASSERT_EQ(S(r), GmpPowMod(base, e, n));
  }
}

TEST(MontgomeryWords, RepackRoundTrip) {
  GmpRandom rnd;
  for (unsigned long bits = 1; bits < 700; bits += 3) {
    Mpz x = RandomBits(rnd.state, bits);
    const TBigInt a = x.Big();
    const int words = static_cast<int>((bits + 63) / 64);
    std::vector<std::uint64_t> w(static_cast<std::size_t>(words));
    BigIntToWords(a, w.data(), words);
    TBigInt back;
    WordsToBigInt(w.data(), words, back);
    ASSERT_TRUE(Normal(back));
    ASSERT_EQ(S(back), x.Str());
  }
}

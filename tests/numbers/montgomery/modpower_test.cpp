// Montgomery routines and ModPowerBigInt, against GMP's mpz_powm.
#include <gtest/gtest.h>

#include "numbers/NumberTestSupport.h"
#include "numbers/montgomery/ModPower.h"
#include "numbers/montgomery/MontPower.h"
#include "numbers/montgomery/MontgomeryWords.h"

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

TEST(ModPower, ZeroNegativeAndOversizedOperands) {
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

namespace {

// Odd moduli of w words in the shapes the kernels treat apart: drawn at
// random, top word all ones, just above a power of two (top word 1, and
// top bit alone), and 2^(64w) - 1.
std::vector<Mpz> ModuliOfWords(gmp_randstate_t state, unsigned long w) {
  std::vector<Mpz> out{RandomBits(state, 64 * w - (w == 1 ? 40 : 17)), RandomBits(state, 64 * w)};
  Mpz ones = RandomBits(state, 64 * w), high;
  if (w > 1) mpz_fdiv_r_2exp(ones.get(), ones.get(), 64 * (w - 1));  // the lower words drawn
  mpz_ui_pow_ui(high.get(), 2, 64);
  mpz_sub_ui(high.get(), high.get(), 1);
  mpz_mul_2exp(high.get(), high.get(), 64 * (w - 1));  // top word all ones
  mpz_ior(ones.get(), ones.get(), high.get());
  out.push_back(ones);
  Mpz above;
  if (w > 1) {
    mpz_ui_pow_ui(above.get(), 2, 64 * (w - 1));
    mpz_add_ui(above.get(), above.get(), 3);
    out.push_back(above);
  }
  mpz_ui_pow_ui(above.get(), 2, 64 * w - 1);
  mpz_add_ui(above.get(), above.get(), 1);
  out.push_back(above);
  mpz_ui_pow_ui(above.get(), 2, 64 * w);
  mpz_sub_ui(above.get(), above.get(), 1);
  out.push_back(above);
  for (Mpz& n : out) {
    mpz_setbit(n.get(), 0);
    if (mpz_cmp_ui(n.get(), 3) < 0) mpz_set_ui(n.get(), 3);
  }
  return out;
}

}  // namespace

TEST(ModPower, EveryWordCountAndShapeAgainstGmp) {
  // Word counts 1 to 18 cover every unrolled kernel (1..16) and the generic
  // loop beyond; bases 0, 1, n - 1, n, n + 1, small ones on both sides of
  // 2^32, a large and a negative one; exponents 0, 1, 2 and long ones.
  GmpRandom rnd;
  SCOPED_TRACE("seed " + std::to_string(rnd.seed));
  for (unsigned long w = 1; w <= 18; ++w) {
    for (const Mpz& n : ModuliOfWords(rnd.state, w)) {
      std::vector<Mpz> bases;
      for (const char* b : {"0", "1", "2", "9967", "4294967295", "4294967296", "-3"}) bases.emplace_back(b);
      Mpz t;
      mpz_sub_ui(t.get(), n.get(), 1);
      bases.push_back(t);
      bases.push_back(n);
      mpz_add_ui(t.get(), n.get(), 1);
      bases.push_back(t);
      bases.push_back(RandomBits(rnd.state, 64 * w + 5));
      std::vector<Mpz> exponents{Mpz("0"), Mpz("1"), Mpz("2"), RandomBits(rnd.state, 64 * w),
                                 RandomBits(rnd.state, 700)};
      mpz_sub_ui(t.get(), n.get(), 1);
      exponents.push_back(t);
      for (const Mpz& b : bases)
        for (const Mpz& e : exponents) {
          TBigInt r;
          ModPowerBigInt(b.Big(), e.Big(), n.Big(), r);
          ASSERT_TRUE(Normal(r));
          ASSERT_EQ(S(r), GmpPowMod(b, e, n)) << b.Str() << "^" << e.Str() << " mod " << n.Str();
        }
    }
  }
}

TEST(ModPower, FastPathMatchesThePlainMethod) {
  GmpRandom rnd;
  SCOPED_TRACE("seed " + std::to_string(rnd.seed));
  for (unsigned long w = 1; w <= 17; ++w) {
    const std::vector<Mpz> moduli = ModuliOfWords(rnd.state, w);
    const Mpz& n = moduli[static_cast<std::size_t>(w) % moduli.size()];
    for (const Mpz& b : {Mpz("9967"), RandomBits(rnd.state, 64 * w - 3)}) {
      const Mpz e = RandomBits(rnd.state, 40 + 20 * w);
      TBigInt fast, plain;
      ModPowerBigInt(b.Big(), e.Big(), n.Big(), fast);
      ModPowerPlainBigInt(b.Big(), e.Big(), n.Big(), plain);
      ASSERT_EQ(S(fast), S(plain)) << b.Str() << "^" << e.Str() << " mod " << n.Str();
    }
  }
}

namespace {

Mpz FromWords(const std::uint64_t* w, int count) {
  Mpz r;
  mpz_import(r.get(), static_cast<std::size_t>(count), -1, sizeof(std::uint64_t), 0, 0, w);
  return r;
}

void ToWords(const Mpz& x, std::uint64_t* w, int count) {
  for (int i = 0; i < count; ++i) w[i] = 0;
  mpz_export(w, nullptr, -1, sizeof(std::uint64_t), 0, 0, x.get());
}

}  // namespace

TEST(MontKernel, EveryOperationAgainstGmp) {
  // Each word count's kernels on the moduli shapes above, with operands
  // drawn below n and the edges 0, 1, n - 1: a b / R, a^2 / R, a c for
  // small c, a + b, a - b, -a, and the way into and out of Montgomery form.
  GmpRandom rnd;
  SCOPED_TRACE("seed " + std::to_string(rnd.seed));
  for (int w = 1; w <= montk::kMaxFixedWords; ++w) {
    std::vector<Mpz> moduli = ModuliOfWords(rnd.state, static_cast<unsigned long>(w));
    if (w == 1)
      for (const char* small : {"3", "1001", "4294967291", "4294967311", "8589934609"}) moduli.emplace_back(small);
    for (const Mpz& n : moduli) {
      montk::DispatchWords(w, [&]<int N>() {
        std::uint64_t nw[N], a[N], b[N], r[N];
        ToWords(n, nw, N);
        const montk::TMontN<N> m(nw);
        Mpz rinv, t, e;
        mpz_ui_pow_ui(rinv.get(), 2, 64 * N);
        ASSERT_NE(mpz_invert(rinv.get(), rinv.get(), n.get()), 0);
        std::vector<Mpz> values{Mpz("0"), Mpz("1")};
        mpz_sub_ui(t.get(), n.get(), 1);
        values.push_back(t);
        for (int i = 0; i < 4; ++i) {
          mpz_urandomm(t.get(), rnd.state, n.get());
          values.push_back(t);
        }
        for (const Mpz& x : values)
          for (const Mpz& y : values) {
            ToWords(x, a, N);
            ToWords(y, b, N);
            m.Mul(r, a, b);
            mpz_mul(e.get(), x.get(), y.get());
            mpz_mul(e.get(), e.get(), rinv.get());
            mpz_mod(e.get(), e.get(), n.get());
            ASSERT_EQ(FromWords(r, N).Str(), e.Str()) << x.Str() << " * " << y.Str() << " mod " << n.Str();
            m.Add(r, a, b);
            mpz_add(e.get(), x.get(), y.get());
            mpz_mod(e.get(), e.get(), n.get());
            ASSERT_EQ(FromWords(r, N).Str(), e.Str());
            m.Sub(r, a, b);
            mpz_sub(e.get(), x.get(), y.get());
            mpz_mod(e.get(), e.get(), n.get());
            ASSERT_EQ(FromWords(r, N).Str(), e.Str());
          }
        for (const Mpz& x : values) {
          ToWords(x, a, N);
          m.Sqr(r, a);
          mpz_mul(e.get(), x.get(), x.get());
          mpz_mul(e.get(), e.get(), rinv.get());
          mpz_mod(e.get(), e.get(), n.get());
          ASSERT_EQ(FromWords(r, N).Str(), e.Str()) << x.Str() << "^2 mod " << n.Str();
          m.Neg(r, a);
          mpz_neg(e.get(), x.get());
          mpz_mod(e.get(), e.get(), n.get());
          ASSERT_EQ(FromWords(r, N).Str(), e.Str());
          for (std::uint64_t c : {0ULL, 1ULL, 2ULL, 9967ULL, 4294967295ULL}) {
            m.MulSmall(r, a, c);
            mpz_mul_ui(e.get(), x.get(), c);
            mpz_mod(e.get(), e.get(), n.get());
            ASSERT_EQ(FromWords(r, N).Str(), e.Str()) << x.Str() << " * " << c << " mod " << n.Str();
          }
          m.ToMont(r, a);
          m.FromMont(r, r);
          ASSERT_EQ(FromWords(r, N).Str(), x.Str());
        }
        mpz_ui_pow_ui(e.get(), 2, 64 * N);
        mpz_mod(e.get(), e.get(), n.get());
        ASSERT_EQ(FromWords(m.One(), N).Str(), e.Str());
      });
    }
  }
}

TEST(MontKernel, UnreducedRunsAtTheRoomCut) {
  // Moduli with exactly the room the unreduced squares need above them
  // (64 N - 30 bits) and one bit less, and one of a single bit in the top
  // word: the unreduced square of any a below 2^15 n is a^2 / R mod n plus
  // 0 or n, a product by a factor below 2^14 stays below R, and the powers
  // of small bases on both sides of 2^14 agree with GMP either way.
  GmpRandom rnd;
  SCOPED_TRACE("seed " + std::to_string(rnd.seed));
  for (int w = 1; w <= montk::kMaxFixedWords; ++w) {
    for (const unsigned long bits : {64UL * w - 30, 64UL * w - 29, 64UL * (w - 1) + 2}) {
      if (bits < 3) continue;
      Mpz n = RandomBits(rnd.state, bits);
      mpz_setbit(n.get(), bits - 1);
      mpz_setbit(n.get(), 0);
      montk::DispatchWords(w, [&]<int N>() {
        std::uint64_t nw[N], a[N], r[N];
        ToWords(n, nw, N);
        const montk::TMontN<N> m(nw);
        ASSERT_EQ(m.LazyFits(), bits + 30 <= 64UL * N) << n.Str();
        Mpz rinv, e, x, top, twice;
        mpz_ui_pow_ui(rinv.get(), 2, 64 * N);
        ASSERT_NE(mpz_invert(rinv.get(), rinv.get(), n.get()), 0);
        mpz_mul_2exp(top.get(), n.get(), 15);
        mpz_mul_2exp(twice.get(), n.get(), 1);
        if (m.LazyFits()) {
          std::vector<Mpz> values{Mpz("0"), Mpz("1")};
          mpz_sub_ui(x.get(), top.get(), 1);
          values.push_back(x);  // 2^15 n - 1, the largest allowed
          for (int i = 0; i < 6; ++i) {
            mpz_urandomm(x.get(), rnd.state, i < 3 ? twice.get() : top.get());
            values.push_back(x);
          }
          for (const Mpz& v : values) {
            ToWords(v, a, N);
            m.SqrLazy(r, a);
            const Mpz got = FromWords(r, N);
            ASSERT_LT(mpz_cmp(got.get(), twice.get()), 0) << v.Str() << "^2 mod " << n.Str();
            mpz_mul(e.get(), v.get(), v.get());
            mpz_mul(e.get(), e.get(), rinv.get());
            mpz_sub(e.get(), got.get(), e.get());
            ASSERT_EQ(mpz_divisible_p(e.get(), n.get()), 1) << v.Str() << "^2 mod " << n.Str();
            if (mpz_cmp(v.get(), twice.get()) < 0) {
              m.MulSmallLazy(r, a, 16383);
              mpz_mul_ui(e.get(), v.get(), 16383);
              ASSERT_EQ(FromWords(r, N).Str(), e.Str());
            }
            m.MulSmall(r, a, 1);
            mpz_mod(e.get(), v.get(), n.get());
            ASSERT_EQ(FromWords(r, N).Str(), e.Str()) << v.Str() << " mod " << n.Str();
          }
        }
        for (const char* b : {"2", "9967", "16383", "16384"})
          for (const Mpz& ex : {RandomBits(rnd.state, 64 * N), Mpz("1"), Mpz("3")}) {
            TBigInt got;
            ModPowerBigInt(Mpz(b).Big(), ex.Big(), n.Big(), got);
            ASSERT_EQ(S(got), GmpPowMod(Mpz(b), ex, n)) << b << "^" << ex.Str() << " mod " << n.Str();
          }
      });
    }
  }
}

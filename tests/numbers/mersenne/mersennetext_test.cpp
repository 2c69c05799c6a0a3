// Mersenne and Fermat expression text.
#include <gtest/gtest.h>

#include "numbers/NumberTestSupport.h"
#include "numbers/mersenne/MersenneText.h"

using namespace numtest;

namespace {

std::string M(const std::string& n) { return BigIntToMersenneText(D(n)); }
std::string F(const std::string& n) { return BigIntToFermatText(D(n)); }
std::string ReadM(const std::string& t) { return S(MersenneTextToBigInt(t)); }
std::string ReadF(const std::string& t) { return S(FermatTextToBigInt(t)); }

// The counting loop by Euclidean division, literally.
std::int64_t LogLoop(const TBigInt& a, const TBigInt& b) {
  std::int64_t count = 0;
  TBigInt x = a, q, r;
  while (BigIntCompareMagnitude(x, b) != foLess) {
    DivModBigInt(x, b, q, r);
    x = q;
    ++count;
  }
  return count;
}

}  // namespace

TEST(IntegerLog, DirectMatchesTheLoop) {
  const TBigInt two = D("2");
  for (int v = -3000; v <= 3000; ++v) {
    const TBigInt a = BigIntFromInt64(v);
    ASSERT_EQ(S(IntegerLogBigInt(a, two)), std::to_string(LogLoop(a, two))) << v;
  }
  for (const char* v : {"2147483647", "2147483648", "-2147483648", "-2147483649", "4611686018427387904",
                        "-4611686018427387904", "-4611686018427387905", "-0"}) {
    ASSERT_EQ(S(IntegerLogBigInt(D(v), two)), std::to_string(LogLoop(D(v), two))) << v;
  }
  EXPECT_EQ(S(IntegerLogBigInt(D("1000"), D("10"))), "3");
  EXPECT_EQ(S(IntegerLogBigInt(D("999"), D("10"))), "2");
  EXPECT_EQ(S(IntegerLogBigInt(D("8"), D("3"))), "1");
}

TEST(MersenneText, NearestMersenneNumberAndBack) {
  EXPECT_EQ(M("0"), "M0");
  EXPECT_EQ(M("1"), "M1");
  EXPECT_EQ(M("2"), "M1+1");
  EXPECT_EQ(M("5"), "M2+2");
  EXPECT_EQ(M("7"), "M3");
  EXPECT_EQ(M("10"), "M3+3");
  EXPECT_EQ(M("13"), "M4-2");
  EXPECT_EQ(M("127"), "M7");
  EXPECT_EQ(M("-2"), "M0-2");
  EXPECT_EQ(ReadM("m7"), "127");
  EXPECT_EQ(ReadM("M7"), "127");
  EXPECT_EQ(ReadM("M3+3"), "10");
  EXPECT_EQ(ReadM("M4-2"), "13");
  EXPECT_EQ(ReadM("M100000"), "0");
  EXPECT_EQ(ReadM("127"), "0");
  EXPECT_EQ(ReadM("M7xyz"), "127");
  const TBigInt m99999 = MersenneTextToBigInt("M99999");
  EXPECT_EQ(BigIntBitLength(m99999), 99999);
  EXPECT_EQ(BigIntToMersenneText(m99999), "M99999");
}

TEST(FermatText, NearestFermatNumberAndBack) {
  EXPECT_EQ(F("3"), "F0");
  EXPECT_EQ(F("5"), "F1");
  EXPECT_EQ(F("17"), "F2");
  EXPECT_EQ(F("257"), "F3");
  EXPECT_EQ(F("65537"), "F4");
  EXPECT_EQ(F("100"), "F2+83");
  EXPECT_EQ(F("127"), "F2+110");
  EXPECT_EQ(F("2"), "F0-1");
  EXPECT_EQ(F("1"), "F0-2");
  EXPECT_EQ(F("0"), "F0-3");
  EXPECT_EQ(ReadF("F0"), "3");
  EXPECT_EQ(ReadF("F5"), "4294967297");
  EXPECT_EQ(ReadF("f2+83"), "100");
  EXPECT_EQ(ReadF("F21"), "0");
  EXPECT_EQ(ReadF("M5"), "0");
  const TBigInt f20 = FermatTextToBigInt("F20");
  EXPECT_EQ(BigIntBitLength(f20), 1048577);
  EXPECT_EQ(BigIntToFermatText(f20), "F20");
}

TEST(ExpressionText, SignsAnywhereAndEmptyRuns) {
  // Both signs: "+" first, then "-"; signs are searched in the whole text.
  EXPECT_EQ(ReadM("M3+5-2"), "10");
  EXPECT_EQ(ReadM("M3-2+5"), "10");
  EXPECT_EQ(ReadM("+4M3"), "11");
  // Empty digit runs read as 0 and nothing fails.
  EXPECT_EQ(ReadM("M"), "0");          // 2^0 - 1
  EXPECT_EQ(ReadM("M+5"), "5");
  EXPECT_EQ(ReadM("M3 + 5"), "7");
  EXPECT_EQ(ReadM("M3-"), "7");
  EXPECT_EQ(ReadM(""), "0");
  EXPECT_EQ(ReadF("F"), "3");          // 2^1 + 1
  EXPECT_EQ(ReadF("F+"), "3");
  EXPECT_EQ(ReadF(""), "0");
  EXPECT_EQ(ReadM("M0007"), "127");
  EXPECT_EQ(ReadM("M00000000000000000000007"), "127");
  EXPECT_EQ(ReadM("M99999999999999999999"), "0");
}

TEST(ExpressionText, ReadBackRandomNumbers) {
  GmpRandom rnd;
  SCOPED_TRACE("seed " + std::to_string(rnd.seed));
  for (int round = 0; round < 400; ++round) {
    const unsigned long bits = 1 + static_cast<unsigned long>(round % 100 < 90 ? round % 100 : round * 37);
    Mpz x = RandomBits(rnd.state, bits);
    if (round % 2) mpz_neg(x.get(), x.get());
    const TBigInt n = x.Big();
    const std::string mt = BigIntToMersenneText(n);
    ASSERT_EQ(S(MersenneTextToBigInt(mt)), x.Str()) << mt;
    const std::string ft = BigIntToFermatText(n);
    ASSERT_EQ(S(FermatTextToBigInt(ft)), x.Str()) << ft;
  }
  // Near the powers themselves.
  for (int e : {1, 2, 30, 31, 32, 61, 62, 63, 1000}) {
    for (int delta = -3; delta <= 3; ++delta) {
      Mpz x;
      mpz_ui_pow_ui(x.get(), 2, static_cast<unsigned long>(e));
      if (delta < 0) mpz_sub_ui(x.get(), x.get(), static_cast<unsigned long>(-delta));
      else mpz_add_ui(x.get(), x.get(), static_cast<unsigned long>(delta));
      const TBigInt n = x.Big();
      ASSERT_EQ(S(MersenneTextToBigInt(BigIntToMersenneText(n))), x.Str());
      ASSERT_EQ(S(FermatTextToBigInt(BigIntToFermatText(n))), x.Str());
    }
  }
}

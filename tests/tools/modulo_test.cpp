#include <gtest/gtest.h>

#include <gmp.h>

#include <random>

#include "tools/Modulo.h"

namespace {

std::vector<std::string> Lines(const std::string& expr, const std::string& factor, int count = 0) {
  TModuloRun run = RunModulo(expr, factor, count);
  EXPECT_EQ(run.error, "") << expr;
  EXPECT_EQ(run.message, "") << expr;
  return run.lines;
}

std::string One(const std::string& expr, std::int64_t factor) {
  return ReduceExpression(expr, BigIntFromInt64(factor));
}

TEST(Modulo, ExpressionsReducedByTheRewritingRules) {
  struct Case {
    const char* expr;
    std::int64_t factor;
    const char* residue;
  };
  const Case cases[] = {
      {"3*2^5+1", 7, "6"},      // 97 mod 7
      {"2^300", 1000, "376"},   // two full chunks, no rest
      {"2^10", 1000, "24"},
      {"5-7", 10, "8"},         // a negative result is reduced at the end
      {"10-3+2", 100, "5"},     // every addition before any subtraction
      {"-3+5", 10, "2"},        // the leading minus applies to 3+5
      {"2^3^2", 1000, "64"},    // powers group from the left
      {"5^0", 3, "1"},
      {"3*2^5+1", 1, "0"},
      {"12-5-3", 100, "4"},     // subtractions from the left
      {"0^0", 5, "1"},
  };
  for (const Case& c : cases) EXPECT_EQ(One(c.expr, c.factor), c.residue) << c.expr << " mod " << c.factor;
}

TEST(Modulo, OperatorsWithoutDigitsAndBlanksDoNotFail) {
  // An empty operand reads as zero; blanks are ignored, so the form shown in
  // the hint ("a * b^c + d") works as typed.
  EXPECT_EQ(One("2^", 7), "1");
  EXPECT_EQ(One("*5", 7), "0");
  EXPECT_EQ(One("+5", 7), "5");
  EXPECT_EQ(One("5-", 7), "5");
  EXPECT_EQ(One("-5", 7), "2");
  EXPECT_EQ(One("^", 7), "1");
  EXPECT_EQ(One("3 * 2^5 + 1", 7), "6");
}

TEST(Modulo, NegativeIntermediateFollowedByMinusIsAConversionError) {
  EXPECT_THROW(One("5-7-1", 10), EConvertError);
  TModuloRun run = RunModulo("5-7-1", "10", 2);
  EXPECT_TRUE(run.lines.empty());
  EXPECT_EQ(run.error, "'2-1' is not a valid integer value");
}

TEST(Modulo, RunOverSeveralFactors) {
  EXPECT_EQ(Lines("2^10", "1000", 2), (std::vector<std::string>{"24", "23", "22"}));
  EXPECT_EQ(Lines("7", "2", 0).size(), 1U);
  std::vector<std::string> many = Lines("3*2^5+1", "1", 1000);
  ASSERT_EQ(many.size(), 1001U);
  EXPECT_EQ(many[0], "0");
  EXPECT_EQ(many[96], "0");   // 97 divides 97
  EXPECT_EQ(many[1000], "97");
}

TEST(Modulo, FactorsOfZeroOrBelowComputeNothing) {
  for (const char* f : {"0", "-5"}) {
    TModuloRun run = RunModulo("3*2^5+1", f, 10);
    EXPECT_TRUE(run.lines.empty()) << f;
    EXPECT_EQ(run.error, "") << f;
    EXPECT_FALSE(run.computed) << f;
  }
}

TEST(Modulo, InvalidFactorIsTheConversionError) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {{"abc", "'abc' is not a valid integer value"},
                        {"", "'' is not a valid integer value"},
                        {"9223372036854775808", "'9223372036854775808' is not a valid integer value"},
                        {"12 ", "'12 ' is not a valid integer value"}};
  for (const Case& c : cases) {
    TModuloRun run = RunModulo("2^10", c.text, 3);
    EXPECT_FALSE(run.factorRead) << c.text;
    EXPECT_TRUE(run.lines.empty());
    EXPECT_EQ(run.error, c.error);
  }
  EXPECT_EQ(RunModulo("2^10", "-9223372036854775808", 0).startFactor, INT64_MIN);
  EXPECT_EQ(RunModulo("2^10", " +42", 0).lines, std::vector<std::string>{"16"});
}

TEST(Modulo, ExpressionsOutsideTheFormGetAMessage) {
  for (const char* e : {"abc", "2^x", "(3+4)", "3.5"}) {
    TModuloRun run = RunModulo(e, "7", 0);
    EXPECT_EQ(run.message, kModuloBadExpression) << e;
    EXPECT_TRUE(run.lines.empty());
  }
  for (const char* e : {"", "   "}) EXPECT_EQ(RunModulo(e, "7", 0).message, kModuloEmptyExpression);
  // A factor that is not valid is reported first.
  EXPECT_EQ(RunModulo("abc", "x", 0).error, "'x' is not a valid integer value");
}

TEST(Modulo, LastFactorsNearTheTopOfInt64) {
  std::vector<std::string> lines = Lines("10", "9223372036854775806", 3);
  ASSERT_EQ(lines.size(), 4U);
  EXPECT_EQ(lines[3], "10");
  EXPECT_EQ(ModuloLineDisplay(lines[3], 9223372036854775806, 3), "=10(Mod 9223372036854775809)");
}

// b^e mod m by GMP, the oracle.
std::string GmpPowMod(const char* b, const char* e, const char* m) {
  mpz_t x, y, z;
  mpz_init_set_str(x, b, 10);
  mpz_init_set_str(y, e, 10);
  mpz_init_set_str(z, m, 10);
  mpz_powm(x, x, y, z);
  char* text = mpz_get_str(nullptr, 10, x);
  std::string s(text);
  void (*freeFunc)(void*, size_t);
  mp_get_memory_functions(nullptr, nullptr, &freeFunc);
  freeFunc(text, s.size() + 1);
  mpz_clears(x, y, z, nullptr);
  return s;
}

TEST(Modulo, PowersAgreeWithGmp) {
  struct Case {
    const char* b;
    const char* e;
    const char* m;
  };
  const Case cases[] = {{"2", "151", "1000000007"},  // one chunk and a rest of one
                        {"123456789012345678901234567890", "2", "999999999989"},
                        {"3", "1000000000000000000", "999999999999999989"},
                        {"98765432109876543210987654321098765432109876543210", "299", "1000"},
                        {"2", "1383505805528216371199", "999999999999999999"}};
  for (const Case& c : cases)
    EXPECT_EQ(One(std::string(c.b) + "^" + c.e, std::stoll(c.m)), GmpPowMod(c.b, c.e, c.m)) << c.b << "^" << c.e;
}

TEST(Modulo, HugeExponentsAnswerAtOnce) {
  // 2^(10^18) mod p for p = 10^9 + 7: 10^18 mod (p - 1) = 36, by Fermat.
  EXPECT_EQ(One("2^1000000000000000000", 1000000007), One("2^36", 1000000007));
  // Just below 150 * 2^63 the chunk count still fits.
  EXPECT_NO_THROW(One("3^1383505805528216371199", 1000));
}

TEST(Modulo, ExponentOf150Times2To63IsTheConversionError) {
  // 150 * 2^63 = 1383505805528216371200: the chunk count 2^63 does not fit.
  TModuloRun run = RunModulo("7*3^1383505805528216371200", "5", 2);
  EXPECT_TRUE(run.lines.empty());
  EXPECT_EQ(run.error, "'9223372036854775808' is not a valid integer value");
  // A later power fails only where it is reached: earlier factors stay.
  EXPECT_THROW(PowerModChunked(BigIntFromInt64(3), BigIntFromDecimal("1383505805528216371200"),
                               BigIntFromInt64(5)),
               EConvertError);
}

TEST(Modulo, FastPowerEqualsTheChunkedReference) {
  std::mt19937_64 rng(12345);
  auto digits = [&](int n) {
    std::string s(1, static_cast<char>('1' + rng() % 9));
    for (int i = 1; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
    return s;
  };
  for (int i = 0; i < 300; ++i) {
    const TBigInt b = BigIntFromDecimal(i % 7 == 0 ? "0" : digits(1 + static_cast<int>(rng() % 40)));
    const TBigInt e = BigIntFromInt64(static_cast<std::int64_t>(i % 5 == 0 ? rng() % 3 : rng() % 5000));
    const TBigInt m = BigIntFromDecimal(i % 11 == 0 ? "1" : digits(1 + static_cast<int>(rng() % 18)));
    EXPECT_EQ(BigIntToDecimal(PowerModFast(b, e, m)), BigIntToDecimal(PowerModChunked(b, e, m)))
        << BigIntToDecimal(b) << "^" << BigIntToDecimal(e) << " mod " << BigIntToDecimal(m);
  }
}

TEST(Modulo, DisplayAndTrackBarTexts) {
  EXPECT_EQ(ModuloLineDisplay("6", 7, 0), "=6(Mod 7)");
  EXPECT_EQ(ModuloLineDisplay("1", 7, 2), "=1(Mod 9)");  // third line of a run from 7
  EXPECT_EQ(ModuloTrackBarLabel(0), "Only this factor");
  EXPECT_EQ(ModuloTrackBarLabel(1), "Include the next 1 divisors");
  EXPECT_EQ(ModuloTrackBarLabel(1000), "Include the next 1000 divisors");
}

TEST(Modulo, CancelStopsTheRun) {
  TProgress progress;
  progress.Cancel();
  EXPECT_THROW(RunModulo("2^10", "7", 1000, &progress), ECancelled);
}

}  // namespace

// FormatGeneral and the readers of typed numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "numbers/text/FormatGeneral.h"
#include "numbers/text/NumberText.h"

namespace {

TEST(FormatGeneral, PlainBelowTenToTheFifteenElseENotation) {
  struct Row {
    long double value;
    const char* text;
  };
  const Row rows[] = {
      {0, "0"},
      {97, "97"},
      {-5, "-5"},
      {12.7L, "12.7"},
      {0.5L, "0.5"},
      {1234.5678L, "1234.5678"},
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      {0.0001L, "0.0001"},
      {0.000123456L, "0.000123456"},
      {0.00001L, "1E-5"},
      {-2.5e-7L, "-2.5E-7"},
      {999999999999999.0L, "999999999999999"},
      {999999999999999.5L, "1E15"},  // rounds up to sixteen digits
      {1e15L, "1E15"},
      {1e15L + 37, "1.00000000000004E15"},
      {1e16L, "1E16"},
      {2.5e16L, "2.5E16"},
      {5e17L, "5E17"},
      {123456789012345678.0L, "1.23456789012346E17"},
      {999999999999999999.0L, "1E18"},
      {1e18L, "1E18"},
      {1e300L, "1E300"},
      // Rounded once from the exact value: the digits after the fifteenth
      // are 4999..., which a first rounding to twenty digits turns into 5.
      {static_cast<long double>(0.004292285984299005), "0.004292285984299"},
      {static_cast<long double>(1870557.811711855), "1870557.81171185"},
      {1000000000000005.0L, "1.00000000000001E15"},  // an exact half goes up
      {1000000000000004.5L, "1E15"},
      {std::numeric_limits<long double>::infinity(), "INF"},
      {-std::numeric_limits<long double>::infinity(), "-INF"},
      {std::numeric_limits<long double>::quiet_NaN(), "NAN"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatGeneral(r.value), r.text) << static_cast<double>(r.value);
}

TEST(FormatGeneral, RoundsOnceFromTheExtendedValue) {
  if constexpr (std::numeric_limits<long double>::digits >= 64) {
    EXPECT_EQ(FormatGeneral(7.55298651022292499996e-06L), "7.55298651022292E-6");
  }
}

TEST(FormatGeneral, ExactDecimalsAndWholeNumbers) {
  EXPECT_EQ(FormatGeneralDigits(false, "999999999999999989", 17), "1E18");
  EXPECT_EQ(FormatGeneralDigits(false, "1000000000000004999999999", 15), "1E15");
  EXPECT_EQ(FormatGeneralDigits(false, "10000000000000050", 15), "1.00000000000001E15");
  EXPECT_EQ(FormatGeneralDigits(true, "125", -1, ","), "-0,125");
  EXPECT_EQ(FormatGeneralDigits(false, "", 7), "0");
  EXPECT_EQ(FormatGeneralWhole(0), "0");
  EXPECT_EQ(FormatGeneralWhole(999999999999999), "999999999999999");
  EXPECT_EQ(FormatGeneralWhole(1000000000000037), "1.00000000000004E15");
  EXPECT_EQ(FormatGeneralWhole(999999999999999989), "1E18");
  EXPECT_EQ(FormatGeneralWhole(18446744073709551615u), "1.84467440737096E19");
}

TEST(FormatGeneral, UsesTheGivenSeparator) {
  EXPECT_EQ(FormatGeneral(12.7L, ","), "12,7");
  EXPECT_EQ(FormatGeneral(2.5e16L, ","), "2,5E16");
  EXPECT_EQ(FormatGeneral(0.25L, "\xC2\xB7"), "0\xC2\xB7" "25");
  EXPECT_EQ(FormatGeneral(97, ","), "97");
}

TEST(ReadFloatText, AcceptedForms) {
  struct Row {
    const char* text;
    long double value;
  };
  const Row rows[] = {
      {"97", 97},
      {"1e18", 1e18L},
      {"1E18", 1e18L},
      {"1e+3", 1000},
      {"25E-1", 2.5L},
      {" 12.7 ", 12.7L},
      {"-3", -3},
      {"+4", 4},
      {".5", 0.5L},
      {"5.", 5},
      {"007", 7},
      {"999999999999999999", 999999999999999999.0L},  // exact in extended precision
      {"1000000000000037", 1000000000000037.0L},
      {"1e19", 1e19L},
      {"1e-5000", 0},  // too small: zero
  };
  for (const Row& r : rows) {
    const std::optional<long double> v = ReadFloatText(r.text);
    ASSERT_TRUE(v.has_value()) << r.text;
    EXPECT_EQ(*v, r.value) << r.text;
  }
  EXPECT_EQ(ReadFloatText("12,7", ","), 12.7L);
  EXPECT_EQ(ReadFloatText("1,5e2", ","), 150);
}

TEST(ReadFloatText, RefusedForms) {
  for (const char* text : {"", " ", "abc", "1e", "e5", "1.2.3", "--1", "+-1", "1 2", "12a", "1e5000", "0x10",
                           "inf", "nan", ".", "-", "1e+", "12,7"})
    EXPECT_FALSE(ReadFloatText(text).has_value()) << text;
  EXPECT_FALSE(ReadFloatText("12.7", ",").has_value());
}

TEST(ReadDecimalText, ExactDigitsAndPowerOfTen) {
  struct Row {
    const char* text;
    bool negative;
    const char* digits;
    long exponent;
  };
  const Row rows[] = {
      {"999999999999999989", false, "999999999999999989", 17},
      {"0999999999999999989.000", false, "999999999999999989", 17},
      {"-12.50", true, "125", 1},
      {".005", false, "5", -3},
      {"0.0", false, "", 0},
      {"1e18", false, "1", 18},
      {"25E-1", false, "25", 0},
      {"1000", false, "1", 3},
      {" 1.5e+2 ", false, "15", 2},
  };
  for (const Row& r : rows) {
    const std::optional<TDecimalText> d = ReadDecimalText(r.text);
    ASSERT_TRUE(d.has_value()) << r.text;
    EXPECT_EQ(d->negative, r.negative) << r.text;
    EXPECT_EQ(d->digits, r.digits) << r.text;
    EXPECT_EQ(d->exponent, r.exponent) << r.text;
  }
  EXPECT_EQ(ReadDecimalText("12,5", ",")->digits, "125");
  for (const char* text : {"", "1e", "1.2.3", "12a", "e5", "."}) EXPECT_FALSE(ReadDecimalText(text)) << text;
}

TEST(ReadInt64Text, DecimalIntegersOnly) {
  struct Row {
    const char* text;
    std::optional<std::int64_t> value;
  };
  const Row rows[] = {
      {"2", 2},
      {"  -7", -7},
      {"+5", 5},
      {"007", 7},
      {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
      {"9223372036854775808", std::nullopt},
      {"-9223372036854775809", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"-", std::nullopt},
      {"12a", std::nullopt},
      {"12 ", std::nullopt},
      {"1e3", std::nullopt},
      {"1.0", std::nullopt},
  };
  for (const Row& r : rows) EXPECT_EQ(ReadInt64Text(r.text), r.value) << r.text;
}

}  // namespace

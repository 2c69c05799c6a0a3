// TBigInt: representation, text conversion, arithmetic and division edge
// cases, as tables of rows.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "numbers/bigint/BigInt.h"

namespace {

TBigInt D(const std::string& s) { return BigIntFromDecimal(s); }
std::string S(const TBigInt& a) { return BigIntToDecimal(a); }

// The digits of a (cells 1..n), least significant first.
std::vector<std::int64_t> Digits(const TBigInt& a) {
  return std::vector<std::int64_t>(a.Cells.begin() + 1, a.Cells.end());
}

// Normal form: n + 1 cells, digits in range, top digit non-zero unless zero.
::testing::AssertionResult Normal(const TBigInt& a) {
  if (a.Cells.size() < 2) return ::testing::AssertionFailure() << "no digits";
  if (a.Cells[0] != static_cast<std::int64_t>(a.Cells.size() - 1))
    return ::testing::AssertionFailure() << "count " << a.Cells[0] << " for " << a.Cells.size() << " cells";
  for (std::size_t i = 1; i < a.Cells.size(); ++i)
    if (a.Cells[i] < 0 || a.Cells[i] > kBigIntMask) return ::testing::AssertionFailure() << "digit " << i;
  if (a.Cells.size() > 2 && a.Cells.back() == 0) return ::testing::AssertionFailure() << "top digit zero";
  if (a.SignFlag > 1) return ::testing::AssertionFailure() << "flag " << int(a.SignFlag);
  return ::testing::AssertionSuccess();
}

TEST(BigIntText, DecimalRoundTrip) {
  struct Row {
    const char* text;
    const char* printed;
    int flag;
  };
  const Row rows[] = {
      {"0", "0", 1},
      {"-0", "-0", 0},
      {"000", "0", 1},
      {"-000", "-0", 0},
      {"", "0", 1},  // an empty text is zero, plus
      {"012", "12", 1},
      {"+12", "12", 1},
      {"abc12", "12", 1},
      {"  12", "12", 1},
      {"x-12", "-12", 0},  // junk before the sign is skipped too
      {"-007", "-7", 0},
      {"+5", "5", 1},
      {"1000000000", "1000000000", 1},
      {"1000000000000000000", "1000000000000000000", 1},
      {"999999999999999999999999999", "999999999999999999999999999", 1},
      {"-123456789012345678901234567890", "-123456789012345678901234567890", 0},
      {"2147483647", "2147483647", 1},
      {"2147483648", "2147483648", 1},
      {"18446744073709551616", "18446744073709551616", 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    TBigInt a = D(r.text);
    EXPECT_TRUE(Normal(a));
    EXPECT_EQ(S(a), r.printed);
    EXPECT_EQ(a.SignFlag, r.flag);
  }
}

TEST(BigIntText, DecimalDigits) {
  struct Row {
    const char* text;
    std::vector<std::int64_t> digits;
  };
  const Row rows[] = {
      {"0", {0}},
      {"1", {1}},
      {"2147483647", {0x7FFFFFFF}},
      {"2147483648", {0, 1}},
      {"4611686018427387903", {0x7FFFFFFF, 0x7FFFFFFF}},  // 2^62 - 1
      {"4611686018427387904", {0, 0, 1}},
      {"18446744073709551616", {0, 0, 4}},  // 2^64
  };
  for (const Row& r : rows) EXPECT_EQ(Digits(D(r.text)), r.digits) << r.text;
}

TEST(BigIntText, ConversionErrors) {
  struct Row {
    const char* text;
    const char* message;
  };
  const Row rows[] = {
      {"12a", "'12a' is not a valid integer value"},
      {"x", "'x' is not a valid integer value"},
      {"+", "'+' is not a valid integer value"},
      {"-", "'' is not a valid integer value"},
      {"--5", "'-5' is not a valid integer value"},  // only digit runs are chunks
      {"-+5", "'+5' is not a valid integer value"},
      {"12 3", "'12 3' is not a valid integer value"},
      {"$1F", "'1F' is not a valid integer value"},  // junk skipping stops at the 1
      {"-x", "'x' is not a valid integer value"},
      // Chunks of nine from the right: the lowest bad chunk is named.
      {"512345678x", "'12345678x' is not a valid integer value"},
      {"5x1234567890", "'5x1' is not a valid integer value"},
      {"1x3456789x12345678", "'x12345678' is not a valid integer value"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    TBigInt a;
    try {
      DecimalToBigInt(r.text, a);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), r.message);
    }
  }
  EXPECT_STREQ(EConvertError::NotFloat("abc").what(), "'abc' is not a valid floating point value");
}

TEST(BigIntText, Binary) {
  TBigInt two31 = D("2147483648");
  EXPECT_EQ(BigIntToBinary(two31), "1" + std::string(31, '0'));
  EXPECT_EQ(BigIntToBinary(D("-5")), "101");  // the flag is ignored
  EXPECT_EQ(BigIntToBinary(D("0")), "0");
  EXPECT_EQ(BigIntToBinary(D("-0")), "0");

  struct Row {
    std::string text;
    std::vector<std::int64_t> digits;
  };
  const Row rows[] = {
      {std::string(62, '1'), {0x7FFFFFFF, 0x7FFFFFFF}},
      {"", {0}},
      {"0", {0}},
      {"000", {0}},
      {"0001", {1}},
      {"1" + std::string(31, '0'), {0, 1}},
      {"x1", {1}},  // any character but 1 is a 0 bit
      {std::string(31, 'x') + "1", {1}},  // still normalised
      {"1012", {10}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    TBigInt a;
    a.SignFlag = 0;
    BinaryToBigInt(r.text, a);
    EXPECT_TRUE(Normal(a));
    EXPECT_EQ(Digits(a), r.digits);
    EXPECT_EQ(a.SignFlag, 1);
  }
}

TEST(BigIntPrimitives, CompareMagnitude) {
  struct Row {
    const char* a;
    const char* b;
    TBigIntOrder order;
  };
  const Row rows[] = {
      {"5", "-5", foEqual},
      {"-0", "0", foEqual},
      {"2147483648", "2147483647", foGreater},  // more digits
      {"2147483647", "2147483648", foLess},
      {"4294967297", "4294967296", foGreater},  // decided at index 1
      {"4294967296", "4294967297", foLess},
      {"-9", "3", foGreater},
  };
  for (const Row& r : rows) EXPECT_EQ(BigIntCompareMagnitude(D(r.a), D(r.b)), r.order) << r.a << " " << r.b;
}

TEST(BigIntPrimitives, SignsAndParity) {
  struct Row {
    const char* a;
    bool odd;
    const char* negated;
  };
  const Row rows[] = {{"-3", true, "3"}, {"0", false, "-0"}, {"-0", false, "0"}, {"2147483649", true, "-2147483649"}};
  for (const Row& r : rows) {
    TBigInt a = D(r.a);
    EXPECT_EQ(IsOddBigInt(a), r.odd) << r.a;
    NegateBigInt(a);
    EXPECT_EQ(S(a), r.negated);
    MakePositiveBigInt(a);
    EXPECT_EQ(a.SignFlag, 1);
  }
  TBigInt odd;
  odd.SignFlag = 7;  // "any other flag becomes 0"
  NegateBigInt(odd);
  EXPECT_EQ(odd.SignFlag, 0);
}

TEST(BigIntPrimitives, InPlace) {
  struct Row {
    const char* name;
    std::function<void(TBigInt&)> op;
    const char* a;
    const char* result;
  };
  const Row rows[] = {
      {"halve", HalveBigInt, "2147483648", "1073741824"},
      {"halve", HalveBigInt, "1", "0"},
      {"halve", HalveBigInt, "-7", "-3"},
      {"halve", HalveBigInt, "4294967297", "2147483648"},
      {"up", ShiftUpDigitBigInt, "1", "2147483648"},
      {"up", ShiftUpDigitBigInt, "-3", "-6442450944"},
      {"up", ShiftUpDigitBigInt, "0", "0"},
      {"down", ShiftDownDigitBigInt, "2147483647", "0"},
      {"down", ShiftDownDigitBigInt, "-6442450945", "-3"},
      {"down", ShiftDownDigitBigInt, "0", "0"},
      {"submag", [](TBigInt& a) { SubtractMagnitudeBigInt(a, D("1")); }, "2147483648", "2147483647"},
      {"submag", [](TBigInt& a) { SubtractMagnitudeBigInt(a, D("5")); }, "-5", "-0"},
      {"submag", [](TBigInt& a) { SubtractMagnitudeBigInt(a, D("-4")); }, "-9", "-5"},
      {"mulsmall", [](TBigInt& a) { MultiplyBySmallBigInt(a, 2); }, "2147483647", "4294967294"},
      {"mulsmall", [](TBigInt& a) { MultiplyBySmallBigInt(a, 3); }, "-4", "-12"},
      {"mulsmall", [](TBigInt& a) { MultiplyBySmallBigInt(a, 2147483647); }, "2147483647",
       "4611686014132420609"},
      {"release", BigIntRelease, "-123456789012345", "-0"},
      {"release", BigIntRelease, "99", "0"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.name) + " " + r.a);
    TBigInt a = D(r.a);
    r.op(a);
    EXPECT_TRUE(Normal(a));
    EXPECT_EQ(S(a), r.result);
  }
  TBigInt a = D("2147483648");
  SubtractMagnitudeBigInt(a, D("1"));
  EXPECT_EQ(Digits(a), (std::vector<std::int64_t>{0x7FFFFFFF}));
  a = D("2147483647");
  MultiplyBySmallBigInt(a, 2);
  EXPECT_EQ(Digits(a), (std::vector<std::int64_t>{0x7FFFFFFE, 1}));
}

TEST(BigIntPrimitives, DivideBySmall) {
  struct Row {
    const char* a;
    std::int64_t d;
    const char* quotient;
    std::int64_t remainder;
  };
  const Row rows[] = {
      {"1000000000000000000", 1000000000, "1000000000", 0},
      {"-1000000000000000001", 1000000000, "-1000000000", 1},
      {"123456789123456789123456789", 1000000000, "123456789123456789", 123456789},
      {"18446744073709551615", 4294967296, "4294967295", 4294967295},
      {"18446744073709551616", 1073741824, "17179869184", 0},
      {"5", 7, "0", 5},
      {"5", 1, "5", 0},
  };
  for (const Row& r : rows) {
    TBigInt a = D(r.a);
    EXPECT_EQ(DivideBySmallBigInt(a, r.d), r.remainder) << r.a;
    EXPECT_TRUE(Normal(a));
    EXPECT_EQ(S(a), r.quotient);
  }
  TBigInt a = D("5");
  EXPECT_THROW(DivideBySmallBigInt(a, 0), EDivByZero);
}

TEST(BigIntPrimitives, CopyAndDefault) {
  TBigInt fresh;
  EXPECT_EQ(S(fresh), "0");
  EXPECT_TRUE(Normal(fresh));
  TBigInt a = D("-98765432109876543210"), b = D("7");
  CopyBigInt(a, b);
  EXPECT_EQ(S(b), "-98765432109876543210");
  b.Cells[1] = 0;  // independent cells
  EXPECT_EQ(S(a), "-98765432109876543210");
  CopyBigInt(a, a);
  EXPECT_EQ(S(a), "-98765432109876543210");
  // A moved-from record reads as zero instead of reading past its cells.
  TBigInt moved = D("5");
  TBigInt sink = std::move(moved);
  moved.Cells.clear();
  EXPECT_EQ(S(moved), "0");
  TBigInt r;
  AddBigInt(moved, sink, r);
  EXPECT_EQ(S(r), "5");
}

// A two-operand operation as a row: name, a, b, expected text.
struct BinaryRow {
  const char* a;
  const char* b;
  const char* result;
};

void CheckBinary(const char* name, void (*op)(const TBigInt&, const TBigInt&, TBigInt&),
                 const std::vector<BinaryRow>& rows) {
  for (const BinaryRow& r : rows) {
    SCOPED_TRACE(std::string(name) + " " + r.a + " " + r.b);
    TBigInt res = D("12345");
    op(D(r.a), D(r.b), res);
    EXPECT_TRUE(Normal(res));
    EXPECT_EQ(S(res), r.result);
  }
}

TEST(BigIntArithmetic, Add) {
  CheckBinary("add", AddBigInt,
              {
                  {"2147483647", "1", "2147483648"},
                  {"5", "-5", "0"},
                  {"-5", "5", "-0"},
                  {"-3", "10", "7"},
                  {"3", "-10", "-7"},
                  {"-0", "0", "-0"},
                  {"0", "-0", "0"},
                  {"-0", "-0", "-0"},
                  {"4611686018427387904", "-1", "4611686018427387903"},  // borrow through
                  {"-1", "4611686018427387904", "4611686018427387903"},
                  {"4611686018427387903", "1", "4611686018427387904"},   // carry through
                  {"2147483648", "-2147483647", "1"},                    // shorter result
              });
  TBigInt r;
  AddBigInt(D("2147483647"), D("1"), r);
  EXPECT_EQ(Digits(r), (std::vector<std::int64_t>{0, 1}));
  AddBigInt(D("2147483648"), D("-2147483647"), r);
  EXPECT_EQ(r.Count(), 1);
}

TEST(BigIntArithmetic, Subtract) {
  CheckBinary("sub", SubtractBigInt,
              {
                  {"5", "5", "0"},
                  {"-5", "-5", "-0"},
                  {"3", "10", "-7"},
                  {"-3", "-10", "7"},
                  {"0", "0", "0"},
                  {"-0", "0", "-0"},
                  {"0", "-0", "0"},
                  {"4611686018427387904", "1", "4611686018427387903"},
              });
  TBigInt b = D("-4");
  TBigInt r;
  SubtractBigInt(D("1"), b, r);
  EXPECT_EQ(b.SignFlag, 0);  // b unchanged
  EXPECT_EQ(S(r), "5");
}

TEST(BigIntArithmetic, Multiply) {
  CheckBinary("mul", MultiplyBigInt,
              {
                  {"0", "-7", "-0"},
                  {"-7", "0", "-0"},
                  {"-0", "-7", "0"},
                  {"-2", "-3", "6"},
                  {"-2", "3", "-6"},
                  {"2147483647", "2147483647", "4611686014132420609"},
                  {"4611686018427387903", "4611686018427387903", "21267647932558653957237540927630737409"},
                  {"18446744073709551616", "18446744073709551616", "340282366920938463463374607431768211456"},
              });
  TBigInt r;
  MultiplyBigInt(D("2147483647"), D("2147483647"), r);
  EXPECT_EQ(Digits(r), (std::vector<std::int64_t>{1, 0x7FFFFFFE}));
}

TEST(BigIntArithmetic, Square) {
  struct Row {
    const char* a;
    const char* result;
  };
  const Row rows[] = {
      {"-5", "25"},
      {"-0", "0"},
      {"2147483647", "4611686014132420609"},
      {"4611686018427387903", "21267647932558653957237540927630737409"},
  };
  for (const Row& r : rows) {
    TBigInt res;
    SquareBigInt(D(r.a), res);
    EXPECT_EQ(S(res), r.result) << r.a;
    EXPECT_EQ(res.SignFlag, 1);
  }
  // Every digit 0x7FFFFFFF: (B^n - 1)^2 = B^2n - 2 B^n + 1, exact.
  for (int n : {1, 2, 3, 7, 40, 200}) {
    TBigInt a;
    BinaryToBigInt(std::string(31 * n, '1'), a);
    TBigInt sq, prod;
    SquareBigInt(a, sq);
    MultiplyBigInt(a, a, prod);
    std::vector<std::int64_t> expect(2 * n, 0);
    expect[0] = 1;
    expect[n] = 0x7FFFFFFE;
    for (int i = n + 1; i < 2 * n; ++i) expect[i] = 0x7FFFFFFF;
    EXPECT_EQ(Digits(sq), expect) << n;
    EXPECT_EQ(Digits(prod), expect) << n;
  }
}

TEST(BigIntArithmetic, Power) {
  CheckBinary("pow", PowerBigInt,
              {
                  {"7", "0", "1"},
                  {"0", "0", "1"},
                  {"-0", "0", "1"},
                  {"-7", "-0", "1"},
                  {"-2", "3", "-8"},
                  {"-2", "2", "4"},
                  {"2", "-3", "8"},
                  {"-5", "1", "-5"},
                  {"-0", "3", "-0"},
                  {"-0", "2", "0"},
                  {"0", "5", "0"},
                  {"1", "1000000000000000000000000000000", "1"},
                  {"-1", "1000000000000000000000000000001", "-1"},
                  {"-1", "1000000000000000000000000000000", "1"},
                  {"2", "64", "18446744073709551616"},
                  {"10", "30", "1000000000000000000000000000000"},
                  {"-3", "41", "-36472996377170786403"},
                  {"2147483648", "2", "4611686018427387904"},
              });
  TBigInt r;
  PowerBigInt(D("2"), D("64"), r);
  EXPECT_EQ(Digits(r), (std::vector<std::int64_t>{0, 0, 4}));
}

// Division: a, b, quotient, remainder.
TEST(BigIntDivision, DivMod) {
  struct Row {
    const char* a;
    const char* b;
    const char* q;
    const char* r;
  };
  const Row rows[] = {
      {"7", "2", "3", "1"},
      {"-7", "2", "-4", "1"},
      {"7", "-2", "-3", "1"},
      {"-7", "-2", "4", "1"},
      {"-6", "2", "-3", "0"},
      {"-6", "-2", "3", "0"},
      {"3", "-5", "-0", "3"},
      {"3", "5", "0", "3"},
      {"-3", "5", "-1", "2"},
      {"-3", "-5", "1", "2"},
      {"5", "5", "1", "0"},
      {"-5", "5", "-1", "0"},
      {"0", "5", "0", "0"},
      {"-0", "5", "-0", "0"},
      {"0", "-5", "-0", "0"},
      {"-0", "-5", "0", "0"},
      // One-digit divisor against a long dividend.
      {"1000000000000000000000000000000000000000", "7", "142857142857142857142857142857142857142", "6"},
      // The dividend's leading digits equal the divisor's.
      {"4611686018427387911", "4611686018427387907", "1", "4"},
      // Divisor with top digit 0x7FFFFFFF, and with top digit 1.
      {"21267647932558653957237540927630737409", "4611686018427387903", "4611686018427387903", "0"},
      {"21267647932558653957237540927630737410", "4611686018427387903", "4611686018427387903", "1"},
      {"340282366920938463463374607431768211455", "2147483649", "158456324954741698926609432560", "15"},
      {"-340282366920938463463374607431768211455", "2147483649", "-158456324954741698926609432561", "2147483634"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.a) + " / " + r.b);
    TBigInt q, rem;
    DivModBigInt(D(r.a), D(r.b), q, rem);
    EXPECT_TRUE(Normal(q));
    EXPECT_TRUE(Normal(rem));
    EXPECT_EQ(S(q), r.q);
    EXPECT_EQ(S(rem), r.r);
    TBigInt q2, r2;
    DivideBigInt(D(r.a), D(r.b), q2);
    ModuloBigInt(D(r.a), D(r.b), r2);
    EXPECT_EQ(S(q2), r.q);
    EXPECT_EQ(S(r2), r.r);
  }
}

TEST(BigIntDivision, Modulo) {
  CheckBinary("mod", ModuloBigInt,
              {
                  {"-1", "7", "6"},
                  {"-14", "7", "0"},
                  {"-0", "7", "0"},
                  {"-0", "-7", "0"},
                  {"14", "-4", "2"},
                  {"-14", "-4", "2"},
              });
  TBigInt r;
  SquareModBigInt(D("-12"), D("7"), r);
  EXPECT_EQ(S(r), "4");
  MultiplyModBigInt(D("-12"), D("5"), D("7"), r);
  EXPECT_EQ(S(r), "3");
}

TEST(BigIntDivision, ZeroDivisor) {
  const TBigInt a = D("12"), z = D("0"), mz = D("-0");
  TBigInt q, r;
  for (const TBigInt* zero : {&z, &mz}) {
    EXPECT_THROW(DivModBigInt(a, *zero, q, r), EDivByZero);
    EXPECT_THROW(DivideBigInt(a, *zero, q), EDivByZero);
    EXPECT_THROW(ModuloBigInt(a, *zero, r), EDivByZero);
    EXPECT_THROW(SquareModBigInt(a, *zero, r), EDivByZero);
    EXPECT_THROW(MultiplyModBigInt(a, a, *zero, r), EDivByZero);
  }
  try {
    ModuloBigInt(a, z, r);
  } catch (const EDivByZero& e) {
    EXPECT_STREQ(e.what(), "Division by zero");
  }
}

TEST(BigIntDivision, Gcd) {
  CheckBinary("gcd", GcdBigInt,
              {
                  {"12", "18", "6"},
                  {"18", "12", "6"},
                  {"7", "0", "7"},
                  {"0", "7", "7"},
                  {"-7", "0", "-7"},
                  {"0", "-7", "-7"},
                  {"0", "0", "0"},
                  {"-0", "0", "-0"},
                  {"-6", "6", "-6"},
                  {"6", "-6", "6"},
                  {"12", "-6", "-6"},
                  {"-12", "6", "6"},
                  {"-12", "-18", "6"},
                  {"-18", "-12", "6"},
                  {"-12", "-6", "-6"},
                  {"1000000000000000000000000000000", "999999999999999999999999999998", "2"},
              });
}

TEST(BigIntDivision, ModInverse) {
  struct Row {
    const char* a;
    const char* m;
    bool found;
    const char* result;  // "untouched" rows keep the sentinel
  };
  const Row rows[] = {
      {"3", "8", true, "3"},
      {"7", "16", true, "7"},
      {"4", "8", false, "-424242"},
      {"0", "8", false, "-424242"},
      {"3", "7", true, "5"},
      {"10", "7", true, "5"},
      {"1", "5", true, "1"},
      {"0", "1", true, "0"},
      {"5", "1", true, "0"},
      {"-3", "7", true, "2"},
      {"-1", "5", false, "-424242"},  // gcd(-1, 5) is -1, not 1
      {"123456789012345678901", "340282366920938463463374607431768211456", true,
       "300812405807828733897251259893227882013"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.a) + " mod " + r.m);
    TBigInt res = D("-424242");
    EXPECT_EQ(ModInverseBigInt(D(r.a), D(r.m), res), r.found);
    EXPECT_EQ(S(res), r.result);
  }
}

TEST(BigIntAliasing, ResultMayBeAnInput) {
  TBigInt a = D("-123456789012345678901234567890"), b = D("987654321987654321");
  const std::string as = S(a), bs = S(b);
  auto check = [&](void (*op)(const TBigInt&, const TBigInt&, TBigInt&)) {
    TBigInt expect, x = D(as), y = D(bs);
    op(x, y, expect);
    op(x, y, x);
    EXPECT_EQ(S(x), S(expect));
    x = D(as);
    op(x, y, y);
    EXPECT_EQ(S(y), S(expect));
    TBigInt z = D(as), zz;
    op(z, z, zz);
    op(z, z, z);
    EXPECT_EQ(S(z), S(zz));
  };
  check(AddBigInt);
  check(SubtractBigInt);
  check(MultiplyBigInt);
  check(DivideBigInt);
  check(ModuloBigInt);
  check(GcdBigInt);
  check([](const TBigInt& x, const TBigInt&, TBigInt& r) { PowerBigInt(x, BigIntFromInt64(3), r); });
  TBigInt x = D(as), y = D(bs);
  DivModBigInt(x, y, x, y);
  EXPECT_EQ(S(x), "-124999998749");
  EXPECT_EQ(S(y), "555554417209876539");
  x = D(as);
  SquareBigInt(x, x);
  EXPECT_EQ(S(x), "15241578753238836750495351562536198787501905199875019052100");
}

TEST(BigIntConveniences, Int64) {
  const std::int64_t values[] = {0, 1, -1, 2147483647, 2147483648, -2147483648, 4611686018427387904,
                                 std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min()};
  for (std::int64_t v : values) {
    TBigInt a = BigIntFromInt64(v);
    EXPECT_TRUE(Normal(a));
    EXPECT_EQ(S(a), std::to_string(v));
    std::int64_t back = 7;
    EXPECT_TRUE(BigIntToInt64(a, back));
    EXPECT_EQ(back, v);
  }
  std::int64_t out = 0;
  EXPECT_FALSE(BigIntToInt64(D("9223372036854775808"), out));
  EXPECT_TRUE(BigIntToInt64(D("-9223372036854775808"), out));
  EXPECT_FALSE(BigIntToInt64(D("-9223372036854775809"), out));
  EXPECT_FALSE(BigIntToInt64(D("18446744073709551616"), out));
  EXPECT_TRUE(BigIntToInt64(D("-0"), out));
  EXPECT_EQ(out, 0);

  struct Row {
    const char* a;
    std::int64_t bits;
  };
  const Row rows[] = {{"0", 0}, {"1", 1}, {"-7", 3}, {"2147483647", 31}, {"2147483648", 32}, {"18446744073709551616", 65}};
  for (const Row& r : rows) EXPECT_EQ(BigIntBitLength(D(r.a)), r.bits) << r.a;
}

}  // namespace

#include <gtest/gtest.h>

#include "numbers/bigint/BigInt.h"
#include "tools/Calculator.h"

namespace {

using Op = TCalcOperation;

TEST(Calculator, FourOperations) {
  struct Case {
    Op op;
    const char* a;
    const char* b;
    const char* result;
  };
  const Case cases[] = {
      {Op::Gcf, "12", "18", "6"},      {Op::Add, "12", "18", "30"},
      {Op::Subtract, "12", "18", "-6"}, {Op::Multiply, "12", "18", "216"},
      {Op::Add, "0012", "3", "15"},     // leading zeros do not survive
      {Op::Gcf, "97", "97", "97"},      {Op::Gcf, "7", "0", "7"},
      {Op::Add, "", "", "0"},           // empty fields are zero
      {Op::Multiply, "", "5", "0"},     {Op::Gcf, "", "", "0"},
      {Op::Subtract, "", "8", "-8"},
      // Zero has no sign, whatever the library's flag says.
      {Op::Add, "-5", "5", "0"},        {Op::Multiply, "0", "-7", "0"},
      {Op::Subtract, "-5", "-5", "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Calculate(c.op, c.a, c.b), c.result) << c.a << " " << c.b;
}

TEST(Calculator, ResultsAreWrittenWhole) {
  const std::string a(200, '9');  // 10^200 - 1
  const std::string product = Calculate(Op::Multiply, a, a);
  // (10^200 - 1)^2 = 10^400 - 2*10^200 + 1: 199 nines, an 8, 199 zeros, a 1.
  EXPECT_EQ(product, std::string(199, '9') + "8" + std::string(199, '0') + "1");
  EXPECT_EQ(Calculate(Op::Add, a, "1"), "1" + std::string(200, '0'));
}

TEST(Calculator, OperandThatIsNotAnIntegerIsTheConversionError) {
  try {
    Calculate(Op::Add, "12a", "1");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
  }
  EXPECT_THROW(Calculate(Op::Gcf, "1", "-"), EConvertError);
}

}  // namespace

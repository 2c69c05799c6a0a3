#include "tools/Calculator.h"

#include "numbers/bigint/BigInt.h"

std::string Calculate(TCalcOperation operation, const std::string& a, const std::string& b) {
  TBigInt x, y, r;
  DecimalToBigInt(a, x);
  DecimalToBigInt(b, y);
  switch (operation) {
    case TCalcOperation::Gcf: GcdBigInt(x, y, r); break;
    case TCalcOperation::Add: AddBigInt(x, y, r); break;
    case TCalcOperation::Subtract: SubtractBigInt(x, y, r); break;
    case TCalcOperation::Multiply: MultiplyBigInt(x, y, r); break;
  }
  // The library keeps a sign on zero (5 - 5 vs -5 + 5); a calculator that
  // answers "-0" looks wrong, and zero has no sign.
  if (r.IsZero()) return "0";
  return BigIntToDecimal(r);
}

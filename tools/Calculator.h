// The Super Calculator's four operations on two decimal operands.
#pragma once

#include <string>

enum class TCalcOperation { Gcf, Add, Subtract, Multiply };

// The exact result as canonical decimal text, written whole however long.
// An empty operand is zero. A zero result is written "0", never "-0".
// Throws EConvertError for an operand that is not an integer.
std::string Calculate(TCalcOperation operation, const std::string& a, const std::string& b);

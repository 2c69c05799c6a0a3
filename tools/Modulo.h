// The Super Modulo's computation: an expression such as 3*2^5+1 reduced
// modulo a factor and the factors after it, by rewriting its text one
// operator class at a time ("^", then "*", then "+", then "-").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/progress/Progress.h"

// b^e mod m, non-negative, for m >= 1: the reference method, in chunks of
// 150 equal factors (one multiplication per chunk). The chunk count e div 150
// must fit a signed 64-bit integer; otherwise EConvertError names it.
TBigInt PowerModChunked(const TBigInt& b, const TBigInt& e, const TBigInt& m);

// The same residue and the same error, by square-and-multiply modulo m, so
// an exponent of 10^18 costs some sixty squarings.
TBigInt PowerModFast(const TBigInt& b, const TBigInt& e, const TBigInt& m);

// The residue of one expression modulo m (m >= 1), as its decimal text.
// Throws EConvertError when the rewritten text is not an integer (a
// negative intermediate followed by another subtraction) or an exponent is
// too large. Blanks are ignored.
std::string ReduceExpression(const std::string& expression, const TBigInt& m);

// Characters an expression may hold: digits, the four operators, blanks.
bool IsModuloExpressionText(const std::string& expression);

// The outcome of one press of "Modulo".
struct TModuloRun {
  bool computed = false;          // a factor above 0 was read and work began
  std::int64_t startFactor = 0;   // valid when a factor was read
  bool factorRead = false;
  std::vector<std::string> lines;  // one residue per factor, in factor order
  std::string error;    // conversion error for the error report; lines before it stay
  std::string message;  // a plain message of our own (bad expression)
};

// factorText is read as a signed 64-bit integer; count further factors
// follow it (0..1000 in the window). Never throws EConvertError: it lands in
// error. Throws ECancelled when progress asks to stop.
TModuloRun RunModulo(const std::string& expression, const std::string& factorText, int count,
                     TProgress* progress = nullptr);

// "=6(Mod 7)": a line with the factor it belongs to (start + index).
std::string ModuloLineDisplay(const std::string& line, std::int64_t startFactor, std::size_t index);

// The track bar's label: "Only this factor" or "Include the next 5 divisors".
std::string ModuloTrackBarLabel(int further);

// The message for an expression with characters other than digits,
// operators and blanks, and for an empty one.
extern const char* const kModuloBadExpression;
extern const char* const kModuloEmptyExpression;

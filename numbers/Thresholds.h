// Cut-over sizes between the multiplication, division and decimal
// conversion methods, in digits of base 2^31 (the Mul64, Sqr64 and Div64
// ones in 64-bit limbs). Printed by bench/tune on the project's machine;
// paste its output here.
#pragma once

#include <cstddef>

namespace bigraw {

constexpr std::size_t kMulKaratsubaThreshold = 260;
constexpr std::size_t kSqrKaratsubaThreshold = 444;
constexpr std::size_t kMulToom3Threshold = 2042;
constexpr std::size_t kSqrToom3Threshold = 1332;
constexpr std::size_t kMulLimbsThreshold = 2;
constexpr std::size_t kSqrLimbsThreshold = 4;
constexpr std::size_t kMul64KaratsubaThreshold = 31;
constexpr std::size_t kSqr64KaratsubaThreshold = 66;
constexpr std::size_t kMul64Toom3Threshold = 244;
constexpr std::size_t kSqr64Toom3Threshold = 250;
constexpr std::size_t kMul64Toom4Threshold = 1131;
constexpr std::size_t kSqr64Toom4Threshold = 1663;
constexpr std::size_t kDivDivideConquerThreshold = 129;
constexpr std::size_t kDivLimbsThreshold = 15;
constexpr std::size_t kDiv64DivideConquerThreshold = 145;
constexpr std::size_t kToDecimalDivideConquerThreshold = 17;
constexpr std::size_t kFromDecimalDivideConquerThreshold = 163;

}  // namespace bigraw

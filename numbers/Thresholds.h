// Cut-over sizes between the multiplication, division and decimal
// conversion methods, in digits of base 2^31 (the Mul64/Sqr64 ones in
// 64-bit limbs). Printed by bench/tune on the project's machine; paste
// its output here.
#pragma once

#include <cstddef>

namespace bigraw {

constexpr std::size_t kMulKaratsubaThreshold = 293;
constexpr std::size_t kSqrKaratsubaThreshold = 444;
constexpr std::size_t kMulToom3Threshold = 2042;
constexpr std::size_t kSqrToom3Threshold = 2157;
constexpr std::size_t kMulLimbsThreshold = 2;
constexpr std::size_t kSqrLimbsThreshold = 2;
constexpr std::size_t kMul64KaratsubaThreshold = 40;
constexpr std::size_t kSqr64KaratsubaThreshold = 66;
constexpr std::size_t kMul64Toom3Threshold = 252;
constexpr std::size_t kSqr64Toom3Threshold = 265;
constexpr std::size_t kMul64Toom4Threshold = 2000;
constexpr std::size_t kSqr64Toom4Threshold = 2000;
constexpr std::size_t kDivDivideConquerThreshold = 129;
constexpr std::size_t kDivLimbsThreshold = 11;
constexpr std::size_t kDiv64DivideConquerThreshold = 129;
constexpr std::size_t kToDecimalDivideConquerThreshold = 25;
constexpr std::size_t kFromDecimalDivideConquerThreshold = 40;

}  // namespace bigraw

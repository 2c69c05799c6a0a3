// Cut-over sizes between the multiplication, division and decimal
// conversion methods, in digits of base 2^31 (the Mul64/Sqr64 ones in
// 64-bit limbs). Printed by bench/tune on the project's machine; paste
// its output here.
#pragma once

#include <cstddef>

namespace bigraw {

constexpr std::size_t kMulKaratsubaThreshold = 260;
constexpr std::size_t kSqrKaratsubaThreshold = 967;
constexpr std::size_t kMulToom3Threshold = 991;
constexpr std::size_t kSqrToom3Threshold = 2901;
constexpr std::size_t kMulLimbsThreshold = 2;
constexpr std::size_t kSqrLimbsThreshold = 4;
constexpr std::size_t kMul64KaratsubaThreshold = 31;
constexpr std::size_t kSqr64KaratsubaThreshold = 60;
constexpr std::size_t kMul64Toom3Threshold = 275;
constexpr std::size_t kSqr64Toom3Threshold = 253;
constexpr std::size_t kMul64Toom4Threshold = 1065;
constexpr std::size_t kSqr64Toom4Threshold = 1790;
constexpr std::size_t kDivDivideConquerThreshold = 129;
constexpr std::size_t kDivLimbsThreshold = 20;
constexpr std::size_t kDiv64DivideConquerThreshold = 129;
constexpr std::size_t kToDecimalDivideConquerThreshold = 27;
constexpr std::size_t kFromDecimalDivideConquerThreshold = 44;

}  // namespace bigraw

// Cut-over sizes between the multiplication, division and decimal
// conversion methods, in digits of base 2^31 (the Mul64/Sqr64 ones in
// 64-bit limbs). Printed by bench/tune on the
// project's machine; paste its output here.
#pragma once

#include <cstddef>

namespace bigraw {

constexpr std::size_t kMulKaratsubaThreshold = 636;
constexpr std::size_t kSqrKaratsubaThreshold = 808;
constexpr std::size_t kMulToom3Threshold = 1908;
constexpr std::size_t kSqrToom3Threshold = 2424;
constexpr std::size_t kMulLimbsThreshold = 8;
constexpr std::size_t kSqrLimbsThreshold = 8;
constexpr std::size_t kMul64KaratsubaThreshold = 32;
constexpr std::size_t kSqr64KaratsubaThreshold = 48;
constexpr std::size_t kMul64Toom3Threshold = 120;
constexpr std::size_t kSqr64Toom3Threshold = 150;
constexpr std::size_t kDivDivideConquerThreshold = 129;
constexpr std::size_t kToDecimalDivideConquerThreshold = 27;
constexpr std::size_t kFromDecimalDivideConquerThreshold = 78;

}  // namespace bigraw

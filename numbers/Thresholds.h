// Cut-over sizes between the multiplication, division and decimal
// conversion methods, in digits of base 2^31 (the Mul64, Sqr64 and Div64
// ones in 64-bit limbs), and the exponent p from which Lucas-Lehmer
// squares by the weighted transform. Printed by bench/tune on the
// project's machine; paste its output here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cutover {

constexpr std::size_t kMulLimbsThreshold = 3;
constexpr std::size_t kSqrLimbsThreshold = 4;
constexpr std::size_t kMul64KaratsubaThreshold = 30;
constexpr std::size_t kSqr64KaratsubaThreshold = 66;
constexpr std::size_t kMul64Toom3Threshold = 245;
constexpr std::size_t kSqr64Toom3Threshold = 250;
constexpr std::size_t kMul64Toom4Threshold = 1067;
constexpr std::size_t kSqr64Toom4Threshold = 1663;
constexpr std::size_t kMul64NttThreshold = 640;
constexpr std::size_t kSqr64NttThreshold = 720;
constexpr std::size_t kMul64NttPlainThreshold = 2700;
constexpr std::size_t kSqr64NttPlainThreshold = 2700;
constexpr std::size_t kDivLimbsThreshold = 10;
constexpr std::size_t kDiv64DivideConquerThreshold = 145;
constexpr std::size_t kToDecimalDivideConquerThreshold = 38;
constexpr std::size_t kFromDecimalDivideConquerThreshold = 163;
constexpr std::int32_t kLucasLehmerTransformThreshold = 578;

}  // namespace cutover

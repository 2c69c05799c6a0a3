// Cut-over sizes (in digits of base 2^31) between the multiplication,
// division and decimal conversion methods. Printed by bench/tune on the
// project's machine; paste its output here.
#pragma once

#include <cstddef>

namespace bigraw {

constexpr std::size_t kMulKaratsubaThreshold = 40;
constexpr std::size_t kSqrKaratsubaThreshold = 60;
constexpr std::size_t kMulToom3Threshold = 400;
constexpr std::size_t kSqrToom3Threshold = 400;
constexpr std::size_t kDivDivideConquerThreshold = 80;
constexpr std::size_t kToDecimalDivideConquerThreshold = 60;
constexpr std::size_t kFromDecimalDivideConquerThreshold = 60;

}  // namespace bigraw

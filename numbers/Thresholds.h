// Cut-over sizes (in digits of base 2^31) between the multiplication,
// division and decimal conversion methods. Printed by bench/tune on the
// project's machine; paste its output here.
#pragma once

#include <cstddef>

namespace bigraw {

constexpr std::size_t kMulKaratsubaThreshold = 330;
constexpr std::size_t kSqrKaratsubaThreshold = 717;
constexpr std::size_t kMulToom3Threshold = 1051;
constexpr std::size_t kSqrToom3Threshold = 2285;
constexpr std::size_t kDivDivideConquerThreshold = 129;
constexpr std::size_t kToDecimalDivideConquerThreshold = 25;
constexpr std::size_t kFromDecimalDivideConquerThreshold = 48;

}  // namespace bigraw

// Cut-over sizes (in digits of base 2^31) between the multiplication,
// division and decimal conversion methods. Printed by bench/tune on the
// project's machine; paste its output here.
#pragma once

#include <cstddef>

namespace bigraw {

constexpr std::size_t kMulKaratsubaThreshold = 636;
constexpr std::size_t kSqrKaratsubaThreshold = 808;
constexpr std::size_t kMulToom3Threshold = 1908;
constexpr std::size_t kSqrToom3Threshold = 2424;
constexpr std::size_t kDivDivideConquerThreshold = 129;
constexpr std::size_t kToDecimalDivideConquerThreshold = 27;
constexpr std::size_t kFromDecimalDivideConquerThreshold = 78;

}  // namespace bigraw

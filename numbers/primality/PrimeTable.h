// The prime base table of the Rabin-Miller test: the 1228 odd primes from 3 to 9973 in
// increasing order. Rabin-Miller draws its bases from entries 0 to 1226.
#pragma once

#include <array>
#include <cstdint>

constexpr int kPrimeTableSize = 1228;
constexpr int kPrimeTableDrawn = 1227;  // entries 0 .. 1226 are drawn

extern const std::array<std::int32_t, kPrimeTableSize> kPrimeTable;

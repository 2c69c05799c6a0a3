#include "numbers/primality/PrimeTable.h"

namespace {

constexpr std::array<std::int32_t, kPrimeTableSize> BuildTable() {
  std::array<bool, 10000> composite{};
  for (int i = 2; i * i < 10000; ++i)
    if (!composite[i])
      for (int j = i * i; j < 10000; j += i) composite[j] = true;
  std::array<std::int32_t, kPrimeTableSize> table{};
  int k = 0;
  for (int i = 3; i < 10000; i += 2)
    if (!composite[i]) table[k++] = i;
  return table;
}

}  // namespace

constexpr std::array<std::int32_t, kPrimeTableSize> kBuilt = BuildTable();
static_assert(kBuilt[0] == 3 && kBuilt[1226] == 9967 && kBuilt[1227] == 9973,
              "the table holds the 1228 odd primes below 10000");

const std::array<std::int32_t, kPrimeTableSize> kPrimeTable = kBuilt;

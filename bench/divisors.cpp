// The divisor finder from the factorisation beside the plain loop (every d
// up to the square root), for 10^18, the prime 999999999999999989, random
// numbers near 10^18 and the number below 10^18 richest in divisors.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tools/Divisors.h"

namespace {

void Find(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    TDivisorOutcome out = FindDivisors(text);
    benchmark::DoNotOptimize(out.tree.data());
  }
}

void FindTenTo18(benchmark::State& state) { Find(state, "1000000000000000000"); }
BENCHMARK(FindTenTo18)->Unit(benchmark::kMicrosecond);

void FindPrime(benchmark::State& state) { Find(state, "999999999999999989"); }
BENCHMARK(FindPrime)->Unit(benchmark::kMicrosecond);

void FindRichest(benchmark::State& state) { Find(state, "897612484786617600"); }  // 103680 divisors
BENCHMARK(FindRichest)->Unit(benchmark::kMillisecond);

// Random numbers in [10^18 - 10^15, 10^18], a new one each iteration.
void FindRandomNearTenTo18(benchmark::State& state) {
  std::mt19937_64 rng(1);
  std::vector<std::string> texts;
  for (int i = 0; i < 256; ++i) texts.push_back(std::to_string(1000000000000000000ULL - rng() % 1000000000000000ULL));
  std::size_t i = 0;
  for (auto _ : state) {
    TDivisorOutcome out = FindDivisors(texts[i++ % texts.size()]);
    benchmark::DoNotOptimize(out.tree.data());
  }
}
BENCHMARK(FindRandomNearTenTo18)->Unit(benchmark::kMicrosecond);

// The plain loop: one remainder per d up to the square root, about 10^9.
std::size_t PlainLoop(std::uint64_t n) {
  std::size_t entries = 0;
  for (std::uint64_t d = 2; d * d <= n; ++d)
    if (n % d == 0) entries += n / d == d ? 1 : 2;
  return entries;
}

void PlainTenTo18(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(PlainLoop(1000000000000000000ULL));
}
BENCHMARK(PlainTenTo18)->Unit(benchmark::kMillisecond)->Iterations(1);

void PlainPrime(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(PlainLoop(999999999999999989ULL));
}
BENCHMARK(PlainPrime)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();

#include "numbers/primality/Random.h"

#include <atomic>
#include <chrono>
#include <random>

namespace {

// std::mt19937_64 seeded from the high-resolution clock plus a counter, so
// that two reseeds within one clock tick still differ.
class TClockGenerator final : public TRandomGenerator {
public:
  TClockGenerator() { Reseed(); }
  void Reseed() override {
    static std::atomic<std::uint64_t> counter{0};
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    const std::uint64_t n = counter.fetch_add(1, std::memory_order_relaxed);
    std::seed_seq seq{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                      static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(n >> 32)};
    engine_.seed(seq);
  }
  std::uint64_t Below(std::uint64_t bound) override {
    if (bound <= 1) return 0;
    return std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(engine_);
  }

private:
  std::mt19937_64 engine_;
};

std::atomic<TRandomGenerator*> g_override{nullptr};

}  // namespace

TRandomGenerator& RandomGenerator() {
  if (TRandomGenerator* g = g_override.load(std::memory_order_acquire)) return *g;
  thread_local TClockGenerator generator;
  return generator;
}

TScopedRandomGenerator::TScopedRandomGenerator(TRandomGenerator& generator)
    : previous_(g_override.exchange(&generator, std::memory_order_acq_rel)) {}

TScopedRandomGenerator::~TScopedRandomGenerator() {
  g_override.store(previous_, std::memory_order_release);
}

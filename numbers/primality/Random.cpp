#include "numbers/primality/Random.h"

#include <atomic>
#include <chrono>
#include <random>

namespace {

// xoshiro256** seeded through SplitMix64 from the high-resolution clock
// plus a counter, so that two reseeds within one clock tick still differ.
// Every test reseeds twice: a generator with a long seeding step (the
// Mersenne twister's seed_seq) cost a few per cent of a 200-digit test.
class TClockGenerator final : public TRandomGenerator {
public:
  using result_type = std::uint64_t;
  static constexpr result_type min() { return 0; }
  static constexpr result_type max() { return ~result_type{0}; }

  TClockGenerator() { Reseed(); }
  void Reseed() override {
    static std::atomic<std::uint64_t> counter{0};
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::uint64_t x = ticks ^ (counter.fetch_add(1, std::memory_order_relaxed) * 0xD1B54A32D192ED03u);
    for (std::uint64_t& w : state_) w = SplitMix(x);
  }
  std::uint64_t Below(std::uint64_t bound) override {
    if (bound <= 1) return 0;
    return std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(*this);
  }
  result_type operator()() {
    const std::uint64_t r = Rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = Rotl(state_[3], 45);
    return r;
  }

private:
  static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  // Four outputs for four different counter values are never all zero,
  // the one state xoshiro must avoid.
  static std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }

  std::uint64_t state_[4] = {};
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

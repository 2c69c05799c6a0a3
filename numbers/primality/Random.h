// The pseudo-random generator of the number tests (Rabin-Miller, rho): uniform
// draws, reseeded from the clock at the start of every test.
//
// Each thread has its own clock-seeded generator. Tests may install a
// generator of their own with TScopedRandomGenerator; it then serves every
// thread until the scope ends.
#pragma once

#include <cstdint>

class TRandomGenerator {
public:
  virtual ~TRandomGenerator() = default;
  // Called at the start of every test: a fresh seed from the clock.
  virtual void Reseed() = 0;
  // A uniform draw from 0 to bound - 1; bound >= 1.
  virtual std::uint64_t Below(std::uint64_t bound) = 0;
};

// The generator in force for the calling thread.
TRandomGenerator& RandomGenerator();

// Installs a generator for the lifetime of the object (tests only; not
// meant to be nested across threads).
class TScopedRandomGenerator {
public:
  explicit TScopedRandomGenerator(TRandomGenerator& generator);
  ~TScopedRandomGenerator();
  TScopedRandomGenerator(const TScopedRandomGenerator&) = delete;
  TScopedRandomGenerator& operator=(const TScopedRandomGenerator&) = delete;

private:
  TRandomGenerator* previous_;
};

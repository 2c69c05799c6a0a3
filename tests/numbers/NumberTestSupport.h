// Helpers shared by the number tests: GMP as the oracle, a scripted random
// generator, the normal-form check.
#pragma once

#include <gmp.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/primality/Random.h"
#include "tests/Mpz.h"

namespace numtest {

inline TBigInt D(const std::string& s) { return BigIntFromDecimal(s); }
inline std::string S(const TBigInt& a) { return BigIntToDecimal(a); }

using ::Mpz;

// A random number of exactly `bits` bits (top bit set).
// nextprime(10^(digits - 1) * lead).
inline Mpz PrimeNear(unsigned digits, unsigned long lead) {
  Mpz p;
  mpz_ui_pow_ui(p.get(), 10, digits - 1);
  mpz_mul_ui(p.get(), p.get(), lead);
  mpz_nextprime(p.get(), p.get());
  return p;
}

inline Mpz RandomBits(gmp_randstate_t state, unsigned long bits) {
  Mpz r;
  mpz_urandomb(r.get(), state, bits);
  mpz_setbit(r.get(), bits - 1);
  return r;
}

// Normal form: n + 1 cells, digits in range, top digit non-zero unless zero.
inline ::testing::AssertionResult Normal(const TBigInt& a) {
  if (a.Cells.size() < 2) return ::testing::AssertionFailure() << "no digits";
  if (a.Cells[0] != static_cast<std::int64_t>(a.Cells.size() - 1))
    return ::testing::AssertionFailure() << "count " << a.Cells[0] << " for " << a.Cells.size() << " cells";
  for (std::size_t i = 1; i < a.Cells.size(); ++i)
    if (a.Cells[i] < 0 || a.Cells[i] > kBigIntMask) return ::testing::AssertionFailure() << "digit " << i;
  if (a.Cells.size() > 2 && a.Cells.back() == 0) return ::testing::AssertionFailure() << "top digit zero";
  return ::testing::AssertionSuccess();
}

// Draws from a script (each taken modulo the bound), cycling.
class TScriptedGenerator : public TRandomGenerator {
public:
  explicit TScriptedGenerator(std::vector<std::uint64_t> draws) : draws_(std::move(draws)) {}
  void Reseed() override { ++reseeds; }
  std::uint64_t Below(std::uint64_t bound) override {
    const std::uint64_t v = draws_[next_++ % draws_.size()];
    return bound ? v % bound : 0;
  }
  int reseeds = 0;

private:
  std::vector<std::uint64_t> draws_;
  std::size_t next_ = 0;
};

// A GMP random state seeded from the clock; the seed is printed on failure
// through SCOPED_TRACE by the caller.
struct GmpRandom {
  GmpRandom() : seed(std::random_device{}()) {
    gmp_randinit_default(state);
    gmp_randseed_ui(state, seed);
  }
  ~GmpRandom() { gmp_randclear(state); }
  unsigned long seed;
  gmp_randstate_t state;
};

}  // namespace numtest

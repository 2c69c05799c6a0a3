// The sieving half of the self-initialising quadratic sieve: polynomials
// g(x) = ((A x + B)^2 - kN) / A with A a product of s base primes and the
// 2^(s-1) values of B that go with it (stepped in Gray-code order, so each
// new polynomial moves every root by one addition), sieved over [-M, M)
// with byte logarithms; the values that pass the threshold are trial
// divided and kept when they factor over the base, up to one large prime.
#pragma once

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "numbers/factor/SiqsBase.h"

// Y^2 - kN = (-1)^s * prod primes[c - 1] * largePrime, the columns c listed
// with repeats (column 0, the sign, at most once).
struct TSiqsRelation {
  TInt128 y = 0;
  std::vector<std::uint32_t> columns;
  std::uint64_t largePrime = 1;
};

class TSiqsSieve {
public:
  TSiqsSieve(const TSiqsBase& base, std::uint64_t seed);

  // Sieves one more polynomial and appends what it yields.
  void Next(std::vector<TSiqsRelation>& fulls, std::vector<TSiqsRelation>& partials);
  std::uint64_t Polynomials() const { return polynomials_; }

private:
  void NewA();
  void Sieve();
  void Scan(std::vector<TSiqsRelation>& fulls, std::vector<TSiqsRelation>& partials);
  bool TrialDivide(std::uint32_t pos, TSiqsRelation& r);
  std::uint64_t Random();

  const TSiqsBase& base_;
  std::uint64_t state_;
  std::uint64_t polynomials_ = 0;
  std::uint32_t size_;  // 2M
  std::vector<std::uint8_t> sieve_;
  std::vector<std::uint64_t> recip_;  // floor(2^40 / p) + 1

  // The current A and B.
  int s_ = 0;
  TInt128 a_ = 0, b_ = 0, c_ = 0;
  std::vector<TInt128> bParts_;
  std::vector<std::uint32_t> aIndex_;  // base indices of A's primes
  std::vector<std::uint8_t> inA_;
  std::uint32_t polyInA_ = 0;
  std::set<std::vector<std::uint32_t>> usedA_;
  std::vector<std::uint32_t> pool_;  // candidates for A's primes
  std::vector<std::uint32_t> root1_, root2_;  // sieve positions of the roots
  std::vector<std::uint32_t> bainv_;          // s rows: 2 B_j / A mod p
};

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

// The A values, in the order the search takes them: a pure function of the
// base and the seed, so every thread that sieves polynomial number k sieves
// the same one.
class TSiqsChooser {
public:
  TSiqsChooser(const TSiqsBase& base, std::uint64_t seed);

  int PrimesInA() const { return s_; }
  // The base indices of the next A's primes, ascending.
  std::vector<std::uint32_t> NextA();

private:
  std::uint64_t Random();

  const TSiqsBase& base_;
  std::uint64_t state_;
  int s_ = 0;
  std::set<std::vector<std::uint32_t>> usedA_;
  std::vector<std::uint32_t> pool_;  // candidates for A's primes
};

// One thread's sieve: the 2^(s-1) polynomials of one A after the other.
class TSiqsSieve {
public:
  TSiqsSieve(const TSiqsBase& base, int primesInA);

  std::uint32_t PolynomialsPerA() const { return std::uint32_t{1} << (s_ - 1); }
  // Takes a new A (base indices of its primes) and makes polynomial 0 current.
  void SetA(const std::vector<std::uint32_t>& aIndex);
  // Sieves polynomial i of the current A and appends what it yields, full
  // relations (largePrime 1) and partial ones alike. i runs 0, 1, 2, ...
  void Sieve(std::uint32_t i, std::vector<TSiqsRelation>& out);

private:
  void Step(std::uint32_t next);
  void SieveInterval();
  void Scan(std::vector<TSiqsRelation>& out);
  bool TrialDivide(std::uint32_t pos, TSiqsRelation& r);

  const TSiqsBase& base_;
  int s_;
  std::uint32_t size_;  // 2M
  std::vector<std::uint8_t> sieve_;
  std::vector<std::uint64_t> recip_;  // floor(2^40 / p) + 1

  // The current A and B.
  TInt128 a_ = 0, b_ = 0, c_ = 0;
  std::vector<TInt128> bParts_;
  std::vector<std::uint32_t> aIndex_;  // base indices of A's primes
  std::vector<std::uint8_t> inA_;
  std::uint32_t polyInA_ = 0;
  std::vector<std::uint32_t> root1_, root2_;  // sieve positions of the roots
  std::vector<std::uint32_t> next1_, next2_;  // the next positions while sieving, in order
  std::vector<std::uint32_t> bainv_;          // s rows: 2 B_j / A mod p
};

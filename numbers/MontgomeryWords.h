// Word-level Montgomery arithmetic on arrays of 64-bit words of a run-time
// length: the loop of ModPowerBigInt and the strong Lucas test for moduli
// wider than the unrolled kernels of MontKernel.h, and of the quadratic
// sieve. A context is set up once per odd modulus; afterwards no operation
// allocates.
//
// Residues are arrays of Words() 64-bit words, least significant first,
// always fully reduced (0 <= x < n). R = 2^(64 * Words()).
#pragma once

#include <cstdint>
#include <vector>

#include "numbers/BigInt.h"

class TMontgomeryWords {
public:
  // n odd, n >= 3 (the magnitude of n is used).
  explicit TMontgomeryWords(const TBigInt& n);

  int Words() const { return k_; }
  const std::uint64_t* Modulus() const { return n_.data(); }
  const std::uint64_t* One() const { return one_.data(); }  // R mod n

  // out := a * b / R mod n. out may alias a or b.
  void Multiply(std::uint64_t* out, const std::uint64_t* a, const std::uint64_t* b) const;
  // out := a^2 / R mod n. out may alias a.
  void Square(std::uint64_t* out, const std::uint64_t* a) const;
  // out := a + b mod n, a - b mod n; out may alias either.
  void Add(std::uint64_t* out, const std::uint64_t* a, const std::uint64_t* b) const;
  void Subtract(std::uint64_t* out, const std::uint64_t* a, const std::uint64_t* b) const;

  // Into and out of Montgomery form. ToMontgomery takes x in 0..n-1.
  void ToMontgomery(std::uint64_t* out, const std::uint64_t* x) const;
  void FromMontgomery(std::uint64_t* out, const std::uint64_t* x) const;
  // The Montgomery form of a non-negative TBigInt of any size (reduced first)
  // and of a signed small value.
  void Load(std::uint64_t* out, const TBigInt& x) const;
  void LoadSmall(std::uint64_t* out, std::int64_t v) const;
  // The plain value of a Montgomery residue.
  void Store(const std::uint64_t* x, TBigInt& result) const;

  bool Equal(const std::uint64_t* a, const std::uint64_t* b) const;
  bool IsZero(const std::uint64_t* a) const;

private:
  void Reduce(std::uint64_t* out, std::uint64_t* t) const;  // t has 2k+1 words

  int k_;
  std::uint64_t inv_;  // -n^{-1} mod 2^64
  std::vector<std::uint64_t> n_, one_, r2_;
  mutable std::vector<std::uint64_t> scratch_;
};

// Repacking between base-2^31 digits and 64-bit words.
// Writes the magnitude of a into words[0..count-1] (higher bits are dropped).
void BigIntToWords(const TBigInt& a, std::uint64_t* words, int count);
// result := the non-negative value of words[0..count-1], normal form, plus.
void WordsToBigInt(const std::uint64_t* words, int count, TBigInt& result);

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

#include "numbers/bigint/BigInt.h"
#include "numbers/limb/LimbRaw.h"

class TMontgomeryWords {
public:
  // n odd, n >= 3 (the magnitude of n is used).
  explicit TMontgomeryWords(const TBigInt& n);

  int Words() const { return k_; }
  const limb64::Limb* Modulus() const { return n_.data(); }
  const limb64::Limb* One() const { return one_.data(); }  // R mod n

  // out := a * b / R mod n. out may alias a or b.
  void Multiply(limb64::Limb* out, const limb64::Limb* a, const limb64::Limb* b) const;
  // out := a^2 / R mod n. out may alias a.
  void Square(limb64::Limb* out, const limb64::Limb* a) const;
  // out := a + b mod n, a - b mod n; out may alias either.
  void Add(limb64::Limb* out, const limb64::Limb* a, const limb64::Limb* b) const;
  void Subtract(limb64::Limb* out, const limb64::Limb* a, const limb64::Limb* b) const;

  // Into and out of Montgomery form. ToMontgomery takes x in 0..n-1.
  void ToMontgomery(limb64::Limb* out, const limb64::Limb* x) const;
  void FromMontgomery(limb64::Limb* out, const limb64::Limb* x) const;
  // The Montgomery form of a non-negative TBigInt of any size (reduced first)
  // and of a signed small value.
  void Load(limb64::Limb* out, const TBigInt& x) const;
  void LoadSmall(limb64::Limb* out, std::int64_t v) const;
  // The plain value of a Montgomery residue.
  void Store(const limb64::Limb* x, TBigInt& result) const;

  bool Equal(const limb64::Limb* a, const limb64::Limb* b) const;
  bool IsZero(const limb64::Limb* a) const;

private:
  void Reduce(limb64::Limb* out, limb64::Limb* t) const;  // t has 2k+1 words

  int k_;
  limb64::Limb inv_;  // -n^{-1} mod 2^64
  std::vector<limb64::Limb> n_, one_, r2_;
  mutable std::vector<limb64::Limb> scratch_;
};

// Repacking between base-2^31 digits and 64-bit words.
// Writes the magnitude of a into words[0..count-1] (higher bits are dropped).
void BigIntToWords(const TBigInt& a, limb64::Limb* words, int count);
// result := the non-negative value of words[0..count-1], normal form, plus.
void WordsToBigInt(const limb64::Limb* words, int count, TBigInt& result);

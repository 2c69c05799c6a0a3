// The Lucas-Lehmer step s := (s^2 - 2) mod (2^p - 1) by Crandall and
// Fagin's irrational-base discrete weighted transform.
//
// s is held as N nearly balanced digits of variable size: digit j (of
// b = ceil(p(j+1)/N) - ceil(pj/N) bits, about -2^(b-1) .. 2^(b-1)) stands at
// bit ceil(pj/N). Weighting digit j by 2^(ceil(pj/N) - pj/N) turns the
// square modulo 2^p - 1 into a plain cyclic convolution of length N, done by
// a double-precision FFT (a complex one of length N/2 on pairs of digits).
// The carry splits every output twice, side by side rather than along one
// chain, which leaves each digit at most a few units past balanced for the
// lengths LengthFor picks (digits of a few bits are balanced by a full chain
// when they drift); the value is always exact.
//
// Every iteration checks how far the convolution's outputs lie from whole
// numbers. When the largest distance passes 0.4 (or an output is too large
// for a double to hold exactly), the result cannot be trusted: that
// iteration is done again by the exact method. So the residues are always
// exactly those of the exact method.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "numbers/bigint/BigInt.h"
#include "numbers/mersenne/Fft.h"

class TLucasLehmerDwt {
public:
  struct TOptions {
    // Digits N = r 2^k, r one of 1, 3, 5, 7, 9 and N >= 8 r; 0 picks the
    // length for p.
    std::size_t Length = 0;
    // For tests: at this step (0 is the first Step after construction or
    // Set) one output is moved by 0.45, as a round-off error would.
    std::int64_t FaultAt = -1;
  };

  // s = 4. p >= 3; the length at most p, with digits of at most 32 bits.
  explicit TLucasLehmerDwt(std::int32_t p) : TLucasLehmerDwt(p, TOptions{}) {}
  TLucasLehmerDwt(std::int32_t p, const TOptions& options);

  // The length the transform uses for p when none is given: the largest
  // digits the double precision holds safely.
  static std::size_t LengthFor(std::int32_t p);

  // value in 0..M-1.
  void Set(const TBigInt& value);
  // The residue in 0..M-1, in normal form.
  void Get(TBigInt& result) const;
  bool IsZero() const;

  void Step();

  std::size_t Length() const { return n_; }
  // Iterations done again exactly, and the largest distance to a whole
  // number met in the iterations that were kept.
  std::int64_t Redone() const { return redone_; }
  double MaxError() const { return maxError_; }

  // The largest distance allowed.
  static constexpr double kMaxRoundOff = 0.4;

private:
  // The residue as p bits in 64-bit words (value in 0..M-1).
  std::vector<std::uint64_t> ToBits() const;
  void FromBits(const std::vector<std::uint64_t>& bits);
  void RedoExactly();
  void Balance();

  std::int32_t p_;
  std::size_t n_;     // digits
  std::size_t half_;  // complex points
  std::int64_t step_ = 0;
  std::int64_t faultAt_;
  std::int64_t redone_ = 0;
  double maxError_ = 0;
  fft::TMixedFft fft_;
  // h doubles from a 64-byte boundary, with one more before them that
  // Wrap sets to the last one.
  class TPadded {
  public:
    void Assign(std::size_t h) {
      store_.assign(h + 9, 0.0);
      const auto address = reinterpret_cast<std::uintptr_t>(store_.data() + 1);
      at_ = 1 + (64 - address % 64) % 64 / sizeof(double);
      h_ = h;
    }
    double* get() { return store_.data() + at_; }
    const double* get() const { return store_.data() + at_; }
    double& operator[](std::size_t i) { return get()[i]; }
    void Wrap() { get()[-1] = get()[h_ - 1]; }

  private:
    std::vector<double> store_;
    std::size_t at_ = 1, h_ = 0;
  };

  // Digit data split by parity: index m holds digits 2m (E) and 2m + 1 (O).
  // Whole numbers held in doubles throughout.
  std::vector<double> dE_, dO_;            // the residue's digits
  std::vector<double> nE_, nO_;            // the next step's, until it is accepted
  TPadded wE_, wO_;                        // weights
  TPadded iwE_, iwO_;                      // inverse weights, with 1/(N/2)
  TPadded scE_, scO_;                      // 2^b for digits of b bits
  TPadded isE_, isO_;                      // 2^-b
  TPadded re_, im_;                        // the transform's data
  TPadded nre_, nim_;                      // the next step's signal
  std::vector<std::uint32_t> pos_;         // bit position of digit j
  std::vector<double> c2_, s2_;            // exp(-2 pi i k / (N/2)) at the position of spectrum k
  bool weighed_ = false;                   // re_, im_ hold the digits weighed
  double carryLimit_ = 0;                  // second carries beyond this call for Balance
};

// A complex fast Fourier transform of power-of-two length in double
// precision, on split arrays (real parts, imaginary parts).
//
// The forward transform (decimation in frequency) takes the signal in
// natural order and leaves the spectrum in bit-reversed order; the inverse
// (decimation in time) takes a bit-reversed spectrum back to natural order.
// A convolution works on the spectrum where it lies, so no permutation is
// ever done. The inverse is not scaled: Inverse(Forward(x)) = n x.
//
// The twiddle factors are computed once per length, each directly from its
// angle, so their error does not grow with the stage.
#pragma once

#include <cstddef>
#include <vector>

namespace fft {

// Index i of n = 2^bits with its bits reversed.
std::size_t BitReverse(std::size_t i, int bits);

class TComplexFft {
public:
  // n a power of two, at least 2.
  explicit TComplexFft(std::size_t n);

  std::size_t Size() const { return n_; }
  void Forward(double* re, double* im) const;
  void Inverse(double* re, double* im) const;

private:
  friend class TMixedFft;
  std::size_t n_;
  // For every stage of half-width h (h = n/2, n/4, ..., 1), the factors
  // exp(-2 pi i j / (2h)) for j < h, one stage after another.
  std::vector<double> cos_, sin_;
  std::vector<std::size_t> stage_;  // where stage h starts, indexed by log2 h
};

// A complex FFT of length n = r 2^k with r one of 1, 3, 5, 7, 9 and 2^k at
// least 2: a pass of r-point transforms (their outputs multiplied by the
// twiddle factors) splits the signal into r blocks of 2^k points, each then
// transformed by TComplexFft. Spectrum s + r u lies in block s at position
// BitReverse(u); the inverse takes that layout back to natural order,
// unscaled like TComplexFft's.
class TMixedFft {
public:
  explicit TMixedFft(std::size_t n);

  // Whether n has the form above.
  static bool Supported(std::size_t n);

  std::size_t Size() const { return n_; }
  std::size_t Radix() const { return r_; }
  std::size_t Block() const { return m_; }
  // Where spectrum k lies after Forward.
  std::size_t Position(std::size_t k) const;

  void Forward(double* re, double* im) const;
  void Inverse(double* re, double* im) const;

private:
  std::size_t n_, r_, m_;
  int levels_;  // log2 m
  TComplexFft block_;
  // exp(-2 pi i j s / n) at s m + j.
  std::vector<double> twRe_, twIm_;
  // cos and sin(2 pi t / r) for t < r.
  std::vector<double> rootRe_, rootIm_;
};

// The plain discrete Fourier transform in O(n^2), natural order in and out;
// sign -1 forward, +1 inverse (unscaled). The tested reference.
void PlainDft(const double* re, const double* im, double* outRe, double* outIm, std::size_t n, int sign);

}  // namespace fft

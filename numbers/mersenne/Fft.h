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
  std::size_t n_;
  // For every stage of half-width h (h = n/2, n/4, ..., 1), the factors
  // exp(-2 pi i j / (2h)) for j < h, one stage after another.
  std::vector<double> cos_, sin_;
  std::vector<std::size_t> stage_;  // where stage h starts, indexed by log2 h
};

// The plain discrete Fourier transform in O(n^2), natural order in and out;
// sign -1 forward, +1 inverse (unscaled). The tested reference.
void PlainDft(const double* re, const double* im, double* outRe, double* outIm, std::size_t n, int sign);

}  // namespace fft

// The transform product gives exactly GMP's product and the Toom product
// for lengths on both sides of every power of two the transform length
// jumps at, for operands whose coefficients reach the largest value the
// recombination has to carry (all limbs ones), and for one-limb and very
// unbalanced operands. The same through limb64::Mul around its cut-over.
#include <gmp.h>
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "numbers/limb/Limbs64.h"
#include "numbers/limb/Ntt64.h"

namespace {

using limb64::Limb;
using limb64::Size;

static_assert(sizeof(mp_limb_t) == sizeof(Limb), "GMP limbs of 64 bits");

enum class Shape { Random, AllOnes, Sparse, TopOnly };

std::vector<Limb> Make(std::mt19937_64& rng, Size n, Shape shape) {
  std::vector<Limb> v(n);
  for (Limb& x : v) {
    switch (shape) {
      case Shape::Random: x = rng(); break;
      case Shape::AllOnes: x = ~Limb{0}; break;
      case Shape::Sparse: x = rng() % 16 == 0 ? rng() : 0; break;
      case Shape::TopOnly: x = 0; break;
    }
  }
  if (shape == Shape::TopOnly) v[n - 1] = Limb{1} << 63;
  if (v[n - 1] == 0) v[n - 1] = 1;
  return v;
}

std::vector<Limb> Gmp(const std::vector<Limb>& a, const std::vector<Limb>& b) {
  std::vector<Limb> r(a.size() + b.size());
  const auto* pa = reinterpret_cast<const mp_limb_t*>(a.data());
  const auto* pb = reinterpret_cast<const mp_limb_t*>(b.data());
  auto* pr = reinterpret_cast<mp_limb_t*>(r.data());
  if (a.size() >= b.size())
    mpn_mul(pr, pa, static_cast<mp_size_t>(a.size()), pb, static_cast<mp_size_t>(b.size()));
  else
    mpn_mul(pr, pb, static_cast<mp_size_t>(b.size()), pa, static_cast<mp_size_t>(a.size()));
  return r;
}

std::vector<Limb> Ntt(const std::vector<Limb>& a, const std::vector<Limb>& b) {
  std::vector<Limb> r(a.size() + b.size(), 0x5A5A5A5A5A5A5A5Au);  // every limb must be written
  limb64::MulNtt(r.data(), a.data(), a.size(), b.data(), b.size());
  return r;
}

std::vector<Limb> NttSqr(const std::vector<Limb>& a) {
  std::vector<Limb> r(2 * a.size(), 0x5A5A5A5A5A5A5A5Au);
  limb64::SqrNtt(r.data(), a.data(), a.size());
  return r;
}

struct SizePair {
  Size na, nb;
};

// na + nb - 1 at and just past 2^k and 3 2^k (the transform length steps
// there), tiny operands, and a short one against a long one.
const SizePair kSizes[] = {
    {1, 1},       {2, 1},       {1, 2},      {2, 2},       {3, 2},       {5, 4},       {33, 32},    {32, 32},
    {64, 1},      {1, 64},      {1, 3000},   {3000, 1},    {2, 4095},    {100, 3000},  {512, 513},  {512, 512},
    {1024, 1025}, {1024, 1024}, {777, 1500}, {2048, 2048}, {2049, 2048}, {3000, 3000}, {4096, 4097}, {9000, 40},
    {768, 769},   {769, 769},   {3, 3},      {4, 3},       {1, 3072},    {3072, 3073}, {6, 7},      {1, 6},
};

TEST(Ntt, ProductsMatchGmp) {
  std::mt19937_64 rng(20261211);
  for (const SizePair& s : kSizes) {
    for (Shape sa : {Shape::Random, Shape::AllOnes, Shape::Sparse, Shape::TopOnly}) {
      const Shape sb = sa == Shape::TopOnly ? Shape::AllOnes : sa;
      const std::vector<Limb> a = Make(rng, s.na, sa), b = Make(rng, s.nb, sb);
      ASSERT_EQ(Ntt(a, b), Gmp(a, b)) << s.na << " x " << s.nb << " shape " << static_cast<int>(sa);
    }
  }
}

TEST(Ntt, SquaresMatchGmp) {
  std::mt19937_64 rng(7);
  for (Size n : {Size{1}, Size{2}, Size{3}, Size{511}, Size{512}, Size{513}, Size{1500}, Size{2048}, Size{2049}}) {
    for (Shape sh : {Shape::Random, Shape::AllOnes, Shape::Sparse, Shape::TopOnly}) {
      const std::vector<Limb> a = Make(rng, n, sh);
      ASSERT_EQ(NttSqr(a), Gmp(a, a)) << n << " shape " << static_cast<int>(sh);
    }
  }
}

// All ones on long operands: every coefficient near its largest value, and
// the recombination's carry running through tens of thousands of limbs.
TEST(Ntt, LongAllOnes) {
  std::mt19937_64 rng(1);
  const std::vector<Limb> a = Make(rng, 40000, Shape::AllOnes), b = Make(rng, 30000, Shape::AllOnes);
  ASSERT_EQ(Ntt(a, b), Gmp(a, b));
  ASSERT_EQ(NttSqr(a), Gmp(a, a));
}

// Through the dispatch: the same operands below and above the cut-over give
// the Toom product, and Toom's own pieces may land on the transform.
TEST(Ntt, DispatchAroundTheCutOver) {
  const limb64::Tuning saved = limb64::gTuning;
  std::mt19937_64 rng(99);
  for (Size cut : {Size{300}, Size{1000}}) {
    for (Size n : {cut - 1, cut, cut + 1, 4 * cut + 3}) {
      const std::vector<Limb> a = Make(rng, n + n / 3, Shape::Random), b = Make(rng, n, Shape::Random);
      std::vector<Limb> toom(a.size() + b.size()), fast(a.size() + b.size()), sq(2 * a.size()), sqToom(2 * a.size());
      limb64::gTuning.mul64Ntt = limb64::gTuning.sqr64Ntt = ~Size{0};
      limb64::gTuning.mul64NttPlain = limb64::gTuning.sqr64NttPlain = ~Size{0};
      limb64::Mul(toom.data(), a.data(), a.size(), b.data(), b.size());
      limb64::Sqr(sqToom.data(), a.data(), a.size());
      limb64::gTuning.mul64Ntt = limb64::gTuning.sqr64Ntt = cut;
      limb64::gTuning.mul64NttPlain = limb64::gTuning.sqr64NttPlain = cut;
      limb64::Mul(fast.data(), a.data(), a.size(), b.data(), b.size());
      limb64::Sqr(sq.data(), a.data(), a.size());
      limb64::gTuning = saved;
      ASSERT_EQ(fast, toom) << "cut " << cut << " n " << n;
      ASSERT_EQ(fast, Gmp(a, b)) << "cut " << cut << " n " << n;
      ASSERT_EQ(sq, sqToom) << "cut " << cut << " n " << n;
    }
  }
}

}  // namespace

// Burnikel-Ziegler division gives exactly the basecase's quotient and
// remainder, whatever the shape of the operands: dividends from just over
// the divisor's length to several times it (a top block short of a whole
// step goes through the top limbs of the divisor), divisors whose top limbs
// are all ones (that step's increment would carry out) or a lone top bit.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "numbers/limb/Limbs64.h"

namespace {

using limb64::Limb;
using limb64::Size;

constexpr std::uint64_t kSeed = 20261211;

enum class Shape { Random, TopOnes, TopBit, AllOnes };

std::vector<Limb> Divisor(std::mt19937_64& rng, Size n, Shape shape) {
  std::vector<Limb> b(n);
  for (Limb& x : b) x = rng();
  switch (shape) {
    case Shape::Random: b[n - 1] |= Limb{1} << 63; break;
    case Shape::TopOnes:  // the top half all ones, the rest random
      for (Size i = n / 2; i < n; ++i) b[i] = ~Limb{0};
      break;
    case Shape::TopBit:
      std::fill(b.begin(), b.end(), Limb{0});
      b[n - 1] = Limb{1} << 63;
      break;
    case Shape::AllOnes: std::fill(b.begin(), b.end(), ~Limb{0}); break;
  }
  if (rng() & 1) b[n - 1] >>= rng() % 63;  // not normalised: the routine shifts
  if (b[n - 1] == 0) b[n - 1] = 1;
  return b;
}

// Dividends: random, or a multiple of the divisor plus 0, 1 or the
// divisor less one (a quotient estimated from below is then one short, and
// only the correction puts it right).
void Check(std::mt19937_64& rng, Size na, Size nb, Shape shape) {
  const std::vector<Limb> b = Divisor(rng, nb, shape);
  std::vector<Limb> a(na);
  for (Limb& x : a) x = rng() % 8 ? rng() : ~Limb{0};
  if (rng() % 4 == 0) std::fill(a.begin() + static_cast<long>(na / 2), a.end(), ~Limb{0});
  const int multiple = static_cast<int>(rng() % 4);
  if (multiple > 0 && na > nb) {
    const Size nq = na - nb;
    std::vector<Limb> q(a.begin(), a.begin() + static_cast<long>(nq));
    limb64::Mul(a.data(), b.data(), nb, q.data(), nq);
    if (multiple == 2) limb64::Add1(a.data(), a.data(), na, 1);
    if (multiple == 3) {
      limb64::Add(a.data(), a.data(), na, b.data(), nb);
      limb64::Sub1(a.data(), a.data(), na, 1);
    }
  }
  std::vector<Limb> q1(na - nb + 1), r1(nb), q2(na - nb + 1), r2(nb);
  limb64::DivRemBasecase(q1.data(), r1.data(), a.data(), na, b.data(), nb);
  limb64::DivRemDivideConquer(q2.data(), r2.data(), a.data(), na, b.data(), nb);
  ASSERT_EQ(q1, q2) << na << " / " << nb << " shape " << static_cast<int>(shape) << " seed " << kSeed;
  ASSERT_EQ(r1, r2) << na << " / " << nb << " shape " << static_cast<int>(shape) << " seed " << kSeed;
}

class Divide : public ::testing::Test {
protected:
  void TearDown() override { limb64::gTuning = saved_; }
  limb64::Tuning saved_ = limb64::gTuning;
};

TEST_F(Divide, DivideConquerEqualsTheBasecase) {
  std::mt19937_64 rng(kSeed);
  // Ratios na / nb around those the decimal conversion meets (1.5, 2.4)
  // and those where the top block is just under, at and over the share of
  // a step from which the full step is taken.
  const double ratios[] = {1.0, 1.3, 1.45, 1.5, 1.55, 1.6, 1.62, 1.7, 2.0, 2.2, 2.43, 2.5, 2.9, 3.4, 5.0};
  for (Size threshold : {Size{4}, Size{16}, limb64::gTuning.div64DivideConquer}) {
    limb64::gTuning.div64DivideConquer = threshold;
    for (Size nb : {Size{5}, Size{33}, Size{64}, Size{97}, Size{150}, Size{300}})
      for (double ratio : ratios)
        for (Shape shape : {Shape::Random, Shape::TopOnes, Shape::TopBit, Shape::AllOnes}) {
          const Size na = static_cast<Size>(static_cast<double>(nb) * ratio) + rng() % 3;
          Check(rng, na, nb, shape);
        }
  }
}

}  // namespace

#include "numbers/factor/PollardRho.h"

#include <string>

#include "numbers/primality/Primality.h"
#include "numbers/primality/Random.h"

namespace {

constexpr std::int64_t kRandomMultiplier = 44485709377909LL;
constexpr std::int64_t kRandomOffset = 16;

}  // namespace

void RhoStepBigInt(TBigInt& x, const TBigInt& n, const TBigInt& c) {
  TBigInt t, u;
  SquareBigInt(x, t);
  AddBigInt(t, c, u);
  ModuloBigInt(u, n, x);
}

void RandomResidueBigInt(const TBigInt& m, TBigInt& result) {
  TRandomGenerator& random = RandomGenerator();
  random.Reseed();
  const auto t = static_cast<std::int64_t>(random.Below(2147483647));
  MultiplyModBigInt(BigIntFromInt64(t), BigIntFromInt64(kRandomMultiplier), m, result);
}

TBigInt PollardRhoFactorBigInt(const TBigInt& n, const TBigInt& c, const TBigInt& x0, TProgress* progress) {
  const TBigInt one = BigIntFromInt64(1);
  TBigInt nn, cc;  // the current search: n and c
  CopyBigInt(n, nn);
  CopyBigInt(c, cc);
  TBigInt x, y, g, diff, prod;
  CopyBigInt(x0, x);
  // A restart on a composite divisor is a tail call; it is done as a loop.
  for (;;) {
    TBigInt p = one;
    CopyBigInt(x, y);
    std::int64_t f = 1, i = 1;
    for (;;) {
      RhoStepBigInt(x, nn, cc);
      RhoStepBigInt(y, nn, cc);
      RhoStepBigInt(y, nn, cc);
      SubtractBigInt(x, y, diff);
      MultiplyBigInt(diff, p, prod);
      ModuloBigInt(prod, nn, p);
      ++f;
      if (f % i != 0) continue;
      ++i;
      if (progress) {
        progress->CheckCancelled();
        progress->Report(-1.0, "Iteration " + std::to_string(f - 1));
      }
      GcdBigInt(p, nn, g);
      if (BigIntCompareMagnitude(g, one) != foEqual) break;
    }
    if (g.Count() == 1 && g.Digit(1) == 4) return BigIntFromInt64(2);
    if (IsPrimeNumber(g)) return g;
    TBigInt r, twoTo32, twoTo31;
    PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(32), twoTo32);
    PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(31), twoTo31);
    RandomResidueBigInt(twoTo32, r);
    SubtractBigInt(r, BigIntFromInt64(kRandomOffset), cc);
    RandomResidueBigInt(twoTo31, x);
    nn = g;
  }
}

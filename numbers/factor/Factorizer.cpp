#include "numbers/factor/Factorizer.h"

#include <string>

#include "numbers/factor/Ecm.h"
#include "numbers/factor/FactorRho.h"
#include "numbers/factor/PollardRho.h"
#include "numbers/primality/Primality.h"
#include "numbers/factor/Siqs.h"
#include "numbers/factor/SiqsBase.h"
#include "numbers/factor/SmallPrimes.h"

namespace {

const TBigInt& One() {
  static const TBigInt one = BigIntFromInt64(1);
  return one;
}

bool Proper(const TBigInt& f, const TBigInt& n) {
  return BigIntCompareMagnitude(f, One()) == foGreater && BigIntCompareMagnitude(f, n) == foLess;
}

int DecimalDigits(const TBigInt& n) { return static_cast<int>(BigIntToDecimal(n).size()); }

// The k-th root of n rounded down (Newton's iteration from above).
TBigInt IntegerRoot(const TBigInt& n, int k) {
  const std::int64_t bits = BigIntBitLength(n);
  TBigInt x, power, q, t;
  PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(bits / k + 1), x);
  const TBigInt kk = BigIntFromInt64(k), km1 = BigIntFromInt64(k - 1);
  for (;;) {
    PowerBigInt(x, km1, power);
    DivideBigInt(n, power, q);
    MultiplyBigInt(x, km1, t);
    AddBigInt(t, q, t);
    DivideBigInt(t, kk, t);
    if (BigIntCompareMagnitude(t, x) != foLess) return x;
    x = t;
  }
}

// n = r^k for some k >= 2 with r above 1000 (smaller factors are found by
// trial division first): r.
bool PerfectPowerRoot(const TBigInt& n, TBigInt& root) {
  const std::int64_t bits = BigIntBitLength(n);
  for (std::uint32_t k : PrimesUpTo(static_cast<std::uint32_t>(bits / 10 + 1))) {
    const TBigInt r = IntegerRoot(n, static_cast<int>(k));
    TBigInt back;
    PowerBigInt(r, BigIntFromInt64(k), back);
    if (BigIntCompareMagnitude(back, n) == foEqual) {
      root = r;
      return true;
    }
  }
  return false;
}

bool EcmLadder(const TBigInt& n, int fromDigits, int toDigits, TBigInt& factor, TProgress* progress) {
  std::uint64_t sigma = 7;
  for (int digits = fromDigits; digits <= toDigits; digits += 3) {
    const TEcmPlan plan = EcmPlanFor(digits);
    if (EcmFactor(n, plan, sigma, factor, progress)) return true;
    sigma += static_cast<std::uint64_t>(plan.curves);
  }
  return false;
}

// A proper divisor of the composite n > 0 by the strong methods.
TBigInt Split(const TBigInt& n, TProgress* progress) {
  TBigInt f;
  if (!IsOddBigInt(n)) return BigIntFromInt64(2);
  static const std::vector<std::uint32_t> small = PrimesUpTo(1000);
  for (std::uint32_t p : small) {
    TBigInt t = n;
    if (DivideBySmallBigInt(t, p) == 0 && Proper(BigIntFromInt64(p), n)) return BigIntFromInt64(p);
  }
  if (PerfectPowerRoot(n, f)) return f;
  const int digits = DecimalDigits(n);
  if (SiqsAccepts(n) && digits >= 22) {
    // A short run of curves first finds a factor of about twelve digits of a
    // big number much sooner than the sieve would.
    if (digits >= 45 && EcmAccepts(n)) {
      TEcmPlan plan = EcmPlanFor(12);
      plan.curves = 16;
      if (EcmFactor(n, plan, 7, f, progress)) return f;
    }
    for (std::uint64_t seed = 1; seed <= 3; ++seed)
      if (SiqsFactor(n, f, progress, seed)) return f;
  }
  if (EcmAccepts(n) && EcmLadder(n, 10, 25, f, progress)) return f;
  // Beyond every plan: the plain search, which always ends.
  return PollardRhoFactorBigInt(n, BigIntFromInt64(-1), BigIntFromInt64(3), progress);
}

}  // namespace

bool FindFactor(const TBigInt& n, TBigInt& factor, TProgress* progress) {
  TBigInt m = n;
  MakePositiveBigInt(m);
  if (BigIntCompareMagnitude(m, One()) != foGreater || IsPrimeNumber(m)) return false;
  TBigInt f;
  if (RhoFactorBudgeted(m, BigIntFromInt64(-1), BigIntFromInt64(3), kRhoDefaultBudget, f, progress)) {
    factor = f;
    return true;
  }
  // f is m or a composite divisor of it; split until a prime is left,
  // preferring a prime cofactor when one turns up.
  while (!IsPrimeNumber(f)) {
    CheckCancelled(progress);
    TBigInt d = Split(f, progress), rest;
    if (!Proper(d, f)) break;  // cannot happen for a composite f; never spin
    DivideBigInt(f, d, rest);
    f = IsPrimeNumber(d) || !IsPrimeNumber(rest) ? d : rest;
  }
  factor = f;
  return true;
}

std::vector<TBigInt> FactorCompletely(const TBigInt& n, TProgress* progress) {
  std::vector<TBigInt> list;
  TBigInt m = n, f, q;
  while (!IsPrimeNumber(m)) {
    if (!FindFactor(m, f, progress)) break;
    DivideBigInt(m, f, q);
    m = q;
    list.push_back(f);
  }
  if (BigIntCompareMagnitude(m, One()) == foGreater) list.push_back(m);
  return list;
}

#include "numbers/factor/Factorizer.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

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

// A number this long that rho has not split after a few thousand steps
// almost always goes on to the curves or the sieve.
constexpr int kSpeculateDigits = 22;
constexpr std::int64_t kRhoFirstLook = 3000;

// Split(m) run on another thread while rho spends its budget on m, so the
// second core is not idle meanwhile. Its result is taken only when rho ends
// with m itself unsplit, which is when Split(m) would have been called next:
// the factor is the same as without it. Its progress is its own until then,
// so the texts shown are rho's first and the strong methods' after.
class TSpeculativeSplit {
public:
  explicit TSpeculativeSplit(const TBigInt& m)
      : thread_([this, m] {
          TBigInt f;
          std::exception_ptr error;
          try {
            f = Split(m, &own_);
          } catch (...) {
            error = std::current_exception();
          }
          {
            std::lock_guard<std::mutex> lock(mutex_);
            result_ = std::move(f);
            error_ = error;
            done_ = true;
          }
          finished_.notify_all();
        }) {}
  ~TSpeculativeSplit() {
    own_.Cancel();
    if (thread_.joinable()) thread_.join();
  }

  // Waits for Split(m), showing its progress and passing a stop on.
  TBigInt Take(TProgress* progress) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      if (progress) {
        if (progress->Cancelled()) {
          lock.unlock();
          own_.Cancel();
          thread_.join();
          throw ECancelled();
        }
        const std::string text = own_.Text();
        if (!text.empty()) progress->Report(own_.Fraction(), text);
      }
      if (done_) break;
      finished_.wait_for(lock, std::chrono::milliseconds(10));
    }
    lock.unlock();
    thread_.join();
    if (error_) std::rethrow_exception(error_);
    return result_;
  }

private:
  TProgress own_;
  std::mutex mutex_;
  std::condition_variable finished_;
  bool done_ = false;
  TBigInt result_;
  std::exception_ptr error_;
  std::thread thread_;  // last: starts once the members above exist
};

}  // namespace

bool FindFactor(const TBigInt& n, TBigInt& factor, TProgress* progress) {
  TBigInt m = n;
  MakePositiveBigInt(m);
  if (BigIntCompareMagnitude(m, One()) != foGreater || IsPrimeNumber(m)) return false;
  TBigInt f;
  const TBigInt c = BigIntFromInt64(-1), x0 = BigIntFromInt64(3);
  std::unique_ptr<TSpeculativeSplit> ahead;
  if (DecimalDigits(m) >= kSpeculateDigits && SiqsAccepts(m)) {
    // The same sequence from its start: a factor found in the first steps
    // is the one the whole budget finds.
    if (RhoFactorBudgeted(m, c, x0, kRhoFirstLook, f, progress)) {
      factor = f;
      return true;
    }
    ahead = std::make_unique<TSpeculativeSplit>(m);
  }
  if (RhoFactorBudgeted(m, c, x0, kRhoDefaultBudget, f, progress)) {
    factor = f;
    return true;
  }
  // f is m or a composite divisor of it; split until a prime is left,
  // preferring a prime cofactor when one turns up.
  bool first = true;
  while (!IsPrimeNumber(f)) {
    CheckCancelled(progress);
    TBigInt d, rest;
    if (first && ahead && BigIntCompareMagnitude(f, m) == foEqual) d = ahead->Take(progress);
    else d = Split(f, progress);
    first = false;
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

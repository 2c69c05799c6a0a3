#include "numbers/factor/FactorRho.h"

#include <string>

#include "numbers/montgomery/MontFixed.h"
#include "numbers/factor/PollardRho.h"
#include "numbers/primality/Primality.h"

namespace {

// Iterations between two gcds: a gcd costs about as much as a hundred steps.
// Odd, so a block ends on an iteration after which the plain search checks.
constexpr std::int64_t kBlock = 1023;

// Plain TBigInt residues for moduli the Montgomery words cannot take (even
// ones, and those wider than four words).
class TPlainArith {
public:
  using Num = TBigInt;
  explicit TPlainArith(const TBigInt& n) : n_(n) {}
  void Mul(Num& r, const Num& a, const Num& b) const { MultiplyModBigInt(a, b, n_, r); }
  void Sqr(Num& r, const Num& a) const { SquareModBigInt(a, n_, r); }
  void Add(Num& r, const Num& a, const Num& b) const {
    TBigInt t;
    AddBigInt(a, b, t);
    ModuloBigInt(t, n_, r);
  }
  void Sub(Num& r, const Num& a, const Num& b) const {
    TBigInt t;
    SubtractBigInt(a, b, t);
    ModuloBigInt(t, n_, r);
  }
  void Load(Num& r, const TBigInt& x) const { ModuloBigInt(x, n_, r); }
  void PlainOne(Num& r) const { r = BigIntFromInt64(1); }
  void Raw(const Num& x, TBigInt& result) const { result = x; }

private:
  TBigInt n_;
};

// TMontFixed with the product kept as a plain residue: Mul(d R, P) = d P.
template <int W>
class TWordArith : public TMontFixed<W> {
public:
  using typename TMontFixed<W>::Num;
  explicit TWordArith(const TBigInt& n) : TMontFixed<W>(n) {}
  void PlainOne(Num& r) const {
    r = Num{};
    r[0] = 1;
  }
};

template <class A>
struct TRhoState {
  typename A::Num x, y, p;
  std::int64_t f;  // the plain search's iteration counter: f - 1 iterations done
};

template <class A>
void Iterate(const A& a, TRhoState<A>& s, const typename A::Num& c) {
  typename A::Num d;
  a.Sqr(s.x, s.x);
  a.Add(s.x, s.x, c);
  a.Sqr(s.y, s.y);
  a.Add(s.y, s.y, c);
  a.Sqr(s.y, s.y);
  a.Add(s.y, s.y, c);
  a.Sub(d, s.x, s.y);
  a.Mul(s.p, d, s.p);
  ++s.f;
}

// One search of the plain loop on modulus n: true with g the first gcd other
// than 1; false when `left` iterations were spent first.
template <class A>
bool Search(const TBigInt& n, const TBigInt& c, const TBigInt& x0, std::int64_t& left, TBigInt& g,
            TProgress* progress) {
  const A a(n);
  const TBigInt one = BigIntFromInt64(1);
  typename A::Num cm;
  a.Load(cm, c);
  TRhoState<A> s;
  a.Load(s.x, x0);
  s.y = s.x;
  a.PlainOne(s.p);
  s.f = 1;
  TBigInt raw;
  std::int64_t reported = 0;
  while (left > 0) {
    const TRhoState<A> saved = s;
    const std::int64_t steps = left < kBlock ? left : kBlock;
    for (std::int64_t k = 0; k < steps; ++k) Iterate(a, s, cm);
    left -= steps;
    a.Raw(s.p, raw);
    GcdBigInt(raw, n, g);
    if (BigIntCompareMagnitude(g, one) != foEqual) {
      // Replay with the plain schedule: a check after every iteration that
      // makes f a multiple of i, i.e. f even (i = f / 2).
      s = saved;
      for (;;) {
        Iterate(a, s, cm);
        if (s.f % 2 != 0) continue;
        a.Raw(s.p, raw);
        GcdBigInt(raw, n, g);
        if (BigIntCompareMagnitude(g, one) != foEqual) return true;
      }
    }
    if (progress) {
      progress->CheckCancelled();
      if (s.f - reported >= 16384) {
        reported = s.f;
        progress->Report(-1.0, "Pollard rho: iteration " + std::to_string(s.f - 1));
      }
    }
  }
  return false;
}

bool SearchAny(const TBigInt& n, const TBigInt& c, const TBigInt& x0, std::int64_t& left, TBigInt& g,
               TProgress* progress) {
  if (IsOddBigInt(n)) {
    switch (MontFixedWords(n)) {
      case 1: return Search<TWordArith<1>>(n, c, x0, left, g, progress);
      case 2: return Search<TWordArith<2>>(n, c, x0, left, g, progress);
      case 3: return Search<TWordArith<3>>(n, c, x0, left, g, progress);
      case 4: return Search<TWordArith<4>>(n, c, x0, left, g, progress);
      default: break;
    }
  }
  return Search<TPlainArith>(n, c, x0, left, g, progress);
}

}  // namespace

bool RhoFactorBudgeted(const TBigInt& n, const TBigInt& c, const TBigInt& x0, std::int64_t budget,
                       TBigInt& factor, TProgress* progress) {
  TBigInt nn = n, cc = c, x = x0, g;
  MakePositiveBigInt(nn);
  std::int64_t left = budget;
  for (;;) {
    if (!SearchAny(nn, cc, x, left, g, progress)) {
      factor = nn;
      return false;
    }
    if (g.Count() == 1 && g.Digit(1) == 4) {
      factor = BigIntFromInt64(2);
      return true;
    }
    if (IsPrimeNumber(g)) {
      factor = g;
      return true;
    }
    // A composite divisor: restart on it with the plain search's draws.
    TBigInt r, twoTo32, twoTo31;
    PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(32), twoTo32);
    PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(31), twoTo31);
    RandomResidueBigInt(twoTo32, r);
    SubtractBigInt(r, BigIntFromInt64(16), cc);
    RandomResidueBigInt(twoTo31, x);
    nn = g;
  }
}

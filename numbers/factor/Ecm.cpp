#include "numbers/factor/Ecm.h"

#include <vector>

#include "numbers/montgomery/MontFixed.h"
#include "numbers/factor/SmallPrimes.h"

namespace {

template <int W>
class TCurveArith {
public:
  using M = TMontFixed<W>;
  using Num = typename M::Num;
  struct Point {
    Num x, z;
  };

  TCurveArith(const M& m, const Num& a24) : m_(m), a24_(a24) {}

  // 2P from P.
  void Double(Point& r, const Point& p) const {
    Num s, d, t;
    m_.Add(s, p.x, p.z);
    m_.Sqr(s, s);
    m_.Sub(d, p.x, p.z);
    m_.Sqr(d, d);
    m_.Sub(t, s, d);  // 4xz
    m_.Mul(r.x, s, d);
    m_.Mul(s, a24_, t);
    m_.Add(s, s, d);
    m_.Mul(r.z, t, s);
  }
  // P + Q from P, Q and their difference.
  void Add(Point& r, const Point& p, const Point& q, const Point& diff) const {
    Num a, b, c, d;
    m_.Sub(a, p.x, p.z);
    m_.Add(b, q.x, q.z);
    m_.Mul(a, a, b);
    m_.Add(c, p.x, p.z);
    m_.Sub(d, q.x, q.z);
    m_.Mul(c, c, d);
    m_.Add(b, a, c);
    m_.Sub(d, a, c);
    m_.Sqr(b, b);
    m_.Sqr(d, d);
    Num x, z;
    m_.Mul(x, diff.z, b);
    m_.Mul(z, diff.x, d);
    r.x = x;
    r.z = z;
  }
  // k P by the Montgomery ladder, k >= 1.
  void Multiply(Point& r, const Point& p, std::uint64_t k) const {
    if (k == 1) {
      r = p;
      return;
    }
    Point r0 = p, r1;
    Double(r1, p);
    int top = 63;
    while (((k >> top) & 1) == 0) --top;
    for (int bit = top - 1; bit >= 0; --bit) {
      if ((k >> bit) & 1) {
        Add(r0, r0, r1, p);
        Double(r1, r1);
      } else {
        Add(r1, r0, r1, p);
        Double(r0, r0);
      }
    }
    r = r0;
  }

private:
  const M& m_;
  Num a24_;
};

// 1 < gcd(v, n) < n: factor set.
bool ProperGcd(const TBigInt& v, const TBigInt& n, TBigInt& factor) {
  TBigInt g;
  GcdBigInt(v, n, g);
  MakePositiveBigInt(g);
  const TBigInt one = BigIntFromInt64(1);
  if (BigIntCompareMagnitude(g, one) != foGreater) return false;
  if (BigIntCompareMagnitude(g, n) == foEqual) return false;
  factor = g;
  return true;
}

template <int W>
class TEcmRun {
public:
  using M = TMontFixed<W>;
  using Num = typename M::Num;
  using Point = typename TCurveArith<W>::Point;

  TEcmRun(const TBigInt& n, const TEcmPlan& plan)
      : n_(n), m_(n), plan_(plan), primes_(static_cast<std::uint64_t>(
                                        (plan.b2 > plan.b1 ? plan.b2 : plan.b1) + 2 * 2310)) {}

  // One curve: 1 found, 0 nothing.
  bool Curve(std::uint64_t sigma, TBigInt& factor, TProgress* progress) {
    Num u, v, t, a24num, den;
    m_.LoadSmall(u, static_cast<std::int64_t>(sigma * sigma - 5));
    m_.LoadSmall(v, static_cast<std::int64_t>(4 * sigma));
    Point p;
    m_.Sqr(t, u);
    m_.Mul(p.x, t, u);  // u^3
    m_.Sqr(t, v);
    m_.Mul(p.z, t, v);  // v^3
    // a24 = (v - u)^3 (3u + v) / (16 u^3 v)
    Num w, three;
    m_.Sub(w, v, u);
    m_.Sqr(t, w);
    m_.Mul(a24num, t, w);
    m_.LoadSmall(three, 3);
    m_.Mul(t, three, u);
    m_.Add(t, t, v);
    m_.Mul(a24num, a24num, t);
    Num sixteen;
    m_.LoadSmall(sixteen, 16);
    m_.Mul(den, p.x, v);
    m_.Mul(den, den, sixteen);
    TBigInt denPlain, inv;
    m_.Store(den, denPlain);
    if (!ModInverseBigInt(denPlain, n_, inv)) return ProperGcd(denPlain, n_, factor);
    Num invM, a24;
    m_.Load(invM, inv);
    m_.Mul(a24, a24num, invM);
    const TCurveArith<W> curve(m_, a24);

    // Stage 1: every prime power up to B1.
    int sinceCheck = 0;
    for (std::uint64_t q = 2; q <= static_cast<std::uint64_t>(plan_.b1); ++q) {
      if (!primes_.IsPrime(q)) continue;
      std::uint64_t power = q;
      while (power <= static_cast<std::uint64_t>(plan_.b1) / q) power *= q;
      curve.Multiply(p, p, power);
      if (++sinceCheck == 512) {
        sinceCheck = 0;
        CheckCancelled(progress);
      }
    }
    TBigInt z;
    m_.Raw(p.z, z);
    if (ProperGcd(z, n_, factor)) return true;
    if (M::IsZero(p.z) || plan_.b2 <= plan_.b1) return false;
    return StageTwo(curve, p, factor, progress);
  }

private:
  bool StageTwo(const TCurveArith<W>& curve, const Point& q, TBigInt& factor, TProgress* progress) {
    const std::uint64_t b1 = static_cast<std::uint64_t>(plan_.b1), b2 = static_cast<std::uint64_t>(plan_.b2);
    const std::uint64_t d = (b1 >= 1155 && b2 >= 500000) ? 2310 : 210;
    // Baby steps: jQ for odd j < d/2 prime to d, with x z kept for the pairing.
    std::vector<Point> baby;
    std::vector<Num> babyXz;
    std::vector<std::uint64_t> babyJ;
    Point q2, prev = q, cur = q;
    curve.Double(q2, q);
    for (std::uint64_t j = 1; j < d / 2; j += 2) {
      if (j > 1) {
        Point next;
        if (j == 3) curve.Add(next, cur, q2, q);
        else curve.Add(next, cur, q2, prev);
        prev = cur;
        cur = next;
      }
      if (Coprime(j, d)) {
        baby.push_back(cur);
        Num xz;
        m_.Mul(xz, cur.x, cur.z);
        babyXz.push_back(xz);
        babyJ.push_back(j);
      }
    }
    // Giant steps mD Q from m0 on, each from the two before it.
    std::uint64_t m0 = (b1 + d / 2) / d;
    if (m0 < 1) m0 = 1;
    const std::uint64_t mEnd = (b2 + d / 2) / d + 1;
    Point dq, g0, g1;
    curve.Multiply(dq, q, d);
    curve.Multiply(g0, dq, m0);
    curve.Multiply(g1, dq, m0 + 1);
    Num acc = m_.One();
    Point gPrev = g0, g = g0;
    for (std::uint64_t m = m0; m <= mEnd; ++m) {
      if (m == m0 + 1) {
        gPrev = g0;
        g = g1;
      } else if (m > m0 + 1) {
        Point next;
        curve.Add(next, g, dq, gPrev);
        gPrev = g;
        g = next;
      }
      Num gxz;
      m_.Mul(gxz, g.x, g.z);
      const std::uint64_t center = m * d;
      for (std::size_t k = 0; k < baby.size(); ++k) {
        const std::uint64_t lo = center - babyJ[k], hi = center + babyJ[k];
        const bool useLo = lo > b1 && lo <= b2 && primes_.IsPrime(lo);
        const bool useHi = hi > b1 && hi <= b2 && primes_.IsPrime(hi);
        if (!useLo && !useHi) continue;
        // (xg - xj)(zg + zj) - xg zg + xj zj = xg zj - xj zg
        Num a, b;
        m_.Sub(a, g.x, baby[k].x);
        m_.Add(b, g.z, baby[k].z);
        m_.Mul(a, a, b);
        m_.Sub(a, a, gxz);
        m_.Add(a, a, babyXz[k]);
        m_.Mul(acc, acc, a);
      }
      if ((m & 63) == 0) CheckCancelled(progress);
    }
    TBigInt v;
    m_.Raw(acc, v);
    return ProperGcd(v, n_, factor);
  }

  static bool Coprime(std::uint64_t a, std::uint64_t b) {
    while (b != 0) {
      const std::uint64_t t = a % b;
      a = b;
      b = t;
    }
    return a == 1;
  }

  TBigInt n_;
  M m_;
  TEcmPlan plan_;
  TPrimeBits primes_;
};

template <int W>
bool Run(const TBigInt& n, const TEcmPlan& plan, std::uint64_t sigma, TBigInt& factor, TProgress* progress,
         TEcmReport report) {
  TEcmRun<W> run(n, plan);
  const int total = report.total > 0 ? report.total : plan.curves;
  for (int c = 0; c < plan.curves; ++c, ++sigma) {
    CheckCancelled(progress);
    const int index = report.done + c + 1;
    ReportProgress(progress, total > 0 ? static_cast<double>(index - 1) / total : -1.0,
                   "Elliptic curves: " + std::to_string(index) + " of " + std::to_string(total));
    if (run.Curve(sigma, factor, progress)) return true;
  }
  return false;
}

}  // namespace

TEcmPlan EcmPlanFor(int digits) {
  // About three times the curves a factor of that size needs on average
  // with these bounds (B2 is only 100 B1, the pairing being plain).
  if (digits <= 10) return {200, 20000, 12};
  if (digits <= 12) return {600, 60000, 30};
  if (digits <= 15) return {2000, 200000, 50};
  if (digits <= 18) return {5000, 500000, 90};
  if (digits <= 20) return {11000, 1100000, 150};
  if (digits <= 22) return {25000, 2500000, 250};
  return {50000, 5000000, 500};
}

bool EcmAccepts(const TBigInt& n) {
  const TBigInt two = BigIntFromInt64(2);
  return IsOddBigInt(n) && BigIntCompareMagnitude(n, two) == foGreater && MontFixedWords(n) != 0;
}

bool EcmFactor(const TBigInt& n, const TEcmPlan& plan, std::uint64_t firstSigma, TBigInt& factor,
               TProgress* progress, TEcmReport report) {
  TBigInt m = n;
  MakePositiveBigInt(m);
  if (!EcmAccepts(m)) return false;
  const std::uint64_t sigma = firstSigma < 6 ? 6 : firstSigma;
  switch (MontFixedWords(m)) {
    case 1: return Run<1>(m, plan, sigma, factor, progress, report);
    case 2: return Run<2>(m, plan, sigma, factor, progress, report);
    case 3: return Run<3>(m, plan, sigma, factor, progress, report);
    case 4: return Run<4>(m, plan, sigma, factor, progress, report);
    default: return false;
  }
}

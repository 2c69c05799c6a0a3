#include "numbers/ecpp/ClassPolynomial.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <numbers>
#include <numeric>
#include <stdexcept>

namespace ecpp {

namespace {

constexpr std::int32_t kMaxAbsD = 40000;

bool SquareFree(std::int64_t n) {
  for (std::int64_t p = 2; p * p <= n; ++p)
    if (n % (p * p) == 0) return false;
  return true;
}

bool Fundamental(std::int64_t absD) {
  if (absD % 4 == 3) return SquareFree(absD);  // D = 1 mod 4
  if (absD % 4 != 0) return false;
  const std::int64_t m = absD / 4;  // D / 4 = 2 or 3 mod 4
  return (m % 4 == 1 || m % 4 == 2) && SquareFree(m);
}

// ---- Fixed point: a value is an integer M standing for M / 2^P ----------

struct TFixed {
  std::int64_t P;
  Big One() const { return ShiftLeft(FromInt(1), P); }
  Big Div(const Big& a, const Big& b) const { return ecpp::Div(ShiftLeftSigned(a), b); }
  // Truncates the magnitude; the sign stays.
  Big ShiftRightSigned(const Big& a) const { return ShiftRight(a, P); }
  Big ShiftLeftSigned(const Big& a) const { return ShiftLeft(a, P); }
};

struct TComplex {
  Big re, im;
};

// A product formed on the raw integers and scaled once.
TComplex CMulRaw(const TFixed& f, const TComplex& x, const TComplex& y) {
  return {f.ShiftRightSigned(Sub(Mul(x.re, y.re), Mul(x.im, y.im))),
          f.ShiftRightSigned(Add(Mul(x.re, y.im), Mul(x.im, y.re)))};
}

TComplex CAdd(const TComplex& x, const TComplex& y) { return {Add(x.re, y.re), Add(x.im, y.im)}; }

TComplex CInverse(const TFixed& f, const TComplex& x) {
  const Big norm = f.ShiftRightSigned(Add(Mul(x.re, x.re), Mul(x.im, x.im)));
  Big im = f.Div(x.im, norm);
  NegateBigInt(im);
  return {f.Div(x.re, norm), im};
}

TComplex CDivideSmall(TComplex x, std::int64_t d) {
  DivideBySmallBigInt(x.re, d);
  DivideBySmallBigInt(x.im, d);
  return x;
}

// arctan(1/x) * 2^P by its series.
Big ArctanInverse(const TFixed& f, std::int64_t x) {
  Big term = f.One();
  DivideBySmallBigInt(term, x);
  Big sum = term;
  const std::int64_t x2 = x * x;
  for (std::int64_t k = 1; !term.IsZero(); ++k) {
    DivideBySmallBigInt(term, x2);
    Big t = term;
    DivideBySmallBigInt(t, 2 * k + 1);
    sum = (k & 1) ? Sub(sum, t) : Add(sum, t);
  }
  return sum;
}

Big Pi(const TFixed& f) {
  Big a = ArctanInverse(f, 5);
  MultiplyBySmallBigInt(a, 16);
  Big b = ArctanInverse(f, 239);
  MultiplyBySmallBigInt(b, 4);
  return Sub(a, b);
}

// exp(w): the argument scaled below 2^-8, the series, then squared back.
TComplex CExp(const TFixed& f, TComplex w) {
  const std::int64_t size = std::max(Bits(w.re), Bits(w.im)) - f.P;
  const std::int64_t k = std::max<std::int64_t>(0, size + 8);
  w.re = ShiftRight(w.re, k);
  w.im = ShiftRight(w.im, k);
  TComplex sum{f.One(), FromInt(0)};
  TComplex term = sum;
  for (std::int64_t n = 1;; ++n) {
    term = CDivideSmall(CMulRaw(f, term, w), n);
    if (term.re.IsZero() && term.im.IsZero()) break;
    sum = CAdd(sum, term);
  }
  for (std::int64_t i = 0; i < k; ++i) sum = CMulRaw(f, sum, sum);
  return sum;
}

// j(tau) for the form (a, b, c) of D, tau = (-b + i sqrt|D|) / (2a), through
// 1/q = exp(pi (sqrt|D| + i b) / a) and j = (256 f + 1)^3 / f with
// f = q prod (1 + q^n)^24.
TComplex JInvariant(const TFixed& f, const Big& pi, const Big& sqrtAbsD, const TForm& form) {
  TComplex w{Mul(pi, sqrtAbsD), Mul(pi, FromInt(form.b))};
  w.re = f.ShiftRightSigned(w.re);  // b is a plain integer, sqrt|D| is fixed point
  w = CDivideSmall(w, form.a);
  const TComplex qInverse = CExp(f, w);
  const TComplex q = CInverse(f, qInverse);
  TComplex product{f.One(), FromInt(0)};
  TComplex qn = q;
  for (;;) {
    if (qn.re.IsZero() && qn.im.IsZero()) break;
    TComplex factor{Add(f.One(), qn.re), qn.im};
    product = CMulRaw(f, product, factor);
    qn = CMulRaw(f, qn, q);
  }
  // g = product^24
  TComplex p2 = CMulRaw(f, product, product);
  TComplex p4 = CMulRaw(f, p2, p2);
  TComplex p8 = CMulRaw(f, p4, p4);
  TComplex p16 = CMulRaw(f, p8, p8);
  const TComplex g = CMulRaw(f, p16, p8);
  TComplex t = CMulRaw(f, q, g);
  MultiplyBySmallBigInt(t.re, 256);
  MultiplyBySmallBigInt(t.im, 256);
  t.re = Add(t.re, f.One());
  const TComplex t3 = CMulRaw(f, CMulRaw(f, t, t), t);
  return CMulRaw(f, CMulRaw(f, qInverse, t3), CInverse(f, g));
}

// Rounds M / 2^P to the nearest integer; false when it is not within 2^-10.
bool RoundFixed(const TFixed& f, const Big& m, Big& out) {
  const bool negative = m.IsNegative() && !m.IsZero();
  Big mag = m;
  MakePositiveBigInt(mag);
  const Big half = ShiftLeft(FromInt(1), f.P - 1);
  const Big whole = ShiftRight(Add(mag, half), f.P);
  const Big back = ShiftLeft(whole, f.P);
  Big diff = Sub(mag, back);
  MakePositiveBigInt(diff);
  if (Bits(diff) > f.P - 10) return false;
  out = whole;
  if (negative && !out.IsZero()) NegateBigInt(out);
  return true;
}

bool TryHilbert(std::int32_t D, std::int64_t precision, const TProgress* progress, std::vector<Big>& out) {
  const std::vector<TForm> forms = ReducedForms(D);
  const TFixed f{precision};
  const Big pi = Pi(f);
  const Big sqrtAbsD = Isqrt(ShiftLeft(FromInt(-static_cast<std::int64_t>(D)), 2 * precision));
  std::vector<TComplex> poly{{f.One(), FromInt(0)}};  // constant term first
  auto multiplyLinear = [&](const TComplex& root) {
    // poly := poly * (x - root)
    std::vector<TComplex> next(poly.size() + 1, TComplex{FromInt(0), FromInt(0)});
    for (std::size_t i = 0; i < poly.size(); ++i) {
      next[i + 1] = CAdd(next[i + 1], poly[i]);
      TComplex p = CMulRaw(f, poly[i], root);
      NegateBigInt(p.re);
      NegateBigInt(p.im);
      next[i] = CAdd(next[i], p);
    }
    poly.swap(next);
  };
  for (const TForm& form : forms) {
    if (form.b < 0) continue;  // (a, -b, c) gives the conjugate root
    CheckCancelled(progress);  // a large |D| takes thousands of bits per root
    const TComplex j = JInvariant(f, pi, sqrtAbsD, form);
    const bool paired = form.b != 0 && form.b != form.a && form.a != form.c;
    if (paired) {
      // (x - j)(x - conj j) = x^2 - 2 Re j x + |j|^2
      const Big norm = f.ShiftRightSigned(Add(Mul(j.re, j.re), Mul(j.im, j.im)));
      Big twice = j.re;
      MultiplyBySmallBigInt(twice, 2);
      std::vector<TComplex> next(poly.size() + 2, TComplex{FromInt(0), FromInt(0)});
      for (std::size_t i = 0; i < poly.size(); ++i) {
        next[i + 2] = CAdd(next[i + 2], poly[i]);
        TComplex a{f.ShiftRightSigned(Mul(poly[i].re, twice)), f.ShiftRightSigned(Mul(poly[i].im, twice))};
        next[i + 1] = {Sub(next[i + 1].re, a.re), Sub(next[i + 1].im, a.im)};
        TComplex b{f.ShiftRightSigned(Mul(poly[i].re, norm)), f.ShiftRightSigned(Mul(poly[i].im, norm))};
        next[i] = CAdd(next[i], b);
      }
      poly.swap(next);
    } else {
      multiplyLinear(j);
    }
  }
  out.clear();
  for (const TComplex& c : poly) {
    Big re, im;
    if (!RoundFixed(f, c.re, re) || !RoundFixed(f, c.im, im) || !im.IsZero()) return false;
    out.push_back(re);
  }
  return out.size() == forms.size() + 1;
}

}  // namespace

std::vector<TForm> ReducedForms(std::int32_t D) {
  std::vector<TForm> forms;
  const std::int64_t absD = -static_cast<std::int64_t>(D);
  for (std::int64_t a = 1; 3 * a * a <= absD; ++a)
    for (std::int64_t b = -a + 1; b <= a; ++b) {
      if (((b - D) & 1) != 0) continue;
      const std::int64_t num = b * b + absD;
      if (num % (4 * a) != 0) continue;
      const std::int64_t c = num / (4 * a);
      if (c < a) continue;
      if (c == a && b < 0) continue;
      if (std::gcd(std::gcd(a, b < 0 ? -b : b), c) != 1) continue;
      forms.push_back({a, b, c});
    }
  return forms;
}

const std::vector<TDiscriminant>& DiscriminantsByClassNumber(int maxClassNumber) {
  static std::mutex mutex;
  static std::map<int, std::vector<TDiscriminant>> cache;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = cache.find(maxClassNumber);
  if (it != cache.end()) return it->second;
  // Class numbers of every discriminant at once, by enumerating reduced forms.
  std::vector<std::int32_t> h(kMaxAbsD + 1, 0);
  for (std::int64_t a = 1; 3 * a * a <= kMaxAbsD; ++a)
    for (std::int64_t b = -a + 1; b <= a; ++b)
      for (std::int64_t c = a;; ++c) {
        const std::int64_t absD = 4 * a * c - b * b;
        if (absD > kMaxAbsD) break;
        if (c == a && b < 0) continue;
        if (std::gcd(std::gcd(a, b < 0 ? -b : b), c) != 1) continue;
        ++h[absD];
      }
  std::vector<TDiscriminant> list;
  for (std::int32_t absD = 3; absD <= kMaxAbsD; ++absD)
    if (h[absD] > 0 && h[absD] <= maxClassNumber && Fundamental(absD)) list.push_back({-absD, h[absD]});
  std::stable_sort(list.begin(), list.end(),
                   [](const TDiscriminant& x, const TDiscriminant& y) { return x.h < y.h; });
  return cache.emplace(maxClassNumber, std::move(list)).first->second;
}

const std::vector<Big>& HilbertClassPolynomial(std::int32_t D, const TProgress* progress) {
  static std::mutex mutex;
  static std::map<std::int32_t, std::unique_ptr<std::vector<Big>>> cache;
  {
    std::lock_guard<std::mutex> lock(mutex);
    auto it = cache.find(D);
    if (it != cache.end()) return *it->second;
  }
  // The bits of the roots: |j| is about exp(pi sqrt|D| / a) for each form.
  double bits = 64;
  for (const TForm& form : ReducedForms(D))
    bits += std::numbers::pi * std::sqrt(-static_cast<double>(D)) / static_cast<double>(form.a) / std::log(2.0) + 12;
  auto poly = std::make_unique<std::vector<Big>>();
  std::int64_t precision = static_cast<std::int64_t>(bits);
  for (int attempt = 0;; ++attempt) {
    if (TryHilbert(D, precision, progress, *poly)) break;
    if (attempt == 4) throw std::runtime_error("class polynomial did not settle");
    precision *= 2;
  }
  std::lock_guard<std::mutex> lock(mutex);
  auto& slot = cache[D];
  if (!slot) slot = std::move(poly);
  return *slot;
}

}  // namespace ecpp

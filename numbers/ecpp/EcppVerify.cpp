#include "numbers/ecpp/EcppVerify.h"

namespace ecpp {

namespace {

// floor(sqrt(n)) by bisection on the bits: plain and separate from the
// prover's Newton iteration.
Big RootFloor(const Big& n) {
  Big root = FromInt(0);
  for (std::int64_t bit = (Bits(n) + 1) / 2; bit >= 0; --bit) {
    Big candidate = Add(root, ShiftLeft(FromInt(1), bit));
    if (Compare(Mul(candidate, candidate), n) <= 0) root = candidate;
  }
  return root;
}

// q > (N^(1/4) + 1)^2 holds when (floor(sqrt q) - 1)^4 > N.
bool QLargeEnough(const Big& q, const Big& n) {
  const Big r = Sub(RootFloor(q), FromInt(1));
  if (Compare(r, FromInt(1)) < 0) return false;
  const Big r2 = Mul(r, r);
  return Compare(Mul(r2, r2), n) > 0;
}

// Jacobian coordinates modulo N with no special cases: a step that meets
// the point at infinity or equal points modulo some prime p of N leaves
// Z = 0 modulo p for good, which the gcd checks on the results then catch.
struct TPoint {
  Big X, Y, Z;
};

class TChecker {
public:
  TChecker(const Big& n, const Big& a) : n_(n), a_(a) {}

  TPoint Double(const TPoint& p) const {
    const Big xx = M(p.X, p.X), yy = M(p.Y, p.Y), yyyy = M(yy, yy), zz = M(p.Z, p.Z);
    const Big s = R(Mul(FromInt(4), M(p.X, yy)));
    const Big m = R(Add(Mul(FromInt(3), xx), M(a_, M(zz, zz))));
    const Big x3 = R(Sub(M(m, m), Add(s, s)));
    const Big y3 = R(Sub(M(m, R(Sub(s, x3))), Mul(FromInt(8), yyyy)));
    const Big z3 = R(Mul(FromInt(2), M(p.Y, p.Z)));
    return {x3, y3, z3};
  }

  TPoint AddPoints(const TPoint& p, const TPoint& q) const {
    const Big z1z1 = M(p.Z, p.Z), z2z2 = M(q.Z, q.Z);
    const Big u1 = M(p.X, z2z2), u2 = M(q.X, z1z1);
    const Big s1 = M(p.Y, M(q.Z, z2z2)), s2 = M(q.Y, M(p.Z, z1z1));
    const Big h = R(Sub(u2, u1)), r = R(Sub(s2, s1));
    const Big hh = M(h, h), hhh = M(h, hh), v = M(u1, hh);
    const Big x3 = R(Sub(Sub(M(r, r), hhh), Add(v, v)));
    const Big y3 = R(Sub(M(r, R(Sub(v, x3))), M(s1, hhh)));
    const Big z3 = M(M(p.Z, q.Z), h);
    return {x3, y3, z3};
  }

  // k p for k >= 1, left to right from the top bit.
  TPoint Multiply(const TPoint& p, const Big& k) const {
    TPoint r = p;
    for (std::int64_t i = Bits(k) - 2; i >= 0; --i) {
      r = Double(r);
      if ((k.Digit(static_cast<int>(i / 31) + 1) >> (i % 31)) & 1) r = AddPoints(r, p);
    }
    return r;
  }

  bool Invertible(const Big& z) const { return IsOne(Gcd(z, n_)); }

  // p = -q as points with invertible Z: X1 Z2^2 = X2 Z1^2, Y1 Z2^3 = -Y2 Z1^3.
  bool Opposite(const TPoint& p, const TPoint& q) const {
    const Big z1z1 = M(p.Z, p.Z), z2z2 = M(q.Z, q.Z);
    if (!Equal(M(p.X, z2z2), M(q.X, z1z1))) return false;
    const Big left = M(p.Y, M(q.Z, z2z2));
    const Big right = M(q.Y, M(p.Z, z1z1));
    return R(Add(left, right)).IsZero();
  }

  Big M(const Big& a, const Big& b) const { return MulMod(a, b, n_); }
  Big R(const Big& a) const { return Mod(a, n_); }

private:
  Big n_, a_;
};

std::string CheckStep(const TEcppStep& step, Big& q, TProgress* progress) {
  const Big& n = step.N;
  if (Compare(n, FromInt(1)) <= 0) return "N is not above 1";
  if (!IsOne(Gcd(n, FromInt(6)))) return "N shares a factor with 6";
  if (Compare(Mul(step.t, step.t), Mul(FromInt(4), n)) >= 0) return "t^2 is not below 4N";
  if (Compare(step.s, FromInt(0)) <= 0) return "s is not positive";
  const Big m = Sub(Add(n, FromInt(1)), step.t);
  Big remainder;
  DivModBigInt(m, step.s, q, remainder);
  if (!remainder.IsZero()) return "s does not divide m = N + 1 - t";
  if (!QLargeEnough(q, n)) return "q = m / s is not above (N^(1/4) + 1)^2";
  TChecker curve(n, Mod(step.a4, n));
  const Big x = Mod(step.x, n), y = Mod(step.y, n);
  const Big b = Mod(Sub(Sub(curve.M(y, y), curve.M(curve.M(x, x), x)), curve.M(Mod(step.a4, n), x)), n);
  const Big a = Mod(step.a4, n);
  const Big disc = Mod(Add(Mul(FromInt(4), curve.M(curve.M(a, a), a)), Mul(FromInt(27), curve.M(b, b))), n);
  if (!curve.Invertible(disc)) return "the curve is singular modulo N";
  CheckCancelled(progress);
  const TPoint p{x, y, FromInt(1)};
  const TPoint sp = curve.Multiply(p, step.s);
  if (!curve.Invertible(sp.Z)) return "s P is not a finite point modulo every prime of N";
  CheckCancelled(progress);
  if (IsOne(q)) return "q is 1";
  // m P = q (s P) = O exactly when (q - 1)(s P) = -(s P).
  const TPoint rest = Compare(q, FromInt(2)) == 0 ? sp : curve.Multiply(sp, Sub(q, FromInt(1)));
  if (!curve.Invertible(rest.Z) || !curve.Opposite(rest, sp)) return "m P is not the point at infinity";
  return std::string();
}

}  // namespace

TVerdict VerifyCertificate(const TCertificate& c, TProgress* progress) {
  TVerdict v;
  if (c.steps.empty()) {
    std::uint64_t small = 0;
    if (c.n.IsNegative() && !c.n.IsZero()) {
      v.reason = "the number is negative";
    } else if (!ToUint64(c.n, small)) {
      v.reason = "a number of 64 bits or more needs curve steps";
    } else if (!IsPrime64(small)) {
      v.reason = "the number is not prime";
    } else {
      v.valid = true;
    }
    return v;
  }
  if (!Equal(c.steps.front().N, c.n)) {
    v.reason = "step 1: N is not the number certified";
    return v;
  }
  Big q;
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const std::string prefix = "step " + std::to_string(i + 1) + ": ";
    if (i > 0 && !Equal(c.steps[i].N, q)) {
      v.reason = prefix + "N is not the q of step " + std::to_string(i);
      return v;
    }
    const std::string why = CheckStep(c.steps[i], q, progress);
    if (!why.empty()) {
      v.reason = prefix + why;
      return v;
    }
  }
  std::uint64_t last = 0;
  if (!ToUint64(q, last)) {
    v.reason = "step " + std::to_string(c.steps.size()) + ": the last q is not below 2^64";
    return v;
  }
  if (!IsPrime64(last)) {
    v.reason = "step " + std::to_string(c.steps.size()) + ": the last q is not prime";
    return v;
  }
  v.valid = true;
  return v;
}

}  // namespace ecpp

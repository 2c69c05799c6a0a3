#include "numbers/ecpp/Ecpp.h"

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <stdexcept>
#include <utility>

#include "numbers/ecpp/ClassPolynomial.h"
#include "numbers/ecpp/PolyRoots.h"

namespace ecpp {

namespace {

// ---- Residues modulo N on Montgomery words -------------------------------

using TRes = std::vector<std::uint64_t>;

class TField {
public:
  explicit TField(const Big& n) : m_(n), k_(m_.Words()), n_(n) {}
  const Big& Modulus() const { return n_; }
  TRes Zero() const { return TRes(static_cast<std::size_t>(k_), 0); }
  TRes One() const { return TRes(m_.One(), m_.One() + k_); }
  TRes Load(const Big& v) const {
    TRes r = Zero();
    m_.Load(r.data(), Mod(v, n_));
    return r;
  }
  TRes Small(std::int64_t v) const {
    TRes r = Zero();
    m_.LoadSmall(r.data(), v);
    return r;
  }
  Big Store(const TRes& a) const {
    Big r;
    m_.Store(a.data(), r);
    return r;
  }
  void Mul(TRes& out, const TRes& a, const TRes& b) const { m_.Multiply(out.data(), a.data(), b.data()); }
  void Sqr(TRes& out, const TRes& a) const { m_.Square(out.data(), a.data()); }
  void Add(TRes& out, const TRes& a, const TRes& b) const { m_.Add(out.data(), a.data(), b.data()); }
  void Sub(TRes& out, const TRes& a, const TRes& b) const { m_.Subtract(out.data(), a.data(), b.data()); }
  bool IsZero(const TRes& a) const { return m_.IsZero(a.data()); }
  bool Equal(const TRes& a, const TRes& b) const { return m_.Equal(a.data(), b.data()); }

private:
  TMontgomeryWords m_;
  int k_;
  Big n_;
};

// ---- Curve arithmetic in Jacobian coordinates (Z = 0: the point at infinity)

struct TJacobian {
  TRes X, Y, Z;
};

class TCurve {
public:
  TCurve(const TField& f, const TRes& a4) : f_(f), a4_(a4) {
    for (TRes* t : {&t0_, &t1_, &t2_, &t3_, &t4_, &t5_}) *t = f.Zero();
  }

  TJacobian Infinity() const { return {f_.One(), f_.One(), f_.Zero()}; }

  void Double(TJacobian& p) {
    if (f_.IsZero(p.Z)) return;
    if (f_.IsZero(p.Y)) {
      p = Infinity();
      return;
    }
    f_.Sqr(t0_, p.X);             // XX
    f_.Sqr(t1_, p.Y);             // YY
    f_.Sqr(t2_, t1_);             // YYYY
    f_.Sqr(t3_, p.Z);             // ZZ
    f_.Mul(t4_, p.X, t1_);        // X YY
    f_.Add(t4_, t4_, t4_);
    f_.Add(t4_, t4_, t4_);        // S = 4 X YY
    f_.Sqr(t3_, t3_);
    f_.Mul(t3_, t3_, a4_);        // a ZZ^2
    f_.Add(t5_, t0_, t0_);
    f_.Add(t5_, t5_, t0_);
    f_.Add(t5_, t5_, t3_);        // M = 3 XX + a ZZ^2
    f_.Mul(p.Z, p.Y, p.Z);
    f_.Add(p.Z, p.Z, p.Z);        // Z3 = 2 Y Z
    f_.Sqr(p.X, t5_);
    f_.Sub(p.X, p.X, t4_);
    f_.Sub(p.X, p.X, t4_);        // X3 = M^2 - 2 S
    f_.Sub(t4_, t4_, p.X);
    f_.Mul(p.Y, t5_, t4_);
    f_.Add(t2_, t2_, t2_);
    f_.Add(t2_, t2_, t2_);
    f_.Add(t2_, t2_, t2_);
    f_.Sub(p.Y, p.Y, t2_);        // Y3 = M (S - X3) - 8 YYYY
  }

  // p += (x, y), the second point affine.
  void AddAffine(TJacobian& p, const TRes& x, const TRes& y) {
    if (f_.IsZero(p.Z)) {
      p = {x, y, f_.One()};
      return;
    }
    f_.Sqr(t0_, p.Z);             // Z1Z1
    f_.Mul(t1_, x, t0_);          // U2
    f_.Mul(t2_, p.Z, t0_);
    f_.Mul(t2_, y, t2_);          // S2
    f_.Sub(t1_, t1_, p.X);        // H
    f_.Sub(t2_, t2_, p.Y);        // r
    if (f_.IsZero(t1_)) {
      if (f_.IsZero(t2_))
        Double(p);
      else
        p = Infinity();
      return;
    }
    f_.Sqr(t3_, t1_);             // HH
    f_.Mul(t4_, t1_, t3_);        // HHH
    f_.Mul(t5_, p.X, t3_);        // V
    f_.Mul(p.Z, p.Z, t1_);        // Z3 = Z1 H
    f_.Sqr(p.X, t2_);
    f_.Sub(p.X, p.X, t4_);
    f_.Sub(p.X, p.X, t5_);
    f_.Sub(p.X, p.X, t5_);        // X3 = r^2 - HHH - 2 V
    f_.Sub(t5_, t5_, p.X);
    f_.Mul(t5_, t2_, t5_);
    f_.Mul(t4_, p.Y, t4_);
    f_.Sub(p.Y, t5_, t4_);        // Y3 = r (V - X3) - Y1 HHH
  }

  TJacobian Multiply(const TRes& x, const TRes& y, const Big& k) {
    TJacobian r = Infinity();
    for (std::int64_t i = Bits(k) - 1; i >= 0; --i) {
      Double(r);
      if (BitOf(k, i)) AddAffine(r, x, y);
    }
    return r;
  }

  // The affine coordinates of a finite point; false when Z has no inverse.
  bool ToAffine(const TJacobian& p, TRes& x, TRes& y) const {
    Big zInverse;
    if (!ModInverseBigInt(f_.Store(p.Z), f_.Modulus(), zInverse)) return false;
    TRes zi = f_.Load(zInverse), zi2 = f_.Zero(), zi3 = f_.Zero();
    f_.Sqr(zi2, zi);
    f_.Mul(zi3, zi2, zi);
    x = f_.Zero();
    y = f_.Zero();
    f_.Mul(x, p.X, zi2);
    f_.Mul(y, p.Y, zi3);
    return true;
  }

  static bool BitOf(const Big& k, std::int64_t i) {
    return (k.Digit(static_cast<int>(i / 31) + 1) >> (i % 31)) & 1;
  }

private:
  const TField& f_;
  TRes a4_;
  TRes t0_, t1_, t2_, t3_, t4_, t5_;
};

// ---- Square roots modulo a probable prime ----------------------------------

class TSqrt {
public:
  explicit TSqrt(const Big& n) : n_(n), field_(n) {
    q_ = Sub(n, FromInt(1));
    while (!IsOddBigInt(q_)) {
      HalveBigInt(q_);
      ++e_;
    }
    half_ = q_;
    HalveBigInt(half_);  // (q - 1) / 2
  }
  // A root of a modulo n; false when a is no square (or n is no prime).
  bool Root(const Big& a0, Big& root) {
    const Big a = Mod(a0, n_);
    if (a.IsZero()) {
      root = a;
      return true;
    }
    // w = a^((q-1)/2), so r = a w is a^((q+1)/2) and t = r w is a^q: one
    // exponentiation. While t != 1, Tonelli-Shanks corrects r by powers of
    // z^q, z no square; every square of that loop is a Montgomery one, as
    // N - 1 may hold a large power of two.
    const Big w = PowMod(a, half_, n_);
    const TField& F = field_;
    TRes r = F.Load(MulMod(a, w, n_)), t = F.Load(w), one = F.One(), t2 = F.Zero(), b = F.Zero();
    F.Mul(t, t, r);
    if (e_ > 1 && !F.Equal(t, one)) {
      if (z_.IsZero()) {
        for (std::int64_t z = 2;; ++z) {
          const int j = JacobiBigInt(z, n_);
          if (j == -1) {
            z_ = PowMod(FromInt(z), q_, n_);
            break;
          }
          if (j == 0 || z > 10000) return false;
        }
      }
      TRes c = F.Load(z_);
      int m = e_;
      while (!F.Equal(t, one)) {
        int i = 0;
        t2 = t;
        while (!F.Equal(t2, one)) {
          F.Sqr(t2, t2);
          if (++i == m) return false;
        }
        b = c;
        for (int k = 0; k < m - i - 1; ++k) F.Sqr(b, b);
        F.Mul(r, r, b);
        F.Sqr(c, b);
        F.Mul(t, t, c);
        m = i;
      }
    }
    root = F.Store(r);
    return Equal(MulMod(root, root, n_), a);
  }

private:
  Big n_;
  TField field_;
  Big q_, half_, z_;
  int e_ = 0;
};

// Square roots of discriminants from the roots of their prime factors.
// A fundamental D is a product of prime discriminants p* (p* = +-p = 1 mod
// 4 for odd p, and one of -4, 8, -8), and 4N = u^2 + |D| v^2 can only be
// solved when N is in the principal genus: every p* a square modulo N.
// So a discriminant with a factor that is no square is turned away before
// any root is taken, and sqrt(D) is the product of the factors' roots,
// each found once per N (one exponentiation) and shared by every
// discriminant of the step.
class TDiscriminantRoots {
public:
  explicit TDiscriminantRoots(const Big& n) : n_(n), sqrt_(n) {}

  // A root of D modulo N; false when N is not in D's principal genus (or
  // showed itself composite).
  bool Root(std::int32_t D, Big& root) {
    if (!Factor(D)) return false;
    for (std::int64_t b : factors_)
      if (Character(b) != 1) return false;
    root = FromInt(twice_ ? 2 : 1);
    for (std::int64_t b : factors_) {
      const TBase& base = Base(b);
      if (!base.valid) return false;
      root = MulMod(root, base.root, n_);
    }
    return true;
  }

private:
  struct TBase {
    int character = 0;
    bool rooted = false, valid = false;
    Big root;
  };

  // D's prime discriminants into factors_; the even one (-4, 8 or -8) as
  // -1, 2 or -2 with twice_ set for its square factor 4.
  bool Factor(std::int32_t D) {
    factors_.clear();
    twice_ = false;
    std::int64_t rest = -static_cast<std::int64_t>(D), odd = 1;
    while (rest % 2 == 0) rest /= 2;
    for (std::int64_t p = 3; p * p <= rest; p += 2)
      if (rest % p == 0) {
        rest /= p;
        if (rest % p == 0) return false;  // not fundamental
        factors_.push_back(p % 4 == 1 ? p : -p);
        odd *= factors_.back();
      }
    if (rest > 1) {
      factors_.push_back(rest % 4 == 1 ? rest : -rest);
      odd *= factors_.back();
    }
    const std::int64_t even = D / odd;  // 1, -4, 8 or -8
    if (even == 1) return true;
    if (even != -4 && even != 8 && even != -8) return false;
    factors_.push_back(even / 4);  // -1, 2 or -2
    twice_ = true;
    return true;
  }

  int Character(std::int64_t b) {
    TBase& base = bases_[b];
    if (base.character == 0) base.character = JacobiBigInt(b, n_);
    return base.character;
  }

  const TBase& Base(std::int64_t b) {
    TBase& base = bases_[b];
    if (!base.rooted) {
      base.rooted = true;
      base.valid = sqrt_.Root(FromInt(b), base.root);
    }
    return base;
  }

  Big n_;
  TSqrt sqrt_;
  std::map<std::int64_t, TBase> bases_;
  std::vector<std::int64_t> factors_;
  bool twice_ = false;
};

// ---- Small primes for splitting the orders ------------------------------

const std::vector<std::uint32_t>& SmallPrimes() {
  static const std::vector<std::uint32_t> primes = [] {
    constexpr std::uint32_t kLimit = 1u << 16;
    std::vector<bool> composite(kLimit + 1, false);
    std::vector<std::uint32_t> out;
    for (std::uint32_t i = 2; i <= kLimit; ++i) {
      if (composite[i]) continue;
      out.push_back(i);
      for (std::uint64_t j = std::uint64_t{i} * i; j <= kLimit; j += i) composite[j] = true;
    }
    return out;
  }();
  return primes;
}

// The small primes in groups whose products fit in 32 bits, so one
// remainder by a group's product gives the residues of all its primes.
// The remainders are taken with precomputed reciprocals (Barrett for the
// group, Lemire's for each prime): multiplications, no divisions.
struct TPrimeGroup {
  std::size_t begin, end;
  std::uint64_t product, reciprocal;  // floor((2^64 - 1) / product)
};

struct TPrimeGroups {
  std::vector<TPrimeGroup> groups;
  std::vector<std::uint64_t> primeReciprocals;  // floor((2^64 - 1) / p) + 1
};

const TPrimeGroups& PrimeGroups() {
  static const TPrimeGroups groups = [] {
    const auto& primes = SmallPrimes();
    TPrimeGroups out;
    for (std::size_t i = 0; i < primes.size();) {
      std::uint64_t product = 1;
      std::size_t j = i;
      while (j < primes.size() && product * primes[j] < (std::uint64_t{1} << 32)) product *= primes[j++];
      out.groups.push_back({i, j, product, ~std::uint64_t{0} / product});
      i = j;
    }
    for (std::uint32_t p : primes) out.primeReciprocals.push_back(~std::uint64_t{0} / p + 1);
    return out;
  }();
  return groups;
}

// x mod p for every small prime p, x >= 0.
void SmallResidues(const Big& x, std::vector<std::uint32_t>& out) {
  const auto& primes = SmallPrimes();
  const TPrimeGroups& table = PrimeGroups();
  out.resize(primes.size());
  const int words = std::max<int>(1, static_cast<int>((Bits(x) + 63) / 64));
  std::vector<std::uint64_t> limbs(static_cast<std::size_t>(words));
  BigIntToWords(x, limbs.data(), words);
  std::vector<std::uint32_t> halves;
  for (int i = words - 1; i >= 0; --i) {
    halves.push_back(static_cast<std::uint32_t>(limbs[static_cast<std::size_t>(i)] >> 32));
    halves.push_back(static_cast<std::uint32_t>(limbs[static_cast<std::size_t>(i)]));
  }
  for (const TPrimeGroup& g : table.groups) {
    std::uint64_t r = 0;  // below the product, so (r << 32) | h fits
    for (std::uint32_t h : halves) {
      const std::uint64_t v = (r << 32) | h;
      const std::uint64_t q = static_cast<std::uint64_t>((static_cast<unsigned __int128>(v) * g.reciprocal) >> 64);
      r = v - q * g.product;
      if (r >= g.product) r -= g.product;
    }
    for (std::size_t k = g.begin; k < g.end; ++k) {
      const std::uint64_t low = table.primeReciprocals[k] * r;
      out[k] = static_cast<std::uint32_t>((static_cast<unsigned __int128>(low) * primes[k]) >> 64);
    }
  }
}

// Divides out of m every power of the primes listed (each known to divide
// m); returns their product s.
Big DivideOut(Big& m, const std::vector<std::uint32_t>& divisors) {
  Big s = FromInt(1);
  for (std::uint32_t p : divisors)
    for (;;) {
      Big t = m;
      if (DivideBySmallBigInt(t, p) != 0) break;
      m = std::move(t);
      MultiplyBySmallBigInt(s, p);
    }
  return s;
}

bool ProbablePrime(const Big& q) {
  if (!IsOddBigInt(q)) return false;
  // One strong round with base 2 discards most candidates cheaply.
  Big d = Sub(q, FromInt(1));
  int r = 0;
  while (!IsOddBigInt(d)) {
    HalveBigInt(d);
    ++r;
  }
  Big x = PowMod(FromInt(2), d, q);
  const Big qMinus1 = Sub(q, FromInt(1));
  if (!IsOne(x) && !Equal(x, qMinus1)) {
    int i = 1;
    for (; i < r; ++i) {
      x = MulMod(x, x, q);
      if (Equal(x, qMinus1)) break;
    }
    if (i >= r) return false;
  }
  return IsPrimeNumber(q);
}

// ---- One step of the descent ---------------------------------------------

struct TCandidate {
  std::int32_t D = 0;
  Big t, s, q;
};

// 4N = u^2 + |D| v^2 by Cornacchia's algorithm.
// Euclid's remainders from (a, b), a > b > 0, until one is at most limit;
// returns it. On 64-bit words in place: each quotient comes from the top
// bits of the two (one or two short, then corrected), so a step costs one
// row of products and no allocation.
class TEuclid {
public:
  Big DownTo(const Big& a0, const Big& b0, const Big& limit) {
    const int words = std::max<int>(2, static_cast<int>((Bits(a0) + 63) / 64) + 1);
    const std::size_t k = static_cast<std::size_t>(words);
    a_.assign(k, 0);
    b_.assign(k, 0);
    limit_.assign(k, 0);
    BigIntToWords(a0, a_.data(), words);
    BigIntToWords(b0, b_.data(), words);
    BigIntToWords(limit, limit_.data(), words);
    Limb* a = a_.data();
    Limb* b = b_.data();
    while (limb64::CmpN(b, limit_.data(), k) > 0) {
      Remainder(a, b, k);
      std::swap(a, b);
    }
    Big out;
    WordsToBigInt(b, words, out);
    return out;
  }

private:
  using Limb = std::uint64_t;

  static std::int64_t BitLength(const Limb* a, std::size_t k) {
    for (std::size_t i = k; i-- > 0;)
      if (a[i]) return static_cast<std::int64_t>(64 * i + 64 - static_cast<std::size_t>(__builtin_clzll(a[i])));
    return 0;
  }

  // 128 bits of a from bit s on.
  static unsigned __int128 Top(const Limb* a, std::size_t k, std::size_t s) {
    const std::size_t w = s / 64, b = s % 64;
    auto word = [&](std::size_t i) -> Limb { return i < k ? a[i] : 0; };
    const Limb lo = b ? (word(w) >> b) | (word(w + 1) << (64 - b)) : word(w);
    const Limb hi = b ? (word(w + 1) >> b) | (word(w + 2) << (64 - b)) : word(w + 1);
    return (static_cast<unsigned __int128>(hi) << 64) | lo;
  }

  // a := a mod b, b > 0.
  void Remainder(Limb* a, const Limb* b, std::size_t k) {
    const std::int64_t bitsA = BitLength(a, k), bitsB = BitLength(b, k);
    if (bitsA < bitsB) return;
    if (bitsA - bitsB >= 60) {
      const std::size_t na = static_cast<std::size_t>((bitsA + 63) / 64), nb = static_cast<std::size_t>((bitsB + 63) / 64);
      rest_.assign(nb, 0);
      limb64::DivRem(nullptr, rest_.data(), a, na, b, nb);
      std::fill(a, a + k, 0);
      std::copy(rest_.begin(), rest_.end(), a);
      return;
    }
    const std::size_t s = bitsB > 64 ? static_cast<std::size_t>(bitsB - 64) : 0;
    const unsigned __int128 top = Top(a, k, s), divisor = Top(b, k, s) + 1;
    const Limb q = static_cast<Limb>(top / divisor);
    if (q) limb64::SubMul1(a, b, k, q);
    while (limb64::CmpN(a, b, k) >= 0) limb64::SubN(a, a, b, k);
  }

  std::vector<Limb> a_, b_, limit_, rest_;
};

// Whether x >= 0 may be a square: its residues modulo 64, 63, 65 and 11
// rule out all but about one non-square in a hundred.
bool MaybeSquare(const Big& x) {
  static const auto tables = [] {
    std::array<std::vector<bool>, 4> t;
    const int moduli[4] = {64, 63, 65, 11};
    for (int i = 0; i < 4; ++i) {
      t[static_cast<std::size_t>(i)].assign(static_cast<std::size_t>(moduli[i]), false);
      for (int r = 0; r < moduli[i]; ++r) t[static_cast<std::size_t>(i)][static_cast<std::size_t>(r * r % moduli[i])] = true;
    }
    return t;
  }();
  Big copy = x;
  const std::int64_t r = DivideBySmallBigInt(copy, 64 * 63 * 65 * 11);
  return tables[0][static_cast<std::size_t>(r % 64)] && tables[1][static_cast<std::size_t>(r % 63)] &&
         tables[2][static_cast<std::size_t>(r % 65)] && tables[3][static_cast<std::size_t>(r % 11)];
}

// 4N = u^2 + |D| v^2 by Cornacchia's algorithm.
bool Cornacchia(const Big& n, std::int32_t D, TDiscriminantRoots& roots, TEuclid& euclid, const Big& limit, Big& u,
                Big& v) {
  Big r;
  if (!roots.Root(D, r)) return false;
  const bool dOdd = (D & 1) != 0;
  if (IsOddBigInt(r) != dOdd) r = Sub(n, r);
  const Big b = euclid.DownTo(Add(n, n), r, limit);
  Big remainder = Sub(Mul(Add(n, n), FromInt(2)), Mul(b, b));
  if (DivideBySmallBigInt(remainder, -static_cast<std::int64_t>(D)) != 0) return false;
  if (!MaybeSquare(remainder)) return false;
  const Big root = Isqrt(remainder);
  if (!Equal(Mul(root, root), remainder)) return false;
  u = b;
  v = root;
  return true;
}

class TStepSearch {
public:
  TStepSearch(const Big& n, TProgress* progress) : n_(n), progress_(progress), roots_(n) {
    limit_ = Isqrt(Mul(n, FromInt(4)));
    SmallResidues(Add(n, FromInt(1)), nPlus1Residues_);
  }

  // The first candidate that clears the wanted size, else the best of
  // those found within 40 discriminants of the first. A candidate's worth
  // is the bits it removes less a charge for the class polynomial's degree
  // h, whose root costs about h^2 products per bit of N.
  bool Find(TCandidate& best) {
    const std::int64_t bits = Bits(n_);
    const std::int64_t want = std::max<std::int64_t>(10, bits / 16);
    bool found = false;
    std::int64_t bestScore = 0;
    int sinceFirst = 0;
    for (const TDiscriminant& d : DiscriminantsByClassNumber(kMaxClassNumber)) {
      CheckCancelled(progress_);
      if (found && ++sinceFirst > 40) break;
      // D = -3 and -4 give j = 0 and 1728, whose curves y^2 = x^3 + b and
      // y^2 = x^3 + a x come in 6 and 4 twists: a changed digit in such a
      // step would still prove the number with good odds. Every digit of our
      // certificates is to matter, so those two are left out.
      if (d.D >= -4) continue;
      if (std::find(excluded_.begin(), excluded_.end(), d.D) != excluded_.end()) continue;
      if (JacobiBigInt(d.D, n_) != 1) continue;
      Big u, v;
      if (!Cornacchia(n_, d.D, roots_, euclid_, limit_, u, v)) continue;
      // The orders N + 1 -+ u: their small prime factors from the residues
      // of N + 1 (once per step) and of u.
      SmallResidues(u, uResidues_);
      const auto& primes = SmallPrimes();
      for (int sign = 0; sign < 2; ++sign) {
        divisors_.clear();
        for (std::size_t k = 0; k < primes.size(); ++k) {
          const std::uint32_t p = primes[k], a = nPlus1Residues_[k], b = uResidues_[k];
          if ((sign == 0 ? (a + p - b) % p : (a + b) % p) == 0) divisors_.push_back(p);
        }
        Big t = u;
        if (sign) NegateBigInt(t);
        Big q = Sub(Add(n_, FromInt(1)), t);
        const Big s = DivideOut(q, divisors_);
        const std::int64_t removed = bits - Bits(q);
        // q must come down: with s = 1 the order's prime q has a curve of
        // order N in turn, and the descent would go round in a circle.
        if (removed < 1) continue;
        const std::int64_t score = 8 * removed - std::int64_t{d.h} * d.h;  // in eighths of a bit
        if (found && score <= bestScore) continue;
        if (!AboveHasseBound(q, n_) || !ProbablePrime(q)) continue;
        best = {d.D, t, s, q};
        bestScore = score;
        found = true;
        if (score >= 8 * want) return true;
      }
    }
    return found;
  }

  // A discriminant whose curve could not be built is not offered again.
  void Exclude(std::int32_t D) { excluded_.push_back(D); }

private:
  static constexpr int kMaxClassNumber = 60;
  Big n_;
  TProgress* progress_;
  TDiscriminantRoots roots_;
  TEuclid euclid_;
  Big limit_;
  std::vector<std::int32_t> excluded_;
  std::vector<std::uint32_t> nPlus1Residues_, uResidues_, divisors_;
};

// A curve of order N + 1 - t with CM by D and a point P of m P = O, s P != O.
bool BuildCurve(const Big& n, const TCandidate& c, std::mt19937_64& random, TProgress* progress, TEcppStep& step) {
  const TField F(n);
  Big j;
  const std::vector<Big>& h = HilbertClassPolynomial(c.D, progress);
  TPoly f;
  for (const Big& x : h) f.push_back(Mod(x, n));
  if (!RootOfSplitPolynomial(n, f, random, progress, j)) return false;
  // The curve a = 3k, b = 2k with k = j / (1728 - j) has invariant j.
  Big k;
  {
    Big inverse;
    if (!ModInverseBigInt(Mod(Sub(FromInt(1728), j), n), n, inverse)) return false;
    k = MulMod(j, inverse, n);
  }
  const Big a0 = MulMod(FromInt(3), k, n), b0 = MulMod(FromInt(2), k, n);
  Big half = Sub(n, FromInt(1));
  HalveBigInt(half);
  auto randomResidue = [&] {
    Big r = FromInt(0);
    for (int i = 0; i < (Bits(n) + 61) / 62; ++i) {
      r = ShiftLeft(r, 62);
      r = Add(r, FromInt(static_cast<std::int64_t>(random() >> 2)));
    }
    return Mod(r, n);
  };
  // Whether r is a square modulo N (Euler), 0 when N shows itself composite.
  auto character = [&](const Big& r) {
    const Big e = PowMod(r, half, n);
    return IsOne(e) ? 1 : Equal(e, Sub(n, FromInt(1))) ? -1 : 0;
  };
  // For any x with r = x^3 + a0 x + b0 != 0, the curve (a0 r^2, b0 r^3)
  // holds the point (x r, r^2): it is the curve (a0, b0) when r is a square
  // and its twist when not, so no square root is taken. When a curve has
  // the other order, the right one is that of an r of the other kind.
  int wanted = 0;  // the kind of r wanted; 0 while unknown
  for (int curve = 0; curve < 200; ++curve) {
    CheckCancelled(progress);
    const Big x0 = randomResidue();
    const Big r = Mod(Add(MulMod(Add(MulMod(x0, x0, n), a0), x0, n), b0), n);
    if (r.IsZero()) continue;
    int kind = 0;
    if (wanted != 0) {
      kind = character(r);
      if (kind == 0) return false;
      if (kind != wanted) continue;
    }
    const Big r2 = MulMod(r, r, n);
    const Big a4 = MulMod(a0, r2, n);
    const Big x = MulMod(x0, r, n), y = r2;
    TCurve E(F, F.Load(a4));
    const TRes xm = F.Load(x), ym = F.Load(y);
    const TJacobian sp = E.Multiply(xm, ym, c.s);
    if (F.IsZero(sp.Z)) continue;
    TRes sx, sy;
    if (!E.ToAffine(sp, sx, sy)) return false;
    const TJacobian mp = E.Multiply(sx, sy, c.q);
    if (!F.IsZero(mp.Z)) {
      if (wanted != 0) return false;  // neither kind has the order: N is no prime
      kind = character(r);
      if (kind == 0) return false;
      wanted = -kind;
      continue;
    }
    step = {n, c.t, c.s, a4, x, y};
    return true;
  }
  return false;
}

}  // namespace

Big CompositeWitness(const Big& n) {
  Big d = Sub(n, FromInt(1));
  int r = 0;
  while (!IsOddBigInt(d)) {
    HalveBigInt(d);
    ++r;
  }
  const Big nMinus1 = Sub(n, FromInt(1));
  int tried = 0;
  for (std::uint32_t p : SmallPrimes()) {
    if (++tried > 100) break;
    const Big a = FromInt(p);
    if (Compare(a, nMinus1) >= 0) break;
    Big x = PowMod(a, d, n);
    if (IsOne(x) || Equal(x, nMinus1)) continue;
    bool passed = false;
    for (int i = 1; i < r && !passed; ++i) {
      x = MulMod(x, x, n);
      passed = Equal(x, nMinus1);
    }
    if (!passed) return a;
  }
  return FromInt(0);
}

TEcppOutcome ProvePrimality(const Big& n0, TProgress* progress) {
  Big n = n0;
  if (n.IsNegative() && !n.IsZero()) throw std::invalid_argument("The number must be at least 2");
  if (Compare(n, FromInt(2)) < 0) throw std::invalid_argument("The number must be at least 2");
  TEcppOutcome outcome;
  std::uint64_t small = 0;
  if (ToUint64(n, small)) {
    outcome.prime = IsPrime64(small);
    if (!outcome.prime) outcome.witness = (small % 2 == 0) ? FromInt(2) : CompositeWitness(n);
    return outcome;
  }
  if (!IsOddBigInt(n)) {
    outcome.witness = FromInt(2);
    return outcome;
  }
  if (!IsPrimeNumber(n)) {
    outcome.witness = CompositeWitness(n);
    return outcome;
  }
  const std::int64_t digits0 = static_cast<std::int64_t>(Text(n).size());
  std::mt19937_64 random(static_cast<std::uint64_t>(n.Digit(1)) * 0x9E3779B97F4A7C15ULL + 1);
  for (int stepIndex = 1;; ++stepIndex) {
    std::uint64_t q64 = 0;
    if (ToUint64(n, q64)) break;
    const std::int64_t digits = static_cast<std::int64_t>(Text(n).size());
    ReportProgress(progress, 1.0 - static_cast<double>(digits) / static_cast<double>(digits0),
                   "Step " + std::to_string(stepIndex) + ": " + std::to_string(digits) + " digits");
    CheckCancelled(progress);
    TStepSearch search(n, progress);
    TCandidate candidate;
    TEcppStep step;
    bool built = false;
    // A candidate whose curve cannot be built (a root not found) is rare;
    // then the search runs again without its discriminant.
    for (int attempt = 0; attempt < 3 && !built; ++attempt) {
      if (!search.Find(candidate)) break;
      built = BuildCurve(n, candidate, random, progress, step);
      if (!built) search.Exclude(candidate.D);
    }
    if (!built) throw std::runtime_error("No elliptic curve step found for " + Text(n));
    outcome.steps.push_back(step);
    n = candidate.q;
  }
  outcome.prime = true;
  return outcome;
}

}  // namespace ecpp

#include "numbers/ecpp/PolyRoots.h"

#include <utility>

#include "numbers/montgomery/MontKernel.h"


namespace ecpp {

namespace {

using limb64::Limb;

void Trim(TPoly& p) {
  if (p.empty()) p.push_back(FromInt(0));
  while (p.size() > 1 && p.back().IsZero()) p.pop_back();
}

// a mod b, b monic.
TPoly PolyMod(TPoly a, const TPoly& b, const Big& n) {
  const std::size_t db = b.size() - 1;
  while (a.size() > db && a.size() >= b.size()) {
    const Big lead = a.back();
    const std::size_t shift = a.size() - b.size();
    for (std::size_t i = 0; i < db; ++i) a[shift + i] = Mod(Sub(a[shift + i], Mul(lead, b[i])), n);
    a.pop_back();
  }
  Trim(a);
  return a;
}

bool MakeMonic(TPoly& a, const Big& n) {
  Big inverse;
  if (!ModInverseBigInt(a.back(), n, inverse)) return false;
  for (Big& c : a) c = MulMod(c, inverse, n);
  return true;
}

bool PolyGcd(TPoly a, TPoly b, const Big& n, TPoly& out) {
  Trim(a);
  Trim(b);
  while (!(b.size() == 1 && b[0].IsZero())) {
    if (!MakeMonic(b, n)) return false;
    TPoly r = PolyMod(a, b, n);
    a = std::move(b);
    b = std::move(r);
  }
  if (!MakeMonic(a, n)) return false;
  out = std::move(a);
  return true;
}

// a / b for monic b dividing a.
TPoly PolyDivide(TPoly a, const TPoly& b, const Big& n) {
  const std::size_t db = b.size() - 1;
  TPoly q(a.size() - db, FromInt(0));
  while (a.size() > db) {
    const Big lead = a.back();
    const std::size_t shift = a.size() - b.size();
    q[shift] = lead;
    for (std::size_t i = 0; i < db; ++i) a[shift + i] = Mod(Sub(a[shift + i], Mul(lead, b[i])), n);
    a.pop_back();
  }
  return q;
}

// acc (2K + 1 words) += a b for K-word a and b: Comba's columns, unrolled
// for a word count known when compiling, with the library's
// multiply-accumulate; the sum goes straight into the accumulator.
template <int K, bool kAsm>
void MulAddComba(Limb* acc, const Limb* a, const Limb* b) {
  Limb c0 = 0, c1 = 0, c2 = 0;
#pragma GCC unroll 64
  for (int m = 0; m < 2 * K - 1; ++m) {
    c1 += limb64::AddC(c0, acc[m], 0, &c0);
#pragma GCC unroll 32
    for (int i = (m < K ? 0 : m - K + 1); i <= (m < K ? m : K - 1); ++i) montk::Mac<kAsm>(c0, c1, c2, a[i], b[m - i]);
    acc[m] = c0;
    c0 = c1;
    c1 = c2;
    c2 = 0;
  }
  const Limb carry = limb64::AddC(acc[2 * K - 1], c0, 0, &acc[2 * K - 1]);
  acc[2 * K] += c1 + carry;
}

using TMulAdd = void (*)(Limb*, const Limb*, const Limb*);

template <int K>
TMulAdd PickMulAdd() {
  return cpu::gKernels.mulxAdx ? &MulAddComba<K, true> : &MulAddComba<K, false>;
}

// The unrolled product for k words, or null past 16 words.
TMulAdd MulAddFor(std::size_t k) {
  switch (k) {
    case 1: return PickMulAdd<1>();
    case 2: return PickMulAdd<2>();
    case 3: return PickMulAdd<3>();
    case 4: return PickMulAdd<4>();
    case 5: return PickMulAdd<5>();
    case 6: return PickMulAdd<6>();
    case 7: return PickMulAdd<7>();
    case 8: return PickMulAdd<8>();
    case 9: return PickMulAdd<9>();
    case 10: return PickMulAdd<10>();
    case 11: return PickMulAdd<11>();
    case 12: return PickMulAdd<12>();
    case 13: return PickMulAdd<13>();
    case 14: return PickMulAdd<14>();
    case 15: return PickMulAdd<15>();
    case 16: return PickMulAdd<16>();
    default: return nullptr;
  }
}

// Residues modulo f on Montgomery words. The products that make up one
// coefficient are summed unreduced in 2k + 1 words and reduced once: a
// square of a degree d - 1 residue costs d^2 / 2 + d (d - 1) word products
// and 2d - 1 reductions, where a product reduced each time costs two.
class TPowerModF {
public:
  TPowerModF(const Big& n, const TPoly& f) : mont_(n), k_(static_cast<std::size_t>(mont_.Words())), d_(f.size() - 1) {
    w_ = 2 * k_ + 1;
    const Limb* m = mont_.Modulus();
    Limb x = m[0];
    for (int i = 0; i < 6; ++i) x *= 2 - m[0] * x;
    inv_ = ~x + 1;
    shift_ = Bits(n) > 64 ? static_cast<std::size_t>(Bits(n) - 64) : 0;
    top_ = Extract(m, k_, shift_);
    negF_.assign(d_ * k_, 0);
    for (std::size_t j = 0; j < d_; ++j) mont_.Load(&negF_[j * k_], Mod(Sub(FromInt(0), f[j]), n));
    acc_.assign((2 * d_ - 1) * w_, 0);
    product_.assign(2 * k_, 0);
    r_.assign(d_ * k_, 0);
    next_.assign(d_ * k_, 0);
    mulAdd_ = MulAddFor(k_);
  }

  TPoly Power(std::uint64_t c, const Big& e, const TProgress* progress) {
    std::fill(r_.begin(), r_.end(), 0);
    std::copy(mont_.One(), mont_.One() + k_, r_.begin());  // 1
    for (std::int64_t bit = Bits(e) - 1; bit >= 0; --bit) {
      if ((bit & 15) == 0) CheckCancelled(progress);
      Square();
      if ((e.Digit(static_cast<int>(bit / 31) + 1) >> (bit % 31)) & 1) MultiplyByLinear(c);
    }
    TPoly out(d_);
    for (std::size_t i = 0; i < d_; ++i) mont_.Store(&r_[i * k_], out[i]);
    Trim(out);
    return out;
  }

private:
  Limb* Acc(std::size_t i) { return &acc_[i * w_]; }
  const Limb* R(std::size_t i) const { return &r_[i * k_]; }

  // acc_i += a b.
  void MulAdd(std::size_t i, const Limb* a, const Limb* b) {
    Limb* t = Acc(i);
    if (mulAdd_) return mulAdd_(t, a, b);
    limb64::MulBasecase(product_.data(), a, k_, b, k_);
    t[2 * k_] += limb64::AddN(t, t, product_.data(), 2 * k_);
  }

  void Square() {
    std::fill(acc_.begin(), acc_.end(), 0);
    for (std::size_t i = 0; i < d_; ++i)
      for (std::size_t j = i + 1; j < d_; ++j) MulAdd(i + j, R(i), R(j));
    for (std::size_t m = 0; m + 1 < 2 * d_; ++m) limb64::LShift(Acc(m), Acc(m), w_, 1);
    for (std::size_t i = 0; i < d_; ++i) {
      limb64::SqrBasecase(product_.data(), R(i), k_);
      Limb* t = Acc(2 * i);
      t[2 * k_] += limb64::AddN(t, t, product_.data(), 2 * k_);
    }
    // x^d = -(f_0 + ... + f_{d-1} x^{d-1}), from the top down.
    for (std::size_t i = 2 * d_ - 2; i >= d_; --i) {
      Reduce(Acc(i), next_.data());
      for (std::size_t j = 0; j < d_; ++j) MulAdd(i - d_ + j, next_.data(), &negF_[j * k_]);
    }
    for (std::size_t i = 0; i < d_; ++i) Reduce(Acc(i), &r_[i * k_]);
  }

  // r := r (x + c): coefficient i is r_{i-1} + c r_i, each a residue
  // times R and so placed k words up; the x^d term r_{d-1} folds back.
  void MultiplyByLinear(std::uint64_t c) {
    std::fill(acc_.begin(), acc_.begin() + static_cast<std::ptrdiff_t>(d_ * w_), 0);
    for (std::size_t i = 0; i < d_; ++i) {
      Limb* a = Acc(i);
      a[2 * k_] = limb64::Mul1(a + k_, R(i), k_, c);
      if (i > 0) a[2 * k_] += limb64::AddN(a + k_, a + k_, R(i - 1), k_);
      MulAdd(i, R(d_ - 1), &negF_[i * k_]);
    }
    for (std::size_t i = 0; i < d_; ++i) Reduce(Acc(i), &r_[i * k_]);
  }

  // 128 bits of a (n words) from bit s on.
  static unsigned __int128 Extract(const Limb* a, std::size_t n, std::size_t s) {
    unsigned __int128 v = 0;
    const std::size_t w = s / 64, b = s % 64;
    auto word = [&](std::size_t i) -> Limb { return i < n ? a[i] : 0; };
    const Limb w0 = word(w), w1 = word(w + 1), w2 = word(w + 2);
    const Limb lo = b ? (w0 >> b) | (w1 << (64 - b)) : w0;
    const Limb hi = b ? (w1 >> b) | (w2 << (64 - b)) : w1;
    v = (static_cast<unsigned __int128>(hi) << 64) | lo;
    return v;
  }

  // out := t / R mod n for t (2k + 1 words, destroyed) below 2^64 n R.
  void Reduce(Limb* t, Limb* out) {
    const Limb* m = mont_.Modulus();
    for (std::size_t i = 0; i < k_; ++i) {
      const Limb q = t[i] * inv_;
      const Limb carry = limb64::AddMul1(t + i, m, k_, q);
      limb64::Add1(t + i + k_, t + i + k_, w_ - i - k_, carry);
    }
    // u = t[k..2k] is below (t / R + n), a small multiple of n: take the
    // quotient from the top bits (one or two short), then subtract.
    Limb* u = t + k_;
    const unsigned __int128 ut = Extract(u, k_ + 1, shift_);
    const unsigned __int128 nt = top_ + 1;
    const Limb q = static_cast<Limb>(ut / nt);
    if (q) u[k_] -= limb64::SubMul1(u, m, k_, q);
    while (u[k_] != 0 || limb64::CmpN(u, m, k_) >= 0) u[k_] -= limb64::SubN(u, u, m, k_);
    std::copy(u, u + k_, out);
  }

  TMontgomeryWords mont_;
  std::size_t k_, d_, w_;
  Limb inv_;
  std::size_t shift_;
  unsigned __int128 top_;
  std::vector<Limb> negF_, acc_, product_, r_, next_;
  TMulAdd mulAdd_ = nullptr;
};

}  // namespace

TPoly PowerOfLinearModPoly(const Big& n, const TPoly& f, std::uint64_t c, const Big& e, const TProgress* progress) {
  if (f.size() <= 2) {
    // Degree 1: x = -f_0, so the value is (c - f_0)^e.
    // (c split in two halves so that any 64-bit c fits the signed loader)
    const Big cBig = Add(FromInt(static_cast<std::int64_t>(c >> 1)), FromInt(static_cast<std::int64_t>(c - (c >> 1))));
    return {PowMod(Mod(Sub(cBig, f[0]), n), e, n)};
  }
  TPowerModF power(n, f);
  return power.Power(c, e, progress);
}

bool RootOfSplitPolynomial(const Big& n, TPoly f, std::mt19937_64& random, const TProgress* progress, Big& root) {
  Trim(f);
  if (f.size() < 2) return false;
  Big e = Sub(n, FromInt(1));
  HalveBigInt(e);
  for (int attempt = 0; f.size() > 2; ++attempt) {
    if (attempt > 60) return false;
    CheckCancelled(progress);
    TPoly p = PowerOfLinearModPoly(n, f, random() >> 33, e, progress);
    p[0] = Mod(Sub(p[0], FromInt(1)), n);
    TPoly g;
    if (!PolyGcd(f, p, n, g)) return false;
    if (g.size() <= 1 || g.size() == f.size()) continue;
    TPoly other = PolyDivide(f, g, n);
    f = g.size() <= other.size() ? std::move(g) : std::move(other);
  }
  // The root of f0 + f1 x.
  Big inverse;
  if (!ModInverseBigInt(f[1], n, inverse)) return false;
  root = Mod(Sub(FromInt(0), MulMod(f[0], inverse, n)), n);
  return true;
}

}  // namespace ecpp

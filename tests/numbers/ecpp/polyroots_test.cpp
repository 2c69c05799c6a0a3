// Roots of split polynomials modulo primes of one to eleven words: the
// power (x + c)^e mod f against a plain reference, moduli whose top word is
// nearly empty and nearly full (the reductions' quotient estimates), and a
// root found for products of known linear factors.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "numbers/ecpp/PolyRoots.h"

namespace {

using ecpp::Big;
using ecpp::TPoly;

Big D(const std::string& s) { return BigIntFromDecimal(s); }

// Primes: 61 bits; just above 2^64 and 2^128 (top word 1); just below
// 2^128 (top word full); 2^127 - 1; 200 digits.
const char* const kPrimes[] = {
    "2305843009213693951",
    "18446744073709551629",
    "340282366920938463463374607431768211507",
    "340282366920938463463374607431768211297",
    "170141183460469231731687303715884105727",
    "10000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
    "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000153",
};

Big RandomResidue(std::mt19937_64& random, const Big& n) {
  Big r = ecpp::FromInt(0);
  for (int i = 0; i < (ecpp::Bits(n) + 61) / 62 + 1; ++i)
    r = ecpp::Add(ecpp::ShiftLeft(r, 62), ecpp::FromInt(static_cast<std::int64_t>(random() >> 2)));
  return ecpp::Mod(r, n);
}

// The monic product of (x - root) over the roots, constant term first.
TPoly FromRoots(const std::vector<Big>& roots, const Big& n) {
  TPoly p{ecpp::FromInt(1)};
  for (const Big& root : roots) {
    TPoly next(p.size() + 1, ecpp::FromInt(0));
    for (std::size_t i = 0; i < p.size(); ++i) {
      next[i + 1] = ecpp::Mod(ecpp::Add(next[i + 1], p[i]), n);
      next[i] = ecpp::Mod(ecpp::Sub(next[i], ecpp::Mul(p[i], root)), n);
    }
    p = next;
  }
  return p;
}

// (x + c)^e mod f by schoolbook products on the big integers.
TPoly PlainPower(const Big& n, const TPoly& f, std::uint64_t c, const Big& e) {
  const std::size_t d = f.size() - 1;
  auto reduce = [&](TPoly a) {
    while (a.size() > d) {
      const Big lead = a.back();
      for (std::size_t j = 0; j < d; ++j)
        a[a.size() - 1 - d + j] = ecpp::Mod(ecpp::Sub(a[a.size() - 1 - d + j], ecpp::Mul(lead, f[j])), n);
      a.pop_back();
    }
    return a;
  };
  auto multiply = [&](const TPoly& a, const TPoly& b) {
    TPoly r(a.size() + b.size() - 1, ecpp::FromInt(0));
    for (std::size_t i = 0; i < a.size(); ++i)
      for (std::size_t j = 0; j < b.size(); ++j) r[i + j] = ecpp::Mod(ecpp::Add(r[i + j], ecpp::Mul(a[i], b[j])), n);
    return reduce(r);
  };
  TPoly result = reduce({ecpp::FromInt(1)});
  const TPoly base = reduce({ecpp::Mod(ecpp::FromInt(static_cast<std::int64_t>(c)), n), ecpp::FromInt(1)});
  for (std::int64_t bit = ecpp::Bits(e) - 1; bit >= 0; --bit) {
    result = multiply(result, result);
    if (ecpp::Bits(ecpp::ShiftRight(e, bit)) > 0 && ecpp::Mod(ecpp::ShiftRight(e, bit), ecpp::FromInt(2)).Digit(1) == 1)
      result = multiply(result, base);
  }
  while (result.size() > 1 && result.back().IsZero()) result.pop_back();
  return result;
}

std::vector<std::string> Texts(const TPoly& p) {
  std::vector<std::string> out;
  for (const Big& c : p) out.push_back(ecpp::Text(c));
  return out;
}

TEST(PolyRoots, PowerMatchesPlainProducts) {
  std::mt19937_64 random(7);
  for (const char* text : kPrimes) {
    const Big n = D(text);
    for (int degree : {2, 3, 8}) {
      TPoly f;
      for (int i = 0; i < degree; ++i) f.push_back(RandomResidue(random, n));
      f.push_back(ecpp::FromInt(1));
      // Exponents of few and of many bits, and n - 1 (every coefficient near n).
      for (const Big& e : {ecpp::FromInt(1), ecpp::FromInt(1000003), RandomResidue(random, n), ecpp::Sub(n, ecpp::FromInt(1))}) {
        const std::uint64_t c = random() >> 33;
        EXPECT_EQ(Texts(ecpp::PowerOfLinearModPoly(n, f, c, e)), Texts(PlainPower(n, f, c, e)))
            << "n = " << text << ", degree " << degree << ", e = " << ecpp::Text(e);
      }
    }
  }
}

TEST(PolyRoots, RootOfAProductOfLinearFactors) {
  std::mt19937_64 random(11);
  for (const char* text : kPrimes) {
    const Big n = D(text);
    for (int degree : {1, 2, 5, 21}) {
      std::vector<Big> roots;
      for (int i = 0; i < degree; ++i) roots.push_back(RandomResidue(random, n));
      Big root;
      ASSERT_TRUE(ecpp::RootOfSplitPolynomial(n, FromRoots(roots, n), random, nullptr, root))
          << "n = " << text << ", degree " << degree;
      bool known = false;
      for (const Big& r : roots) known = known || ecpp::Equal(r, root);
      EXPECT_TRUE(known) << "n = " << text << ", degree " << degree << ": " << ecpp::Text(root);
    }
  }
}

TEST(PolyRoots, NoRootOfAnIrreducibleQuadratic) {
  // x^2 + 1 has no root modulo a prime 3 mod 4.
  const Big n = D("170141183460469231731687303715884105727");
  std::mt19937_64 random(3);
  Big root;
  EXPECT_FALSE(ecpp::RootOfSplitPolynomial(n, {ecpp::FromInt(1), ecpp::FromInt(0), ecpp::FromInt(1)}, random, nullptr, root));
}

TEST(PolyRoots, CancelStopsThePower) {
  TProgress progress;
  progress.Cancel();
  const Big n = D(kPrimes[4]);
  std::mt19937_64 random(5);
  Big root;
  EXPECT_THROW(ecpp::RootOfSplitPolynomial(n, FromRoots({ecpp::FromInt(2), ecpp::FromInt(3), ecpp::FromInt(5)}, n), random,
                                           &progress, root),
               ECancelled);
}

}  // namespace

// The double-precision FFT and the weighted-transform Lucas-Lehmer step:
// the transform against the plain DFT, the residues against the exact
// step, and round-off errors that must be caught and redone exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "numbers/NumberTestSupport.h"
#include "numbers/mersenne/Fft.h"
#include "numbers/mersenne/LucasLehmer.h"
#include "numbers/mersenne/LucasLehmerDwt.h"
#include "numbers/mersenne/MersenneResidue.h"

using namespace numtest;

namespace {

TBigInt Mersenne(int p) {
  TBigInt m, r;
  PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(p), m);
  SubtractBigInt(m, BigIntFromInt64(1), r);
  return r;
}

// A random residue below M from GMP's generator.
TBigInt RandomResidue(gmp_randstate_t state, int p) {
  Mpz m, x;
  mpz_ui_pow_ui(m.get(), 2, static_cast<unsigned long>(p));
  mpz_sub_ui(m.get(), m.get(), 1);
  mpz_urandomm(x.get(), state, m.get());
  return D(x.Str());
}

// Steps both methods from the same start and compares every residue.
void ExpectSameResidues(int p, const TBigInt& start, int iterations, const TLucasLehmerDwt::TOptions& options,
                        std::int64_t* redone = nullptr) {
  TLucasLehmerDwt dwt(p, options);
  TMersenneResidue exact(p);
  dwt.Set(start);
  exact.Set(start);
  TBigInt a, b;
  for (int i = 0; i < iterations; ++i) {
    dwt.Step();
    exact.Step();
    dwt.Get(a);
    exact.Get(b);
    ASSERT_TRUE(Normal(a));
    ASSERT_EQ(S(a), S(b)) << "p = " << p << ", length " << dwt.Length() << ", iteration " << i + 1;
  }
  if (redone) *redone = dwt.Redone();
}

}  // namespace

TEST(Fft, AgainstThePlainTransform) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> value(-1000.0, 1000.0);
  for (std::size_t n : {2u, 4u, 8u, 16u, 32u, 64u, 128u, 256u, 512u, 1024u}) {
    int bits = 0;
    while ((std::size_t{1} << bits) < n) ++bits;
    std::vector<double> re(n), im(n), pr(n), pi(n);
    for (std::size_t j = 0; j < n; ++j) re[j] = value(random), im[j] = value(random);
    fft::PlainDft(re.data(), im.data(), pr.data(), pi.data(), n, -1);
    const std::vector<double> r0 = re, i0 = im;
    const fft::TComplexFft transform(n);
    transform.Forward(re.data(), im.data());
    const double tolerance = 1e-9 * 1000.0 * static_cast<double>(n);
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t at = fft::BitReverse(k, bits);
      ASSERT_NEAR(re[at], pr[k], tolerance) << "n = " << n << ", k = " << k;
      ASSERT_NEAR(im[at], pi[k], tolerance) << "n = " << n << ", k = " << k;
    }
    transform.Inverse(re.data(), im.data());
    for (std::size_t j = 0; j < n; ++j) {
      ASSERT_NEAR(re[j], static_cast<double>(n) * r0[j], tolerance) << n;
      ASSERT_NEAR(im[j], static_cast<double>(n) * i0[j], tolerance) << n;
    }
  }
  EXPECT_THROW(fft::TComplexFft(12), std::invalid_argument);
  EXPECT_THROW(fft::TComplexFft(1), std::invalid_argument);
}

TEST(Fft, MixedLengthsAgainstThePlainTransform) {
  // Every radix with blocks from the shortest up, each spectrum found at
  // its stated position, and the inverse back to n times the signal.
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> value(-1000.0, 1000.0);
  for (std::size_t n : {2u, 8u, 6u, 12u, 48u, 10u, 20u, 320u, 14u, 28u, 112u, 448u, 18u, 36u, 576u}) {
    std::vector<double> re(n), im(n), pr(n), pi(n);
    for (std::size_t j = 0; j < n; ++j) re[j] = value(random), im[j] = value(random);
    fft::PlainDft(re.data(), im.data(), pr.data(), pi.data(), n, -1);
    const std::vector<double> r0 = re, i0 = im;
    const fft::TMixedFft transform(n);
    ASSERT_EQ(transform.Radix() * transform.Block(), n);
    transform.Forward(re.data(), im.data());
    const double tolerance = 1e-9 * 1000.0 * static_cast<double>(n);
    std::vector<bool> seen(n, false);
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t at = transform.Position(k);
      ASSERT_LT(at, n);
      ASSERT_FALSE(seen[at]) << "n = " << n << ", k = " << k;
      seen[at] = true;
      ASSERT_NEAR(re[at], pr[k], tolerance) << "n = " << n << ", k = " << k;
      ASSERT_NEAR(im[at], pi[k], tolerance) << "n = " << n << ", k = " << k;
    }
    transform.Inverse(re.data(), im.data());
    for (std::size_t j = 0; j < n; ++j) {
      ASSERT_NEAR(re[j], static_cast<double>(n) * r0[j], tolerance) << n;
      ASSERT_NEAR(im[j], static_cast<double>(n) * i0[j], tolerance) << n;
    }
  }
  for (std::size_t n : {0u, 1u, 3u, 5u, 9u, 22u, 30u, 50u, 88u, 704u}) {
    EXPECT_FALSE(fft::TMixedFft::Supported(n)) << n;
    EXPECT_THROW(fft::TMixedFft{n}, std::invalid_argument) << n;
  }
}

TEST(LucasLehmerDwt, EveryRadixAsTheExactStep) {
  // Lengths of each form, the shortest blocks and longer ones, with digits
  // from a few bits up to the largest the precision holds: the residues
  // from 4 and from a random start are the exact method's.
  gmp_randstate_t state;
  gmp_randinit_default(state);
  gmp_randseed_ui(state, 5120);
  struct Case {
    int p;
    std::size_t length;
  };
  for (const Case& c : {Case{61, 8}, Case{89, 24}, Case{127, 40}, Case{521, 56}, Case{607, 48}, Case{1279, 80},
                        Case{2203, 112}, Case{1279, 72}, Case{2203, 144}, Case{3217, 192}, Case{4423, 320}, Case{9689, 448}, Case{11213, 768},
                        Case{19937, 1280}, Case{44497, 3584}, Case{86243, 4608}, Case{86243, 5120}, Case{86243, 6144},
                        Case{86243, 7168}, Case{110503, 7168}}) {
    TLucasLehmerDwt::TOptions options;
    options.Length = c.length;
    ExpectSameResidues(c.p, BigIntFromInt64(4), 8, options);
    ExpectSameResidues(c.p, RandomResidue(state, c.p), 8, options);
    TLucasLehmerDwt dwt(c.p, options);
    EXPECT_EQ(dwt.Length(), c.length);
    if (HasFailure()) break;
  }
  gmp_randclear(state);
}

TEST(LucasLehmerDwt, ShortDigitsStayNearBalanced) {
  // Digits of two to four bits get carries many times their size; over a
  // long run they must still settle near balanced (else the round-off
  // would creep up until steps were redone) and the residue stay exact.
  struct Case {
    int p;
    std::size_t length;
  };
  for (const Case& c : {Case{521, 256}, Case{2203, 640}, Case{4423, 1792}, Case{9689, 4096}}) {
    TLucasLehmerDwt::TOptions options;
    options.Length = c.length;
    TLucasLehmerDwt dwt(c.p, options);
    TMersenneResidue exact(c.p);
    for (int i = 0; i < 1500; ++i) dwt.Step(), exact.Step();
    TBigInt a, b;
    dwt.Get(a);
    exact.Get(b);
    EXPECT_EQ(S(a), S(b)) << c.p;
    EXPECT_EQ(dwt.Redone(), 0) << c.p;
    EXPECT_LT(dwt.MaxError(), 1e-6) << c.p;
  }
}

TEST(LucasLehmerDwt, SmallExponentsByTheTransform) {
  // Below the cut-over the transform is not chosen, but asked for it must
  // still be exact: every p from 3 (the shortest lengths hold the fewest
  // digits of the most bits), the residues step by step, and for the
  // primes the whole test's verdict.
  const std::set<int> mersenne{3, 5, 7, 13, 17, 19, 31, 61, 89, 107, 127, 521, 607};
  int byTransform = 0;
  for (int p = 3; p <= 700; ++p) {
    TLucasLehmerRun transform(p, TLucasLehmerRun::TMethod::Transform);
    TLucasLehmerRun exact(p, TLucasLehmerRun::TMethod::Exact);
    if (!transform.UsesTransform()) continue;
    ++byTransform;
    bool prime = p % 2 != 0 || p == 2;
    for (int d = 3; d * d <= p && prime; d += 2) prime = p % d != 0;
    const int steps = prime ? p - 2 : std::min(p - 2, 40);
    for (int i = 1; i <= steps; ++i) {
      transform.Step();
      exact.Step();
      if (i <= 40) {
        ASSERT_EQ(S(transform.Residue()), S(exact.Residue())) << "p = " << p << ", iteration " << i;
      }
    }
    EXPECT_EQ(S(transform.Residue()), S(exact.Residue())) << p;
    if (prime) {
      EXPECT_EQ(transform.IsZero(), mersenne.count(p) == 1) << p;
    }
    EXPECT_EQ(transform.Redone(), 0) << p;
  }
  EXPECT_GT(byTransform, 600);
}

TEST(LucasLehmerDwt, LengthBoundaries) {
  // Where the chosen length changes, the last exponent of the shorter one
  // (its digits the largest that length takes) and the first of the longer
  // one both give the exact residues from random starts, whose digits are
  // full-size at once, without a step redone.
  gmp_randstate_t state;
  gmp_randinit_default(state);
  gmp_randseed_ui(state, 4608);
  int boundaries = 0;
  std::size_t previous = TLucasLehmerDwt::LengthFor(578);
  for (int p = 579; p <= 400000; ++p) {
    const std::size_t n = TLucasLehmerDwt::LengthFor(p);
    if (n == previous) continue;
    ASSERT_GT(n, previous) << p;
    ++boundaries;
    for (int q : {p - 1, p}) {
      std::int64_t redone = -1;
      ExpectSameResidues(q, RandomResidue(state, q), 3, {}, &redone);
      EXPECT_EQ(redone, 0) << q;
    }
    previous = n;
    if (HasFailure()) break;
  }
  gmp_randclear(state);
  EXPECT_GT(boundaries, 30);
  EXPECT_EQ(TLucasLehmerDwt::LengthFor(86243), 4608u);
}

TEST(LucasLehmerDwt, ResiduesAsTheExactStep) {
  // Mersenne exponents and other p, prime and composite, across the
  // lengths the transform picks; from 4 and from random residues.
  gmp_randstate_t state;
  gmp_randinit_default(state);
  gmp_randseed_ui(state, 86243);
  for (int p : {1009, 1279, 2048, 3217, 4253, 5000, 9941, 19937, 21701, 33219, 44497, 65536, 86243, 99991, 99999}) {
    ExpectSameResidues(p, BigIntFromInt64(4), 12, {});
    ExpectSameResidues(p, RandomResidue(state, p), 12, {});
    if (HasFailure()) break;
  }
  gmp_randclear(state);
}

TEST(LucasLehmerDwt, ResiduesAtTheEdges) {
  // Residues 0, 1, 2, M - 1, M - 2 and the powers of two at digit
  // boundaries go in and come out exactly; M itself is taken as 0.
  const int p = 4423;
  const TBigInt m = Mersenne(p);
  TLucasLehmerDwt dwt(p);
  std::vector<TBigInt> values{D("0"), D("1"), D("2"), D("3")};
  TBigInt t;
  for (int k : {1, 2}) {
    SubtractBigInt(m, BigIntFromInt64(k), t);
    values.push_back(t);
  }
  for (int bit : {17, 18, 31, 62, 4000, 4422}) {
    PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(bit), t);
    values.push_back(t);
  }
  for (const TBigInt& v : values) {
    dwt.Set(v);
    TBigInt back;
    dwt.Get(back);
    EXPECT_EQ(S(back), S(v));
    ExpectSameResidues(p, v, 3, {});
  }
  dwt.Set(D("0"));
  EXPECT_TRUE(dwt.IsZero());
  dwt.Step();  // 0 gives M - 2
  dwt.Get(t);
  TBigInt expected;
  SubtractBigInt(m, BigIntFromInt64(2), expected);
  EXPECT_EQ(S(t), S(expected));
}

TEST(LucasLehmerDwt, LargeRoundOffIsRedoneExactly) {
  // An injected error of 0.45 at the fifth step, and lengths far too short
  // for the exponent (every output too large for a double): each is caught
  // and that step is done exactly.
  std::int64_t redone = 0;
  TLucasLehmerDwt::TOptions fault;
  fault.FaultAt = 4;
  ExpectSameResidues(9941, BigIntFromInt64(4), 8, fault, &redone);
  EXPECT_EQ(redone, 1);
  gmp_randstate_t state;
  gmp_randinit_default(state);
  gmp_randseed_ui(state, 1);
  // Outputs beyond what a double holds exactly, then errors near 0.5.
  struct Case {
    int p;
    std::size_t length;
    std::int64_t redone;
  };
  for (const Case& c : {Case{4000, 128, 6}, Case{90000, 4096, 1}}) {
    const auto [p, length, least] = c;
    TLucasLehmerDwt::TOptions shortLength;
    shortLength.Length = length;
    ExpectSameResidues(p, RandomResidue(state, p), 6, shortLength, &redone);
    EXPECT_GE(redone, least) << p;
  }
  gmp_randclear(state);
  // The lengths picked for the exponents leave a wide margin.
  TLucasLehmerDwt dwt(86243);
  for (int i = 0; i < 200; ++i) dwt.Step();
  EXPECT_EQ(dwt.Redone(), 0);
  // Digits of 18.7 bits: the round-off is about 0.006 here and under 0.01
  // over the whole test, still far from the 0.4 that redoes a step.
  EXPECT_LT(dwt.MaxError(), 0.05);
  EXPECT_THROW(TLucasLehmerDwt(100, TLucasLehmerDwt::TOptions{128, -1}), std::invalid_argument);
  EXPECT_THROW(TLucasLehmerDwt(5000, TLucasLehmerDwt::TOptions{100, -1}), std::invalid_argument);
  EXPECT_THROW(TLucasLehmerDwt(5000, TLucasLehmerDwt::TOptions{128, -1}), std::invalid_argument);
  // 11 2^k, and blocks of fewer than four points.
  EXPECT_THROW(TLucasLehmerDwt(5000, TLucasLehmerDwt::TOptions{704, -1}), std::invalid_argument);
  EXPECT_THROW(TLucasLehmerDwt(5000, TLucasLehmerDwt::TOptions{20, -1}), std::invalid_argument);
}

TEST(LucasLehmerDwt, WholeTestsByTheTransform) {
  // Mersenne exponents above the cut-over and composites next to them.
  for (int p : {4253, 4423, 9689, 9941, 11213, 19937, 21701, 23209}) {
    TLucasLehmerRun run(p);
    ASSERT_TRUE(run.UsesTransform()) << p;
    EXPECT_TRUE(LucasLehmerTest(p)) << p;
  }
  for (int p : {4201, 4421, 9949, 11239, 21713}) EXPECT_FALSE(LucasLehmerTest(p)) << p;
}

TEST(LucasLehmerDwt, CertificateRowsAroundTheCutOver) {
  // The rows of the transform are the exact method's, on both sides of
  // the cut-over, and resuming a stored residue agrees as well.
  const int cut = TLucasLehmerRun::TransformThreshold();
  for (int p : {cut - 1, cut, cut + 1}) {
    TLucasLehmerRun automatic(p), exact(p, TLucasLehmerRun::TMethod::Exact);
    EXPECT_EQ(automatic.UsesTransform(), p >= cut);
    for (int i = 0; i < 40; ++i) {
      automatic.Step();
      exact.Step();
      ASSERT_EQ(automatic.Decimal(), exact.Decimal()) << "p = " << p << ", iteration " << i + 1;
    }
  }
  const int p = 4423;
  TCertificateRows rows;
  ASSERT_TRUE(LucasLehmerCertified(p, rows));
  TBigInt s = D(rows.Rows[99].second);  // iteration 100
  LucasLehmerAdvance(p, s, 1000);
  EXPECT_EQ(S(s), rows.Rows[1099].second);
  TLucasLehmerRun exact(p, TLucasLehmerRun::TMethod::Exact);
  for (int i = 0; i < 300; ++i) exact.Step();
  EXPECT_EQ(exact.Decimal(), rows.Rows[299].second);
}

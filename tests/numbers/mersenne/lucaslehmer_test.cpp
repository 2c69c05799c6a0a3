// The Lucas-Lehmer test, its certificate rows, resuming from a
// stored residue, progress and cancel.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "numbers/NumberTestSupport.h"
#include "numbers/mersenne/LucasLehmer.h"

using namespace numtest;

namespace {

const std::set<int> kMersenneExponents{2, 3, 5, 7, 13, 17, 19, 31, 61, 89, 107, 127, 521, 607, 1279};

using Rows = std::vector<std::pair<std::string, std::string>>;

// The residues by GMP: s := (s^2 - 2) mod M, as decimal texts.
std::vector<std::string> GmpResidues(int p) {
  Mpz m, s("4");
  mpz_ui_pow_ui(m.get(), 2, static_cast<unsigned long>(p));
  mpz_sub_ui(m.get(), m.get(), 1);
  std::vector<std::string> out;
  for (int i = 1; i <= p - 2; ++i) {
    mpz_mul(s.get(), s.get(), s.get());
    mpz_sub_ui(s.get(), s.get(), 2);
    mpz_mod(s.get(), s.get(), m.get());
    out.push_back(s.Str());
  }
  return out;
}

}  // namespace

TEST(LucasLehmer, EveryExponentUpTo1300) {
  for (int p = -5; p <= 1300; ++p)
    ASSERT_EQ(LucasLehmerTest(p), kMersenneExponents.count(p) == 1) << "p = " << p;
}

TEST(LucasLehmer, PlainReferenceSpotChecks) {
  for (int p = -5; p <= 140; ++p) ASSERT_EQ(LucasLehmerTestPlain(p), kMersenneExponents.count(p) == 1) << p;
  for (int p : {521, 523, 607, 1279}) EXPECT_EQ(LucasLehmerTestPlain(p), kMersenneExponents.count(p) == 1) << p;
}

TEST(LucasLehmer, KnownMersennePrimesAndCompositeExponents) {
  for (int p : {2, 3, 5, 7, 13, 17, 19, 31, 61, 89, 107, 127}) EXPECT_TRUE(LucasLehmerTest(p)) << p;
  for (int p : {11, 23, 29, 37, 4, 6, 9, 1, 0, -5}) EXPECT_FALSE(LucasLehmerTest(p)) << p;
}

TEST(LucasLehmerCertified, ResidueRowsOfSmallExponents) {
  TCertificateRows rows;
  EXPECT_TRUE(LucasLehmerCertified(5, rows));
  EXPECT_EQ(rows.Rows, (Rows{{"3", "14"}, {"4", "8"}, {"5", "0"}}));
  EXPECT_TRUE(LucasLehmerCertified(7, rows));
  EXPECT_EQ(rows.Rows, (Rows{{"3", "14"}, {"4", "67"}, {"5", "42"}, {"6", "111"}, {"7", "0"}}));
  EXPECT_TRUE(LucasLehmerCertified(3, rows));
  EXPECT_EQ(rows.Rows, (Rows{{"3", "0"}}));
  EXPECT_FALSE(LucasLehmerCertified(4, rows));
  EXPECT_EQ(rows.Rows, (Rows{{"3", "14"}, {"4", "14"}}));
  EXPECT_FALSE(LucasLehmerCertified(11, rows));
  ASSERT_EQ(rows.Rows.size(), 9u);
  EXPECT_EQ(rows.Rows.back().first, "11");
  EXPECT_NE(rows.Rows.back().second, "0");
  // p = 2 and p < 2: no rows, and a second run replaces the first.
  EXPECT_TRUE(LucasLehmerCertified(2, rows));
  EXPECT_TRUE(rows.Rows.empty());
  LucasLehmerCertified(7, rows);
  for (int p : {1, 0, -5}) {
    EXPECT_FALSE(LucasLehmerCertified(p, rows));
    EXPECT_TRUE(rows.Rows.empty());
  }
}

TEST(LucasLehmerCertified, EveryResidueAgainstGmp) {
  for (int p : {3, 13, 30, 31, 32, 61, 62, 63, 89, 93, 124, 127, 155, 300, 521}) {
    TCertificateRows rows;
    LucasLehmerCertified(p, rows);
    const std::vector<std::string> expected = GmpResidues(p);
    ASSERT_EQ(rows.Rows.size(), expected.size()) << p;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      ASSERT_EQ(rows.Rows[i].first, std::to_string(i + 3));
      ASSERT_EQ(rows.Rows[i].second, expected[i]) << "p = " << p << ", row " << i + 3;
    }
  }
}

TEST(LucasLehmer, LongResiduesAgainstGmp) {
  // Sizes where the square goes through the faster methods.
  for (int p : {1279, 2203, 4423, 9689}) {
    const int k = 40;
    Mpz m, s("4");
    mpz_ui_pow_ui(m.get(), 2, static_cast<unsigned long>(p));
    mpz_sub_ui(m.get(), m.get(), 1);
    for (int i = 0; i < k; ++i) {
      mpz_mul(s.get(), s.get(), s.get());
      mpz_sub_ui(s.get(), s.get(), 2);
      mpz_mod(s.get(), s.get(), m.get());
    }
    const TBigInt r = LucasLehmerResidue(p, k);
    EXPECT_TRUE(Normal(r));
    EXPECT_EQ(S(r), s.Str()) << "p = " << p;
  }
}

TEST(LucasLehmer, ResidueAndResume) {
  const int p = 127;
  TCertificateRows rows;
  LucasLehmerCertified(p, rows);
  EXPECT_EQ(S(LucasLehmerResidue(p, 0)), "4");
  for (int i : {1, 2, 17, 64, 125}) EXPECT_EQ(S(LucasLehmerResidue(p, i)), rows.Rows[static_cast<std::size_t>(i - 1)].second);
  // Resume from the stored row 40 (iteration 38) up to the end.
  TBigInt s = D(rows.Rows[37].second);
  LucasLehmerAdvance(p, s, 125 - 38);
  EXPECT_TRUE(Normal(s));
  EXPECT_TRUE(s.IsZero());
  // A residue not yet reduced is reduced first: M + 4 behaves like 4.
  TBigInt big = D("170141183460469231731687303715884105731");  // 2^127 + 3 = M + 4
  LucasLehmerAdvance(p, big, 3);
  EXPECT_EQ(S(big), rows.Rows[2].second);
  EXPECT_THROW(LucasLehmerAdvance(2, s, 1), std::invalid_argument);
}

TEST(LucasLehmer, ResiduesOfSmallSquares) {
  // s = 0 and s = 1 give M - 2 and M - 1 (the non-negative residue).
  TBigInt s = D("0");
  LucasLehmerAdvance(7, s, 1);
  EXPECT_EQ(S(s), "125");
  s = D("1");
  LucasLehmerAdvance(7, s, 1);
  EXPECT_EQ(S(s), "126");
  s = D("0");
  LucasLehmerAdvance(62, s, 1);
  EXPECT_EQ(S(s), "4611686018427387901");
  s = D("1");
  LucasLehmerAdvance(31, s, 1);
  EXPECT_EQ(S(s), "2147483646");
}

TEST(LucasLehmer, ProgressAndCancel) {
  TProgress progress;
  EXPECT_TRUE(LucasLehmerTest(521, &progress));
  EXPECT_DOUBLE_EQ(progress.Fraction(), 1.0);
  EXPECT_EQ(progress.Text(), "Iteration 519 of 519");
  TProgress stopped;
  stopped.Cancel();
  EXPECT_THROW(LucasLehmerTest(521, &stopped), ECancelled);
  TCertificateRows rows;
  EXPECT_THROW(LucasLehmerCertified(521, rows, &stopped), ECancelled);
  EXPECT_EQ(rows.Rows.size(), 1u);  // the first row was written before the stop was seen
  EXPECT_THROW(LucasLehmerResidue(521, 100, &stopped), ECancelled);
}

TEST(LucasLehmer, LargerExponents) {
  EXPECT_TRUE(LucasLehmerTest(2203));
  EXPECT_FALSE(LucasLehmerTest(2207));
  EXPECT_TRUE(LucasLehmerTest(4423));
}

// Class polynomials against known values, and the discriminant list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numbers/ecpp/ClassPolynomial.h"

namespace {

std::vector<std::string> Texts(const std::vector<ecpp::Big>& poly) {
  std::vector<std::string> out;
  for (const ecpp::Big& c : poly) out.push_back(ecpp::Text(c));
  return out;
}

TEST(ClassPolynomial, KnownHilbertPolynomials) {
  struct Case {
    int D;
    std::vector<std::string> coefficients;  // constant term first
  };
  const Case cases[] = {
      {-3, {"0", "1"}},
      {-4, {"-1728", "1"}},
      {-7, {"3375", "1"}},
      {-8, {"-8000", "1"}},
      {-163, {"262537412640768000", "1"}},
      {-15, {"-121287375", "191025", "1"}},
      {-23, {"12771880859375", "-5151296875", "3491750", "1"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Texts(ecpp::HilbertClassPolynomial(c.D)), c.coefficients) << "D = " << c.D;
}

TEST(ClassPolynomial, LargerClassNumbersHaveIntegerCoefficients) {
  // D = -71 has class number 7; a degree-7 monic result with a constant
  // term of the size of the roots' product shows the precision held.
  const auto& poly = ecpp::HilbertClassPolynomial(-71);
  ASSERT_EQ(poly.size(), 8u);
  EXPECT_TRUE(ecpp::IsOne(poly.back()));
  const auto& big = ecpp::HilbertClassPolynomial(-5923);  // h = 22? whatever it is, it must settle
  EXPECT_EQ(big.size(), ecpp::ReducedForms(-5923).size() + 1);
}

TEST(ClassPolynomial, CancelStopsTheComputationAndCachesNothing) {
  // A discriminant no other test asks for, so nothing is cached yet.
  constexpr int kD = -9967;
  TProgress progress;
  progress.Cancel();
  EXPECT_THROW(ecpp::HilbertClassPolynomial(kD, &progress), ECancelled);
  const auto& poly = ecpp::HilbertClassPolynomial(kD);
  EXPECT_EQ(poly.size(), ecpp::ReducedForms(kD).size() + 1);
}

TEST(ClassPolynomial, DiscriminantsSortedByClassNumber) {
  const auto& list = ecpp::DiscriminantsByClassNumber(3);
  std::vector<int> classOne;
  for (const auto& d : list)
    if (d.h == 1) classOne.push_back(-d.D);
  EXPECT_EQ(classOne, (std::vector<int>{3, 4, 7, 8, 11, 19, 43, 67, 163}));
  for (std::size_t i = 1; i < list.size(); ++i) EXPECT_LE(list[i - 1].h, list[i].h);
  EXPECT_EQ(static_cast<int>(ecpp::ReducedForms(-23).size()), 3);
}

}  // namespace

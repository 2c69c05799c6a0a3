// The Splitter past rho's budget: balanced products that rho alone would
// take hours on come out whole, each factor prime.
#include <gtest/gtest.h>

#include "numbers/bigint/BigInt.h"
#include "numbers/primality/Primality.h"
#include "tools/Splitter.h"

namespace {

TBigInt PrimeFrom(const char* start) {
  TBigInt p = BigIntFromDecimal(start);
  NextPrimeBigInt(p);
  return p;
}

TEST(SplitterStrong, BalancedProductsFactorWhole) {
  const char* const starts[][2] = {
      {"10000000000000012345", "30000000000000000000"},           // 20 x 20 digits
      {"100000000007", "1000000000000000000000000000"},          // 12 x 28 digits
      {"1000000000000000000000012", "3000000000000000000000000"},  // 25 x 25 digits
  };
  for (const auto& s : starts) {
    const TBigInt p = PrimeFrom(s[0]), q = PrimeFrom(s[1]);
    TBigInt n;
    MultiplyBigInt(p, q, n);
    const std::string text = BigIntToDecimal(n);
    const TSplitterResult r = Analyse(TSplitterMethod::Factorization, text, true);
    ASSERT_EQ(r.rows.size(), 2u) << text;
    TBigInt product = BigIntFromInt64(1);
    for (const TSplitterRow& row : r.rows) {
      EXPECT_EQ(row.status.substr(row.status.size() - 5), "Prime") << text;
      MultiplyBigInt(product, BigIntFromDecimal(row.number), product);
    }
    EXPECT_EQ(BigIntToDecimal(product), text);
    EXPECT_EQ(r.math, r.rows[0].number + "*" + r.rows[1].number);

    const TSplitterResult sample = Analyse(TSplitterMethod::SampleDivisor, text, true);
    ASSERT_EQ(sample.rows.size(), 1u);
    EXPECT_EQ(sample.rows[0].status, "Factor is Prime");
  }
}

}  // namespace

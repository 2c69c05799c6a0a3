#include <gtest/gtest.h>

#include "numbers/bigint/BigInt.h"
#include "numbers/primality/Primality.h"
#include "tools/Splitter.h"

namespace {

constexpr TSplitterMethod kAllMethods[] = {TSplitterMethod::Factorization, TSplitterMethod::SampleDivisor,
                                           TSplitterMethod::NextPrime};

using Rows = std::vector<TSplitterRow>;

}  // namespace

void PrintTo(const TSplitterRow& row, std::ostream* os) { *os << "{" << row.status << ", " << row.number << "}"; }

namespace {

TEST(Splitter, NumbersOfMagnitudeOneOrLessChangeNothing) {
  for (const char* text : {"1", "0", "-1", "", "-0", "0001"}) {
    std::string history = "untouched";
    EXPECT_FALSE(SplitterEntry(text, history)) << text;
    EXPECT_EQ(history, "untouched");
    for (TSplitterMethod method : kAllMethods) {
      TSplitterResult r = Analyse(method, text, true);
      EXPECT_TRUE(r.rows.empty()) << text << " method " << static_cast<int>(method);
      EXPECT_EQ(r.math, "");
    }
  }
}

TEST(Splitter, HistoryGetsTheCanonicalText) {
  std::string history;
  ASSERT_TRUE(SplitterEntry("007", history));
  EXPECT_EQ(history, "7");
  ASSERT_TRUE(SplitterEntry("-15", history));
  EXPECT_EQ(history, "-15");
  EXPECT_THROW(SplitterEntry("12a", history), EConvertError);
  EXPECT_THROW(Analyse(TSplitterMethod::Factorization, "12a", true), EConvertError);
}

TEST(Splitter, CompleteFactorisationInTheOrderFound) {
  struct Case {
    const char* entry;
    Rows rows;
    const char* math;
  };
  const Case cases[] = {
      {"4", {{"factor1 is Prime", "2"}, {"factor2 is Prime", "2"}}, "2*2"},
      {"15", {{"factor1 is Prime", "5"}, {"factor2 is Prime", "3"}}, "5*3"},
      {"561", {{"factor1 is Prime", "11"}, {"factor2 is Prime", "3"}, {"factor3 is Prime", "17"}}, "11*3*17"},
      {"97", {{"factor1 is Prime", "97"}}, "97"},
      {"007", {{"factor1 is Prime", "7"}}, "7"},
  };
  for (const Case& c : cases) {
    TSplitterResult r = Analyse(TSplitterMethod::Factorization, c.entry, true);
    EXPECT_EQ(r.rows, c.rows) << c.entry;
    EXPECT_EQ(r.math, c.math) << c.entry;
    EXPECT_EQ(Analyse(TSplitterMethod::Factorization, c.entry, false).math, "") << c.entry;
  }
}

TEST(Splitter, FactorsMultiplyBackAndArePrime) {
  // 12 may be found in any order; 10^39 repeats two factors 39 times each;
  // 9 * 1000000007 * 9999999967 needs a long walk of the rho sequence.
  for (const char* entry : {"12", "1000000000000000000000000000000000000000", "90000000332999997921"}) {
    TSplitterResult r = Analyse(TSplitterMethod::Factorization, entry, true);
    ASSERT_FALSE(r.rows.empty()) << entry;
    TBigInt product = BigIntFromInt64(1);
    std::string math;
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
      EXPECT_EQ(r.rows[i].status, "factor" + std::to_string(i + 1) + " is Prime") << entry;
      MultiplyBigInt(product, BigIntFromDecimal(r.rows[i].number), product);
      math += (i ? "*" : "") + r.rows[i].number;
    }
    EXPECT_EQ(BigIntToDecimal(product), entry);
    EXPECT_EQ(r.math, math);
  }
  EXPECT_EQ(Analyse(TSplitterMethod::Factorization, "12", true).rows.size(), 3U);
}

TEST(Splitter, SampleFactor) {
  TSplitterResult r = Analyse(TSplitterMethod::SampleDivisor, "15", true);
  EXPECT_EQ(r.rows, (Rows{{"Factor is Prime", "5"}}));
  EXPECT_EQ(r.math, "5 * Other factor");
  EXPECT_EQ(Analyse(TSplitterMethod::SampleDivisor, "15", false).math, "");
  // A prime is shown as its own factor.
  r = Analyse(TSplitterMethod::SampleDivisor, "97", true);
  EXPECT_EQ(r.rows, (Rows{{"Factor is Prime", "97"}}));
  EXPECT_EQ(r.math, "97 * Other factor");
}

TEST(Splitter, PrimeGenerator) {
  struct Case {
    const char* entry;
    const char* next;
    const char* difference;
  };
  const Case cases[] = {{"8", "11", "3"}, {"7", "7", "0"}, {"2", "3", "1"},
                        {"1000000000000000000000000000000000000000",
                         "1000000000000000000000000000000000000003", "3"}};
  for (const Case& c : cases) {
    TSplitterResult r = Analyse(TSplitterMethod::NextPrime, c.entry, true);
    EXPECT_EQ(r.rows, (Rows{{"Next prime is", c.next}, {"Difference", c.difference}})) << c.entry;
    EXPECT_EQ(r.math, c.next);
    EXPECT_EQ(Analyse(TSplitterMethod::NextPrime, c.entry, false).math, "");
  }
}

TEST(Splitter, NegativeEntriesFinish) {
  // The sign is carried through the library's operations; nothing may hang.
  for (TSplitterMethod method : kAllMethods)
    for (const char* entry : {"-15", "-97", "-8", "-2"}) EXPECT_NO_THROW(Analyse(method, entry, true));
}

TEST(Splitter, CancelledSearchThrows) {
  TProgress progress;
  progress.Cancel();
  // Two 20-digit primes: the search would run for hours.
  EXPECT_THROW(Analyse(TSplitterMethod::Factorization, "100000000100000000920000000510000002091", true, &progress), ECancelled);
  EXPECT_THROW(Analyse(TSplitterMethod::SampleDivisor, "15", true, &progress), ECancelled);
}

TEST(Splitter, MethodSettingsAndHints) {
  EXPECT_STREQ(SplitterMethodSettings(TSplitterMethod::Factorization).caption, "Splitter: Factorization");
  EXPECT_EQ(SplitterMethodSettings(TSplitterMethod::Factorization).maxLength, 40);
  EXPECT_STREQ(SplitterMethodSettings(TSplitterMethod::Factorization).hint, " < e40");
  EXPECT_TRUE(SplitterMethodSettings(TSplitterMethod::Factorization).titleRow);
  EXPECT_EQ(SplitterMethodSettings(TSplitterMethod::Factorization).statusWidth, 100);
  EXPECT_STREQ(SplitterMethodSettings(TSplitterMethod::SampleDivisor).caption, "Splitter: Sample divisor");
  EXPECT_EQ(SplitterMethodSettings(TSplitterMethod::SampleDivisor).maxLength, 50);
  EXPECT_STREQ(SplitterMethodSettings(TSplitterMethod::SampleDivisor).hint, " < e50");
  EXPECT_EQ(SplitterMethodSettings(TSplitterMethod::SampleDivisor).statusWidth, 110);
  EXPECT_STREQ(SplitterMethodSettings(TSplitterMethod::NextPrime).caption, "Splitter: Prime Generator");
  EXPECT_FALSE(SplitterMethodSettings(TSplitterMethod::NextPrime).titleRow);
  EXPECT_EQ(SplitterMethodSettings(TSplitterMethod::NextPrime).statusWidth, 65);
  EXPECT_EQ(SplitterMethodOfItem(0), TSplitterMethod::Factorization);
  EXPECT_EQ(SplitterMethodOfItem(1), TSplitterMethod::SampleDivisor);
  EXPECT_EQ(SplitterMethodOfItem(-1), TSplitterMethod::NextPrime);
  EXPECT_EQ(SplitterMethodOfItem(5), TSplitterMethod::NextPrime);

  EXPECT_EQ(AnalyseButtonHint(TSplitterMethod::Factorization, ""), "Type a number, select a method then click here");
  EXPECT_EQ(AnalyseButtonHint(TSplitterMethod::Factorization, "15"), "Get the complete factorization of\n\r15");
  EXPECT_EQ(AnalyseButtonHint(TSplitterMethod::SampleDivisor, "15"), "Get a sample divisor for\n\r15");
  EXPECT_EQ(AnalyseButtonHint(TSplitterMethod::NextPrime, "15"), "Reach for the next prime after\n\r15");
}

}  // namespace

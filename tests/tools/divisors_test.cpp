// The divisor finder: trees, result lines and prime announcements, and the
// identity of the tree with the one plain trial division by every d up to
// the square root gives.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "numbers/text/FormatGeneral.h"
#include "tools/Divisors.h"

namespace {

// The tree of the plain loop: every d from 2 while d * d <= n.
TDivisorTree PlainTree(std::uint64_t n) {
  TDivisorTree tree;
  for (std::uint64_t d = 2; d * d <= n; ++d) {
    if (n % d) continue;
    const std::uint64_t q = n / d;
    if (q == d) {
      tree.push_back({std::to_string(d) + " (Square root)", kSquareRootImage, 0});
    } else {
      tree.push_back({std::to_string(d), kNoImage, 0});
      tree.push_back({FormatGeneral(static_cast<long double>(q)), kCofactorImage, 1});
    }
  }
  return tree;
}

::testing::AssertionResult SameTree(const TDivisorTree& a, const TDivisorTree& b) {
  if (a.size() != b.size()) return ::testing::AssertionFailure() << a.size() << " entries for " << b.size();
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].text != b[i].text || a[i].image != b[i].image || a[i].level != b[i].level)
      return ::testing::AssertionFailure() << "entry " << i << ": " << a[i].text << " for " << b[i].text;
  return ::testing::AssertionSuccess();
}

TEST(FindDivisors, Primes) {
  for (const char* text : {"97", "2", "3", "2.5"}) {
    const TDivisorOutcome r = FindDivisors(text);
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.tree.empty()) << text;
    EXPECT_TRUE(r.prime) << text;
    EXPECT_TRUE(r.resultRed);
    EXPECT_EQ(r.resultLine, "We\"ve found a prime number !");
    EXPECT_EQ(r.fieldText, text);
    EXPECT_EQ(r.primeListText, text);
    EXPECT_EQ(r.primeMessage, "The number: \"" + std::string(text) + "\" is Prime !");
  }
}

// A prime above 10^15: the field shows fifteen digits, the prime list and
// the message get the prime itself.
TEST(FindDivisors, LargePrimeInFull) {
  const TDivisorOutcome r = FindDivisors("999999999999999989");
  EXPECT_TRUE(r.prime);
  EXPECT_EQ(r.fieldText, "1E18");
  EXPECT_EQ(r.primeListText, "999999999999999989");
  EXPECT_EQ(r.primeMessage, "The number: \"999999999999999989\" is Prime !");
}

TEST(FindDivisors, Composites) {
  struct Row {
    const char* text;
    const char* field;
    TDivisorTree tree;
    std::size_t count;
  };
  const Row rows[] = {
      {"100", "100", {{"2", -1, 0}, {"50", 1, 1}, {"4", -1, 0}, {"25", 1, 1}, {"5", -1, 0}, {"20", 1, 1}, {"10 (Square root)", 0, 0}}, 7},
      {"6", "6", {{"2", -1, 0}, {"3", 1, 1}}, 2},
      {"4", "4", {{"2 (Square root)", 0, 0}}, 1},
      {"15", "15", {{"3", -1, 0}, {"5", 1, 1}}, 2},
      {"12.7", "12.7", {{"2", -1, 0}, {"6", 1, 1}, {"3", -1, 0}, {"4", 1, 1}}, 4},
      {"  +9e0 ", "9", {{"3 (Square root)", 0, 0}}, 1},
  };
  for (const Row& r : rows) {
    const TDivisorOutcome out = FindDivisors(r.text);
    EXPECT_EQ(out.fieldText, r.field);
    EXPECT_TRUE(SameTree(out.tree, r.tree)) << r.text;
    EXPECT_EQ(out.entryCount, r.count);
    EXPECT_EQ(out.resultLine, "We\"ve found " + std::to_string(r.count) + " dividers");
    EXPECT_FALSE(out.resultRed);
    EXPECT_FALSE(out.prime);
  }
}

TEST(FindDivisors, CappedAndRoundedFields) {
  const TDivisorOutcome capped = FindDivisors("1e19");
  EXPECT_EQ(capped.fieldText, "1E18");
  EXPECT_EQ(capped.entryCount, 359u);
  EXPECT_EQ(capped.resultLine, "We\"ve found 359 dividers");
  EXPECT_TRUE(SameTree(capped.tree, DivisorTree(1000000000000000000ULL)));
  EXPECT_EQ(capped.tree[1].text, "5E17");
  EXPECT_EQ(capped.tree.back().text, "1000000000 (Square root)");

  // Sixteen digits: the field shows fifteen, the search runs on the exact value.
  const TDivisorOutcome exact = FindDivisors("1000000000000037");
  EXPECT_EQ(exact.fieldText, "1.00000000000004E15");
  EXPECT_TRUE(SameTree(exact.tree, PlainTree(1000000000000037ULL)));
  EXPECT_EQ(FindDivisors("1000000000000000").fieldText, "1E15");
}

TEST(FindDivisors, NotANumber) {
  for (const char* text : {"", "abc", "12a", "1,5"}) {
    const TDivisorOutcome r = FindDivisors(text);
    EXPECT_EQ(r.error, "'" + std::string(text) + "' is not a valid floating point value");
    EXPECT_EQ(r.fieldText, "");
    EXPECT_EQ(r.resultLine, "");
    EXPECT_FALSE(r.prime);
  }
  EXPECT_EQ(FindDivisors("1,5", ",").fieldText, "1,5");
}

// Below 2 there is nothing to divide: a black line, no prime.
TEST(FindDivisors, NumbersBelowTwo) {
  struct Row {
    const char* text;
    const char* field;
  };
  const Row rows[] = {{"1", "1"}, {"0", "0"}, {"1.5", "1.5"}, {"-7", "-7"}, {"-1e30", "-1E30"}, {"1.9999", "1.9999"}};
  for (const Row& r : rows) {
    const TDivisorOutcome out = FindDivisors(r.text);
    EXPECT_EQ(out.error, "");
    EXPECT_EQ(out.fieldText, r.field);
    EXPECT_EQ(out.resultLine, "Numbers below 2 have no dividers to list !");
    EXPECT_FALSE(out.resultRed);
    EXPECT_FALSE(out.prime);
    EXPECT_EQ(out.primeMessage, "");
    EXPECT_EQ(out.primeListText, "");
    EXPECT_TRUE(out.tree.empty());
  }
}

TEST(DivisorTree, SameAsThePlainLoopUpToTenToTheFive) {
  for (std::uint64_t n = 1; n <= 100000; ++n) ASSERT_TRUE(SameTree(DivisorTree(n), PlainTree(n))) << n;
}

// Random numbers up to 10^12, squares, prime squares and numbers rich in
// divisors; the plain loop's cost is capped at about 10^6 steps each.
TEST(DivisorTree, SameAsThePlainLoopUpToTenToTheTwelve) {
  std::mt19937_64 rng(5);
  std::vector<std::uint64_t> ns = {963761198400ULL, 999999999989ULL, 999983ULL * 999983ULL, 1000000ULL * 1000000ULL,
                                   735134400ULL,    524288ULL * 524288ULL, 999999000001ULL};
  for (int i = 0; i < 120; ++i) ns.push_back(1 + rng() % 1000000000000ULL);
  for (int i = 0; i < 30; ++i) {
    const std::uint64_t r = 1 + rng() % 1000000;
    ns.push_back(r * r);
  }
  for (std::uint64_t n : ns) ASSERT_TRUE(SameTree(DivisorTree(n), PlainTree(n))) << n;
}

// Near 10^18 the plain loop is out of reach; the listed divisors are
// checked one by one and counted.
TEST(DivisorTree, LargeNumbers) {
  const std::uint64_t rich = 897612484786617600ULL;  // 2^8 3^4 5^2 7^2 11 13 17 19 23 29 31 37: 103680 divisors
  const std::vector<std::uint64_t> listed = ListedDivisors(rich);
  std::size_t entries = 0;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    ASSERT_EQ(rich % listed[i], 0u);
    ASSERT_TRUE(i == 0 || listed[i] > listed[i - 1]);
    entries += listed[i] * listed[i] == rich ? 1 : 2;
  }
  EXPECT_EQ(entries, 103680u - 2);
  EXPECT_EQ(DivisorTree(rich).size(), 103680u - 2);
  EXPECT_EQ(FindDivisors("897612484786617600").resultLine, "We\"ve found 103678 dividers");
  EXPECT_EQ(ListedDivisors(999999999999999989ULL).size(), 0u);
  EXPECT_EQ(ListedDivisors(999999999999999999ULL).front(), 3u);
}

TEST(FindButtonHint, Texts) {
  EXPECT_EQ(FindButtonHint("100"), "Find all divisors for 100");
  EXPECT_EQ(FindButtonHint(""), "Type a number above, then click here to get all its divisors");
}

}  // namespace

// The prime search: bounds and their corrections, parts and the limit,
// summary lines, tab captions, save boxes, the twin count and its failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "numbers/int64/Int64Primes.h"
#include "numbers/int64/PrimeRange.h"
#include "tools/Search.h"

namespace {

// A clock that reads 10:00:00 at the start and five seconds more at the end.
TSearchClock FixedClock(double start = 36000, double step = 5) {
  auto t = std::make_shared<double>(start - step);
  return {"11/12/2026", [t, step] { return *t += step; }, {}};
}

struct Searched {
  TSearchState state;
  TSearchOutcome out;
};

Searched Search(const std::string& low, const std::string& high, bool twins = true) {
  Searched r;
  TSearchRequest q;
  q.lowText = low;
  q.highText = high;
  q.countTwins = twins;
  q.clock = FixedClock();
  r.out = RunSearch(q, r.state);
  return r;
}

std::vector<std::int64_t> All(const TSearchState& s) {
  std::vector<std::int64_t> all;
  for (const auto& part : s.parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<std::int64_t> ByTrialDivision(std::int64_t low, std::int64_t high) {
  std::vector<std::int64_t> out;
  for (std::int64_t n = low; n <= high; ++n)
    if (IsPrimeInt64(n)) out.push_back(n);
  return out;
}

TEST(Search, TwoToHundred) {
  const Searched r = Search("2", "100");
  ASSERT_EQ(r.out.error, "");
  EXPECT_EQ(r.state.lowBound, 2);
  EXPECT_EQ(r.state.highBound, 100);
  EXPECT_EQ(r.state.partCount, 1);
  EXPECT_EQ(r.state.parts[0], ByTrialDivision(2, 100));
  EXPECT_EQ(r.state.parts[0].size(), 25u);
  const std::vector<std::string> lines = SearchPartLines(r.state, 0);
  EXPECT_EQ(lines.front(), "2");
  EXPECT_EQ(lines[24], "97");
  EXPECT_EQ(lines.back(), "Created by Calvenna");
  EXPECT_EQ(lines.size(), 26u);
  EXPECT_EQ(SearchPartEntryCount(r.state, 1), 0u);

  EXPECT_EQ(r.out.lowText, "2");
  EXPECT_EQ(r.out.highText, "100");
  EXPECT_EQ(r.out.caption, "Search Engine:  2 < Prime < 100");
  EXPECT_EQ(r.out.tabCaptions, (std::array<std::string, 5>{"Part 1/1", "Part 2/1", "Part 3/1", "Part 4/1", "Part 5/1"}));
  EXPECT_EQ(r.out.tabVisible, (std::array<bool, 5>{true, false, false, false, false}));
  EXPECT_EQ(r.out.saveChecks, (std::array<bool, 6>{true, true, false, false, false, false}));
  EXPECT_TRUE(r.out.messages.empty());
  EXPECT_EQ(r.out.twinCount, 8);
  const std::vector<std::string> summary = {
      "Search date: 11/12/2026",
      "Start: 10:00:00",
      "End: 10:00:05",
      "Duration: 00:00:05",
      "",
      "From: 2",
      "To:    100",
      "",
      "The results are:",
      " Part 1:   2 - 97",
      "",
      " ==> 25 prime number(s) were found.",
      "",
      "The estimation was: ",
      "Legendre-Hadamard: ",
      " 19 prime number(s) to be found.",
      "",
      "There are 8 Twin Prime #s.",
  };
  EXPECT_EQ(r.out.summary, summary);
}

TEST(Search, BoundCorrections) {
  struct Row {
    const char* low;
    const char* high;
    std::int64_t lowBound, highBound;
    std::vector<std::int64_t> primes;
  };
  const Row rows[] = {
      {"24", "28", 24, 28, {}},
      {"10", "5", 10, 11, {11}},
      {"-7", "-1", 2, 3, {2, 3}},
      {"7", "7", 7, 7, {7}},
      {"1", "30", 2, 30, {2, 3, 5, 7, 11, 13, 17, 19, 23, 29}},
      {" +13", "-0", 13, 14, {13}},
      {"999999999999999999", "1000000000000000000", 999999999999999999, 1000000000000000000, {}},
      {"9223372036854775807", "9223372036854775807", 999999999999999999, 1000000000000000000, {}},
      {"999999999999999989", "5", 999999999999999989, 999999999999999990, {999999999999999989}},
  };
  for (const Row& r : rows) {
    const Searched run = Search(r.low, r.high);
    ASSERT_EQ(run.out.error, "") << r.low;
    EXPECT_EQ(run.state.lowBound, r.lowBound) << r.low;
    EXPECT_EQ(run.state.highBound, r.highBound) << r.low;
    EXPECT_EQ(run.out.lowText, std::to_string(r.lowBound));
    EXPECT_EQ(run.out.highText, std::to_string(r.highBound));
    EXPECT_EQ(All(run.state), r.primes) << r.low;
  }
}

TEST(Search, NoPrimeFound) {
  const Searched r = Search("24", "28");
  EXPECT_EQ(r.state.partCount, 0);
  EXPECT_EQ(r.out.tabCaptions[0], "Part 1/0");
  EXPECT_EQ(r.out.tabCaptions[4], "Part 5/0");
  EXPECT_EQ(r.out.tabVisible, (std::array<bool, 5>{}));
  EXPECT_EQ(SearchPartEntryCount(r.state, 0), 0u);  // no signature line either
  EXPECT_EQ(r.out.summary[8], "The results are:");
  EXPECT_EQ(r.out.summary[9], "");
  EXPECT_EQ(r.out.summary[10], " ==> 0 prime number(s) were found.");
  EXPECT_EQ(r.out.summary[14], " 1 prime number(s) to be found.");
  EXPECT_EQ(r.out.summary.back(), "There are 0 Twin Prime #s.");
  EXPECT_EQ(r.out.saveChecks, (std::array<bool, 6>{true, true, false, false, false, false}));
}

// Two to 2.3 million holds more primes than the five parts: each holds
// 32000, the message comes once, and the summary keeps the upper bound.
TEST(Search, LimitOfFiveParts) {
  const Searched r = Search("2", "2300000");
  EXPECT_EQ(r.state.partCount, 5);
  for (const auto& part : r.state.parts) EXPECT_EQ(part.size(), 32000u);
  EXPECT_EQ(r.out.messages, std::vector<std::string>{kSearchLimitMessage});
  EXPECT_TRUE(r.out.limitReached);
  EXPECT_EQ(r.out.primeCount, 160000u);
  // Exactly the first 160000 numbers the trial division accepts.
  const std::vector<std::int64_t> expected = ByTrialDivision(2, 2160553);
  EXPECT_EQ(All(r.state), expected);
  EXPECT_EQ(r.state.parts[1].front(), 376133);  // the prime after part 1's last
  EXPECT_EQ(r.state.parts[0].back(), 376127);
  EXPECT_EQ(r.state.parts[4].back(), 2160553);
  EXPECT_EQ(r.out.summary[6], "To:    2300000");
  EXPECT_EQ(r.out.summary[9], " Part 1:   2 - 376127");
  EXPECT_EQ(r.out.summary[10], " Part 2:   376133 - 800573");
  EXPECT_EQ(r.out.summary[15], " ==> 160000 prime number(s) were found.");
  EXPECT_EQ(r.out.tabCaptions[2], "Part 3/5");
  EXPECT_EQ(r.out.tabVisible, (std::array<bool, 5>{true, true, true, true, true}));
  EXPECT_EQ(r.out.saveChecks, (std::array<bool, 6>{true, true, true, true, true, true}));
  EXPECT_EQ(SearchPartEntry(r.state, 4, 32000), "Created by Calvenna");
}

// Part 5 exactly full: no message.
TEST(Search, ExactlyFullPartsNeedNoMessage) {
  const Searched r = Search("2", "2160553");
  EXPECT_EQ(r.out.primeCount, 160000u);
  EXPECT_TRUE(r.out.messages.empty());
  EXPECT_FALSE(r.out.limitReached);
}

TEST(Search, HighestWindowFillsFiveParts) {
  const Searched r = Search("999999999993000000", "1000000000000000000");
  EXPECT_TRUE(r.out.limitReached);
  EXPECT_EQ(r.state.partCount, 5);
  EXPECT_EQ(r.state.parts[0].front(), 999999999993000023);
  EXPECT_EQ(r.state.parts[4].back(), 999999999999646027);
  const std::vector<std::int64_t> all = All(r.state);
  EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
  EXPECT_EQ(r.out.summary[6], "To:    1000000000000000000");
  EXPECT_EQ(r.out.summary.back().rfind("There are ", 0), 0u);
}

// A twin pair whose members lie in parts 1 and 2 is counted.
TEST(Search, TwinPairAcrossParts) {
  const std::vector<std::uint64_t> primes = PrimesInRange(2, 3000000, 1000000);
  std::size_t i = 32000;
  while (primes[i + 1] - primes[i] != 2) ++i;
  const std::int64_t low = static_cast<std::int64_t>(primes[i - 31999]);
  const std::int64_t high = static_cast<std::int64_t>(primes[i + 1]);
  const Searched r = Search(std::to_string(low), std::to_string(high));
  ASSERT_EQ(r.state.partCount, 2);
  EXPECT_EQ(r.state.parts[0].back() + 2, r.state.parts[1].front());
  std::int64_t twins = 0;
  for (std::size_t k = i - 31999; k < i + 1; ++k) twins += primes[k + 1] - primes[k] == 2;
  EXPECT_EQ(r.out.twinCount, twins);
  EXPECT_EQ(r.out.summary.back(), "There are " + std::to_string(twins) + " Twin Prime #s.");
}

TEST(Search, TwinCountOffOrOutOfMemory) {
  const Searched off = Search("2", "100", false);
  EXPECT_EQ(off.out.twinCount, -1);
  EXPECT_EQ(off.out.summary.back(), "");  // the estimate block ends the summary

  TSearchRequest q{"2", "100", true, ".", FixedClock(), 16};
  TSearchState state;
  const TSearchOutcome out = RunSearch(q, state);
  EXPECT_EQ(out.messages, std::vector<std::string>{kTwinLowMemoryMessage});
  EXPECT_TRUE(out.disableTwinOption);
  EXPECT_EQ(out.twinCount, 0);
  EXPECT_EQ(out.summary.back(), "There are 0 Twin Prime #s.");
  EXPECT_EQ(std::string(kTwinLowMemoryMessage),
            "The Twin prime numbers' counter cannot proceed because of low free memory on your computer.\r\n"
            "This feature will be disabled now for more security. But you can activate it again whenever you "
            "want from the Options dialog box.");
}

// A field that is not an integer: the parts are emptied, only the lower
// bound can change, the error names the field's text.
TEST(Search, ConversionFailures) {
  struct Row {
    const char* low;
    const char* high;
    const char* error;
    std::int64_t lowBound;
  };
  const Row rows[] = {
      {"", "100", "'' is not a valid integer value", 5},
      {"12a", "100", "'12a' is not a valid integer value", 5},
      {"2", "1e3", "'1e3' is not a valid integer value", 2},
      {"-40", "10000000000000000000", "'10000000000000000000' is not a valid integer value", -40},
  };
  for (const Row& row : rows) {
    Searched r = Search("5", "20");
    ASSERT_EQ(r.state.partCount, 1);
    TSearchRequest q;
    q.lowText = row.low;
    q.highText = row.high;
    const TSearchOutcome out = RunSearch(q, r.state);
    EXPECT_EQ(out.error, row.error);
    EXPECT_EQ(r.state.lowBound, row.lowBound) << row.low;
    EXPECT_EQ(r.state.highBound, 20);
    EXPECT_EQ(r.state.partCount, 0);
    EXPECT_TRUE(All(r.state).empty());
    EXPECT_TRUE(out.summary.empty());
  }
}

TEST(Search, CancelLeavesTheStateAsItWas) {
  Searched r = Search("2", "100");
  TProgress progress;
  progress.Cancel();
  TSearchRequest q;
  q.lowText = "2";
  q.highText = "2300000";
  EXPECT_THROW(RunSearch(q, r.state, &progress), ECancelled);
  EXPECT_EQ(r.state.highBound, 100);
  EXPECT_EQ(r.state.parts[0].size(), 25u);
}

TEST(Search, ClockTexts) {
  TSearchRequest q;
  q.lowText = "2";
  q.highText = "10";
  q.clock = FixedClock(86395, 10);  // past midnight: 23:59:55 to 00:00:05
  TSearchState state;
  TSearchOutcome out = RunSearch(q, state);
  EXPECT_EQ(out.summary[1], "Start: 23:59:55");
  EXPECT_EQ(out.summary[2], "End: 00:00:05");
  EXPECT_EQ(out.summary[3], "Duration: 00:00:10");

  q.clock.timeText = [](double s) { return "t" + std::to_string(static_cast<int>(s)); };
  q.clock.date = "";
  out = RunSearch(q, state);
  EXPECT_EQ(out.summary[0], "Search date: ");
  EXPECT_EQ(out.summary[1].rfind("Start: t", 0), 0u);

  EXPECT_EQ(ClockText(0), "00:00:00");
  EXPECT_EQ(ClockText(3 * 3600 + 25 * 60 + 7.9), "03:25:07");
}

std::string EstimateLine(const std::vector<std::string>& summary) {
  for (const std::string& line : summary)
    if (line.find(" prime number(s) to be found.") != std::string::npos) return line;
  return "(none)";
}

TEST(Search, EstimateInENotationUsesTheSeparator) {
  TSearchRequest q;
  q.lowText = "999999999999999000";
  q.highText = "1000000000000000000";
  TSearchState state;
  EXPECT_EQ(EstimateLine(RunSearch(q, state).summary), " 24 prime number(s) to be found.");
  q.lowText = "2";
  q.decimalSeparator = ",";
  EXPECT_EQ(EstimateLine(RunSearch(q, state).summary), " 2,41274712168473E16 prime number(s) to be found.");
}

TEST(CorrectSearchBounds, InItsOrder) {
  struct Row {
    std::int64_t low, high, lowBound, highBound;
  };
  const Row rows[] = {
      {2, 100, 2, 100},
      {5, -1, 5, 6},  // a negative high becomes 3, then low + 1
      {-5, -5, 2, 3},
      {INT64_MAX, INT64_MAX, 999999999999999999, 1000000000000000000},
      {INT64_MIN, INT64_MIN, 2, 3},
      {0, 0, 2, 3},
      {0, 1, 2, 3},
      {0, 2, 2, 2},
  };
  for (const Row& r : rows) {
    std::int64_t low = r.low, high = r.high;
    CorrectSearchBounds(low, high);
    EXPECT_EQ(low, r.lowBound) << r.low << " " << r.high;
    EXPECT_EQ(high, r.highBound) << r.low << " " << r.high;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "numbers/mersenne/LucasLehmer.h"
#include "tools/Certificate.h"

namespace {

std::vector<std::pair<std::string, std::string>> AllRows(const TCertificate& c) {
  std::vector<std::pair<std::string, std::string>> rows;
  c.ForEachRow([&](const std::string& k, const std::string& v) { rows.emplace_back(k, v); });
  return rows;
}

TEST(Certificate, SevenGivesTheFiveKnownRows) {
  const TCertificate c = TCertificate::Run(7);
  EXPECT_TRUE(c.Prime());
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"3", "14"}, {"4", "67"}, {"5", "42"}, {"6", "111"}, {"7", "0"}};
  EXPECT_EQ(AllRows(c), expected);
  std::string file;
  c.ForEachRow([&](const std::string& k, const std::string& v) { file += CertificateLine(k, v); });
  EXPECT_EQ(file, "3=14\r\n4=67\r\n5=42\r\n6=111\r\n7=0\r\n");
}

TEST(Certificate, SmallExponentsHaveNoRows) {
  struct Case {
    int p;
    bool prime;
    std::int64_t rows;
  };
  const Case cases[] = {{2, true, 0}, {1, false, 0}, {0, false, 0}, {-5, false, 0},
                        {3, true, 1}, {4, false, 2}, {11, false, 9}};
  for (const Case& k : cases) {
    const TCertificate c = TCertificate::Run(k.p);
    EXPECT_EQ(c.Prime(), k.prime) << k.p;
    EXPECT_EQ(c.RowCount(), k.rows) << k.p;
    EXPECT_EQ(static_cast<std::int64_t>(AllRows(c).size()), k.rows) << k.p;
  }
  EXPECT_EQ(AllRows(TCertificate::Run(3)).at(0).second, "0");
  EXPECT_NE(AllRows(TCertificate::Run(11)).back().second, "0");
}

// Rows are produced from residues kept every few iterations; whatever the
// order they are asked in, they must be those of a plain computation.
TEST(Certificate, RowsOnDemandEqualThePlainRows) {
  const int p = 1279;
  TCertificateRows plain;
  ASSERT_TRUE(LucasLehmerCertified(p, plain));
  const TCertificate c = TCertificate::Run(p, nullptr, 16 * 1024);
  ASSERT_GT(c.Spacing(), 1);
  EXPECT_LE(c.MemoryBytes(), 16u * 1024 + 42 * 4 * 2);
  ASSERT_EQ(c.RowCount(), static_cast<std::int64_t>(plain.Rows.size()));
  EXPECT_TRUE(c.Prime());
  EXPECT_EQ(AllRows(c), plain.Rows);
  for (int threads : {1, 3}) {
    std::vector<std::pair<std::string, std::string>> rows;
    c.ForEachRow([&](const std::string& k, const std::string& v) { rows.emplace_back(k, v); }, nullptr, threads);
    EXPECT_EQ(rows, plain.Rows) << threads << " threads";
  }

  std::vector<std::int64_t> order(static_cast<std::size_t>(c.RowCount()));
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int64_t>(i);
  std::mt19937 random(7);
  std::shuffle(order.begin(), order.end(), random);
  order.resize(300);
  // Backwards and forwards from one cursor, as a view scrolls.
  order.insert(order.end(), {1276, 1275, 0, 1, 13, 14, 15, 28});
  TCertificateCursor cursor;
  for (std::int64_t row : order) {
    const auto& want = plain.Rows[static_cast<std::size_t>(row)];
    EXPECT_EQ(TCertificate::Key(row), want.first);
    ASSERT_EQ(c.Value(row, cursor), want.second) << "row " << row;
  }
}

TEST(Certificate, AnEditedValueOverridesOnlyItsRow) {
  TCertificateRows plain;
  LucasLehmerCertified(521, plain);
  TCertificate c = TCertificate::Run(521, nullptr, 4096);
  c.SetValue(100, "12345");
  c.SetValue(101, "");
  c.SetValue(9999, "ignored");  // no such row
  EXPECT_TRUE(c.IsEdited(100));
  TCertificateCursor cursor;
  EXPECT_EQ(c.Value(100, cursor), "12345");
  EXPECT_EQ(c.ComputedValue(100, cursor), plain.Rows[100].second);
  plain.Rows[100].second = "12345";
  plain.Rows[101].second = "";
  EXPECT_EQ(AllRows(c), plain.Rows);
}

TEST(Certificate, ACancelledRunEndsWithECancelled) {
  TProgress progress;
  progress.Cancel();
  EXPECT_THROW(TCertificate::Run(1279, &progress), ECancelled);

  const TCertificate c = TCertificate::Run(1279);
  TProgress stop;
  int seen = 0;
  EXPECT_THROW(c.ForEachRow(
                   [&](const std::string&, const std::string&) {
                     if (++seen == 10) stop.Cancel();
                   },
                   &stop, 1),
               ECancelled);
  EXPECT_GE(seen, 10);
  EXPECT_LT(seen, 1277);
}

TEST(Certificate, ReportsTheIterations) {
  TProgress progress;
  const TCertificate c = TCertificate::Run(89, &progress);
  EXPECT_DOUBLE_EQ(progress.Fraction(), 1.0);
  EXPECT_EQ(progress.Text(), "Iteration 87 of 87");
}

}  // namespace

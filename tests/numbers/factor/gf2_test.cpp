// The GF(2) solver on small hand-made matrices: every set it returns sums to
// zero, and it finds the dependencies that are there.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "numbers/factor/Gf2Solver.h"

namespace {

using Rows = std::vector<std::vector<std::uint32_t>>;

// The columns of odd weight in the sum of the chosen rows.
std::set<std::uint32_t> Sum(const Rows& rows, const std::vector<std::uint32_t>& chosen) {
  std::set<std::uint32_t> odd;
  for (std::uint32_t r : chosen)
    for (std::uint32_t c : rows[r])
      if (!odd.erase(c)) odd.insert(c);
  return odd;
}

void ExpectAllZero(const Rows& rows, const std::vector<std::vector<std::uint32_t>>& deps) {
  std::set<std::vector<std::uint32_t>> seen;
  for (const auto& dep : deps) {
    EXPECT_FALSE(dep.empty());
    EXPECT_TRUE(Sum(rows, dep).empty());
    EXPECT_TRUE(seen.insert(dep).second) << "repeated dependency";
    for (std::uint32_t r : dep) EXPECT_LT(r, rows.size());
  }
}

}  // namespace

TEST(Gf2Solver, HandMadeMatrices) {
  struct Case {
    Rows rows;
    std::uint32_t columns;
    std::size_t expected;  // dependencies that exist (rows - rank)
  };
  const Case cases[] = {
      // Rows 0 + 1 + 2 = 0; row 3 alone holds column 3 (a singleton).
      {{{0, 1}, {1, 2}, {0, 2}, {2, 3}}, 4, 1},
      // A repeated row and an empty row: two dependencies.
      {{{0, 5}, {0, 5}, {}, {1}}, 6, 2},
      // Independent rows: nothing.
      {{{0}, {1}, {2}}, 3, 0},
      // Five rows over two columns: at least three.
      {{{0}, {1}, {0, 1}, {0}, {1}}, 2, 3},
  };
  for (const Case& c : cases) {
    const auto deps = FindDependencies(c.rows, c.columns);
    ExpectAllZero(c.rows, deps);
    EXPECT_EQ(deps.size(), c.expected);
  }
}

TEST(Gf2Solver, SparseRandomMatrixWithMoreRowsThanColumns) {
  // The shape the sieve hands over: a few ones per row, dense small columns.
  std::mt19937 random(7);
  const std::uint32_t columns = 300;
  Rows rows(340);
  for (auto& row : rows) {
    std::set<std::uint32_t> cols;
    const int weight = 3 + static_cast<int>(random() % 10);
    for (int k = 0; k < weight; ++k) {
      const std::uint32_t c = random() % 2 ? random() % 20 : random() % columns;
      if (!cols.erase(c)) cols.insert(c);
    }
    row.assign(cols.begin(), cols.end());
  }
  const auto deps = FindDependencies(rows, columns, 64);
  EXPECT_GE(deps.size(), 40u);
  ExpectAllZero(rows, deps);
  EXPECT_LE(FindDependencies(rows, columns, 5).size(), 5u);
}

#include "numbers/factor/Gf2Solver.h"

#include <algorithm>
#include <cstddef>

namespace {

using Set = std::vector<std::uint32_t>;

// The symmetric difference of two sorted sets, into a.
void XorInto(Set& a, const Set& b) {
  Set out;
  out.reserve(a.size() + b.size());
  std::set_symmetric_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  a.swap(out);
}

// Columns met in at most this many rows are pivoted away before the dense
// step; each pivot removes one row and one column of the dense matrix.
constexpr std::size_t kMaxPivotWeight = 6;

struct TReduced {
  std::vector<Set> rows;    // columns of each live row
  std::vector<Set> combos;  // the original rows each live row sums
};

TReduced Reduce(const std::vector<Set>& input, std::uint32_t columnCount) {
  TReduced m;
  m.rows.reserve(input.size());
  for (std::size_t r = 0; r < input.size(); ++r) {
    Set row = input[r];
    std::sort(row.begin(), row.end());
    m.rows.push_back(std::move(row));
    m.combos.push_back(Set{static_cast<std::uint32_t>(r)});
  }
  std::vector<bool> alive(m.rows.size(), true);
  // Which live rows hold each column, rebuilt each pass (cheap next to the
  // dense step it saves): one flat list, column c's holders at
  // holders[first[c] .. first[c + 1]).
  std::vector<std::uint32_t> first(columnCount + 1), fill(columnCount), holders;
  std::vector<bool> touched;
  for (bool changed = true; changed;) {
    changed = false;
    std::fill(first.begin(), first.end(), 0);
    for (std::size_t r = 0; r < m.rows.size(); ++r)
      if (alive[r])
        for (std::uint32_t c : m.rows[r]) ++first[c + 1];
    for (std::uint32_t c = 0; c < columnCount; ++c) first[c + 1] += first[c];
    holders.resize(first[columnCount]);
    std::copy(first.begin(), first.end() - 1, fill.begin());
    for (std::size_t r = 0; r < m.rows.size(); ++r)
      if (alive[r])
        for (std::uint32_t c : m.rows[r]) holders[fill[c]++] = static_cast<std::uint32_t>(r);
    touched.assign(m.rows.size(), false);
    for (std::uint32_t c = 0; c < columnCount; ++c) {
      const std::uint32_t* h = holders.data() + first[c];
      const std::size_t count = first[c + 1] - first[c];
      if (count == 0 || count > kMaxPivotWeight) continue;
      // Rows changed in this pass have stale holder lists: wait a pass.
      bool fresh = true;
      for (std::size_t k = 0; k < count; ++k)
        if (touched[h[k]] || !alive[h[k]]) fresh = false;
      if (!fresh) continue;
      const std::uint32_t pivot = h[0];
      for (std::size_t k = 1; k < count; ++k) {
        XorInto(m.rows[h[k]], m.rows[pivot]);
        XorInto(m.combos[h[k]], m.combos[pivot]);
        touched[h[k]] = true;
      }
      // The pivot row is the only one left with column c: it can be in no
      // dependency (for a single holder that is the whole step).
      alive[pivot] = false;
      touched[pivot] = true;
      changed = true;
    }
  }
  TReduced out;
  for (std::size_t r = 0; r < m.rows.size(); ++r) {
    if (!alive[r]) continue;
    if (m.rows[r].empty() && m.combos[r].empty()) continue;
    out.rows.push_back(std::move(m.rows[r]));
    out.combos.push_back(std::move(m.combos[r]));
  }
  return out;
}

}  // namespace

std::vector<Set> FindDependencies(const std::vector<Set>& input, std::uint32_t columnCount,
                                  int maxDependencies) {
  std::vector<Set> result;
  if (maxDependencies <= 0 || input.empty()) return result;
  TReduced m = Reduce(input, columnCount);
  // Renumber the columns still in use.
  std::vector<std::int64_t> index(columnCount, -1);
  std::size_t columns = 0;
  for (const Set& row : m.rows)
    for (std::uint32_t c : row)
      if (index[c] < 0) index[c] = static_cast<std::int64_t>(columns++);
  const std::size_t rows = m.rows.size();
  const std::size_t cw = (columns + 63) / 64, iw = (rows + 63) / 64, words = cw + iw;
  std::vector<std::uint64_t> bits(rows * words, 0);
  for (std::size_t r = 0; r < rows; ++r) {
    std::uint64_t* row = &bits[r * words];
    for (std::uint32_t c : m.rows[r]) {
      const auto k = static_cast<std::size_t>(index[c]);
      row[k / 64] |= std::uint64_t{1} << (k % 64);
    }
    row[cw + r / 64] |= std::uint64_t{1} << (r % 64);
  }
  // Forward elimination; rows left without a pivot are zero on the column
  // part, and their identity part names the live rows they sum.
  std::vector<bool> used(rows, false);
  for (std::size_t c = 0; c < columns; ++c) {
    const std::size_t w = c / 64;
    const std::uint64_t bit = std::uint64_t{1} << (c % 64);
    std::size_t pivot = rows;
    for (std::size_t r = 0; r < rows; ++r)
      if (!used[r] && (bits[r * words + w] & bit)) {
        pivot = r;
        break;
      }
    if (pivot == rows) continue;
    used[pivot] = true;
    const std::uint64_t* p = &bits[pivot * words];
    for (std::size_t r = pivot + 1; r < rows; ++r) {
      std::uint64_t* row = &bits[r * words];
      if (used[r] || !(row[w] & bit)) continue;
      for (std::size_t k = w; k < words; ++k) row[k] ^= p[k];
    }
  }
  // Each dependency: the original rows met an odd number of times in the
  // combinations of the live rows it sums.
  std::vector<std::uint8_t> odd(input.size(), 0);
  for (std::size_t r = 0; r < rows && static_cast<int>(result.size()) < maxDependencies; ++r) {
    if (used[r]) continue;
    const std::uint64_t* id = &bits[r * words + cw];
    std::vector<std::uint32_t> touched;
    for (std::size_t k = 0; k < rows; ++k)
      if ((id[k / 64] >> (k % 64)) & 1)
        for (std::uint32_t row : m.combos[k]) {
          odd[row] ^= 1;
          touched.push_back(row);
        }
    Set dep;
    for (std::uint32_t row : touched)
      if (odd[row]) {
        dep.push_back(row);
        odd[row] = 0;
      }
    std::sort(dep.begin(), dep.end());
    if (!dep.empty()) result.push_back(std::move(dep));
  }
  return result;
}

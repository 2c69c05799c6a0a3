// Null vectors of a sparse matrix over GF(2): which sets of rows sum to
// zero. The quadratic sieve's last step, where a row is a relation and a
// column a prime of odd exponent.
//
// First a structured elimination shrinks the matrix (rows holding a column
// no other row has are dropped, columns met in few rows are pivoted away),
// then the rest is solved densely with 64-bit words.
#pragma once

#include <cstdint>
#include <vector>

// rows[r]: the columns (each < columnCount, no repeats) where row r has a 1.
// Returns at most maxDependencies non-empty sets of row indices, each set
// summing to zero, each a distinct combination.
std::vector<std::vector<std::uint32_t>> FindDependencies(const std::vector<std::vector<std::uint32_t>>& rows,
                                                         std::uint32_t columnCount, int maxDependencies = 64);

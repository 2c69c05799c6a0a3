// Mersenne and Fermat expression text: "M" a [+|- b] for
// 2^a - 1 + b, "F" a [+|- b] for 2^(2^a) + 1 + b.
#pragma once

#include <string>

#include "numbers/bigint/BigInt.h"

// How many times a can be divided (Euclidean quotient) by b before its
// magnitude falls below |b|; |b| >= 2. For b = 2 the count is computed from
// the bit length: floor(log2 a) for a >= 1, 0 for 0, and for negative a the
// smallest c with 2^c >= |a|.
TBigInt IntegerLogBigInt(const TBigInt& a, const TBigInt& b);

std::string BigIntToMersenneText(const TBigInt& n);
std::string BigIntToFermatText(const TBigInt& n);

// 0 when the text has no "M" (or "F"), or the exponent exceeds 99999 (the
// index exceeds 20). Lower case is accepted. An empty digit run (the letter
// or a sign followed by no digit) reads as 0, like an empty decimal text.
TBigInt MersenneTextToBigInt(const std::string& text);
TBigInt FermatTextToBigInt(const std::string& text);

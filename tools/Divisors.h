// The divisor finder's computation: every divisor of a number up to 10^18
// other than 1 and itself, as a tree. Each divisor d with d * d < n is a
// first-level entry holding the cofactor n / d as its child; a divisor
// equal to the square root is one entry marked " (Square root)". The tree
// is the one trial division by every d from 2 up to the square root gives,
// but it comes from the factorisation of n (numbers/Factor64.h): any n up
// to 10^18 takes milliseconds at most instead of up to 10^9 divisions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The result line of a number below 2 (the window fits its width to it).
extern const char* const kDivisorsBelowTwo;

// Images of tree entries.
constexpr int kNoImage = -1;
constexpr int kSquareRootImage = 0;
constexpr int kCofactorImage = 1;

// One entry of a tree. A tree is its entries in display order: an entry's
// parent is the nearest entry above it one level up (level 0 is the first
// level). Flat, so a tree of 10^5 entries costs no allocation per entry.
struct TTreeEntry {
  std::string text;
  int image = kNoImage;
  int level = 0;
};
using TDivisorTree = std::vector<TTreeEntry>;

// The outcome of one press of "Find".
struct TDivisorOutcome {
  // The conversion failure ("'%s' is not a valid floating point value");
  // when set nothing else is, and the window changes nothing.
  std::string error;
  std::string fieldText;          // the number, capped at 10^18, written with FormatGeneral
  TDivisorTree tree;
  std::size_t entryCount = 0;     // entries of both levels
  std::string resultLine;         // the line under the tree
  bool resultRed = false;         // red for a prime, black otherwise
  // A prime: sound the beep, show primeMessage when "Show messages" is on,
  // and add primeListText to the prime list when "Add found prime to
  // History" is on and the list does not hold it yet.
  bool prime = false;
  std::string primeMessage;       // The number: "97" is Prime !
  // The number written with FormatGeneral; a whole number in full digits,
  // as FormatGeneral's fifteen digits would name another number above 10^15.
  std::string primeListText;
};

// Reads the field as a floating value (decimal separator as given) from its
// exact decimal digits, caps it at 10^18 and lists the divisors of its
// integer part. A number below 2 has
// no divisors to list and is no prime: the black line
// "Numbers below 2 have no dividers to list !".
TDivisorOutcome FindDivisors(const std::string& fieldText, std::string_view decimalSeparator = ".");

// The divisors d of n with 2 <= d and d * d <= n, ascending.
std::vector<std::uint64_t> ListedDivisors(std::uint64_t n);

// The tree of n: entries d (no image) with the child n / d written with
// FormatGeneral (image 1), then the square root entry (image 0) if any.
TDivisorTree DivisorTree(std::uint64_t n, std::string_view decimalSeparator = ".");

// The hint of "Find" for the field's text.
std::string FindButtonHint(const std::string& fieldText);

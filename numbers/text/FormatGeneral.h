// The text of a floating value with at most 15 significant digits: plain
// notation below 10^15 (a whole value as its decimal integer) and down to
// 0.0001, E notation beyond (1E16, 2.5E16, 1.00000000000004E15, 1E-5).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// decimalSeparator is the system's (a locale may use "," or longer texts).
// Infinite and undefined values read "INF", "-INF" and "NAN".
// The value is rounded once, half away from zero, from its exact binary
// value.
std::string FormatGeneral(long double value, std::string_view decimalSeparator = ".");

// The same text for an exact decimal value d1.d2d3... * 10^exponent (digits
// without leading zeros; empty for zero), rounded once from those digits.
std::string FormatGeneralDigits(bool negative, std::string digits, long exponent,
                                std::string_view decimalSeparator = ".");

// The same text for a whole number, exactly.
std::string FormatGeneralWhole(std::uint64_t value, std::string_view decimalSeparator = ".");

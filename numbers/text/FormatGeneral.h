// The text of a floating value with at most 15 significant digits: plain
// notation below 10^15 (a whole value as its decimal integer) and down to
// 0.0001, E notation beyond (1E16, 2.5E16, 1.00000000000004E15, 1E-5).
#pragma once

#include <string>
#include <string_view>

// decimalSeparator is the system's (a locale may use "," or longer texts).
// Infinite and undefined values read "INF", "-INF" and "NAN".
std::string FormatGeneral(long double value, std::string_view decimalSeparator = ".");

// Conversions between numbers and the texts the user types and sees.
#pragma once
#include <string>
#include <string_view>

namespace pantrium {

// Leading blanks/tabs/LFs skipped; sign, digits, one point, E/D exponent;
// &H hex, &B binary, &O/&Q/& octal. Never fails; no number gives 0.
double TextToNumber(std::string_view text);
// Shortest form with at most 7 (float) or 15 (double) significant digits,
// leading blank for >= 0, "-" for negative, no zero before the point.
std::string NumberToText(float value);
std::string NumberToText(double value);
// NumberToText without its blanks: 2 -> "2", 0.5 -> ".5".
std::string ShortNumber(float value);
// "#.00": 2 -> "2.00", 0.5 -> ".50", 0 -> ".00", -1.5 -> "-1.50".
std::string MoneyMask(double value);
// Nearest integer, halves to the even neighbour.
double RoundHalfEven(double value);

}  // namespace pantrium

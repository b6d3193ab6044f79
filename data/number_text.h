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
// "#.00": 2 -> "2.00", 0.5 -> ".50", 0 -> ".00", -1.5 -> "-1.50". A single-
// precision amount is rounded from its 7-digit form, the one the units box
// shows (2.675 -> "2.68"); a double from its 15-digit form.
std::string MoneyMask(float value);
std::string MoneyMask(double value);

// Amounts (prices, units) are finite single-precision numbers. ToAmount makes
// one from any number: beyond the single-precision range it is the largest
// amount of the same sign, NaN is 0. Applied to a stored amount it gives the
// value shown and counted: a list file may hold an infinite amount (such a
// file came from a typed number out of range) or a NaN one (no value at all).
float ToAmount(double value);
// Price times units, multiplied in double precision from the two stored
// amounts, kept within the amount range. A cost is a product, not an amount:
// it is masked from its binary value (MoneyMask(double)).
double AmountCost(float price, float units);
// A sum of amounts (a total) kept within the amount range; NaN is 0.
double ClampAmount(double value);
// Nearest integer, halves to the even neighbour.
double RoundHalfEven(double value);

}  // namespace pantrium

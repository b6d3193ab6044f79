// Conversions between numbers and the texts the user types and sees.
#pragma once
#include <string>
#include <string_view>

namespace pantrium {

// Leading blanks/tabs/LFs skipped; sign, digits, one point, E/D exponent;
// &H hex, &B binary, &O/&Q/& octal. Never fails; no number gives 0.
double TextToNumber(std::string_view text);
// TextToNumber for decimal numbers only: a leading "&" begins no number (0).
double DecimalTextToNumber(std::string_view text);
// Shortest form with at most 7 (float) or 15 (double) significant digits,
// leading blank for >= 0, "-" for negative, no zero before the point.
std::string NumberToText(float value);
std::string NumberToText(double value);
// NumberToText without its blanks: 2 -> "2", 0.5 -> ".5".
std::string ShortNumber(float value);
// "#.00": 2 -> "2.00", 0.5 -> ".50", 0 -> ".00", -1.5 -> "-1.50", rounded
// half away from zero from the value's digits up to 15 significant ones.
// One rule for units, costs and totals: an amount is masked as its
// AmountValue, so that units of 2.675 and their cost at a price of 1 both
// show 2.68, and 12345678 shows every digit.
std::string MoneyMask(float value);
std::string MoneyMask(double value);
// A plain decimal number (no exponent) from the shortest digits that read
// back as the amount: " 12345678", " 2.5", " .5", "-1.25"; leading blank for
// >= 0 as in NumberToText.
std::string PlainNumber(float value);

// Amounts (prices, units) are finite single-precision numbers. ToAmount makes
// one from any number: beyond the single-precision range it is the largest
// amount of the same sign, NaN is 0. Applied to a stored amount it gives the
// value shown and counted: a list file may hold an infinite amount (such a
// file came from a typed number out of range) or a NaN one (no value at all).
float ToAmount(double value);
// The number an amount stands for: its shortest decimal form (the digits the
// user typed), as a double. 2.675f, held as 2.67499995..., is 2.675. Costs
// and totals are figured from these values, so that they agree with the
// amounts shown.
double AmountValue(float value);
// Price times units: the product of their AmountValues, kept within the
// amount range.
double AmountCost(float price, float units);
// A sum of costs (a total) kept within the amount range; NaN is 0.
double ClampAmount(double value);
// Nearest integer, halves to the even neighbour.
double RoundHalfEven(double value);

}  // namespace pantrium

#include <cmath>

#include <gtest/gtest.h>

#include "data/number_text.h"

namespace pantrium {
namespace {

TEST(TextToNumber, DecimalForms) {
    EXPECT_DOUBLE_EQ(TextToNumber("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(TextToNumber(" \t\n-3"), -3);
    EXPECT_DOUBLE_EQ(TextToNumber("+4"), 4);
    EXPECT_DOUBLE_EQ(TextToNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(TextToNumber("-.25"), -0.25);
    EXPECT_DOUBLE_EQ(TextToNumber("12abc"), 12);
    EXPECT_DOUBLE_EQ(TextToNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(TextToNumber("2.50 dollars"), 2.5);
}

TEST(TextToNumber, Exponents) {
    EXPECT_DOUBLE_EQ(TextToNumber("1.5E2"), 150);
    EXPECT_DOUBLE_EQ(TextToNumber("1.5e+2"), 150);
    EXPECT_DOUBLE_EQ(TextToNumber("15D-1"), 1.5);
    EXPECT_DOUBLE_EQ(TextToNumber("15d1"), 150);
    // An exponent letter without digits ends the number before it.
    EXPECT_DOUBLE_EQ(TextToNumber("2e"), 2);
    EXPECT_DOUBLE_EQ(TextToNumber("2E+x"), 2);
    EXPECT_TRUE(std::isinf(TextToNumber("1e400")));
    EXPECT_EQ(TextToNumber("1e-400"), 0);
}

TEST(TextToNumber, RadixIntegers) {
    EXPECT_EQ(TextToNumber("&HFF"), 255);
    EXPECT_EQ(TextToNumber("  &hff"), 255);
    EXPECT_EQ(TextToNumber("&B101"), 5);
    EXPECT_EQ(TextToNumber("&O17"), 15);
    EXPECT_EQ(TextToNumber("&Q17"), 15);
    EXPECT_EQ(TextToNumber("&17"), 15);
    EXPECT_EQ(TextToNumber("&18"), 1);  // 8 is no octal digit
    EXPECT_EQ(TextToNumber("&B102"), 2);
    EXPECT_EQ(TextToNumber("&H"), 0);
}

TEST(TextToNumber, NoNumberGivesZero) {
    EXPECT_EQ(TextToNumber(""), 0);
    EXPECT_EQ(TextToNumber("abc"), 0);
    EXPECT_EQ(TextToNumber("-"), 0);
    EXPECT_EQ(TextToNumber("."), 0);
    EXPECT_EQ(TextToNumber("- 3"), 0);
    EXPECT_EQ(TextToNumber("E5"), 0);
}

TEST(NumberToText, SingleSevenDigits) {
    EXPECT_EQ(NumberToText(2.0f), " 2");
    EXPECT_EQ(NumberToText(0.5f), " .5");
    EXPECT_EQ(NumberToText(-1.5f), "-1.5");
    EXPECT_EQ(NumberToText(-0.25f), "-.25");
    EXPECT_EQ(NumberToText(0.0f), " 0");
    EXPECT_EQ(NumberToText(0.1f), " .1");
    EXPECT_EQ(NumberToText(2.675f), " 2.675");
    EXPECT_EQ(NumberToText(1.0f / 3), " .3333333");
    EXPECT_EQ(NumberToText(100.0f), " 100");
    EXPECT_EQ(NumberToText(1234567.0f), " 1234567");
    EXPECT_EQ(NumberToText(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(NumberToText(1e7f), " 1E+07");
    EXPECT_EQ(NumberToText(0.0001f), " .0001");
    EXPECT_EQ(NumberToText(0.00001f), " 1E-05");
    EXPECT_EQ(NumberToText(-1.5e-7f), "-1.5E-07");
}

TEST(NumberToText, DoubleFifteenDigits) {
    EXPECT_EQ(NumberToText(0.1), " .1");
    EXPECT_EQ(NumberToText(1.0 / 3), " .333333333333333");
    EXPECT_EQ(NumberToText(123456789012345.0), " 123456789012345");
    EXPECT_EQ(NumberToText(1234567890123456.0), " 1.23456789012346E+15");
    EXPECT_EQ(NumberToText(3.0), " 3");
}

TEST(NumberToText, ShortForm) {
    EXPECT_EQ(ShortNumber(2), "2");
    EXPECT_EQ(ShortNumber(1.5f), "1.5");
    EXPECT_EQ(ShortNumber(0.5f), ".5");
    EXPECT_EQ(ShortNumber(-2), "-2");
    EXPECT_EQ(ShortNumber(0), "0");
}

TEST(MoneyMask, TwoDecimalsNoLeadingZero) {
    EXPECT_EQ(MoneyMask(2), "2.00");
    EXPECT_EQ(MoneyMask(12.345), "12.35");
    EXPECT_EQ(MoneyMask(0.5), ".50");
    EXPECT_EQ(MoneyMask(0), ".00");
    EXPECT_EQ(MoneyMask(-1.5), "-1.50");
    EXPECT_EQ(MoneyMask(-0.5), "-.50");
    EXPECT_EQ(MoneyMask(0.005), ".01");
    EXPECT_EQ(MoneyMask(0.004), ".00");
    EXPECT_EQ(MoneyMask(-0.004), ".00");  // no negative zero
    EXPECT_EQ(MoneyMask(9.995), "10.00");
    EXPECT_EQ(MoneyMask(0.999), "1.00");
    EXPECT_EQ(MoneyMask(2.5f * 3.0f), "7.50");
    EXPECT_EQ(MoneyMask(1234567.891), "1234567.89");
    EXPECT_EQ(MoneyMask(1e20), "100000000000000000000.00");
}

TEST(RoundHalfEven, HalvesGoToEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4), 2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
}

}  // namespace
}  // namespace pantrium

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "data/number_text.h"

namespace pantrium {
namespace {

TEST(TextToNumber, ReadsUpToTheFirstCharacterThatCannotContinue) {
    const std::pair<const char*, double> cases[] = {
        {"2.5", 2.5},      {" \t\n-3", -3},  {"+4", 4},        {".5", .5},      {"-.25", -.25},
        {"12abc", 12},     {"1.2.3", 1.2},   {"1.5E2", 150},   {"1.5e+2", 150}, {"15D-1", 1.5},
        {"15d1", 150},     {"2e", 2},        {"2E+x", 2},      {"&HFF", 255},   {"  &hff", 255},
        {"&B101", 5},      {"&O17", 15},     {"&Q17", 15},     {"&17", 15},     {"&18", 1},
        {"&B102", 2},      {"&H", 0},        {"", 0},          {"abc", 0},      {"-", 0},
        {".", 0},          {"- 3", 0},       {"E5", 0},        {"1e-400", 0}};
    for (auto [text, value] : cases) EXPECT_DOUBLE_EQ(TextToNumber(text), value) << text;
    EXPECT_TRUE(std::isinf(TextToNumber("1e400")));
}

TEST(DecimalTextToNumber, ReadsNoRadixNumbers) {
    const std::pair<const char*, double> cases[] = {
        {"&HC", 0}, {"&H1F", 0}, {" &B101", 0}, {"&17", 0}, {"&", 0},
        {"12", 12}, {" 24x", 24}, {"3.7", 3.7}, {"-2", -2}, {"1E1", 10}, {"", 0}};
    for (auto [text, value] : cases) EXPECT_DOUBLE_EQ(DecimalTextToNumber(text), value) << text;
}

TEST(NumberToText, StandardForm) {
    const std::pair<float, const char*> singles[] = {
        {2, " 2"},          {.5f, " .5"},           {-1.5f, "-1.5"},        {-.25f, "-.25"},
        {0, " 0"},          {.1f, " .1"},           {2.675f, " 2.675"},     {1.0f / 3, " .3333333"},
        {100, " 100"},      {1234567, " 1234567"},  {12345678, " 1.234568E+07"},
        {1e7f, " 1E+07"},   {.0001f, " .0001"},     {.00001f, " 1E-05"},    {-1.5e-7f, "-1.5E-07"}};
    for (auto [value, text] : singles) EXPECT_EQ(NumberToText(value), text) << text;
    EXPECT_EQ(NumberToText(.1), " .1");
    EXPECT_EQ(NumberToText(1.0 / 3), " .333333333333333");
    EXPECT_EQ(NumberToText(123456789012345.0), " 123456789012345");
    EXPECT_EQ(NumberToText(1234567890123456.0), " 1.23456789012346E+15");
    EXPECT_EQ(ShortNumber(2), "2");
    EXPECT_EQ(ShortNumber(1.5f), "1.5");
    EXPECT_EQ(ShortNumber(.5f), ".5");
    EXPECT_EQ(ShortNumber(-2), "-2");
}

TEST(MoneyMask, TwoDecimalsNoLeadingZero) {
    const std::pair<double, const char*> cases[] = {
        {2, "2.00"},       {12.345, "12.35"},   {.5, ".50"},         {0, ".00"},
        {-1.5, "-1.50"},   {-.5, "-.50"},       {.005, ".01"},       {.004, ".00"},
        {-.004, ".00"},    {9.995, "10.00"},    {.999, "1.00"},      {2.5f * 3.0f, "7.50"},
        {1234567.891, "1234567.89"},            {1e20, "100000000000000000000.00"}};
    for (auto [value, text] : cases) EXPECT_EQ(MoneyMask(value), text) << text;
}

TEST(MoneyMask, SingleAmountsRoundFromTheDigitsTheUserTyped) {
    // 2.675f is held as 2.67499995...; the user typed and sees 2.675.
    const std::pair<float, const char*> cases[] = {
        {2.675f, "2.68"},  {1.005f, "1.01"},   {.015f, ".02"},    {12.345f, "12.35"}, {.5f, ".50"},
        {2, "2.00"},       {0, ".00"},         {-2.675f, "-2.68"}, {-.004f, ".00"},   {.125f, ".13"},
        {1.0f / 3, ".33"}, {99999.99f, "99999.99"},
        // Large amounts keep every digit they hold, not 7.
        {12345678, "12345678.00"}, {16777216, "16777216.00"}, {-12345678, "-12345678.00"},
        {123456792.0f, "123456792.00"}, {1e10f, "10000000000.00"}};
    for (auto [value, text] : cases) EXPECT_EQ(MoneyMask(value), text) << text;
    EXPECT_EQ(MoneyMask(2.675), "2.68");  // a double from its 15-digit form
}

TEST(MoneyMask, UnitsCostAndTotalOfOneRowAgree) {
    // Price 1: the cost is the units, and shows as they do.
    for (float units : {2.675f, 1.005f, .015f, 12345678.0f, 16777216.0f, 99999.99f, -2.675f}) {
        EXPECT_EQ(MoneyMask(AmountCost(1, units)), MoneyMask(units)) << units;
        EXPECT_EQ(MoneyMask(ClampAmount(0.0 + AmountCost(1, units))), MoneyMask(units)) << units;
    }
    EXPECT_EQ(MoneyMask(AmountCost(1, 2.675f)), "2.68");
    EXPECT_EQ(MoneyMask(AmountCost(1, 1.005f)), "1.01");
    EXPECT_EQ(MoneyMask(AmountCost(2.675f, 1)), "2.68");  // either way round
    EXPECT_EQ(MoneyMask(AmountCost(16777216, 1)), "16777216.00");
    // The cost is figured from the amounts as typed: 3 x .335 is 1.005.
    EXPECT_EQ(MoneyMask(AmountCost(.335f, 3)), "1.01");
    EXPECT_EQ(MoneyMask(AmountCost(2.675f, 2)), "5.35");
}

TEST(PlainNumber, EveryDigitTheAmountHoldsWithoutExponent) {
    const std::pair<float, const char*> cases[] = {
        {12345678, " 12345678"}, {16777216, " 16777216"}, {2.5f, " 2.5"},     {.5f, " .5"},
        {-1.25f, "-1.25"},       {3.49f, " 3.49"},         {1e10f, " 10000000000"}, {.00001f, " .00001"},
        {1.2345678f, " 1.2345678"}, {0, " 0"},             {-0.0f, " 0"},
        {123456792.0f, " 123456792"}};
    for (auto [value, text] : cases) EXPECT_EQ(PlainNumber(value), text) << text;
    // What the price box shows reads back as the same price.
    for (float value : {12345678.0f, 16777216.0f, 1.2345678f, 0.1f, 3.4e38f, 1e-40f, -7.25e-5f})
        EXPECT_EQ(static_cast<float>(TextToNumber(PlainNumber(value))), value) << value;
}

constexpr float kMax = std::numeric_limits<float>::max();
constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(Amounts, OutOfRangeIsTheLargestAmountAndNaNIsZero) {
    EXPECT_EQ(ToAmount(TextToNumber("1e39")), kMax);
    EXPECT_EQ(ToAmount(TextToNumber("-1e39")), -kMax);
    EXPECT_EQ(ToAmount(TextToNumber("1e400")), kMax);
    EXPECT_EQ(ToAmount(TextToNumber("&H" + std::string(300, 'F'))), kMax);
    EXPECT_EQ(ToAmount(TextToNumber("3.4e38")), 3.4e38f);  // in range: the nearest amount
    EXPECT_EQ(ToAmount(-kInf), -kMax);
    EXPECT_EQ(ToAmount(kNaN), 0);
    EXPECT_EQ(ToAmount(2.5), 2.5f);
    EXPECT_EQ(ToAmount(1e-50), 0);

    // The largest amount stands for 3.4028235E+38, the digits it shows.
    const double largest = AmountValue(kMax);
    EXPECT_EQ(largest, 3.4028235e38);
    EXPECT_EQ(AmountCost(0, kMax), 0);     // was NaN with an infinite unit count
    EXPECT_EQ(AmountCost(0, kInf), 0);
    EXPECT_EQ(AmountCost(2, kMax), largest);  // the product is clamped
    EXPECT_EQ(AmountCost(-2, kMax), -largest);
    EXPECT_EQ(MoneyMask(AmountCost(1, kMax)), MoneyMask(kMax));
    EXPECT_EQ(AmountCost(kNaN, 2), 0);
    EXPECT_EQ(AmountCost(1.25f, 2), 2.5);
    EXPECT_EQ(AmountCost(.335f, 3), .335 * 3);  // the product of the amounts as typed
    EXPECT_EQ(MoneyMask(AmountCost(.1f, 3)), ".30");
    EXPECT_EQ(ClampAmount(3.0 * kMax), largest);
    EXPECT_EQ(ClampAmount(std::nan("")), 0);
    EXPECT_EQ(AmountValue(kNaN), 0);
    EXPECT_EQ(AmountValue(2.675f), 2.675);
}

TEST(Amounts, NoTextShowsInfOrNaN) {
    for (const std::string& text : {MoneyMask(kInf), MoneyMask(-kInf), MoneyMask(kNaN),
                                    MoneyMask(static_cast<double>(kInf)), MoneyMask(std::nan("")),
                                    NumberToText(kInf), NumberToText(kNaN), ShortNumber(-kInf),
                                    NumberToText(std::nan(""))}) {
        EXPECT_EQ(text.find("Inf"), std::string::npos) << text;
        EXPECT_EQ(text.find("NaN"), std::string::npos) << text;
    }
    EXPECT_EQ(MoneyMask(kNaN), ".00");
    EXPECT_EQ(MoneyMask(kInf), "340282350000000000000000000000000000000.00");
    EXPECT_EQ(NumberToText(-kInf), "-3.402823E+38");
    EXPECT_EQ(NumberToText(kNaN), " 0");
}

TEST(RoundHalfEven, HalvesGoToEven) {
    EXPECT_EQ(RoundHalfEven(.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
}

}  // namespace
}  // namespace pantrium

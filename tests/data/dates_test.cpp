#include <limits>

#include <gtest/gtest.h>

#include "data/dates.h"

namespace pantrium {
namespace {

TEST(NormalizeDateText, ValidAndInvalidTexts) {
    const std::pair<const char*, const char*> valid[] = {
        {"3/7/2024", "03-07-24"},  {"3-7-24", "03-07-24"},    {"03/07/2024", "03-07-24"},
        {"1-1-2000", "01-01-00"},  {"1-1-0", "01-01-00"},     {"7-4", "07-04-00"},
        {"2-29-2000", "02-29-00"}, {"2-29-24", "02-29-24"},   {"12-31-2099", "12-31-99"},
        {"1-2-24-99", "01-02-24"}, {" 3/ 7/24x", "03-07-24"}, {"3-6.5-24", "03-06-24"},
        {"3-7.5-24", "03-08-24"}};
    for (auto [typed, normalized] : valid) {
        std::string text = typed;
        EXPECT_TRUE(NormalizeDateText(text)) << typed;
        EXPECT_EQ(text, normalized);
    }
    for (const char* bad : {"2-29-2023", "2-29-2100", "13-1-24", "0-1-24", "4-31-24", "4-0-24",
                            "12-31-1999", "1-1-2100", "5", "3.7.24", "", "1--24", "1-1-100",
                            "1e9-1-1", "x-y-z",
                            // Each field is a decimal number: &H, &B and & octal read none.
                            "&HC-1-24", "1-&H1F-24", "&B1-1-24", "1-&37-24"}) {
        std::string text = bad;
        EXPECT_FALSE(NormalizeDateText(text)) << bad;
        EXPECT_EQ(text, bad) << "an invalid text stays as it was";
    }
    EXPECT_EQ(DaysInMonth(2, 2024), 29);
    EXPECT_EQ(DaysInMonth(2, 2100), 28);
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
}

TEST(PackedDates, PackFormatAndDayNumbers) {
    EXPECT_EQ(PackDate("03-05-24"), 12389);
    EXPECT_EQ(FormatPackedDate(12389), "03-05-24");
    EXPECT_EQ(PackDate("03-15-24"), 0x306F);
    EXPECT_EQ(FormatPackedDate(0), "");
    EXPECT_EQ(FormatPackedDate(0xFFE0), "");  // day field 0 means no date
    EXPECT_EQ(FormatPackedDate(0xFFFF), "15-31-27");  // damaged fields still format

    EXPECT_EQ(DayNumber("01-01-00"), 2451545);
    EXPECT_EQ(DayNumber("03-01-24") - DayNumber("02-28-24"), 2);
    EXPECT_EQ(DayNumber("03-01-23") - DayNumber("02-28-23"), 1);
    EXPECT_EQ(DayNumber("01-01-24") - DayNumber("12-31-23"), 1);
    EXPECT_EQ(DayNumber("12-31-99") - DayNumber("01-01-00"), 36524);
    EXPECT_EQ(DayNumber("03-07-2024"), DayNumber("03-07-24"));
    EXPECT_EQ(DayNumberOf(PackDate("03-07-24")), DayNumber("03-07-24"));
    DayNumber("");  // texts it is not meant for give some number without failing
    DayNumberOf(0xFFFF);
}

TEST(TodayText, OverrideOrClock) {
    todayOverride = "03-07-2024";
    EXPECT_EQ(TodayText(), "03-07-2024");
    todayOverride.clear();
    std::string today = TodayText();
    ASSERT_EQ(today.size(), 10u);
    EXPECT_EQ(today.substr(6, 2), "20");
    EXPECT_TRUE(NormalizeDateText(today));
}

TEST(LastBuyText, LastLeadingEntryWithUnits) {
    ItemRecord rec;
    EXPECT_EQ(LastBuyText(rec), "");
    const float units[] = {2, 1.5f, 0, 3};  // recorded with 0 units: counting stops there
    for (int i = 0; i < 4; ++i) {
        rec.buyDate[i] = static_cast<PackedDate>(PackDate("01-01-24") + (i << 5));
        rec.buyUnits[i] = units[i];
    }
    EXPECT_EQ(LastBuyText(rec), "02-01-24");
    rec.buyUnits[2] = rec.buyUnits[4] = 1;
    rec.buyDate[4] = PackDate("05-05-24");
    EXPECT_EQ(LastBuyText(rec), "05-05-24");
    rec.buyUnits[0] = 0;
    EXPECT_EQ(LastBuyText(rec), "");
}

TEST(LastBuyText, DamagedUnitsCountAsZeroAndEndTheCount) {
    ItemRecord rec;
    rec.buyDate[0] = PackDate("01-01-24");
    rec.buyDate[1] = PackDate("01-11-24");
    rec.buyUnits[0] = 2;
    rec.buyUnits[1] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(LastBuyText(rec), "01-01-24");
    rec.buyUnits[0] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(LastBuyText(rec), "");
}

}  // namespace
}  // namespace pantrium

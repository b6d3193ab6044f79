#include <gtest/gtest.h>

#include "data/dates.h"

namespace pantrium {
namespace {

std::string Normalized(std::string text) {
    std::string before = text;
    if (!NormalizeDateText(text)) {
        EXPECT_EQ(text, before) << "an invalid text must stay as it was";
        return "invalid";
    }
    return text;
}

TEST(NormalizeDateText, AcceptedForms) {
    EXPECT_EQ(Normalized("3/7/2024"), "03-07-24");
    EXPECT_EQ(Normalized("3-7-24"), "03-07-24");
    EXPECT_EQ(Normalized("03/07/2024"), "03-07-24");
    EXPECT_EQ(Normalized("1-1-2000"), "01-01-00");
    EXPECT_EQ(Normalized("1-1-0"), "01-01-00");
    EXPECT_EQ(Normalized("7-4"), "07-04-00");
    EXPECT_EQ(Normalized("2-29-2000"), "02-29-00");
    EXPECT_EQ(Normalized("2-29-24"), "02-29-24");
    EXPECT_EQ(Normalized("12-31-2099"), "12-31-99");
    EXPECT_EQ(Normalized("1-2-24-99"), "01-02-24");  // extra fields ignored
    EXPECT_EQ(Normalized(" 3/ 7/24x"), "03-07-24");
    EXPECT_EQ(Normalized("3-6.5-24"), "03-06-24");  // halves to even
    EXPECT_EQ(Normalized("3-7.5-24"), "03-08-24");
}

TEST(NormalizeDateText, RejectedForms) {
    for (const char* bad : {"2-29-2023", "2-29-2100", "13-1-24", "0-1-24", "4-31-24", "4-0-24",
                            "12-31-1999", "1-1-2100", "5", "3.7.24", "", "--", "1--24",
                            "1-1-100", "1e9-1-1", "x-y-z"}) {
        EXPECT_EQ(Normalized(bad), "invalid") << bad;
    }
}

TEST(DaysInMonth, GregorianLengths) {
    EXPECT_EQ(DaysInMonth(1, 2024), 31);
    EXPECT_EQ(DaysInMonth(4, 2024), 30);
    EXPECT_EQ(DaysInMonth(2, 2024), 29);
    EXPECT_EQ(DaysInMonth(2, 2023), 28);
    EXPECT_EQ(DaysInMonth(2, 2100), 28);
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
}

TEST(PackedDates, PackAndFormat) {
    EXPECT_EQ(PackDate("03-05-24"), 12389);
    EXPECT_EQ(FormatPackedDate(12389), "03-05-24");
    EXPECT_EQ(FormatPackedDate(0), "");
    EXPECT_EQ(FormatPackedDate(0xFFE0), "");  // day field 0 means no date
    EXPECT_EQ(PackDate("03-15-24"), 0x306F);
    EXPECT_EQ(FormatPackedDate(PackDate("12-31-99")), "12-31-99");
    EXPECT_EQ(FormatPackedDate(PackDate("01-01-00")), "01-01-00");
    EXPECT_EQ(FormatPackedDate(0xFFFF), "15-31-27");  // damaged fields still format
}

TEST(DayNumber, Differences) {
    EXPECT_EQ(DayNumber("01-01-00"), 2451545);
    EXPECT_EQ(DayNumber("03-01-24") - DayNumber("02-28-24"), 2);
    EXPECT_EQ(DayNumber("03-01-23") - DayNumber("02-28-23"), 1);
    EXPECT_EQ(DayNumber("01-01-24") - DayNumber("12-31-23"), 1);
    EXPECT_EQ(DayNumber("03-07-2024"), DayNumber("03-07-24"));
    EXPECT_EQ(DayNumber("03-01-00") - DayNumber("02-28-00"), 2);
    EXPECT_EQ(DayNumber("12-31-99") - DayNumber("01-01-00"), 36524);
    EXPECT_EQ(DayNumberOf(PackDate("03-07-24")), DayNumber("03-07-24"));
    // Texts it is not meant for give some number, without failing.
    DayNumber("");
    DayNumber("x");
    DayNumberOf(0xFFFF);
}

TEST(TodayText, OverrideAndClockForm) {
    todayOverride = "03-07-2024";
    EXPECT_EQ(TodayText(), "03-07-2024");
    todayOverride.clear();
    std::string today = TodayText();
    ASSERT_EQ(today.size(), 10u);
    EXPECT_EQ(today[2], '-');
    EXPECT_EQ(today[5], '-');
    EXPECT_EQ(today.substr(6, 2), "20");
    std::string normalized = today;
    EXPECT_TRUE(NormalizeDateText(normalized));
}

TEST(LastBuyText, LastLeadingEntryWithUnits) {
    ItemRecord rec;
    EXPECT_EQ(LastBuyText(rec), "");
    rec.buyDate[0] = PackDate("01-01-24");
    rec.buyUnits[0] = 2;
    rec.buyDate[1] = PackDate("02-01-24");
    rec.buyUnits[1] = 1.5f;
    EXPECT_EQ(LastBuyText(rec), "02-01-24");
    rec.buyDate[2] = PackDate("03-01-24");
    rec.buyUnits[2] = 0;  // recorded with 0 units: counting stops here
    rec.buyDate[3] = PackDate("04-01-24");
    rec.buyUnits[3] = 3;
    EXPECT_EQ(LastBuyText(rec), "02-01-24");
    rec.buyUnits[0] = 0;
    EXPECT_EQ(LastBuyText(rec), "");
    for (int i = 0; i < kHistorySlots; ++i) {
        rec.buyDate[i] = static_cast<PackedDate>(PackDate("05-01-24") + i);
        rec.buyUnits[i] = 1;
    }
    EXPECT_EQ(LastBuyText(rec), "05-05-24");
}

}  // namespace
}  // namespace pantrium

// The units history report and its view from the main window.
#include <gtest/gtest.h>

#include <sstream>

#include "data/auto_list.h"
#include "data/number_text.h"
#include "dialogs_test_support.h"
#include "ui/main/units_history.h"

namespace pantrium::test {
namespace {

using script::Then;

const std::string kHeader = "  Date            Units\r\n\r\n";

class UnitsHistoryTest : public UiTest {};

// The report's purchase lines: everything before the blank line that comes
// ahead of the auto list's reasoning.
std::string Report(const std::string& text) {
    const std::size_t end = text.rfind("\r\n\r\nAuto list: ");
    return end == std::string::npos ? text : text.substr(0, end + 2);
}

// The reasoning paragraph at the end of the view, its lines joined again.
std::string Reasoning(const std::string& text) {
    const std::size_t start = text.rfind("Auto list: ");
    if (start == std::string::npos) return "";
    std::string joined;
    std::istringstream lines(text.substr(start));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        joined += (joined.empty() ? "" : " ") + line;
    }
    return joined;
}

TEST_F(UnitsHistoryTest, ReportLinesEndTheUnitsTwentyCharactersIn) {
    // Today is 03-29-24: 1.5 units in 14 days, 10 days since the last purchase.
    const int k = PutItem({"Milk", "gallon", 3, 0, 0, 0, {{"3-5-24", 2}, {"3-19-24", 1.5f}}});
    EXPECT_EQ(UnitsHistoryText(k),
              kHeader + "03-05-24        2.00\r\n03-19-24        1.50\r\n\r\n"
                        "Auto list: bought every 14 days,\r\n"
                        "about 1.50 units each time; last\r\n"
                        "bought 10 days ago: it proposes 1.07\r\n"
                        "units.\r\n");

    // Units of twelve characters or more follow the date without blanks (every
    // digit of the amount).
    const int big = PutItem({"Rice", "bag", 1, 0, 0, 0,
                             {{"1-2-24", 123456792.0f}, {"1-3-24", 12.5f}, {"1-4-24", 0}}});
    EXPECT_EQ(Report(UnitsHistoryText(big)),
              kHeader + "01-02-24123456792.00\r\n01-03-24       12.50\r\n01-04-24         .00\r\n");
}

TEST_F(UnitsHistoryTest, SpecialNeverBoughtAndGapsInTheHistory) {
    const int special = PutItem({"Cake", "each", 9, 0, kSpecialBuy, 1, {{"3-5-24", 2}}});
    EXPECT_EQ(UnitsHistoryText(special),
              "No history\r\n\r\nAuto list: a one-time buy keeps no\r\nhistory, it proposes nothing.\r\n");

    const int never = PutItem({"Salt", "box", 1});
    EXPECT_EQ(Report(UnitsHistoryText(never)), kHeader);

    // Slot 2 without a date ends the history, whatever follows.
    const int gap = PutItem({"Tea", "box", 2, 0, 0, 0, {{"3-5-24", 1}, {"3-6-24", 2}, {"3-7-24", 3}}});
    itemTable.records[gap].buyDate[1] = 0;
    EXPECT_EQ(Report(UnitsHistoryText(gap)), kHeader + "03-05-24        1.00\r\n");
}

TEST_F(UnitsHistoryTest, BuyingHistoryShowsTheSelectedRowInTheMessageBox) {
    TempDir dir;
    PutItem({"Bread", "loaf", 2, 0, 0, 0, {{"3-1-24", 1}}});
    PutItem({"Milk", "gallon", 3, 0, 0, 0, {{"3-5-24", 2}, {"3-19-24", 1.5f}}});
    WriteListFile("my Pantrium.ptm");

    script::SelectRow(kItemList, 1);
    script::ChooseMenu(kCmdBuyingHistory);
    Then([&] {
        const plat::Window box = script::ActiveDialog();
        EXPECT_EQ(plat::GetCaption(box), "Units History");
        const std::string text = plat::GetText(box, 9990);
        EXPECT_EQ(Report(text), kHeader + "03-05-24        2.00\r\n03-19-24        1.50\r\n");
        EXPECT_EQ(Reasoning(text), "Auto list: bought every 14 days, about 1.50 units each time; "
                                   "last bought 10 days ago: it proposes 1.07 units.");
        EXPECT_EQ(drivers::ControlIcon(box, 9995), plat::SystemIcon::Information);
    });
    script::Click(9994);
    script::KeyDown(plat::kVkEscape);
    RunMainWindow(ui);
    EXPECT_EQ(DialogCaptions(), (std::vector<std::string>{"Pantrium", "Units History"}));
    EXPECT_FALSE(itemTable.modified);
}

// The reasoning of the worked auto-list examples names the figures the auto
// list works from, and the units it proposes are the units it then puts on
// the list.
TEST_F(UnitsHistoryTest, ReasoningOfAProposalMatchesWhatTheAutoListDoes) {
    struct Case {
        const char* today;
        std::vector<std::pair<std::string, float>> history;
        const char* reasoning;
        float proposal;
    };
    const Case cases[] = {
        {"01-31-2024", {{"1-1-24", 2}, {"1-11-24", 3}, {"1-21-24", 2}},
         "Auto list: bought every 10 days, about 2.50 units each time; last bought 10 days ago: "
         "it proposes 2.50 units.", 2.5f},
        {"03-29-2024", {{"3-1-24", 4}, {"3-15-24", 4}},
         "Auto list: bought every 14 days, about 4.00 units each time; last bought 14 days ago: "
         "it proposes 4.00 units.", 4.0f},
        // Unequal intervals: the rate runs from the first purchase to the last
        // (7 units in 21 days); the first purchase's units play no part.
        {"02-02-2024", {{"1-1-24", 1}, {"1-11-24", 3}, {"1-15-24", 3}, {"1-22-24", 1}},
         "Auto list: bought every 7 days, about 2.33 units each time; last bought 11 days ago: "
         "it proposes 3.67 units.", 7.0f / 21 * 11},
        {"01-10-2024", {{"1-1-24", 1}, {"1-3-24", 1}, {"1-4-24", 1}},
         "Auto list: bought every 1.5 days, about 1.00 units each time; last bought 6 days ago: "
         "it proposes 4.00 units.", 4.0f},
        {"01-21-2024", {{"1-1-24", 5}, {"1-11-24", 1}},
         "Auto list: bought every 10 days, about 1.00 units each time; last bought 10 days ago: "
         "it proposes 1.00 units.", 1.0f},  // exactly one is taken
        {"01-04-2024", {{"1-1-24", 5}, {"1-3-24", 1}},
         "Auto list: bought every 2 days, about 1.00 units each time; last bought 1 day ago: "
         ".50 units used up, less than one: it proposes nothing yet.", 0},  // under one: not taken
    };
    for (const Case& c : cases) {
        ClearTable();
        todayOverride = c.today;
        const int k = PutItem({"Tea", "box", 2, 0, 0, 0, c.history});
        const std::string text = UnitsHistoryText(k);
        SCOPED_TRACE(text);
        EXPECT_EQ(Reasoning(text), c.reasoning);
        if (c.proposal != 0) {
            ASSERT_TRUE(RunAutoList());
            EXPECT_FLOAT_EQ(itemTable.records[k].unitsToBuy, c.proposal);
            EXPECT_EQ(MoneyMask(itemTable.records[k].unitsToBuy), MoneyMask(c.proposal));
            // On the list now: the view says so and proposes nothing more.
            EXPECT_NE(Reasoning(UnitsHistoryText(k)).find(". Already on the list, it proposes nothing."),
                      std::string::npos);
        } else {
            EXPECT_FALSE(RunAutoList());
            EXPECT_EQ(itemTable.records[k].unitsToBuy, 0);
        }
    }
}

// Every reason the auto list proposes nothing, each in the view of an item
// the auto list then leaves alone.
TEST_F(UnitsHistoryTest, ReasoningNamesWhyNothingIsProposed) {
    struct Case {
        ItemSpec item;
        AutoListOutcome outcome;
        const char* reasoning;
    };
    const Case cases[] = {  // today is 03-29-24
        {{"Salt", "box", 1}, AutoListOutcome::TooFewPurchases,
         "Auto list: never bought, it proposes nothing (it needs two purchases on different days)."},
        {{"Salt", "box", 1, 0, 0, 0, {{"3-1-24", 2}}}, AutoListOutcome::TooFewPurchases,
         "Auto list: bought once, it proposes nothing (it needs two purchases on different days)."},
        {{"Salt", "box", 1, 0, 0, 0, {{"3-1-24", 2}, {"3-8-24", 0}, {"3-15-24", 2}}},
         AutoListOutcome::TooFewPurchases,
         "Auto list: counts 1 purchase (a purchase of no units ends the history it counts), it "
         "proposes nothing (it needs two purchases on different days)."},
        {{"Salt", "box", 1, 0, 0, 0, {{"3-1-24", 2}, {"3-1-24", 3}}}, AutoListOutcome::OneDay,
         "Auto list: first and last purchase on one day, it proposes nothing (it needs two "
         "purchases on different days)."},
        {{"Salt", "box", 1, 0, 0, 0, {{"3-1-24", 2}, {"3-29-24", 3}}}, AutoListOutcome::BoughtToday,
         "Auto list: bought every 28 days, about 3.00 units each time; last bought today: it "
         "proposes nothing yet."},
        {{"Salt", "box", 1, 0, 0, 0, {{"3-1-24", 2}, {"4-3-24", 3}}}, AutoListOutcome::LastBuyAfterToday,
         "Auto list: bought every 33 days, about 3.00 units each time; last bought 5 days after "
         "today: it proposes nothing yet."},
        {{"Salt", "box", 1, 0, 0, 0, {{"1-1-24", 2}, {"3-1-24", 1}}}, AutoListOutcome::LessThanOne,
         "Auto list: bought every 60 days, about 1.00 units each time; last bought 28 days ago: "
         ".47 units used up, less than one: it proposes nothing yet."},
        {{"Salt", "box", 1, 0, kToBuy, 1.5f, {{"3-1-24", 2}, {"3-15-24", 3}}}, AutoListOutcome::OnTheList,
         "Auto list: bought every 14 days, about 3.00 units each time; last bought 14 days ago. "
         "Already on the list, it proposes nothing."},
        {{"Salt", "box", 1, 0, kToBuy, 2}, AutoListOutcome::OnTheList,
         "Auto list: already on the list, it proposes nothing."},
        {{"Cake", "each", 9, 0, kSpecialBuy | kToBuy, 1}, AutoListOutcome::OnTheList,
         "Auto list: a one-time buy keeps no history, it proposes nothing."},
        {{"Cake", "each", 9, 0, kSpecialBuy}, AutoListOutcome::TooFewPurchases,
         "Auto list: a one-time buy keeps no history, it proposes nothing."},
    };
    for (const Case& c : cases) {
        ClearTable();
        const int k = PutItem(c.item);
        const std::string text = UnitsHistoryText(k);
        SCOPED_TRACE(text);
        EXPECT_EQ(AutoListReasoningOf(k).outcome, c.outcome);
        EXPECT_EQ(Reasoning(text), c.reasoning);
        const ItemRecord before = itemTable.records[k];
        EXPECT_FALSE(RunAutoList());
        EXPECT_EQ(itemTable.records[k].unitsToBuy, before.unitsToBuy);
        EXPECT_EQ(itemTable.records[k].flags, before.flags);
    }
}

// The message box is as wide as its widest line: the reasoning comes in
// short lines, each ending in CR LF, a blank line below the purchases.
TEST_F(UnitsHistoryTest, ReasoningIsWrappedIntoShortLines) {
    const int k = PutItem({"Coffee beans", "bag", 9, 0, 0, 0,
                           {{"1-1-24", 123456.5f}, {"1-2-24", 123456.5f}, {"1-3-24", 0.25f}}});
    const std::string text = UnitsHistoryText(k);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_NE(text.find("01-03-24         .25\r\n\r\nAuto list: "), std::string::npos) << text;
    std::istringstream lines(text.substr(text.find("Auto list: ")));
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r');
        EXPECT_LE(line.size() - 1, 36u) << line;
        EXPECT_NE(line[0], ' ') << line;
    }
    EXPECT_GE(count, 3);
    // Nothing is lost by the wrapping.
    EXPECT_NE(Reasoning(text).find("about 61728.38 units each time; last bought 86 days ago: it proposes "
                                   "5308640.00 units."),
              std::string::npos)
        << Reasoning(text);
}

TEST_F(UnitsHistoryTest, EmptyListShowsNothing) {
    TempDir dir;
    script::ChooseMenu(kCmdBuyingHistory);
    script::ChooseMenu(kCmdChangeItem);
    script::KeyDown(plat::kVkEscape);
    RunMainWindow(ui);
    EXPECT_EQ(DialogCaptions(), (std::vector<std::string>{"Pantrium"}));
}

}  // namespace
}  // namespace pantrium::test

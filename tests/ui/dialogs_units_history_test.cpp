// The units history report and its view from the main window.
#include <gtest/gtest.h>

#include "dialogs_test_support.h"
#include "ui/main/units_history.h"

namespace pantrium::test {
namespace {

using script::Then;

const std::string kHeader = "  Date            Units\r\n\r\n";

class UnitsHistoryTest : public UiTest {};

TEST_F(UnitsHistoryTest, ReportLinesEndTheUnitsTwentyCharactersIn) {
    const int k = PutItem({"Milk", "gallon", 3, 0, 0, 0, {{"3-5-24", 2}, {"3-19-24", 1.5f}}});
    EXPECT_EQ(UnitsHistoryText(k),
              kHeader + "03-05-24        2.00\r\n03-19-24        1.50\r\n");

    // Units of twelve characters or more follow the date without blanks (every
    // digit of the amount).
    const int big = PutItem({"Rice", "bag", 1, 0, 0, 0,
                             {{"1-2-24", 123456792.0f}, {"1-3-24", 12.5f}, {"1-4-24", 0}}});
    EXPECT_EQ(UnitsHistoryText(big),
              kHeader + "01-02-24123456792.00\r\n01-03-24       12.50\r\n01-04-24         .00\r\n");
}

TEST_F(UnitsHistoryTest, SpecialNeverBoughtAndGapsInTheHistory) {
    const int special = PutItem({"Cake", "each", 9, 0, kSpecialBuy, 1, {{"3-5-24", 2}}});
    EXPECT_EQ(UnitsHistoryText(special), "No history");

    const int never = PutItem({"Salt", "box", 1});
    EXPECT_EQ(UnitsHistoryText(never), kHeader);

    // Slot 2 without a date ends the history, whatever follows.
    const int gap = PutItem({"Tea", "box", 2, 0, 0, 0, {{"3-5-24", 1}, {"3-6-24", 2}, {"3-7-24", 3}}});
    itemTable.records[gap].buyDate[1] = 0;
    EXPECT_EQ(UnitsHistoryText(gap), kHeader + "03-05-24        1.00\r\n");
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
        EXPECT_EQ(plat::GetText(box, 9990), kHeader + "03-05-24        2.00\r\n03-19-24        1.50\r\n");
        EXPECT_EQ(drivers::ControlIcon(box, 9995), plat::SystemIcon::Information);
    });
    script::Click(9994);
    script::KeyDown(plat::kVkEscape);
    RunMainWindow(ui);
    EXPECT_EQ(DialogCaptions(), (std::vector<std::string>{"Pantrium", "Units History"}));
    EXPECT_FALSE(itemTable.modified);
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

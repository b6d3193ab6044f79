// The item list, the units box and the status line, driven by the scripted user.
#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

class MainItemList : public MainWindowTest {};

TEST_F(MainItemList, RowsShowUnitsAndCostOnlyForCheckedItemsAndTotalsCountThem) {
    WriteStartList({{0, "Bread", "loaf", 1.25f, 2, kToBuy},
                    {0, "Cheese", "  block ", 2, 3, kToBuy | kAutoListed},
                    {0, "Dates", "box", 4, 5, 0},  // units without the check mark
                    {0, "Eggs", "dozen", 0, 1, kToBuy},
                    {0, "Figs", "bag", 9, 0, kAutoListed}});  // auto-listed, not to buy
    Then([&] {
        EXPECT_EQ(Row(0), "\tx\tBread\tloaf\t\t2.00\t2.50");
        EXPECT_EQ(Row(1), "\tX\tCheese\tblock\t\t3.00\t6.00");
        EXPECT_EQ(Row(2), "\t\tDates\tbox\t");
        EXPECT_EQ(Row(3), "\tx\tEggs\tdozen\t\t1.00");  // price 0: no cost column
        EXPECT_EQ(Row(4), "\t\tFigs\tbag\t");
        EXPECT_EQ(itemTable.itemsToBuy, 3);
        EXPECT_EQ(Status(2), "Items to buy:  3");
        EXPECT_EQ(Status(3), "Total cost: 8.50");
    });
    Quit();
    Run();
}

// The row's cost and the total are double-precision products of the stored
// singles: 0.335f x 3 is 1.00500002... and shows 1.01 (the printed list's
// single-precision product prints 1.00).
TEST_F(MainItemList, CostAndTotalAreDoubleProductsOfTheStoredSingles) {
    WriteStartList({{0, "Olives", "jar", 0.335f, 3, kToBuy}});
    Then([&] {
        EXPECT_EQ(Row(0), "\tx\tOlives\tjar\t\t3.00\t1.01");
        EXPECT_EQ(Status(3), "Total cost: 1.01");
    });
    Quit();
    Run();
}

TEST_F(MainItemList, RowTextKeepsInnerBlanksAndDropsThePadding) {
    WriteStartList({{0, "  Oat  milk", "                    ", 1, 0, 0},
                    {0, "Twenty characters!!!", "x", 1, 0, 0}});
    Then([&] {
        EXPECT_EQ(Row(0), "\t\tOat  milk\t\t");
        EXPECT_EQ(Row(1), "\t\tTwenty characters!!!\tx\t");
    });
    Quit();
    Run();
}

TEST_F(MainItemList, TypedUnitsApplyKeystrokeByKeystroke) {
    WriteStartList({{0, "Bread", "loaf", 1.5f, 0, 0}, {0, "Milk", "gallon", 2, 0, 0}});
    script::SelectRow(kItemList, 1);
    script::Focus(kUnitsBox);
    Then([&] {
        EXPECT_EQ(ui.unitsEditArmed, 1);
        EXPECT_TRUE(ui.unitsBoxInUse);
        EXPECT_FALSE(plat::IsVisible(ui.mainWindow, kFocusFrame));
    });
    script::Type("1");
    Then([&] {
        EXPECT_EQ(RecordOfRow(2).unitsToBuy, 1);
        EXPECT_TRUE(itemTable.modified);
        EXPECT_EQ(Row(1), "\tx\tMilk\tgallon\t\t1.00\t2.00");
    });
    script::Type("2");
    Then([&] {
        EXPECT_EQ(RecordOfRow(2).unitsToBuy, 12);
        EXPECT_TRUE(RecordOfRow(2).toBuy());
        EXPECT_EQ(UnitsText(), "12");  // the box keeps what the user typed
        EXPECT_EQ(Status(3), "Total cost: 24.00");
        EXPECT_EQ(Selection(), 1);
    });
    script::ClearEdit();
    Then([&] {
        EXPECT_FALSE(RecordOfRow(2).toBuy());
        EXPECT_EQ(RecordOfRow(2).unitsToBuy, 0);
        EXPECT_EQ(Row(1), "\t\tMilk\tgallon\t");
        EXPECT_EQ(Status(2), "Items to buy:  0");
    });
    script::Type("abc");  // no number: checked with 0 units
    Then([&] {
        EXPECT_TRUE(RecordOfRow(2).toBuy());
        EXPECT_EQ(RecordOfRow(2).unitsToBuy, 0);
        EXPECT_EQ(Row(1), "\tx\tMilk\tgallon\t");
    });
    Quit();
    Run();
}

TEST_F(MainItemList, RetypingTheSameWholeUnitsDoesNotMarkTheListModified) {
    WriteStartList({{0, "Bread", "loaf", 1, 2, kToBuy | kAutoListed}});
    script::Focus(kUnitsBox);
    script::ClearEdit();
    Then([&] { itemTable.modified = false; });
    script::Type("0");  // 0 against the rounded 0 after clearing
    Then([&] {
        EXPECT_FALSE(itemTable.modified);
        EXPECT_TRUE(RecordOfRow(1).toBuy());
        EXPECT_FALSE(RecordOfRow(1).autoListed());
    });
    Quit();
    Run();
}

TEST_F(MainItemList, StateOfTheUnitsBoxFollowsFocusSelectionAndRefresh) {
    WriteStartList({{0, "Bread", "loaf", 1, 0.5f, kToBuy}, {0, "Milk", "gallon", 2, 0, 0}});
    Then([&] {
        // Start-up ended with the list's focus gain.
        EXPECT_EQ(ui.unitsEditArmed, -1);
        EXPECT_FALSE(ui.unitsBoxInUse);
        EXPECT_EQ(UnitsText(), ".50");
        RefreshItemList(ui, 0);
        EXPECT_EQ(ui.unitsEditArmed, 0);  // the refresh wrote the box through ShowRowUnits
        EXPECT_EQ(UnitsText(), ".5");
        EXPECT_EQ(Row(0), "\tx\tBread\tloaf\t\t.50\t.50");
    });
    script::Focus(kUnitsBox);
    Then([&] {
        EXPECT_EQ(ui.unitsEditArmed, 1);
        EXPECT_TRUE(ui.unitsBoxInUse);
        RefreshItemList(ui, 0);  // leaves a box in use alone
        EXPECT_EQ(ui.unitsEditArmed, 1);
        EXPECT_EQ(UnitsText(), ".5");
    });
    script::Focus(kItemList);
    Then([&] {
        EXPECT_EQ(ui.unitsEditArmed, -1);
        EXPECT_FALSE(ui.unitsBoxInUse);
        EXPECT_TRUE(plat::IsVisible(ui.mainWindow, kFocusFrame));
    });
    script::Focus(kUnitsBox);
    script::SelectRow(kItemList, 1);
    Then([&] {
        EXPECT_EQ(ui.unitsEditArmed, -1);
        EXPECT_FALSE(ui.unitsBoxInUse);
        EXPECT_EQ(UnitsText(), "");
        EXPECT_EQ(RecordOfRow(1).unitsToBuy, 0.5f);  // the box writes did not change the items
        EXPECT_FALSE(itemTable.modified);
    });
    Quit();
    Run();
}

TEST_F(MainItemList, EnterAndArrowReleasesInTheUnitsBoxMoveAndReturnToTheList) {
    WriteStartList({{0, "A", "", 1, 2, kToBuy}, {0, "B", "", 1, 0, 0}, {0, "C", "", 1, 3, kToBuy}});
    script::Focus(kUnitsBox);
    script::Press(plat::kVkUp);  // row 1 stays row 1
    Then([&] {
        EXPECT_EQ(Selection(), 0);
        EXPECT_EQ(plat::GetFocus(ui.mainWindow), kItemList);
        EXPECT_EQ(UnitsText(), "2.00");
        EXPECT_FALSE(ui.unitsBoxInUse);
    });
    script::Focus(kUnitsBox);
    script::Press(plat::kVkDown);
    script::Focus(kUnitsBox);
    script::Press(plat::kVkDown);
    script::Focus(kUnitsBox);
    script::Press(plat::kVkDown);  // the last row stays the last row
    Then([&] {
        EXPECT_EQ(Selection(), 2);
        EXPECT_EQ(UnitsText(), "3.00");
    });
    script::Focus(kUnitsBox);
    script::Press(plat::kVkReturn);
    Then([&] {
        EXPECT_EQ(Selection(), 2);
        EXPECT_EQ(plat::GetFocus(ui.mainWindow), kItemList);
        EXPECT_EQ(ui.unitsEditArmed, -1);
        EXPECT_TRUE(RecordOfRow(3).toBuy());  // Enter in the box toggles nothing
        EXPECT_FALSE(itemTable.modified);
    });
    Quit();
    Run();
}

TEST_F(MainItemList, EnterReleaseAndDoubleClickToggleUnlessTheEnterIsIgnored) {
    WriteStartList({{0, "Bread", "loaf", 2, 0, 0}, {0, "Milk", "gallon", 2, 0, 0}});
    script::Press(plat::kVkReturn);
    Then([&] {
        EXPECT_TRUE(RecordOfRow(1).toBuy());
        EXPECT_EQ(RecordOfRow(1).unitsToBuy, 1);
        EXPECT_EQ(UnitsText(), " 1");
        EXPECT_EQ(plat::GetFocus(ui.mainWindow), kUnitsBox);  // ready to type the units
        EXPECT_EQ(drivers::EditSelection(ui.mainWindow, kUnitsBox), (std::pair{0, 2}));
        EXPECT_TRUE(itemTable.modified);
        ui.ignoreEnterRelease = true;  // as a dialog closed with Enter leaves it
    });
    script::Focus(kItemList);
    script::Press(plat::kVkReturn);
    Then([&] {
        EXPECT_TRUE(RecordOfRow(1).toBuy());
        EXPECT_FALSE(ui.ignoreEnterRelease);
    });
    script::Press(plat::kVkReturn);
    Then([&] {
        EXPECT_FALSE(RecordOfRow(1).toBuy());
        EXPECT_EQ(UnitsText(), "");
        EXPECT_EQ(plat::GetFocus(ui.mainWindow), kItemList);
    });
    script::DoubleClickRow(kItemList, 1);
    Then([&] {
        EXPECT_EQ(Row(1), "\tx\tMilk\tgallon\t\t1.00\t2.00");
        EXPECT_EQ(Status(2), "Items to buy:  1");
    });
    Quit();
    Run();
}

// Four items, three checked; the counts and the modified flag must survive
// every Enter whose press went to a prompt or a dialog.
TEST_F(MainItemList, OnlyAnEnterPressedAndReleasedInTheListTogglesARow) {
    WriteStartList({{0, "Apples", "bag", 1.25f, 2, kToBuy},
                    {0, "Bread", "loaf", 2, 1, kToBuy},
                    {0, "Coffee", "jar", 4.5f, 1, kToBuy},
                    {0, "Dates", "box", 3, 0, 0}});
    auto unchanged = [&] {
        EXPECT_EQ(Status(2), "Items to buy:  3");
        EXPECT_EQ(Status(3), "Total cost: 9.00");
        EXPECT_TRUE(RecordOfRow(1).toBuy());
        EXPECT_FALSE(itemTable.modified);
        EXPECT_FALSE(ui.enterPressedInList);
    };
    // "Save file now?" answered with Enter: its release comes to the list alone.
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdSave);
    script::KeyUp(plat::kVkReturn);
    Then(unchanged);
    // The same after the save dialog and after a notice closed with Enter.
    script::AnswerFileDialog(true, (dir / "copy.ptm").string());
    script::ChooseMenu(kCmdSaveAs);
    script::KeyUp(plat::kVkReturn);
    script::AnswerPrompt(7);
    script::AnswerPrompt(1);
    script::ChooseMenu(kCmdCheckOut);
    script::KeyUp(plat::kVkReturn);
    Then(unchanged);
    // A press whose release went elsewhere does not count later.
    script::KeyDown(plat::kVkReturn);
    script::Focus(kUnitsBox);
    script::Focus(kItemList);
    script::KeyUp(plat::kVkReturn);
    Then(unchanged);
    // A whole key stroke in the list toggles the selected row.
    script::Press(plat::kVkReturn);
    Then([&] {
        EXPECT_EQ(Status(2), "Items to buy:  2");
        EXPECT_FALSE(RecordOfRow(1).toBuy());
        EXPECT_TRUE(itemTable.modified);
    });
    Quit();
    Run();
    EXPECT_EQ(script::Prompts()[0].text, "Save file now?");
}

TEST_F(MainItemList, DoubleClickBelowTheLastRowTogglesNothing) {
    WriteStartList({{0, "Bread", "loaf", 2, 1, kToBuy}, {0, "Milk", "gallon", 2, 0, 0}});
    script::SelectRow(kItemList, 0);
    script::DoubleClickBelowRows(kItemList);
    Then([&] {
        EXPECT_TRUE(RecordOfRow(1).toBuy());
        EXPECT_EQ(Selection(), 0);
        EXPECT_EQ(Status(2), "Items to buy:  1");
        EXPECT_FALSE(itemTable.modified);
    });
    script::DoubleClickRow(kItemList, 1);
    Then([&] {
        EXPECT_TRUE(RecordOfRow(2).toBuy());
        EXPECT_EQ(Status(2), "Items to buy:  2");
    });
    Quit();
    Run();
}

TEST_F(MainItemList, ToggleCycleOfAnAutoListedItem) {
    WriteStartList({{0, "Rice", "bag", 1, 2.7f, kToBuy | kAutoListed},
                    {0, "Salt", "box", 1, 0, kAutoListed}});
    auto toggle = [&] {
        script::Focus(kItemList);
        script::Press(plat::kVkReturn);
    };
    toggle();
    Then([&] {
        EXPECT_EQ(Row(0), "\tx\tRice\tbag\t\t2.70\t2.70");
        EXPECT_EQ(UnitsText(), " 3");  // the box shows whole units
        EXPECT_EQ(RecordOfRow(1).unitsToBuy, 2.7f);  // and did not round the item's units
    });
    toggle();
    Then([&] { EXPECT_EQ(Row(0), "\t\tRice\tbag\t"); });
    toggle();
    Then([&] { EXPECT_EQ(Row(0), "\tx\tRice\tbag\t\t1.00\t1.00"); });
    // Auto-listed without the buy mark: the first toggle only clears the mark.
    script::SelectRow(kItemList, 1);
    script::Press(plat::kVkReturn);
    Then([&] {
        EXPECT_FALSE(RecordOfRow(2).autoListed());
        EXPECT_FALSE(RecordOfRow(2).toBuy());
    });
    script::Press(plat::kVkReturn);
    Then([&] { EXPECT_EQ(Row(1), "\tx\tSalt\tbox\t\t1.00\t1.00"); });
    Quit();
    Run();
}

TEST_F(MainItemList, EmptyListIgnoresTogglesTypingAndKeys) {
    script::Press(plat::kVkReturn);
    script::Focus(kUnitsBox);
    script::Type("5");
    script::Press(plat::kVkDown);
    Then([&] {
        EXPECT_EQ(itemTable.itemCount, 0);
        EXPECT_FALSE(itemTable.modified);
        EXPECT_EQ(plat::GetFocus(ui.mainWindow), kItemList);
        EXPECT_EQ(Status(0), "Catg: ");
        EXPECT_EQ(Status(2), "Items to buy:  0");
    });
    Quit();
    Run();
}

TEST_F(MainItemList, FitTextToWidthCutsWithoutEllipsis) {
    Then([&] {
        // Dialog font: 6 px for most letters, 3 px for i.
        EXPECT_EQ(FitTextToWidth(ui.mainWindow, kUnitsBox, "abcdef", 20), "abc");
        EXPECT_EQ(FitTextToWidth(ui.mainWindow, kUnitsBox, "iiii", 12), "iiii");
        EXPECT_EQ(FitTextToWidth(ui.mainWindow, kUnitsBox, std::string(300, 'i'), 10000).size(), 255u);
    });
    Quit();
    Run();
}

}  // namespace
}  // namespace pantrium::testing

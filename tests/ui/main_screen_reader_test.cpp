// What a screen reader is told about the main window and the item editor:
// names of the controls, the rows as words with their check marks, the status
// parts, and a row's words following its changes. Read through the window
// layer, so each layer's own accessibility answers are what is checked.
#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

class ScreenReader : public MainWindowTest {
protected:
    plat::EntrySpeech RowSpeech(int entry) const { return plat::AccessibleText(ui.mainWindow, kItemList, entry); }
    std::string NameOf(int id) const { return plat::AccessibleText(ui.mainWindow, id).words; }
};

TEST_F(ScreenReader, RowsReadAsTheirColumnsInWordsWithTheBuyMarkAsCheck) {
    WriteStartList({{0, "Batteries", "4-pack", 6, 1, kToBuy},
                    {0, "Cheese", "block", 2, 2.5f, kToBuy | kAutoListed, Packed(3, 14, 2026), 1},
                    {0, "Dates", "", 4, 5, 0},       // units without the mark are not read
                    {0, "Eggs", "dozen", 0, 0.5f, kToBuy}});  // no price: no cost
    Then([&] {
        EXPECT_EQ(NameOf(kItemList), "Grocery items");
        const plat::EntrySpeech batteries = RowSpeech(0);
        EXPECT_EQ(batteries.words, "Batteries, 4-pack, to buy, 1 unit, 6.00");
        EXPECT_EQ(batteries.checked, 1);
        const plat::EntrySpeech cheese = RowSpeech(1);
        EXPECT_EQ(cheese.words, "Cheese, block, to buy, auto list, last buy 03-14-26, 2.5 units, 5.00");
        EXPECT_EQ(cheese.checked, 1);
        const plat::EntrySpeech dates = RowSpeech(2);
        EXPECT_EQ(dates.words, "Dates");
        EXPECT_EQ(dates.checked, 0);
        EXPECT_EQ(RowSpeech(3).words, "Eggs, dozen, to buy, .5 units");
        EXPECT_EQ(RowSpeech(4).words, "");  // past the last row
    });
    Quit();
    Run();
}

TEST_F(ScreenReader, ARowsWordsAndCheckFollowItsChanges) {
    WriteStartList({{0, "Bread", "loaf", 1.5f, 0, 0}, {0, "Milk", "gallon", 2, 0, 0}});
    script::SelectRow(kItemList, 1);
    script::DoubleClickRow(kItemList, 1);
    Then([&] {
        EXPECT_EQ(RowSpeech(1).words, "Milk, gallon, to buy, 1 unit, 2.00");
        EXPECT_EQ(RowSpeech(1).checked, 1);
        EXPECT_EQ(RowSpeech(0).checked, 0);  // the other row stays as it was
    });
    script::Type("3");  // the focus went to the units box: typing replaces its text
    Then([&] {
        EXPECT_EQ(RowSpeech(1).words, "Milk, gallon, to buy, 3 units, 6.00");
        EXPECT_EQ(plat::AccessibleText(ui.mainWindow, kStatusBar, 2).words, "Items to buy:  1");
        EXPECT_EQ(plat::AccessibleText(ui.mainWindow, kStatusBar, 3).words, "Total cost: 6.00");
    });
    script::ClearEdit();
    Then([&] {
        EXPECT_EQ(RowSpeech(1).words, "Milk, gallon");
        EXPECT_EQ(RowSpeech(1).checked, 0);
    });
    Quit();
    Run();
}

TEST_F(ScreenReader, ControlsAreNamedAndTheHiddenHelperButtonIsNotOffered) {
    WriteStartList({{1, "Soap", "bar", 1, 0, kSpecialBuy}}, {"household"});
    Then([&] {
        EXPECT_EQ(NameOf(kUnitsBox), "Units to buy");
        EXPECT_EQ(NameOf(kNewItemButton), "New Item");  // without the mnemonic mark
        // The category name as the list file keeps it, padded.
        EXPECT_EQ(plat::AccessibleText(ui.mainWindow, kStatusBar, 0).words.rfind("Catg: household", 0), 0u);
        EXPECT_EQ(plat::AccessibleText(ui.mainWindow, kStatusBar, 1).words, "Special buy");
        EXPECT_EQ(plat::AccessibleText(ui.mainWindow, kStatusBar, 3).words, "Total cost: .00");
        // The zero-size button that takes Escape is nothing to read.
        EXPECT_EQ(NameOf(2), "");
    });
    script::ChooseMenu(kCmdChangeItem);
    Then([] {
        const plat::Window dlg = script::ActiveDialog();
        EXPECT_EQ(plat::AccessibleText(dlg, 201).words, "Grocery item:");
        EXPECT_EQ(plat::AccessibleText(dlg, 202).words, "Unit Descr:");
        EXPECT_EQ(plat::AccessibleText(dlg, 204).words, "Category:");
        EXPECT_EQ(plat::AccessibleText(dlg, 203).words, "Price/unit:");
        EXPECT_EQ(plat::AccessibleText(dlg, 205).words, "Special one time buy - no history kept");
    });
    script::KeyDown(plat::kVkEscape);
    Quit();
    Run();
}

}  // namespace
}  // namespace pantrium::testing

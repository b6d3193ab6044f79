// The main window's commands on rows and on the whole table: reset, delete,
// buy, units to buy, help, the menu texts and the right click.
#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

class MainCommands : public MainWindowTest {};

TEST_F(MainCommands, ResetAllAsksAndClearsEveryHistoryOnYesOnly) {
    WriteThreeItems();
    script::AnswerPrompt(7);
    script::ChooseMenu(kCmdResetAll);
    Then([&] {
        EXPECT_EQ(RecordOfRow(1).buyUnits[0], 1);
        EXPECT_FALSE(itemTable.modified);
    });
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdResetAll);
    Then([&] {
        for (int r = 1; r <= 3; ++r) EXPECT_EQ(RecordOfRow(r).buyDate[0], 0);
        EXPECT_TRUE(itemTable.modified);
        EXPECT_EQ(Row(0), "\tx\tBread\tloaf\t\t1.00\t2.00");  // last-buy date gone, mark kept
    });
    Quit();
    Run();
    ExpectPrompt(0, "Are you sure you wish to reset all items?\r\n... This will remove buying histories of all items",
                 "Reset All Items", 20);
}

TEST_F(MainCommands, ResetItemClearsOnlyTheSelectedHistory) {
    WriteThreeItems();
    script::SelectRow(kItemList, 1);
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdResetItem);
    Then([&] {
        EXPECT_EQ(RecordOfRow(2).buyUnits[0], 0);
        EXPECT_TRUE(RecordOfRow(2).toBuy());
        EXPECT_EQ(RecordOfRow(2).unitsToBuy, 2);
        EXPECT_EQ(RecordOfRow(1).buyUnits[0], 1);
        EXPECT_EQ(Selection(), 1);
        EXPECT_TRUE(itemTable.modified);
    });
    Quit();
    Run();
    ExpectPrompt(0, "Reset this item now?\r\n... buying history will be removed", "Reset All Items", 20);
}

TEST_F(MainCommands, DeleteAsksAndSelectsTheRowThatTakesThePlace) {
    WriteThreeItems();
    script::SelectRow(kItemList, 2);
    script::AnswerPrompt(7);
    script::ChooseMenu(kCmdDeleteItem);
    Then([&] { EXPECT_EQ(itemTable.itemCount, 3); });
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdDeleteItem);
    Then([&] {
        EXPECT_EQ(itemTable.itemCount, 2);
        EXPECT_EQ(Selection(), 1);  // the new last row
        EXPECT_EQ(plat::ListCount(ui.mainWindow, kItemList), 2);
        EXPECT_TRUE(itemTable.modified);
    });
    for (int i = 0; i < 2; ++i) {
        script::AnswerPrompt(6);
        script::ChooseMenu(kCmdDeleteItem);
    }
    Then([&] {
        EXPECT_EQ(itemTable.itemCount, 0);
        EXPECT_EQ(plat::ListCount(ui.mainWindow, kItemList), 0);
        EXPECT_EQ(Status(2), "Items to buy:  0");
        EXPECT_EQ(Status(3), "Total cost: .00");
    });
    script::AnswerPrompt(6);  // asked even with nothing to delete
    script::ChooseMenu(kCmdDeleteItem);
    Quit();
    Run();
    ASSERT_EQ(script::Prompts().size(), 6u);  // the last one: Escape's question about the changes
    ExpectPrompt(4, "Delete this item now?", "Delete Item", 36);
}

TEST_F(MainCommands, BuyChecksWithOneUnitAndUnchecks) {
    WriteThreeItems();
    script::SelectRow(kItemList, 2);  // Soap, not checked
    script::ChooseMenu(kCmdBuy);
    Then([&] {
        EXPECT_EQ(Row(2), "\tx\tSoap\tbar\t03-07-24\t1.00\t1.00");
        EXPECT_EQ(UnitsText(), "1");
        EXPECT_EQ(plat::GetFocus(ui.mainWindow), kUnitsBox);
        EXPECT_EQ(drivers::EditSelection(ui.mainWindow, kUnitsBox), (std::pair{0, 1}));
        EXPECT_TRUE(itemTable.modified);
    });
    script::SelectRow(kItemList, 2);
    script::ChooseMenu(kCmdBuy);
    Then([&] {
        EXPECT_FALSE(RecordOfRow(3).toBuy());
        EXPECT_EQ(RecordOfRow(3).unitsToBuy, 0);
        EXPECT_EQ(UnitsText(), "");
        EXPECT_EQ(plat::GetFocus(ui.mainWindow), kItemList);
    });
    Quit();
    Run();
}

TEST_F(MainCommands, BuyChecksAnAutoListedItemWithoutTheMarkAtOnce) {
    WriteStartList({{0, "Salt", "box", 1, 0, kAutoListed}});
    script::ChooseMenu(kCmdBuy);
    Then([&] {
        EXPECT_TRUE(RecordOfRow(1).toBuy());
        EXPECT_FALSE(RecordOfRow(1).autoListed());
    });
    // Buy while typing in the units box: the write counts as typed units, same result.
    script::Focus(kUnitsBox);
    script::ChooseMenu(kCmdBuy);
    Then([&] {
        EXPECT_FALSE(RecordOfRow(1).toBuy());
        EXPECT_EQ(RecordOfRow(1).unitsToBuy, 0);
    });
    Quit();
    Run();
}

TEST_F(MainCommands, MenuTextFollowsTheSelectedRowAndHelpOpensTheHelpFile) {
    WriteThreeItems();
    PutHelpIn(std::filesystem::current_path());
    script::ChooseMenu(kCmdHelp);  // row 1 is checked
    Then([&] {
        EXPECT_EQ(plat::GetMenuItemText(ui.mainMenuBar, kCmdBuy), "Don't buy");
    });
    script::SelectRow(kItemList, 2);
    script::ChooseMenu(kCmdHelp);
    Then([&] { EXPECT_EQ(plat::GetMenuItemText(ui.mainMenuBar, kCmdBuy), "Buy"); });
    Quit();
    Run();
    ASSERT_EQ(drivers::HelpRequests().size(), 2u);
    EXPECT_EQ(drivers::HelpRequests()[0], std::filesystem::current_path().string() + "\\Pantrium.chm");
}

TEST_F(MainCommands, UnitsToBuySelectsTheBoxText) {
    WriteThreeItems();
    script::ChoosePopup(kCmdUnitsToBuy);
    script::RightClick(kItemList, 20, 20);  // row 2 (13 px rows)
    Then([&] {
        EXPECT_EQ(plat::GetFocus(ui.mainWindow), kUnitsBox);
        EXPECT_EQ(UnitsText(), "2.00");
        EXPECT_EQ(drivers::EditSelection(ui.mainWindow, kUnitsBox), (std::pair{0, 4}));
    });
    Quit();
    Run();
}

TEST_F(MainCommands, RightClickSelectsTheRowAndOffersTheMatchingBuyText) {
    WriteThreeItems();
    script::ChoosePopup(0);
    script::RightClick(kItemList, 30, 15);  // Milk: checked, 2 units
    Then([&] {
        EXPECT_EQ(Selection(), 1);
        EXPECT_EQ(UnitsText(), "2.00");
        EXPECT_EQ(ui.unitsEditArmed, 0);
        EXPECT_EQ(Status(0).substr(0, 11), "Catg: dairy");  // the status line follows the row the menu is for
        ASSERT_EQ(drivers::Popups().size(), 1u);
        const auto& popup = drivers::Popups()[0];
        EXPECT_EQ(popup.menu, ui.contextMenu);
        EXPECT_EQ(popup.owner, ui.mainWindow);
        const plat::Rect client = drivers::TheUser().ClientRect(ui.mainWindow);
        EXPECT_EQ(popup.x, client.left + 10 + 30);
        EXPECT_EQ(popup.y, client.top + 35 + 15);
        EXPECT_EQ(popup.items[0].text, "Don't buy");
    });
    script::ChoosePopup(kCmdDeleteItem);
    script::AnswerPrompt(6);
    script::RightClick(kItemList, 30, 28);  // Soap: not checked
    Then([&] {
        EXPECT_EQ(drivers::Popups()[1].items[0].text, "Buy");
        EXPECT_EQ(itemTable.itemCount, 2);
        EXPECT_EQ(TrimmedField(RecordOfRow(2).itemName), "Milk");
    });
    script::RightClick(kUnitsBox, 5, 5);  // the box keeps its own menu
    Quit();
    Run();
    EXPECT_EQ(drivers::Popups().size(), 2u);
}

TEST_F(MainCommands, ButtonsLoseTheDefaultFrameAfterTheirCommand) {
    WriteThreeItems();
    Then([&] { plat::SetDefaultButton(ui.mainWindow, kAutoListButton, true); });
    script::Click(kAutoListButton);
    Then([&] {
        EXPECT_EQ(drivers::ControlStyle(ui.mainWindow, kAutoListButton) & plat::kDefault, 0u);
        EXPECT_FALSE(itemTable.modified);  // the auto list asks nothing and changes no flag
    });
    Quit();
    Run();
    EXPECT_TRUE(script::Prompts().empty());
}

}  // namespace
}  // namespace pantrium::testing

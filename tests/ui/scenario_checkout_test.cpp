// A whole shopping trip through the real main window: start with a list file,
// let the auto list propose, edit an item, check out with prices, save,
// restart, and find everything in the reloaded list.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "dialogs_test_support.h"
#include "ui/main/units_history.h"

namespace pantrium::test {
namespace {

using script::AnswerPrompt;
using script::ChooseMenu;
using script::Click;
using script::ClearEdit;
using script::Focus;
using script::Then;
using script::Type;

class ShoppingTripScenario : public UiTest {};

void PayInPriceDialog(const std::string& item, const std::string& amount) {
    Then([item] {
        EXPECT_EQ(plat::GetText(script::ActiveDialog(), 303), "Item: " + item +
                                                                     std::string(20 - item.size(), ' '));
    });
    Focus(305);
    ClearEdit();
    Type(amount);
    script::KeyDown(plat::kVkReturn);
}

TEST_F(ShoppingTripScenario, CheckoutWithPricesSurvivesSaveAndRestart) {
    TempDir dir;
    PutCategories({"produce", "dairy"});
    PutItem({"Bananas", "bunch", 0.5f, 1, 0, 0, {{"3-1-24", 2}, {"3-11-24", 3}, {"3-21-24", 2}}});
    PutItem({"Milk", "gallon", 3, 2, 0, 0, {{"3-1-24", 4}, {"3-15-24", 4}}});
    PutItem({"Cake", "each", 10, 0, kSpecialBuy | kToBuy, 1});
    PutItem({"Candles", "box", 4, 0, kSpecialBuy, 0});
    PutItem({"Salt", "box", 0.99f, 0, 0, 0});
    WriteListFile("home.ptm");
    std::ofstream("pantrium.ini") << "home.ptm\r\n";

    // Rows: Cake, Candles, Salt (no category), Bananas, Milk.
    Then([&] {
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "home");
        EXPECT_EQ(itemTable.itemCount, 5);
        EXPECT_EQ(itemTable.itemsToBuy, 1);
    });
    Click(kAutoListButton);
    Then([&] {
        EXPECT_EQ(Item("Bananas").unitsToBuy, 2);  // 5 units in 20 days, 8 days ago
        EXPECT_EQ(Item("Milk").unitsToBuy, 4);     // 4 units in 14 days, 14 days ago
        EXPECT_EQ(itemTable.itemsToBuy, 3);
        EXPECT_FALSE(itemTable.modified);
    });

    // Salt gets a new price and goes on the list.
    script::SelectRow(kItemList, 2);
    ChooseMenu(kCmdChangeItem);
    Focus(203);
    ClearEdit();
    Type("1.19");
    Click(1);
    ChooseMenu(kCmdBuy);
    Then([&] {
        EXPECT_TRUE(Item("Salt").toBuy());
        EXPECT_FLOAT_EQ(Item("Salt").pricePerUnit, 1.19f);
        EXPECT_EQ(itemTable.itemsToBuy, 4);
    });

    // Check out on 3/30/24, taking the prices paid.
    Click(kCheckOutButton);
    AnswerPrompt(6);
    Focus(301);
    ClearEdit();
    Type("3/30/24");
    Click(302);
    Click(1);
    Then([&] { EXPECT_EQ(plat::GetText(script::ActiveDialog(), 303).substr(0, 10), "Item: Cake"); });
    script::CloseBox();                 // Cake keeps its price (and leaves the list)
    PayInPriceDialog("Salt", "2.00");     // 1 unit
    PayInPriceDialog("Bananas", "1.50");  // 2 units
    PayInPriceDialog("Milk", "14.00");    // 4 units
    AnswerPrompt(1);
    Then([&] {
        EXPECT_EQ(script::Prompts().back().text, "Checkout is done  ");
        EXPECT_EQ(itemTable.itemCount, 3);
        EXPECT_EQ(plat::GetStatusText(ui.mainWindow, kStatusBar, 2), "Items to buy:  0");
        EXPECT_TRUE(itemTable.modified);
    });
    AnswerPrompt(6);
    ChooseMenu(kCmdSave);
    Then([&] { EXPECT_FALSE(itemTable.modified); });
    ChooseMenu(kCmdExit);
    EXPECT_EQ(RunMainWindow(ui), 0);
    ASSERT_TRUE(script::Failures().empty()) << script::Failures()[0];

    // Restart: everything comes back from the file.
    script::Reset();
    ui = MainWindowState{};
    ClearTable();
    itemTable.listPath = "my Pantrium.ptm";
    Then([&] {
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "home");
        ASSERT_EQ(itemTable.itemCount, 3);
        EXPECT_EQ(RecordNamed("Cake"), 0);
        EXPECT_EQ(RecordNamed("Candles"), 0);
        EXPECT_EQ(CategoryNames()[0].substr(0, 7), "produce");

        const PackedDate trip = Date("3-30-24");
        const ItemRecord& bananas = Item("Bananas");
        EXPECT_EQ(bananas.catg, 1);
        EXPECT_EQ(bananas.buyDate[3], trip);
        EXPECT_EQ(bananas.buyUnits[3], 2);
        EXPECT_FLOAT_EQ(bananas.pricePerUnit, 0.75f);
        EXPECT_EQ(bananas.flags, 0);  // neither the buy mark nor the auto mark is left
        EXPECT_EQ(bananas.unitsToBuy, 0);

        const ItemRecord& milk = Item("Milk");
        EXPECT_EQ(milk.buyDate[2], trip);
        EXPECT_EQ(milk.buyUnits[2], 4);
        EXPECT_FLOAT_EQ(milk.pricePerUnit, 3.5f);

        const ItemRecord& salt = Item("Salt");
        EXPECT_EQ(salt.buyDate[0], trip);
        EXPECT_EQ(salt.buyUnits[0], 1);
        EXPECT_FLOAT_EQ(salt.pricePerUnit, 2.0f);

        EXPECT_EQ(UnitsHistoryText(RecordNamed("Milk")),
                  "  Date            Units\r\n\r\n03-01-24        4.00\r\n03-15-24        4.00\r\n"
                  "03-30-24        4.00\r\n\r\n"
                  // the trip is dated a day after today
                  "Auto list: bought every 14.5 days,\r\nabout 4.00 units each time; last\r\n"
                  "bought 1 day after today: it\r\nproposes nothing yet.\r\n");
        EXPECT_EQ(plat::GetStatusText(ui.mainWindow, kStatusBar, 2), "Items to buy:  0");
    });
    ChooseMenu(kCmdExit);
    EXPECT_EQ(RunMainWindow(ui), 0);

    std::ifstream grocery("grocery.ini", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(grocery), {}), "home.ptm\r\n");
}

}  // namespace
}  // namespace pantrium::test

// The checkout prompts and dialogs and the undo command, driven by the
// scripted user (the table side of checkout has its own tests).
#include <gtest/gtest.h>

#include <limits>

#include "data/number_text.h"
#include "dialogs_test_support.h"
#include "ui/dialogs/checkout_dialogs.h"

namespace pantrium::test {
namespace {

using script::AnswerPrompt;
using script::Click;
using script::Focus;
using script::Then;
using script::Type;

constexpr int kDateBox = 301, kPricesBox = 302, kItemLabel = 303, kUnits = 304, kPrice = 305;

class CheckoutTest : public UiTest {
protected:
    // Two bought items, one left alone, and an unbought one-time buy.
    void Shopping() {
        PutItem({"Bread", "loaf", 1.25f, 0, kToBuy, 2, {{"3-1-24", 1}}});
        PutItem({"Milk", "gallon", 3, 0, kToBuy | kAutoListed, 1});
        PutItem({"Salt", "box", 1, 0, 0, 0});
        PutItem({"Cake", "each", 9, 0, kSpecialBuy, 0});
        itemTable.itemsToBuy = 2;
    }
    // The Check Out command as the main window runs it: the notice follows a
    // recorded checkout.
    CheckoutOutcome CheckOut() {
        const CheckoutOutcome outcome = BeginCheckout(0, RecordRefreshes());
        if (outcome.checkedOut) ShowCheckoutDone();
        return outcome;
    }
    static std::string Text(int id) { return plat::GetText(script::ActiveDialog(), id); }
};

TEST_F(CheckoutTest, NothingMarkedShowsNothing) {
    PutItem({"Salt", "box", 1, 0, 0, 0});
    EXPECT_FALSE(CheckOut().checkedOut);
    EXPECT_TRUE(script::Prompts().empty());
    EXPECT_TRUE(drivers::DialogsRun().empty());
    EXPECT_FALSE(itemTable.snapshot.taken);
}

TEST_F(CheckoutTest, AnsweringNoExplainsAndChangesNothing) {
    Shopping();
    AnswerPrompt(7);
    AnswerPrompt(1);
    EXPECT_FALSE(CheckOut().checkedOut);
    ExpectPrompt(0, "Did you buy all of the checked items?", "Check out", 36);
    ExpectPrompt(1, "First, update items bought... \r\nand then return to check out", "CHECK OUT", 64);
    EXPECT_TRUE(drivers::DialogsRun().empty());
    EXPECT_FALSE(itemTable.snapshot.taken);
    EXPECT_EQ(itemTable.itemCount, 4);
    EXPECT_FALSE(itemTable.modified);
}

TEST_F(CheckoutTest, TodayAtOnceChecksOutToday) {
    Shopping();
    AnswerPrompt(6);
    Then([] {
        const plat::Window dlg = script::ActiveDialog();
        const plat::DialogSpec& spec = drivers::SpecOf(dlg);
        EXPECT_EQ(spec.caption, "Check Out");
        EXPECT_EQ(spec.width, 200);
        EXPECT_EQ(spec.height, 120);
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, kDateBox), (plat::Rect{95, 10, 70, 20}));
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, kPricesBox), (plat::Rect{10, 42, 200, 20}));
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 1), (plat::Rect{90, 80, 60, 30}));
        EXPECT_EQ(Text(kDateBox), "03-29-2024");
        EXPECT_FALSE(plat::GetCheck(dlg, kPricesBox));
        EXPECT_TRUE(itemTable.snapshot.taken);
    });
    script::KeyDown(plat::kVkReturn);
    AnswerPrompt(1);
    const CheckoutOutcome outcome = CheckOut();
    EXPECT_TRUE(outcome.checkedOut);
    EXPECT_FALSE(outcome.endedWithNext);  // no price dialog

    ExpectPrompt(1, "Checkout is done  ", "Checkout", 64);
    EXPECT_EQ(refreshes, std::vector<int>{0});  // the owner's list redrawn once
    EXPECT_EQ(DialogCaptions(), (std::vector<std::string>{"Check Out"}));  // no price dialogs
    const ItemRecord& bread = Item("Bread");
    EXPECT_EQ(bread.buyDate[1], Date("3-29-24"));
    EXPECT_EQ(bread.buyUnits[1], 2);
    EXPECT_FALSE(bread.toBuy());
    EXPECT_EQ(bread.unitsToBuy, 0);
    EXPECT_FLOAT_EQ(bread.pricePerUnit, 1.25f);
    EXPECT_EQ(Item("Milk").buyDate[0], Date("3-29-24"));
    EXPECT_FALSE(Item("Milk").autoListed());
    EXPECT_EQ(Item("Salt").buyDate[0], 0);
    EXPECT_EQ(RecordNamed("Cake"), 0);
    EXPECT_EQ(itemTable.itemCount, 3);
    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(itemTable.snapshot.count, 4);
}

TEST_F(CheckoutTest, InvalidDateIsRejectedWithTheFocusBackInTheBox) {
    Shopping();
    AnswerPrompt(6);
    Focus(kDateBox);
    script::ClearEdit();
    Type("2/30/24");
    Focus(kPricesBox);
    Click(1);
    AnswerPrompt(1);
    Then([] {
        const plat::Window dlg = script::ActiveDialog();
        EXPECT_EQ(plat::GetCaption(dlg), "Check Out");
        EXPECT_EQ(plat::GetFocus(dlg), kDateBox);
        EXPECT_EQ(Text(kDateBox), "2/30/24");
        EXPECT_EQ(Item("Bread").buyDate[1], 0);
    });
    script::ClearEdit();
    Type("2/29/24");
    Click(1);
    AnswerPrompt(1);
    EXPECT_TRUE(CheckOut().checkedOut);
    ExpectPrompt(1, "Must enter valid date", "Invalid Date", 16);
    ExpectPrompt(2, "Checkout is done  ", "Checkout", 64);
    EXPECT_EQ(Item("Bread").buyDate[1], Date("2-29-24"));
}

TEST_F(CheckoutTest, CancelledDateDialogRecordsNothingButKeepsTheSnapshot) {
    Shopping();
    AnswerPrompt(6);
    script::KeyDown(plat::kVkEscape);
    EXPECT_FALSE(CheckOut().checkedOut);
    EXPECT_EQ(script::Prompts().size(), 1u);
    EXPECT_TRUE(refreshes.empty());
    EXPECT_TRUE(itemTable.snapshot.taken);
    EXPECT_EQ(itemTable.itemCount, 4);
    EXPECT_TRUE(Item("Bread").toBuy());
    EXPECT_FALSE(itemTable.modified);

    // The close box cancels too.
    AnswerPrompt(6);
    script::CloseBox();
    EXPECT_FALSE(CheckOut().checkedOut);
    EXPECT_EQ(itemTable.itemCount, 4);
}

TEST_F(CheckoutTest, PriceDialogFollowsTheUnitsAndGivesAPricePerUnit) {
    const int bread = PutItem({"Bread", "loaf", 1.25f, 0, kToBuy, 2});
    Then([] {
        const plat::Window dlg = script::ActiveDialog();
        EXPECT_EQ(plat::GetCaption(dlg), "Check Out");
        EXPECT_EQ(drivers::SpecOf(dlg).width, 220);
        EXPECT_EQ(drivers::SpecOf(dlg).height, 150);
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, kUnits), (plat::Rect{80, 38, 50, 20}));
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, kPrice), (plat::Rect{95, 68, 70, 20}));
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 1), (plat::Rect{70, 105, 60, 30}));
        EXPECT_EQ(Text(kItemLabel), "Item: Bread               ");
        EXPECT_EQ(Text(kUnits), "2.00");
        EXPECT_EQ(Text(kPrice), "2.50");
    });
    Focus(kUnits);
    script::ClearEdit();
    Type("3");
    Then([] { EXPECT_EQ(Text(kPrice), "3.75"); });
    Click(1);
    const PriceAnswer next = CheckoutPriceDialog(0, bread);
    EXPECT_FLOAT_EQ(next.price, 1.25f);
    EXPECT_TRUE(next.endedWithNext);

    // 3.00 paid for 2 units: 1.50 each.
    Focus(kPrice);
    script::ClearEdit();
    Type("3.00");
    Click(1);
    EXPECT_FLOAT_EQ(CheckoutPriceDialog(0, bread).price, 1.5f);

    // No units: the amount is the price.
    Focus(kUnits);
    script::ClearEdit();
    Then([] { EXPECT_EQ(Text(kPrice), ".00"); });
    Focus(kPrice);
    script::ClearEdit();
    Type("4.00");
    Click(1);
    EXPECT_FLOAT_EQ(CheckoutPriceDialog(0, bread).price, 4.0f);

    // The close box gives 0: the old price stays.
    script::CloseBox();
    const PriceAnswer closed = CheckoutPriceDialog(0, bread);
    EXPECT_EQ(closed.price, 0.0f);
    EXPECT_FALSE(closed.endedWithNext);
    EXPECT_FLOAT_EQ(itemTable.records[bread].pricePerUnit, 1.25f);

    // Escape as the close box, also after a changed amount.
    Focus(kPrice);
    script::ClearEdit();
    Type("9.00");
    script::KeyDown(plat::kVkEscape);
    const PriceAnswer escaped = CheckoutPriceDialog(0, bread);
    EXPECT_EQ(escaped.price, 0.0f);
    EXPECT_FALSE(escaped.endedWithNext);
}

TEST_F(CheckoutTest, PriceDialogAmountsStayNumbers) {
    constexpr float kMax = std::numeric_limits<float>::max();
    // Price 0 with infinite units (from a file): no NaN in the amount paid.
    const int salt = PutItem({"Salt", "box", 0, 0, kToBuy, std::numeric_limits<float>::infinity()});
    Then([] {
        EXPECT_EQ(Text(kUnits), "340282350000000000000000000000000000000.00");
        EXPECT_EQ(Text(kPrice), ".00");
    });
    Focus(kUnits);
    script::ClearEdit();
    Type("1e39");
    Then([] { EXPECT_EQ(Text(kPrice), ".00"); });
    // An amount out of range over half a unit: the largest price, not an infinite one.
    script::ClearEdit();
    Type(".5");
    Focus(kPrice);
    script::ClearEdit();
    Type("1e39");
    Click(1);
    EXPECT_EQ(CheckoutPriceDialog(0, salt).price, kMax);

    const int rice = PutItem({"Rice", "bag", 2, 0, kToBuy, 1});
    Focus(kUnits);
    script::ClearEdit();
    Type("-1e39");
    Then([] { EXPECT_EQ(Text(kPrice), "-340282350000000000000000000000000000000.00"); });  // clamped
    Click(1);
    EXPECT_EQ(CheckoutPriceDialog(0, rice).price, 1.0f);  // the largest amount paid for the largest units
}

TEST_F(CheckoutTest, CheckoutWithPricesAsksEachBoughtItem) {
    Shopping();
    AnswerPrompt(6);
    Click(kPricesBox);
    Click(1);
    // Bread: the close box keeps its price.
    Then([] { EXPECT_EQ(Text(kItemLabel).substr(0, 11), "Item: Bread"); });
    script::CloseBox();
    // Milk: 5.00 paid for 2 units.
    Then([] { EXPECT_EQ(Text(kItemLabel).substr(0, 10), "Item: Milk"); });
    Focus(kUnits);
    script::ClearEdit();
    Type("2");
    Focus(kPrice);
    script::ClearEdit();
    Type("5.00");
    script::KeyDown(plat::kVkReturn);
    AnswerPrompt(1);
    EXPECT_TRUE(CheckOut().endedWithNext);  // Milk's price dialog ended with Enter

    EXPECT_EQ(DialogCaptions(), (std::vector<std::string>(3, "Check Out")));
    EXPECT_FLOAT_EQ(Item("Bread").pricePerUnit, 1.25f);
    EXPECT_FLOAT_EQ(Item("Milk").pricePerUnit, 2.5f);
    // The history records the units to buy, not what the price dialog was told.
    EXPECT_EQ(Item("Milk").buyUnits[0], 1);
    ExpectPrompt(1, "Checkout is done  ", "Checkout", 64);
}

TEST_F(CheckoutTest, NegativePriceStopsAskingButEveryItemIsRecorded) {
    PutItem({"A", "x", 1, 0, kToBuy, 1});
    PutItem({"B", "x", 2, 0, kToBuy, 1});
    PutItem({"C", "x", 3, 0, kToBuy, 1});
    itemTable.itemsToBuy = 3;
    AnswerPrompt(6);
    Click(kPricesBox);
    Click(1);
    Focus(kPrice);
    script::ClearEdit();
    Type("-1");
    Click(1);
    AnswerPrompt(1);
    CheckOut();
    EXPECT_EQ(drivers::DialogsRun().size(), 2u);
    for (auto [name, price] : {std::pair{"A", 1.0f}, {"B", 2.0f}, {"C", 3.0f}}) {
        EXPECT_EQ(Item(name).pricePerUnit, price) << name;
        EXPECT_EQ(Item(name).buyDate[0], Date("3-29-24")) << name;
    }
}

TEST_F(CheckoutTest, UndoWithoutACheckoutSaysSoAndKeepsTheTable) {
    Shopping();
    AnswerPrompt(1);
    UndoCheckoutCommand(RecordRefreshes());
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].style, 64);
    EXPECT_NE(script::Prompts()[0].text.find("no checkout"), std::string::npos);
    EXPECT_EQ(itemTable.itemCount, 4);
    EXPECT_TRUE(refreshes.empty());
}

TEST_F(CheckoutTest, UndoAskedNoKeepsAndYesRestoresTheSameTableTwice) {
    Shopping();
    AnswerPrompt(6);
    script::KeyDown(plat::kVkReturn);
    AnswerPrompt(1);
    CheckOut();
    ASSERT_EQ(itemTable.itemCount, 3);

    refreshes.clear();
    AnswerPrompt(7);
    UndoCheckoutCommand(RecordRefreshes());
    ExpectPrompt(2, "Undo check out now?", "Check out", 4);
    EXPECT_EQ(itemTable.itemCount, 3);
    EXPECT_TRUE(refreshes.empty());

    for (int round = 0; round < 2; ++round) {
        AnswerPrompt(6);
        UndoCheckoutCommand(RecordRefreshes());
        ASSERT_EQ(itemTable.itemCount, 4);
        EXPECT_EQ(refreshes.size(), round + 1u);  // one redraw for each undo
        EXPECT_TRUE(Item("Bread").toBuy());
        EXPECT_EQ(Item("Bread").buyDate[1], 0);
        EXPECT_NE(RecordNamed("Cake"), 0);
        EXPECT_FLOAT_EQ(Item("Bread").pricePerUnit, 1.25f);
        Item("Bread").pricePerUnit = 99;  // changed after the undo, undone by the next one
    }
    EXPECT_EQ(script::Prompts().size(), 5u);
}

}  // namespace
}  // namespace pantrium::test

// The item editor driven by the scripted user.
#include <gtest/gtest.h>

#include <cstring>

#include "dialogs_test_support.h"
#include "ui/dialogs/item_editor.h"

namespace pantrium::test {
namespace {

using script::Click;
using script::Focus;
using script::Then;
using script::Type;

class ItemEditorTest : public UiTest {};

TEST_F(ItemEditorTest, NewItemLayoutAndStoredValues) {
    PutCategories({"fruit", "dairy", "bread"});
    Then([] {
        const plat::Window dlg = script::ActiveDialog();
        const plat::DialogSpec& spec = drivers::SpecOf(dlg);
        EXPECT_EQ(plat::GetCaption(dlg), "Add Item");
        EXPECT_EQ(spec.width, 240);
        EXPECT_EQ(spec.height, 220);
        EXPECT_EQ(drivers::ControlIds(dlg),
                  (std::vector<int>{-1, 201, -1, 202, -1, 204, -1, 203, 205, 1, 2}));
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 201), (plat::Rect{85, 10, 130, 20}));
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 204), (plat::Rect{85, 60, 100, 100}));
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 205), (plat::Rect{10, 120, 200, 20}));
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 1), (plat::Rect{90, 170, 60, 30}));
        EXPECT_EQ(drivers::TextLimit(dlg, 201), 20);
        EXPECT_EQ(drivers::TextLimit(dlg, 202), 20);
        EXPECT_EQ(drivers::TextLimit(dlg, 203), 0);
        EXPECT_EQ(ListEntries(dlg, 204), (std::vector<std::string>{"fruit", "dairy", "bread"}));
        EXPECT_EQ(plat::ListGetSel(dlg, 204), -1);
        EXPECT_EQ(plat::GetFocus(dlg), 201);
    });
    Type("Milk");
    Focus(202);
    Type("gallon");
    script::SelectRow(204, 1);
    Focus(203);
    Type("  3.49 each");
    Click(1);
    // Ended with Ok: the caller ignores the release of an Enter that gave it.
    EXPECT_TRUE(ShowItemEditor(0, 0, RecordRefreshes()));
    EXPECT_EQ(refreshes, std::vector<int>{1});  // the owner's list shows the new row

    ASSERT_EQ(itemTable.itemCount, 1);
    const ItemRecord& rec = itemTable.records[1];
    EXPECT_EQ(TrimmedField(rec.itemName), "Milk");
    EXPECT_EQ(TrimmedField(rec.unitDescr), "gallon");
    EXPECT_FLOAT_EQ(rec.pricePerUnit, 3.49f);
    EXPECT_EQ(rec.catg, 2);
    EXPECT_EQ(rec.flags, 0);
    EXPECT_EQ(rec.unitsToBuy, 0);
    EXPECT_TRUE(itemTable.modified);
}

TEST_F(ItemEditorTest, ChangeShowsTheRecordAndKeepsMarksButNotHistory) {
    PutCategories({"fruit", "dairy"});
    PutItem({"  Apples ", "bag ", 2.5f, 2, kToBuy, 3, {{"3-1-24", 2}, {"3-8-24", 1}}});
    Then([] {
        const plat::Window dlg = script::ActiveDialog();
        EXPECT_EQ(plat::GetCaption(dlg), "Change Item");
        EXPECT_EQ(plat::GetText(dlg, 201), "Apples");
        EXPECT_EQ(plat::GetText(dlg, 202), "bag");
        EXPECT_EQ(plat::GetText(dlg, 203), " 2.5");
        EXPECT_EQ(plat::ListGetSel(dlg, 204), 1);
        EXPECT_FALSE(plat::GetCheck(dlg, 205));
    });
    Focus(203);
    script::ClearEdit();
    Type("-1.25");
    Click(1);
    ShowItemEditor(0, 1, RecordRefreshes());

    ASSERT_EQ(itemTable.itemCount, 1);
    const ItemRecord& rec = itemTable.records[1];
    EXPECT_EQ(TrimmedField(rec.itemName), "Apples");
    EXPECT_FLOAT_EQ(rec.pricePerUnit, -1.25f);
    EXPECT_EQ(rec.catg, 2);
    EXPECT_TRUE(rec.toBuy());
    EXPECT_EQ(rec.unitsToBuy, 3);
    EXPECT_EQ(rec.buyDate[0], 0);
    EXPECT_EQ(rec.buyUnits[0], 0);
    EXPECT_EQ(LastBuyText(rec), "");
}

TEST_F(ItemEditorTest, ChangedUnitsAreRoundedHalvesToEven) {
    for (auto [units, stored] : {std::pair{2.5f, 2.0f}, {1.5f, 2.0f}, {0.5f, 0.0f}, {2.7f, 3.0f}}) {
        SetUp();
        PutItem({"Eggs", "dozen", 2, 0, kToBuy, units});
        Click(1);
        ShowItemEditor(0, 1, RecordRefreshes());
        ASSERT_EQ(itemTable.itemCount, 1);
        EXPECT_EQ(itemTable.records[1].unitsToBuy, stored) << units;
        EXPECT_TRUE(itemTable.records[1].toBuy()) << units;
        EXPECT_TRUE(script::Failures().empty());
    }
}

TEST_F(ItemEditorTest, EmptyNameCancelAndCloseBoxChangeNothing) {
    PutItem({"Eggs", "dozen", 2, 0, kToBuy, 2, {{"3-1-24", 2}}});
    const ItemRecord before = itemTable.records[1];
    auto unchanged = [&] {
        ASSERT_EQ(itemTable.itemCount, 1);
        EXPECT_EQ(std::memcmp(&itemTable.records[1], &before, sizeof before), 0);
        EXPECT_FALSE(itemTable.modified);
    };

    script::ClearEdit();  // the name box has the focus
    Click(1);
    EXPECT_TRUE(ShowItemEditor(0, 1, RecordRefreshes()));  // Ok, even with nothing stored
    unchanged();

    Type("Bacon");
    Click(2);
    EXPECT_FALSE(ShowItemEditor(0, 1, RecordRefreshes()));
    unchanged();

    Type("Bacon");
    script::CloseBox();
    EXPECT_FALSE(ShowItemEditor(0, 1, RecordRefreshes()));
    unchanged();

    script::KeyDown(plat::kVkEscape);
    EXPECT_FALSE(ShowItemEditor(0, 0, RecordRefreshes()));
    unchanged();
    EXPECT_TRUE(refreshes.empty());  // nothing to redraw
}

TEST_F(ItemEditorTest, NamesAreLimitedTo20CharactersAndCutAt132Pixels) {
    // In the dialog font W is 9 pixels wide: 14 of them fit in 132 pixels.
    Type(std::string(20, 'W'));
    Focus(202);
    Type(std::string(25, 'a'));  // a is 6 pixels: the 20 typed fit in 120
    Then([] { EXPECT_EQ(plat::GetText(script::ActiveDialog(), 202), std::string(20, 'a')); });
    Click(1);
    ShowItemEditor(0, 0, RecordRefreshes());
    ASSERT_EQ(itemTable.itemCount, 1);
    EXPECT_EQ(TrimmedField(itemTable.records[1].itemName), std::string(14, 'W'));
    EXPECT_EQ(TrimmedField(itemTable.records[1].unitDescr), std::string(20, 'a'));
}

TEST_F(ItemEditorTest, SpecialBoxMarksAOneTimeBuy) {
    Type("Cake");
    Click(205);
    Then([] { EXPECT_EQ(plat::GetFocus(script::ActiveDialog()), 201); });
    Click(1);
    ShowItemEditor(0, 0, RecordRefreshes());
    ASSERT_EQ(itemTable.itemCount, 1);
    EXPECT_TRUE(itemTable.records[1].specialBuy());
    EXPECT_TRUE(itemTable.records[1].toBuy());
    EXPECT_EQ(itemTable.records[1].unitsToBuy, 1);

    // Ticked and unticked again: a plain item.
    Type("Candles");
    Click(205);
    Click(205);
    Click(1);
    ShowItemEditor(0, 0, RecordRefreshes());
    const ItemRecord& candles = Item("Candles");
    EXPECT_FALSE(candles.specialBuy());
    EXPECT_FALSE(candles.toBuy());

    // A special item shows its box ticked and stays special when changed.
    int row = 0;
    for (int r = 1; r <= itemTable.itemCount; ++r)
        if (TrimmedField(itemTable.RecordOfRow(r).itemName) == "Cake") row = r;
    Then([] { EXPECT_TRUE(plat::GetCheck(script::ActiveDialog(), 205)); });
    Click(1);
    ShowItemEditor(0, row, RecordRefreshes());
    EXPECT_TRUE(Item("Cake").specialBuy());
}

TEST_F(ItemEditorTest, ZeroPriceShowsAnEmptyBox) {
    PutItem({"Salt", "box", 0, 0, 0, 0});
    Then([] { EXPECT_EQ(plat::GetText(script::ActiveDialog(), 203), ""); });
    Click(2);
    ShowItemEditor(0, 1, RecordRefreshes());
}

TEST_F(ItemEditorTest, CategoryChoiceWithoutAndWithDuplicateNames) {
    // No categories: the list is empty and the item gets none.
    Type("Salt");
    Then([] { EXPECT_EQ(plat::ListCount(script::ActiveDialog(), 204), 0); });
    Click(1);
    ShowItemEditor(0, 0, RecordRefreshes());
    EXPECT_EQ(Item("Salt").catg, 0);

    // Two categories of the same name (differing in case): the first is shown.
    SetUp();
    PutCategories({"Dairy", "dairy"});
    PutItem({"Milk", "gallon", 3, 2});
    Then([] { EXPECT_EQ(plat::ListGetSel(script::ActiveDialog(), 204), 0); });
    Click(1);
    ShowItemEditor(0, 1, RecordRefreshes());
    EXPECT_EQ(Item("Milk").catg, 1);

    // A name too long for the search still shows the item's own category.
    SetUp();
    PutCategories({"fruit", "a category name of more than thirty-one characters"});
    PutItem({"Kiwi", "each", 1, 2});
    Then([] { EXPECT_EQ(plat::ListGetSel(script::ActiveDialog(), 204), 1); });
    Click(1);
    ShowItemEditor(0, 1, RecordRefreshes());
    EXPECT_EQ(Item("Kiwi").catg, 2);

    // An item without a category selects none and keeps none.
    SetUp();
    PutCategories({""});
    PutItem({"Pepper", "jar", 3, 0});
    Then([] { EXPECT_EQ(plat::ListGetSel(script::ActiveDialog(), 204), -1); });
    Click(1);
    ShowItemEditor(0, 1, RecordRefreshes());
    EXPECT_EQ(Item("Pepper").catg, 0);
}

}  // namespace
}  // namespace pantrium::test

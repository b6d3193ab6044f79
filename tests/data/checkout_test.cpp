#include "data/checkout.h"
#include "data/list_file.h"
#include "data_test_support.h"

namespace pantrium::test {
namespace {

using CheckoutTest = DataTest;

int Item(const std::string& name, float units, bool special = false) {
    AddItem(name, "", "1", 0, special, units != 0, units);
    return itemTable.itemCount;
}

int BoughtCount() {
    int n = 0;
    for (int k = 1; k <= itemTable.itemCount; ++k) n += itemTable.records[k].toBuy();
    return n;
}

void Checkout(const char* date, bool prices = false, const std::function<float(int)>& ask = {}) {
    TakeCheckoutSnapshot();
    ApplyCheckout(Date(date), prices, BoughtCount(), ask);
}

TEST_F(CheckoutTest, HistoryFillsAndShiftsAtFive) {
    int three = Item("three", 2);
    SetHistory(itemTable.records[three], {{"1-1-24", 1}, {"1-2-24", 1}, {"1-3-24", 1}});
    itemTable.records[three].SetFlag(kAutoListed, true);
    int five = Item("five", 4);
    SetHistory(itemTable.records[five],
               {{"1-1-24", 1}, {"1-2-24", 2}, {"1-3-24", 3}, {"1-4-24", 4}, {"1-5-24", 5}});
    int zero = Item("zero units", 0);
    itemTable.records[zero].SetFlag(kToBuy, true);
    int idle = Item("not bought", 0);
    itemTable.modified = false;
    itemTable.totalCost = 12;

    Checkout("2-1-2024");
    const ItemRecord& t = itemTable.records[three];
    EXPECT_EQ(FormatPackedDate(t.buyDate[3]), "02-01-24");
    EXPECT_EQ(t.buyUnits[3], 2);
    EXPECT_EQ(t.buyDate[4], 0);
    EXPECT_FALSE(t.toBuy() || t.autoListed() || t.unitsToBuy != 0);  // auto mark cleared too
    const ItemRecord& f = itemTable.records[five];
    EXPECT_EQ(FormatPackedDate(f.buyDate[0]), "01-02-24");
    EXPECT_EQ(f.buyUnits[0], 2);
    EXPECT_EQ(FormatPackedDate(f.buyDate[4]), "02-01-24");
    EXPECT_EQ(f.buyUnits[4], 4);
    // Recorded with 0 units: in use by date, not counted by units.
    EXPECT_EQ(FormatPackedDate(itemTable.records[zero].buyDate[0]), "02-01-24");
    EXPECT_EQ(LastBuyText(itemTable.records[zero]), "");
    EXPECT_EQ(itemTable.records[idle].buyDate[0], 0);
    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(itemTable.totalCost, 0);
    EXPECT_EQ(TakePendingRefresh(), 0);

    itemTable.records[zero].SetFlag(kToBuy, true);
    Checkout("3-1-2024");
    EXPECT_EQ(FormatPackedDate(itemTable.records[zero].buyDate[1]), "03-01-24");
}

TEST_F(CheckoutTest, SpecialBuysAreRemovedMarkedOrNot) {
    Item("a", 1);
    Item("b special", 1, true);
    Item("c special", 1, true);  // next to the other one
    Item("d", 0);
    int unmarked = Item("e special", 1, true);
    itemTable.records[unmarked].SetFlag(kToBuy, false);
    Item("f", 2);
    Checkout("2-1-24");
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"a", "d", "f"}));
    EXPECT_EQ(itemTable.records[1].buyUnits[0], 1);
    EXPECT_EQ(itemTable.records[2].buyDate[0], 0);  // not bought
}

TEST_F(CheckoutTest, PricePass) {
    for (const char* n : {"a", "b", "c"}) Item(n, 1);
    Item("d", 0);
    Item("special", 1, true);
    std::vector<int> asked;
    // A negative price for the first stops asking; every item is still recorded.
    Checkout("2-1-24", true, [&](int k) {
        asked.push_back(k);
        return -1.0f;
    });
    EXPECT_EQ(asked, std::vector<int>{1});
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(itemTable.records[k].pricePerUnit, 1);
        EXPECT_EQ(itemTable.records[k].buyUnits[0], 1);
    }

    // > 0 takes the price, 0 keeps it; the pass ends once the counted items were asked.
    Item("special", 1, true);
    for (int k = 1; k <= 3; ++k) itemTable.records[k].SetFlag(kToBuy, true);
    const float answers[] = {2.5f, 0.0f, 4.0f, 5.0f};
    asked.clear();
    Checkout("2-2-24", true, [&](int k) {
        asked.push_back(k);
        return answers[asked.size() - 1];
    });
    EXPECT_EQ(asked, (std::vector<int>{1, 2, 3, 5}));  // the special buy is asked too
    EXPECT_EQ(itemTable.records[1].pricePerUnit, 2.5f);
    EXPECT_EQ(itemTable.records[2].pricePerUnit, 1);
    EXPECT_EQ(itemTable.records[3].pricePerUnit, 4);
    EXPECT_EQ(itemTable.itemCount, 4);

    itemTable.records[1].SetFlag(kToBuy, true);
    asked.clear();
    Checkout("2-3-24", false, [&](int k) { asked.push_back(k); return 9.0f; });
    EXPECT_TRUE(asked.empty());  // prices not updated: nobody is asked
}

TEST_F(CheckoutTest, UndoRestoresTheSnapshotEveryTime) {
    Item("keep", 1);
    Item("special", 1, true);
    EXPECT_FALSE(UndoCheckout());  // nothing taken in this run: nothing changes
    EXPECT_EQ(itemTable.itemCount, 2);

    const auto records = itemTable.records;
    const auto order = itemTable.rowOrder;
    Checkout("2-1-24");
    Item("added later", 3);
    TakePendingRefresh();  // the add's own
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(UndoCheckout());
        EXPECT_EQ(TakePendingRefresh(), 0) << "pass " << pass;
        ASSERT_EQ(itemTable.records.size(), 3u);
        for (int k = 1; k <= 2; ++k) {
            Bytes a(80), b(80);
            EncodeRecord(itemTable.records[k], a.data());
            EncodeRecord(records[k], b.data());
            EXPECT_EQ(a, b) << "record " << k << " pass " << pass;
        }
        EXPECT_EQ(itemTable.rowOrder, order);
        // The two items were never saved: the table still differs from its file.
        EXPECT_TRUE(itemTable.modified);
    }

    // Undo after the categories shrank: no item may refer past the list.
    itemTable.catgCount = 1;
    itemTable.catgNames = {"", "a"};
    itemTable.snapshot.records[1].catg = 2;
    ASSERT_TRUE(UndoCheckout());
    EXPECT_EQ(itemTable.records[1].catg, 0);
}

// Undo leaves the table modified exactly when it differs from its list file.
class UndoAgainstTheFileTest : public CheckoutTest {
protected:
    void SetUp() override {
        CheckoutTest::SetUp();
        itemTable.listPath = "list.ptm";
        Item("Milk", 2);
        Item("Bread", 0);
        ASSERT_EQ(SaveList(), SaveResult::Saved);
        ASSERT_FALSE(itemTable.modified);
    }
    TempDir dir;
};

TEST_F(UndoAgainstTheFileTest, WithoutASaveTheTableIsTheFileAgain) {
    Checkout("2-1-24");
    EXPECT_TRUE(itemTable.modified);
    ASSERT_TRUE(UndoCheckout());
    EXPECT_FALSE(itemTable.modified);
    EXPECT_EQ(ListFileBytes(), ReadBytes("list.ptm"));
}

TEST_F(UndoAgainstTheFileTest, AfterASaveOfTheCheckoutTheTableDiffers) {
    Checkout("2-1-24");
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    ASSERT_TRUE(UndoCheckout());
    EXPECT_TRUE(itemTable.modified);  // the file holds the checkout
    EXPECT_NE(ListFileBytes(), ReadBytes("list.ptm"));
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    ASSERT_TRUE(UndoCheckout());  // the same snapshot again: now what the file holds
    EXPECT_FALSE(itemTable.modified);
}

TEST_F(UndoAgainstTheFileTest, ChangesBeforeTheCheckoutStayUnsaved) {
    Item("Eggs", 1);  // not saved
    Checkout("2-1-24");
    ASSERT_TRUE(UndoCheckout());
    EXPECT_TRUE(itemTable.modified);
}

TEST_F(UndoAgainstTheFileTest, AChangeUndoneByHandBeforeTheCheckoutIsNoChange) {
    // A mark checked and unchecked again: flagged, yet the table is the file.
    itemTable.modified = true;
    Checkout("2-1-24");
    ASSERT_TRUE(UndoCheckout());
    EXPECT_FALSE(itemTable.modified);
}

TEST_F(UndoAgainstTheFileTest, AListNeverSavedKeepsItsStateBeforeTheCheckout) {
    itemTable.listPath = "other.ptm";  // no file loaded or saved under this name
    itemTable.modified = false;
    Checkout("2-1-24");
    ASSERT_TRUE(UndoCheckout());
    EXPECT_FALSE(itemTable.modified);
    itemTable.modified = true;
    Checkout("2-1-24");
    ASSERT_TRUE(UndoCheckout());
    EXPECT_TRUE(itemTable.modified);
}

}  // namespace
}  // namespace pantrium::test

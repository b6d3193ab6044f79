#include "data/checkout.h"
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

void Checkout(const char* date, bool prices = false,
              const std::function<float(int)>& ask = nullptr) {
    TakeCheckoutSnapshot();
    ApplyCheckout(Date(date), prices, BoughtCount(), ask);
}

TEST_F(CheckoutTest, HistoryFillsAndShiftsAtFive) {
    int three = Item("three", 2);
    SetHistory(itemTable.records[three], {{"1-1-24", 1}, {"1-2-24", 1}, {"1-3-24", 1}});
    int five = Item("five", 4);
    SetHistory(itemTable.records[five],
               {{"1-1-24", 1}, {"1-2-24", 2}, {"1-3-24", 3}, {"1-4-24", 4}, {"1-5-24", 5}});
    int zero = Item("zero units", 0);
    itemTable.records[zero].SetFlag(kToBuy, true);
    int idle = Item("not bought", 0);
    itemTable.records[three].SetFlag(kAutoListed, true);
    itemTable.modified = false;
    refreshes.clear();
    itemTable.itemsToBuy = 3;
    itemTable.totalCost = 12;

    Checkout("2-1-2024");
    const ItemRecord& t = itemTable.records[three];
    EXPECT_EQ(FormatPackedDate(t.buyDate[3]), "02-01-24");
    EXPECT_EQ(t.buyUnits[3], 2);
    EXPECT_EQ(t.buyDate[4], 0);
    EXPECT_FALSE(t.toBuy());
    EXPECT_FALSE(t.autoListed());
    EXPECT_EQ(t.unitsToBuy, 0);

    const ItemRecord& f = itemTable.records[five];
    EXPECT_EQ(FormatPackedDate(f.buyDate[0]), "01-02-24");
    EXPECT_EQ(f.buyUnits[0], 2);
    EXPECT_EQ(FormatPackedDate(f.buyDate[3]), "01-05-24");
    EXPECT_EQ(FormatPackedDate(f.buyDate[4]), "02-01-24");
    EXPECT_EQ(f.buyUnits[4], 4);

    // Recorded with 0 units: in use by date, but not counted by units.
    const ItemRecord& z = itemTable.records[zero];
    EXPECT_EQ(FormatPackedDate(z.buyDate[0]), "02-01-24");
    EXPECT_EQ(LastBuyText(z), "");
    EXPECT_EQ(itemTable.records[idle].buyDate[0], 0);

    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(itemTable.itemsToBuy, 0);
    EXPECT_EQ(itemTable.totalCost, 0);
    EXPECT_EQ(refreshes, std::vector<int>{0});

    // The next checkout of the zero-units item goes after that entry.
    itemTable.records[zero].SetFlag(kToBuy, true);
    itemTable.records[zero].unitsToBuy = 3;
    Checkout("3-1-2024");
    EXPECT_EQ(FormatPackedDate(itemTable.records[zero].buyDate[1]), "03-01-24");
}

TEST_F(CheckoutTest, SpecialBuysAreRemoved) {
    Item("a", 1);
    Item("b special", 1, true);
    Item("c special", 1, true);
    Item("d", 0);
    int unmarked = Item("e special", 1, true);
    itemTable.records[unmarked].SetFlag(kToBuy, false);
    Item("f", 2);
    Checkout("2-1-24");
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"a", "d", "f"}));
    for (int k = 1; k <= itemTable.itemCount; ++k) EXPECT_FALSE(itemTable.records[k].specialBuy());
    EXPECT_EQ(itemTable.records.size(), 7u);  // deletions keep the capacity
}

TEST_F(CheckoutTest, PricePass) {
    Item("a", 1);
    Item("b", 1);
    Item("c", 1);
    Item("d", 0);
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

    for (int k = 1; k <= 3; ++k) {
        itemTable.records[k].SetFlag(kToBuy, true);
        itemTable.records[k].unitsToBuy = 1;
    }
    asked.clear();
    // 0 keeps the price; the pass ends once every counted item was asked.
    std::vector<float> answers{2.5f, 0.0f, 4.0f};
    TakeCheckoutSnapshot();
    ApplyCheckout(Date("2-2-24"), true, 2, [&](int k) {
        asked.push_back(k);
        return answers[asked.size() - 1];
    });
    EXPECT_EQ(asked, (std::vector<int>{1, 2}));
    EXPECT_EQ(itemTable.records[1].pricePerUnit, 2.5f);
    EXPECT_EQ(itemTable.records[2].pricePerUnit, 1);
    EXPECT_EQ(itemTable.records[3].pricePerUnit, 1);
    EXPECT_EQ(itemTable.records[3].buyUnits[1], 1);  // recorded anyway

    // Without the flag nobody is asked.
    itemTable.records[1].SetFlag(kToBuy, true);
    asked.clear();
    ApplyCheckout(Date("2-3-24"), false, 1, [&](int k) {
        asked.push_back(k);
        return 9.0f;
    });
    EXPECT_TRUE(asked.empty());
}

TEST_F(CheckoutTest, SpecialBuysAreAskedTheirPrice) {
    Item("a", 1, true);
    std::vector<int> asked;
    Checkout("2-1-24", true, [&](int k) {
        asked.push_back(k);
        return 3.0f;
    });
    EXPECT_EQ(asked, std::vector<int>{1});
    EXPECT_EQ(itemTable.itemCount, 0);
}

TEST_F(CheckoutTest, UndoRestoresTheSnapshotEveryTime) {
    EXPECT_FALSE(UndoCheckout());  // nothing taken yet: nothing changes
    Item("keep", 1);
    Item("special", 1, true);
    EXPECT_FALSE(UndoCheckout());
    EXPECT_EQ(itemTable.itemCount, 2);

    const auto records = itemTable.records;
    const auto order = itemTable.rowOrder;
    Checkout("2-1-24");
    ASSERT_EQ(itemTable.itemCount, 1);
    Item("added later", 3);
    itemTable.modified = false;
    refreshes.clear();

    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(UndoCheckout());
        ASSERT_EQ(itemTable.itemCount, 2);
        ASSERT_EQ(itemTable.records.size(), 3u);
        for (int k = 1; k <= 2; ++k) {
            Bytes a(80), b(80);
            EncodeRecord(itemTable.records[k], a.data());
            EncodeRecord(records[k], b.data());
            EXPECT_EQ(a, b) << "record " << k << " pass " << pass;
        }
        EXPECT_EQ(itemTable.rowOrder, order);
        EXPECT_FALSE(itemTable.modified);
    }
    EXPECT_EQ(refreshes, (std::vector<int>{0, 0}));
}

TEST_F(CheckoutTest, UndoDropsCategoriesTheListNoLongerHas) {
    itemTable.catgCount = 2;
    itemTable.catgNames = {"", "a", "b"};
    AddItem("x", "", "", 2, false, true, 1);
    Checkout("2-1-24");
    itemTable.catgCount = 1;
    itemTable.catgNames = {"", "a"};
    itemTable.records[1].catg = 0;
    ASSERT_TRUE(UndoCheckout());
    EXPECT_EQ(itemTable.records[1].catg, 0);
    EXPECT_TRUE(itemTable.records[1].toBuy());
}

}  // namespace
}  // namespace pantrium::test

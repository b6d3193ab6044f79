#include <algorithm>
#include <limits>
#include <random>

#include "data_test_support.h"

namespace pantrium::test {
namespace {

using ItemTableTest = DataTest;

void Add(const std::string& name, int catg = 0) { AddItem(name, "each", "1", catg, false, false, 0); }

TEST_F(ItemTableTest, PriceTypedOutOfRangeIsTheLargestAmountOfItsSign) {
    AddItem("Gold", "", "1e39", 0, false, false, 0);
    AddItem("Debt", "", "-1e39", 0, false, false, 0);
    AddItem("Dust", "", "1e-60", 0, false, false, 0);
    EXPECT_EQ(itemTable.records[1].pricePerUnit, std::numeric_limits<float>::max());
    EXPECT_EQ(itemTable.records[2].pricePerUnit, -std::numeric_limits<float>::max());
    EXPECT_EQ(itemTable.records[3].pricePerUnit, 0);
}

TEST_F(ItemTableTest, AddAndChangeItems) {
    AddItem("Milk", "1 gallon", " 2.5", 1, false, true, 3);
    EXPECT_EQ(TakePendingRefresh(), 1);  // the row of the new record
    const ItemRecord& milk = itemTable.records[1];
    EXPECT_EQ(FieldText(milk.unitDescr), "1 gallon            ");
    EXPECT_FLOAT_EQ(milk.pricePerUnit, 2.5f);
    EXPECT_TRUE(milk.toBuy() && !milk.autoListed() && milk.catg == 1 && milk.unitsToBuy == 3);
    EXPECT_TRUE(itemTable.modified);
    // A special one-time buy is always on the list with one unit.
    AddItem("Cake", "", "", 0, true, false, 7);
    EXPECT_TRUE(itemTable.records[2].toBuy() && itemTable.records[2].unitsToBuy == 1);
    EXPECT_EQ(TakePendingRefresh(), 1);

    // A change makes a new last record with an empty history; the row follows the sort.
    SetHistory(itemTable.records[1], {{"1-1-24", 2}, {"1-8-24", 1}});
    ChangeItem(2, "Apples", "bag", "3.25", 0, false, true, 2);  // row 2 shows Milk
    ASSERT_EQ(itemTable.itemCount, 2);
    EXPECT_EQ(Name(itemTable.records[1]), "Cake");
    EXPECT_EQ(LastBuyText(itemTable.records[2]), "");
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"Apples", "Cake"}));

    StoreTextField(itemTable.records[1].itemName, "A name longer than twenty bytes");
    EXPECT_EQ(FieldText(itemTable.records[1].itemName), "A name longer than t");
}

TEST_F(ItemTableTest, SortKeyRule) {
    ItemRecord rec;
    rec.catg = 3;
    StoreTextField(rec.itemName, "Milk");
    EXPECT_EQ(SortKey(rec), " 3Milk" + std::string(16, ' '));
    // Category digits compare as text; no category first; case-sensitive,
    // unsigned bytes; the padding spaces take part.
    for (auto [name, catg] : {std::pair{"Apples", 1}, {"Bread", 10}, {"zucchini", 2},
                              {"Zebra cake", 2}, {"\xC9" "clair", 2}, {"Milk!", 0}, {"Milk", 0}})
        Add(name, catg);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"Milk", "Milk!", "Bread", "Apples",
                                                    "Zebra cake", "zucchini", "\xC9" "clair"}));
    itemTable.modified = false;
    SortRows(2);  // record 2 (Bread) shows in row 3
    EXPECT_EQ(TakePendingRefresh(), 3);
    SortRows(99);
    EXPECT_EQ(TakePendingRefresh(), 1);
    EXPECT_FALSE(itemTable.modified);
}

TEST_F(ItemTableTest, SortOrderMatchesTheKeyBytes) {
    // Random categories and name bytes, NUL and 0xFF included, and keys
    // where one begins another.
    std::mt19937 rng(7);
    const std::uint8_t alphabet[] = {0x00, 0x01, ' ', '0', '1', '9', 'A', 'a', 0x7F, 0x80, 0xFF};
    const int catgs[] = {0, 1, 2, 10, 11, 100, 101, 255};
    for (int i = 0; i < 2000; ++i) {
        AddItem("", "", "", catgs[rng() % 8], false, false, 0);
        for (char& c : itemTable.records[itemTable.itemCount].itemName)
            c = static_cast<char>(alphabet[rng() % sizeof alphabet]);
    }
    SortRows(0);
    for (int r = 1; r < itemTable.itemCount; ++r)  // std::string compares unsigned bytes
        ASSERT_LE(SortKey(itemTable.RecordOfRow(r)), SortKey(itemTable.RecordOfRow(r + 1))) << r;
}

TEST_F(ItemTableTest, SortOfManyRowsWithLongRunsOfEqualKeysKeepsEveryRecordOnce) {
    // Four keys shared by thousands of rows, one key that begins another,
    // and a stored order that is not the record order.
    const char* names[] = {"Tea", "Tea ", "Tea bags", "tea"};
    const int n = 6000;
    itemTable.itemCount = n;
    itemTable.records.assign(n + 1, ItemRecord{});
    itemTable.rowOrder.assign(n + 1, 0);
    for (int k = 1; k <= n; ++k) {
        StoreTextField(itemTable.records[k].itemName, names[k % 4]);
        itemTable.records[k].catg = k % 3 == 0 ? 12 : 1;
        itemTable.rowOrder[k] = n + 1 - k;
    }
    SortRows(0);
    std::vector<int> seen(n + 1, 0);
    for (int r = 1; r <= n; ++r) {
        ASSERT_EQ(seen[itemTable.rowOrder[r]]++, 0) << "record shown twice, row " << r;
        if (r > 1) {
            ASSERT_LE(SortKey(itemTable.RecordOfRow(r - 1)), SortKey(itemTable.RecordOfRow(r))) << r;
        }
    }
    // Digits sort before letters: " 12Tea" comes before " 1Tea"; "tea" is last.
    EXPECT_EQ(SortKey(itemTable.RecordOfRow(1)), " 12Tea" + std::string(17, ' '));
    EXPECT_EQ(SortKey(itemTable.RecordOfRow(n)), " 1tea" + std::string(17, ' '));
}

TEST_F(ItemTableTest, SortGivesTheKeyOrderWithEqualKeysInRecordOrder) {
    // Short and long lists (the long one is first spread by its leading key
    // bytes); few distinct bytes, so that keys repeat and begin one another.
    std::mt19937 rng(11);
    const std::uint8_t alphabet[] = {0x00, ' ', '0', '1', '9', 'A', 'a', 0x80, 0xFF};
    const int catgs[] = {0, 1, 2, 9, 10, 11, 12, 99, 100, 101, 255};
    for (const int n : {3000, 100000}) {
        itemTable.itemCount = n;
        itemTable.records.assign(n + 1, ItemRecord{});
        itemTable.rowOrder.assign(n + 1, 0);
        for (int k = 1; k <= n; ++k) {
            ItemRecord& rec = itemTable.records[k];
            rec.catg = static_cast<std::uint8_t>(catgs[rng() % 11]);
            const std::size_t varied = 1 + rng() % 6;  // the rest of the name is one repeated byte
            const std::uint8_t fill = alphabet[rng() % 2];
            for (std::size_t i = 0; i < kTextField; ++i)
                rec.itemName[i] = static_cast<char>(i < varied ? alphabet[rng() % sizeof alphabet] : fill);
        }
        std::vector<std::string> keys(n + 1);
        std::vector<std::int32_t> expected(n + 1, 0);
        for (int k = 1; k <= n; ++k) {
            keys[k] = SortKey(itemTable.records[k]);
            expected[k] = k;
        }
        std::stable_sort(expected.begin() + 1, expected.end(),
                         [&keys](std::int32_t a, std::int32_t b) { return keys[a] < keys[b]; });
        SortRows(n / 2);
        ASSERT_EQ(itemTable.rowOrder, expected) << n;
        const auto row = std::find(expected.begin(), expected.end(), n / 2) - expected.begin();
        EXPECT_EQ(TakePendingRefresh(), static_cast<int>(row)) << n;
    }
}

TEST_F(ItemTableTest, DeleteRowRenumbersRecords) {
    for (const char* n : {"a", "b", "c", "d"}) Add(n);
    itemTable.rowOrder = {0, 4, 3, 2, 1};
    TakePendingRefresh();  // the adds' own
    DeleteRow(3, true);  // row 3 shows record 2
    EXPECT_EQ(TakePendingRefresh(), 3);
    EXPECT_EQ(itemTable.rowOrder, (std::vector<std::int32_t>{0, 3, 2, 1, 0}));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"d", "c", "a"}));
    ASSERT_EQ(itemTable.records.size(), 5u);  // capacity kept, vacated record zero
    EXPECT_EQ(itemTable.records[4].itemName[0], 0);
    DeleteRow(3, true);  // the last row: the new last row is selected
    EXPECT_EQ(TakePendingRefresh(), 2);
    DeleteRow(1, true);
    EXPECT_EQ(TakePendingRefresh(), 1);
    DeleteRow(1, false);
    EXPECT_EQ(TakePendingRefresh(), std::nullopt);
    EXPECT_EQ(itemTable.itemCount, 0);

    // A row outside 1..n changes nothing.
    itemTable.modified = false;
    DeleteRow(1, true);
    ResetItemHistory(0);
    ChangeItem(1, "x", "", "", 0, false, false, 0);
    EXPECT_FALSE(itemTable.modified);
    EXPECT_EQ(itemTable.itemCount, 0);
    EXPECT_EQ(TakePendingRefresh(), std::nullopt);  // nor asks for a redraw
    Add("e");  // adding trims the capacity to exactly n
    EXPECT_EQ(itemTable.records.size(), 2u);
}

TEST_F(ItemTableTest, ResetHistoriesKeepMarksAndUnits) {
    Add("a");
    Add("b");
    for (int k = 1; k <= 2; ++k) {
        SetHistory(itemTable.records[k], {{"1-1-24", 2}});
        itemTable.records[k].SetFlag(kToBuy, true);
        itemTable.records[k].unitsToBuy = 4;
    }
    itemTable.modified = false;
    ResetItemHistory(2);
    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(itemTable.records[2].buyUnits[0], 0);
    EXPECT_NE(itemTable.records[1].buyDate[0], 0);
    EXPECT_TRUE(itemTable.records[2].toBuy() && itemTable.records[2].unitsToBuy == 4);
    ResetAllHistories();
    EXPECT_EQ(itemTable.records[1].buyDate[0], 0);
}

}  // namespace
}  // namespace pantrium::test

#include <random>

#include "data_test_support.h"

namespace pantrium::test {
namespace {

using ItemTableTest = DataTest;

void Add(const std::string& name, int catg = 0) { AddItem(name, "each", "1", catg, false, false, 0); }

TEST_F(ItemTableTest, AddItemFillsANewRecord) {
    AddItem("Milk", "1 gallon", " 2.5", 1, false, true, 3);
    ASSERT_EQ(itemTable.itemCount, 1);
    ASSERT_EQ(itemTable.records.size(), 2u);
    const ItemRecord& rec = itemTable.records[1];
    EXPECT_EQ(FieldText(rec.itemName), "Milk                ");
    EXPECT_EQ(FieldText(rec.unitDescr), "1 gallon            ");
    EXPECT_FLOAT_EQ(rec.pricePerUnit, 2.5f);
    EXPECT_EQ(rec.catg, 1);
    EXPECT_TRUE(rec.toBuy());
    EXPECT_FLOAT_EQ(rec.unitsToBuy, 3);
    EXPECT_FALSE(rec.autoListed());
    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(refreshes, std::vector<int>{1});

    // A special one-time buy is always on the list with one unit.
    AddItem("Cake", "", "", 0, true, false, 7);
    const ItemRecord& cake = itemTable.records[2];
    EXPECT_TRUE(cake.specialBuy());
    EXPECT_TRUE(cake.toBuy());
    EXPECT_EQ(cake.unitsToBuy, 1);
    EXPECT_EQ(cake.pricePerUnit, 0);
    EXPECT_EQ(refreshes.back(), 1);  // category 0 sorts first
}

TEST_F(ItemTableTest, TextFieldsAreCutAndPadded) {
    ItemRecord rec;
    StoreTextField(rec.itemName, "A name longer than twenty bytes");
    EXPECT_EQ(FieldText(rec.itemName), "A name longer than t");
    StoreTextField(rec.itemName, "  Eggs ");
    EXPECT_EQ(FieldText(rec.itemName), "  Eggs              ");
    EXPECT_EQ(TrimmedField(rec.itemName), "Eggs");
}

TEST_F(ItemTableTest, SortKeyAndOrder) {
    ItemRecord rec;
    rec.catg = 3;
    StoreTextField(rec.itemName, "Milk");
    EXPECT_EQ(SortKey(rec), " 3Milk" + std::string(16, ' '));
    rec.catg = 255;
    EXPECT_EQ(SortKey(rec).substr(0, 4), " 255");

    // Category digits compare as text; no category first; case-sensitive,
    // unsigned bytes; trailing spaces take part.
    Add("Apples", 1);
    Add("Bread", 10);
    Add("zucchini", 2);
    Add("Zebra cake", 2);
    Add("\xC9" "clair", 2);  // byte 0xC9 sorts after every ASCII letter
    Add("Milk!", 0);
    Add("Milk", 0);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"Milk", "Milk!", "Bread", "Apples",
                                                    "Zebra cake", "zucchini", "\xC9" "clair"}));
}

TEST_F(ItemTableTest, SortOrderMatchesTheKeyBytes) {
    // Random categories and name bytes, including NUL, 0xFF and names that
    // differ only where one key is longer than the other.
    std::mt19937 rng(7);
    const std::uint8_t alphabet[] = {0x00, 0x01, ' ', '0', '1', '9', 'A', 'a', 0x7F, 0x80, 0xFF};
    for (int i = 0; i < 2000; ++i) {
        AddItem("", "", "", 0, false, false, 0);
        ItemRecord& rec = itemTable.records[itemTable.itemCount];
        const int catgs[] = {0, 1, 2, 10, 11, 100, 101, 255, static_cast<int>(rng() % 256)};
        rec.catg = static_cast<std::uint8_t>(catgs[rng() % 9]);
        for (char& c : rec.itemName) c = static_cast<char>(alphabet[rng() % sizeof alphabet]);
    }
    SortRows(0);
    for (int r = 1; r < itemTable.itemCount; ++r) {
        // std::string compares its bytes as unsigned characters.
        ASSERT_LE(SortKey(itemTable.RecordOfRow(r)), SortKey(itemTable.RecordOfRow(r + 1))) << r;
    }
}

TEST_F(ItemTableTest, SortRowsRefreshesAtTheSelectedRecord) {
    Add("C");
    Add("A");
    Add("B");
    refreshes.clear();
    SortRows(1);  // record 1 (C) now shows in row 3
    SortRows(0);
    SortRows(99);
    EXPECT_EQ(refreshes, (std::vector<int>{3, 1, 1}));
}

TEST_F(ItemTableTest, SortingDoesNotTouchModified) {
    Add("B");
    Add("A");
    itemTable.modified = false;
    SortRows(0);
    EXPECT_FALSE(itemTable.modified);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(ItemTableTest, DeleteRowRenumbersRecords) {
    for (const char* n : {"a", "b", "c", "d"}) Add(n);
    // Show records in the order 4 3 2 1 so rows and records differ.
    itemTable.rowOrder = {0, 4, 3, 2, 1};
    itemTable.modified = false;
    refreshes.clear();
    DeleteRow(3, true);  // row 3 shows record 2 ("b")
    EXPECT_EQ(itemTable.itemCount, 3);
    EXPECT_EQ(itemTable.rowOrder, (std::vector<std::int32_t>{0, 3, 2, 1, 0}));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"d", "c", "a"}));
    ASSERT_EQ(itemTable.records.size(), 5u);
    EXPECT_EQ(itemTable.records[4].itemName[0], 0);  // vacated element all zero
    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(refreshes, std::vector<int>{3});
}

TEST_F(ItemTableTest, DeleteRowSelection) {
    for (const char* n : {"a", "b", "c"}) Add(n);
    refreshes.clear();
    DeleteRow(3, true);  // the last row: the new last row is selected
    DeleteRow(1, true);
    DeleteRow(1, false);
    EXPECT_EQ(refreshes, (std::vector<int>{2, 1}));
    EXPECT_EQ(itemTable.itemCount, 0);
    EXPECT_EQ(itemTable.records.size(), 4u);  // capacity kept
    // A row outside 1..n changes nothing.
    itemTable.modified = false;
    DeleteRow(1, true);
    DeleteRow(0, true);
    ResetItemHistory(1);
    ChangeItem(1, "x", "", "", 0, false, false, 0);
    EXPECT_EQ(itemTable.itemCount, 0);
    EXPECT_FALSE(itemTable.modified);
    EXPECT_EQ(refreshes.size(), 2u);
    // Adding trims the capacity back to exactly n.
    Add("e");
    EXPECT_EQ(itemTable.records.size(), 2u);
    EXPECT_EQ(itemTable.rowOrder, (std::vector<std::int32_t>{0, 1}));
}

TEST_F(ItemTableTest, ChangeItemStartsANewHistory) {
    Add("Apples");
    Add("Bread");
    ItemRecord& apples = itemTable.records[1];
    SetHistory(apples, {{"1-1-24", 2}, {"1-8-24", 1}});
    ChangeItem(1, "Apples", "bag", "3.25", 0, false, true, 2);  // row 1 shows Apples
    ASSERT_EQ(itemTable.itemCount, 2);
    EXPECT_EQ(Name(itemTable.records[1]), "Bread");
    const ItemRecord& changed = itemTable.records[2];  // the last record index
    EXPECT_EQ(Name(changed), "Apples");
    EXPECT_FLOAT_EQ(changed.pricePerUnit, 3.25f);
    EXPECT_EQ(LastBuyText(changed), "");
    EXPECT_TRUE(changed.toBuy());
    EXPECT_EQ(changed.unitsToBuy, 2);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"Apples", "Bread"}));
}

TEST_F(ItemTableTest, ResetHistories) {
    Add("a");
    Add("b");
    for (int k = 1; k <= 2; ++k) {
        SetHistory(itemTable.records[k], {{"1-1-24", 2}, {"1-8-24", 1}});
        itemTable.records[k].SetFlag(kToBuy, true);
        itemTable.records[k].unitsToBuy = 4;
    }
    itemTable.modified = false;
    ResetItemHistory(2);  // row 2 = record 2
    const ItemRecord& b = itemTable.records[2];
    EXPECT_EQ(b.buyDate[0], 0);
    EXPECT_EQ(b.buyUnits[1], 0);
    EXPECT_TRUE(b.toBuy());
    EXPECT_EQ(b.unitsToBuy, 4);
    EXPECT_NE(itemTable.records[1].buyDate[0], 0);
    EXPECT_TRUE(itemTable.modified);
    ResetAllHistories();
    EXPECT_EQ(itemTable.records[1].buyDate[0], 0);
    EXPECT_EQ(itemTable.records[1].unitsToBuy, 4);
}

TEST_F(ItemTableTest, ClearTableEmptiesEverything) {
    Add("a", 1);
    itemTable.catgCount = 1;
    itemTable.catgNames = {"", "dairy"};
    ClearTable();
    EXPECT_EQ(itemTable.itemCount, 0);
    EXPECT_EQ(itemTable.records.size(), 1u);
    EXPECT_EQ(itemTable.rowOrder.size(), 1u);
    EXPECT_EQ(itemTable.catgCount, 0);
    EXPECT_EQ(itemTable.catgNames.size(), 1u);
}

}  // namespace
}  // namespace pantrium::test

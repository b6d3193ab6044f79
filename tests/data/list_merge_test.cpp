// The item-by-item merge of two versions of a list: the household's cases
// (one PC adds, another marks; both change a price; checkout on one, edits on
// the other; delete against change), categories, buying histories, the merge
// without a common version, and undo after a merge.
#include <gtest/gtest.h>

#include "data/categories.h"
#include "data/checkout.h"
#include "data_test_support.h"
#include "list_merge_support.h"

namespace pantrium::test {
namespace {

class ListMergeTest : public DataTest {
protected:
    // base: dairy, bakery; Bread (bakery), Eggs and Butter (dairy), Salt (none).
    void SetUp() override {
        DataTest::SetUp();
        AppendCategory("dairy");
        AppendCategory("bakery");
        AddItem("Bread", "loaf", "2.5", 2, false, false, 0);
        AddItem("Eggs", "dozen", "3", 1, false, false, 0);
        AddItem("Butter", "pound", "4", 1, false, false, 0);
        AddItem("Salt", "box", "1", 0, false, false, 0);
        SetHistory(itemTable.RecordOfRow(RowNamed("Eggs")), {{"01-05-2024", 1}, {"02-05-2024", 2}});
        base = itemTable;
        mine = base;
        theirs = base;
    }

    MergeOutcome Merge() { return MergeLists(base, mine, theirs); }

    ItemTable base, mine, theirs;
};

// ---- The household's cases ----

TEST_F(ListMergeTest, OneSideAddsTheOtherMarksBothAreKept) {
    Edit(theirs, [] { AddItem("Milk", "gallon", "3.2", 1, false, false, 0); });
    Edit(mine, [] { MarkToBuy("Bread", 2); });
    const MergeOutcome out = Merge();
    ASSERT_NE(FindItem(out.merged, "dairy", "Milk"), nullptr);
    const ItemRecord* bread = FindItem(out.merged, "bakery", "Bread");
    ASSERT_NE(bread, nullptr);
    EXPECT_TRUE(bread->toBuy());
    EXPECT_EQ(bread->unitsToBuy, 2);
    EXPECT_EQ(out.merged.itemCount, 5);
    EXPECT_TRUE(out.conflicts.empty());
    EXPECT_TRUE(out.tookTheirs);
}

TEST_F(ListMergeTest, SamePriceChangedOnBothSidesMineWinsAndIsReported) {
    Edit(theirs, [] { SetPrice("Eggs", 3.10f); });
    Edit(mine, [] { SetPrice("Eggs", 2.90f); });
    const MergeOutcome out = Merge();
    EXPECT_EQ(FindItem(out.merged, "dairy", "Eggs")->pricePerUnit, 2.90f);
    EXPECT_EQ(ConflictTexts(out.conflicts), std::vector<std::string>{"dairy/Eggs/dozen: price"});
}

TEST_F(ListMergeTest, DifferentFieldsOfOneItemChangedOnEachSideAreBothTaken) {
    Edit(theirs, [] { SetPrice("Butter", 4.5f); });
    Edit(mine, [] { MarkToBuy("Butter", 1); });
    const MergeOutcome out = Merge();
    const ItemRecord* butter = FindItem(out.merged, "dairy", "Butter");
    EXPECT_EQ(butter->pricePerUnit, 4.5f);
    EXPECT_TRUE(butter->toBuy());
    EXPECT_EQ(butter->unitsToBuy, 1);
    EXPECT_TRUE(out.conflicts.empty());
}

TEST_F(ListMergeTest, SameChangeOnBothSidesIsNoConflict) {
    Edit(theirs, [] { SetPrice("Eggs", 3.5f); });
    Edit(mine, [] { SetPrice("Eggs", 3.5f); });
    const MergeOutcome out = Merge();
    EXPECT_EQ(FindItem(out.merged, "dairy", "Eggs")->pricePerUnit, 3.5f);
    EXPECT_TRUE(out.conflicts.empty());
}

TEST_F(ListMergeTest, CheckoutOnOneSideAndEditsOnTheOtherBothSurvive) {
    // Theirs buys Eggs and a one-time buy of Candles and checks out.
    Edit(theirs, [] {
        AddItem("Candles", "pack", "5", 0, true, true, 1);
        MarkToBuy("Eggs", 2);
        ApplyCheckout(Date("03-05-2024"), false, 2, nullptr);
    });
    // Mine changes Butter's price and marks Bread.
    Edit(mine, [] {
        SetPrice("Butter", 4.25f);
        MarkToBuy("Bread", 1);
    });
    const MergeOutcome out = Merge();
    const ItemRecord* eggs = FindItem(out.merged, "dairy", "Eggs");
    EXPECT_EQ(eggs->buyDate[2], Date("03-05-2024"));
    EXPECT_EQ(eggs->buyUnits[2], 2);
    EXPECT_FALSE(eggs->toBuy());
    EXPECT_EQ(FindItem(out.merged, "", "Candles"), nullptr);
    EXPECT_EQ(FindItem(out.merged, "dairy", "Butter")->pricePerUnit, 4.25f);
    EXPECT_TRUE(FindItem(out.merged, "bakery", "Bread")->toBuy());
    EXPECT_TRUE(out.conflicts.empty());
}

TEST_F(ListMergeTest, CheckoutOnBothSidesKeepsEveryPurchase) {
    Edit(theirs, [] {
        MarkToBuy("Eggs", 2);
        ApplyCheckout(Date("03-05-2024"), false, 1, nullptr);
    });
    Edit(mine, [] {
        MarkToBuy("Eggs", 1);
        ApplyCheckout(Date("03-07-2024"), false, 1, nullptr);
    });
    const ItemRecord* eggs = FindItem(Merge().merged, "dairy", "Eggs");
    ASSERT_NE(eggs, nullptr);
    EXPECT_EQ(std::vector<PackedDate>(eggs->buyDate, eggs->buyDate + 5),
              (std::vector<PackedDate>{Date("01-05-2024"), Date("02-05-2024"), Date("03-05-2024"),
                                       Date("03-07-2024"), 0}));
    EXPECT_EQ(std::vector<float>(eggs->buyUnits, eggs->buyUnits + 5), (std::vector<float>{1, 2, 2, 1, 0}));
}

TEST_F(ListMergeTest, DeletedOnOneSideChangedOnTheOtherSurvivesWithTheChange) {
    Edit(theirs, [] { DeleteRow(RowNamed("Eggs"), false); });
    Edit(mine, [] { MarkToBuy("Eggs", 3); });
    MergeOutcome out = Merge();
    const ItemRecord* eggs = FindItem(out.merged, "dairy", "Eggs");
    ASSERT_NE(eggs, nullptr);
    EXPECT_EQ(eggs->unitsToBuy, 3);
    // The other way round as well: deleted in mine, changed in theirs.
    std::swap(mine, theirs);
    out = Merge();
    ASSERT_NE(FindItem(out.merged, "dairy", "Eggs"), nullptr);
    EXPECT_EQ(FindItem(out.merged, "dairy", "Eggs")->unitsToBuy, 3);
}

TEST_F(ListMergeTest, DeletedOnOneSideUnchangedOnTheOtherIsDeleted) {
    Edit(theirs, [] { DeleteRow(RowNamed("Salt"), false); });
    Edit(mine, [] { DeleteRow(RowNamed("Butter"), false); });
    const MergeOutcome out = Merge();
    EXPECT_EQ(FindItem(out.merged, "", "Salt"), nullptr);
    EXPECT_EQ(FindItem(out.merged, "dairy", "Butter"), nullptr);
    EXPECT_EQ(out.merged.itemCount, 2);
}

TEST_F(ListMergeTest, ChangedUnitDescriptionIsAChangeOfTheSameItem) {
    Edit(theirs, [] { StoreTextField(itemTable.RecordOfRow(RowNamed("Bread")).unitDescr, "large loaf"); });
    Edit(mine, [] { SetPrice("Bread", 2.75f); });
    const MergeOutcome out = Merge();
    EXPECT_EQ(out.merged.itemCount, 4);
    const ItemRecord* bread = FindItem(out.merged, "bakery", "Bread");
    EXPECT_EQ(TrimmedField(bread->unitDescr), "large loaf");
    EXPECT_EQ(bread->pricePerUnit, 2.75f);
}

TEST_F(ListMergeTest, ItemsOfOneNameAreToldApartByUnit) {
    Edit(mine, [] { AddItem("Eggs", "half dozen", "1.6", 1, false, false, 0); });
    Edit(theirs, [] { SetPrice("Eggs", 3.2f); });
    const MergeOutcome out = Merge();
    EXPECT_EQ(out.merged.itemCount, 5);
    int dozen = 0, half = 0;
    for (int k = 1; k <= out.merged.itemCount; ++k) {
        const ItemRecord& rec = out.merged.records[k];
        if (TrimmedField(rec.unitDescr) == "dozen") dozen += rec.pricePerUnit == 3.2f;
        if (TrimmedField(rec.unitDescr) == "half dozen") half += rec.pricePerUnit == 1.6f;
    }
    EXPECT_EQ(dozen, 1);
    EXPECT_EQ(half, 1);
}

TEST_F(ListMergeTest, AddedOnBothSidesIsOneItemAndDifferencesAreConflicts) {
    Edit(theirs, [] { AddItem("Milk", "gallon", "3.2", 1, false, true, 1); });
    Edit(mine, [] { AddItem("Milk", "gallon", "3.4", 1, false, true, 1); });
    const MergeOutcome out = Merge();
    EXPECT_EQ(out.merged.itemCount, 5);
    EXPECT_EQ(FindItem(out.merged, "dairy", "Milk")->pricePerUnit, 3.4f);
    EXPECT_EQ(ConflictTexts(out.conflicts), std::vector<std::string>{"dairy/Milk/gallon: price"});
}

// ---- Categories ----

TEST_F(ListMergeTest, CategoriesMergeByNameAndItemsAreRenumbered) {
    Edit(theirs, [] {
        AppendCategory("frozen");
        AddItem("Peas", "bag", "1.5", 3, false, false, 0);
    });
    Edit(mine, [] {
        RemoveCategory(1);  // dairy: Eggs and Butter lose their category; bakery becomes 1
        AppendCategory("produce");
        AddItem("Apples", "pound", "2", 2, false, false, 0);
    });
    const MergeOutcome out = Merge();
    // frozen follows bakery, as it does in theirs.
    EXPECT_EQ(CategoryNames(out.merged), (std::vector<std::string>{"bakery", "frozen", "produce"}));
    EXPECT_NE(FindItem(out.merged, "frozen", "Peas"), nullptr);
    EXPECT_NE(FindItem(out.merged, "produce", "Apples"), nullptr);
    EXPECT_NE(FindItem(out.merged, "bakery", "Bread"), nullptr);
    EXPECT_NE(FindItem(out.merged, "", "Eggs"), nullptr);
    EXPECT_EQ(FindItem(out.merged, "dairy", "Eggs"), nullptr);
    for (int k = 1; k <= out.merged.itemCount; ++k) EXPECT_LE(out.merged.records[k].catg, out.merged.catgCount);
}

TEST_F(ListMergeTest, DeletedCategoryStaysWhileAnItemOfTheOtherSideNeedsIt) {
    Edit(theirs, [] { RemoveCategory(1); });
    Edit(mine, [] { AddItem("Cream", "pint", "2", 1, false, false, 0); });
    const MergeOutcome out = Merge();
    EXPECT_NE(FindItem(out.merged, "dairy", "Cream"), nullptr);
    // Eggs and Butter follow theirs (moved to no category, unchanged in mine).
    EXPECT_NE(FindItem(out.merged, "", "Eggs"), nullptr);
    EXPECT_EQ(FindItem(out.merged, "dairy", "Eggs"), nullptr);
}

TEST_F(ListMergeTest, CategoryOrderChangedOnOneSideIsTaken) {
    Edit(theirs, [] {
        itemTable.catgNames = {"", "bakery", "dairy"};
        for (int k = 1; k <= itemTable.itemCount; ++k)
            if (itemTable.records[k].catg) itemTable.records[k].catg = 3 - itemTable.records[k].catg;
    });
    Edit(mine, [] { MarkToBuy("Salt", 1); });
    const MergeOutcome out = Merge();
    EXPECT_EQ(CategoryNames(out.merged), (std::vector<std::string>{"bakery", "dairy"}));
    EXPECT_NE(FindItem(out.merged, "bakery", "Bread"), nullptr);
    EXPECT_NE(FindItem(out.merged, "dairy", "Eggs"), nullptr);
}

// ---- Buying histories ----

TEST(MergeHistoriesTest, NewestFiveKeptInRecordingOrder) {
    ItemRecord base, mine, theirs, out;
    SetHistory(base, {{"01-01-2024", 1}, {"01-02-2024", 1}, {"01-03-2024", 1}, {"01-04-2024", 1}, {"01-05-2024", 1}});
    // Each side recorded one purchase, pushing out the oldest.
    SetHistory(mine, {{"01-02-2024", 1}, {"01-03-2024", 1}, {"01-04-2024", 1}, {"01-05-2024", 1}, {"01-07-2024", 7}});
    SetHistory(theirs, {{"01-02-2024", 1}, {"01-03-2024", 1}, {"01-04-2024", 1}, {"01-05-2024", 1}, {"01-06-2024", 6}});
    MergeHistories(&base, mine, theirs, out);
    EXPECT_EQ(std::vector<PackedDate>(out.buyDate, out.buyDate + 5),
              (std::vector<PackedDate>{Date("01-03-2024"), Date("01-04-2024"), Date("01-05-2024"),
                                       Date("01-06-2024"), Date("01-07-2024")}));
    EXPECT_EQ(std::vector<float>(out.buyUnits, out.buyUnits + 5), (std::vector<float>{1, 1, 1, 6, 7}));
}

TEST(MergeHistoriesTest, AResetOnOneSideDropsTheOldPurchasesNotTheNewOnes) {
    ItemRecord base, mine, theirs, out;
    SetHistory(base, {{"01-01-2024", 1}, {"01-02-2024", 2}});
    SetHistory(theirs, {{"01-01-2024", 1}, {"01-02-2024", 2}, {"01-03-2024", 3}});
    // mine reset its history (all slots empty)
    MergeHistories(&base, mine, theirs, out);
    EXPECT_EQ(out.buyDate[0], Date("01-03-2024"));
    EXPECT_EQ(out.buyUnits[0], 3);
    EXPECT_EQ(out.buyDate[1], 0);
    EXPECT_EQ(out.buyUnits[1], 0);
}

TEST(MergeHistoriesTest, WithoutBaseAPurchaseOnBothSidesCountsOnce) {
    ItemRecord mine, theirs, out;
    SetHistory(mine, {{"01-01-2024", 1}, {"01-02-2024", 2}});
    SetHistory(theirs, {{"01-01-2024", 1}, {"01-02-2024", 2}, {"01-03-2024", 3}});
    MergeHistories(nullptr, mine, theirs, out);
    EXPECT_EQ(std::vector<PackedDate>(out.buyDate, out.buyDate + 4),
              (std::vector<PackedDate>{Date("01-01-2024"), Date("01-02-2024"), Date("01-03-2024"), 0}));
}

// ---- Without a common version ----

TEST_F(ListMergeTest, WithoutBaseEveryDifferenceIsAnAdditionOrAConflict) {
    Edit(theirs, [] {
        DeleteRow(RowNamed("Salt"), false);
        AddItem("Milk", "gallon", "3.2", 1, false, false, 0);
        SetPrice("Bread", 9);
    });
    Edit(mine, [] { DeleteRow(RowNamed("Butter"), false); });
    const MergeOutcome out = MergeListsWithoutBase(mine, theirs);
    // Nothing is deleted: Butter (theirs) and Salt (mine) both stay.
    EXPECT_NE(FindItem(out.merged, "dairy", "Butter"), nullptr);
    EXPECT_NE(FindItem(out.merged, "", "Salt"), nullptr);
    EXPECT_NE(FindItem(out.merged, "dairy", "Milk"), nullptr);
    EXPECT_EQ(FindItem(out.merged, "bakery", "Bread")->pricePerUnit, 2.5f);
    EXPECT_EQ(ConflictTexts(out.conflicts), std::vector<std::string>{"bakery/Bread/loaf: price"});
}

// ---- A merge that changes nothing ----

TEST_F(ListMergeTest, MergeWithItselfGivesTheSameBytes) {
    Edit(mine, [] {
        AppendCategory("frozen");
        AppendCategory("frozen");  // a name twice is kept twice
        AddItem("Peas", "bag", "1.5", 4, false, true, 2);
        DeleteRow(RowNamed("Salt"), false);
    });
    const std::vector<std::uint8_t> bytes = ListFileBytes(mine);
    for (const MergeOutcome& out : {MergeLists(mine, mine, mine), MergeListsWithoutBase(mine, mine),
                                    MergeLists(base, mine, base)}) {
        EXPECT_EQ(ListFileBytes(out.merged), bytes);
        EXPECT_TRUE(out.conflicts.empty());
        EXPECT_FALSE(out.tookTheirs);
    }
}

TEST_F(ListMergeTest, ItemsOnlyTheirsHoldsTakeTheirSortedPlace) {
    Edit(theirs, [] { AddItem("Cream", "pint", "2", 1, false, false, 0); });
    const MergeOutcome out = Merge();
    std::vector<std::string> rows;
    for (int r = 1; r <= out.merged.itemCount; ++r)
        rows.push_back(TrimmedField(out.merged.records[out.merged.rowOrder[r]].itemName));
    EXPECT_EQ(rows, (std::vector<std::string>{"Salt", "Butter", "Cream", "Eggs", "Bread"}));
}

// ---- Into the table ----

TEST_F(ListMergeTest, UndoCheckoutIsRefusedAfterAMergeTookOtherChanges) {
    MarkToBuy("Bread", 1);
    TakeCheckoutSnapshot();
    ApplyCheckout(Date("03-05-2024"), false, 1, nullptr);
    EXPECT_EQ(CheckoutUndoState(), UndoCheckoutState::Available);
    const ItemTable after = itemTable;

    // A merge that takes nothing from the other side leaves undo as it was.
    TakeMergedList(itemTable, MergeLists(after, itemTable, after));
    EXPECT_EQ(CheckoutUndoState(), UndoCheckoutState::Available);

    ItemTable other = after;
    Edit(other, [] { AddItem("Milk", "gallon", "3.2", 1, false, false, 0); });
    TakeMergedList(itemTable, MergeLists(after, itemTable, other));
    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(itemTable.pendingRefresh, 0);
    EXPECT_EQ(CheckoutUndoState(), UndoCheckoutState::MergedSince);
    EXPECT_FALSE(UndoCheckout());
    EXPECT_NE(FindItem(itemTable, "dairy", "Milk"), nullptr);
    // A new checkout can be undone again.
    TakeCheckoutSnapshot();
    EXPECT_EQ(CheckoutUndoState(), UndoCheckoutState::Available);
}

}  // namespace
}  // namespace pantrium::test

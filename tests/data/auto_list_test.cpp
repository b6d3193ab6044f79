#include <limits>

#include "data/auto_list.h"
#include "data_test_support.h"

namespace pantrium::test {
namespace {

using AutoListTest = DataTest;

// Adds an item with the given purchases and returns its record index.
int Item(const std::string& name, std::initializer_list<std::pair<const char*, float>> purchases) {
    AddItem(name, "", "1", 0, false, false, 0);
    int k = itemTable.itemCount;
    SetHistory(itemTable.records[k], purchases);
    return k;
}

TEST_F(AutoListTest, WorkedExamples) {
    todayOverride = "01-31-2024";
    int a = Item("a", {{"01-01-24", 2}, {"01-11-24", 3}, {"01-21-24", 2}});
    EXPECT_FLOAT_EQ(ProposeUnits(a), 2.5f);

    todayOverride = "03-29-2024";
    int b = Item("b", {{"03-01-24", 4}, {"03-15-24", 4}});
    EXPECT_FLOAT_EQ(ProposeUnits(b), 4.0f);

    // Five counted purchases: dates of entries 1 and 5, units of entries 2 to 5.
    int c = Item("c", {{"03-01-24", 9}, {"12-31-99", 1}, {"01-01-00", 1}, {"06-06-50", 1},
                       {"03-11-24", 1}});
    EXPECT_FLOAT_EQ(ProposeUnits(c), 4.0f / 10 * 18);
}

TEST_F(AutoListTest, NoProposal) {
    todayOverride = "03-29-2024";
    EXPECT_EQ(ProposeUnits(Item("none", {})), 0);
    EXPECT_EQ(ProposeUnits(Item("once", {{"03-01-24", 4}})), 0);
    EXPECT_EQ(ProposeUnits(Item("same day", {{"03-01-24", 4}, {"03-01-24", 4}})), 0);
    EXPECT_EQ(ProposeUnits(Item("bought today", {{"03-01-24", 4}, {"03-29-24", 4}})), 0);
    EXPECT_EQ(ProposeUnits(Item("zero second", {{"03-01-24", 4}, {"03-08-24", 0},
                                                {"03-15-24", 4}, {"03-22-24", 4}})), 0);
    EXPECT_LT(ProposeUnits(Item("future", {{"03-01-24", 4}, {"04-15-24", 4}})), 0);
    EXPECT_EQ(ProposeUnits(0), 0);
    EXPECT_EQ(ProposeUnits(99), 0);
}

TEST_F(AutoListTest, RunAutoListMarksProposals) {
    todayOverride = "01-31-2024";
    // The proposal is units / span * elapsed: 1 unit over 10 days, then 10 or 9.9 days.
    int one = Item("exactly one", {{"01-01-24", 5}, {"01-11-24", 1}});
    todayOverride = "01-21-2024";
    EXPECT_FLOAT_EQ(ProposeUnits(one), 1.0f);
    int under = Item("just under", {{"01-01-24", 5}, {"01-11-24", 0.99f}});
    int onList = Item("on the list", {{"01-01-24", 5}, {"01-02-24", 50}});
    itemTable.records[onList].unitsToBuy = 2;
    int future = Item("future", {{"01-01-24", 5}, {"02-11-24", 5}});
    itemTable.modified = false;
    refreshes.clear();

    EXPECT_TRUE(RunAutoList());
    const ItemRecord& r1 = itemTable.records[one];
    EXPECT_EQ(r1.unitsToBuy, 1.0f);
    EXPECT_TRUE(r1.toBuy());
    EXPECT_TRUE(r1.autoListed());
    EXPECT_EQ(itemTable.records[under].unitsToBuy, 0);
    EXPECT_FALSE(itemTable.records[under].toBuy());
    EXPECT_EQ(itemTable.records[onList].unitsToBuy, 2);
    EXPECT_FALSE(itemTable.records[onList].autoListed());
    EXPECT_EQ(itemTable.records[future].unitsToBuy, 0);
    EXPECT_FALSE(itemTable.modified);
    EXPECT_EQ(refreshes, std::vector<int>{0});

    // The second run finds nothing to do and does not refresh.
    EXPECT_FALSE(RunAutoList());
    EXPECT_EQ(refreshes.size(), 1u);
}

TEST_F(AutoListTest, DamagedHistoryIsNeverProposed) {
    todayOverride = "01-31-2024";
    int k = Item("nan", {{"01-01-24", 2}, {"01-11-24", 2}});
    itemTable.records[k].buyUnits[1] = std::numeric_limits<float>::quiet_NaN();
    int z = Item("zero dates", {});
    itemTable.records[z].buyUnits[0] = 1;
    itemTable.records[z].buyUnits[1] = 1;
    itemTable.records[z].buyDate[1] = 0xFFFF;
    RunAutoList();
    EXPECT_EQ(itemTable.records[k].unitsToBuy, 0);
}

}  // namespace
}  // namespace pantrium::test

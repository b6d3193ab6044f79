#include <cmath>
#include <limits>

#include "data/auto_list.h"
#include "data_test_support.h"

namespace pantrium::test {
namespace {

using AutoListTest = DataTest;

// Adds an item with the given purchases and returns its record index.
int Item(std::initializer_list<std::pair<const char*, float>> purchases) {
    AddItem("item", "", "1", 0, false, false, 0);
    SetHistory(itemTable.records[itemTable.itemCount], purchases);
    return itemTable.itemCount;
}

TEST_F(AutoListTest, ProposeUnits) {
    todayOverride = "01-31-2024";
    EXPECT_FLOAT_EQ(ProposeUnits(Item({{"01-01-24", 2}, {"01-11-24", 3}, {"01-21-24", 2}})), 2.5f);
    todayOverride = "03-29-2024";
    EXPECT_FLOAT_EQ(ProposeUnits(Item({{"03-01-24", 4}, {"03-15-24", 4}})), 4.0f);
    // Five counted purchases: dates of entries 1 and 5, units of entries 2 to 5.
    EXPECT_FLOAT_EQ(ProposeUnits(Item({{"03-01-24", 9}, {"12-31-99", 1}, {"01-01-00", 1},
                                       {"06-06-50", 1}, {"03-11-24", 1}})), 4.0f / 10 * 18);
    // No proposal: no history, one purchase, the same day twice, bought today,
    // a zero-units second entry, a record that does not exist.
    EXPECT_EQ(ProposeUnits(Item({})), 0);
    EXPECT_EQ(ProposeUnits(Item({{"03-01-24", 4}})), 0);
    EXPECT_EQ(ProposeUnits(Item({{"03-01-24", 4}, {"03-01-24", 4}})), 0);
    EXPECT_EQ(ProposeUnits(Item({{"03-01-24", 4}, {"03-29-24", 4}})), 0);
    EXPECT_EQ(ProposeUnits(Item({{"03-01-24", 4}, {"03-08-24", 0}, {"03-15-24", 4}})), 0);
    EXPECT_LT(ProposeUnits(Item({{"03-01-24", 4}, {"04-15-24", 4}})), 0);  // last buy in the future
    EXPECT_EQ(ProposeUnits(99), 0);
}

TEST_F(AutoListTest, DamagedHistoryAmountsGiveAFiniteProposal) {
    const float inf = std::numeric_limits<float>::infinity();
    todayOverride = "01-21-2024";
    // An infinite purchase counts as the largest amount: so does the proposal.
    EXPECT_EQ(ProposeUnits(Item({{"01-01-24", 5}, {"01-11-24", inf}})), std::numeric_limits<float>::max());
    // A NaN entry counts as 0 and ends the counted history.
    EXPECT_EQ(ProposeUnits(Item({{"01-01-24", 5}, {"01-11-24", std::nanf("")}})), 0);
    // A proposal beyond the amount range is the largest amount.
    EXPECT_EQ(ProposeUnits(Item({{"01-01-24", 5}, {"01-02-24", 3e38f}, {"01-03-24", 3e38f}})),
              std::numeric_limits<float>::max());
}

TEST_F(AutoListTest, RunAutoListMarksProposalsOfOneOrMore) {
    todayOverride = "01-21-2024";  // one unit over 10 days, 10 days ago
    int one = Item({{"01-01-24", 5}, {"01-11-24", 1}});
    int under = Item({{"01-01-24", 5}, {"01-11-24", 0.99f}});
    int onList = Item({{"01-01-24", 5}, {"01-02-24", 50}});
    itemTable.records[onList].unitsToBuy = 2;
    int future = Item({{"01-01-24", 5}, {"02-11-24", 5}});
    int damaged = Item({{"01-01-24", 2}, {"01-11-24", 2}});
    itemTable.records[damaged].buyUnits[1] = std::numeric_limits<float>::quiet_NaN();
    itemTable.modified = false;

    EXPECT_TRUE(RunAutoList());
    const ItemRecord& r1 = itemTable.records[one];
    EXPECT_TRUE(r1.unitsToBuy == 1 && r1.toBuy() && r1.autoListed());
    for (int k : {under, future, damaged}) {
        EXPECT_EQ(itemTable.records[k].unitsToBuy, 0) << k;
        EXPECT_FALSE(itemTable.records[k].toBuy()) << k;
    }
    EXPECT_EQ(itemTable.records[onList].unitsToBuy, 2);
    EXPECT_FALSE(itemTable.records[onList].autoListed());
    EXPECT_FALSE(itemTable.modified);
    EXPECT_EQ(TakePendingRefresh(), 0);
    EXPECT_FALSE(RunAutoList());  // nothing left to propose: no refresh
    EXPECT_EQ(TakePendingRefresh(), std::nullopt);
}

TEST_F(AutoListTest, DamagedUnitsToBuyCountAsNone) {
    // A list file may hold NaN units to buy: the row shows none and the totals
    // count 0, so the item is not on the list and gets its proposal.
    todayOverride = "01-21-2024";
    const int k = Item({{"01-01-24", 5}, {"01-11-24", 1}});
    itemTable.records[k].unitsToBuy = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(RunAutoList());
    const ItemRecord& rec = itemTable.records[k];
    EXPECT_EQ(rec.unitsToBuy, 1);
    EXPECT_TRUE(rec.toBuy() && rec.autoListed());
}

}  // namespace
}  // namespace pantrium::test

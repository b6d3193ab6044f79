#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

TEST_F(AutoListTest, ReasoningOfTheWorkedExamples) {
    todayOverride = "01-31-2024";
    AutoListReasoning r = AutoListReasoningOf(Item({{"01-01-24", 2}, {"01-11-24", 3}, {"01-21-24", 2}}));
    EXPECT_EQ(r.purchases, 3);
    EXPECT_EQ(r.unitsBought, 5);
    EXPECT_EQ(r.span, 20);
    EXPECT_EQ(r.elapsed, 10);
    EXPECT_FLOAT_EQ(r.proposal, 2.5f);
    EXPECT_EQ(r.outcome, AutoListOutcome::Proposes);
    EXPECT_EQ(r.DaysPerPurchase(), 10);
    EXPECT_EQ(r.UnitsPerPurchase(), 2.5);

    todayOverride = "03-29-2024";
    r = AutoListReasoningOf(Item({{"03-01-24", 4}, {"03-15-24", 4}}));
    EXPECT_EQ(r.purchases, 2);
    EXPECT_EQ(r.unitsBought, 4);
    EXPECT_EQ(r.span, 14);
    EXPECT_EQ(r.elapsed, 14);
    EXPECT_FLOAT_EQ(r.proposal, 4);
    EXPECT_EQ(r.outcome, AutoListOutcome::Proposes);

    // Five purchases: entries 2 to 4 give their units, not their dates.
    r = AutoListReasoningOf(Item({{"03-01-24", 9}, {"12-31-99", 1}, {"01-01-00", 1},
                                  {"06-06-50", 1}, {"03-11-24", 1}}));
    EXPECT_EQ(r.purchases, 5);
    EXPECT_EQ(r.unitsBought, 4);
    EXPECT_EQ(r.span, 10);
    EXPECT_EQ(r.DaysPerPurchase(), 2.5);
    EXPECT_EQ(r.elapsed, 18);
}

TEST_F(AutoListTest, ReasoningOutcomes) {
    todayOverride = "03-29-2024";
    using O = AutoListOutcome;
    EXPECT_EQ(AutoListReasoningOf(Item({})).outcome, O::TooFewPurchases);
    EXPECT_EQ(AutoListReasoningOf(Item({{"03-01-24", 4}})).outcome, O::TooFewPurchases);
    EXPECT_EQ(AutoListReasoningOf(Item({{"03-01-24", 4}, {"03-08-24", 0}, {"03-15-24", 4}})).outcome,
              O::TooFewPurchases);
    EXPECT_EQ(AutoListReasoningOf(Item({{"03-01-24", 4}, {"03-01-24", 4}})).outcome, O::OneDay);
    EXPECT_EQ(AutoListReasoningOf(Item({{"03-01-24", 4}, {"03-29-24", 4}})).outcome, O::BoughtToday);
    const AutoListReasoning future = AutoListReasoningOf(Item({{"03-01-24", 4}, {"04-15-24", 4}}));
    EXPECT_EQ(future.outcome, O::LastBuyAfterToday);
    EXPECT_EQ(future.elapsed, -17);
    EXPECT_LT(future.proposal, 0);
    EXPECT_EQ(AutoListReasoningOf(Item({{"01-01-24", 5}, {"03-01-24", 1}})).outcome, O::LessThanOne);
    // On the list: the figures are still worked out, the item is left alone.
    const int onList = Item({{"03-01-24", 4}, {"03-15-24", 4}});
    itemTable.records[onList].unitsToBuy = 0.5f;
    const AutoListReasoning r = AutoListReasoningOf(onList);
    EXPECT_EQ(r.outcome, O::OnTheList);
    EXPECT_FLOAT_EQ(r.proposal, 4);
    // Negative units and a last purchase after today multiply to a proposal
    // the auto list takes: the outcome follows the proposal, not the dates.
    const AutoListReasoning negative = AutoListReasoningOf(Item({{"03-01-24", 4}, {"04-15-24", -4}}));
    EXPECT_EQ(negative.outcome, O::Proposes);
    EXPECT_GT(negative.proposal, 1);
    EXPECT_EQ(AutoListReasoningOf(99).outcome, O::TooFewPurchases);
}

// The reasoning is the auto list's own decision: over many histories, the
// auto list puts exactly the items whose reasoning proposes on the list, with
// the reasoning's units, and leaves every other item as it was.
TEST_F(AutoListTest, RunAutoListDoesWhatTheReasoningSays) {
    todayOverride = "06-15-2024";
    std::mt19937 random(20240615);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int i = 0; i < 400; ++i) {
        std::vector<std::pair<std::string, float>> history;
        const int entries = pick(6);
        for (int e = 0; e < entries; ++e) {
            const int month = 1 + pick(7), day = 1 + pick(28);
            const float units = pick(8) == 0 ? 0.0f : static_cast<float>(pick(40)) / 4;
            history.push_back({(month < 10 ? "0" : "") + std::to_string(month) + "-" +
                                   (day < 10 ? "0" : "") + std::to_string(day) + "-24",
                               units});
        }
        AddItem("item", "", "1", 0, false, false, 0);
        ItemRecord& rec = itemTable.records[itemTable.itemCount];
        for (std::size_t e = 0; e < history.size(); ++e) {
            std::string date = history[e].first;
            ASSERT_TRUE(NormalizeDateText(date));
            rec.buyDate[e] = PackDate(date);
            rec.buyUnits[e] = history[e].second;
        }
        if (pick(5) == 0) rec.unitsToBuy = static_cast<float>(pick(3));
    }
    std::vector<AutoListReasoning> before;
    std::vector<ItemRecord> records = itemTable.records;
    for (int k = 1; k <= itemTable.itemCount; ++k) before.push_back(AutoListReasoningOf(k));
    RunAutoList();
    int proposed = 0;
    for (int k = 1; k <= itemTable.itemCount; ++k) {
        const AutoListReasoning& r = before[k - 1];
        const ItemRecord& rec = itemTable.records[k];
        EXPECT_EQ(ProposeUnits(k), r.proposal) << k;
        if (r.outcome == AutoListOutcome::Proposes) {
            ++proposed;
            EXPECT_EQ(records[k].unitsToBuy, 0) << k;
            EXPECT_EQ(rec.unitsToBuy, r.proposal) << k;
            EXPECT_TRUE(rec.toBuy() && rec.autoListed()) << k;
        } else {
            EXPECT_EQ(rec.unitsToBuy, records[k].unitsToBuy) << k;
            EXPECT_EQ(rec.flags, records[k].flags) << k;
        }
    }
    // The histories reach every outcome.
    EXPECT_GT(proposed, 20);
    for (AutoListOutcome o : {AutoListOutcome::OnTheList, AutoListOutcome::TooFewPurchases,
                              AutoListOutcome::LastBuyAfterToday, AutoListOutcome::LessThanOne})
        EXPECT_TRUE(std::any_of(before.begin(), before.end(),
                                [o](const AutoListReasoning& r) { return r.outcome == o; }))
            << static_cast<int>(o);
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

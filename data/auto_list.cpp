// The auto list: proposes units to buy from each item's buying history.
#include "auto_list.h"

#include "dates.h"
#include "number_text.h"
#include "item_table.h"

namespace pantrium {

namespace {

AutoListOutcome OutcomeOf(const ItemRecord& rec, const AutoListReasoning& r) {
    // Damaged (NaN) units count as none, as the row and the totals show.
    if (ToAmount(rec.unitsToBuy) != 0) return AutoListOutcome::OnTheList;
    if (r.proposal >= 1) return AutoListOutcome::Proposes;  // also refuses NaN from a damaged history
    // Why not: the first reason that holds, in the order of the computation.
    if (r.purchases < 2) return AutoListOutcome::TooFewPurchases;
    if (r.span == 0) return AutoListOutcome::OneDay;
    if (r.elapsed < 0) return AutoListOutcome::LastBuyAfterToday;
    if (r.elapsed == 0) return AutoListOutcome::BoughtToday;
    return AutoListOutcome::LessThanOne;
}

}  // namespace

AutoListReasoning ReasonAutoList(const ItemRecord& rec, int today) {
    AutoListReasoning r;
    // A damaged entry counts as an amount: NaN as 0 (it ends the history).
    while (r.purchases < kHistorySlots && ToAmount(rec.buyUnits[r.purchases]) != 0) ++r.purchases;
    const int n = r.purchases;
    if (n >= 2) {
        for (int i = 1; i < n; ++i) r.unitsBought += ToAmount(rec.buyUnits[i]);
        const int first = DayNumberOf(rec.buyDate[0]);
        const int last = DayNumberOf(rec.buyDate[n - 1]);
        r.span = last - first;
        r.elapsed = today - last;
        if (r.span != 0) r.proposal = ToAmount(r.unitsBought / r.span * r.elapsed);
    }
    r.outcome = OutcomeOf(rec, r);
    return r;
}

AutoListReasoning AutoListReasoningOf(int recordIndex) {
    if (recordIndex < 1 || recordIndex > itemTable.itemCount) return {};
    return ReasonAutoList(itemTable.records[recordIndex], DayNumber(TodayText()));
}

float ProposeUnits(int recordIndex) { return AutoListReasoningOf(recordIndex).proposal; }

bool RunAutoList() {
    bool changed = false;
    const int today = DayNumber(TodayText());
    for (int r = 1; r <= itemTable.itemCount; ++r) {
        ItemRecord& rec = itemTable.RecordOfRow(r);
        const AutoListReasoning reasoning = ReasonAutoList(rec, today);
        if (reasoning.outcome != AutoListOutcome::Proposes) continue;
        rec.unitsToBuy = reasoning.proposal;
        rec.SetFlag(kToBuy, true);
        rec.SetFlag(kAutoListed, true);
        changed = true;
    }
    if (changed) RequestRefresh(0);
    return changed;
}

}  // namespace pantrium

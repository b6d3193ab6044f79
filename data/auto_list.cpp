// The auto list: proposes units to buy from each item's buying history.
#include "auto_list.h"

#include "dates.h"
#include "number_text.h"
#include "item_table.h"

namespace pantrium {

namespace {

// today: the day number of today's date, taken once for a whole auto list.
float ProposeUnitsFor(const ItemRecord& rec, int today) {
    // Counted history: the leading entries with non-zero units.
    int n = 0;
    // A damaged entry counts as an amount: NaN as 0 (it ends the history).
    while (n < kHistorySlots && ToAmount(rec.buyUnits[n]) != 0) ++n;
    if (n < 2) return 0;
    double bought = 0;  // every counted purchase but the first
    for (int i = 1; i < n; ++i) bought += ToAmount(rec.buyUnits[i]);
    const int first = DayNumberOf(rec.buyDate[0]);
    const int last = DayNumberOf(rec.buyDate[n - 1]);
    const int span = last - first;
    if (span == 0) return 0;
    const int elapsed = today - last;
    return ToAmount(bought / span * elapsed);
}

}  // namespace

float ProposeUnits(int recordIndex) {
    if (recordIndex < 1 || recordIndex > itemTable.itemCount) return 0;
    return ProposeUnitsFor(itemTable.records[recordIndex], DayNumber(TodayText()));
}

bool RunAutoList() {
    bool changed = false;
    const int today = DayNumber(TodayText());
    for (int r = 1; r <= itemTable.itemCount; ++r) {
        ItemRecord& rec = itemTable.RecordOfRow(r);
        // Already on the list; damaged (NaN) units count as none, as the row and the totals show.
        if (ToAmount(rec.unitsToBuy) != 0) continue;
        float proposal = ProposeUnitsFor(rec, today);
        if (!(proposal >= 1)) continue;  // also refuses NaN from a damaged history
        rec.unitsToBuy = proposal;
        rec.SetFlag(kToBuy, true);
        rec.SetFlag(kAutoListed, true);
        changed = true;
    }
    if (changed) RequestRefresh(0);
    return changed;
}

}  // namespace pantrium

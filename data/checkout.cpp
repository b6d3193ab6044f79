// The table side of checkout: snapshot, the three passes, undo.
#include "checkout.h"

#include "item_table.h"
#include "list_change.h"
#include "list_file.h"
#include "number_text.h"

namespace pantrium {

void TakeCheckoutSnapshot() {
    CheckoutSnapshot& s = itemTable.snapshot;
    const std::size_t n = static_cast<std::size_t>(itemTable.itemCount);
    s.count = itemTable.itemCount;
    s.records.assign(itemTable.records.begin(), itemTable.records.begin() + n + 1);
    s.rowOrder.assign(itemTable.rowOrder.begin(), itemTable.rowOrder.begin() + n + 1);
    s.taken = true;
    s.mergedSince = false;
    s.modifiedBefore = itemTable.modified;
}

namespace {

void PricePass(int itemsToBuy, const std::function<float(int)>& askPrice) {
    int asked = 0;
    for (int r = 1; r <= itemTable.itemCount; ++r) {
        ItemRecord& rec = itemTable.RecordOfRow(r);
        float price = 0;
        if (rec.toBuy()) {
            price = askPrice(itemTable.rowOrder[r]);
            ++asked;
            if (price > 0) rec.pricePerUnit = price;
        }
        if (asked == itemsToBuy || price < 0) break;
    }
}

void RecordPurchase(ItemRecord& rec, PackedDate date) {
    int used = 0;
    while (used < kHistorySlots && (rec.buyDate[used] & 31) != 0) ++used;
    if (used == kHistorySlots) {
        for (int i = 0; i + 1 < kHistorySlots; ++i) {
            rec.buyDate[i] = rec.buyDate[i + 1];
            rec.buyUnits[i] = rec.buyUnits[i + 1];
        }
        used = kHistorySlots - 1;
    }
    rec.buyDate[used] = date;
    rec.buyUnits[used] = ToAmount(rec.unitsToBuy);
    rec.SetFlag(kToBuy, false);
    rec.SetFlag(kAutoListed, false);  // a recorded item is no longer a proposal
    rec.unitsToBuy = 0;
}

}  // namespace

void ApplyCheckout(PackedDate date, bool updatePrices, int itemsToBuy,
                   const std::function<float(int recordIndex)>& askPrice) {
    if (updatePrices && askPrice) PricePass(itemsToBuy, askPrice);

    for (int r = 1; r <= itemTable.itemCount; ++r) {
        ItemRecord& rec = itemTable.RecordOfRow(r);
        if (rec.toBuy() && !rec.specialBuy()) RecordPurchase(rec, date);
    }

    // One-time buys leave the table, bought or not.
    for (int r = 1; r <= itemTable.itemCount;) {
        if (itemTable.RecordOfRow(r).specialBuy()) {
            DeleteRow(r, false);
        } else {
            ++r;
        }
    }

    itemTable.itemsToBuy = 0;
    itemTable.totalCost = 0;
    itemTable.modified = true;
    RequestRefresh(0);
}

UndoCheckoutState CheckoutUndoState() {
    const CheckoutSnapshot& s = itemTable.snapshot;
    if (!s.taken) return UndoCheckoutState::NoCheckout;
    return s.mergedSince ? UndoCheckoutState::MergedSince : UndoCheckoutState::Available;
}

bool UndoCheckout() {
    const CheckoutSnapshot& s = itemTable.snapshot;
    if (CheckoutUndoState() != UndoCheckoutState::Available) return false;
    itemTable.itemCount = s.count;
    itemTable.records = s.records;
    itemTable.rowOrder = s.rowOrder;
    // The categories may have changed since (another list, a removed
    // category): an item must not refer past the current list.
    for (int k = 1; k <= itemTable.itemCount; ++k) {
        ItemRecord& rec = itemTable.records[k];
        if (rec.catg > itemTable.catgCount) rec.catg = 0;
    }
    // Modified exactly when the restored table differs from what the list
    // file holds: compared with the bytes it was loaded or last saved with;
    // with none of this list (never loaded or saved), the table is again as
    // it was against its file before the checkout.
    if (!listFileBase.path.empty() && listFileBase.path == itemTable.listPath)
        itemTable.modified = ListFileBytes() != listFileBase.bytes;
    else
        itemTable.modified = s.modifiedBefore;
    RequestRefresh(0);
    return true;
}

}  // namespace pantrium

// The table side of checkout and its undo; the prompts and dialogs are the UI's.
#pragma once
#include <functional>

#include "item_record.h"

namespace pantrium {

void TakeCheckoutSnapshot();
// askPrice(recordIndex) gives the new price per unit: > 0 take it, 0 keep, < 0 stop asking.
// It is called only when updatePrices is set. itemsToBuy is the count the
// checkout started with. Ends asking for a redraw (mode 0); the "done" notice is the caller's.
void ApplyCheckout(PackedDate date, bool updatePrices, int itemsToBuy,
                   const std::function<float(int recordIndex)>& askPrice);
enum class UndoCheckoutState {
    Available,
    NoCheckout,   // none confirmed in this run
    MergedSince,  // a merge has since taken another program's changes into the list
};
UndoCheckoutState CheckoutUndoState();
// Restores the snapshot (asks for a redraw, mode 0). Returns false, changing nothing, when no
// checkout has been taken in this run or a merge took another program's changes since.
bool UndoCheckout();

}  // namespace pantrium

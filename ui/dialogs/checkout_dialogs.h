#pragma once

#include "platform/platform.h"
#include "ui/dialogs/list_refresh.h"

namespace pantrium {

// The dialogs run over owner; refreshList redraws the owner's item list after
// the table changed. The two that end in a checkout return true when a price
// dialog ended with Next (also by Enter), so that the caller can keep the
// release of that Enter from toggling a row.

// The Check Out command: prompts, snapshot, CheckoutDialog.
bool BeginCheckout(plat::Window owner, const ListRefresh& refreshList);
// The date dialog, then ApplyCheckout with the price dialogs and the notice.
bool CheckoutDialog(plat::Window owner, const ListRefresh& refreshList);

struct PriceAnswer {
    float price = 0;  // per unit: > 0 take, 0 keep (close box), < 0 stop
    bool endedWithNext = false;
};
// The price paid for one bought record.
PriceAnswer CheckoutPriceDialog(plat::Window owner, int recordIndex);

// The Undo Checkout command with its prompt.
void UndoCheckoutCommand(const ListRefresh& refreshList);

}  // namespace pantrium

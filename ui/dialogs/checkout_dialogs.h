#pragma once

#include "platform/window.h"
#include "ui/dialogs/list_refresh.h"

namespace pantrium {

// The dialogs run over owner; refreshList redraws the owner's item list after
// the table changed.

struct CheckoutOutcome {
    bool checkedOut = false;     // the purchases are recorded: ShowCheckoutDone comes next
    bool endedWithNext = false;  // a price dialog ended with Next (also given by Enter)
};
// The Check Out command up to the recorded purchases: prompts, snapshot,
// CheckoutDialog. Its caller learns of an Enter that closed a price dialog
// before the closing notice, which leaves the owner usable.
CheckoutOutcome BeginCheckout(plat::Window owner, const ListRefresh& refreshList);
// The date dialog, then ApplyCheckout with the price dialogs.
CheckoutOutcome CheckoutDialog(plat::Window owner, const ListRefresh& refreshList);
// The notice that ends a checkout.
void ShowCheckoutDone();

struct PriceAnswer {
    float price = 0;  // per unit: > 0 take, 0 keep (close box), < 0 stop
    bool endedWithNext = false;
};
// The price paid for one bought record.
PriceAnswer CheckoutPriceDialog(plat::Window owner, int recordIndex);

// The Undo Checkout command with its prompt.
void UndoCheckoutCommand(const ListRefresh& refreshList);

}  // namespace pantrium

#pragma once

namespace pantrium {

// The Check Out command: prompts, snapshot, CheckoutDialog, ApplyCheckout.
void BeginCheckout();
void CheckoutDialog();
// Price per unit for one bought record: > 0 take, 0 keep (close box), < 0 stop.
float CheckoutPriceDialog(int recordIndex);
// The Undo Checkout command with its prompt.
void UndoCheckoutCommand();

}  // namespace pantrium

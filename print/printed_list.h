#pragma once

namespace pantrium {

// Prints the item table: onlyToBuy != 0 prints the shopping list (items to
// buy, line step 2), 0 the whole table (line step 1).
void PrintList(int onlyToBuy);

}  // namespace pantrium

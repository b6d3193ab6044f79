// The shopping list as text, for the clipboard: the items to buy in the row
// order and grouped by category as the printed list shows them, one line
// each, and the totals last; as plain text and as a Markdown checklist.
#pragma once
#include <string>

#include "item_table.h"

namespace pantrium {

struct ShoppingListText {
    int items = 0;          // lines of items; 0: nothing to buy, both texts empty
    std::string plain;      // lines ended by "\n"
    std::string markdown;
};

// Plain text:              Markdown:
//   dairy                    ## dairy
//   Milk: 2 gallon, 7.00     - [ ] Milk: 2 gallon, 7.00
//   (blank line)             (blank line)
//   Items to buy: 1, total cost: 7.00
// An item line is its name, then ": " with the units to buy in their short
// form and the unit description (either left out when empty or 0), then ", "
// and the cost in the money mask (left out when 0). A category heading comes
// before each run of items of one category, as on paper; items of no
// category at the top go without one, a later run of them under
// "(no category)". The texts are the list's own ANSI bytes; in Markdown the
// characters that would make a name mark-up are escaped with "\".
ShoppingListText BuildShoppingListText(const ItemTable& table);

}  // namespace pantrium

// "&Copy list": the shopping list on the clipboard, as plain text and as a
// Markdown checklist.
#pragma once

#include "platform/window.h"

namespace pantrium {

// Puts the items to buy on the clipboard; with nothing to buy, or when the
// clipboard cannot be taken, a notice says so and the clipboard stays as it was.
void CopyShoppingList(plat::Window owner);

}  // namespace pantrium

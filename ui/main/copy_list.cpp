// "&Copy list" and Ctrl+C in the main window.
#include "ui/main/copy_list.h"

#include "data/item_table.h"
#include "data/shopping_list_text.h"
#include "ui/dialogs/message_box.h"

namespace pantrium {

void CopyShoppingList(plat::Window owner) {
    const ShoppingListText text = BuildShoppingListText(itemTable);
    if (text.items == 0) {
        // An empty clipboard would only wipe what the user had copied before.
        StandardPrompt("There is nothing to copy: no item is checked to buy.", "Copy List", 64);
        return;
    }
    if (!plat::SetClipboardText(owner, text.plain, text.markdown))
        StandardPrompt("The list could not be copied: another program is using the clipboard.\r\n"
                       "Please try again.",
                       "Copy List", 48);
}

}  // namespace pantrium

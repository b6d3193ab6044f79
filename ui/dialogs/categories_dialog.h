#pragma once
#include <string>

#include "platform/window.h"
#include "ui/dialogs/list_refresh.h"

namespace pantrium {

// Runs the categories dialog over owner; refreshList redraws the owner's item
// list whenever the dialog changed the table.
void ShowCategoriesDialog(plat::Window owner, const ListRefresh& refreshList);
// One-line text prompt; the typed text on Ok/Enter, empty on Escape.
std::string InputBox(const std::string& prompt, const std::string& caption,
                     const std::string& defaultText);

}  // namespace pantrium

#pragma once

#include "platform/window.h"
#include "ui/dialogs/list_refresh.h"

namespace pantrium {

// Opens the item editor over owner: row 0 for a new item, else the 1-based row
// to change; refreshList redraws the owner's item list after a change. True
// when it ended with Ok (also by Enter, changed or not, so that the caller can
// keep the release of that Enter from toggling a row).
bool ShowItemEditor(plat::Window owner, int row, const ListRefresh& refreshList);

}  // namespace pantrium

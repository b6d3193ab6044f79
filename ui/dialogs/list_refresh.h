// How a dialog that changes the item table has its owner's item list redrawn.
#pragma once
#include <functional>

#include "data/item_table.h"

namespace pantrium {

// The owner's redraw of its item list, with the modes of ItemTable::pendingRefresh.
using ListRefresh = std::function<void(int mode)>;

// Hands the redraw the last table operation asked for, if any, to refresh.
inline void PassPendingRefresh(const ListRefresh& refresh) {
    const std::optional<int> mode = TakePendingRefresh();
    if (mode && refresh) refresh(*mode);
}

}  // namespace pantrium

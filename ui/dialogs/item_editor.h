#pragma once

namespace pantrium {

// Opens the item editor: row 0 for a new item, else the 1-based row to change.
void ShowItemEditor(int row);

}  // namespace pantrium

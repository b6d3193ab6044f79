// The main window's commands on the selected row and on the whole table,
// the "Buy" / "Don't buy" menu text and the right-click menu.
#include <algorithm>

#include "data/item_table.h"
#include "data/number_text.h"
#include "ui/dialogs/message_box.h"
#include "ui/main/main_window.h"

namespace pantrium {

namespace {

bool SelectedRowToBuy(const MainWindowState& ui) {
    const int row = SelectedRow(ui);
    return row && itemTable.RecordOfRow(row).toBuy();
}

}  // namespace

void ResetAllCommand(MainWindowState& ui) {
    if (StandardPrompt("Are you sure you wish to reset all items?\r\n"
                       "... This will remove buying histories of all items",
                       "Reset All Items", 20) != 6)
        return;
    ResetAllHistories();
    itemTable.modified = true;
    RefreshItemList(ui, 0);
}

// The selection is read after the question: the window stays usable while
// the prompt waits, so the row may have changed meanwhile.
void DeleteItemCommand(MainWindowState& ui) {
    if (StandardPrompt("Delete this item now?", "Delete Item", 36) != 6) return;
    if (const int row = SelectedRow(ui)) {
        DeleteRow(row, true);
        RefreshAfterTableChange(ui);
    }
}

void ResetItemCommand(MainWindowState& ui) {
    if (StandardPrompt("Reset this item now?\r\n... buying history will be removed",
                       "Reset All Items", 20) != 6)
        return;
    const int row = SelectedRow(ui);
    if (!row) return;
    ResetItemHistory(row);
    itemTable.modified = true;
    RefreshItemList(ui, 0);
}

void BuyFlow(MainWindowState& ui) {
    const int row = SelectedRow(ui);
    if (!row) return;
    ItemRecord& rec = itemTable.RecordOfRow(row);
    const bool buy = !rec.toBuy();
    rec.SetFlag(kAutoListed, false);
    rec.SetFlag(kToBuy, buy);
    rec.unitsToBuy = buy ? 1.0f : 0.0f;
    RefreshItemList(ui, -row);
    itemTable.modified = true;
    // An armed box applies this as typed units, with the same result.
    plat::SetText(ui.mainWindow, kUnitsBox, buy ? "1" : "");
    if (buy) {
        plat::SetFocus(ui.mainWindow, kUnitsBox);
        plat::SelectAllText(ui.mainWindow, kUnitsBox);
    }
}

void UnitsToBuyCommand(MainWindowState& ui) {
    plat::SelectAllText(ui.mainWindow, kUnitsBox);
    plat::SetFocus(ui.mainWindow, kUnitsBox);
}

void UpdateBuyMenuText(const MainWindowState& ui, plat::Menu menu) {
    plat::SetMenuItemText(menu, kCmdBuy, SelectedRowToBuy(ui) ? "Don't buy" : "Buy");
}

void RightClickFlow(MainWindowState& ui, plat::Window dlg, int controlId, int screenX, int screenY) {
    if (screenX == -1 && screenY == -1) {
        // From the keyboard (Shift+F10, the Menu key): the menu opens at the selected row.
        // An empty list has no row: the menu opens near the window's top-left corner.
        const plat::Rect at = plat::ListItemRect(dlg, kItemList, std::max(plat::ListGetSel(dlg, kItemList), 0));
        const plat::Rect window = plat::GetWindowRect(dlg);
        screenX = at.width ? at.left + 20 : window.left + 30;
        screenY = at.width ? at.top + at.height : window.top + 80;
    } else {
        // Only the item list answers with an entry; other windows ignore the request.
        const int entry = plat::ListItemFromPoint(dlg, controlId, screenX, screenY);
        if (entry >= 0) plat::ListSetSel(dlg, controlId, entry);
    }
    // The status line shows the row the menu is for.
    UpdateStatusLine(ui);

    const int row = SelectedRow(ui);
    const std::string units = row ? MoneyMask(itemTable.RecordOfRow(row).unitsToBuy) : "";
    ui.unitsEditArmed = 0;
    plat::SetText(dlg, kUnitsBox, TextToNumber(units) == 0 ? "" : units);

    UpdateBuyMenuText(ui, ui.contextMenu);
    plat::TrackPopupMenu(ui.contextMenu, screenX, screenY, dlg);
}

}  // namespace pantrium

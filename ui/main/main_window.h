// The main window: start-up, its callback and the handlers of its messages,
// each given the state of the window that runs.
#pragma once
#include <string>
#include <vector>

#include "data/list_merge.h"
#include "platform/window.h"
#include "ui/main/main_window_state.h"

namespace pantrium {

// Control and command numbers of the main window.
enum : int {
    kItemList = 100, kUnitsBox = 101, kFocusFrame = 999, kStatusBar = 200,
    kNewItemButton = 121, kAutoListButton = 122, kPrintListButton = 123, kCheckOutButton = 124,
    kCmdOpen = 301, kCmdSave = 302, kCmdSaveAs = 303, kCmdResetAll = 304, kCmdPrintAll = 305,
    kCmdExit = 306, kCmdMergeList = 307, kCmdExportCsv = 308, kCmdImportCsv = 309, kCmdNewItem = 311, kCmdChangeItem = 312, kCmdDeleteItem = 313,
    kCmdResetItem = 314, kCmdBuy = 315, kCmdUnitsToBuy = 316, kCmdBuyingHistory = 317,
    kCmdPrintList = 321, kCmdCheckOut = 322, kCmdUndoCheckout = 323, kCmdCategories = 324,
    kCmdCopyList = 325,
    kCmdHelp = 331, kCmdAbout = 332,
    kCmdUndoCheckoutKey = 341,  // Ctrl+Z: "&Undo Checkout" when a checkout can be undone
    kToggleRowMessage = 1524,  // the first application message number 1024, plus 500
};

// Builds the main window and runs it until it is gone; returns 0. The window
// keeps its state in ui, which the caller passes fresh; the first form keeps
// it to itself.
int RunMainWindow();
int RunMainWindow(MainWindowState& ui);

// The selected row of the item list (entry + 1), 0 when none.
int SelectedRow(const MainWindowState& ui);

// Redraws the item list, units box, totals and status line (mode 0, r, -r).
void RefreshItemList(MainWindowState& ui, int mode);
// The redraw the last table operation asked for, if it asked for one.
void RefreshAfterTableChange(MainWindowState& ui);
void UpdateStatusLine(const MainWindowState& ui);
std::string FormatItemRow(int recordIndex);
// What a screen reader says for a row of the item list: its columns as words,
// in the row's order, checked when the item is to be bought.
plat::EntrySpeech ItemRowSpeech(const std::string& rowText);

// The longest leading part of text that fits in width pixels in the control's font.
std::string FitTextToWidth(plat::Window dlg, int controlId, const std::string& text, int width);

// ---- used by the main window's own files (and its tests) --------------------

// The main window's callback: every message of the main window arrives here.
int MainDialogProc(MainWindowState& ui, plat::Window dlg, const plat::Event& e);
// The dialog description of the main window with its fifteen controls.
plat::DialogSpec MainDialogSpec();

// Item list, units box and status line.
void ShowRowUnits(MainWindowState& ui, int row);
void ToggleRowMark(MainWindowState& ui);
void OnItemListNotify(MainWindowState& ui, plat::Window dlg, plat::Code code,
                      int entry);  // entry: of a double-click
void OnUnitsBoxNotify(MainWindowState& ui, plat::Window dlg, plat::Code code);
void UnitsBoxKeyHook(MainWindowState& ui, plat::Window dlg, int vk, bool down);
void ItemListKeyHook(MainWindowState& ui, plat::Window dlg, int vk, bool down);

// File commands and the close flow (returns the callback's result).
void OpenFlow(MainWindowState& ui);
void SaveFlow(MainWindowState& ui);
void SaveAsFlow(MainWindowState& ui);
int CloseFlow(MainWindowState& ui);
void MergeListFlow(MainWindowState& ui);
// The table as a CSV file for spreadsheets, and such a file merged in (csv_commands.cpp).
void ExportCsvFlow(MainWindowState& ui);
void ImportCsvFlow(MainWindowState& ui);

// The list file shared with other programs (shared_list.cpp).
// The selected item by its name and unit, and the list's first visible row.
struct RowPlace {
    bool known = false;
    std::string itemName, unitDescr;
    int topRow = 0;
};
RowPlace SelectedPlace(const MainWindowState& ui);
// Redraws the whole list after the table was replaced or merged: the item of
// place selected and the first visible row kept where the item still exists.
void RedrawAtPlace(MainWindowState& ui, const RowPlace& place);
// What another program saved to the list file: reloaded at once when the
// table has no changes of its own; otherwise left to the save, which merges.
void CheckListOnDisk(MainWindowState& ui);
// One notice listing the items and fields changed on both sides (mine won).
void TellMergeConflicts(const std::vector<MergeConflict>& conflicts, const std::string& intro,
                        const std::string& caption);
// "Merge List...": the list file at path merged into the table, the user told.
bool MergeFileIntoTable(MainWindowState& ui, const std::string& path);
// At start-up: a sync client's conflict copies beside the list, offered for a merge.
void OfferConflictCopies(MainWindowState& ui);

// Help: the help file of the start-up folder, else the one beside the
// program; a notice names both places when there is none.
std::string HelpPathIn(const std::string& folder);
void HelpCommand(MainWindowState& ui);

// Commands on the selected row, the menu texts and the right click.
void ResetAllCommand(MainWindowState& ui);
void DeleteItemCommand(MainWindowState& ui);
void ResetItemCommand(MainWindowState& ui);
void BuyFlow(MainWindowState& ui);
void UnitsToBuyCommand(MainWindowState& ui);
void UpdateBuyMenuText(const MainWindowState& ui, plat::Menu menu);
void RightClickFlow(MainWindowState& ui, plat::Window dlg, int controlId, int screenX, int screenY);

}  // namespace pantrium

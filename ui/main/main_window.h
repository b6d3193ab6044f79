// The main window: start-up, its callback and the main-window state that the
// dialogs share with it.
#pragma once
#include <string>

#include "platform/platform.h"

namespace pantrium {

// Control and command numbers of the main window.
enum : int {
    kItemList = 100, kUnitsBox = 101, kFocusFrame = 999, kStatusBar = 200,
    kNewItemButton = 121, kAutoListButton = 122, kPrintListButton = 123, kCheckOutButton = 124,
    kCmdOpen = 301, kCmdSave = 302, kCmdSaveAs = 303, kCmdResetAll = 304, kCmdPrintAll = 305,
    kCmdExit = 306, kCmdNewItem = 311, kCmdChangeItem = 312, kCmdDeleteItem = 313,
    kCmdResetItem = 314, kCmdBuy = 315, kCmdUnitsToBuy = 316, kCmdBuyingHistory = 317,
    kCmdPrintList = 321, kCmdCheckOut = 322, kCmdUndoCheckout = 323, kCmdCategories = 324,
    kCmdHelp = 331, kCmdAbout = 332,
    kToggleRowMessage = 1524,  // the first application message number 1024, plus 500
};

// Builds the main window and runs it until it is gone; returns 0.
int RunMainWindow();

extern plat::Window mainWindow;  // 0 while no main window exists
extern int unitsEditArmed;       // 1 typing applies, 0 / -1 program writes the box
extern bool unitsBoxInUse;
extern bool ignoreEnterRelease;  // set by dialogs closed with Enter
extern bool enterPressedInList;  // the item list got an Enter press not yet released
extern std::string helpPath;

// The selected row of the item list (entry + 1), 0 when none.
int SelectedRow();

// Redraws the item list, units box, totals and status line (mode 0, r, -r).
void RefreshItemListUi(int mode);
void UpdateStatusLine();
std::string FormatItemRow(int recordIndex);

// The longest leading part of text that fits in width pixels in the control's font.
std::string FitTextToWidth(plat::Window dlg, int controlId, const std::string& text, int width);

// ---- used by the main window's own files (and its tests) --------------------

extern plat::Menu mainMenuBar;   // the menu bar of the main window
extern plat::Menu contextMenu;   // the right-click pop-up menu

// The main window's callback: every message of the main window arrives here.
int MainDialogProc(plat::Window dlg, const plat::Event& e);
// The dialog description of the main window with its fifteen controls.
plat::DialogSpec MainDialogSpec();

// Item list, units box and status line.
void ShowRowUnits(int row);
void ToggleRowMark();
void OnItemListNotify(plat::Window dlg, plat::Code code, int entry);  // entry: of a double-click
void OnUnitsBoxNotify(plat::Window dlg, plat::Code code);
void UnitsBoxKeyHook(plat::Window dlg, int id, int vk, bool down);
void ItemListKeyHook(plat::Window dlg, int id, int vk, bool down);

// File commands and the close flow (returns the callback's result).
void OpenFlow();
void SaveFlow();
void SaveAsFlow();
int CloseFlow();

// Commands on the selected row, the menu texts and the right click.
void ResetAllCommand();
void DeleteItemCommand();
void ResetItemCommand();
void BuyFlow();
void UnitsToBuyCommand();
void UpdateBuyMenuText(plat::Menu menu);
void RightClickFlow(plat::Window dlg, int controlId, int screenX, int screenY);

// Puts the main-window state back to its start values (for tests that run
// the main window more than once in one process).
void ResetMainWindowState();

}  // namespace pantrium

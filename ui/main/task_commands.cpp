// The main window's commands that start a task of another part of the program.
#include "ui/main/task_commands.h"

#include "data/auto_list.h"
#include "platform/platform.h"
#include "print/printed_list.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/categories_dialog.h"
#include "ui/dialogs/checkout_dialogs.h"
#include "ui/dialogs/item_editor.h"
#include "ui/main/main_window.h"
#include "ui/main/units_history.h"

namespace pantrium {

bool IsTaskCommand(int id) {
    switch (id) {
    case kNewItemButton: case kAutoListButton: case kPrintListButton: case kCheckOutButton:
    case kCmdPrintAll: case kCmdNewItem: case kCmdChangeItem: case kCmdBuyingHistory:
    case kCmdPrintList: case kCmdCheckOut: case kCmdUndoCheckout: case kCmdCategories:
    case kCmdAbout:
        return true;
    default:
        return false;
    }
}

int HandleTaskCommand(int id) {
    switch (id) {
    case kNewItemButton:  // the buttons forward to the menu command of the same meaning
        plat::SendCommand(mainWindow, kCmdNewItem);
        break;
    case kCheckOutButton:
        plat::SendCommand(mainWindow, kCmdCheckOut);
        break;
    case kAutoListButton:
        RunAutoList();
        break;
    case kPrintListButton:
    case kCmdPrintList:
        PrintList(1);
        break;
    case kCmdPrintAll:
        PrintList(0);
        break;
    case kCmdNewItem:
        ShowItemEditor(0);
        break;
    case kCmdChangeItem:
        if (const int row = SelectedRow(); row > 0) ShowItemEditor(row);
        break;
    case kCmdBuyingHistory:
        ShowUnitsHistory();
        break;
    case kCmdCheckOut:
        BeginCheckout();
        break;
    case kCmdUndoCheckout:
        UndoCheckoutCommand();
        break;
    case kCmdCategories:
        ShowCategoriesDialog();
        break;
    case kCmdAbout:
        ShowAboutBox();
        break;
    default:
        break;
    }
    return 0;
}

}  // namespace pantrium

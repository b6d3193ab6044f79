// The main window's commands that start a task of another part of the program.
#include "ui/main/task_commands.h"

#include "data/auto_list.h"
#include "platform/window.h"
#include "print/printed_list.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/categories_dialog.h"
#include "ui/dialogs/checkout_dialogs.h"
#include "ui/dialogs/item_editor.h"
#include "ui/dialogs/list_refresh.h"
#include "ui/dialogs/message_box.h"
#include "ui/main/copy_list.h"
#include "ui/main/main_window.h"
#include "ui/main/units_history.h"

namespace pantrium {
namespace {

// Printed to a PDF file: the user hears where it went (a machine without a
// printer gives no other sign of it).
void PrintAndTell(int onlyToBuy) {
    const std::string pdf = PrintList(onlyToBuy);
    if (!pdf.empty()) StandardPrompt("The list was printed to the PDF file\r\n" + pdf, "Print job", 64);
}

}  // namespace

bool IsTaskCommand(int id) {
    switch (id) {
    case kNewItemButton: case kAutoListButton: case kPrintListButton: case kCheckOutButton:
    case kCmdPrintAll: case kCmdNewItem: case kCmdChangeItem: case kCmdBuyingHistory:
    case kCmdPrintList: case kCmdCheckOut: case kCmdUndoCheckout: case kCmdCategories:
    case kCmdAbout: case kCmdCopyList:
        return true;
    default:
        return false;
    }
}

int HandleTaskCommand(MainWindowState& ui, int id) {
    const plat::Window owner = ui.mainWindow;
    const ListRefresh refresh = [&ui](int mode) { RefreshItemList(ui, mode); };
    switch (id) {
    case kNewItemButton:  // the buttons forward to the menu command of the same meaning
        plat::SendCommand(owner, kCmdNewItem);
        break;
    case kCheckOutButton:
        plat::SendCommand(owner, kCmdCheckOut);
        break;
    case kAutoListButton:
        RunAutoList();
        RefreshAfterTableChange(ui);
        break;
    case kPrintListButton:
    case kCmdPrintList:
        PrintAndTell(1);
        break;
    case kCmdPrintAll:
        PrintAndTell(0);
        break;
    case kCmdNewItem:
        // The release of the Enter that closed a dialog must not toggle a row.
        if (ShowItemEditor(owner, 0, refresh)) ui.ignoreEnterRelease = true;
        break;
    case kCmdChangeItem:
        if (const int row = SelectedRow(ui); row > 0 && ShowItemEditor(owner, row, refresh))
            ui.ignoreEnterRelease = true;
        break;
    case kCmdBuyingHistory:
        ShowUnitsHistory(ui);
        break;
    case kCmdCheckOut: {
        const CheckoutOutcome outcome = BeginCheckout(owner, refresh);
        // Set before the notice, which leaves the main window usable.
        if (outcome.endedWithNext) ui.ignoreEnterRelease = true;
        if (outcome.checkedOut) ShowCheckoutDone();
        break;
    }
    case kCmdUndoCheckout:
        UndoCheckoutCommand(refresh);
        break;
    case kCmdCategories:
        ShowCategoriesDialog(owner, refresh);
        break;
    case kCmdAbout:
        ShowAboutBox(owner);
        break;
    case kCmdCopyList:
        CopyShoppingList(owner);
        break;
    default:
        break;
    }
    return 0;
}

}  // namespace pantrium

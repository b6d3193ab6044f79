// The main window: its layout, start-up, shutdown and the dispatch of every
// message to the command handlers.
#include "ui/main/main_window.h"

#include <utility>

#include "data/categories.h"
#include "data/checkout.h"
#include "platform/files.h"
#include "data/item_table.h"
#include "data/list_file.h"
#include "ui/dialogs/message_box.h"
#include "ui/main/task_commands.h"

namespace pantrium {

namespace {

constexpr int kStatic = -1;           // labels have no id of their own
constexpr int kEscapeButton = 2;      // the zero-size button that takes Escape

const char* const kHelpText =
    "Double-click item in listbox, press Return,\r\n"
    ".... or enter number of units to buy above\r\n"
    ".... can also press right mouse button";

plat::MenuItem Item(const std::string& text, int id) { return {text, id, {}}; }
plat::MenuItem Separator() { return {"", 0, {}}; }
plat::MenuItem Popup(const std::string& text, std::vector<plat::MenuItem> items) {
    return {text, 0, std::move(items)};
}

std::vector<plat::MenuItem> MenuBarItems() {
    return {
        Popup("&File", {Item("&Open\tCtrl+O", kCmdOpen), Item("&Save\tCtrl+S", kCmdSave),
                        Item("Save&As\tCtrl+Shift+S", kCmdSaveAs), Item("&Merge List...", kCmdMergeList),
                        Separator(), Item("&Reset all", kCmdResetAll), Item("&Print all", kCmdPrintAll),
                        Item("&Export CSV...", kCmdExportCsv), Item("&Import CSV...", kCmdImportCsv),
                        Item("E&xit", kCmdExit)}),
        Popup("&Edit", {Item("&New item\tCtrl+N", kCmdNewItem), Item("&Change item\tF2", kCmdChangeItem),
                        Item("&Delete item\tDel", kCmdDeleteItem), Item("&Reset item", kCmdResetItem),
                        Item("&Buying history", kCmdBuyingHistory)}),
        Popup("&Task", {Item("&Buy", kCmdBuy), Separator(), Item("&Categories", kCmdCategories),
                        Item("&Print list\tCtrl+P", kCmdPrintList),
                        Item("&Copy list\tCtrl+C", kCmdCopyList), Separator(),
                        Item("Check &Out", kCmdCheckOut), Item("&Undo Checkout\tCtrl+Z", kCmdUndoCheckout)}),
        Popup("&Help", {Item("&Help\tF1", kCmdHelp), Item("&About", kCmdAbout)}),
    };
}

std::vector<plat::MenuItem> ContextMenuItems() {
    return {Item("Buy", kCmdBuy),          Separator(),
            Item("Change item\tF2", kCmdChangeItem), Item("Delete item\tDel", kCmdDeleteItem),
            Separator(),
            Item("Units to buy", kCmdUnitsToBuy), Item("Units history", kCmdBuyingHistory)};
}

// The keys of the menus' commands. The keys an edit field uses for its text
// are left to the units box when it has the focus.
std::vector<plat::Accelerator> ShortcutKeys() {
    using plat::Accelerator;
    return {
        Accelerator{'O', false, kCmdOpen, true},       Accelerator{'S', false, kCmdSave, true},
        Accelerator{'S', true, kCmdSaveAs, true},      Accelerator{'P', false, kCmdPrintList, true},
        Accelerator{'N', false, kCmdNewItem, true},    Accelerator{plat::kVkF2, false, kCmdChangeItem},
        Accelerator{plat::kVkF1, false, kCmdHelp},
        Accelerator{plat::kVkDelete, false, kCmdDeleteItem, false, true},
        Accelerator{'Z', false, kCmdUndoCheckoutKey, true, true},
        Accelerator{'C', false, kCmdCopyList, true, true},  // in the units box, the box's own copy
    };
}

// Everything the window does between its creation and its first showing.
void InitMainDialog(MainWindowState& ui, plat::Window dlg) {
    ui.mainWindow = dlg;
    plat::SetDialogIcon(dlg, "GROCERY");
    ClearTable();

    ui.mainMenuBar = plat::CreateMenuBar(MenuBarItems());
    plat::SetMenu(dlg, ui.mainMenuBar);
    ui.contextMenu = plat::CreatePopupMenu(ContextMenuItems());

    plat::SetAccessibleName(dlg, kItemList, "Grocery items");
    plat::ListSetEntryReader(dlg, kItemList, ItemRowSpeech);
    plat::AddControl(dlg, {kStatusBar, plat::Kind::StatusBar, "", {}, 0});
    plat::SetStatusParts(dlg, kStatusBar, {170, 290, 395, -1});
    // Units and cost end at the two right-aligned stops.
    plat::ListSetTabStops(dlg, kItemList, {3, 20, 107, 194, -257, -297});

    ReadSettings();
    if (files::Exists(itemTable.listPath)) {
        if (LoadList() == LoadResult::Loaded) {
            plat::SetCaption(dlg, CaptionForPath(itemTable.listPath));
        } else {
            // The file that could not be read must not be written over by a
            // later save the user did not aim at it: with no path, the first
            // save asks for one.
            const std::string failedPath = itemTable.listPath;
            ClearTable();
            itemTable.listPath.clear();
            StandardPrompt("Could not open the list " + failedPath + ".\r\n" +
                               "The program starts with an empty list.",
                           "Open File", 16);
        }
    } else {
        ClearTable();
    }

    plat::SetKeyHook(dlg, kUnitsBox, [&ui](plat::Window d, int, int vk, bool down) {
        UnitsBoxKeyHook(ui, d, vk, down);
    });
    plat::SetKeyHook(dlg, kItemList, [&ui](plat::Window d, int, int vk, bool down) {
        ItemListKeyHook(ui, d, vk, down);
    });
    plat::AddControl(dlg, {kFocusFrame, plat::Kind::BlackFrame, "", {8, 20, 483, 227},
                           plat::kHidden | plat::kGrowRight | plat::kGrowDown});
    ui.helpPath = HelpPathIn(files::CurrentDirectory());
    plat::SetAccelerators(dlg, ShortcutKeys());

    SortRows(0);
    RefreshAfterTableChange(ui);
    if (!itemTable.listPath.empty()) OfferConflictCopies(ui);
    // The list is the first tab stop: it has the focus when the window shows.
    plat::SetFocus(dlg, kItemList);
}

void DestroyMainDialog(plat::Window dlg) {
    plat::RemoveKeyHook(dlg, kUnitsBox);
    plat::RemoveKeyHook(dlg, kItemList);
}

int OnCommand(MainWindowState& ui, plat::Window dlg, const plat::Event& e) {
    switch (e.id) {
    case kItemList: OnItemListNotify(ui, dlg, e.code, e.entry); return 0;
    case kUnitsBox: OnUnitsBoxNotify(ui, dlg, e.code); return 0;
    case kEscapeButton:
        // Escape ends the window like its close box: unsaved changes are asked about first.
        if (CloseFlow(ui) == 0) plat::EndDialog(dlg, 2);
        return 0;
    case kCmdOpen: OpenFlow(ui); return 0;
    case kCmdSave: SaveFlow(ui); return 0;
    case kCmdSaveAs: SaveAsFlow(ui); return 0;
    case kCmdMergeList: MergeListFlow(ui); return 0;
    case kCmdExportCsv: ExportCsvFlow(ui); return 0;
    case kCmdImportCsv: ImportCsvFlow(ui); return 0;
    case kCmdResetAll: ResetAllCommand(ui); return 0;
    case kCmdExit: plat::SendClose(dlg); return 0;
    case kCmdDeleteItem: DeleteItemCommand(ui); return 0;
    case kCmdResetItem: ResetItemCommand(ui); return 0;
    case kCmdBuy: BuyFlow(ui); return 0;
    case kCmdUnitsToBuy: UnitsToBuyCommand(ui); return 0;
    case kCmdHelp: HelpCommand(ui); return 0;
    case kCmdUndoCheckoutKey:
        // Ctrl+Z undoes a checkout only while there is one to undo; else it does nothing.
        if (CheckoutUndoState() == UndoCheckoutState::Available) plat::SendCommand(dlg, kCmdUndoCheckout);
        return 0;
    default: break;
    }
    if (IsTaskCommand(e.id)) {
        HandleTaskCommand(ui, e.id);
        // A clicked button would otherwise keep the frame of a default button.
        if (e.id >= kNewItemButton && e.id <= kCheckOutButton)
            plat::SetDefaultButton(dlg, e.id, false);
    }
    return 0;
}

}  // namespace

plat::DialogSpec MainDialogSpec() {
    using plat::Kind;
    const unsigned header = plat::kStaticEdge;
    // A larger window gives the item list the room; what stands below it
    // keeps its distance to the bottom edge. The first size is the smallest.
    const unsigned below = plat::kFollowBottom;
    const unsigned button = plat::kCenter | below;
    plat::DialogSpec spec;
    spec.caption = "Pantrium";
    spec.width = 505;
    spec.height = 400;
    spec.frame = plat::kCaption | plat::kSysMenu | plat::kMinimizeBox | plat::kResizable;
    spec.owner = 0;
    spec.centred = true;
    spec.controls = {
        {kItemList, Kind::ListBox, "", {10, 35, 480, 220},
         plat::kTabStop | plat::kVScroll | plat::kDisableNoScroll | plat::kUseTabStops | plat::kNotify |
             plat::kGrowRight | plat::kGrowDown},
        {kStatic, Kind::Label, "Buy", {10, 20, 25, 15}, header},
        {kStatic, Kind::Label, "  Grocery Item", {35, 20, 130, 15}, header},
        {kStatic, Kind::Label, "  Unit Description", {165, 20, 130, 15}, header},
        {kStatic, Kind::Label, "   Last buy", {295, 20, 60, 15}, header},
        {kStatic, Kind::Label, "       Units", {355, 20, 60, 15}, header},
        {kStatic, Kind::Label, "        Cost", {415, 20, 60, 15}, header | plat::kGrowRight},
        {kStatic, Kind::Label, "Units to buy", {100, 275, 120, 15}, below},
        {kUnitsBox, Kind::Edit, "", {35, 275, 60, 18},
         plat::kTabStop | plat::kAutoHScroll | plat::kClientEdge | below},
        {kEscapeButton, Kind::Button, "", {0, 0, 0, 0}, 0},
        {kNewItemButton, Kind::Button, "&New Item", {300, 275, 70, 30}, button},
        {kAutoListButton, Kind::Button, "&Auto List", {372, 275, 70, 30}, button},
        {kPrintListButton, Kind::Button, "&Print List", {300, 305, 70, 30}, button},
        {kCheckOutButton, Kind::Button, "&Check Out", {372, 305, 70, 30}, button},
        {kStatic, Kind::Label, kHelpText, {10, 310, 220, 50}, below},
    };
    return spec;
}

namespace {

int Dispatch(MainWindowState& ui, plat::Window dlg, const plat::Event& e) {
    switch (e.msg) {
    case plat::Msg::Init: InitMainDialog(ui, dlg); return 0;
    case plat::Msg::Command: return OnCommand(ui, dlg, e);
    case plat::Msg::MenuSelect: UpdateBuyMenuText(ui, ui.mainMenuBar); return 0;
    case plat::Msg::User:
        if (e.id == kToggleRowMessage) ToggleRowMark(ui);
        return 0;
    case plat::Msg::ContextMenu:
        // The units box keeps its own edit menu.
        if (e.id != kUnitsBox) RightClickFlow(ui, dlg, e.id, e.x, e.y);
        return 0;
    case plat::Msg::Close: return CloseFlow(ui);
    case plat::Msg::Destroy: DestroyMainDialog(dlg); return 0;
    case plat::Msg::Activate:
        // Back from another program, which may have saved the list meanwhile.
        if (ui.callbackDepth == 1) CheckListOnDisk(ui);
        return 0;
    default: return 0;
    }
}

}  // namespace

int MainDialogProc(MainWindowState& ui, plat::Window dlg, const plat::Event& e) {
    ++ui.callbackDepth;
    const int result = Dispatch(ui, dlg, e);
    --ui.callbackDepth;
    return result;
}

int RunMainWindow(MainWindowState& ui) {
    // A redraw asked for before the window existed has nothing to draw.
    itemTable.pendingRefresh.reset();
    plat::RunDialog(MainDialogSpec(), [&ui](plat::Window dlg, const plat::Event& e) {
        return MainDialogProc(ui, dlg, e);
    });
    ui.mainWindow = 0;
    return 0;
}

int RunMainWindow() {
    MainWindowState ui;
    return RunMainWindow(ui);
}

}  // namespace pantrium

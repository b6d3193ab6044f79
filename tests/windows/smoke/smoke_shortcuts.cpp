#include "smoke_shortcuts.h"

#include <string>

#include "data/item_table.h"
#include "list_image.h"
#include "smoke_support.h"
#include "smoke_window_state.h"
#include "ui/main/main_window.h"

namespace smoke {

namespace {

const char* const kShortcutsFile = "shortcuts list.ptm";
const char* const kShortcutsCaption = "shortcuts list";

ListImage ShortcutsList(bool withDates) {
    ListImage list;
    list.records = {{0, "Apples", "bag", 1.25f, 2, {}, {}, kToBuy},
                    {0, "Bread", "loaf", 2.0f, 1, {}, {}, kToBuy},
                    {0, "Coffee", "jar", 4.5f, 1, {}, {}, 0}};
    if (withDates) list.records.push_back({0, "Dates", "box", 3.0f, 0, {}, {}, 0});
    for (int k = 1; k <= static_cast<int>(list.records.size()); ++k) list.rowOrder.push_back(k);
    return list;
}

bool Foreground(HWND window) {
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; }, 3000);
}

void CtrlKey(int vk) {
    RealKey(VK_CONTROL, true);
    RealPress(vk);
    RealKey(VK_CONTROL, false);
}

bool InMenu() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(guiThreadId, &info) && (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
}

// The File menu, opened with Alt+F, shows the keys beside its commands (a picture).
void FileMenuPicture(HWND dlg) {
    Foreground(dlg);
    HWND menu = nullptr;
    // Wine may drop the very first Alt+letter while it syncs the keyboard state.
    for (int attempt = 0; attempt < 3 && !menu; ++attempt) {
        RealAltKey('F');
        WaitFor([&] {
            menu = FindWindowA("#32768", nullptr);
            return menu && IsWindowVisible(menu);
        }, 5000);
    }
    if (Check(menu != nullptr, "Alt+F opens the File menu")) Shot("shortcuts-file-menu", menu);
    PostMessageA(dlg, WM_CANCELMODE, 0, 0);  // closes the menu without a key that could reach the window
    Check(WaitFor([] { return !InMenu(); }, 5000), "the menu is closed again");
    Foreground(dlg);
}

void F2OpensTheEditor(HWND dlg, HWND list) {
    Send(list, LB_SETCURSEL, 1, 0);  // Bread
    RealPress(VK_F2);
    HWND editor = FindTopWindow("Change Item");
    if (!Check(editor != nullptr, "F2 opens the item editor on the selected item")) return;
    CheckEq(ControlText(editor, 201), "Bread", "the editor shows the selected item");
    Shot("shortcuts-f2-editor", editor);
    RealPress(VK_ESCAPE);
    Check(WaitGone(editor), "Escape closes the editor");
    Foreground(dlg);
    Check(WaitFor([&] { return FocusedWindow() == list; }, 5000), "the focus is back in the item list");
}

void DeleteAsks(HWND dlg, HWND list) {
    Send(list, LB_SETCURSEL, 3, 0);  // Dates
    RealPress(VK_DELETE);
    HWND box = FindTopWindow("Delete Item");
    if (!Check(box != nullptr, "Delete in the item list asks first")) return;
    CheckEq(PromptText(box), "Delete this item now?", "Delete's question");
    RealPress('Y');
    Check(WaitGone(box), "Y answers Yes");
    Check(WaitFor([&] { return ListRows(list).size() == 3; }, 5000), "the item is deleted");
    Foreground(dlg);
}

void CtrlSSaves(HWND dlg) {
    Foreground(dlg);
    CtrlKey('S');
    HWND box = FindTopWindow("Save File");
    if (!Check(box != nullptr, "Ctrl+S asks \"Save file now?\"")) return;
    CheckEq(PromptText(box), "Save file now?", "Ctrl+S's question");
    RealPress('Y');
    Check(WaitGone(box), "Y answers Yes");
    Check(WaitFor([] { return ReadFileBytes(kShortcutsFile) == ListFileBytes(ShortcutsList(false)); }, 10000),
          "Ctrl+S saved the list without the deleted item");
    Check(WaitInputTaken() && !pantrium::itemTable.modified, "the list is no longer modified");
}

void DeleteInTheUnitsBoxEdits(HWND dlg, HWND list) {
    Foreground(dlg);
    Send(list, LB_SETCURSEL, 0, 0);
    RealPress(VK_TAB);
    HWND units = GetDlgItem(dlg, pantrium::kUnitsBox);
    if (!Check(WaitFor([&] { return FocusedWindow() == units; }, 5000), "Tab moves to the units box")) return;
    RealPress(VK_DELETE);
    Check(WaitInputTaken(), "the program took the Delete key");
    Check(FindTopWindow("Delete Item", 1000) == nullptr, "Delete in the units box asks nothing");
    CheckEq(static_cast<long long>(ListRows(list).size()), 3, "and deletes no item");
}

DWORD WINAPI DriveShortcutsRun(LPVOID) {
    HWND dlg = FindTopWindow(kShortcutsCaption, 20000);
    if (!Check(dlg != nullptr, "the main window \"shortcuts list\" shows")) return 0;
    HWND list = GetDlgItem(dlg, pantrium::kItemList);
    Check(Foreground(dlg), "the main window is the foreground window");
    FileMenuPicture(dlg);
    F2OpensTheEditor(dlg, list);
    DeleteAsks(dlg, list);
    CtrlSSaves(dlg);
    DeleteInTheUnitsBoxEdits(dlg, list);
    // The end: without saving what the units box's Delete changed.
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    if (HWND box = FindTopWindow("Save File", 2000)) PostMessageA(box, WM_COMMAND, IDNO, 0);
    Check(WaitGone(dlg, 5000), "the main window closes");
    return 0;
}

}  // namespace

void RunShortcutsCase(PhaseRunner runPhase) {
    if (!Check(WriteFileBytes(kShortcutsFile, ListFileBytes(ShortcutsList(true))) &&
                   WriteFileBytes("pantrium.ini", std::string(kShortcutsFile) + "\r\n"),
               "the shortcuts list and pantrium.ini are written"))
        return;
    mainState = pantrium::MainWindowState{};
    runPhase(DriveShortcutsRun);
    Check(ReadFileBytes(kShortcutsFile) == ListFileBytes(ShortcutsList(false)),
          "the shortcuts list keeps what Ctrl+S saved");
}

}  // namespace smoke

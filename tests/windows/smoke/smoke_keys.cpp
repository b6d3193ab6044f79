#include "smoke_keys.h"

#include <string>
#include <vector>

#include "data/item_table.h"
#include "list_image.h"
#include "smoke_support.h"
#include "ui/main/main_window.h"

namespace smoke {

namespace {

const char* const kKeysFile = "keys list.ptm";
const char* const kCopyFile = "keys copy.ptm";
const char* const kKeysCaption = "keys list";

ListImage KeysList() {
    ListImage list;
    list.records = {{0, "Apples", "bag", 1.25f, 2, {}, {}, kToBuy},
                    {0, "Bread", "loaf", 2.0f, 1, {}, {}, kToBuy},
                    {0, "Coffee", "jar", 4.5f, 1, {}, {}, kToBuy},
                    {0, "Dates", "box", 3.0f, 0, {}, {}, 0}};
    list.rowOrder = {1, 2, 3, 4};
    return list;
}

// The same list after the fourth item was checked with one unit.
ListImage KeysListAllChecked() {
    ListImage list = KeysList();
    list.records[3].unitsToBuy = 1;
    list.records[3].flags = kToBuy;
    return list;
}

struct Keys {
    HWND dlg, list, status;
};

std::string Counts(const Keys& k) { return StatusPart(k.status, 2) + " / " + StatusPart(k.status, 3); }

// Once the program has handled the input, checks that the counts and the flag stayed.
void CheckUnchanged(const Keys& k, const std::string& items, const std::string& cost, const std::string& what) {
    Check(WaitInputTaken(), what + ": the program took the input");
    CheckEq(Counts(k), "Items to buy: " + items + " / Total cost: " + cost, what + ": items to buy and total");
    Check(!pantrium::itemTable.modified, what + ": the list is not modified afterwards");
}

bool Foreground(HWND window) {
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; }, 3000);
}

bool InMenu() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(guiThreadId, &info) && (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
}

// Alt+menu letter, then the item's letter once the menu is open, as a user
// types them.
void ChooseByKeys(const Keys& k, char menu, char item) {
    Foreground(k.dlg);
    // Wine may drop the very first Alt+letter while it syncs the keyboard state.
    for (int attempt = 0; attempt < 3; ++attempt) {
        RealAltKey(menu);
        // The menu opens while the thread handles the keys, before it takes
        // the input sent after them: then it is open, or the keys were lost.
        if (WaitInputTaken() && WaitFor(InMenu, 1000)) break;
        Log("  (the menu did not open; Alt+letter again)");
    }
    RealPress(item);
}

// Enter pressed on a prompt or dialog that closes on the press; the key is
// released once the window is gone and the main window is active again (a
// window manager activates it at once; without one, the driver does).
void EnterClosing(const Keys& k, HWND window, HWND focus) {
    RealKey(VK_RETURN, true);
    WaitGone(window);
    Foreground(k.dlg);
    Check(WaitFor([&] { return FocusedWindow() == focus; }, 5000),
          "the focus is back in the main window before the Enter key comes up");
    RealKey(VK_RETURN, false);
}

BOOL CALLBACK FirstEdit(HWND child, LPARAM param) {
    char cls[16] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(param) = child;
    return FALSE;
}

// The file name box of a common file dialog: its first edit field.
HWND FileNameBox(HWND dialog) {
    HWND found = nullptr;
    EnumChildWindows(dialog, FirstEdit, reinterpret_cast<LPARAM>(&found));
    return found;
}

void EnterAnswersTheSavePrompt(const Keys& k) {
    ChooseByKeys(k, 'F', 'S');
    HWND box = FindTopWindow("Save File");
    if (!Check(box != nullptr, "Alt+F, S asks \"Save file now?\"")) return;
    CheckEq(PromptText(box), "Save file now?", "the save prompt's text");
    EnterClosing(k, box, k.list);  // Yes is the default button
    Check(WaitGone(box), "Enter answers the save prompt");
    Check(WaitFor([&] { return ReadFileBytes(kKeysFile) == ListFileBytes(KeysList()); }, 10000),
          "the list is saved with its three checked items");
    CheckUnchanged(k, " 3", "9.00", "after Enter in the save prompt");
}

void EnterInTheSaveAsDialog(const Keys& k) {
    ChooseByKeys(k, 'F', 'A');
    HWND dialog = FindTopWindow("Save File");
    if (!Check(dialog != nullptr, "Alt+F, A shows the save dialog")) return;
    HWND name = FileNameBox(dialog);
    if (!Check(name != nullptr, "the save dialog has a file name box")) return;
    Send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kCopyFile));
    Foreground(dialog);
    EnterClosing(k, dialog, k.list);
    Check(WaitGone(dialog), "Enter closes the save dialog");
    Check(WaitFor([] { return ReadFileBytes(kCopyFile) == ListFileBytes(KeysList()); }, 10000),
          "the list is saved under the new name with its three checked items");
    CheckUnchanged(k, " 3", "9.00", "after Enter in the save dialog");
}

void EnterDismissesANotice(const Keys& k) {
    ChooseByKeys(k, 'T', 'O');  // "Check &Out"
    HWND question = FindTopWindow("Check out");
    if (!Check(question != nullptr, "Alt+T, O asks whether everything was bought")) return;
    RealPress('N');
    Check(WaitGone(question), "N answers No");
    HWND notice = FindTopWindow("CHECK OUT");
    if (!Check(notice != nullptr, "the notice about updating the items shows")) return;
    EnterClosing(k, notice, k.list);
    Check(WaitGone(notice), "Enter dismisses the notice");
    CheckUnchanged(k, " 3", "9.00", "after Enter on a notice");
}

void DoubleClicks(const Keys& k) {
    RECT list = {}, last = {};
    GetWindowRect(k.list, &list);
    Send(k.list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&last));
    const int rowHeight = last.bottom - last.top;
    POINT below = {40, last.bottom + 2 * rowHeight};
    ClientToScreen(k.list, &below);
    Check(below.y < list.bottom - 4, "there is room below the last row");
    Send(k.list, LB_SETCURSEL, 0, 0);  // Apples, checked
    RealDoubleClick(below.x, below.y);
    CheckUnchanged(k, " 3", "9.00", "after a double-click below the last row");

    POINT onDates = {40, (last.top + last.bottom) / 2};
    ClientToScreen(k.list, &onDates);
    RealDoubleClick(onDates.x, onDates.y);
    WaitFor([&] { return StatusPart(k.status, 2) == "Items to buy:  4"; }, 10000);
    CheckEq(Counts(k), "Items to buy:  4 / Total cost: 12.00", "a double-click on the last row checks it");
    Check(pantrium::itemTable.modified, "the double-click on a row counts as a change");
    Shot("keys-main-window", k.dlg);
}

void EscapeAsksFirst(const Keys& k) {
    Foreground(k.dlg);
    RealPress(VK_ESCAPE);
    HWND box = FindTopWindow("Save File");
    if (!Check(box != nullptr, "Escape with changes asks whether to save them")) return;
    CheckEq(PromptText(box), "File records have changed...\r\ndo you want to save them?",
            "Escape's question");
    Shot("keys-escape-question", box);
    RealPress(VK_ESCAPE);  // Cancel
    Check(WaitGone(box), "Escape in the question cancels it");
    // Once the program's thread is back in its loop for the next input, a
    // closing main window would have been hidden already.
    Check(WaitInputTaken(), "the program took the Escape in the question");
    Check(IsWindowVisible(k.dlg) != 0, "Cancel keeps the main window");
    CheckEq(Counts(k), "Items to buy:  4 / Total cost: 12.00", "Cancel keeps the changes");

    ChooseByKeys(k, 'F', 'S');
    box = FindTopWindow("Save File");
    if (!Check(box != nullptr, "the save prompt shows again")) return;
    EnterClosing(k, box, GetDlgItem(k.dlg, pantrium::kUnitsBox));  // where the double-click left it
    Check(WaitGone(box), "Enter answers the save prompt again");
    CheckUnchanged(k, " 4", "12.00", "after the second save");

    RealPress(VK_ESCAPE);
    Check(WaitGone(k.dlg, 3000), "Escape with nothing changed closes the main window");
    Check(FindTopWindow("Save File", 500) == nullptr, "and asks nothing");
}

}  // namespace

bool WriteKeysFiles() {
    return WriteFileBytes(kKeysFile, ListFileBytes(KeysList())) &&
           WriteFileBytes("pantrium.ini", std::string(kKeysFile) + "\r\n");
}

DWORD WINAPI DriveKeysRun(LPVOID) {
    HWND dlg = FindTopWindow(kKeysCaption, 20000);
    if (!Check(dlg != nullptr, "the main window \"keys list\" shows")) return 0;
    const Keys k{dlg, GetDlgItem(dlg, pantrium::kItemList), GetDlgItem(dlg, pantrium::kStatusBar)};
    WaitFor([&] { return StatusPart(k.status, 2) == "Items to buy:  3"; }, 3000);
    CheckEq(Counts(k), "Items to buy:  3 / Total cost: 9.00", "the keys list starts with three checked items");
    Check(Foreground(dlg), "the main window is the foreground window");
    Check(FocusedWindow() == k.list, "the item list has the keyboard focus");
    EnterAnswersTheSavePrompt(k);
    EnterInTheSaveAsDialog(k);
    EnterDismissesANotice(k);
    DoubleClicks(k);
    EscapeAsksFirst(k);
    if (IsWindow(dlg) && IsWindowVisible(dlg)) {  // after a failure: end the run without saving
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        if (HWND box = FindTopWindow("Save File", 1000)) PostMessageA(box, WM_COMMAND, IDNO, 0);
    }
    return 0;
}

void CheckAfterKeysRun() {
    // Since the save as, the list is the copy.
    Check(ReadFileBytes(kCopyFile) == ListFileBytes(KeysListAllChecked()),
          "the last save wrote the copy with its four checked items");
    Check(ReadFileBytes(kKeysFile) == ListFileBytes(KeysList()), "the first list keeps its three checked items");
}

}  // namespace smoke

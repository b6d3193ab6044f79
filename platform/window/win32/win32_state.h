// Everything the Win32 window layer keeps between calls, in one object: the
// running dialogs, key hooks, the rows of lists with tab stops, icons and
// cursors loaded once, and the print job. Each file of the layer reads and
// changes only its own part, through Layer().
#pragma once
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/print_job.h"
#include "platform/window/win32/win32_internal.h"

namespace plat::win32 {

// win32_keys.cpp: a control whose window procedure a key hook replaced.
struct HookedControl {
    HWND dlg;
    int id;
    WNDPROC original;
    KeyHook hook;
};

// win32_keys.cpp: the dialog manager acts on some presses itself (Enter,
// Escape, Tab) and never passes them to the control, so the message filter
// hands every press of a hooked control to its hook before the dialog manager
// sees it. This is the press it handed over last, so that the control's
// procedure does not hand the same press over a second time when it does
// receive it.
struct HandedOver {
    HWND control = nullptr;
    WPARAM vk = 0;
    LONG time = 0;
};

// win32_list_rows.cpp: the rows of a no-data list box.
struct KeptRows {
    WNDPROC original;
    std::vector<std::string> texts;
};

// win32_accessibility.cpp: what a control tells a screen reader beyond the system's answers.
struct AccessibleInfo {
    std::string name;     // SetAccessibleName's, or the label's created before it
    bool fromText = false;  // label, button, check box: named by its own text
    bool fromOutside = false;  // edit, list, combo: named only by name (the system may guess further)
    unsigned style = 0;
    EntryReader reader;   // a list box's rows as words
};

struct Win32State {
    // dialogs (win32_dialogs.cpp)
    std::map<HWND, DialogState*> dialogs;  // every dialog built by RunDialog
    bool commonControlsReady = false;

    // keys (win32_keys.cpp)
    std::map<HWND, HookedControl> hooked;  // control (or the edit field of a combo box) -> hook
    HHOOK filter = nullptr;                // the message filter hook
    HandedOver handedOver;

    // lists (win32_list_rows.cpp)
    std::map<HWND, KeptRows> keptRows;  // list box -> its rows

    // accessibility (win32_accessibility.cpp)
    std::map<HWND, AccessibleInfo> accessible;  // control -> what it adds for screen readers

    // icons and cursors, loaded once and kept as long as the program runs
    // (win32_window.cpp, win32_system.cpp)
    std::map<std::pair<std::string, int>, HICON> programIcons;  // (resource, size)
    std::map<std::pair<int, int>, HICON> systemIcons;           // (user32 number, size)
    std::string programIconName;  // the main window's icon, shown by every dialog
    HCURSOR handCursor = nullptr;

    // printer (win32_printer.cpp)
    std::unique_ptr<PrintJob> printJob;  // the open job, null when none
    bool pdfRequested = false;           // "Save as PDF..." pressed in the print dialog
};

// The layer's one state object.
Win32State& Layer();

}  // namespace plat::win32

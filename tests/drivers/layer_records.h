// What the program asked of the window layer, read back by the tests: the
// dialogs it ran, its controls' styles and settings, the pop-up menus, print
// jobs, help and shell requests, beeps and the cursor. Each driver
// (headless_user.cpp, qt_user.cpp, win32_records.cpp) answers them from its
// layer; they are forgotten with User::Reset.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/window.h"

namespace drivers {

struct PopupRecord {
    plat::Menu menu = 0;
    int x = 0, y = 0;
    plat::Window owner = 0;
    std::vector<plat::MenuItem> items;  // with their texts as shown
    int chosen = 0;                     // 0 = dismissed
};
struct PrinterOp {
    enum Kind { Open, SetFont, MoveTo, Text, NewLine, NewPage, Close } kind;
    std::string text;           // Text: the text; SetFont: face; Open: document name
    int x = 0, y = 0;           // position before the operation (MoveTo: the target)
    int points = 0, style = 0;  // SetFont
};

const std::vector<plat::DialogSpec>& DialogsRun();  // as passed to RunDialog, in order of opening
const std::vector<PopupRecord>& Popups();
const std::vector<PrinterOp>& PrinterOps();
const std::vector<std::pair<std::string, bool>>& ShellOpens();  // target, maximized
const std::vector<std::string>& HelpRequests();
const std::vector<int>& Beeps();
plat::Cursor CurrentCursor();
int LiveFonts();  // fonts created and not yet deleted

const plat::DialogSpec& SpecOf(plat::Window dlg);  // as passed to RunDialog
std::vector<plat::Window> OpenDialogs();           // outermost first
unsigned ControlStyle(plat::Window dlg, int id);   // Style bits, including kDefault changes
plat::Kind ControlKind(plat::Window dlg, int id);
std::vector<int> ControlIds(plat::Window dlg);  // creation order
int TextLimit(plat::Window dlg, int id);        // 0 = none
std::vector<int> TabStops(plat::Window dlg, int id);
std::vector<int> StatusParts(plat::Window dlg, int id);
std::pair<int, int> ControlColors(plat::Window dlg, int id);
plat::SystemIcon ControlIcon(plat::Window dlg, int id);
std::string ControlImage(plat::Window dlg, int id);
std::string DialogIcon(plat::Window dlg);
bool HasKeyHook(plat::Window dlg, int id);
std::pair<int, int> EditSelection(plat::Window dlg, int id);  // start, end
plat::Menu MenuOf(plat::Window dlg);
std::vector<plat::MenuItem> MenuItems(plat::Menu menu);  // current texts
bool IsTopMost(plat::Window dlg);

}  // namespace drivers

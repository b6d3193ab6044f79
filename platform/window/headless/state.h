// Internal state of the headless window layer, shared by its source files.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/headless/headless.h"
#include "platform/window.h"

namespace headless::detail {

struct Control {
    plat::Window dialog = 0;  // the dialog the control lives in
    plat::ControlSpec spec;  // rect in client pixels; style bits as they stand now
    plat::Rect created;      // the rect it was created with (a resizable dialog's layout starts there)
    std::string text;        // also the edit field of a simple combo
    // One entry per byte of text once something was typed: the character
    // typed there that Windows-1252 lacks ("?" in text), "" where text shows
    // its own byte. Emptied whenever the text is set otherwise.
    std::vector<std::string> lostAt;
    int limit = 0;           // 0 = none
    int selStart = 0, selEnd = 0;
    bool checked = false;
    int textRgb = -1, backRgb = -1;
    plat::Font font = 0;  // 0 = the dialog font
    plat::SystemIcon icon = plat::SystemIcon::None;
    std::string image;
    std::vector<std::string> items;
    int listSel = -1, top = 0;
    std::vector<int> tabStops;
    std::vector<int> statusParts{-1};
    std::vector<std::string> statusTexts{""};
    plat::KeyHook hook;
    std::string accessibleName;  // SetAccessibleName's, else the label's before it
    plat::EntryReader reader;
};

struct Dialog {
    plat::Window handle = 0;
    plat::DialogSpec spec;
    plat::Callback callback;
    std::string caption;
    std::vector<std::unique_ptr<Control>> controls;  // creation order = tab order
    Control* focus = nullptr;
    plat::Rect outer;
    plat::Size firstClient{-1, -1};  // a resizable dialog's client area when first shown
    plat::Size minOuter;             // and its outer size then, its minimum
    bool shown = false, ended = false, enabled = true, topMost = false;
    int result = 0;
    plat::Menu menu = 0;
    std::string icon;
    std::vector<plat::Accelerator> accelerators;
    plat::Font font = 0;  // the dialog font
};

struct FontInfo {
    plat::FontSpec spec;
    bool stock = false;  // the layer's own dialog font, never deleted
    bool deleted = false;
};

struct PrinterState {
    bool open = false;
    std::string face;
    int height = 0;  // dots
    int style = 0;
    int x = 0, y = 0;
    std::string toFile;  // the PDF file the job goes to, empty for the printer
};

enum class PrinterAnswer { Cancel, Printer, File };

struct State {
    std::uintptr_t nextHandle = 0x100;
    std::map<plat::Window, std::unique_ptr<Dialog>> dialogs;
    std::vector<plat::Window> stack;  // open dialogs, outermost first

    std::deque<std::function<void()>> actions;
    std::function<void()> idle;  // WhenIdle
    std::deque<int> promptAnswers;
    std::deque<std::pair<bool, std::string>> fileAnswers;
    std::deque<int> popupAnswers;
    std::deque<PrinterAnswer> printerAnswers;
    std::vector<std::pair<plat::Window, int>> posted;  // commands chosen in pop-up menus

    std::vector<PromptRecord> prompts;
    std::vector<plat::FileDialogRequest> fileDialogs;
    std::vector<std::pair<std::string, bool>> shellOpens;
    std::vector<std::string> helpRequests;
    std::vector<PrinterOp> printerOps;
    std::vector<int> beeps;
    std::vector<PopupRecord> popups;
    std::vector<plat::DialogSpec> dialogsRun;
    plat::Cursor cursor = plat::Cursor::Arrow;
    std::vector<std::string> failures;

    std::map<plat::Menu, std::vector<plat::MenuItem>> menus;
    std::map<plat::Font, FontInfo> fonts;
    std::map<std::pair<std::string, int>, plat::Font> dialogFonts;  // face, points
    PrinterState printer;
    std::string clipboardText, clipboardMarkdown;
};

State& S();
std::uintptr_t NewHandle();
void Fail(const std::string& what);

Dialog* FindDialog(plat::Window dlg);
Control* FindControl(Dialog* d, int id);  // first control with that id
Control* FindControl(plat::Window dlg, int id);
Dialog* Active();  // innermost shown dialog

bool IsList(plat::Kind k);       // ListBox, DropList, SimpleCombo
bool HasEditField(plat::Kind k); // Edit, SimpleCombo
bool GetsFocusNotes(plat::Kind k);
bool SendsListNotes(const Control& c);  // SelChange / DblClick (a list box needs kNotify)

int Send(plat::Window dlg, const plat::Event& e);
int Notify(plat::Window dlg, int id, plat::Code code);  // Command event
void MoveFocus(Dialog& d, Control* to);                 // with KillFocus / SetFocus
void ChangeEditText(Dialog& d, Control& c, const std::string& text);  // with Change
void SelectEntry(Control& c, int index);                // no notification; scrolls into view
void FlushPosted();
bool MenuHasItem(plat::Menu menu, int id);  // searched through sub-menus

plat::Point ClientOrigin(const Dialog& d);  // screen position of the client area
plat::Size ClientSize(const Dialog& d);
void LayoutStatusBars(Dialog& d);
// Status bars and the controls with layout bits, after the client area changed.
void LayoutClient(Dialog& d);

// Font metrics (fonts.cpp); font 0 and unknown fonts measure as the dialog font.
plat::Font DialogFont(const std::string& face, int points);
int TextHeight(plat::Font font);
int CharWidth(const std::string& face, int height, int weight, unsigned char c);
int TextWidth(const std::string& face, int height, int weight, const std::string& text);

}  // namespace headless::detail

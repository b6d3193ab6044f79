// Pantrium's small window layer. The UI is written against these functions
// only; they are implemented twice, by platform/window/headless (in memory, used by
// the tests, the reference behaviour) and by platform/window/win32 (the real calls).
// The implementation is chosen at link time.
//
// Semantics both implementations keep (the UI relies on them):
//  - SetText on an edit control raises its Change notification synchronously,
//    before SetText returns.
//  - ListSetSel (selecting from code) raises no notification.
//  - Focus changes notify: the control losing the focus gets KillFocus, the one
//    gaining it SetFocus (edit and list controls, as Command events).
//  - RunDialog is modal: it runs a nested loop and disables the owner until the
//    dialog ends.
//  - Prompt (the standard message box) has no owner: nothing is disabled.
//  - Escape in a dialog sends Command id 2; Enter sends the id of the focused
//    push button, else of the default push button, else 1.
//  - A list box reports a double-click anywhere in it (DblClick), also on the
//    empty part below its last entry; the event's entry tells the entry that
//    was double-clicked, -1 for none.
//  - A key hook sees every press and release its control receives, also the
//    presses the dialog acts on itself (Enter, Escape, Tab), before the dialog
//    does. A key goes to the window that has the focus when it arrives: the
//    release of an Enter whose press closed a prompt or a dialog reaches the
//    control below without its press.
//  - Shift+F10 and the Menu key ask the focused control for its context
//    menu: a ContextMenu event with x = y = -1 (no pointer position). A
//    focused edit field (also a simple combo's) shows its own menu instead.
//  - A Close event (close box, Alt+F4, system menu Close) that the callback
//    answers with 0 ends the dialog with result 2.
//  - A resizable dialog (kResizable) takes its first size, the one it has
//    when it is first shown (after Init, so with its menu bar), as its
//    minimum: neither the user nor MoveWindow makes it smaller. When its client
//    area is larger than it was then, by dw wide and dh high, a control with
//    layout bits stands at the rectangle it was created with, widened by dw
//    (kGrowRight), made taller by dh (kGrowDown) or moved down by dh
//    (kFollowBottom); other controls keep their place and a status bar
//    stays across the bottom. The layer places them itself at every change of
//    size (the user's border, maximising, MoveWindow): at the first size every
//    control stands where it was created. A dialog without kResizable keeps
//    its size: the user can neither resize nor maximise it.
//  - Pixels are those of a 96-dpi display: positions, sizes, status-bar edges,
//    window rectangles, the work area, text extents and font heights. The
//    Win32 layer scales them by the display's DPI / 96 (ScreenDpiY() is 96);
//    screen points of events go back unchanged to ListItemFromPoint and
//    TrackPopupMenu.
//
// Texts: path texts are UTF-8, so that a folder or file name in any language
// works: FileDialogRequest's fileName and initialDir (in and out), ShowHelp's
// path, ShellOpen's target, and the PDF file a print job may be written to
// (the Win32 layer's PANTRIUM_PRINT_TO and its save dialog). Captions
// (DialogSpec::caption, SetCaption, GetCaption, SetText and GetText with id 0)
// are UTF-8 too, because the main window's caption shows the list's path; the
// program's own captions are ASCII, which reads the same in both encodings.
// Prompt's text is UTF-8 as well, since it may name a list's path; its caption
// stays ANSI, since it may be a category name. Every other text (control
// texts, list entries, menus, fonts, printed text, file-dialog titles,
// filters and extensions) is ANSI, the single-byte code page of the list
// file's item, unit and category names.
// The headless layer keeps every text as the bytes it was given (what its
// scripted user types excepted, see CharactersLostInAnsi).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plat {

using Window = std::uintptr_t;  // 0 = none
using Menu = std::uintptr_t;    // 0 = none
using Font = std::uintptr_t;    // 0 = none (the control's default font)

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};
struct Size {
    int cx = 0, cy = 0;
    bool operator==(const Size&) const = default;
};
struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// ---- dialogs and controls -------------------------------------------------

enum class Kind {
    Label,        // STATIC text
    Edit,         // single-line EDIT
    ListBox,      // LISTBOX, single selection
    Button,       // push BUTTON
    CheckBox,     // automatic check box
    DropList,     // COMBOBOX, drop-down list, not editable
    SimpleCombo,  // COMBOBOX, simple: edit field above an always-open list
    BlackFrame,   // STATIC black frame, no text
    Icon,         // STATIC icon
    StatusBar,    // common-control status bar at the bottom of the client area
};

// Control style bits (Win32 meaning in brackets).
enum Style : unsigned {
    kTabStop = 1u << 0,         // WS_TABSTOP
    kVScroll = 1u << 1,         // WS_VSCROLL
    kUseTabStops = 1u << 2,     // LBS_USETABSTOPS
    kNotify = 1u << 3,          // LBS_NOTIFY / SS_NOTIFY (label reports clicks)
    kStaticEdge = 1u << 4,      // WS_EX_STATICEDGE (thin sunken edge)
    kClientEdge = 1u << 5,      // WS_EX_CLIENTEDGE (sunken edge)
    kAutoHScroll = 1u << 6,     // ES_AUTOHSCROLL
    kCenter = 1u << 7,          // BS_CENTER / SS_CENTER
    kDefault = 1u << 8,         // BS_DEFPUSHBUTTON
    kNoPrefix = 1u << 9,        // SS_NOPREFIX ("&" shown as is)
    kHidden = 1u << 10,         // not WS_VISIBLE
    kDisableNoScroll = 1u << 11,// LBS_DISABLENOSCROLL (scroll bar always shown)
    kNoIntegralHeight = 1u << 12,
    // Layout in a resizable dialog (see the top of this file), not Win32 styles:
    kGrowRight = 1u << 13,      // widens with the client area
    kGrowDown = 1u << 14,       // grows taller with the client area
    kFollowBottom = 1u << 15,   // keeps its distance to the bottom edge
};

struct ControlSpec {
    int id = -1;
    Kind kind = Kind::Label;
    std::string text;
    Rect rect;          // pixels of the client area (dialog units when the dialog says so)
    unsigned style = 0;
};

// Frame bits of a dialog.
enum Frame : unsigned {
    kCaption = 1u << 0,      // WS_CAPTION
    kSysMenu = 1u << 1,      // WS_SYSMENU (close box)
    kMinimizeBox = 1u << 2,  // WS_MINIMIZEBOX
    kModalFrame = 1u << 3,   // DS_MODALFRAME
    kResizable = 1u << 4,    // WS_THICKFRAME | WS_MAXIMIZEBOX: sizing border and maximise box
};

struct DialogSpec {
    std::string caption;
    int width = 0, height = 0;  // client area
    bool dialogUnits = false;   // sizes and positions in dialog units (About box)
    unsigned frame = kCaption | kSysMenu;
    Window owner = 0;           // disabled while the dialog runs
    bool centred = true;        // centred on the desktop work area
    std::string fontFace = "MS Sans Serif";
    int fontPoints = 8;
    int background = -1;        // RGB 0xBBGGRR as COLORREF, -1 = system default
    std::vector<ControlSpec> controls;  // creation order = tab order
};

// ---- events ----------------------------------------------------------------

enum class Msg {
    Init,         // before the dialog is shown
    Command,      // id = control or menu id, code = notification
    Close,        // close system command; return 0 to let the dialog end (result 2)
    Destroy,      // the dialog is going away
    MenuSelect,   // a menu item is highlighted; id = its command
    ContextMenu,  // right button; id = control clicked (0 = the dialog), x,y = screen
    User,         // a private message sent with SendUser; id = its number
    SetCursor,    // pointer over control id (-1 when over none); return 1 when handled
    Activate,     // the dialog became the active window; at least when the user comes
                  // back to it from another program, possibly also when it is first
                  // shown or a window above it ends; the answer is ignored
};

enum class Code {
    None,
    Clicked,    // button, check box, menu item, notify label
    SelChange,  // list / combo box: the user changed the selection
    DblClick,   // list box
    SetFocus,
    KillFocus,
    Change,     // edit (also the edit field of a simple combo)
};

struct Event {
    Msg msg = Msg::Init;
    int id = 0;
    Code code = Code::None;
    int x = 0, y = 0;
    int entry = -1;  // DblClick of a list box: the entry under the pointer, -1 when none
};

// Returns non-zero when the event is fully handled (default handling skipped).
using Callback = std::function<int(Window dlg, const Event& e)>;

// Builds the dialog, sends Init, runs it modally, sends Destroy; returns the
// value given to EndDialog (or 2 after an unhandled Close).
int RunDialog(const DialogSpec& spec, const Callback& callback);
void EndDialog(Window dlg, int result);
void AddControl(Window dlg, const ControlSpec& spec);  // during Init or later

// Synchronous sends to a dialog's callback (the platform's SendMessage).
int SendCommand(Window dlg, int id, Code code = Code::Clicked);
int SendUser(Window dlg, int number);
int SendClose(Window dlg);  // the close system command

// ---- control access -------------------------------------------------------
// id 0 addresses the dialog itself where that makes sense (caption).

void SetText(Window dlg, int id, const std::string& text);
std::string GetText(Window dlg, int id);
void LimitText(Window dlg, int id, int chars);
void SelectAllText(Window dlg, int id);
void SetFocus(Window dlg, int id);
int GetFocus(Window dlg);  // id of the focused control of dlg, 0 when none
void ShowControl(Window dlg, int id, bool visible);
bool IsVisible(Window dlg, int id);
void SetCheck(Window dlg, int id, bool checked);
bool GetCheck(Window dlg, int id);
void SetDefaultButton(Window dlg, int id, bool isDefault);  // BM_SETSTYLE, redrawn
void SetColors(Window dlg, int id, int textRgb, int backRgb);  // -1 = default background
void SetControlFont(Window dlg, int id, Font font);
Font GetControlFont(Window dlg, int id);  // the font the control reports as its own

// list box and combo box (entries 0-based)
void ListReset(Window dlg, int id);
int ListAdd(Window dlg, int id, const std::string& text);
void ListInsert(Window dlg, int id, int index, const std::string& text);
void ListDelete(Window dlg, int id, int index);
// Replaces every entry by count new ones, entry i holding rowText(i), and
// keeps the first visible entry (as far as the new entries reach). Drawn once,
// at the end; no notification.
void ListFill(Window dlg, int id, int count, const std::function<std::string(int index)>& rowText);
// Rewrites one entry in place: ListDelete and ListInsert at the same index,
// drawn once.
void ListReplace(Window dlg, int id, int index, const std::string& text);
int ListCount(Window dlg, int id);
std::string ListText(Window dlg, int id, int index);
int ListGetSel(Window dlg, int id);              // -1 when none
void ListSetSel(Window dlg, int id, int index);  // no notification; -1 clears
int ListTopIndex(Window dlg, int id);
void ListSetTopIndex(Window dlg, int id, int index);
int ListFindExact(Window dlg, int id, int startAfter, const std::string& text);  // ignores case; -1
void ListSetTabStops(Window dlg, int id, const std::vector<int>& stops);  // dialog template units, negative = right-aligned
int ListItemFromPoint(Window dlg, int id, int screenX, int screenY);     // -1 when none / not a list
// The entry's rectangle on the screen, in the points of events (those that
// TrackPopupMenu takes); scrolled out of sight it lies outside the list.
// Empty when there is no such entry or the control is no list box.
Rect ListItemRect(Window dlg, int id, int index);

// status bar
void SetStatusParts(Window dlg, int id, const std::vector<int>& rightEdges);  // -1 = to the right edge
void SetStatusText(Window dlg, int id, int part, const std::string& text);
std::string GetStatusText(Window dlg, int id, int part);

// window placement and look
void SetCaption(Window dlg, const std::string& caption);
std::string GetCaption(Window dlg);
Rect GetWindowRect(Window dlg);  // outer rectangle, screen pixels
void MoveWindow(Window dlg, const Rect& outer);
void SetTopMost(Window dlg);
Rect WorkArea();
Window ActiveWindow();
void SetDialogIcon(Window dlg, const std::string& resourceName);  // the program's icon, e.g. "GROCERY": this window and every later dialog, small and large

enum class SystemIcon { None, Stop, Question, Exclamation, Information };
void SetControlIcon(Window dlg, int id, SystemIcon icon);
void SetControlImage(Window dlg, int id, const std::string& iconResource);  // "GROCERY"

// ---- accessibility ------------------------------------------------------------
// What a screen reader is told about the controls.
//  - A control that shows no text of its own (edit, list box, drop list,
//    simple combo) is named by SetAccessibleName, or else by the label
//    created immediately before it in the dialog's control list (its text
//    without "&" marks and without leading and trailing blanks), as Windows
//    names a control from the static text before it. A label, a button, a
//    check box and each part of a status bar read as their texts.
//  - A list entry reads as its text, or as what the list's entry reader
//    makes of that text; the reader may also give the entry a check mark.
//  - A control that cannot be seen (hidden, or of zero width or height) is
//    not offered to the reader.
//  - On Qt the main window (no owner, no modal frame) reads as a frame,
//    every other window as a dialog; on Win32 every window is the system's
//    dialog window and reads as the system says.
// A change of a list entry, a status part or an edit's text is announced.
// On Win32 each control answers WM_GETOBJECT with the system's object
// wrapped; where the system cannot hand an object over (Wine), AccessibleText
// reads the object the control would have handed over.
void SetAccessibleName(Window dlg, int id, const std::string& name);
struct EntrySpeech {
    std::string words;
    int checked = -1;  // -1: no check mark, 0: unchecked, 1: checked
};
using EntryReader = std::function<EntrySpeech(const std::string& entryText)>;
void ListSetEntryReader(Window dlg, int id, EntryReader reader);  // list box; empty: entries read as their text
// What the layer tells the screen reader: the control's name (entry -1), or
// entry's words and check mark; for a status bar, entry is the part.
EntrySpeech AccessibleText(Window dlg, int id, int entry = -1);

// ---- keyboard ---------------------------------------------------------------

constexpr int kVkReturn = 13, kVkEscape = 27, kVkTab = 9, kVkUp = 38, kVkDown = 40, kVkShift = 16;
constexpr int kVkControl = 17, kVkDelete = 46, kVkApps = 93, kVkF1 = 112, kVkF2 = 113, kVkF10 = 121;
// Letter and digit keys are their upper-case characters ('O', 'S', ...).

// A replaced window procedure: sees every key press/release of the control
// first; the standard behaviour of the control always follows.
using KeyHook = std::function<void(Window dlg, int id, int vk, bool down)>;
void SetKeyHook(Window dlg, int id, KeyHook hook);
void RemoveKeyHook(Window dlg, int id);  // puts the standard procedure back

// An accelerator's key press (with exactly its Shift and Ctrl, no Alt) gives
// the dialog its command instead of reaching the focused control. One marked
// editKeeps is left to a focused edit field (also a simple combo's), where
// the key edits the text (Delete, Ctrl+Z).
struct Accelerator {
    int vk;
    bool shift;
    int command;
    bool ctrl = false;
    bool editKeeps = false;
};
void SetAccelerators(Window dlg, const std::vector<Accelerator>& table);

// ---- menus -------------------------------------------------------------------

// A separator has empty text and id 0; an entry with items is a pop-up.
struct MenuItem {
    std::string text;
    int id = 0;
    std::vector<MenuItem> items;
};
Menu CreateMenuBar(const std::vector<MenuItem>& menus);
Menu CreatePopupMenu(const std::vector<MenuItem>& items);
void SetMenu(Window dlg, Menu bar);
void SetMenuItemText(Menu menu, int id, const std::string& text);  // searched through sub-menus
std::string GetMenuItemText(Menu menu, int id);
// Shows the pop-up with its top-left corner at the screen point; the chosen
// item arrives at the owner as a Command after the call returns.
void TrackPopupMenu(Menu popup, int screenX, int screenY, Window owner);

// ---- prompts, sounds, cursors -------------------------------------------------

// The platform's standard message box, no owner; style and answers are the
// Win32 MB_ / ID numbers (6 = Yes, 7 = No, 2 = Cancel, 1 = OK).
int Prompt(const std::string& text, const std::string& caption, int style);
void Beep(int soundType);  // 0, 16, 32, 48, 64
enum class Cursor { Arrow, Hand, Wait };
void SetCursor(Cursor cursor);

// ---- fonts and text -------------------------------------------------------------

struct FontSpec {
    std::string face;
    int height = 0;  // pixels; negative = character height (CreateFont convention)
    int weight = 0;  // 0 default, 400 normal, 700 bold
    bool italic = false, underline = false, strikeOut = false;
};
Font CreateFont(const FontSpec& spec);
void DeleteFont(Font font);
Size MeasureText(Font font, const std::string& text);                 // one line
int FitCharacters(Font font, const std::string& text, int maxWidth);  // leading chars that fit
int ScreenDpiY();

// ---- text the list file cannot hold ----------------------------------------------

// The characters of an edit field's text (an Edit, or a SimpleCombo's edit
// field) as the user sees it that its ANSI text cannot hold, each once, in
// the order they first appear, each as UTF-8; empty when GetText returns the
// text as shown. GetText holds "?" in place of each of them, never a
// look-alike. Whose ANSI: the Win32 layer's is the system's code page, the Qt
// layer's Windows-1252 (both the one files::CharactersNotInAnsi knows); the
// headless layer's is Windows-1252 too (headless.h).
std::vector<std::string> CharactersLostInAnsi(Window dlg, int id);

// ---- clipboard ---------------------------------------------------------------------

// Replaces what the clipboard holds with one text in two forms, plain text and
// Markdown, both ANSI text with lines ended by "\n". The layer hands them to
// the system as Unicode: on Windows the plain text as CF_UNICODETEXT and the
// Markdown as UTF-8 under the registered format "text/markdown", both with
// CR LF; on Qt as the MIME types text/plain and text/markdown. False when the
// clipboard could not be taken (another program keeps it open); it is then
// left as it was.
bool SetClipboardText(Window owner, const std::string& plain, const std::string& markdown);
// What the clipboard holds as plain text, and as Markdown, in ANSI text with
// "\n" line ends ("?" for a character ANSI cannot hold); empty when it holds
// no such form.
std::string ClipboardText();
std::string ClipboardMarkdown();

// ---- common dialogs, shell, help ---------------------------------------------------

struct FileDialogRequest {
    Window owner = 0;
    std::string title;       // empty = platform default
    std::string fileName;    // in: proposed name (buffer content); out: chosen path
    int bufferSize = 260;
    std::string initialDir;
    std::string filter;      // NUL-separated pairs, double-NUL terminated
    int filterIndex = 1;
    std::string defExt;      // without dot; empty = none
    std::uint32_t flags = 0; // OFN_ flags, in and out
};
bool GetOpenFileName(FileDialogRequest& request);
bool GetSaveFileName(FileDialogRequest& request);

void ShellOpen(const std::string& target, bool maximized);
// Opens the help of the HTML Help file at chmPath (on a system without HTML
// Help: the help pages kept for it, help/index.html beside it). False, and
// nothing shown, when there is none there.
bool ShowHelp(Window owner, const std::string& chmPath);

// ---- printer ---------------------------------------------------------------------
// One print job at a time; when no printer was opened every call does nothing.

// pdfPath (UTF-8): the file proposed when the job goes to a PDF file (the
// machine has no printer, or the user asks for a file in the print dialog);
// empty: the document's name with ".pdf" in the current folder.
bool PrinterChooseAndOpen(Window owner, const std::string& docName, const std::string& pdfPath = {});
int PrinterDpiX();
int PrinterDpiY();
Size PrinterCharSize();   // average char width, line height (height + external leading)
int PrinterLinesPerPage();
void PrinterSetFont(const std::string& face, int points, int styleSet);  // 1 bold 2 italic 4 underline 8 strike
void PrinterMoveTo(int x, int y);
Point PrinterPosition();  // current x, y
void PrinterText(const std::string& text);
void PrinterNewLine();
void PrinterNewPage();
// Ends the job. Returns the PDF file it wrote (UTF-8) when the user's choice
// or a machine without a printer sent it to a file, so that the program can
// say where it went; empty for a printer, no job, a file that could not be
// written (the layer said so) and PANTRIUM_PRINT_TO, which stays silent.
std::string PrinterClose();

}  // namespace plat

// The headless window layer: an in-memory, deterministic implementation of
// window.h plus a scriptable user and inspection helpers. The tests of the
// user interface reach them through the scripted user of tests/drivers
// (headless_user.cpp); the layer's own conformance cases use them directly.
//
// How the script drives the UI: queue user actions and scripted answers, then call
// the UI entry point (for example RunMainWindow()). Every modal loop (RunDialog)
// takes the next queued action and runs it against the active dialog, until
// that dialog ends; a dialog opened by an action runs its own nested loop on
// the same queue. When the queue runs dry while a dialog is still open, the
// layer records a failure ("script ran out in dialog <caption>") and ends the
// open dialogs with result 2, so a test never hangs.
//
// Prompts (the standard message box), file dialogs, pop-up menus and the
// printer dialog take their answers from their own queues; an unscripted one
// records a failure and answers 2 (Cancel) / cancelled. Tests should assert
// that Failures() is empty.
//
// Font metrics, the window frame, list rows and the printer geometry are fixed
// and documented in headless_metrics.h.
//
// Details of the model the UI and its tests may rely on:
//  - After Init the focus goes to the first visible kTabStop control (with its
//    SetFocus notification), unless Init set a focus itself or returned non-zero.
//  - Focus notifications (Command KillFocus / SetFocus) come only from edits,
//    list boxes and combo boxes; the old control hears KillFocus first. Opening
//    or closing another dialog, a prompt or a file dialog sends none: each
//    dialog keeps its focused control (ending a dialog sends none either).
//  - Every command the layer sends (buttons, Enter, Escape, accelerators, menu
//    items, pop-up choices) has Code::Clicked.
//  - A list box without kNotify sends no SelChange or DblClick (focus
//    notifications still come). Selecting an entry, from code or by the user,
//    scrolls it into view; in a simple combo it also copies the entry into the
//    edit field with its text selected, without a Change (clearing the
//    selection or the entries empties the field, also without one). GetText
//    of a drop list returns its selected entry.
//  - SetText on an edit puts the caret at the end; Type then appends. Tab into
//    an edit selects its whole text, as the dialog manager does.
//  - Type sends no key events, only the characters; "\b" is a backspace; a
//    character beyond the LimitText limit is refused without a Change.
//  - Type takes UTF-8 text, as a keyboard gives characters, into edits whose
//    ANSI text is Windows-1252 (the code page of an English Windows, and of
//    Wine here): "\xC3\xB6" (o umlaut) is held as 0xF6, a character 1252
//    lacks as "?", which CharactersLostInAnsi names. A byte that starts no
//    UTF-8 character is typed as that ANSI byte. Every other text (SetText,
//    list entries) is held as the bytes given.
//  - Ctrl keys (KeyDown/KeyUp with ctrl) reach accelerators and key hooks, never the
//    standard handling (Tab, Enter, Escape, arrows).
//  - The clipboard is the layer's own: SetClipboardText keeps both forms as
//    given, ClipboardText and ClipboardMarkdown return them.
//  - Activate arrives only from the scripted Activate, never when a dialog
//    shows or a window above it ends.
//  - Click does not move the focus. RightClick on an edit sends nothing (the
//    edit shows its own standard menu).
//  - Scripted actions record a failure when they cannot be done (no such
//    control, hidden control, a click on a control that reports none, a row
//    that does not exist, a menu item the menu bar lacks, a prompt answer the
//    style does not offer, an unscripted pop-up / file / printer dialog).
//    A font deleted twice, or used for measuring after its deletion, too.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/window.h"

namespace headless {

// Resets every window, queue and record; the screen is 1024 x 768 with a work
// area of 1024 x 740 at 0,0; screen and printer dots per inch as documented.
void Reset();

// ---- the scripted user (each call queues one action) ----------------------
// Actions address the active dialog (the innermost running modal dialog).
void Click(int id);                       // push button / check box / notify label
void ChooseMenu(int id);                  // MenuSelect, then Command from the menu bar
void SelectRow(int id, int index);        // mouse click on entry: focus to the list, selection, SelChange
void DoubleClickRow(int id, int index);   // as SelectRow, then DblClick with that entry
void DoubleClickBelowRows(int id);        // on the empty part below the last entry of a list box: focus
                                          // to the list, the selection stays, DblClick with entry -1
// to the focused control (key hook first, then standard handling), Shift and Ctrl held with the key
void KeyDown(int vk, bool shift = false, bool ctrl = false);
void KeyUp(int vk, bool shift = false, bool ctrl = false);
void Press(int vk, bool shift = false, bool ctrl = false);   // KeyDown then KeyUp, queued as two actions (a release after a
                                          // press that closed a dialog reaches the dialog below)
void Type(const std::string& text);       // keystroke by keystroke into the focused edit: replaces the
                                          // selection, one Change per character
void ClearEdit();                         // the user deletes the whole text of the focused edit (one Change)
void Focus(int id);                       // moves the focus with KillFocus / SetFocus notifications
void RightClick(int id, int clientX, int clientY);  // ContextMenu at that control's client point
void Hover(int id);                       // SetCursor for the pointer over control id (-1 = none); an
                                          // unhandled request sets the arrow cursor
void CloseBox();                          // the close system command
void Activate();                          // the user comes back from another program: Activate
void Then(std::function<void()> check);   // runs a test's own code in the loop

// ---- scripted answers --------------------------------------------------------
void AnswerPrompt(int answer);                              // next Prompt returns this
void AnswerFileDialog(bool confirmed, const std::string& path);  // next Get*FileName
void ChoosePopup(int id);                                   // next TrackPopupMenu picks id (0 = dismissed)
void AnswerPrinterDialog(bool confirmed);                   // next PrinterChooseAndOpen
// Addition: the next PrinterChooseAndOpen goes to a PDF file, the one proposed
// (as the machine without a printer does); PrinterClose then returns its path.
void AnswerPrinterToFile();

// ---- records -----------------------------------------------------------------
struct PromptRecord {
    std::string text, caption;
    int style = 0;
    int answer = 0;
};
struct PrinterOp {
    enum Kind { Open, SetFont, MoveTo, Text, NewLine, NewPage, Close } kind;
    std::string text;  // Text: the text; SetFont: face; Open: document name
    std::string file;  // Open: the PDF file proposed (as passed, may be empty)
    int x = 0, y = 0;  // position before the operation (MoveTo: the target)
    int points = 0, style = 0;  // SetFont
};
const std::vector<PromptRecord>& Prompts();
const std::vector<plat::FileDialogRequest>& FileDialogs();  // requests as passed in
const std::vector<std::pair<std::string, bool>>& ShellOpens();  // target, maximized
const std::vector<std::string>& HelpRequests();
const std::vector<PrinterOp>& PrinterOps();
const std::vector<int>& Beeps();
plat::Cursor CurrentCursor();
const std::vector<std::string>& Failures();
std::vector<std::string> TakeFailures();  // addition: the failures so far, which are then forgotten

// Additions: pop-up menus as shown (items with their texts at that moment),
// every dialog run (specs as passed to RunDialog, in order of opening), and the
// queued actions and answers not used yet.
struct PopupRecord {
    plat::Menu menu = 0;
    int x = 0, y = 0;
    plat::Window owner = 0;
    std::vector<plat::MenuItem> items;
    int chosen = 0;  // 0 = dismissed
};
const std::vector<PopupRecord>& Popups();
const std::vector<plat::DialogSpec>& DialogsRun();
int UnusedScript();
// Addition: runs the next queued action now, as the modal loop would (for a
// test's own pump inside a Then); false when none is queued.
bool RunNextAction();
// Addition: a test's player of steps, asked by the modal loop whenever the
// queue is empty (nullptr: none, a dry queue ends the dialog). It queues an
// action, runs a check or ends the dialog.
void WhenIdle(std::function<void()> step);
// Addition: whether dlg was ended (EndDialog, an unanswered Close) and its
// loop has not returned yet; false for a dialog still running or gone.
bool IsEnded(plat::Window dlg);

// ---- inspection ----------------------------------------------------------------
plat::Window ActiveDialog();                    // innermost running dialog, 0 when none
std::vector<plat::Window> OpenDialogs();        // outermost first
const plat::DialogSpec& SpecOf(plat::Window dlg);  // as passed to RunDialog
plat::Rect ControlRect(plat::Window dlg, int id);  // pixels of the client area
unsigned ControlStyle(plat::Window dlg, int id);   // Style bits, including kDefault changes
plat::Kind ControlKind(plat::Window dlg, int id);
std::vector<int> ControlIds(plat::Window dlg);     // creation order
bool IsEnabled(plat::Window dlg);
plat::Rect ClientRect(plat::Window dlg);           // screen position and size of the client area
int TextLimit(plat::Window dlg, int id);           // 0 = none
std::vector<int> TabStops(plat::Window dlg, int id);
std::vector<int> StatusParts(plat::Window dlg, int id);
std::pair<int, int> ControlColors(plat::Window dlg, int id);
plat::SystemIcon ControlIcon(plat::Window dlg, int id);
std::string DialogIcon(plat::Window dlg);
bool HasKeyHook(plat::Window dlg, int id);
std::pair<int, int> EditSelection(plat::Window dlg, int id);  // start, end
plat::Menu MenuOf(plat::Window dlg);
std::vector<plat::MenuItem> MenuItems(plat::Menu menu);  // current texts
bool IsTopMost(plat::Window dlg);
int LiveFonts();  // fonts created and not yet deleted
std::string ControlImage(plat::Window dlg, int id);  // addition: SetControlImage's resource

}  // namespace headless

// Helpers of the Wine smoke test: checks that print PASS/FAIL lines, and a
// small driver that works the real windows of the program from a second
// thread through window messages, the way a user's mouse and keyboard would.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace smoke {

extern int failures;
extern DWORD guiThreadId;  // the thread that runs the main window

// Prints one line on stdout at once (the script reads it line by line).
void Log(const std::string& line);
// Tabs, CR and LF made visible, for the FAIL lines.
std::string Escaped(const std::string& text);

bool Check(bool ok, const std::string& what);
bool CheckEq(const std::string& actual, const std::string& expected, const std::string& what);
bool CheckEq(long long actual, long long expected, const std::string& what);
bool CheckEq(const std::vector<std::string>& actual, const std::vector<std::string>& expected,
             const std::string& what);

// How many times slower than a native Wine the program runs here
// (PANTRIUM_SMOKE_TIME_FACTOR, given for the emulated 32-bit Wine): every
// deadline grows by it.
int TimeFactor();

// Polls cond every 20 ms until it holds or timeoutMs (times TimeFactor) has passed.
template <class Cond>
bool WaitFor(Cond cond, int timeoutMs = 5000) {
    timeoutMs *= TimeFactor();
    for (int waited = 0;; waited += 20) {
        if (cond()) return true;
        if (waited >= timeoutMs) return false;
        Sleep(20);
    }
}

// A visible top-level window of this process with exactly this caption
// (letter case counts: "Check out" is a prompt, "Check Out" a dialog).
HWND FindTopWindow(const std::string& caption, int timeoutMs = 10000);
bool WaitGone(HWND window, int timeoutMs = 5000);

// SendMessage that gives up (-1) after 5 s instead of hanging the driver.
LRESULT Send(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

// A length of the layouts (96-dpi pixels) on this display: times its DPI / 96,
// rounded like the window layer rounds (the program is DPI aware).
int Px(int layoutPixels);

std::string Text(HWND window);  // WM_GETTEXT
std::string ControlText(HWND dlg, int id);
// Types text into an edit control: selects everything, then one WM_CHAR per
// character (an empty text deletes the selection with a backspace).
void TypeInto(HWND edit, const std::string& text);
void TypeChars(HWND edit, const std::string& chars);

std::vector<std::string> ListRows(HWND list);  // list box entries
int ListSel(HWND list);
std::vector<std::string> ComboEntries(HWND combo);
int ComboSel(HWND combo);
std::string StatusPart(HWND statusBar, int part);
std::vector<int> StatusParts(HWND statusBar);  // right edges

HWND FocusedWindow();  // the keyboard focus of the GUI thread
// The control's rectangle in its parent's client coordinates.
RECT ClientRectOf(HWND control);
// The child whose class and text are these (labels have no id of their own).
HWND ChildByText(HWND dlg, const std::string& className, const std::string& text);

// Input, posted to the window as the mouse and keyboard would deliver it.
void Click(HWND button);                   // BM_CLICK
void ClickRow(HWND list, int index);       // left button down and up on the row
void DoubleClickRow(HWND list, int index);  // real input (RealDoubleClick) on the row
void KeyDown(HWND window, int vk);
void KeyUp(HWND window, int vk);
void PressKey(HWND window, int vk);        // down, then up
void Command(HWND dlg, int id);            // a menu command (WM_COMMAND, no control)
void SysClose(HWND window);                // the close box (WM_SYSCOMMAND SC_CLOSE)

// Real input through SendInput: it goes to the foreground window's focus the
// way the keyboard and mouse deliver it, through the program's own loops.
void RealKey(int vk, bool down);
void RealPress(int vk);                    // down, a short pause, up
void RealAltKey(char letter);              // Alt+letter: opens a menu of the menu bar
void RealDoubleClick(int screenX, int screenY);  // each event carries the place
// Waits until the program's thread has taken all the input sent before (a
// key release of F24 sent after it has reached that thread's message loop);
// what the input posted in turn has then been handled too, since posted
// messages come before input. False when it did not within the time.
bool WaitInputTaken(int timeoutMs = 10000);

// The standard message box with this caption: checks its text, then presses
// the button whose id is answer (IDYES, IDNO, IDCANCEL, IDOK). False when no
// such box came up.
bool AnswerPrompt(const std::string& caption, const std::string& text, int answer);
// Message text of a standard message box.
std::string PromptText(HWND box);

// Asks the script that runs the test to photograph the window (see
// scripts/wine/wine-smoke.sh); without the script (PANTRIUM_SMOKE_SHOTS unset)
// nothing happens.
void Shot(const std::string& name, HWND window);

}  // namespace smoke

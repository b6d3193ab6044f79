// The scripted user of the tests: the mouse, the keyboard and the person who
// answers the platform's own dialogs, played the same way on every window
// layer. One driver per implementation (headless_user.cpp, qt_user.cpp,
// win32_user.cpp) is linked beside the tests.
//
// Input arrives as it does from a person: asynchronously, through the
// dialog's own loop. An action is queued or posted; PumpUntil runs the loop
// until the state the test waits for holds, or the deadline passes. A test
// never waits for a fixed time alone (an emulated 32-bit Wine is slow).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/window.h"

namespace drivers {

class User {
public:
    virtual ~User() = default;

    // "headless", "qt" or "win32": for the lines that say what a layer cannot show.
    virtual std::string Name() const = 0;

    // Forgets the answers, records and failures so far (the headless layer
    // starts afresh: no windows).
    virtual void Reset() = 0;

    // The innermost running dialog, the one the user's input goes to; 0 when none.
    virtual plat::Window ActiveDialog() = 0;
    // Plays a script: step runs each time the active dialog's loop waits for
    // the user, until Drive(nullptr). A step does one thing (an action, a
    // check) or ends the dialog; it runs only inside the layer's own dialogs.
    virtual void Drive(std::function<void()> step) = 0;

    // Runs body in dlg's own modal loop once the dialog shows (call it during Init).
    virtual void WhenShown(plat::Window dlg, std::function<void()> body) = 0;

    // ---- the mouse and the keyboard, addressed to a running dialog ----
    virtual void Click(plat::Window dlg, int id) = 0;  // push button, check box, notifying label
    // On a list box's row; index -1: on the empty part below its last row.
    virtual void DoubleClickRow(plat::Window dlg, int id, int index) = 0;
    // A click on a row of a list box, a list's entry of a combo box, or a
    // drop list's choice: the focus goes to the list.
    virtual void ClickRow(plat::Window dlg, int id, int index) = 0;
    virtual void ChooseMenu(plat::Window dlg, int id) = 0;  // an item of dlg's menu bar
    virtual void RightClick(plat::Window dlg, int id, int clientX, int clientY) = 0;  // control pixels
    virtual void Hover(plat::Window dlg, int id) = 0;  // the pointer over control id, -1 over none
    virtual void CloseBox(plat::Window dlg) = 0;
    // The user works in another window for a while, then clicks dlg's window:
    // it becomes the active window again.
    virtual void Activate(plat::Window dlg) = 0;
    // Keys go to the control of dlg that has the focus; Shift and Ctrl held with them.
    virtual void KeyDown(plat::Window dlg, int vk, bool shift = false, bool ctrl = false) = 0;
    virtual void KeyUp(plat::Window dlg, int vk, bool shift = false, bool ctrl = false) = 0;
    void Press(plat::Window dlg, int vk, bool shift = false, bool ctrl = false) {
        KeyDown(dlg, vk, shift, ctrl);
        KeyUp(dlg, vk, shift, ctrl);
    }
    // The key pressed and released with Ctrl held (Ctrl+C).
    void PressCtrl(plat::Window dlg, int vk) { Press(dlg, vk, false, true); }
    // Characters typed into the focused edit field, as the keyboard's
    // characters arrive (no key presses for the key hooks). The text is
    // UTF-8, as a keyboard gives any character; what the field then holds as
    // ANSI text is the layer's (platform/window.h, CharactersLostInAnsi).
    virtual void Type(plat::Window dlg, const std::string& text) = 0;

    // ---- the platform's own dialogs: answers for the next ones to come ----
    // False where they are answered in place, never shown (the headless layer).
    virtual bool ShowsPlatformDialogs() const = 0;
    // The button's number (6 Yes, 7 No, 2 Cancel, 1 OK); whileUp runs while
    // the shown box waits for it.
    virtual void AnswerPrompt(int answer, std::function<void()> whileUp = nullptr) = 0;
    // A file name (relative to the dialog's folder) and OK, or Cancel.
    virtual void AnswerFileDialog(bool confirmed, const std::string& name) = 0;
    virtual void AnswerPrinterDialog(bool confirmed) = 0;
    virtual void AnswerPopup(int id) = 0;  // the next pop-up menu: item id, 0 dismisses it

    // What the platform's dialogs showed, in order: the message box's text,
    // caption and style (MB_ buttons, icon and default button) with the
    // answer given; the file dialog's title, folder and proposed name.
    struct PromptSeen {
        std::string text, caption;
        int style = 0;
        int answer = 0;
    };
    virtual const std::vector<PromptSeen>& Prompts() = 0;
    virtual const std::vector<plat::FileDialogRequest>& FileDialogs() = 0;

    // ---- what the user sees, in the layer's 96-dpi pixels ----
    virtual plat::Rect ClientRect(plat::Window dlg) = 0;           // screen position and size
    virtual plat::Rect ControlRect(plat::Window dlg, int id) = 0;  // in the client area
    virtual bool IsEnabled(plat::Window dlg) = 0;                  // takes the user's input
    virtual bool IsOpen(plat::Window dlg) = 0;                     // shown and not ended

    // Runs the dialog's loop until cond holds (true) or deadlineMs passed (false).
    virtual bool PumpUntil(const std::function<bool()>& cond, int deadlineMs = 10000) = 0;

    // What the driver could not do (no such control, no prompt came up, an
    // answer left unused ...) since the last call; the list is then emptied.
    virtual std::vector<std::string> TakeFailures() = 0;
};

// The driver of the layer linked into this program.
User& TheUser();

}  // namespace drivers

// Hooks of the Qt window layer for a test driver. When a hook is set, the
// layer hands the matching work to it instead of the system: the modal loop
// asks the driver for its next step, and the platform's own dialogs (message
// box, file dialogs, pop-up menu choice, print dialog) take the driver's
// answers. Everything else (the dialogs built from DialogSpec and their
// controls) stays the real Qt widgets, driven by real Qt events.
#pragma once
#include <functional>
#include <string>

#include "platform/window.h"

namespace plat::qt {

struct TestHooks {
    // Called over and over while dialog dlg runs, instead of waiting for events.
    std::function<void(Window dlg)> modalStep;
    std::function<void(const DialogSpec& spec)> dialogRun;  // every RunDialog, as it starts
    std::function<int(const std::string& text, const std::string& caption, int style)> prompt;
    std::function<bool(FileDialogRequest& request, bool save)> fileDialog;
    std::function<int(Menu popup, int x, int y, Window owner)> popup;  // chosen id, 0 = dismissed
    std::function<bool(Window owner, const std::string& docName)> printerDialog;
    // Every operation on an open print job, with the position before it (MoveTo: the target).
    enum PrinterOpKind { kOpen, kSetFont, kMoveTo, kText, kNewLine, kNewPage, kClose };
    std::function<void(PrinterOpKind kind, const std::string& text, Point at, int points, int style)> printerOp;
    std::function<void(const std::string& target, bool maximized)> shellOpen;
    std::function<void(const std::string& chmPath)> help;
    std::function<void(int soundType)> beep;
};
TestHooks& Hooks();

// The cursor last set with SetCursor (for the driver's records).
Cursor LastCursor();
void SetLastCursor(Cursor cursor);

}  // namespace plat::qt

// Everything the Qt window layer keeps between calls, in one object: the
// running dialogs, menus, fonts, the cursor, the test driver's hooks and the
// print job. Each file of the layer reads and changes only its own part,
// through Layer().
#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

#include "platform/window/print_job.h"
#include "platform/window/qt/qt_hooks.h"
#include "platform/window/qt/qt_internal.h"
#include "platform/window/qt/qt_menus.h"

class QFont;

namespace plat::qt {

struct QtState {
    // dialogs (qt_dialogs.cpp)
    std::vector<DialogState*> running;  // outermost first
    QObject* eventFilter = nullptr;     // installed on the application once

    // controls (qt_controls.cpp): the code may select silently; the user's changes notify
    bool silent = false;

    // menus (qt_menus.cpp)
    std::vector<std::unique_ptr<MenuData>> menus;

    // fonts and cursors (qt_system.cpp)
    std::map<Font, QFont*> fonts;        // made by CreateFont
    std::map<Font, QFont*> dialogFonts;  // the fonts of running dialogs
    Cursor lastCursor = Cursor::Arrow;
    QPointer<QWidget> hovered;  // the control asked about in a cursor query

    // the test driver's hooks (qt_hooks.h)
    TestHooks hooks;

    // printer (qt_printer.cpp)
    std::unique_ptr<PrintJob> printJob;  // the open job, null when none
};

// The layer's one state object.
QtState& Layer();

}  // namespace plat::qt

// What the Qt layer tells its accessibility bridge beyond the shared cases:
// the windows' roles and no widget shown for a control of no size. (The
// announcements need the bridge, which the offscreen platform lacks: the
// at-spi check of the program, tests/qt/screen_reader_check.py, hears them.)
#include "window_suite.h"

#include <QAccessible>

#include "platform/window/qt/qt_internal.h"

namespace window {
namespace {

const char* const kSection = "qt accessibility";

QAccessible::Role RoleOf(Window dlg) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(plat::qt::StateOf(dlg)->frame);
    return iface ? iface->role() : QAccessible::NoRole;
}

CONFORMANCE_CASE(kSection, "the main window reads as a frame, an owned or modal-framed one as a dialog") {
    RunShown(MainSpec(), [](Window main) {
        CheckEq(static_cast<int>(RoleOf(main)), static_cast<int>(QAccessible::Window),
                "a window with no owner and no modal frame is a frame");
        DialogSpec owned = ListSpec();
        owned.owner = main;
        RunShown(owned, [](Window dlg) {
            CheckEq(static_cast<int>(RoleOf(dlg)), static_cast<int>(QAccessible::Dialog), "an owned window is a dialog");
        });
        DialogSpec prompt = ListSpec();
        prompt.frame = kCaption | kModalFrame;
        RunShown(prompt, [](Window dlg) {
            CheckEq(static_cast<int>(RoleOf(dlg)), static_cast<int>(QAccessible::Dialog),
                    "a modal-framed window without owner is a dialog");
        });
        Check(!plat::qt::ControlOf(main, 2)->widget->isVisible(), "a button of no size has no widget shown");
    });
}

}  // namespace
}  // namespace window

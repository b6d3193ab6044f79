// What the Qt layer tells its accessibility bridge beyond the shared cases:
// the windows' roles, the announcements of a rewritten row and of a changed
// status part, and no widget shown for a control of no size.
#include "window_suite.h"

#include <QAccessible>
#include <QListWidget>

#include "platform/window/qt/qt_internal.h"

namespace window {
namespace {

const char* const kSection = "qt accessibility";

struct Announcement {
    QAccessible::Event type;
    std::string name;
    bool checkedChanged;
};
std::vector<Announcement> announced;

void Record(QAccessibleEvent* e) {
    QAccessibleInterface* iface = e->accessibleInterface();
    bool checkedChanged = e->type() == QAccessible::StateChanged &&
                          static_cast<QAccessibleStateChangeEvent*>(e)->changedStates().checked;
    announced.push_back({e->type(), iface ? iface->text(QAccessible::Name).toStdString() : "", checkedChanged});
}

bool Announced(QAccessible::Event type, const std::string& name) {
    for (const Announcement& a : announced)
        if (a.type == type && a.name == name) return true;
    return false;
}

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

CONFORMANCE_CASE(kSection, "a rewritten row and a changed status part are announced") {
    const bool wasActive = QAccessible::isActive();
    QAccessible::installUpdateHandler(Record);
    QAccessible::setActive(true);
    announced.clear();
    RunShown(MainSpec(), [](Window dlg) {
        AddControl(dlg, {kStatus, Kind::StatusBar, "", {}, 0});
        SetStatusParts(dlg, kStatus, {100, -1});
        ListSetEntryReader(dlg, kList, [](const std::string& text) {
            return EntrySpeech{text.substr(text.find_first_not_of('\t')), text.find('x') != std::string::npos ? 1 : 0};
        });
        ListAdd(dlg, kList, "\t\tMilk");
        ListAdd(dlg, kList, "\t\tBread");
        announced.clear();
        ListReplace(dlg, kList, 1, "\tx\tBread");
        Check(Announced(QAccessible::NameChanged, "x\tBread"), "a rewritten row's new words are announced");
        bool checkedChange = false;
        for (const Announcement& a : announced) checkedChange |= a.checkedChanged && a.name == "x\tBread";
        Check(checkedChange, "a rewritten row's check mark is announced as a state change");
        SetStatusText(dlg, kStatus, 1, "Total cost: 2.50");
        Check(Announced(QAccessible::NameChanged, "Total cost: 2.50"), "a changed status part is announced");
        announced.clear();
        SetStatusText(dlg, kStatus, 1, "Total cost: 2.50");
        Check(!Announced(QAccessible::NameChanged, "Total cost: 2.50"), "an unchanged part is not announced again");
    });
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::setActive(wasActive);
}

}  // namespace
}  // namespace window

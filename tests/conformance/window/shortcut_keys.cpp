// window.h's shortcut keys: an accelerator matches its Shift and Ctrl
// exactly; one marked editKeeps is left to a focused edit field; Shift+F10
// and the Menu key ask the focused list for its context menu without a
// pointer position; ListItemRect tells where an entry lies on the screen.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "shortcut keys";
constexpr int kCmdSave = 302, kCmdSaveAs = 303, kCmdChange = 312, kCmdDelete = 313;

std::vector<Event> menus;  // the ContextMenu events, with their positions

int RecordMenus(Window, const Event& e) {
    if (e.msg == Msg::ContextMenu) menus.push_back(e);
    return 0;
}

CONFORMANCE_CASE(kSection, "Ctrl and Shift select the accelerator; an edit field keeps the keys it edits with") {
    RunShown(ListSpec(), [](Window dlg) {
        AddRows(dlg, kList, 3);
        SetFocus(dlg, kList);
        SetAccelerators(dlg, {{'S', false, kCmdSave, true}, {'S', true, kCmdSaveAs, true},
                              {kVkF2, false, kCmdChange}, {kVkDelete, false, kCmdDelete, false, true}});
        Recorded().Clear();
        User().Press(dlg, 'S', false, true);
        WaitFor([] { return Recorded().Saw(Msg::Command, kCmdSave); });
        Check(Recorded().Saw(Msg::Command, kCmdSave, Code::Clicked), "Ctrl+S gives its command");
        Check(!Recorded().Saw(Msg::Command, kCmdSaveAs), "and not the one of Ctrl+Shift+S");
        Recorded().Clear();
        User().Press(dlg, 'S', true, true);
        WaitFor([] { return Recorded().Saw(Msg::Command, kCmdSaveAs); });
        Check(Recorded().Saw(Msg::Command, kCmdSaveAs, Code::Clicked) && !Recorded().Saw(Msg::Command, kCmdSave),
              "Ctrl+Shift+S gives only its own command");
        Recorded().Clear();
        User().Press(dlg, kVkDelete);
        // The driver holds a key's Ctrl from when it sends the key: the key before is handled first.
        WaitFor([] { return Recorded().Saw(Msg::Command, kCmdDelete); });
        Check(Recorded().Saw(Msg::Command, kCmdDelete, Code::Clicked), "Delete in the list gives its command");
        User().Press(dlg, kVkF2, false, true);  // Ctrl+F2 is no accelerator of the table
        User().Press(dlg, kVkF2);
        WaitFor([] { return Recorded().Saw(Msg::Command, kCmdChange); });
        CheckEq(Recorded().Count(Msg::Command, kCmdChange), 1, "F2 gives its command; Ctrl+F2 does not");

        SetFocus(dlg, kEdit);
        Recorded().Clear();
        User().Press(dlg, 'S', false, true);
        WaitFor([] { return Recorded().Saw(Msg::Command, kCmdSave); });
        Check(Recorded().Saw(Msg::Command, kCmdSave, Code::Clicked), "Ctrl+S acts in the edit field too");
        User().Press(dlg, kVkDelete);
        User().Press(dlg, kVkF2);
        WaitFor([] { return Recorded().Saw(Msg::Command, kCmdChange); });
        Check(Recorded().Saw(Msg::Command, kCmdChange), "F2 acts in the edit field");
        Check(!Recorded().Saw(Msg::Command, kCmdDelete), "Delete is the edit field's own");
    });
}

CONFORMANCE_CASE(kSection, "Shift+F10 and the Menu key ask the focused list for its menu, with no position") {
    menus.clear();
    RunShown(ListSpec(), [](Window dlg) {
        AddRows(dlg, kList, 3);
        ListSetSel(dlg, kList, 1);
        SetFocus(dlg, kList);
        User().Press(dlg, kVkF10, true);
        WaitFor([] { return menus.size() == 1; });
        User().Press(dlg, kVkApps);
        WaitFor([] { return menus.size() == 2; });
        CheckEq(static_cast<int>(menus.size()), 2, "one ContextMenu for each key, at its press");
        for (const Event& e : menus) {
            CheckEq(e.id, kList, "the focused list asks");
            Check(e.x == -1 && e.y == -1, "without a pointer position");
        }
        CheckEq(ListGetSel(dlg, kList), 1, "the keys leave the selection alone");
    }, RecordMenus);
}

CONFORMANCE_CASE(kSection, "ListItemRect: an entry's place on the screen, as ListItemFromPoint reads it") {
    RunShown(ListSpec(), [](Window dlg) {
        AddRows(dlg, kList, 3);
        const Rect first = ListItemRect(dlg, kList, 0), second = ListItemRect(dlg, kList, 1);
        Check(first.height > 0 && first.width > 0, "an entry has a size");
        CheckEq(second.top - first.top, first.height, "the next entry lies one row lower");
        CheckEq(second.left, first.left, "at the same left edge");
        CheckEq(ListItemFromPoint(dlg, kList, second.left + 2, second.top + second.height / 2), 1,
                "the point inside the rectangle is that entry's");
        Check(ListItemRect(dlg, kList, 3) == Rect{}, "no rectangle past the last entry");
        Check(ListItemRect(dlg, kEdit, 0) == Rect{}, "nor for a control that is no list box");
    });
}

}  // namespace
}  // namespace window

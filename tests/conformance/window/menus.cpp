// window.h's menus and pointer events: menu texts found through the
// pop-ups, the right button's ContextMenu naming the control, SetCursor
// naming the control under the pointer (-1 over none).
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "menus";

CONFORMANCE_CASE(kSection, "menu texts are found through the pop-ups; a separator is no item") {
    Menu bar = CreateMenuBar({{"&File", 0, {{"&Open", 301, {}}, {"", 0, {}}, {"E&xit", 306, {}}}},
                              {"&Task", 0, {{"&Buy", 315, {}}, {"", 0, {}}, {"&Categories", 324, {}}}}});
    Menu popup = CreatePopupMenu({{"Buy", 315, {}}, {"", 0, {}}, {"Change item", 312, {}}});
    RunShown(MainSpec(), [&](Window dlg) {
        SetMenu(dlg, bar);
        SetMenuItemText(bar, 315, "Don't buy");
        CheckEq(GetMenuItemText(bar, 315), "Don't buy", "menu text is found through the pop-ups");
        CheckEq(GetMenuItemText(bar, 306), "E&xit", "another item keeps its text");
        CheckEq(GetMenuItemText(bar, 0), "", "separators are not items");
        SetMenuItemText(popup, 312, "Change &item");
        CheckEq(GetMenuItemText(popup, 312), "Change &item", "a pop-up menu's text reads back");
        CheckEq(GetMenuItemText(popup, 315), "Buy", "the same id in another menu is another item");
    });
}

CONFORMANCE_CASE(kSection, "the right button asks for the context menu of the control under it") {
    RunShown(MainSpec(), [](Window dlg) {
        AddRows(dlg, kList, 2);
        Recorded().Clear();
        User().RightClick(dlg, kList, 5, 3);
        WaitFor([] { return Recorded().Saw(Msg::ContextMenu, kList); });
        Check(Recorded().Saw(Msg::ContextMenu, kList), "a right click on the list asks for the context menu");
        User().RightClick(dlg, 0, 150, 190);
        WaitFor([] { return Recorded().Saw(Msg::ContextMenu, 0); });
        Check(Recorded().Saw(Msg::ContextMenu, 0), "a right click on the dialog itself names 0");
    });
}

CONFORMANCE_CASE(kSection, "SetCursor names the control under the pointer, -1 for none") {
    RunShown(MainSpec(), [](Window dlg) {
        Recorded().Clear();
        User().Hover(dlg, kLink);
        User().Hover(dlg, -1);
        WaitFor([] { return Recorded().Saw(Msg::SetCursor, kLink) && Recorded().Saw(Msg::SetCursor, -1); });
        Check(Recorded().Saw(Msg::SetCursor, kLink) && Recorded().Saw(Msg::SetCursor, -1),
              "SetCursor names the control, -1 for none");
    }, [](Window, const Event& e) {
        if (e.msg != Msg::SetCursor || e.id != kLink) return 0;
        SetCursor(Cursor::Hand);
        return 1;
    });
}

}  // namespace
}  // namespace window

// window.h's dialogs and controls: the client area the dialog asks for,
// centred on the work area, controls at their client pixels, hidden ones
// hidden, a status bar at the bottom, a menu bar taking its height from the
// client area. Pixels are 96-dpi pixels: where the display has another DPI,
// the layer's rectangles are rounded from the display's, one pixel either way.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "dialogs and controls";

CONFORMANCE_CASE(kSection, "the client area has the size the dialog asks for, centred on the work area") {
    RunShown(MainSpec(), [](Window dlg) {
        Rect client = User().ClientRect(dlg);
        CheckEq(client.width, 300, "client area width");
        CheckEq(client.height, 200, "client area height");
        Rect outer = GetWindowRect(dlg), work = WorkArea();
        Check(Near(outer.left, work.left + (work.width - outer.width) / 2), "centred across the work area");
        Check(Near(outer.top, work.top + (work.height - outer.height) / 2), "centred down the work area");
        Check(outer.left <= client.left && outer.top < client.top &&
                  outer.left + outer.width >= client.left + client.width &&
                  outer.top + outer.height >= client.top + client.height,
              "the window rectangle holds the client area");
        CheckNear(User().ControlRect(dlg, kEdit), Rect{10, 120, 60, 18}, "controls are placed in client pixels");
        CheckEq(GetCaption(dlg), "Layer check", "caption");
        Check(!IsVisible(dlg, kHiddenButton) && IsVisible(dlg, kEdit), "hidden and visible controls");
        ShowControl(dlg, kHiddenButton, true);
        ShowControl(dlg, kEdit, false);
        Check(IsVisible(dlg, kHiddenButton) && !IsVisible(dlg, kEdit), "ShowControl shows and hides");
    });
}

CONFORMANCE_CASE(kSection, "MoveWindow places the outer rectangle") {
    RunShown(MainSpec(), [](Window dlg) {
        Rect outer = GetWindowRect(dlg);
        Rect moved{outer.left / 2, outer.top / 2, outer.width, outer.height};
        MoveWindow(dlg, moved);
        WaitFor([&] { return Near(GetWindowRect(dlg), moved); });
        CheckNear(GetWindowRect(dlg), moved, "GetWindowRect reads back the moved window");
        Rect client = User().ClientRect(dlg);
        Check(Near(client.width, 300) && Near(client.height, 200), "the client area keeps its size");
    });
}

CONFORMANCE_CASE(kSection, "a status bar and a menu bar take their room from the client area") {
    RunShown(MainSpec(), [](Window dlg) {
        ControlSpec status;
        status.id = kStatus;
        status.kind = Kind::StatusBar;
        AddControl(dlg, status);
        SetStatusParts(dlg, kStatus, {100, 200, -1});
        SetStatusText(dlg, kStatus, 1, "Items to buy:  2");
        CheckEq(GetStatusText(dlg, kStatus, 1), "Items to buy:  2", "status text reads back");
        CheckEq(GetStatusText(dlg, kStatus, 0), "", "another part stays empty");
        Rect before = GetWindowRect(dlg);
        MenuItem task{"&Task", 0, {}};
        task.items = {MenuItem{"&Buy", 315, {}}, MenuItem{"", 0, {}}, MenuItem{"&Categories", 324, {}}};
        SetMenu(dlg, CreateMenuBar({task}));
        WaitFor([dlg] { return User().ClientRect(dlg).height < 200; });
        Rect client = User().ClientRect(dlg);
        Check(GetWindowRect(dlg) == before, "attaching the menu keeps the outer size");
        Check(client.height < 200, "the menu bar takes its height from the client area");
        Rect bar = User().ControlRect(dlg, kStatus);
        CheckNear(bar, Rect{0, client.height - bar.height, client.width, bar.height},
                  "status bar at the bottom, across the client area");
    });
}

}  // namespace
}  // namespace window

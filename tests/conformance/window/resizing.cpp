// window.h's resizable dialogs: the first size (with the menu bar attached
// in Init) is the smallest; controls with layout bits widen, grow taller or
// keep their distance to the bottom edge as the client area grows, the others
// stay, and at the first size again every control is back where it was made.
// Pixels are 96-dpi pixels: on a scaled display one pixel either way.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "resizable dialogs";

enum : int { kGrowing = 110, kBottom = 111, kFixed = 112, kWide = 113, kFrame = 114 };

DialogSpec ResizableSpec() {
    DialogSpec s;
    s.caption = "Resizable";
    s.width = 300;
    s.height = 200;
    s.frame = kCaption | kSysMenu | kMinimizeBox | kResizable;
    s.controls = {
        // No integral height: the list's height is exactly its rectangle's on every layer.
        {kGrowing, Kind::ListBox, "", {10, 10, 200, 100}, kTabStop | kVScroll | kNoIntegralHeight | kGrowRight | kGrowDown},
        {kBottom, Kind::Edit, "", {10, 120, 60, 18}, kTabStop | kFollowBottom},
        {kFixed, Kind::Button, "Stays", {220, 10, 60, 25}, 0},
        {kWide, Kind::Label, "wide", {80, 120, 100, 15}, kGrowRight | kFollowBottom},
    };
    return s;
}

// The menu bar and status bar come in Init, as the program's main window has them.
int WithBars(Window dlg, const Event& e) {
    if (e.msg != Msg::Init) return 0;
    MenuItem file{"&File", 0, {MenuItem{"&Open", 301, {}}}};
    SetMenu(dlg, CreateMenuBar({file}));
    AddControl(dlg, ControlSpec{kStatus, Kind::StatusBar, "", {}, 0});
    return 0;
}

void CheckFirstPlaces(Window dlg, const std::string& when) {
    CheckNear(User().ControlRect(dlg, kGrowing), Rect{10, 10, 200, 100}, when + ": the growing list where it was made");
    CheckNear(User().ControlRect(dlg, kBottom), Rect{10, 120, 60, 18}, when + ": the bottom edit where it was made");
    CheckNear(User().ControlRect(dlg, kFixed), Rect{220, 10, 60, 25}, when + ": the plain button where it was made");
    CheckNear(User().ControlRect(dlg, kWide), Rect{80, 120, 100, 15}, when + ": the widening label where it was made");
}

Rect Grown(const Rect& r, int dw, int dh) { return {r.left, r.top, r.width + dw, r.height + dh}; }

CONFORMANCE_CASE(kSection, "controls follow a larger client area and come back at the first size") {
    RunShown(ResizableSpec(), [](Window dlg) {
        CheckFirstPlaces(dlg, "first shown");
        const Rect first = GetWindowRect(dlg);
        const Rect firstClient = User().ClientRect(dlg);
        Check(firstClient.height < 200, "the menu bar took its height from the client area");
        MoveWindow(dlg, Grown(first, 120, 90));
        WaitFor([&] { return Near(User().ClientRect(dlg).width, firstClient.width + 120) &&
                             Near(User().ControlRect(dlg, kBottom).top, 210); });
        const Rect client = User().ClientRect(dlg);
        CheckNear(Rect{0, 0, client.width, client.height},
                  Rect{0, 0, firstClient.width + 120, firstClient.height + 90}, "the client area grew with the window");
        CheckNear(User().ControlRect(dlg, kGrowing), Rect{10, 10, 320, 190}, "the list took the new room");
        CheckNear(User().ControlRect(dlg, kBottom), Rect{10, 210, 60, 18}, "the edit kept its distance to the bottom");
        CheckNear(User().ControlRect(dlg, kFixed), Rect{220, 10, 60, 25}, "the plain button stayed");
        CheckNear(User().ControlRect(dlg, kWide), Rect{80, 210, 220, 15}, "the label widened and moved down");
        const Rect bar = User().ControlRect(dlg, kStatus);
        CheckNear(bar, Rect{0, client.height - bar.height, client.width, bar.height},
                  "the status bar stays across the bottom");

        MoveWindow(dlg, first);
        WaitFor([&] { return Near(User().ControlRect(dlg, kBottom).top, 120); });
        CheckFirstPlaces(dlg, "back at the first size");
    }, WithBars);
}

CONFORMANCE_CASE(kSection, "the first size is the smallest") {
    RunShown(ResizableSpec(), [](Window dlg) {
        const Rect first = GetWindowRect(dlg);
        MoveWindow(dlg, Rect{first.left + 5, first.top + 5, first.width - 60, first.height - 40});
        WaitFor([&] { return Near(GetWindowRect(dlg).left, first.left + 5); });
        const Rect now = GetWindowRect(dlg);
        Check(Near(now.left, first.left + 5) && Near(now.top, first.top + 5), "the window moved");
        Check(Near(now.width, first.width) && Near(now.height, first.height),
              "but kept its first size: " + conformance::Describe(now) + " for " + conformance::Describe(first));
        CheckFirstPlaces(dlg, "asked to shrink");
    }, WithBars);
}

CONFORMANCE_CASE(kSection, "a control added to a grown dialog takes its place at once") {
    RunShown(ResizableSpec(), [](Window dlg) {
        const Rect first = GetWindowRect(dlg);
        MoveWindow(dlg, Grown(first, 40, 30));
        WaitFor([&] { return Near(User().ControlRect(dlg, kBottom).top, 150); });
        AddControl(dlg, ControlSpec{kFrame, Kind::BlackFrame, "", {8, 8, 204, 104}, kGrowRight | kGrowDown});
        CheckNear(User().ControlRect(dlg, kFrame), Rect{8, 8, 244, 134}, "the frame grew with the list it surrounds");
        MoveWindow(dlg, first);
        WaitFor([&] { return Near(User().ControlRect(dlg, kBottom).top, 120); });
        CheckNear(User().ControlRect(dlg, kFrame), Rect{8, 8, 204, 104}, "and shrank back with it");
    }, WithBars);
}

CONFORMANCE_CASE(kSection, "a dialog that is not resizable keeps every control in place when moved") {
    DialogSpec spec = ResizableSpec();
    spec.frame = kCaption | kSysMenu;
    RunShown(spec, [](Window dlg) {
        const Rect first = GetWindowRect(dlg);
        MoveWindow(dlg, Rect{first.left / 2, first.top / 2, first.width, first.height});
        WaitFor([&] { return Near(GetWindowRect(dlg).left, first.left / 2); });
        CheckFirstPlaces(dlg, "moved");
    });
}

}  // namespace
}  // namespace window

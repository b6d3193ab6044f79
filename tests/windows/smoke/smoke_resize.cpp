#include "smoke_resize.h"

#include <string>
#include <vector>

#include "smoke_support.h"
#include "ui/main/main_window.h"

namespace smoke {
namespace {

// The controls that move or grow, with the help text and "Units to buy" found by their texts.
struct Placed {
    HWND list, frame, units, unitsLabel, help, status;
    std::vector<HWND> buttons;
};

Placed FindControls(HWND dlg) {
    Placed p{};
    p.list = GetDlgItem(dlg, pantrium::kItemList);
    p.frame = GetDlgItem(dlg, pantrium::kFocusFrame);
    p.units = GetDlgItem(dlg, pantrium::kUnitsBox);
    p.status = GetDlgItem(dlg, pantrium::kStatusBar);
    p.unitsLabel = ChildByText(dlg, "Static", "Units to buy");
    p.help = ChildByText(dlg, "Static",
                         "Double-click item in listbox, press Return,\r\n.... or enter number of units to buy "
                         "above\r\n.... can also press right mouse button");
    for (int id : {pantrium::kNewItemButton, pantrium::kAutoListButton, pantrium::kPrintListButton,
                   pantrium::kCheckOutButton})
        p.buttons.push_back(GetDlgItem(dlg, id));
    return p;
}

std::vector<HWND> BottomControls(const Placed& p) {
    std::vector<HWND> all = {p.units, p.unitsLabel, p.help};
    all.insert(all.end(), p.buttons.begin(), p.buttons.end());
    return all;
}

std::string Describe(const RECT& r) {
    std::string out = "{";
    out += std::to_string(r.left);
    for (LONG edge : {r.top, r.right, r.bottom}) out.append(", ").append(std::to_string(edge));
    return out.append("}");
}

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

SIZE ClientSize(HWND dlg) {
    RECT r{};
    GetClientRect(dlg, &r);
    return SIZE{r.right, r.bottom};
}

// The rectangle each control stands at now.
std::vector<RECT> Places(const std::vector<HWND>& controls) {
    std::vector<RECT> out;
    for (HWND h : controls) out.push_back(ClientRectOf(h));
    return out;
}

void CheckRowsVisible(HWND list, int rowsBefore, const std::string& what) {
    const int rowHeight = static_cast<int>(Send(list, LB_GETITEMHEIGHT, 0, 0));
    RECT r{};
    GetClientRect(list, &r);
    const int rows = rowHeight > 0 ? r.bottom / rowHeight : 0;
    Check(rows > rowsBefore, what + ": " + std::to_string(rows) + " rows fit, " + std::to_string(rowsBefore) +
                                 " before");
}

}  // namespace

DWORD WINAPI DriveResizeRun(LPVOID) {
    HWND dlg = FindTopWindow("smoke list", 20000);
    if (!dlg) {
        Log("FAIL: the main window \"smoke list\" did not come up; the resize case cannot go on");
        ExitProcess(2);
    }
    const Placed p = FindControls(dlg);
    std::vector<HWND> all = BottomControls(p);
    all.push_back(p.list);
    all.push_back(p.frame);
    bool found = true;
    for (HWND h : all) found = found && h != nullptr;
    if (!Check(found, "the controls that follow the window's size are there")) {
        Command(dlg, pantrium::kCmdExit);
        return 0;
    }
    const LONG style = GetWindowLongA(dlg, GWL_STYLE);
    Check((style & WS_THICKFRAME) && (style & WS_MAXIMIZEBOX), "the main window has a sizing border and a maximise box");

    RECT first{};
    GetWindowRect(dlg, &first);
    const SIZE firstClient = ClientSize(dlg);
    const std::vector<RECT> firstPlaces = Places(all);
    RECT listClient{};
    GetClientRect(p.list, &listClient);
    const int rowHeight = static_cast<int>(Send(p.list, LB_GETITEMHEIGHT, 0, 0));
    const int firstRows = rowHeight > 0 ? listClient.bottom / rowHeight : 0;

    // The border's drag ends at the first size: the window does not shrink.
    SetWindowPos(dlg, nullptr, 0, 0, first.right - first.left - Px(80), first.bottom - first.top - Px(60),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT after{};
    GetWindowRect(dlg, &after);
    Check(after.right - after.left == first.right - first.left && after.bottom - after.top == first.bottom - first.top,
          "the main window does not become smaller than its first size: " + Describe(after) + " for " +
              Describe(first));

    // The maximise box, as the user clicks it.
    PostMessageA(dlg, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    const bool zoomed = WaitFor([&] { return IsZoomed(dlg) && ClientSize(dlg).cy > firstClient.cy; }, 5000);
    Check(zoomed, "the maximise box maximises the main window");
    WaitInputTaken();
    const SIZE big = ClientSize(dlg);
    const int dw = big.cx - firstClient.cx, dh = big.cy - firstClient.cy;
    Check(dw > 0 && dh > 0, "the maximised client area is larger: " + std::to_string(big.cx) + " x " +
                                std::to_string(big.cy));
    const RECT list0 = firstPlaces[all.size() - 2], frame0 = firstPlaces[all.size() - 1];
    const RECT list = ClientRectOf(p.list), frame = ClientRectOf(p.frame);
    Check(list.left == list0.left && list.top == list0.top && list.right == list0.right + dw,
          "the item list takes the new width: " + Describe(list) + " from " + Describe(list0));
    // The list keeps its height a whole number of rows: within one row of its
    // first bottom edge moved down by the new room, never below it (nor below the focus frame).
    Check(list.bottom > list0.bottom + dh - rowHeight && list.bottom <= list0.bottom + dh,
          "the item list takes the new height: " + Describe(list) + " from " + Describe(list0));
    CheckRowsVisible(p.list, firstRows, "more rows fit in the maximised list");
    Check(frame.left == frame0.left && frame.top == frame0.top && frame.right == frame0.right + dw &&
              frame.bottom == frame0.bottom + dh,
          "the focus frame grows with the list: " + Describe(frame) + " from " + Describe(frame0));
    const std::vector<HWND> bottom = BottomControls(p);
    for (size_t i = 0; i < bottom.size(); ++i) {
        RECT was = firstPlaces[i], now = ClientRectOf(bottom[i]);
        OffsetRect(&was, 0, dh);
        Check(Same(now, was), "a control under the list keeps its distance to the bottom edge: " + Describe(now) +
                                  ", expected " + Describe(was));
    }
    const RECT status = ClientRectOf(p.status);
    Check(status.left == 0 && status.right == big.cx && status.bottom == big.cy,
          "the status bar spans the maximised window's bottom: " + Describe(status));
    Shot("main-window-maximised", dlg);

    PostMessageA(dlg, WM_SYSCOMMAND, SC_RESTORE, 0);
    WaitFor([&] { return !IsZoomed(dlg) && ClientSize(dlg).cy == firstClient.cy; }, 5000);
    WaitInputTaken();
    const std::vector<RECT> back = Places(all);
    bool allBack = true;
    for (size_t i = 0; i < all.size(); ++i) allBack = allBack && Same(back[i], firstPlaces[i]);
    Check(allBack, "restored, every control stands where it stood at the first size");

    Command(dlg, pantrium::kCmdExit);
    Check(WaitGone(dlg), "Exit closes the resized, unchanged list without a prompt");
    return 0;
}

}  // namespace smoke

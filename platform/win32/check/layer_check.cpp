// Checks of the Win32 window layer on the real calls (run under Wine or on
// Windows): the dialog's size and place, control creation, the notification
// rules the UI relies on (synchronous Change, silent ListSetSel, focus
// notifications, Close ending with 2, the disabled owner), the keyboard
// (Enter's press and release reaching a key hook, Escape, Tab, accelerators, Enter on a
// focused button) and the owner-drawn rows ending at right-aligned stops.
// Prints a PASS or FAIL line per check and closes with "N passed, M failed".
#include "platform/win32/win32_internal.h"

#include "platform/win32/check/font_guard.h"

#include <cstdio>
#include <cstdlib>

namespace {

using namespace plat;

int passed = 0, failed = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
    std::fflush(stdout);
    (ok ? passed : failed)++;
}

template <class A, class B>
void CheckEq(const A& actual, const B& expected, const std::string& what) {
    bool ok = actual == expected;
    if (!ok) {
        std::printf("  got %lld, expected %lld\n", static_cast<long long>(actual), static_cast<long long>(expected));
    }
    Check(ok, what);
}

// One FAIL line per fault, or one PASS line.
void CheckNoFaults(const std::vector<std::string>& faults, const std::string& what) {
    for (const std::string& fault : faults) Check(false, what + ": " + fault);
    if (faults.empty()) Check(true, what);
}

struct Seen {
    Msg msg;
    int id;
    Code code;
};

// Events of the dialog under test, in arrival order.
std::vector<Seen> seen;
bool Saw(Msg msg, int id, Code code = Code::None) {
    for (const Seen& s : seen)
        if (s.msg == msg && s.id == id && (code == Code::None || s.code == code)) return true;
    return false;
}
int Count(Msg msg, int id = 0) {
    int n = 0;
    for (const Seen& s : seen) n += s.msg == msg && (id == 0 || s.id == id);
    return n;
}

HWND H(Window w) { return reinterpret_cast<HWND>(w); }

// The display's DPI: the layer's 96-dpi pixels are scaled by DPI / 96
// (the check program is DPI aware through the program's manifest).
int DisplayDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}
int Px(int layerPixels) { return MulDiv(layerPixels, DisplayDpi(), 96); }
Rect PxRect(const Rect& r) {
    return Rect{Px(r.left), Px(r.top), Px(r.left + r.width) - Px(r.left), Px(r.top + r.height) - Px(r.top)};
}

Rect ClientRectOf(Window dlg, int id) {
    RECT r{};
    ::GetWindowRect(GetDlgItem(H(dlg), id), &r);
    MapWindowPoints(nullptr, H(dlg), reinterpret_cast<POINT*>(&r), 2);
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

enum : int { kList = 100, kEdit = 101, kLink = 102, kCombo = 103, kHiddenButton = 104, kCheck = 105,
             kOther = 106, kStatus = 200, kPhaseShown = 2000, kPhaseKeys1 = 2001, kPhaseKeys2 = 2002, kPhaseKeys3 = 2003,
             kChildDone = 3000 };

const std::vector<int> kStops = {3, 20, -60, -90};
const char* const kRow = "\tx\tMilk\t2.00\t5.00";

DialogSpec MainSpec() {
    DialogSpec s;
    s.caption = "Layer check";
    s.width = 300;
    s.height = 200;
    s.frame = kCaption | kSysMenu | kMinimizeBox;
    s.controls = {
        {kList, Kind::ListBox, "", {10, 10, 200, 100}, kTabStop | kVScroll | kUseTabStops | kNotify | kDisableNoScroll},
        {kEdit, Kind::Edit, "", {10, 120, 60, 18}, kTabStop | kAutoHScroll | kClientEdge},
        {-1, Kind::Label, "Units", {80, 120, 60, 15}, kStaticEdge},
        {kLink, Kind::Label, "a&b", {80, 140, 60, 15}, kNotify | kNoPrefix},
        {kCombo, Kind::SimpleCombo, "", {220, 10, 70, 100}, kTabStop | kVScroll},
        {1, Kind::Button, "OK", {220, 120, 60, 25}, kDefault},
        {2, Kind::Button, "", {0, 0, 0, 0}, 0},
        {kHiddenButton, Kind::Button, "Hidden", {220, 150, 60, 25}, kHidden},
        {kCheck, Kind::CheckBox, "check", {10, 150, 80, 15}, kTabStop},
        {kOther, Kind::Button, "Other", {100, 160, 60, 25}, 0},
    };
    return s;
}

// Rightmost dark pixel of the first row between x0 and x1 (list client pixels).
int RightmostInk(HWND list, int x0, int x1) {
    RECT row{};
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    HDC dc = GetDC(list);
    int found = -1;
    for (int x = x0; x < x1; ++x)
        for (int y = row.top; y < row.bottom; ++y) {
            COLORREF c = GetPixel(dc, x, y);
            if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128) found = x;
        }
    ReleaseDC(list, dc);
    return found;
}

LONG_PTR listProcBefore = 0;
std::vector<std::pair<int, bool>> keys;  // key hook: vk, down
int childResult = -1, childDestroys = 0;
bool ownerDisabledInChild = false;
int closeAnswer = 1;

void CALLBACK WhenShown(HWND h, UINT, UINT_PTR id, DWORD) {
    if (!IsWindowVisible(h)) return;
    KillTimer(h, id);
    PostMessageA(h, kPhaseShown, 0, 0);
}

// Captions are UTF-8: the main window shows a list's path in any language,
// although the dialog itself is an ANSI window.
void CaptionTextChecks(Window dlg) {
    const std::string paths[] = {"Z:\\Eink\xc3\xa4ufe\\list \xe2\x80\x93 week",
                                 "Z:\\\xd0\xbf\xd0\xbe\xd0\xba\xd1\x83\xd0\xbf\xd0\xba\xd0\xb8\\list",
                                 "C:\\\xe8\xb2\xb7\xe3\x81\x84\xe7\x89\xa9"};
    for (const std::string& path : paths) {
        SetCaption(dlg, path);
        Check(GetCaption(dlg) == path, "a UTF-8 caption reads back unchanged: " + path);
        wchar_t wide[256] = {};
        InternalGetWindowText(H(dlg), wide, 256);
        Check(win32::FromWide(wide) == path, "the window holds the caption as UTF-16: " + path);
        // WM_GETTEXT is what the frame is drawn from: an ANSI dialog answers it
        // in the ANSI code page, with "?" for what has no place there.
        wchar_t drawn[256] = {};
        GetWindowTextW(H(dlg), drawn, 256);
        Check(win32::FromWide(drawn) == path, "WM_GETTEXT answers the whole caption: " + path);
    }
    SetText(dlg, 0, "\xd0\xbf\xd0\xbe");
    Check(GetText(dlg, 0) == "\xd0\xbf\xd0\xbe", "SetText and GetText with id 0 are the caption");
    SetCaption(dlg, "Layer check");
    Check(GetCaption(dlg) == "Layer check", "an ASCII caption reads back unchanged");

    Check(win32::WideFromAnsi(std::string("a\0b\0\0", 5)) == std::wstring(L"a\0b\0\0", 5),
          "a filter list keeps its NULs through the conversion");
    Check(win32::ToWide("x\xff") == L"x\xfffd", "an invalid UTF-8 byte becomes U+FFFD");
    Check(win32::FromWide(win32::ToWide(paths[2])) == paths[2], "UTF-8 survives the round trip");
}

void InitChecks(Window dlg) {
    HWND d = H(dlg);
    RECT client{};
    GetClientRect(d, &client);
    CheckEq(client.right, Px(300), "client area width, scaled to the display");
    CheckEq(client.bottom, Px(200), "client area height, scaled to the display");
    // Layer rectangles are 96-dpi pixels, rounded from the display's: one pixel either way.
    Rect outer = GetWindowRect(dlg), work = WorkArea();
    Check(std::abs(outer.left - (work.left + (work.width - outer.width) / 2)) <= 1, "centred across the work area");
    Check(std::abs(outer.top - (work.top + (work.height - outer.height) / 2)) <= 1, "centred down the work area");
    RECT device{};
    ::GetWindowRect(d, &device);
    Check(std::abs(outer.width - MulDiv(device.right - device.left, 96, DisplayDpi())) <= 1,
          "GetWindowRect gives 96-dpi pixels");
    Check(ClientRectOf(dlg, kEdit) == PxRect(Rect{10, 120, 60, 18}),
          "controls are placed in client pixels, scaled to the display");
    CheckEq(ScreenDpiY(), 96, "the layer's pixels are 96-dpi pixels");
    CheckEq(GetCaption(dlg) == "Layer check", true, "caption");
    CaptionTextChecks(dlg);

    LONG listStyle = GetWindowLongA(GetDlgItem(d, kList), GWL_STYLE);
    Check((listStyle & LBS_OWNERDRAWFIXED) && (listStyle & LBS_HASSTRINGS), "a list with tab stops is owner-drawn");
    Check(listStyle & LBS_NOTIFY, "the list notifies");
    Check(GetWindowLongA(GetDlgItem(d, -1), GWL_EXSTYLE) & WS_EX_STATICEDGE, "static edge on a label");
    Check(!IsVisible(dlg, kHiddenButton) && IsVisible(dlg, kEdit), "hidden and visible controls");
    CheckEq(LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), 1, "the default button is the dialog's default id");
    SetDefaultButton(dlg, 1, false);
    CheckEq(HIWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), 0, "a button losing the default look stops being Enter's target");
    SetDefaultButton(dlg, kOther, true);
    CheckEq(LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), kOther, "SetDefaultButton makes Enter's target");
    Check(GetWindowLongA(GetDlgItem(d, kOther), GWL_STYLE) & BS_DEFPUSHBUTTON, "and gives the default look");
    SetDefaultButton(dlg, kOther, false);
    SetDefaultButton(dlg, 1, true);

    // An edit's change arrives before SetText returns; so does a simple combo's.
    seen.clear();
    SetText(dlg, kEdit, "12");
    Check(Saw(Msg::Command, kEdit, Code::Change), "SetText on an edit raises Change synchronously");
    CheckEq(GetText(dlg, kEdit) == "12", true, "edit text reads back");
    seen.clear();
    SetText(dlg, kCombo, "dairy");
    Check(Saw(Msg::Command, kCombo, Code::Change), "SetText on a simple combo raises Change");

    // Lists: selecting from code is silent.
    ListAdd(dlg, kList, kRow);
    ListAdd(dlg, kList, "\t\tBread\tloaf");
    ListInsert(dlg, kList, 1, "\t\tApples");
    seen.clear();
    ListSetSel(dlg, kList, 1);
    Check(seen.empty(), "ListSetSel raises nothing");
    CheckEq(ListGetSel(dlg, kList), 1, "selection reads back");
    CheckEq(ListText(dlg, kList, 1) == "\t\tApples", true, "ListInsert places the text");
    CheckEq(ListFindExact(dlg, kList, -1, "\t\tbread\tLOAF"), 2, "ListFindExact ignores case");
    CheckEq(ListFindExact(dlg, kList, -1, "nothing"), -1, "ListFindExact without a match");
    ListDelete(dlg, kList, 1);
    CheckEq(ListCount(dlg, kList), 2, "ListDelete");

    // A fill with the drawing off: every entry new, the first visible row
    // kept, silent, the texts in the list box; the list shows again.
    HWND listWindow = GetDlgItem(d, kList);
    ListFill(dlg, kList, 40, [](int i) { return "\t\tRow " + std::to_string(i); });
    ListSetTopIndex(dlg, kList, 12);
    ListSetSel(dlg, kList, 14);
    seen.clear();
    ListFill(dlg, kList, 50, [](int i) { return "\t\tItem " + std::to_string(i); });
    Check(seen.empty(), "ListFill raises nothing");
    CheckEq(ListCount(dlg, kList), 50, "ListFill makes every entry");
    CheckEq(ListText(dlg, kList, 49) == "\t\tItem 49", true, "ListFill's rows keep their text in the list box");
    CheckEq(ListTopIndex(dlg, kList), 12, "ListFill keeps the first visible row");
    CheckEq(ListGetSel(dlg, kList), -1, "ListFill leaves nothing selected");
    Check(GetWindowLongA(listWindow, GWL_STYLE) & WS_VISIBLE, "the list is visible after ListFill");
    ListSetSel(dlg, kList, 20);  // scrolls it into view
    const int topBefore = ListTopIndex(dlg, kList);
    seen.clear();
    ListReplace(dlg, kList, topBefore + 1, "\t\tThirteen");
    Check(seen.empty(), "ListReplace raises nothing");
    CheckEq(ListText(dlg, kList, topBefore + 1) == "\t\tThirteen", true, "ListReplace rewrites the entry");
    CheckEq(ListCount(dlg, kList), 50, "ListReplace keeps the count");
    CheckEq(ListGetSel(dlg, kList), 20, "ListReplace keeps another entry's selection");
    CheckEq(ListTopIndex(dlg, kList), topBefore, "ListReplace does not scroll");
    Check(GetWindowLongA(listWindow, GWL_STYLE) & WS_VISIBLE, "the list is visible after ListReplace");
    ListFill(dlg, kList, 2, [](int i) { return i ? std::string("\t\tBread\tloaf") : std::string(kRow); });
    CheckEq(ListTopIndex(dlg, kList), 0, "a fill with fewer rows shows them all");
    ListAdd(dlg, kCombo, "fruit");
    ListAdd(dlg, kCombo, "dairy");
    CheckEq(ListFindExact(dlg, kCombo, -1, "DAIRY"), 1, "combo lists share the list calls");
    ListSetTabStops(dlg, kList, kStops);

    // Focus changes notify, losing side first.
    seen.clear();
    SetFocus(dlg, kList);
    SetFocus(dlg, kEdit);
    Check(seen.size() >= 3 && seen[0].id == kList && seen[0].code == Code::SetFocus && seen[1].id == kList &&
              seen[1].code == Code::KillFocus && seen[2].id == kEdit && seen[2].code == Code::SetFocus,
          "focus notifications: SetFocus, then KillFocus before the next SetFocus");
    CheckEq(GetFocus(dlg), kEdit, "GetFocus names the edit");
    SetFocus(dlg, kCombo);
    CheckEq(GetFocus(dlg), kCombo, "GetFocus names a combo box for its edit field");
    Check(Saw(Msg::Command, kCombo, Code::SetFocus), "a combo box reports its focus");

    // Sends reach the callback and carry its answer back.
    seen.clear();
    CheckEq(SendUser(dlg, 1524), 77, "SendUser returns the callback's answer");
    Check(Saw(Msg::User, 1524), "SendUser arrives as User with its number");
    SendCommand(dlg, kList, Code::SelChange);
    SendCommand(dlg, kEdit, Code::KillFocus);
    SendCommand(dlg, 5000);
    Check(Saw(Msg::Command, kList, Code::SelChange) && Saw(Msg::Command, kEdit, Code::KillFocus) &&
              Saw(Msg::Command, 5000, Code::Clicked),
          "SendCommand keeps id and code");

    SetCheck(dlg, kCheck, true);
    Check(GetCheck(dlg, kCheck), "check mark reads back");

    // Fonts and measuring.
    Font f = CreateFont(FontSpec{"MS Sans Serif", -MulDiv(8, ScreenDpiY(), 72), 400});
    Check(f != 0, "CreateFont");
    Size abc = MeasureText(f, "abc");
    CheckEq(FitCharacters(f, "abcdef", abc.cx), 3, "FitCharacters agrees with MeasureText");
    CheckEq(FitCharacters(f, "abcdef", abc.cx - 1), 2, "FitCharacters stops before a partial character");
    {
        // The font is made for the display; its measures come back in 96-dpi pixels, rounded up.
        LOGFONTA lf{};
        GetObjectA(reinterpret_cast<HFONT>(f), sizeof lf, &lf);
        CheckEq(lf.lfHeight, Px(-MulDiv(8, 96, 72)), "font heights are scaled to the display");
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(f));
        SIZE sz{};
        GetTextExtentPoint32A(dc, "abc", 3, &sz);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        Check(Px(abc.cx) >= sz.cx && (abc.cx - 1) * DisplayDpi() / 96 < sz.cx,
              "MeasureText: the display's width in 96-dpi pixels, rounded up");
    }
    Check(GetControlFont(dlg, kEdit) != 0, "controls carry the dialog font");
    // Away from 96 dpi the layer gives the controls a face made for the display.
    if (DisplayDpi() == 96)
        CheckNoFaults(fontguard::DialogFontFaults(reinterpret_cast<HFONT>(SendMessageA(H(dlg), WM_GETFONT, 0, 0))),
                      "the dialog font is Wine's bitmap \"MS Sans Serif\"");
    CheckNoFaults(fontguard::MarlettFaults(), "the caption buttons' face is Marlett");
    SetControlFont(dlg, kLink, f);
    CheckEq(GetControlFont(dlg, kLink), f, "SetControlFont / GetControlFont");

    // Status bar and menu, added during initialisation.
    ControlSpec status;
    status.id = kStatus;
    status.kind = Kind::StatusBar;
    AddControl(dlg, status);
    SetStatusParts(dlg, kStatus, {100, 200, -1});
    {
        INT edges[3] = {};
        SendMessageA(GetDlgItem(d, kStatus), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
        Check(edges[0] == Px(100) && edges[1] == Px(200) && edges[2] == -1, "status-bar edges are scaled");
    }
    SetStatusText(dlg, kStatus, 1, "Items to buy:  2");
    CheckEq(GetStatusText(dlg, kStatus, 1) == "Items to buy:  2", true, "status text reads back");
    Rect before = GetWindowRect(dlg);
    MenuItem task{"&Task", 0, {}};
    task.items = {MenuItem{"&Buy", 315, {}}, MenuItem{"", 0, {}}, MenuItem{"&Categories", 324, {}}};
    Menu bar = CreateMenuBar({task});
    SetMenu(dlg, bar);
    GetClientRect(d, &client);
    Check(GetWindowRect(dlg) == before, "attaching the menu keeps the outer size");
    Check(client.bottom < Px(200), "the menu bar takes its height from the client area");
    SetMenuItemText(bar, 315, "Don't buy");
    CheckEq(GetMenuItemText(bar, 315) == "Don't buy", true, "menu text is found through the pop-ups");
    Rect bar200 = ClientRectOf(dlg, kStatus);
    CheckEq(bar200.top + bar200.height, static_cast<int>(client.bottom), "status bar at the bottom");

    listProcBefore = GetWindowLongPtrA(GetDlgItem(d, kList), GWLP_WNDPROC);
    SetKeyHook(dlg, kList, [](Window, int id, int vk, bool down) {
        if (id == kList) keys.emplace_back(vk, down);
    });
    SetAccelerators(dlg, {{kVkUp, true, 225}, {kVkDown, true, 226}});
    SetColors(dlg, kLink, RGB(0, 0, 255), -1);
    // The dialog box shows itself once its queue is empty; a timer comes only then.
    SetTimer(d, 1, 50, WhenShown);
}

void PostKey(HWND to, int vk) {
    PostMessageA(to, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    PostMessageA(to, WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
}

// What a screen reader does to read a row: LB_GETTEXT from another thread,
// in ANSI and in Unicode.
struct RowTextRequest {
    HWND list;
    int index;
    std::string ansi;
    std::wstring wide;
};

DWORD WINAPI AskRowText(LPVOID param) {
    auto* r = static_cast<RowTextRequest*>(param);
    char ansi[256] = {};
    wchar_t wide[256] = {};
    if (SendMessageA(r->list, LB_GETTEXT, static_cast<WPARAM>(r->index), reinterpret_cast<LPARAM>(ansi)) > 0)
        r->ansi = ansi;
    if (SendMessageW(r->list, LB_GETTEXT, static_cast<WPARAM>(r->index), reinterpret_cast<LPARAM>(wide)) > 0)
        r->wide = wide;
    return 0;
}

// Runs the dialog's messages until thread ends (at most 20 s), then closes it.
void HandleMessagesWhile(HANDLE thread) {
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 20000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    CloseHandle(thread);
}

// The user's drag, with real input: the left button pressed on the list's
// scroll box, the pointer moved down to the scroll bar's end, let go.
DWORD WINAPI DragScrollBoxToTheEnd(LPVOID param) {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetScrollBarInfo(static_cast<HWND>(param), OBJID_VSCROLL, &bar);
    const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
    const int from = bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
    INPUT button{};
    button.type = INPUT_MOUSE;
    SetCursorPos(x, from);
    Sleep(100);
    button.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &button, sizeof button);
    Sleep(200);
    for (int y = from; y < bar.rcScrollBar.bottom; y += 10) {
        SetCursorPos(x, y);
        Sleep(30);
    }
    SetCursorPos(x, bar.rcScrollBar.bottom - 1);
    Sleep(200);
    button.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &button, sizeof button);
    Sleep(300);
    return 0;
}

// A long list: every row keeps its text for whoever asks the list box, and
// the row under the pointer is found past the 65,536th.
void ManyRowsChecks(Window dlg) {
    HWND list = GetDlgItem(H(dlg), kList);
    const int rows = 100000;
    ListFill(dlg, kList, rows, [](int i) { return "\t\tK\xe4se " + std::to_string(i); });
    CheckEq(ListCount(dlg, kList), rows, "a fill of 100,000 rows");
    CheckEq(ListText(dlg, kList, rows - 1) == "\t\tK\xe4se 99999", true, "the last of 100,000 rows keeps its text");
    Check(GetWindowLongA(list, GWL_STYLE) & LBS_HASSTRINGS, "the list's style says it has strings");

    RowTextRequest request{list, 70001, {}, {}};
    HandleMessagesWhile(CreateThread(nullptr, 0, AskRowText, &request, 0, nullptr));
    CheckEq(request.ansi == "\t\tK\xe4se 70001", true, "another thread reads a row's text");
    CheckEq(request.wide == L"\t\tK\u00e4se 70001", true, "and reads it in Unicode");

    ListSetTopIndex(dlg, kList, 70000);
    const auto height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    POINT pt{5, height + 2};
    ClientToScreen(list, &pt);
    CheckEq(ListItemFromPoint(dlg, kList, pt.x, pt.y), 70001, "ListItemFromPoint past the 65,536th row");

    ListSetTopIndex(dlg, kList, 0);
    SetForegroundWindow(H(dlg));
    HandleMessagesWhile(CreateThread(nullptr, 0, DragScrollBoxToTheEnd, list, 0, nullptr));
    CheckEq(ListTopIndex(dlg, kList) > rows - 100, true, "the scroll box dragged to the end and let go shows the last rows");
    ListFill(dlg, kList, 2, [](int i) { return i ? std::string("\t\tBread\tloaf") : std::string(kRow); });
}

void ShownChecks(Window dlg) {
    HWND d = H(dlg), list = GetDlgItem(d, kList);
    // The owner-drawn row: right-aligned fields end at their stops.
    ListSetSel(dlg, kList, -1);
    UpdateWindow(list);
    int units = win32::TabStopPixels(list, 60), cost = win32::TabStopPixels(list, 90);
    int unitsInk = RightmostInk(list, win32::TabStopPixels(list, 21), units + 4);
    int costInk = RightmostInk(list, units + 4, cost + 4);
    std::printf("  units stop %d px, ink ends %d; cost stop %d px, ink ends %d\n", units, unitsInk, cost, costInk);
    Check(unitsInk >= units - 3 && unitsInk < units, "units text ends at its right-aligned stop");
    Check(costInk >= cost - 3 && costInk < cost, "cost text ends at its right-aligned stop");
    int nameInk = RightmostInk(list, 0, win32::TabStopPixels(list, 20));
    Check(nameInk >= win32::TabStopPixels(list, 3) && nameInk < win32::TabStopPixels(list, 20),
          "the mark starts at its left stop");

    // Colours of a label come from the stored values.
    HDC dc = GetDC(d);
    SendMessageA(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(d, kLink)));
    CheckEq(GetTextColor(dc), RGB(0, 0, 255), "label text colour");
    ReleaseDC(d, dc);

    // Pointer and right button over controls reach the dialog with the control's id.
    seen.clear();
    HWND link = GetDlgItem(d, kLink);
    SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    SendMessageA(d, WM_SETCURSOR, reinterpret_cast<WPARAM>(d), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    Check(Saw(Msg::SetCursor, kLink) && Saw(Msg::SetCursor, -1), "SetCursor names the control, -1 for none");
    SendMessageA(list, WM_RBUTTONUP, 0, MAKELPARAM(5, 3));
    Check(Saw(Msg::ContextMenu, kList), "a right click on the list asks for the context menu");
    POINT pt{5, 3};
    ClientToScreen(list, &pt);
    CheckEq(ListItemFromPoint(dlg, kList, pt.x, pt.y), 0, "ListItemFromPoint on the first row");
    POINT below{5, 95};
    ClientToScreen(list, &below);
    CheckEq(ListItemFromPoint(dlg, kList, below.x, below.y), -1, "ListItemFromPoint below the last row");
    ManyRowsChecks(dlg);

    // The keyboard, through the dialog's own loop.
    seen.clear();
    keys.clear();
    SetFocus(dlg, kList);
    PostKey(list, kVkReturn);  // Enter: the default id; its release reaches the list
    PostKey(list, VK_F5);      // a key the list box itself receives
    PostMessageA(GetDlgItem(d, kEdit), WM_KEYDOWN, VK_ESCAPE, 1);
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = 0x80;
    SetKeyboardState(state);
    PostKey(list, kVkUp);  // Shift+Up: the accelerator
    PostMessageA(d, kPhaseKeys1, 0, 0);
}

void KeyChecks(Window dlg, int step) {
    HWND d = H(dlg);
    if (step == 1) {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_SHIFT] = 0;
        SetKeyboardState(state);
        Check(Saw(Msg::Command, 1, Code::Clicked), "Enter sends the default button's id");
        int enterDowns = 0, f5Downs = 0;
        bool upSeen = false;
        for (auto [vk, down] : keys) {
            enterDowns += vk == kVkReturn && down;
            f5Downs += vk == VK_F5 && down;
            upSeen |= vk == kVkReturn && !down;
        }
        Check(upSeen, "the release of Enter reaches the list's key hook");
        CheckEq(enterDowns, 1, "the list's key hook sees the press of Enter that the dialog acts on, once");
        CheckEq(f5Downs, 1, "a press the list receives itself reaches its key hook once");
        Check(Saw(Msg::Command, 2, Code::Clicked), "Escape sends 2");
        Check(Saw(Msg::Command, 225, Code::Clicked), "Shift+Up gives the accelerator's command");
        Check(ListGetSel(dlg, kList) <= 0, "the accelerator's key does not move the list");

        seen.clear();
        SetFocus(dlg, kOther);
        PostKey(GetDlgItem(d, kOther), kVkReturn);
        PostMessageA(d, kPhaseKeys2, 0, 0);
        return;
    }
    if (step == 2) {
        Check(Saw(Msg::Command, kOther, Code::Clicked) && !Saw(Msg::Command, 1),
              "Enter on a focused push button sends its id");
        seen.clear();
        SetFocus(dlg, kList);
        PostMessageA(GetDlgItem(d, kList), WM_KEYDOWN, VK_TAB, 1);
        PostMessageA(d, kPhaseKeys3, 0, 0);
        return;
    }
    CheckEq(GetFocus(dlg), kEdit, "Tab moves from the list to the next tab stop");
    Check(Saw(Msg::Command, kList, Code::KillFocus) && Saw(Msg::Command, kEdit, Code::SetFocus),
          "Tab notifies both sides");
    RemoveKeyHook(dlg, kList);
    CheckEq(GetWindowLongPtrA(GetDlgItem(d, kList), GWLP_WNDPROC), listProcBefore,
            "RemoveKeyHook puts the standard procedure back");

    // A child dialog disables its owner; an unanswered Close ends it with 2.
    DialogSpec child;
    child.caption = "Child";
    child.width = 120;
    child.height = 60;
    child.owner = dlg;
    child.controls = {{1, Kind::Button, "OK", {10, 10, 60, 25}, kDefault}};
    childResult = RunDialog(child, [](Window c, const Event& e) {
        if (e.msg == Msg::Init) {
            ownerDisabledInChild = !IsWindowEnabled(GetWindow(H(c), GW_OWNER));
            PostMessageA(H(c), kChildDone, 0, 0);
        } else if (e.msg == Msg::User && e.id == kChildDone) {
            SendClose(c);
        } else if (e.msg == Msg::Destroy) {
            ++childDestroys;
        }
        return 0;
    });
    Check(ownerDisabledInChild, "the owner is disabled while a child dialog runs");
    CheckEq(childResult, 2, "Close answered with 0 ends the dialog with 2");
    CheckEq(childDestroys, 1, "Destroy arrives once");
    Check(IsWindowEnabled(d), "the owner is enabled again afterwards");

    closeAnswer = 1;
    SendClose(dlg);
    Check(IsWindow(d), "Close answered with 1 keeps the dialog");
    EndDialog(dlg, 7);
}

int MainCallback(Window dlg, const Event& e) {
    seen.push_back({e.msg, e.id, e.code});
    switch (e.msg) {
    case Msg::Init: InitChecks(dlg); return 0;
    case Msg::User:
        if (e.id == 1524) return 77;
        if (e.id == kPhaseShown) ShownChecks(dlg);
        if (e.id == kPhaseKeys1) KeyChecks(dlg, 1);
        if (e.id == kPhaseKeys2) KeyChecks(dlg, 2);
        if (e.id == kPhaseKeys3) KeyChecks(dlg, 3);
        return 1;
    case Msg::Close: return closeAnswer;
    case Msg::SetCursor: return e.id == kLink;
    default: return 0;
    }
}

void DialogUnitChecks() {
    DialogSpec s;
    s.caption = "Units";
    s.width = 200;
    s.height = 140;
    s.dialogUnits = true;
    s.frame = kCaption | kSysMenu | kModalFrame;
    s.controls = {{1, Kind::Button, "OK", {85, 90, 50, 25}, 0}, {-1, Kind::Icon, "", {10, 10, 30, 30}, 0}};
    int r = RunDialog(s, [](Window dlg, const Event& e) {
        if (e.msg != Msg::Init) return 0;
        // Dialog units count in the font the controls carry (the template's at
        // 96 dpi, the one made for the display elsewhere), as a template's do.
        HDC dc = GetDC(H(dlg));
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(GetControlFont(dlg, 1)));
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        SIZE abc{};
        GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &abc);
        SelectObject(dc, old);
        ReleaseDC(H(dlg), dc);
        const int baseX = (abc.cx / 26 + 1) / 2, baseY = tm.tmHeight;
        RECT expect{85, 90, 50, 25}, client{0, 0, 200, 140}, got{};
        if (DisplayDpi() == 96) {
            MapDialogRect(H(dlg), &expect);
            MapDialogRect(H(dlg), &client);
        } else {
            expect = RECT{MulDiv(85, baseX, 4), MulDiv(90, baseY, 8), MulDiv(50, baseX, 4), MulDiv(25, baseY, 8)};
            client = RECT{0, 0, MulDiv(200, baseX, 4), MulDiv(140, baseY, 8)};
        }
        Check(ClientRectOf(dlg, 1) == Rect{expect.left, expect.top, expect.right, expect.bottom},
              "dialog-unit controls are mapped like a template's");
        GetClientRect(H(dlg), &got);
        Check(got.right == client.right && got.bottom == client.bottom, "dialog-unit client size");
        SetControlIcon(dlg, -1, SystemIcon::Information);
        Check(SendMessageA(GetDlgItem(H(dlg), -1), STM_GETICON, 0, 0) != 0, "a system icon is loaded");
        EndDialog(dlg, 5);
        return 1;
    });
    CheckEq(r, 5, "EndDialog during Init gives its result");
}

}  // namespace

int main() {
    DialogUnitChecks();
    int r = RunDialog(MainSpec(), MainCallback);
    CheckEq(r, 7, "RunDialog returns the EndDialog value");
    CheckEq(Count(Msg::Destroy), 1, "the dialog gets Destroy");
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

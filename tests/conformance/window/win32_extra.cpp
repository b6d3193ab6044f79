// What only the Win32 layer shows: the display's own pixels behind the
// layer's 96-dpi ones (DPI scaling), the UTF-16 caption of an ANSI dialog,
// the native styles the layer picks, the font guard against stand-in faces,
// the owner-drawn rows and their tab stops in pixels, and a list of 100,000
// rows read by another thread and dragged past row 65,536 with real input.
#include "window_suite.h"

#include "platform/window/win32/win32_internal.h"

#include "tests/windows/font_guard.h"

#include <cstdlib>

namespace window {
namespace {

const char* const kSection = "win32";

HWND H(Window w) { return reinterpret_cast<HWND>(w); }

// The display's DPI: the layer's 96-dpi pixels are scaled by DPI / 96
// (the program is DPI aware through its manifest).
int DisplayDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}
int Px(int layerPixels) { return MulDiv(layerPixels, DisplayDpi(), 96); }

RECT DeviceRectOf(Window dlg, int id) {
    RECT r{};
    ::GetWindowRect(GetDlgItem(H(dlg), id), &r);
    MapWindowPoints(nullptr, H(dlg), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// One FAIL line per fault, or one PASS line.
void CheckNoFaults(const std::vector<std::string>& faults, const std::string& what) {
    for (const std::string& fault : faults) Check(false, what + ": " + fault);
    if (faults.empty()) Check(true, what);
}

CONFORMANCE_CASE(kSection, "the layer's pixels are scaled to the display") {
    Info("display DPI " + std::to_string(DisplayDpi()));
    RunShown(MainSpec(), [](Window dlg) {
        RECT client{};
        GetClientRect(H(dlg), &client);
        CheckEq(client.right, static_cast<LONG>(Px(300)), "client area width, scaled to the display");
        CheckEq(client.bottom, static_cast<LONG>(Px(200)), "client area height, scaled to the display");
        RECT device{};
        ::GetWindowRect(H(dlg), &device);
        Check(std::abs(GetWindowRect(dlg).width - MulDiv(device.right - device.left, 96, DisplayDpi())) <= 1,
              "GetWindowRect gives 96-dpi pixels");
        RECT edit = DeviceRectOf(dlg, kEdit);
        Check(edit.left == Px(10) && edit.top == Px(120) && edit.right == Px(70) && edit.bottom == Px(138),
              "controls are placed in client pixels, scaled to the display");
        ControlSpec status;
        status.id = kStatus;
        status.kind = Kind::StatusBar;
        AddControl(dlg, status);
        SetStatusParts(dlg, kStatus, {100, 200, -1});
        INT edges[3] = {};
        SendMessageA(GetDlgItem(H(dlg), kStatus), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
        Check(edges[0] == Px(100) && edges[1] == Px(200) && edges[2] == -1, "status-bar edges are scaled");
    });
}

CONFORMANCE_CASE(kSection, "fonts are made for the display and measured in 96-dpi pixels") {
    Font f = CreateFont(FontSpec{"MS Sans Serif", -MulDiv(8, ScreenDpiY(), 72), 400});
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(f), sizeof lf, &lf);
    CheckEq(lf.lfHeight, static_cast<LONG>(Px(-MulDiv(8, 96, 72))), "font heights are scaled to the display");
    Size abc = MeasureText(f, "abc");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(f));
    SIZE sz{};
    GetTextExtentPoint32A(dc, "abc", 3, &sz);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    Check(Px(abc.cx) >= sz.cx && (abc.cx - 1) * DisplayDpi() / 96 < sz.cx,
          "MeasureText: the display's width in 96-dpi pixels, rounded up");
    DeleteFont(f);
}

CONFORMANCE_CASE(kSection, "the font guard: Wine's own faces, not stand-ins") {
    RunShown(MainSpec(), [](Window dlg) {
        // Away from 96 dpi the layer gives the controls a face made for the display.
        if (DisplayDpi() == 96)
            CheckNoFaults(fontguard::DialogFontFaults(reinterpret_cast<HFONT>(SendMessageA(H(dlg), WM_GETFONT, 0, 0))),
                          "the dialog font is Wine's bitmap \"MS Sans Serif\"");
        else
            Info("the dialog font is made for the display: the bitmap face is checked at 96 dpi");
        CheckNoFaults(fontguard::MarlettFaults(), "the caption buttons' face is Marlett");
    });
}

// Captions are UTF-8: the main window shows a list's path in any language,
// although the dialog itself is an ANSI window.
CONFORMANCE_CASE(kSection, "the caption is held and drawn as UTF-16") {
    RunShown(MainSpec(), [](Window dlg) {
        const std::string paths[] = {"Z:\\Eink\xc3\xa4ufe\\list \xe2\x80\x93 week",
                                     "Z:\\\xd0\xbf\xd0\xbe\xd0\xba\xd1\x83\xd0\xbf\xd0\xba\xd0\xb8\\list",
                                     "C:\\\xe8\xb2\xb7\xe3\x81\x84\xe7\x89\xa9"};
        for (const std::string& path : paths) {
            SetCaption(dlg, path);
            wchar_t wide[256] = {};
            InternalGetWindowText(H(dlg), wide, 256);
            CheckEq(win32::FromWide(wide), path, "the window holds the caption as UTF-16: " + path);
            // WM_GETTEXT is what the frame is drawn from: an ANSI dialog answers it
            // in the ANSI code page, with "?" for what has no place there.
            wchar_t drawn[256] = {};
            GetWindowTextW(H(dlg), drawn, 256);
            CheckEq(win32::FromWide(drawn), path, "WM_GETTEXT answers the whole caption: " + path);
        }
        Check(win32::WideFromAnsi(std::string("a\0b\0\0", 5)) == std::wstring(L"a\0b\0\0", 5),
              "a filter list keeps its NULs through the conversion");
        Check(win32::ToWide("x\xff") == L"x\xfffd", "an invalid UTF-8 byte becomes U+FFFD");
        Check(win32::FromWide(win32::ToWide(paths[2])) == paths[2], "UTF-8 survives the round trip");
    });
}

CONFORMANCE_CASE(kSection, "code page 1252: typed text, and the clipboard in Unicode and UTF-8") {
    if (GetACP() != 1252) {
        Info("these checks need code page 1252, this is " + std::to_string(GetACP()));
        return;
    }
    RunShown(MainSpec(), [](Window dlg) {
        SetFocus(dlg, kEdit);
        SetText(dlg, kEdit, "");
        // Typed as UTF-16, as a keyboard gives them: the edit shows them all.
        User().Type(dlg, "\xC5\x81\xC3\xB3" "d\xC5\xBA \xD0\xA5.");  // "Łódź Х."
        WaitFor([dlg] { const std::string t = GetText(dlg, kEdit); return !t.empty() && t.back() == '.'; });
        CheckEq(GetText(dlg, kEdit), std::string("?\xF3" "d? ?."), "\"?\" where the ANSI call would put L and z");
        CheckEq(CharactersLostInAnsi(dlg, kEdit), std::vector<std::string>({"\xC5\x81", "\xC5\xBA", "\xD0\xA5"}),
                "the characters 1252 lacks, named");

        Check(SetClipboardText(dlg, "K\xE4se\n", "- [ ] St\xFC" "ck\n"), "the clipboard is taken");
        Check(OpenClipboard(nullptr), "the clipboard opens");
        std::wstring unicode;
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
            unicode = static_cast<const wchar_t*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        std::string markdown;
        if (HANDLE h = GetClipboardData(RegisterClipboardFormatW(L"text/markdown"))) {
            markdown = static_cast<const char*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        std::string ansi;
        if (HANDLE h = GetClipboardData(CF_TEXT)) {
            ansi = static_cast<const char*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
        Check(unicode == L"K\u00e4se\r\n", "CF_UNICODETEXT holds the a umlaut and CR LF");
        CheckEq(markdown, std::string("- [ ] St\xC3\xBC" "ck\r\n"), "text/markdown holds UTF-8 and CR LF");
        CheckEq(ansi, std::string("K\xE4se\r\n"), "Windows makes the ANSI form from it");
    });
}

CONFORMANCE_CASE(kSection, "the native styles and the default button") {
    RunShown(MainSpec(), [](Window dlg) {
        HWND d = H(dlg);
        LONG listStyle = GetWindowLongA(GetDlgItem(d, kList), GWL_STYLE);
        Check((listStyle & LBS_OWNERDRAWFIXED) && (listStyle & LBS_HASSTRINGS), "a list with tab stops is owner-drawn");
        Check(listStyle & LBS_NOTIFY, "the list notifies");
        Check(GetWindowLongA(GetDlgItem(d, -1), GWL_EXSTYLE) & WS_EX_STATICEDGE, "static edge on a label");
        Check(GetWindowLongA(GetDlgItem(d, kLink), GWL_STYLE) & SS_NOPREFIX, "a label without prefix shows its \"&\"");
        CheckEq(LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), 1, "the default button is the dialog's default id");
        SetDefaultButton(dlg, 1, false);
        CheckEq(HIWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), 0, "a button losing the default look stops being Enter's target");
        SetDefaultButton(dlg, kOther, true);
        CheckEq(LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), kOther, "SetDefaultButton makes Enter's target");
        Check(GetWindowLongA(GetDlgItem(d, kOther), GWL_STYLE) & BS_DEFPUSHBUTTON, "and gives the default look");
        SetDefaultButton(dlg, kOther, false);
        SetDefaultButton(dlg, 1, true);
        const LONG_PTR before = GetWindowLongPtrA(GetDlgItem(d, kList), GWLP_WNDPROC);
        SetKeyHook(dlg, kList, [](Window, int, int, bool) {});
        Check(GetWindowLongPtrA(GetDlgItem(d, kList), GWLP_WNDPROC) != before, "a key hook replaces the procedure");
        RemoveKeyHook(dlg, kList);
        CheckEq(GetWindowLongPtrA(GetDlgItem(d, kList), GWLP_WNDPROC), before,
                "RemoveKeyHook puts the standard procedure back");
        // Colours of a label come from the stored values.
        SetColors(dlg, kLink, RGB(0, 0, 255), -1);
        HDC dc = GetDC(d);
        SendMessageA(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(d, kLink)));
        CheckEq(GetTextColor(dc), RGB(0, 0, 255), "label text colour");
        ReleaseDC(d, dc);
    });
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

CONFORMANCE_CASE(kSection, "owner-drawn rows: right-aligned fields end at their tab stops in pixels") {
    RunShown(MainSpec(), [](Window dlg) {
        HWND list = GetDlgItem(H(dlg), kList);
        ListAdd(dlg, kList, "\tx\tMilk\t2.00\t5.00");
        ListSetTabStops(dlg, kList, {3, 20, -60, -90});
        ListSetSel(dlg, kList, -1);
        SetFocus(dlg, kEdit);  // no focus rectangle around the row
        InvalidateRect(list, nullptr, TRUE);
        UpdateWindow(list);
        int units = win32::TabStopPixels(list, 60), cost = win32::TabStopPixels(list, 90);
        WaitFor([&] { return RightmostInk(list, win32::TabStopPixels(list, 21), units + 4) >= 0; });  // drawn
        int unitsInk = RightmostInk(list, win32::TabStopPixels(list, 21), units + 4);
        int costInk = RightmostInk(list, units + 4, cost + 4);
        Info("units stop " + std::to_string(units) + " px, ink ends " + std::to_string(unitsInk) + "; cost stop " +
             std::to_string(cost) + " px, ink ends " + std::to_string(costInk));
        Check(unitsInk >= units - 3 && unitsInk < units, "units text ends at its right-aligned stop");
        Check(costInk >= cost - 3 && costInk < cost, "cost text ends at its right-aligned stop");
        int nameInk = RightmostInk(list, 0, win32::TabStopPixels(list, 20));
        Check(nameInk >= win32::TabStopPixels(list, 3) && nameInk < win32::TabStopPixels(list, 20),
              "the mark starts at its left stop");
    });
}

// What a screen reader does to read a row: LB_GETTEXT from another thread,
// in ANSI and in Unicode.
struct RowTextRequest {
    HWND list;
    int index;
    std::string ansi;
    std::wstring wide;
    bool done = false;
};

DWORD WINAPI AskRowText(LPVOID param) {
    auto* r = static_cast<RowTextRequest*>(param);
    char ansi[256] = {};
    wchar_t wide[256] = {};
    if (SendMessageA(r->list, LB_GETTEXT, static_cast<WPARAM>(r->index), reinterpret_cast<LPARAM>(ansi)) > 0)
        r->ansi = ansi;
    if (SendMessageW(r->list, LB_GETTEXT, static_cast<WPARAM>(r->index), reinterpret_cast<LPARAM>(wide)) > 0)
        r->wide = wide;
    r->done = true;
    return 0;
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

// Waits in the dialog's loop until the thread has ended.
bool JoinWhilePumping(HANDLE thread) {
    const bool ended = WaitFor([thread] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; });
    CloseHandle(thread);
    return ended;
}

CONFORMANCE_CASE(kSection, "100,000 rows: read by another thread, found and dragged past row 65,536") {
    RunShown(MainSpec(), [](Window dlg) {
        HWND list = GetDlgItem(H(dlg), kList);
        const int rows = 100000;
        ListFill(dlg, kList, rows, [](int i) { return "\t\tK\xe4se " + std::to_string(i); });
        CheckEq(ListCount(dlg, kList), rows, "a fill of 100,000 ANSI rows");
        CheckEq(ListText(dlg, kList, rows - 1), "\t\tK\xe4se 99999", "the last of 100,000 rows keeps its ANSI text");
        Check(GetWindowLongA(list, GWL_STYLE) & LBS_HASSTRINGS, "the list's style says it has strings");

        RowTextRequest request{list, 70001, {}, {}};
        Check(JoinWhilePumping(CreateThread(nullptr, 0, AskRowText, &request, 0, nullptr)), "the reader ends");
        CheckEq(request.ansi, "\t\tK\xe4se 70001", "another thread reads a row's text");
        Check(request.wide == L"\t\tK\u00e4se 70001", "and reads it in Unicode");

        ListSetTopIndex(dlg, kList, 70000);
        const auto height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        POINT pt{5, height + 2};
        ClientToScreen(list, &pt);
        CheckEq(ListItemFromPoint(dlg, kList, pt.x, pt.y), 70001, "ListItemFromPoint on the second row past the 65,536th");

        ListSetTopIndex(dlg, kList, 0);
        SetForegroundWindow(H(dlg));
        Check(JoinWhilePumping(CreateThread(nullptr, 0, DragScrollBoxToTheEnd, list, 0, nullptr)), "the drag ends");
        WaitFor([dlg] { return ListTopIndex(dlg, kList) > rows - 100; });
        Check(ListTopIndex(dlg, kList) > rows - 100, "the scroll box dragged to the end and let go shows the last rows");
    });
}

CONFORMANCE_CASE(kSection, "dialog units are mapped like a template's, icons are loaded") {
    RunShown(DialogUnitsSpec(), [](Window dlg) {
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
        RECT button = DeviceRectOf(dlg, 1);
        Check(button.left == expect.left && button.top == expect.top && button.right - button.left == expect.right &&
                  button.bottom - button.top == expect.bottom,
              "dialog-unit controls are mapped like a template's");
        GetClientRect(H(dlg), &got);
        Check(got.right == client.right && got.bottom == client.bottom, "dialog-unit client size");
        SetControlIcon(dlg, -1, SystemIcon::Information);
        Check(SendMessageA(GetDlgItem(H(dlg), -1), STM_GETICON, 0, 0) != 0, "a system icon is loaded");
    });
}

}  // namespace
}  // namespace window

namespace window {
namespace {

// A resizable dialog on the display's own pixels: the sizing border and the
// maximise box are there, the border's drag stops at the first size, and a
// maximised window moves and grows its controls by exactly the display
// pixels it grew by, at any DPI.
CONFORMANCE_CASE("win32", "a resizable dialog maximises with its controls following in display pixels") {
    DialogSpec spec = MainSpec();
    spec.frame |= kResizable;
    spec.controls[0].style |= kGrowRight | kGrowDown | kNoIntegralHeight;  // the list
    spec.controls[1].style |= kFollowBottom;                             // the edit
    RunShown(spec, [](Window dlg) {
        const LONG style = GetWindowLongA(H(dlg), GWL_STYLE);
        Check((style & WS_THICKFRAME) && (style & WS_MAXIMIZEBOX), "a sizing border and a maximise box");
        RECT outer{};
        ::GetWindowRect(H(dlg), &outer);
        MINMAXINFO mmi{};
        SendMessageA(H(dlg), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        CheckEq(mmi.ptMinTrackSize.x, outer.right - outer.left, "the border's drag stops at the first width");
        CheckEq(mmi.ptMinTrackSize.y, outer.bottom - outer.top, "and at the first height");
        RECT client0{};
        GetClientRect(H(dlg), &client0);
        const RECT list0 = DeviceRectOf(dlg, kList), edit0 = DeviceRectOf(dlg, kEdit);
        ShowWindow(H(dlg), SW_MAXIMIZE);
        WaitFor([&] { return IsZoomed(H(dlg)) != FALSE; });
        RECT client{};
        GetClientRect(H(dlg), &client);
        const LONG dw = client.right - client0.right, dh = client.bottom - client0.bottom;
        Check(dw > 0 && dh > 0, "maximised, the client area is larger");
        const RECT list = DeviceRectOf(dlg, kList), edit = DeviceRectOf(dlg, kEdit);
        CheckEq(list.right - list.left, list0.right - list0.left + dw, "the list widened by the display pixels");
        CheckEq(list.bottom - list.top, list0.bottom - list0.top + dh, "and grew taller by them");
        CheckEq(edit.top, edit0.top + dh, "the edit moved down by them");
        CheckEq(edit.left, edit0.left, "and stayed at its left edge");
        ShowWindow(H(dlg), SW_RESTORE);
        WaitFor([&] { return !IsZoomed(H(dlg)); });
        const RECT back = DeviceRectOf(dlg, kEdit);
        Check(back.top == edit0.top && back.left == edit0.left, "restored, the edit is back where it was made");
    });
}

}  // namespace
}  // namespace window

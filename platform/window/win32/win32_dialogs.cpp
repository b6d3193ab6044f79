// Dialogs on Win32: an in-memory template without controls run by
// DialogBoxIndirectParamA; the controls are created in WM_INITDIALOG in pixels
// of the client area, and the dialog procedure turns window messages into the
// layer's events.
#include <algorithm>

#include "platform/window/win32/win32_state.h"

namespace plat::win32 {
namespace {

// Screen coordinates of mouse messages are signed.
int LowSigned(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int HighSigned(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

// The dialog template: header, no menu, default class, empty title, font.
std::vector<DWORD> BuildTemplate(const DialogSpec& spec, DWORD style) {
    std::vector<WORD> words;
    auto put32 = [&](DWORD v) {
        words.push_back(LOWORD(v));
        words.push_back(HIWORD(v));
    };
    put32(style);
    put32(0);           // extended style
    words.push_back(0); // no controls in the template
    for (int i = 0; i < 4; ++i) words.push_back(0);  // x, y, cx, cy: set at WM_INITDIALOG
    words.push_back(0);  // menu
    words.push_back(0);  // window class
    words.push_back(0);  // title (SetWindowTextA sets the ANSI caption)
    words.push_back(static_cast<WORD>(spec.fontPoints));
    int n = MultiByteToWideChar(CP_ACP, 0, spec.fontFace.c_str(), -1, nullptr, 0);
    std::wstring face(n > 0 ? n : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, spec.fontFace.c_str(), -1, face.data(), n);
    for (wchar_t c : face) words.push_back(static_cast<WORD>(c));
    std::vector<DWORD> aligned((words.size() + 1) / 2 + 1, 0);
    memcpy(aligned.data(), words.data(), words.size() * sizeof(WORD));
    return aligned;
}

DWORD DialogStyle(unsigned frame) {
    DWORD style = WS_POPUP | DS_SETFONT;
    if (frame & kCaption) style |= WS_CAPTION;
    if (frame & kSysMenu) style |= WS_SYSMENU;
    if (frame & kMinimizeBox) style |= WS_MINIMIZEBOX;
    if (frame & kModalFrame) style |= DS_MODALFRAME;
    if (frame & kResizable) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    return style;
}

// The direct child of dlg that contains h (a combo box for its edit field).
HWND DirectChild(HWND dlg, HWND h) {
    while (h && h != dlg) {
        HWND parent = GetParent(h);
        if (parent == dlg) return h;
        h = parent;
    }
    return nullptr;
}

// The entry of a list box (or of a simple combo box's list) under the point of
// the mouse message being handled, -1 when the point lies below the last entry.
int EntryUnderPointer(HWND control) {
    char cls[16] = {};
    GetClassNameA(control, cls, sizeof cls);
    if (lstrcmpiA(cls, "ListBox") != 0) {  // a combo box: its current entry
        const LRESULT sel = SendMessageA(control, CB_GETCURSEL, 0, 0);
        return sel == CB_ERR ? -1 : static_cast<int>(sel);
    }
    const DWORD pos = GetMessagePos();
    POINT pt{LowSigned(static_cast<LPARAM>(pos)), HighSigned(static_cast<LPARAM>(pos))};
    ScreenToClient(control, &pt);
    const LRESULT hit = SendMessageA(control, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    return HIWORD(hit) ? -1 : static_cast<int>(LOWORD(hit));  // high word: outside every entry
}

int Deliver(HWND dlg, DialogState& st, const Event& e) {
    Callback callback = st.callback;  // the callback may start nested dialogs
    return callback ? callback(FromHwnd(dlg), e) : 0;
}

// Reports the callback's answer as the message result.
INT_PTR Answer(HWND dlg, int result) {
    SetWindowLongPtrA(dlg, DWLP_MSGRESULT, result);
    return TRUE;
}

// Away from 96 dpi the template's font can come as a bitmap strike of another
// size (MS Sans Serif has a few sizes only), so that text and layout part
// ways: the controls then get a dialog font made for the display.
void UseScaledFont(HWND dlg, DialogState& st) {
    const int dpi = WindowDpi(dlg);
    if (dpi == kLayoutDpi) return;
    st.scaledFont = CreateDisplayFont(-MulDiv(st.spec.fontPoints, dpi, 72), FW_NORMAL, false, false, false,
                                      st.spec.fontFace);
    if (st.scaledFont) SendMessageA(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(st.scaledFont), FALSE);
}

INT_PTR InitDialog(HWND dlg, DialogState& st) {
    SetCaptionText(dlg, st.spec.caption);
    ShowProgramIcon(dlg);
    UseScaledFont(dlg, st);
    if (st.spec.background >= 0) {
        st.backgroundRgb = st.spec.background;
        st.background = CreateSolidBrush(static_cast<COLORREF>(st.spec.background));
    }
    for (const ControlSpec& c : st.spec.controls) CreateControl(dlg, st, c);

    // The client area is width x height; the menu attached later takes its
    // height from it.
    RECT client{0, 0, st.spec.width, st.spec.height};
    if (st.spec.dialogUnits)
        MapDialogUnits(dlg, client);  // dialog units follow the dialog font, which follows the DPI
    else
        client = ToDevice(Rect{0, 0, st.spec.width, st.spec.height}, WindowDpi(dlg));
    RECT outer = client;
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(dlg, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dlg, GWL_EXSTYLE)));
    int w = outer.right - outer.left, h = outer.bottom - outer.top;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = work.left, y = work.top;
    if (st.spec.centred) {
        x = work.left + (work.right - work.left - w) / 2;
        y = work.top + (work.bottom - work.top - h) / 2;
    }
    SetWindowPos(dlg, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);

    int handled = Deliver(dlg, st, Event{Msg::Init});
    if (!IsWindow(dlg)) return FALSE;
    if (st.spec.frame & kResizable) {
        // Its size now, with the menu bar, is the first and the smallest.
        RECT now{}, window{};
        GetClientRect(dlg, &now);
        ::GetWindowRect(dlg, &window);
        st.firstClient = SIZE{now.right, now.bottom};
        st.minOuter = SIZE{window.right - window.left, window.bottom - window.top};
    }
    // TRUE lets the dialog manager focus the first tab stop: only when the
    // callback neither handled the start nor chose a focus itself.
    HWND focus = ::GetFocus();
    return (handled || (focus && IsChild(dlg, focus))) ? FALSE : TRUE;
}

INT_PTR Close(HWND dlg, DialogState& st) {
    int r = Deliver(dlg, st, Event{Msg::Close});
    if (r == 0) ::EndDialog(dlg, 2);
    return Answer(dlg, r);
}

INT_PTR ControlColor(DialogState& st, UINT msg, HDC dc, HWND control) {
    auto it = st.colors.find(ControlId(control));
    bool isStatic = msg == WM_CTLCOLORSTATIC;
    if (it != st.colors.end()) {
        const ControlColors& c = it->second;
        if (c.text >= 0) SetTextColor(dc, static_cast<COLORREF>(c.text));
        if (c.back >= 0) {
            SetBkColor(dc, static_cast<COLORREF>(c.back));
            return reinterpret_cast<INT_PTR>(c.brush);
        }
    } else if (!isStatic || !st.background) {
        return FALSE;  // the control's default colours
    }
    if (isStatic && st.background) {
        SetBkColor(dc, static_cast<COLORREF>(st.backgroundRgb));
        return reinterpret_cast<INT_PTR>(st.background);
    }
    int sys = isStatic ? COLOR_BTNFACE : COLOR_WINDOW;
    SetBkColor(dc, GetSysColor(sys));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(sys));
}

void ReleaseState(HWND dlg, DialogState& st) {
    ForgetKeyHooks(dlg);
    for (auto& [id, c] : st.colors)
        if (c.brush) DeleteObject(c.brush);
    st.colors.clear();
    if (st.background) DeleteObject(st.background);
    st.background = nullptr;
    if (st.scaledFont) DeleteObject(st.scaledFont);
    st.scaledFont = nullptr;
    Layer().dialogs.erase(dlg);
}

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* st = reinterpret_cast<DialogState*>(lp);
        st->hwnd = dlg;
        Layer().dialogs[dlg] = st;
        return InitDialog(dlg, *st);
    }
    DialogState* st = StateOf(dlg);
    if (!st) return FALSE;
    switch (msg) {
    case WM_COMMAND: {
        int id = static_cast<short>(LOWORD(wp));
        HWND control = reinterpret_cast<HWND>(lp);
        Code code;
        if (!CodeFromNative(KindOf(FromHwnd(dlg), id), control != nullptr, HIWORD(wp), code))
            return FALSE;
        if (UnchangedByInput(control, code)) return FALSE;
        Event e{Msg::Command, id, code};
        if (code == Code::DblClick && control) e.entry = EntryUnderPointer(control);
        return Answer(dlg, Deliver(dlg, *st, e));
    }
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_CLOSE) return Close(dlg, *st);
        return FALSE;
    case WM_CLOSE:
        return Close(dlg, *st);
    case WM_DESTROY:
        Deliver(dlg, *st, Event{Msg::Destroy});
        return FALSE;
    case WM_NCDESTROY:
        ReleaseState(dlg, *st);
        return FALSE;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) Deliver(dlg, *st, Event{Msg::Activate});
        return FALSE;  // the dialog manager still puts the focus back
    case WM_MENUSELECT:
        if (HIWORD(wp) == 0xFFFF && lp == 0) return FALSE;  // the menu closed
        Deliver(dlg, *st, Event{Msg::MenuSelect, LOWORD(wp)});
        return Answer(dlg, 0);
    case WM_CONTEXTMENU: {
        HWND clicked = reinterpret_cast<HWND>(wp);
        int id = clicked == dlg ? 0 : ControlId(DirectChild(dlg, clicked));
        Event e{Msg::ContextMenu, id, Code::None, LowSigned(lp), HighSigned(lp)};
        return Deliver(dlg, *st, e) ? Answer(dlg, 0) : FALSE;
    }
    case WM_SETCURSOR: {
        HWND over = reinterpret_cast<HWND>(wp);
        HWND child = over == dlg ? nullptr : DirectChild(dlg, over);
        int id = child ? ControlId(child) : -1;
        return Deliver(dlg, *st, Event{Msg::SetCursor, id}) ? Answer(dlg, TRUE) : FALSE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        return ControlColor(*st, msg, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_CTLCOLORDLG:
        return st->background ? reinterpret_cast<INT_PTR>(st->background) : FALSE;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (mis->CtlType != ODT_LISTBOX) return FALSE;
        MeasureListItem(dlg, mis);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (dis->CtlType != ODT_LISTBOX) return FALSE;
        DrawListItem(dlg, *st, dis);
        return TRUE;
    }
    case WM_SIZE:
        // Status bars place themselves at the bottom when told of a new size.
        for (auto& [id, kind] : st->kinds)
            if (kind == Kind::StatusBar) SendMessageA(GetDlgItem(dlg, id), WM_SIZE, 0, 0);
        if (wp != SIZE_MINIMIZED) LayoutAnchored(dlg, *st);
        return FALSE;
    case WM_GETMINMAXINFO:
        // The border's drag and maximising stop at the first size; the
        // default handling of a window position change with a sizing border
        // asks here too, so MoveWindow stops there as well.
        if (st->firstClient.cx >= 0) {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
            mmi->ptMinTrackSize.x = std::max<LONG>(mmi->ptMinTrackSize.x, st->minOuter.cx);
            mmi->ptMinTrackSize.y = std::max<LONG>(mmi->ptMinTrackSize.y, st->minOuter.cy);
            return Answer(dlg, 0);
        }
        return FALSE;
    default:
        // Private messages; the first three numbers are the dialog manager's
        // own (DM_GETDEFID, DM_SETDEFID, DM_REPOSITION).
        if (msg >= WM_USER + 3 && msg < 0xC000)
            return Answer(dlg, Deliver(dlg, *st, Event{Msg::User, static_cast<int>(msg)}));
        return FALSE;
    }
}

}  // namespace

void MapDialogUnits(HWND dlg, RECT& r) {
    DialogState* st = StateOf(dlg);
    if (!st || !st->scaledFont) {
        MapDialogRect(dlg, &r);
        return;
    }
    // The base units of the display's font, counted as the dialog manager counts them.
    HDC dc = GetDC(dlg);
    HGDIOBJ old = SelectObject(dc, st->scaledFont);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SIZE sz{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &sz);
    SelectObject(dc, old);
    ReleaseDC(dlg, dc);
    const int baseX = (sz.cx / 26 + 1) / 2, baseY = tm.tmHeight;
    r = RECT{MulDiv(r.left, baseX, 4), MulDiv(r.top, baseY, 8), MulDiv(r.right, baseX, 4),
             MulDiv(r.bottom, baseY, 8)};
}

HFONT DialogFont(HWND dlg) {
    DialogState* st = StateOf(dlg);
    if (st && st->scaledFont) return st->scaledFont;
    return reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
}

DialogState* StateOf(HWND dlg) {
    const auto& dialogs = Layer().dialogs;
    auto it = dialogs.find(dlg);
    return it == dialogs.end() ? nullptr : it->second;
}

HWND Item(Window dlg, int id) {
    HWND h = ToHwnd(dlg);
    if (id == 0) return h;
    return GetDlgItem(h, id);
}

Kind KindOf(Window dlg, int id) {
    if (DialogState* st = StateOf(ToHwnd(dlg))) {
        auto it = st->kinds.find(id);
        if (it != st->kinds.end()) return it->second;
    }
    char cls[32] = {};
    GetClassNameA(Item(dlg, id), cls, sizeof cls);
    if (!lstrcmpiA(cls, "ComboBox")) return Kind::DropList;
    if (!lstrcmpiA(cls, "ListBox")) return Kind::ListBox;
    if (!lstrcmpiA(cls, "Edit")) return Kind::Edit;
    if (!lstrcmpiA(cls, "Button")) return Kind::Button;
    if (!lstrcmpiA(cls, STATUSCLASSNAMEA)) return Kind::StatusBar;
    return Kind::Label;
}

bool CodeFromNative(Kind kind, bool fromControl, int native, Code& code) {
    if (native == kNativeNone) {
        code = Code::None;
        return true;
    }
    if (!fromControl && (native == 0 || native == 1)) {  // menu item or accelerator
        code = Code::Clicked;
        return true;
    }
    switch (kind) {
    case Kind::ListBox:
        switch (native) {
        case LBN_SELCHANGE: code = Code::SelChange; return true;
        case LBN_DBLCLK: code = Code::DblClick; return true;
        case LBN_SETFOCUS: code = Code::SetFocus; return true;
        case LBN_KILLFOCUS: code = Code::KillFocus; return true;
        }
        return false;
    case Kind::Edit:
        switch (native) {
        case EN_SETFOCUS: code = Code::SetFocus; return true;
        case EN_KILLFOCUS: code = Code::KillFocus; return true;
        case EN_CHANGE: code = Code::Change; return true;
        }
        return false;
    case Kind::DropList:
    case Kind::SimpleCombo:
        switch (native) {
        case CBN_SELCHANGE: code = Code::SelChange; return true;
        case CBN_DBLCLK: code = Code::DblClick; return true;
        case CBN_SETFOCUS: code = Code::SetFocus; return true;
        case CBN_KILLFOCUS: code = Code::KillFocus; return true;
        case CBN_EDITCHANGE: code = Code::Change; return true;
        }
        return false;
    default:  // buttons, check boxes, notifying labels
        if (native == BN_CLICKED) {
            code = Code::Clicked;
            return true;
        }
        return false;
    }
}

int NativeFromCode(Kind kind, Code code) {
    if (code == Code::None) return kNativeNone;
    switch (kind) {
    case Kind::ListBox:
        switch (code) {
        case Code::SelChange: return LBN_SELCHANGE;
        case Code::DblClick: return LBN_DBLCLK;
        case Code::SetFocus: return LBN_SETFOCUS;
        case Code::KillFocus: return LBN_KILLFOCUS;
        default: return kNativeNone;
        }
    case Kind::Edit:
        switch (code) {
        case Code::SetFocus: return EN_SETFOCUS;
        case Code::KillFocus: return EN_KILLFOCUS;
        case Code::Change: return EN_CHANGE;
        default: return kNativeNone;
        }
    case Kind::DropList:
    case Kind::SimpleCombo:
        switch (code) {
        case Code::SelChange: return CBN_SELCHANGE;
        case Code::DblClick: return CBN_DBLCLK;
        case Code::SetFocus: return CBN_SETFOCUS;
        case Code::KillFocus: return CBN_KILLFOCUS;
        case Code::Change: return CBN_EDITCHANGE;
        default: return kNativeNone;
        }
    default:
        return code == Code::Clicked ? BN_CLICKED : kNativeNone;
    }
}

}  // namespace plat::win32

namespace plat {
using namespace plat::win32;

int RunDialog(const DialogSpec& spec, const Callback& callback) {
    if (!Layer().commonControlsReady) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        Layer().commonControlsReady = true;
        InstallAcceleratorFilter();
    }
    DialogState st;
    st.callback = callback;
    st.spec = spec;
    std::vector<DWORD> tmpl = BuildTemplate(spec, DialogStyle(spec.frame));
    // A Unicode dialog, so that its caption can hold a path in any language
    // (the frame is drawn from WM_GETTEXT, which an ANSI dialog would answer
    // in the ANSI code page). Its controls are ANSI windows all the same.
    INT_PTR r = DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                        reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                        ToHwnd(spec.owner), DialogProc,
                                        reinterpret_cast<LPARAM>(&st));
    if (StateOf(st.hwnd) == &st) ReleaseState(st.hwnd, st);  // creation failed half-way
    return static_cast<int>(r);
}

void EndDialog(Window dlg, int result) { ::EndDialog(ToHwnd(dlg), result); }

void AddControl(Window dlg, const ControlSpec& spec) {
    DialogState* st = StateOf(ToHwnd(dlg));
    if (!st) return;
    CreateControl(ToHwnd(dlg), *st, spec);
}

int SendCommand(Window dlg, int id, Code code) {
    HWND control = id != 0 ? GetDlgItem(ToHwnd(dlg), id) : nullptr;
    int native = NativeFromCode(KindOf(dlg, id), code);
    if (!control && code == Code::Clicked) native = 0;
    return static_cast<int>(SendMessageA(ToHwnd(dlg), WM_COMMAND,
                                         MAKEWPARAM(static_cast<WORD>(id), native),
                                         reinterpret_cast<LPARAM>(control)));
}

int SendUser(Window dlg, int number) {
    return static_cast<int>(SendMessageA(ToHwnd(dlg), static_cast<UINT>(number), 0, 0));
}

int SendClose(Window dlg) {
    return static_cast<int>(SendMessageA(ToHwnd(dlg), WM_SYSCOMMAND, SC_CLOSE, 0));
}

}  // namespace plat

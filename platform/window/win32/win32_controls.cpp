// Child controls on Win32: creation from a ControlSpec and the access
// functions (texts, focus, check marks, colours, fonts, lists, status bars).
#include <algorithm>

#include "platform/window/anchored_layout.h"
#include "platform/window/win32/win32_internal.h"
#include "platform/files.h"

namespace plat::win32 {

namespace {

HWND CreateWindowOf(HWND dlg, DialogState& st, const ControlSpec& c) {
    DWORD style = WS_CHILD, ex = 0;
    // A control of no size (a button only there to take a command) is never
    // seen; kept hidden, it is not offered to a screen reader either.
    if (!(c.style & kHidden) && (c.kind == Kind::StatusBar || (c.rect.width > 0 && c.rect.height > 0)))
        style |= WS_VISIBLE;
    if (c.style & kTabStop) style |= WS_TABSTOP;
    if (c.style & kVScroll) style |= WS_VSCROLL;
    if (c.style & kClientEdge) ex |= WS_EX_CLIENTEDGE;
    if (c.style & kStaticEdge) ex |= WS_EX_STATICEDGE;
    const char* cls = "STATIC";
    switch (c.kind) {
    case Kind::Label:
        style |= (c.style & kCenter) ? SS_CENTER : SS_LEFT;
        if (c.style & kNotify) style |= SS_NOTIFY;
        if (c.style & kNoPrefix) style |= SS_NOPREFIX;
        break;
    case Kind::Edit:
        cls = "EDIT";
        style |= ES_LEFT;
        if (c.style & kAutoHScroll) style |= ES_AUTOHSCROLL;
        ex |= WS_EX_CLIENTEDGE;
        break;
    case Kind::ListBox:
        cls = "LISTBOX";
        if (c.style & kNotify) style |= LBS_NOTIFY;  // focus changes are reported anyway
        // Rows with tab stops are drawn here: right-aligned stops are not
        // honoured by every list box implementation.
        if (c.style & kUseTabStops) style |= LBS_USETABSTOPS | kKeptRowsStyle;
        if (c.style & kDisableNoScroll) style |= LBS_DISABLENOSCROLL;
        if (c.style & kNoIntegralHeight) style |= LBS_NOINTEGRALHEIGHT;
        break;
    case Kind::Button:
        cls = "BUTTON";
        style |= (c.style & kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if (c.style & kCenter) style |= BS_CENTER;
        break;
    case Kind::CheckBox:
        cls = "BUTTON";
        style |= BS_AUTOCHECKBOX;
        break;
    case Kind::DropList:
        cls = "COMBOBOX";
        style |= CBS_DROPDOWNLIST;
        if (c.style & kNoIntegralHeight) style |= CBS_NOINTEGRALHEIGHT;
        break;
    case Kind::SimpleCombo:
        cls = "COMBOBOX";
        style |= CBS_SIMPLE | CBS_AUTOHSCROLL;
        if (c.style & kNoIntegralHeight) style |= CBS_NOINTEGRALHEIGHT;
        break;
    case Kind::BlackFrame:
        style |= SS_BLACKFRAME;
        break;
    case Kind::Icon:
        style |= SS_ICON;
        break;
    case Kind::StatusBar: {
        // Places itself at the bottom of the client area; keeps its own font.
        HWND bar = CreateStatusWindowA(style & (WS_CHILD | WS_VISIBLE), c.text.c_str(), dlg,
                                       static_cast<UINT>(c.id));
        return bar;
    }
    }
    RECT r{c.rect.left, c.rect.top, c.rect.width, c.rect.height};
    if (st.spec.dialogUnits) {
        MapDialogUnits(dlg, r);  // maps each field like a template does
    } else {
        const RECT d = ToDevice(c.rect, WindowDpi(dlg));
        r = RECT{d.left, d.top, d.right - d.left, d.bottom - d.top};
    }
    const char* text = c.kind == Kind::Icon ? "" : c.text.c_str();
    HWND h = CreateWindowExA(ex, cls, text, style, r.left, r.top, r.right, r.bottom, dlg,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                             GetModuleHandleA(nullptr), nullptr);
    if (!h) return nullptr;
    if (c.kind == Kind::ListBox && (c.style & kUseTabStops)) KeepListRows(h);
    if ((st.spec.frame & kResizable) && (c.style & kLayoutBits)) {
        // Its rectangle as made: a list box has cut its height to whole rows
        // and grows from there, so that it never reaches below a frame made to surround it.
        RECT made{};
        ::GetWindowRect(h, &made);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&made), 2);
        st.anchored.push_back({h, made, c.style});
        LayoutAnchored(dlg, st);  // a control added to a grown dialog
    }
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dlg)), FALSE);
    // The dialog manager learns of default buttons only from templates.
    if (c.kind == Kind::Button && (c.style & kDefault)) SendMessageA(dlg, DM_SETDEFID, static_cast<WPARAM>(c.id), 0);
    return h;
}

}  // namespace

HWND CreateControl(HWND dlg, DialogState& st, const ControlSpec& c) {
    st.kinds[c.id] = c.kind;
    HWND h = CreateWindowOf(dlg, st, c);
    if (h) RegisterAccessible(h, st, c);
    return h;
}

void LayoutAnchored(HWND dlg, const DialogState& st) {
    if (st.firstClient.cx < 0 || st.anchored.empty()) return;
    RECT client{};
    GetClientRect(dlg, &client);
    // In display pixels throughout: at any DPI the controls move exactly as far as the border did.
    const int dw = client.right - st.firstClient.cx, dh = client.bottom - st.firstClient.cy;
    bool moved = false;
    for (const AnchoredControl& a : st.anchored) {
        const RECT& r = a.created;
        const Edges e = AnchoredEdges({r.left, r.top, r.right, r.bottom}, a.style, dw, dh);
        RECT now{};
        ::GetWindowRect(a.hwnd, &now);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&now), 2);
        if (Edges{now.left, now.top, now.right, now.bottom} == e) continue;
        SetWindowPos(a.hwnd, nullptr, e.left, e.top, e.right - e.left, e.bottom - e.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        moved = true;
    }
    // Drawn once, all of it: the controls' old places and their new ones.
    if (moved) RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

namespace {

bool IsCombo(Window dlg, int id) {
    Kind k = KindOf(dlg, id);
    return k == Kind::DropList || k == Kind::SimpleCombo;
}

LRESULT Send(Window dlg, int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return SendMessageA(Item(dlg, id), msg, wp, lp);
}

std::string WindowText(HWND h) {
    int n = GetWindowTextLengthA(h);
    if (n <= 0) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(h, s.data(), n + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
}

// An edit field's text as the user sees it: the edit control keeps its text
// in UTF-16 even in an ANSI window, so a pasted or typed character the code
// page lacks is still there.
std::string ShownText(HWND h) {
    int n = GetWindowTextLengthW(h);
    if (n <= 0) return {};
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(h, s.data(), n + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return FromWide(s);
}

bool HasEditField(Window dlg, int id) {
    const Kind k = KindOf(dlg, id);
    return k == Kind::Edit || k == Kind::SimpleCombo;
}

}  // namespace
}  // namespace plat::win32

namespace plat {
using namespace plat::win32;

void SetText(Window dlg, int id, const std::string& text) {
    if (id == 0) return SetCaptionText(ToHwnd(dlg), text);  // the caption is UTF-8 text
    // WM_SETTEXT on a single-line edit sends EN_CHANGE before it returns; a
    // combo box's edit field stays silent, so its change is reported here.
    SetWindowTextA(Item(dlg, id), text.c_str());
    if (id != 0 && KindOf(dlg, id) == Kind::SimpleCombo)
        SendMessageA(ToHwnd(dlg), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), CBN_EDITCHANGE),
                     reinterpret_cast<LPARAM>(Item(dlg, id)));
}

std::string GetText(Window dlg, int id) {
    if (id == 0) return CaptionText(ToHwnd(dlg));
    // "?" for a character the code page lacks, where the ANSI call could put a look-alike.
    if (HasEditField(dlg, id)) return AnsiFromUtf8(ShownText(Item(dlg, id)));
    return WindowText(Item(dlg, id));
}

std::vector<std::string> CharactersLostInAnsi(Window dlg, int id) {
    if (id == 0 || !HasEditField(dlg, id)) return {};
    return pantrium::files::CharactersNotInAnsi(ShownText(Item(dlg, id)));
}

void LimitText(Window dlg, int id, int chars) {
    Send(dlg, id, IsCombo(dlg, id) ? CB_LIMITTEXT : EM_LIMITTEXT, static_cast<WPARAM>(chars));
}

void SelectAllText(Window dlg, int id) {
    if (IsCombo(dlg, id))
        Send(dlg, id, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    else
        Send(dlg, id, EM_SETSEL, 0, -1);
}

void SetFocus(Window dlg, int id) {
    if (HWND h = Item(dlg, id)) ::SetFocus(h);
}

int GetFocus(Window dlg) {
    HWND d = ToHwnd(dlg), h = ::GetFocus();
    while (h && h != d) {
        HWND parent = GetParent(h);
        if (parent == d) return ControlId(h);
        h = parent;
    }
    return 0;
}

void ShowControl(Window dlg, int id, bool visible) {
    if (HWND h = Item(dlg, id)) ShowWindow(h, visible ? SW_SHOW : SW_HIDE);
}

bool IsVisible(Window dlg, int id) {
    HWND h = Item(dlg, id);
    return h && (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE);
}

void SetCheck(Window dlg, int id, bool checked) {
    Send(dlg, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool GetCheck(Window dlg, int id) { return Send(dlg, id, BM_GETCHECK) == BST_CHECKED; }

void SetDefaultButton(Window dlg, int id, bool isDefault) {
    Send(dlg, id, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    // Enter follows the look: it sends the id of the default button, else 1.
    HWND d = ToHwnd(dlg);
    auto current = static_cast<DWORD>(SendMessageA(d, DM_GETDEFID, 0, 0));
    bool isCurrent = HIWORD(current) == DC_HASDEFID && static_cast<short>(LOWORD(current)) == id;
    if (isDefault && !isCurrent) {
        SendMessageA(d, DM_SETDEFID, static_cast<WPARAM>(id), 0);
    } else if (!isDefault && isCurrent) {
        SendMessageA(d, DM_SETDEFID, 0, 0);
        Send(dlg, id, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
}

void SetColors(Window dlg, int id, int textRgb, int backRgb) {
    HWND d = ToHwnd(dlg);
    DialogState* st = StateOf(d);
    if (!st) return;
    if (id == 0) {  // the dialog's own background
        if (st->backgroundRgb == backRgb) return;
        if (st->background) DeleteObject(st->background);
        st->background = backRgb >= 0 ? CreateSolidBrush(static_cast<COLORREF>(backRgb)) : nullptr;
        st->backgroundRgb = backRgb;
        InvalidateRect(d, nullptr, TRUE);
        return;
    }
    ControlColors& c = st->colors[id];
    if (c.text == textRgb && c.back == backRgb && (backRgb < 0 || c.brush)) return;
    if (c.brush) DeleteObject(c.brush);
    c.text = textRgb;
    c.back = backRgb;
    c.brush = backRgb >= 0 ? CreateSolidBrush(static_cast<COLORREF>(backRgb)) : nullptr;
    InvalidateRect(Item(dlg, id), nullptr, TRUE);
}

void SetControlFont(Window dlg, int id, Font font) {
    Send(dlg, id, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
}

Font GetControlFont(Window dlg, int id) { return static_cast<Font>(Send(dlg, id, WM_GETFONT)); }

// ---- list box and combo box ------------------------------------------------

void ListReset(Window dlg, int id) { Send(dlg, id, IsCombo(dlg, id) ? CB_RESETCONTENT : LB_RESETCONTENT); }

int ListAdd(Window dlg, int id, const std::string& text) {
    auto lp = reinterpret_cast<LPARAM>(text.c_str());
    return static_cast<int>(Send(dlg, id, IsCombo(dlg, id) ? CB_ADDSTRING : LB_ADDSTRING, 0, lp));
}

void ListInsert(Window dlg, int id, int index, const std::string& text) {
    auto lp = reinterpret_cast<LPARAM>(text.c_str());
    Send(dlg, id, IsCombo(dlg, id) ? CB_INSERTSTRING : LB_INSERTSTRING, static_cast<WPARAM>(index), lp);
}

void ListDelete(Window dlg, int id, int index) {
    Send(dlg, id, IsCombo(dlg, id) ? CB_DELETESTRING : LB_DELETESTRING, static_cast<WPARAM>(index));
}

// A list box that draws while it is filled repaints its scroll bar for every
// entry: it is filled with its drawing off. A list with tab stops takes its
// rows at once (win32_list_rows.cpp); another one has its storage sized once.
void ListFill(Window dlg, int id, int count, const std::function<std::string(int)>& rowText) {
    if (IsCombo(dlg, id)) {
        ListReset(dlg, id);
        for (int i = 0; i < count; ++i) ListAdd(dlg, id, rowText(i));
        return;
    }
    HWND list = Item(dlg, id);
    const int top = ListTopIndex(dlg, id);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (!FillKeptRows(list, count, rowText)) {
        // About 48 bytes of text a row; only a hint, kept within what LPARAM holds everywhere.
        const long long textBytes = std::min(48LL * count, 0x7FFFFFFFLL);
        if (count > 0) SendMessageA(list, LB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(textBytes));
        for (int i = 0; i < count; ++i) {
            const std::string text = rowText(i);
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    if (count > 0) SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(std::min(top, count - 1)), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    // A new set of rows: readers ask for them again.
    NotifyWinEvent(EVENT_OBJECT_REORDER, list, OBJID_CLIENT, CHILDID_SELF);
}

void ListReplace(Window dlg, int id, int index, const std::string& text) {
    if (IsCombo(dlg, id)) {
        ListDelete(dlg, id, index);
        ListInsert(dlg, id, index, text);
        return;
    }
    HWND list = Item(dlg, id);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    AnnounceItem(list, index, true);
}

int ListCount(Window dlg, int id) {
    int n = static_cast<int>(Send(dlg, id, IsCombo(dlg, id) ? CB_GETCOUNT : LB_GETCOUNT));
    return n < 0 ? 0 : n;
}

std::string ListText(Window dlg, int id, int index) {
    bool combo = IsCombo(dlg, id);
    auto n = static_cast<int>(Send(dlg, id, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(index)));
    if (n <= 0) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = static_cast<int>(Send(dlg, id, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                              reinterpret_cast<LPARAM>(s.data())));
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
}

int ListGetSel(Window dlg, int id) {
    int s = static_cast<int>(Send(dlg, id, IsCombo(dlg, id) ? CB_GETCURSEL : LB_GETCURSEL));
    return s < 0 ? -1 : s;
}

void ListSetSel(Window dlg, int id, int index) {
    // LB_SETCURSEL and CB_SETCURSEL notify nobody.
    Send(dlg, id, IsCombo(dlg, id) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index));
}

int ListTopIndex(Window dlg, int id) {
    int t = static_cast<int>(Send(dlg, id, IsCombo(dlg, id) ? CB_GETTOPINDEX : LB_GETTOPINDEX));
    return t < 0 ? 0 : t;
}

void ListSetTopIndex(Window dlg, int id, int index) {
    Send(dlg, id, IsCombo(dlg, id) ? CB_SETTOPINDEX : LB_SETTOPINDEX, static_cast<WPARAM>(index));
}

int ListFindExact(Window dlg, int id, int startAfter, const std::string& text) {
    auto r = static_cast<int>(Send(dlg, id, IsCombo(dlg, id) ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT,
                                   static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text.c_str())));
    return r < 0 ? -1 : r;
}

void ListSetTabStops(Window dlg, int id, const std::vector<int>& stops) {
    std::vector<INT> native(stops.begin(), stops.end());
    Send(dlg, id, LB_SETTABSTOPS, native.size(), reinterpret_cast<LPARAM>(native.data()));
    if (DialogState* st = StateOf(ToHwnd(dlg))) st->tabStops[id] = stops;
    InvalidateRect(Item(dlg, id), nullptr, TRUE);
}

int ListItemFromPoint(Window dlg, int id, int screenX, int screenY) {
    if (KindOf(dlg, id) != Kind::ListBox) return -1;
    HWND list = Item(dlg, id);
    POINT pt{screenX, screenY};
    RECT client{};
    if (!list || !ScreenToClient(list, &pt) || !GetClientRect(list, &client) || !PtInRect(&client, pt)) return -1;
    // Not LB_ITEMFROMPOINT: its answer holds only 16 bits of the index. The
    // rows all have the list's one item height.
    const auto height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    if (height <= 0) return -1;
    const int index = ListTopIndex(dlg, id) + pt.y / height;
    RECT item{};
    if (SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) == LB_ERR ||
        !PtInRect(&item, pt))
        return -1;  // below the last entry
    return index;
}

Rect ListItemRect(Window dlg, int id, int index) {
    if (KindOf(dlg, id) != Kind::ListBox) return {};
    HWND list = Item(dlg, id);
    RECT item{};
    if (!list || index < 0 ||
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return {};
    POINT at{item.left, item.top};
    ClientToScreen(list, &at);
    return {at.x, at.y, item.right - item.left, item.bottom - item.top};
}

// ---- status bar ------------------------------------------------------------

void SetStatusParts(Window dlg, int id, const std::vector<int>& rightEdges) {
    std::vector<INT> edges;
    const int dpi = WindowDpi(ToHwnd(dlg));
    for (int edge : rightEdges) edges.push_back(edge < 0 ? edge : ToDevice(edge, dpi));
    Send(dlg, id, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void SetStatusText(Window dlg, int id, int part, const std::string& text) {
    // Drawing style 0: the default sunken part.
    Send(dlg, id, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
    AnnounceItem(Item(dlg, id), part, false);
}

std::string GetStatusText(Window dlg, int id, int part) {
    int n = LOWORD(Send(dlg, id, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part)));
    std::string s(static_cast<size_t>(n) + 1, '\0');
    Send(dlg, id, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(s.data()));
    s.resize(strlen(s.c_str()));
    return s;
}

}  // namespace plat

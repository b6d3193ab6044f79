// The rows of an owner-drawn list box with tab stops are kept here, not in
// the list box: a list box that stores its texts needs a second to take
// 100,000 of them under Wine, one call each. The list box is a no-data one
// (LBS_NODATA), which only counts its rows and so takes any number at once.
//
// A window procedure in front of the list box's own answers LB_GETTEXT and
// LB_GETTEXTLEN (and LB_FINDSTRINGEXACT) from the rows kept here, and keeps
// them in step with LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING and
// LB_RESETCONTENT. So the drawing code, the layer's list functions and a
// screen reader, which asks the list box for each row's text with these
// messages, read the rows as they did when the list box stored them. The
// style word keeps saying LBS_HASSTRINGS for the same readers: accessibility
// proxies and the system's Unicode translation of LB_GETTEXT look at it. The
// list box itself read its style once, when it was created.
#include <cstring>

#include "platform/window/win32/win32_state.h"

namespace plat::win32 {
namespace {

bool ValidIndex(const KeptRows& rows, WPARAM index) { return index < rows.texts.size(); }

// The first row after startAfter (from the top when it is -1, wrapping
// around) whose text equals text, case ignored as the list box does.
LRESULT FindExact(const KeptRows& rows, WPARAM startAfter, const char* text) {
    const auto n = static_cast<int>(rows.texts.size());
    const int from = static_cast<int>(startAfter) < 0 || static_cast<int>(startAfter) >= n
                         ? 0
                         : static_cast<int>(startAfter) + 1;
    for (int i = 0; i < n; ++i) {
        const int at = (from + i) % n;
        if (lstrcmpiA(rows.texts[static_cast<size_t>(at)].c_str(), text) == 0) return at;
    }
    return LB_ERR;
}

LRESULT CALLBACK RowsProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto& keptRows = Layer().keptRows;
    auto it = keptRows.find(h);
    if (it == keptRows.end()) return DefWindowProcA(h, msg, wp, lp);
    KeptRows& rows = it->second;
    const WNDPROC original = rows.original;
    switch (msg) {
    case LB_GETTEXTLEN:
        return ValidIndex(rows, wp) ? static_cast<LRESULT>(rows.texts[wp].size()) : LB_ERR;
    case LB_GETTEXT: {
        if (!ValidIndex(rows, wp) || !lp) return LB_ERR;
        const std::string& text = rows.texts[wp];
        std::memcpy(reinterpret_cast<char*>(lp), text.c_str(), text.size() + 1);
        return static_cast<LRESULT>(text.size());
    }
    case LB_FINDSTRINGEXACT:
        return lp ? FindExact(rows, wp, reinterpret_cast<const char*>(lp)) : LB_ERR;
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const std::string text = lp ? reinterpret_cast<const char*>(lp) : "";
        const LRESULT at = CallWindowProcA(original, h, msg, wp, 0);
        if (at >= 0 && static_cast<size_t>(at) <= rows.texts.size())
            rows.texts.insert(rows.texts.begin() + at, text);
        return at;
    }
    case LB_DELETESTRING: {
        const LRESULT left = CallWindowProcA(original, h, msg, wp, lp);
        if (left != LB_ERR && ValidIndex(rows, wp)) rows.texts.erase(rows.texts.begin() + static_cast<long>(wp));
        return left;
    }
    case LB_RESETCONTENT:
        rows.texts.clear();
        break;
    case WM_VSCROLL:
        // The scroll box's position in the message has 16 bits: past the
        // 65,536th row a list box taking it from there jumps back when the
        // box is let go. The scroll bar's own tracking position has 32.
        if (LOWORD(wp) == SB_THUMBTRACK || LOWORD(wp) == SB_THUMBPOSITION) {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            if (GetScrollInfo(h, SB_VERT, &info)) {
                CallWindowProcA(original, h, LB_SETTOPINDEX, static_cast<WPARAM>(info.nTrackPos), 0);
                return 0;
            }
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        keptRows.erase(it);
        break;
    }
    return CallWindowProcA(original, h, msg, wp, lp);
}

}  // namespace

void KeepListRows(HWND list) {
    auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RowsProc)));
    Layer().keptRows[list] = KeptRows{original, {}};
    SetWindowLongA(list, GWL_STYLE, GetWindowLongA(list, GWL_STYLE) | LBS_HASSTRINGS);
}

bool FillKeptRows(HWND list, int count, const std::function<std::string(int)>& rowText) {
    auto& keptRows = Layer().keptRows;
    auto it = keptRows.find(list);
    if (it == keptRows.end()) return false;
    std::vector<std::string>& texts = it->second.texts;
    texts.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) texts[static_cast<size_t>(i)] = rowText(i);
    if (SendMessageA(list, LB_SETCOUNT, static_cast<WPARAM>(count), 0) < 0) texts.clear();  // no room
    return true;
}

}  // namespace plat::win32

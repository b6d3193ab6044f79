// Owner-drawn rows of list boxes with tab stops. Each row is split at its
// tab characters; a field after the n-th tab starts at stop n, or, for a
// negative (right-aligned) stop, ends at its magnitude. Stops are in dialog
// template units: a quarter of the average character width of the list's font.
#include <algorithm>

#include "platform/window/win32/win32_internal.h"

namespace plat::win32 {
namespace {

constexpr int kDefaultStopUnits = 32;  // the list box's spacing when no stops are set

HFONT ListFont(HWND list) { return reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)); }

// Average character width the way dialog units count it: the alphabet's width / 52, rounded.
int AverageCharWidth(HDC dc) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE sz{};
    GetTextExtentPoint32A(dc, kAlphabet, 52, &sz);
    return (sz.cx / 26 + 1) / 2;
}

// Away from 96 dpi the stops keep their 96-dpi places, scaled, under the
// header labels: they count in the font's average width at 96 dpi, a whole
// number, since the display's font need not be exactly DPI / 96 times as wide.
int LayoutCharWidth(HWND list, HDC dc) { return ToLayer(AverageCharWidth(dc), WindowDpi(list)); }

}  // namespace

int TabStopPixels(HWND list, int units) {
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, ListFont(list) ? ListFont(list) : GetStockObject(SYSTEM_FONT));
    const int dpi = WindowDpi(list);
    int avg = dpi == kLayoutDpi ? AverageCharWidth(dc) : LayoutCharWidth(list, dc);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    return ToDevice(MulDiv(units, avg, 4), dpi);
}

void MeasureListItem(HWND dlg, MEASUREITEMSTRUCT* mis) {
    // Sent while the list is created, before it has a font: the dialog's font
    // is the one it will get.
    HFONT font = DialogFont(dlg);
    HDC dc = GetDC(dlg);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(dlg, dc);
    mis->itemHeight = static_cast<UINT>(tm.tmHeight > 0 ? tm.tmHeight : 13);
}

void DrawListItem(HWND /*dlg*/, const DialogState& st, const DRAWITEMSTRUCT* dis) {
    HDC dc = dis->hDC;
    RECT rc = dis->rcItem;
    if (dis->itemID == static_cast<UINT>(-1) || dis->itemAction == ODA_FOCUS) {
        DrawFocusRect(dc, &rc);  // the focus mark alone (XOR: drawing twice removes it)
        return;
    }
    HWND list = dis->hwndItem;
    bool selected = dis->itemState & ODS_SELECTED;
    int back = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    int fore = (dis->itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
               : selected                      ? COLOR_HIGHLIGHTTEXT
                                               : COLOR_WINDOWTEXT;
    FillRect(dc, &rc, GetSysColorBrush(back));

    auto len = static_cast<int>(SendMessageA(list, LB_GETTEXTLEN, dis->itemID, 0));
    std::string text(len > 0 ? static_cast<size_t>(len) + 1 : 1, '\0');
    if (len > 0) SendMessageA(list, LB_GETTEXT, dis->itemID, reinterpret_cast<LPARAM>(text.data()));
    text.resize(strlen(text.c_str()));

    HFONT font = ListFont(list);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    COLORREF oldText = SetTextColor(dc, GetSysColor(fore));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    const int dpi = WindowDpi(list);
    const int avg = dpi == kLayoutDpi ? AverageCharWidth(dc) : LayoutCharWidth(list, dc);
    auto px = [avg, dpi](int units) { return ToDevice(MulDiv(units, avg, 4), dpi); };

    std::vector<int> stops;
    if (auto it = st.tabStops.find(ControlId(list)); it != st.tabStops.end()) stops = it->second;

    int x = rc.left + 1;  // the list box's own text margin
    int lastStop = 0;
    size_t start = 0;
    for (size_t field = 0;; ++field) {
        size_t end = text.find('\t', start);
        std::string piece = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        SIZE sz{};
        GetTextExtentPoint32A(dc, piece.c_str(), static_cast<int>(piece.size()), &sz);
        int at = x;
        if (field > 0) {
            int stop;
            if (field - 1 < stops.size()) {
                stop = stops[field - 1];
            } else {  // past the given stops: the next multiple of the default spacing
                stop = (std::abs(lastStop) / kDefaultStopUnits + 1) * kDefaultStopUnits;
            }
            lastStop = stop;
            at = stop >= 0 ? rc.left + px(stop) : rc.left + px(-stop) - sz.cx;
            at = std::max(at, x);  // never draw over the field before
        }
        ExtTextOutA(dc, at, rc.top, ETO_CLIPPED, &rc, piece.c_str(), static_cast<UINT>(piece.size()), nullptr);
        x = at + sz.cx;
        if (end == std::string::npos) break;
        start = end + 1;
    }

    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldText);
    if (oldFont) SelectObject(dc, oldFont);
    if (dis->itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

}  // namespace plat::win32

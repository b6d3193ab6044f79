// Display scaling. The layer's pixels are those of a 96-dpi display: the
// layouts, text widths and font heights the program works with. The program is
// per-monitor DPI aware (see its manifest), so Windows does not stretch its
// windows; these helpers turn layer pixels into the display's pixels (times
// DPI / 96) and back. At 96 dpi every value stays exactly as it is.
#include "platform/window/win32/win32_internal.h"

#include <cstdlib>

namespace plat::win32 {

int SystemDpi() {
    // Fixed for the life of a DPI-aware process.
    static const int dpi = [] {
        HDC dc = GetDC(nullptr);
        int d = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
        if (dc) ReleaseDC(nullptr, dc);
        return d > 0 ? d : kLayoutDpi;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    // GetDpiForWindow exists from Windows 10 1607 on; before, one DPI serves all monitors.
    using DpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    int dpi = (dpiForWindow && window) ? static_cast<int>(dpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

int ToDevice(int layerPixels, int dpi) { return MulDiv(layerPixels, dpi, kLayoutDpi); }

int ToLayer(int devicePixels, int dpi) { return MulDiv(devicePixels, kLayoutDpi, dpi); }

int ToLayerCeil(int devicePixels, int dpi) {
    // A measured extent rounds up, so that what fits on the display still fits after scaling back.
    return devicePixels <= 0 ? ToLayer(devicePixels, dpi) : (devicePixels * kLayoutDpi + dpi - 1) / dpi;
}

RECT ToDevice(const Rect& r, int dpi) {
    // Edges, not sizes, so that neighbouring controls still meet.
    return RECT{ToDevice(r.left, dpi), ToDevice(r.top, dpi), ToDevice(r.left + r.width, dpi),
                ToDevice(r.top + r.height, dpi)};
}

Rect ToLayer(const RECT& r, int dpi) {
    int left = ToLayer(r.left, dpi), top = ToLayer(r.top, dpi);
    return Rect{left, top, ToLayer(r.right, dpi) - left, ToLayer(r.bottom, dpi) - top};
}

namespace {

// Whether the font came with the face asked for and at the height asked for
// (a bitmap face has a few sizes only and gives the nearest one).
bool FontFits(HFONT font, const char* face, int height) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    char got[LF_FACESIZE] = {};
    GetTextMetricsA(dc, &tm);
    GetTextFaceA(dc, LF_FACESIZE, got);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int size = height < 0 ? tm.tmHeight - tm.tmInternalLeading : tm.tmHeight;
    return lstrcmpiA(got, face) == 0 && std::abs(size - std::abs(height)) <= 1;
}

}  // namespace

HFONT CreateDisplayFont(int height, int weight, bool italic, bool underline, bool strikeOut,
                        const std::string& face) {
    // MS Sans Serif is a bitmap face with sizes for 96 and 120 dpi; its
    // TrueType twin, else Tahoma, takes its place where it has no such size.
    const char* const faces[] = {face.c_str(), "Microsoft Sans Serif", "Tahoma"};
    for (const char* f : faces) {
        HFONT font = CreateFontA(height, 0, 0, 0, weight, italic, underline, strikeOut, ANSI_CHARSET,
                                 OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, f);
        if (font && FontFits(font, f, height)) return font;
        if (font) DeleteObject(font);
    }
    return CreateFontA(height, 0, 0, 0, weight, italic, underline, strikeOut, ANSI_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
}

}  // namespace plat::win32

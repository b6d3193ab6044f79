#include "tests/windows/font_guard.h"

namespace fontguard {

namespace {

struct Resolved {
    std::string face;
    TEXTMETRICA metrics = {};
};

Resolved Resolve(HFONT font) {
    Resolved r;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    r.face = face;
    GetTextMetricsA(dc, &r.metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return r;
}

void Expect(std::vector<std::string>& faults, const std::string& what, long actual, long expected) {
    if (actual != expected)
        faults.push_back(what + " " + std::to_string(actual) + ", expected " + std::to_string(expected));
}

}  // namespace

std::vector<std::string> DialogFontFaults(HFONT dialogFont) {
    std::vector<std::string> faults;
    if (!dialogFont) return {"the dialog has no font"};
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    Expect(faults, "screen dpi", dpi, 96);

    const Resolved r = Resolve(dialogFont);
    if (r.face != "MS Sans Serif") faults.push_back("dialog face \"" + r.face + "\", expected \"MS Sans Serif\"");
    // Wine's sserife.fon at 8 point: the 13-pixel bitmap face.
    Expect(faults, "dialog font height", r.metrics.tmHeight, 13);
    Expect(faults, "dialog font ascent", r.metrics.tmAscent, 11);
    Expect(faults, "dialog font average character width", r.metrics.tmAveCharWidth, 5);
    Expect(faults, "dialog font maximum character width", r.metrics.tmMaxCharWidth, 11);
    if (r.metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE))
        faults.push_back("dialog font is a scalable face, expected the bitmap face");
    return faults;
}

std::vector<std::string> MarlettFaults() {
    std::vector<std::string> faults;
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett");
    if (!font) return {"Marlett cannot be created"};
    const Resolved r = Resolve(font);
    DeleteObject(font);
    if (r.face != "Marlett") faults.push_back("caption button face \"" + r.face + "\", expected \"Marlett\"");
    Expect(faults, "caption button font character set", r.metrics.tmCharSet, SYMBOL_CHARSET);
    return faults;
}

}  // namespace fontguard

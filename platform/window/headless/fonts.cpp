// Fonts and the fixed text metrics of the headless layer (headless_metrics.h).
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "platform/window/headless/headless_metrics.h"
#include "platform/window/headless/state.h"

namespace headless::detail {
namespace {

bool IsCourier(const std::string& face) {
    static const char kCourier[] = "courier new";
    if (face.size() != std::strlen(kCourier)) return false;
    for (size_t i = 0; i < face.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(face[i])) != kCourier[i]) return false;
    return true;
}

// The font a measurement uses; font 0 and unknown handles fall back to the
// default dialog font, a deleted one is a fault of the caller.
plat::FontSpec SpecFor(plat::Font font) {
    auto it = S().fonts.find(font);
    if (font != 0 && it != S().fonts.end()) {
        if (it->second.deleted) Fail("text measured with a deleted font");
        return it->second.spec;
    }
    return S().fonts[DialogFont("MS Sans Serif", 8)].spec;
}

int AbsHeight(int height) {
    int h = std::abs(height);
    return h == 0 ? metrics::kDefaultFontHeight : h;
}

int HeightOf(const plat::FontSpec& spec) {
    return spec.height < 0 ? -spec.height + 2 : AbsHeight(spec.height);
}

}  // namespace

plat::Font DialogFont(const std::string& face, int points) {
    auto key = std::pair{face, points};
    auto it = S().dialogFonts.find(key);
    if (it != S().dialogFonts.end()) return it->second;
    plat::Font handle = NewHandle();
    FontInfo info;
    info.spec.face = face;
    info.spec.height = -((points * metrics::kScreenDpi + 36) / 72);
    info.spec.weight = 400;
    info.stock = true;
    S().fonts[handle] = info;
    S().dialogFonts[key] = handle;
    return handle;
}

int CharWidth(const std::string& face, int height, int weight, unsigned char c) {
    int h = AbsHeight(height);
    int w;
    if (IsCourier(face)) {
        w = 6 * h / 10;
    } else {
        int a = (6 * h + 5) / 11;
        if (std::strchr("iIljtfr.,:;'!| ", c) && c != 0)
            w = a / 2 > 0 ? a / 2 : 1;
        else if (std::strchr("WMmw@%", c) && c != 0)
            w = a + a / 2;
        else
            w = a;
    }
    return weight >= 700 ? w + 1 : w;
}

int TextWidth(const std::string& face, int height, int weight, const std::string& text) {
    int width = 0;
    for (unsigned char c : text) width += CharWidth(face, height, weight, c);
    return width;
}

int TextHeight(plat::Font font) {
    return HeightOf(SpecFor(font));
}

}  // namespace headless::detail

namespace plat {
using namespace headless::detail;

Font CreateFont(const FontSpec& spec) {
    Font handle = NewHandle();
    FontInfo info;
    info.spec = spec;
    S().fonts[handle] = info;
    return handle;
}

void DeleteFont(Font font) {
    auto it = S().fonts.find(font);
    if (font == 0 || it == S().fonts.end() || it->second.stock) return;
    if (it->second.deleted) {
        Fail("font deleted twice");
        return;
    }
    it->second.deleted = true;
}

Size MeasureText(Font font, const std::string& text) {
    FontSpec spec = SpecFor(font);
    return {TextWidth(spec.face, spec.height, spec.weight, text), HeightOf(spec)};
}

int FitCharacters(Font font, const std::string& text, int maxWidth) {
    FontSpec spec = SpecFor(font);
    int width = 0, fit = 0;
    for (unsigned char c : text) {
        width += CharWidth(spec.face, spec.height, spec.weight, c);
        if (width > maxWidth) break;
        ++fit;
    }
    return fit;
}

int ScreenDpiY() { return headless::metrics::kScreenDpi; }

}  // namespace plat

namespace headless {

int LiveFonts() {
    int live = 0;
    for (auto& [handle, info] : detail::S().fonts)
        if (!info.stock && !info.deleted) ++live;
    return live;
}

}  // namespace headless

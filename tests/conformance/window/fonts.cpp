// window.h's fonts and text: a font made, measured in 96-dpi pixels, the
// characters that fit, the dialog font the controls report until given their own.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "fonts and text";

CONFORMANCE_CASE(kSection, "MeasureText and FitCharacters agree") {
    CheckEq(ScreenDpiY(), 96, "the layer's pixels are 96-dpi pixels");
    Font f = CreateFont(FontSpec{"MS Sans Serif", -(8 * ScreenDpiY() + 36) / 72, 400});
    Check(f != 0, "CreateFont");
    Size abc = MeasureText(f, "abc");
    std::string height = "an 8-point line is 11 to 16 pixels high: ";
    height += std::to_string(abc.cy);
    Check(abc.cx > 0 && abc.cy >= 11 && abc.cy <= 16, height);
    CheckEq(FitCharacters(f, "abcdef", abc.cx), 3, "FitCharacters agrees with MeasureText");
    CheckEq(FitCharacters(f, "abcdef", abc.cx - 1), 2, "FitCharacters stops before a partial character");
    CheckEq(FitCharacters(f, "", 100), 0, "nothing fits of an empty text");
    Check(MeasureText(f, "abcabc").cx > abc.cx, "a longer text measures wider");
    Font bold = CreateFont(FontSpec{"MS Sans Serif", -11, 700});
    Check(bold != 0 && bold != f, "a bold font is another font");
    Check(MeasureText(bold, "abc").cy >= abc.cy - 1, "and as high");
    DeleteFont(bold);
    DeleteFont(f);
}

CONFORMANCE_CASE(kSection, "controls report the dialog font until given their own") {
    Font f = CreateFont(FontSpec{"MS Sans Serif", -13, 0, false, true});
    RunShown(MainSpec(), [f](Window dlg) {
        Font dialogFont = GetControlFont(dlg, kEdit);
        Check(dialogFont != 0, "controls carry the dialog font");
        CheckEq(GetControlFont(dlg, kLink), dialogFont, "every control the same");
        Size x = MeasureText(dialogFont, "x");
        Check(x.cx > 0 && x.cy > 0, "the dialog font measures");
        SetControlFont(dlg, kLink, f);
        CheckEq(GetControlFont(dlg, kLink), f, "SetControlFont / GetControlFont");
        CheckEq(GetControlFont(dlg, kEdit), dialogFont, "the other controls keep the dialog font");
    });
    DeleteFont(f);
}

}  // namespace
}  // namespace window

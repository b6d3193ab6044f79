// Fonts and text metrics of the headless layer.
#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using conformance::Check;
using conformance::CheckEq;

namespace fonts_model {


CONFORMANCE_CASE("fonts and text", "headless model: Fonts.MetricsAreFixedAndFitCharactersCountsWhatFits") {
    InFreshLayer([&] {
        Font font = CreateFont({"MS Sans Serif", -11, 400});
        CheckEq(MeasureText(font, "Milk"), (Size{9 + 3 + 3 + 6, 13}), R"chk(MeasureText(font, "Milk") == (Size{9 + 3 + 3 + 6, 13}))chk");
        CheckEq(MeasureText(0, "Milk"), MeasureText(font, "Milk"), R"chk(MeasureText(0, "Milk") == MeasureText(font, "Milk"))chk");  // 0 = the dialog font
        CheckEq(FitCharacters(font, "Milk", 15), 3, R"chk(FitCharacters(font, "Milk", 15) == 3)chk");
        CheckEq(FitCharacters(font, "Milk", 14), 2, R"chk(FitCharacters(font, "Milk", 14) == 2)chk");
        CheckEq(FitCharacters(font, "", 100), 0, R"chk(FitCharacters(font, "", 100) == 0)chk");
        Font bold = CreateFont({"MS Sans Serif", -13, 700});
        CheckEq(MeasureText(bold, "ab").cx, 2 * (7 + 1), R"chk(MeasureText(bold, "ab").cx == 2 * (7 + 1))chk");
        CheckEq(MeasureText(CreateFont({"Courier New", -10, 0}), "iW").cx, 12, R"chk(MeasureText(CreateFont({"Courier New", -10, 0}), "iW").cx == 12)chk");
        CheckEq(headless::LiveFonts(), 3, R"chk(headless::LiveFonts() == 3)chk");
        DeleteFont(font);
        DeleteFont(bold);
        CheckEq(headless::LiveFonts(), 1, R"chk(headless::LiveFonts() == 1)chk");
        CheckEq(ScreenDpiY(), 96, R"chk(ScreenDpiY() == 96)chk");
    });
}

CONFORMANCE_CASE("fonts and text", "headless model: Fonts.ControlsReportTheDialogFontUntilGivenTheirOwn") {
    InFreshLayer([&] {
        DialogSpec spec;
        spec.caption = "Fonts";
        spec.controls = {{301, Kind::Label, "link", {0, 0, 50, 12}, kNotify}};
        Font link = CreateFont({"MS Sans Serif", -13, 0, false, true});
        headless::Then([link] {
            Window dlg = headless::ActiveDialog();
            Font dialogFont = GetControlFont(dlg, 301);
            Check(dialogFont != 0u, R"chk(dialogFont != 0u)chk");
            CheckEq(MeasureText(dialogFont, "x"), (Size{6, 13}), R"chk(MeasureText(dialogFont, "x") == (Size{6, 13}))chk");
            SetControlFont(dlg, 301, link);
            CheckEq(GetControlFont(dlg, 301), link, R"chk(GetControlFont(dlg, 301) == link)chk");
            EndDialog(dlg, 1);
        });
        RunDialog(spec, nullptr);
        CheckEq(headless::LiveFonts(), 1, R"chk(headless::LiveFonts() == 1)chk");  // the dialog font is the layer's own
    });
}

CONFORMANCE_CASE("fonts and text", "headless model: Fonts.DeletingTwiceOrMeasuringADeletedFontIsAFailure") {
    InFreshLayer([&] {
        Font font = CreateFont({"MS Sans Serif", -11, 400});
        DeleteFont(font);
        MeasureText(font, "x");
        DeleteFont(font);
        CheckEq(headless::TakeFailures(), (std::vector<std::string>{"text measured with a deleted font", "font deleted twice"}), R"chk(headless::TakeFailures() == (std::vector<std::string>{"text measured with a deleted font", "font deleted twice"}))chk");
    });
}

}  // namespace fonts_model

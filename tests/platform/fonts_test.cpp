// Fonts and text metrics of the headless layer.
#include "headless_fixture.h"

using namespace plat;

using Fonts = HeadlessTest;

TEST_F(Fonts, MetricsAreFixedAndFitCharactersCountsWhatFits) {
    Font font = CreateFont({"MS Sans Serif", -11, 400});
    EXPECT_EQ(MeasureText(font, "Milk"), (Size{9 + 3 + 3 + 6, 13}));
    EXPECT_EQ(MeasureText(0, "Milk"), MeasureText(font, "Milk"));  // 0 = the dialog font
    EXPECT_EQ(FitCharacters(font, "Milk", 15), 3);
    EXPECT_EQ(FitCharacters(font, "Milk", 14), 2);
    EXPECT_EQ(FitCharacters(font, "", 100), 0);
    Font bold = CreateFont({"MS Sans Serif", -13, 700});
    EXPECT_EQ(MeasureText(bold, "ab").cx, 2 * (7 + 1));
    EXPECT_EQ(MeasureText(CreateFont({"Courier New", -10, 0}), "iW").cx, 12);
    EXPECT_EQ(headless::LiveFonts(), 3);
    DeleteFont(font);
    DeleteFont(bold);
    EXPECT_EQ(headless::LiveFonts(), 1);
    EXPECT_EQ(ScreenDpiY(), 96);
}

TEST_F(Fonts, ControlsReportTheDialogFontUntilGivenTheirOwn) {
    DialogSpec spec;
    spec.caption = "Fonts";
    spec.controls = {{301, Kind::Label, "link", {0, 0, 50, 12}, kNotify}};
    Font link = CreateFont({"MS Sans Serif", -13, 0, false, true});
    headless::Then([link] {
        Window dlg = headless::ActiveDialog();
        Font dialogFont = GetControlFont(dlg, 301);
        EXPECT_NE(dialogFont, 0u);
        EXPECT_EQ(MeasureText(dialogFont, "x"), (Size{6, 13}));
        SetControlFont(dlg, 301, link);
        EXPECT_EQ(GetControlFont(dlg, 301), link);
        EndDialog(dlg, 1);
    });
    RunDialog(spec, nullptr);
    EXPECT_EQ(headless::LiveFonts(), 1);  // the dialog font is the layer's own
}

TEST_F(Fonts, DeletingTwiceOrMeasuringADeletedFontIsAFailure) {
    Font font = CreateFont({"MS Sans Serif", -11, 400});
    DeleteFont(font);
    MeasureText(font, "x");
    DeleteFont(font);
    EXPECT_EQ(headless::TakeFailures(),
              (std::vector<std::string>{"text measured with a deleted font", "font deleted twice"}));
}

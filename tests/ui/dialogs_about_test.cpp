// The About box and the styled fonts.
#include <gtest/gtest.h>

#include "dialogs_test_support.h"
#include "ui/dialogs/about_box.h"

namespace pantrium::test {
namespace {

using script::Click;
using script::Hover;
using script::Then;

class AboutBoxTest : public UiTest {};

TEST_F(AboutBoxTest, LayoutTextsAndLinkLook) {
    Then([] {
        const plat::Window dlg = script::ActiveDialog();
        const plat::DialogSpec& spec = drivers::SpecOf(dlg);
        EXPECT_EQ(spec.caption, "About My Pantrium");
        EXPECT_TRUE(spec.dialogUnits);
        EXPECT_EQ(spec.width, 200);
        EXPECT_EQ(spec.height, 140);
        ASSERT_EQ(spec.controls.size(), 5u);
        EXPECT_EQ(spec.controls[0].kind, plat::Kind::Icon);
        EXPECT_EQ(drivers::ControlImage(dlg, spec.controls[0].id), "GROCERY");
        EXPECT_LT(spec.controls[0].id, 301);
        EXPECT_EQ(spec.controls[1].text.substr(0, 15), "Pantrium 1.50\r\n");
        EXPECT_EQ(spec.controls[1].rect, (plat::Rect{50, 10, 140, 35}));
        for (int id : {301, 302}) {
            EXPECT_LE(plat::GetText(dlg, id).size(), 63u);
            EXPECT_EQ(drivers::ControlColors(dlg, id), (std::pair{0xFF0000, -1}));
            EXPECT_TRUE(drivers::ControlStyle(dlg, id) & plat::kNotify);
            // The link font: 10 points, 13 pixels high.
            EXPECT_EQ(plat::MeasureText(plat::GetControlFont(dlg, id), "a").cy, 15);
        }
        // Dialog units: 50 x 50 is 75 x 81 pixels.
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 301), (plat::Rect{75, 81, 210, 20}));
    });
    Click(1);
    ShowAboutBox(0);
    EXPECT_EQ(drivers::LiveFonts(), 0);  // the link font went with the dialog
}

TEST_F(AboutBoxTest, LinksOpenMailAndWebWithoutClosingTheBox) {
    Click(301);
    Then([] { EXPECT_EQ(drivers::CurrentCursor(), plat::Cursor::Wait); });
    Click(302);
    Then([] {
        const plat::Window dlg = script::ActiveDialog();
        ASSERT_EQ(drivers::ShellOpens().size(), 2u);
        EXPECT_EQ(drivers::ShellOpens()[0],
                  (std::pair<std::string, bool>{"mailto:" + plat::GetText(dlg, 301) + "?", false}));
        EXPECT_EQ(drivers::ShellOpens()[1],
                  (std::pair<std::string, bool>{plat::GetText(dlg, 302), true}));
    });
    script::KeyDown(plat::kVkEscape);
    ShowAboutBox(0);
    EXPECT_EQ(drivers::ShellOpens()[0].first, "mailto:pantrium@example.org?");
    EXPECT_EQ(drivers::DialogsRun().size(), 1u);
}

TEST_F(AboutBoxTest, OnlyTheLinksShowTheHand) {
    auto expectCursor = [](plat::Cursor c) {
        Then([c] { EXPECT_EQ(drivers::CurrentCursor(), c); });
    };
    Hover(301);
    expectCursor(plat::Cursor::Hand);
    Hover(1);
    expectCursor(plat::Cursor::Arrow);
    Hover(302);
    expectCursor(plat::Cursor::Hand);
    Hover(-1);
    expectCursor(plat::Cursor::Arrow);
    Hover(300);  // the icon
    expectCursor(plat::Cursor::Arrow);
    script::CloseBox();
    ShowAboutBox(0);
}

TEST_F(AboutBoxTest, StyledFontLetters) {
    // 10 points at 96 dots per inch: height -13, "a" 7 pixels wide, 8 in bold.
    struct Case { const char* style; int width; };
    for (const Case& c : {Case{"", 7}, Case{"u", 7}, Case{"B", 8}, Case{"xIbU", 8}}) {
        const plat::Font f = CreateStyledFont("MS Sans Serif", 10, c.style);
        EXPECT_EQ(plat::MeasureText(f, "a"), (plat::Size{c.width, 15})) << c.style;
        plat::DeleteFont(f);
    }
    EXPECT_EQ(drivers::LiveFonts(), 0);
}

}  // namespace
}  // namespace pantrium::test

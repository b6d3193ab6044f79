// MessageBoxEx geometry, buttons and answers, and the standard prompt.
#include <gtest/gtest.h>

#include "drivers/script.h"
#include "platform/window/headless/headless_metrics.h"
#include "ui/dialogs/message_box.h"

namespace pantrium {
namespace {

using script::Then;

// The measuring font is 8 points at 96 dpi, 10 px high (truncated): most
// letters are 5 px wide in the headless metrics, "l" 2 px.
constexpr int kLetter = 5;

class MessageBox : public ::testing::Test {
protected:
    void SetUp() override { script::Reset(); }
    void TearDown() override {
        EXPECT_TRUE(script::Failures().empty());
        EXPECT_EQ(script::UnusedScript(), 0);
        EXPECT_EQ(drivers::LiveFonts(), 0);  // the measuring font is deleted
    }
    // Checks the open box, then presses its button.
    static void CheckThenClick(std::function<void(plat::Window)> check, int button) {
        Then([check] { check(script::ActiveDialog()); });
        script::Click(button);
    }
};

TEST_F(MessageBox, OneLineWithIconIsTheMinimumBoxCentredOnTheWorkArea) {
    CheckThenClick(
        [](plat::Window dlg) {
            EXPECT_EQ(plat::GetCaption(dlg), "Units History");
            EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 9990), (plat::Rect{50, 5, 3 * kLetter + 2 * 2, 15}));
            EXPECT_EQ(plat::GetText(dlg, 9990), "Hello");
            EXPECT_EQ(plat::GetWindowRect(dlg), (plat::Rect{(1024 - 220) / 2, (740 - 120) / 2, 220, 120}));
            EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 9994), (plat::Rect{30, 50, 80, 30}));
            EXPECT_TRUE(drivers::ControlStyle(dlg, 9994) & plat::kDefault);
            EXPECT_EQ(drivers::ControlIcon(dlg, 9995), plat::SystemIcon::Information);
            EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 9995).left, 10);
            EXPECT_EQ(drivers::ControlColors(dlg, 9990), (std::pair{0, 0xC0C0C0}));
            EXPECT_EQ(drivers::SpecOf(dlg).background, 0xC0C0C0);
            EXPECT_EQ(drivers::SpecOf(dlg).frame & plat::kSysMenu, 0u);
            EXPECT_TRUE(drivers::IsTopMost(dlg));
            EXPECT_EQ(drivers::ControlIds(dlg).size(), 3u);  // label, OK, icon
        },
        9994);
    EXPECT_EQ(MessageBoxEx("Hello", 64, "Units History", 0, 0, 0), 1);
    EXPECT_TRUE(drivers::Beeps().empty());
}

TEST_F(MessageBox, SixLinesGrowTheBoxAndAWideLineWidensIt) {
    const std::string wide(60, 'a');  // 300 px
    CheckThenClick(
        [](plat::Window dlg) {
            EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 9990).height, 90);
            EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 9990).width, 60 * kLetter);
            EXPECT_EQ(plat::GetWindowRect(dlg).height, 175);
            EXPECT_EQ(plat::GetWindowRect(dlg).width, 50 + 300 + 10);
            EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 9994).top, 105);
        },
        9994);
    MessageBoxEx("a\r\nb\r\n" + wide + "\r\nc\r\nd\r\ne", 48, "x", 1, 0, 0);
    EXPECT_EQ(drivers::Beeps(), std::vector<int>{48});
}

TEST_F(MessageBox, TrailingLineBreakCountsAnEmptyLine) {
    CheckThenClick([](plat::Window dlg) { EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 9990).height, 30); },
                   9994);
    MessageBoxEx("one\r\n", 0, "x", 0, 0, 0);
}

TEST_F(MessageBox, WithoutIconTheTextStartsAtTenAndTheBeepIsTheDefaultSound) {
    CheckThenClick(
        [](plat::Window dlg) {
            EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 9990).left, 10);
            EXPECT_EQ(drivers::ControlIcon(dlg, 9995), plat::SystemIcon::None);
        },
        9994);
    MessageBoxEx("plain", 0, "x", 1, 0, 0);
    EXPECT_EQ(drivers::Beeps(), std::vector<int>{0});
}

TEST_F(MessageBox, PositionGivenIsClampedToZeroOnly) {
    CheckThenClick(
        [](plat::Window dlg) {
            EXPECT_EQ(plat::GetWindowRect(dlg), (plat::Rect{0, 300, 220, 120}));
        },
        9994);
    MessageBoxEx("moved", 16, "x", 0, -20, 300);
}

TEST_F(MessageBox, CentredOverTheActiveWindow) {
    plat::DialogSpec owner;
    owner.caption = "owner";
    owner.width = 401;
    owner.height = 300;
    owner.centred = false;  // opens at 0,0: outer 407 x 325
    Then([] {
        const plat::Window ownerWindow = script::ActiveDialog();
        Then([ownerWindow] {
            const plat::Window box = script::ActiveDialog();
            EXPECT_FALSE(drivers::TheUser().IsEnabled(ownerWindow));
            // (407 - 220) / 2 = 93.5 rounds to the even 94; (325 - 120) / 2 = 102.5 to 102.
            EXPECT_EQ(plat::GetWindowRect(box).left, 94);
            EXPECT_EQ(plat::GetWindowRect(box).top, 102);
        });
        script::Click(9994);
        MessageBoxEx("over", 64, "x", 0, 0, 0);
        plat::EndDialog(ownerWindow, 0);
    });
    plat::RunDialog(owner, [](plat::Window, const plat::Event&) { return 0; });
}

TEST_F(MessageBox, ButtonSetsAnswerAndEscapeAnswersSevenInEverySet) {
    struct Case { int style, button, answer; };
    const Case cases[] = {
        {36, 9991, 6}, {36, 9992, 7}, {35, 9991, 6}, {35, 9992, 7}, {35, 9993, 2},
        {1, 9991, 6},  {1, 9992, 7},  {64, 9994, 1},
    };
    for (const Case& c : cases) {
        script::Click(c.button);
        EXPECT_EQ(MessageBoxEx("q", c.style, "x", 0, 0, 0), c.answer) << c.style << " " << c.button;
    }
    for (int style : {0, 1, 3, 4, 36, 64}) {
        script::KeyDown(plat::kVkEscape);
        EXPECT_EQ(MessageBoxEx("q", style, "x", 0, 0, 0), 7) << style;
    }
}

TEST_F(MessageBox, ButtonLabelsAndTheDefaultOfEachSet) {
    CheckThenClick(
        [](plat::Window dlg) {
            EXPECT_EQ(plat::GetText(dlg, 9991), "&Yes");
            EXPECT_EQ(plat::GetText(dlg, 9992), "&No");
            EXPECT_EQ(plat::GetText(dlg, 9993), "Cancel");
            EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 9993), (plat::Rect{140, 50, 60, 30}));
            EXPECT_EQ(plat::GetFocus(dlg), 9991);
            EXPECT_TRUE(drivers::ControlStyle(dlg, 9991) & plat::kDefault);
        },
        9993);
    MessageBoxEx("q", 35, "x", 0, 0, 0);
    CheckThenClick(
        [](plat::Window dlg) {
            EXPECT_EQ(plat::GetText(dlg, 9991), "&Ok");
            EXPECT_EQ(plat::GetText(dlg, 9992), "&Cancel");
            EXPECT_EQ(drivers::TheUser().ControlRect(dlg, 9992), (plat::Rect{75, 50, 60, 30}));
        },
        9992);
    MessageBoxEx("q", 1, "x", 0, 0, 0);
    CheckThenClick(
        [](plat::Window dlg) { EXPECT_TRUE(drivers::ControlStyle(dlg, 9991) & plat::kDefault); },
        9991);
    MessageBoxEx("q", 4, "x", 0, 0, 0);  // made the default at initialisation
}

TEST_F(MessageBox, StandardPromptPassesThroughAndDefaultsTheCaption) {
    script::AnswerPrompt(6);
    EXPECT_EQ(StandardPrompt("Delete category now?", "", 52), 6);
    script::AnswerPrompt(7);
    EXPECT_EQ(StandardPrompt("Delete this item now?", "Delete Item", 36), 7);
    ASSERT_EQ(script::Prompts().size(), 2u);
    EXPECT_EQ(script::Prompts()[0].caption, "Pantrium");
    EXPECT_EQ(script::Prompts()[0].style, 52);
    EXPECT_EQ(script::Prompts()[1].text, "Delete this item now?");
    EXPECT_EQ(script::Prompts()[1].caption, "Delete Item");
}

TEST_F(MessageBox, TheLabelDrawsInTheFontItsLinesWereMeasuredIn) {
    // The dialog font is a pixel taller than the measuring font; a label drawn
    // in it would be too narrow for its widest line.
    const std::string text = "  Date            Units\r\n\r\n03-05-24        2.00\r\n";
    CheckThenClick(
        [&text](plat::Window dlg) {
            const plat::Font labelFont = plat::GetControlFont(dlg, 9990);
            EXPECT_NE(labelFont, plat::GetControlFont(dlg, 0));
            const int width = drivers::TheUser().ControlRect(dlg, 9990).width;
            const std::string widest = "03-05-24        2.00";
            EXPECT_EQ(plat::MeasureText(labelFont, widest).cx, width);
            EXPECT_LT(width, plat::MeasureText(plat::GetControlFont(dlg, 0), widest).cx);
            EXPECT_EQ(plat::GetText(dlg, 9990), text);
        },
        9994);
    EXPECT_EQ(MessageBoxEx(text, 64, "Units History", 0, 0, 0), 1);
}

}  // namespace
}  // namespace pantrium

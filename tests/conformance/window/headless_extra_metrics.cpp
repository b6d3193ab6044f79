// The headless layer's fixed metrics: its fonts' character widths and line
// height, its window frame and menu bar, the dialog font's base units, a
// list's 13-pixel rows. The shared cases check what any layer does; these
// check the model's exact numbers, on which other tests of the program rely.
#include <string>

#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using headless_model::OkCancelSpec;
using conformance::Check;
using conformance::CheckEq;

namespace headless_metrics {

namespace {

enum { kList = 100, kCombo = 220, kDrop = 230 };

// Runs a dialog with a 5-row list of n entries and calls check inside the loop.
void WithList(int n, std::function<void(Window)> check) {
    DialogSpec spec;
    spec.caption = "Lists";
    spec.width = 300;
    spec.height = 200;
    spec.controls = {{kList, Kind::ListBox, "", {10, 20, 100, 65}, kTabStop | kNotify},
                     {kCombo, Kind::SimpleCombo, "", {120, 20, 100, 100}, kTabStop},
                     {kDrop, Kind::DropList, "", {230, 20, 60, 100}, kTabStop}};
    headless::Then([check] {
        check(headless::ActiveDialog());
        EndDialog(headless::ActiveDialog(), 1);
    });
    RunDialog(spec, [n](Window dlg, const Event& e) {
        if (e.msg == Msg::Init)
            for (int i = 0; i < n; ++i) ListAdd(dlg, kList, "entry " + std::to_string(i));
        return 0;
    });
}

}  // namespace

CONFORMANCE_CASE("fonts and text", "headless model: Fonts.MetricsAreFixedAndFitCharactersCountsWhatFits") {
    InFreshLayer([&] {
        Font font = CreateFont({"MS Sans Serif", -11, 400});
        CheckEq(MeasureText(font, "Milk"), (Size{9 + 3 + 3 + 6, 13}), R"chk(MeasureText(font, "Milk") == (Size{9 + 3 + 3 + 6, 13}))chk");
        CheckEq(MeasureText(0, "Milk"), MeasureText(font, "Milk"), R"chk(MeasureText(0, "Milk") == MeasureText(font, "Milk"))chk");  // 0 = the dialog font
        CheckEq(FitCharacters(font, "Milk", 15), 3, R"chk(FitCharacters(font, "Milk", 15) == 3)chk");
        CheckEq(FitCharacters(font, "Milk", 14), 2, R"chk(FitCharacters(font, "Milk", 14) == 2)chk");
        Font bold = CreateFont({"MS Sans Serif", -13, 700});
        CheckEq(MeasureText(bold, "ab").cx, 2 * (7 + 1), R"chk(MeasureText(bold, "ab").cx == 2 * (7 + 1))chk");
        CheckEq(MeasureText(CreateFont({"Courier New", -10, 0}), "iW").cx, 12, R"chk(MeasureText(CreateFont({"Courier New", -10, 0}), "iW").cx == 12)chk");
        CheckEq(headless::LiveFonts(), 3, R"chk(headless::LiveFonts() == 3)chk");
        DeleteFont(font);
        DeleteFont(bold);
        CheckEq(headless::LiveFonts(), 1, R"chk(headless::LiveFonts() == 1)chk");
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
            CheckEq(MeasureText(dialogFont, "x"), (Size{6, 13}), R"chk(MeasureText(dialogFont, "x") == (Size{6, 13}))chk");
            SetControlFont(dlg, 301, link);
            EndDialog(dlg, 1);
        });
        RunDialog(spec, nullptr);
        CheckEq(headless::LiveFonts(), 1, R"chk(headless::LiveFonts() == 1)chk");  // the dialog font is the layer's own
    });
}

CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.DialogIsCentredAndAMenuBarTakesItsHeightFromTheClientArea") {
    InFreshLayer([&] {
        DialogSpec spec = OkCancelSpec("Main");
        spec.width = 505;
        spec.height = 400;
        headless::Then([] {
            Window dlg = headless::ActiveDialog();
            CheckEq(GetWindowRect(dlg), (Rect{256, 157, 511, 425}), R"chk(GetWindowRect(dlg) == (Rect{256, 157, 511, 425}))chk");
            CheckEq(headless::ClientRect(dlg), (Rect{259, 179, 505, 400}), R"chk(headless::ClientRect(dlg) == (Rect{259, 179, 505, 400}))chk");
            SetMenu(dlg, CreateMenuBar({{"&File", 0, {{"E&xit", 306, {}}}}}));
            CheckEq(headless::ClientRect(dlg), (Rect{259, 198, 505, 381}), R"chk(headless::ClientRect(dlg) == (Rect{259, 198, 505, 381}))chk");
            EndDialog(dlg, 1);
        });
        RunDialog(spec, nullptr);
    });
}

CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.DialogUnitsAreConvertedWithTheDialogFontsBaseUnits") {
    InFreshLayer([&] {
        DialogSpec spec = OkCancelSpec("About");
        spec.dialogUnits = true;
        spec.width = 200;
        spec.height = 140;
        spec.controls = {{1, Kind::Button, "OK", {85, 90, 50, 25}, kTabStop}};
        headless::Click(1);
        RunDialog(spec, [](Window dlg, const Event& e) {
            if (e.msg == Msg::Init) {
                CheckEq(headless::ClientRect(dlg).width, 300, R"chk(headless::ClientRect(dlg).width == 300)chk");
                CheckEq(headless::ClientRect(dlg).height, 228, R"chk(headless::ClientRect(dlg).height == 228)chk");  // 227.5 rounded
                CheckEq(headless::ControlRect(dlg, 1), (Rect{128, 146, 75, 41}), R"chk(headless::ControlRect(dlg, 1) == (Rect{128, 146, 75, 41}))chk");
            }
            if (e.msg == Msg::Command) EndDialog(dlg, 1);
            return 0;
        });
    });
}

CONFORMANCE_CASE("control access", "headless model: Lists.ItemFromPointUsesRowHeightAndTopIndex") {
    InFreshLayer([&] {
        WithList(20, [](Window dlg) {
            Rect client = headless::ClientRect(dlg);
            int x = client.left + 10 + 5, top = client.top + 20;
            CheckEq(ListItemFromPoint(dlg, kList, x, top), 0, R"chk(ListItemFromPoint(dlg, kList, x, top) == 0)chk");
            CheckEq(ListItemFromPoint(dlg, kList, x, top + 2 * 13 + 12), 2, R"chk(ListItemFromPoint(dlg, kList, x, top + 2 * 13 + 12) == 2)chk");
            ListSetTopIndex(dlg, kList, 7);
            CheckEq(ListItemFromPoint(dlg, kList, x, top + 13), 8, R"chk(ListItemFromPoint(dlg, kList, x, top + 13) == 8)chk");
            CheckEq(ListItemFromPoint(dlg, kList, x, top - 1), -1, R"chk(ListItemFromPoint(dlg, kList, x, top - 1) == -1)chk");         // above the list
            CheckEq(ListItemFromPoint(dlg, kList, client.left + 9, top), -1, R"chk(ListItemFromPoint(dlg, kList, client.left + 9, top) == -1)chk");  // left of it
            CheckEq(ListItemFromPoint(dlg, kDrop, x, top), -1, R"chk(ListItemFromPoint(dlg, kDrop, x, top) == -1)chk");             // not a list on screen
            ListSetTopIndex(dlg, kList, 19);
            CheckEq(ListTopIndex(dlg, kList), 15, R"chk(ListTopIndex(dlg, kList) == 15)chk");  // 5 rows stay filled
        });
    });
}

CONFORMANCE_CASE("control access", "headless model: Lists.SelectingBelowTheVisibleRowsScrollsTheLeast") {
    InFreshLayer([&] {
        WithList(10, [](Window dlg) {
            ListSetSel(dlg, kList, 8);
            CheckEq(ListTopIndex(dlg, kList), 4, R"chk(ListTopIndex(dlg, kList) == 4)chk");  // entry 8 is the last of five visible rows
        });
    });
}

CONFORMANCE_CASE("control access", "headless model: Lists.AFillWithFewerEntriesScrollsAsFarAsTheyReach") {
    InFreshLayer([&] {
        WithList(20, [](Window dlg) {
            ListSetTopIndex(dlg, kList, 6);
            ListFill(dlg, kList, 8, [](int i) { return "short " + std::to_string(i); });
            CheckEq(ListTopIndex(dlg, kList), 3, R"chk(ListTopIndex(dlg, kList) == 3)chk");  // five rows stay filled
        });
    });
}

}  // namespace headless_metrics

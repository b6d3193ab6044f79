// The modal loop of the headless layer: nesting, owner disabling, running dry,
// Close handling and the placement of dialogs.
#include <string>
#include <vector>

#include "headless_fixture.h"

using namespace plat;

namespace {

DialogSpec Spec(const std::string& caption, Window owner = 0) {
    DialogSpec spec;
    spec.caption = caption;
    spec.width = 200;
    spec.height = 100;
    spec.owner = owner;
    spec.controls = {{1, Kind::Button, "OK", {10, 60, 60, 30}, kTabStop},
                     {2, Kind::Button, "Cancel", {80, 60, 60, 30}, kTabStop}};
    return spec;
}

// A callback that logs its events and ends the dialog with the id of button 1 or 2.
Callback Logging(std::vector<std::string>& log, const std::string& name) {
    return [&log, name](Window dlg, const Event& e) {
        if (e.msg == Msg::Init) log.push_back(name + " init");
        if (e.msg == Msg::Destroy) log.push_back(name + " destroy");
        if (e.msg == Msg::Command && (e.id == 1 || e.id == 2)) {
            log.push_back(name + " command " + std::to_string(e.id));
            EndDialog(dlg, e.id);
        }
        return 0;
    };
}

}  // namespace

using ModalLoop = HeadlessTest;

TEST_F(ModalLoop, NestedDialogDisablesItsOwnerAndRunsOnTheSameQueue) {
    std::vector<std::string> log;
    Window outer = 0, inner = 0;
    int innerResult = 0;
    auto outerCallback = [&](Window dlg, const Event& e) {
        if (e.msg == Msg::Init) outer = dlg;
        if (e.msg == Msg::Command && e.id == 1) {
            innerResult = RunDialog(Spec("Inner", dlg), Logging(log, "inner"));
            EXPECT_TRUE(headless::IsEnabled(dlg));
        }
        if (e.msg == Msg::Command && e.id == 2) EndDialog(dlg, 5);
        return 0;
    };
    headless::Click(1);  // opens the inner dialog
    headless::Then([&] {
        inner = headless::ActiveDialog();
        EXPECT_NE(inner, outer);
        EXPECT_FALSE(headless::IsEnabled(outer));
        EXPECT_EQ(headless::OpenDialogs(), (std::vector<Window>{outer, inner}));
    });
    headless::Click(2);  // ends the inner dialog
    headless::Click(2);  // ends the outer one
    EXPECT_EQ(RunDialog(Spec("Outer"), outerCallback), 5);
    EXPECT_EQ(innerResult, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"inner init", "inner command 2", "inner destroy"}));
    EXPECT_TRUE(headless::OpenDialogs().empty());
    EXPECT_EQ(headless::UnusedScript(), 0);
}

TEST_F(ModalLoop, ScriptRunningDryEndsEveryOpenDialogWithCancel) {
    int innerResult = -1;
    auto outerCallback = [&](Window dlg, const Event& e) {
        if (e.msg == Msg::Command && e.id == 1) innerResult = RunDialog(Spec("Inner", dlg), nullptr);
        return 0;
    };
    headless::Click(1);
    EXPECT_EQ(RunDialog(Spec("Outer"), outerCallback), 2);
    EXPECT_EQ(innerResult, 2);
    EXPECT_EQ(headless::TakeFailures(), (std::vector<std::string>{"script ran out in dialog Inner",
                                                              "script ran out in dialog Outer"}));
}

TEST_F(ModalLoop, CloseAnsweredWithZeroEndsWithCancelOtherwiseTheDialogStays) {
    int closes = 0;
    auto callback = [&](Window dlg, const Event& e) {
        if (e.msg == Msg::Close) return ++closes == 1 ? 1 : 0;  // refuse the first close
        if (e.msg == Msg::Command && e.id == 1) EndDialog(dlg, 1);
        return 0;
    };
    headless::CloseBox();
    headless::Then([&] { EXPECT_NE(headless::ActiveDialog(), 0u); });
    headless::CloseBox();
    EXPECT_EQ(RunDialog(Spec("Closing"), callback), 2);
    EXPECT_EQ(closes, 2);
}

TEST_F(ModalLoop, EndDialogDuringInitRunsNoAction) {
    bool destroyed = false;
    headless::Click(1);
    int result = RunDialog(Spec("Quick"), [&](Window dlg, const Event& e) {
        if (e.msg == Msg::Init) EndDialog(dlg, 7);
        if (e.msg == Msg::Destroy) destroyed = true;
        return 0;
    });
    EXPECT_EQ(result, 7);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(headless::UnusedScript(), 1);
}

TEST_F(ModalLoop, DialogIsCentredAndAMenuBarTakesItsHeightFromTheClientArea) {
    DialogSpec spec = Spec("Main");
    spec.width = 505;
    spec.height = 400;
    headless::Then([] {
        Window dlg = headless::ActiveDialog();
        EXPECT_EQ(GetWindowRect(dlg), (Rect{256, 157, 511, 425}));
        EXPECT_EQ(headless::ClientRect(dlg), (Rect{259, 179, 505, 400}));
        SetMenu(dlg, CreateMenuBar({{"&File", 0, {{"E&xit", 306, {}}}}}));
        EXPECT_EQ(GetWindowRect(dlg), (Rect{256, 157, 511, 425}));
        EXPECT_EQ(headless::ClientRect(dlg), (Rect{259, 198, 505, 381}));
        EndDialog(dlg, 1);
    });
    RunDialog(spec, nullptr);
}

TEST_F(ModalLoop, DialogUnitsAreConvertedWithTheDialogFontsBaseUnits) {
    DialogSpec spec = Spec("About");
    spec.dialogUnits = true;
    spec.width = 200;
    spec.height = 140;
    spec.controls = {{1, Kind::Button, "OK", {85, 90, 50, 25}, kTabStop}};
    headless::Click(1);
    RunDialog(spec, [](Window dlg, const Event& e) {
        if (e.msg == Msg::Init) {
            EXPECT_EQ(headless::ClientRect(dlg).width, 300);
            EXPECT_EQ(headless::ClientRect(dlg).height, 228);  // 227.5 rounded
            EXPECT_EQ(headless::ControlRect(dlg, 1), (Rect{128, 146, 75, 41}));
        }
        if (e.msg == Msg::Command) EndDialog(dlg, 1);
        return 0;
    });
}

TEST_F(ModalLoop, FocusStartsOnTheFirstTabStopUnlessInitSetsIt) {
    DialogSpec spec = Spec("Focus");
    spec.controls.insert(spec.controls.begin(),
                         {{10, Kind::Label, "Name", {5, 5, 40, 15}, 0},
                          {11, Kind::Edit, "", {50, 5, 80, 20}, kTabStop | kHidden},
                          {12, Kind::Edit, "", {50, 30, 80, 20}, kTabStop}});
    std::vector<int> focusGains;
    auto run = [&](bool setFocusInInit) {
        focusGains.clear();
        headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
        RunDialog(spec, [&](Window dlg, const Event& e) {
            if (e.msg == Msg::Init && setFocusInInit) SetFocus(dlg, 1);
            if (e.msg == Msg::Command && e.code == Code::SetFocus) focusGains.push_back(e.id);
            return 0;
        });
    };
    run(false);
    EXPECT_EQ(focusGains, std::vector<int>{12});
    run(true);
    EXPECT_TRUE(focusGains.empty());  // a button takes the focus without notifications
}

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
    EXPECT_EQ(headless::Failures(), (std::vector<std::string>{"script ran out in dialog Inner",
                                                              "script ran out in dialog Outer"}));
    headless::Reset();  // the failures were expected
}

// The modal loop of the headless layer: nesting, owner disabling, running dry,
// Close handling and the placement of dialogs.
#include <string>
#include <vector>

#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using conformance::Check;
using conformance::CheckEq;

namespace modal_loop_model {

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


CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.NestedDialogDisablesItsOwnerAndRunsOnTheSameQueue") {
    InFreshLayer([&] {
        std::vector<std::string> log;
        Window outer = 0, inner = 0;
        int innerResult = 0;
        auto outerCallback = [&](Window dlg, const Event& e) {
            if (e.msg == Msg::Init) outer = dlg;
            if (e.msg == Msg::Command && e.id == 1) {
                innerResult = RunDialog(Spec("Inner", dlg), Logging(log, "inner"));
                Check(headless::IsEnabled(dlg), R"chk(headless::IsEnabled(dlg))chk");
            }
            if (e.msg == Msg::Command && e.id == 2) EndDialog(dlg, 5);
            return 0;
        };
        headless::Click(1);  // opens the inner dialog
        headless::Then([&] {
            inner = headless::ActiveDialog();
            Check(inner != outer, R"chk(inner != outer)chk");
            Check(!(headless::IsEnabled(outer)), R"chk(not headless::IsEnabled(outer))chk");
            CheckEq(headless::OpenDialogs(), (std::vector<Window>{outer, inner}), R"chk(headless::OpenDialogs() == (std::vector<Window>{outer, inner}))chk");
        });
        headless::Click(2);  // ends the inner dialog
        headless::Click(2);  // ends the outer one
        CheckEq(RunDialog(Spec("Outer"), outerCallback), 5, R"chk(RunDialog(Spec("Outer"), outerCallback) == 5)chk");
        CheckEq(innerResult, 2, R"chk(innerResult == 2)chk");
        CheckEq(log, (std::vector<std::string>{"inner init", "inner command 2", "inner destroy"}), R"chk(log == (std::vector<std::string>{"inner init", "inner command 2", "inner destroy"}))chk");
        Check(headless::OpenDialogs().empty(), R"chk(headless::OpenDialogs().empty())chk");
        CheckEq(headless::UnusedScript(), 0, R"chk(headless::UnusedScript() == 0)chk");
    });
}

CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.ScriptRunningDryEndsEveryOpenDialogWithCancel") {
    InFreshLayer([&] {
        int innerResult = -1;
        auto outerCallback = [&](Window dlg, const Event& e) {
            if (e.msg == Msg::Command && e.id == 1) innerResult = RunDialog(Spec("Inner", dlg), nullptr);
            return 0;
        };
        headless::Click(1);
        CheckEq(RunDialog(Spec("Outer"), outerCallback), 2, R"chk(RunDialog(Spec("Outer"), outerCallback) == 2)chk");
        CheckEq(innerResult, 2, R"chk(innerResult == 2)chk");
        CheckEq(headless::TakeFailures(), (std::vector<std::string>{"script ran out in dialog Inner",
                                                                  "script ran out in dialog Outer"}), R"chk(headless::TakeFailures() == (std::vector<std::string>{"script ran out in dialog Inner", "script ran out in dialog Outer"}))chk");
    });
}

CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.CloseAnsweredWithZeroEndsWithCancelOtherwiseTheDialogStays") {
    InFreshLayer([&] {
        int closes = 0;
        auto callback = [&](Window dlg, const Event& e) {
            if (e.msg == Msg::Close) return ++closes == 1 ? 1 : 0;  // refuse the first close
            if (e.msg == Msg::Command && e.id == 1) EndDialog(dlg, 1);
            return 0;
        };
        headless::CloseBox();
        headless::Then([&] { Check(headless::ActiveDialog() != 0u, R"chk(headless::ActiveDialog() != 0u)chk"); });
        headless::CloseBox();
        CheckEq(RunDialog(Spec("Closing"), callback), 2, R"chk(RunDialog(Spec("Closing"), callback) == 2)chk");
        CheckEq(closes, 2, R"chk(closes == 2)chk");
    });
}

CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.EndDialogDuringInitRunsNoAction") {
    InFreshLayer([&] {
        bool destroyed = false;
        headless::Click(1);
        int result = RunDialog(Spec("Quick"), [&](Window dlg, const Event& e) {
            if (e.msg == Msg::Init) EndDialog(dlg, 7);
            if (e.msg == Msg::Destroy) destroyed = true;
            return 0;
        });
        CheckEq(result, 7, R"chk(result == 7)chk");
        Check(destroyed, R"chk(destroyed)chk");
        CheckEq(headless::UnusedScript(), 1, R"chk(headless::UnusedScript() == 1)chk");
    });
}

CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.DialogIsCentredAndAMenuBarTakesItsHeightFromTheClientArea") {
    InFreshLayer([&] {
        DialogSpec spec = Spec("Main");
        spec.width = 505;
        spec.height = 400;
        headless::Then([] {
            Window dlg = headless::ActiveDialog();
            CheckEq(GetWindowRect(dlg), (Rect{256, 157, 511, 425}), R"chk(GetWindowRect(dlg) == (Rect{256, 157, 511, 425}))chk");
            CheckEq(headless::ClientRect(dlg), (Rect{259, 179, 505, 400}), R"chk(headless::ClientRect(dlg) == (Rect{259, 179, 505, 400}))chk");
            SetMenu(dlg, CreateMenuBar({{"&File", 0, {{"E&xit", 306, {}}}}}));
            CheckEq(GetWindowRect(dlg), (Rect{256, 157, 511, 425}), R"chk(GetWindowRect(dlg) == (Rect{256, 157, 511, 425}))chk");
            CheckEq(headless::ClientRect(dlg), (Rect{259, 198, 505, 381}), R"chk(headless::ClientRect(dlg) == (Rect{259, 198, 505, 381}))chk");
            EndDialog(dlg, 1);
        });
        RunDialog(spec, nullptr);
    });
}

CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.DialogUnitsAreConvertedWithTheDialogFontsBaseUnits") {
    InFreshLayer([&] {
        DialogSpec spec = Spec("About");
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

CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.FocusStartsOnTheFirstTabStopUnlessInitSetsIt") {
    InFreshLayer([&] {
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
        CheckEq(focusGains, std::vector<int>{12}, R"chk(focusGains == std::vector<int>{12})chk");
        run(true);
        Check(focusGains.empty(), R"chk(focusGains.empty())chk");  // a button takes the focus without notifications
    });
}

}  // namespace modal_loop_model

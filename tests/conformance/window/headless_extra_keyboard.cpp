// Keyboard handling of the headless layer: accelerators, key hooks, the
// standard list keys and the dialog keys Tab, Enter and Escape.
#include <string>
#include <vector>

#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using conformance::Check;
using conformance::CheckEq;

namespace keyboard_model {

namespace {

enum { kList = 100, kEdit = 101, kOk = 7, kOther = 121 };

DialogSpec Spec(unsigned okStyle = kTabStop) {
    DialogSpec spec;
    spec.caption = "Keys";
    spec.width = 300;
    spec.height = 200;
    spec.controls = {{kList, Kind::ListBox, "", {10, 10, 100, 130}, kTabStop | kNotify},
                     {kOther, Kind::Button, "Other", {120, 90, 60, 30}, 0},
                     {kEdit, Kind::Edit, "abc", {120, 10, 60, 20}, kTabStop},
                     {kOk, Kind::Button, "OK", {120, 50, 60, 30}, okStyle}};
    return spec;
}

// Runs the dialog; commands, hook calls and selection changes go to the log.
std::vector<std::string> RunKeys(const DialogSpec& spec, std::function<void(Window)> init = nullptr) {
    std::vector<std::string> log;
    headless::Then([] { EndDialog(headless::ActiveDialog(), 0); });
    RunDialog(spec, [&](Window dlg, const Event& e) {
        if (e.msg == Msg::Init) {
            ListAdd(dlg, kList, "a");
            ListAdd(dlg, kList, "b");
            ListSetSel(dlg, kList, 0);
            SetFocus(dlg, kList);
            if (init) init(dlg);
            log.clear();
        }
        if (e.msg == Msg::Command && e.code == Code::Clicked) log.push_back("command " + std::to_string(e.id));
        if (e.msg == Msg::Command && e.code == Code::SelChange)
            log.push_back("selchange " + std::to_string(ListGetSel(dlg, kList)));
        if (e.msg == Msg::Command && e.code == Code::SetFocus) log.push_back("focus " + std::to_string(e.id));
        return 0;
    });
    return log;
}


}  // namespace

CONFORMANCE_CASE("keys", "headless model: Keyboard.HookSeesDownAndUpBeforeTheStandardListBehaviour") {
    InFreshLayer([&] {
        std::vector<std::string> seen;
        headless::Press(kVkDown);
        headless::Press(kVkDown);  // already on the last entry: no change, no notification
        auto log = RunKeys(Spec(), [&](Window dlg) {
            SetKeyHook(dlg, kList, [&seen](Window w, int id, int vk, bool down) {
                seen.push_back(std::to_string(id) + (down ? " down " : " up ") + std::to_string(vk) +
                               " sel " + std::to_string(ListGetSel(w, kList)));
            });
        });
        CheckEq(seen, (std::vector<std::string>{"100 down 40 sel 0", "100 up 40 sel 1",
                                                  "100 down 40 sel 1", "100 up 40 sel 1"}), R"chk(seen == (std::vector<std::string>{"100 down 40 sel 0", "100 up 40 sel 1", "100 down 40 sel 1", "100 up 40 sel 1"}))chk");
        CheckEq(log, std::vector<std::string>{"selchange 1"}, R"chk(log == std::vector<std::string>{"selchange 1"})chk");
    });
}

CONFORMANCE_CASE("keys", "headless model: Keyboard.AcceleratorTakesTheKeyBeforeHookAndList") {
    InFreshLayer([&] {
        bool hooked = false;
        headless::KeyDown(kVkUp, true);
        headless::KeyDown(kVkDown, true);
        auto log = RunKeys(Spec(), [&](Window dlg) {
            SetAccelerators(dlg, {{kVkUp, true, 225}, {kVkDown, true, 226}});
            SetKeyHook(dlg, kList, [&](Window, int, int, bool) { hooked = true; });
        });
        CheckEq(log, (std::vector<std::string>{"command 225", "command 226"}), R"chk(log == (std::vector<std::string>{"command 225", "command 226"}))chk");
        Check(!(hooked), R"chk(not hooked)chk");
    });
}

CONFORMANCE_CASE("keys", "headless model: Keyboard.EnterSendsFocusedButtonElseDefaultButtonElseOne") {
    InFreshLayer([&] {
        headless::KeyDown(kVkReturn);                       // no default button: 1
        headless::Then([] { SetDefaultButton(headless::ActiveDialog(), kOther, true); });
        headless::KeyDown(kVkReturn);                       // the default button
        headless::Then([] { SetFocus(headless::ActiveDialog(), kOk); });
        headless::KeyDown(kVkReturn);                       // the focused push button
        headless::KeyUp(kVkReturn);                         // a release sends nothing
        headless::KeyDown(kVkEscape);                       // the cancel command
        CheckEq(RunKeys(Spec()), (std::vector<std::string>{"command 1", "command 121", "command 7", "command 2"}), R"chk(RunKeys(Spec()) == (std::vector<std::string>{"command 1", "command 121", "command 7", "command 2"}))chk");
    });
}

CONFORMANCE_CASE("keys", "headless model: Keyboard.TabVisitsTabStopsInCreationOrderAndSelectsAnEditsText") {
    InFreshLayer([&] {
        headless::Press(kVkTab);  // list -> edit (the button 121 is no tab stop)
        headless::Then([] {
            Window dlg = headless::ActiveDialog();
            CheckEq(GetFocus(dlg), kEdit, R"chk(GetFocus(dlg) == kEdit)chk");
            CheckEq(headless::EditSelection(dlg, kEdit), (std::pair{0, 3}), R"chk(headless::EditSelection(dlg, kEdit) == (std::pair{0, 3}))chk");
        });
        headless::Press(kVkTab);        // edit -> OK
        headless::Press(kVkTab);        // OK -> list, wrapping
        headless::Press(kVkTab, true);  // back to OK
        auto log = RunKeys(Spec());
        CheckEq(log, (std::vector<std::string>{"focus 101", "focus 100"}), R"chk(log == (std::vector<std::string>{"focus 101", "focus 100"}))chk");
    });
}

}  // namespace keyboard_model

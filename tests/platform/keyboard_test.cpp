// Keyboard handling of the headless layer: accelerators, key hooks, the
// standard list keys and the dialog keys Tab, Enter and Escape.
#include <string>
#include <vector>

#include "headless_fixture.h"

using namespace plat;

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

using Keyboard = HeadlessTest;

}  // namespace

TEST_F(Keyboard, HookSeesDownAndUpBeforeTheStandardListBehaviour) {
    std::vector<std::string> seen;
    headless::Press(kVkDown);
    headless::Press(kVkDown);  // already on the last entry: no change, no notification
    auto log = RunKeys(Spec(), [&](Window dlg) {
        SetKeyHook(dlg, kList, [&seen](Window w, int id, int vk, bool down) {
            seen.push_back(std::to_string(id) + (down ? " down " : " up ") + std::to_string(vk) +
                           " sel " + std::to_string(ListGetSel(w, kList)));
        });
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"100 down 40 sel 0", "100 up 40 sel 1",
                                              "100 down 40 sel 1", "100 up 40 sel 1"}));
    EXPECT_EQ(log, std::vector<std::string>{"selchange 1"});
}

TEST_F(Keyboard, AcceleratorTakesTheKeyBeforeHookAndList) {
    bool hooked = false;
    headless::KeyDown(kVkUp, true);
    headless::KeyDown(kVkDown, true);
    auto log = RunKeys(Spec(), [&](Window dlg) {
        SetAccelerators(dlg, {{kVkUp, true, 225}, {kVkDown, true, 226}});
        SetKeyHook(dlg, kList, [&](Window, int, int, bool) { hooked = true; });
    });
    EXPECT_EQ(log, (std::vector<std::string>{"command 225", "command 226"}));
    EXPECT_FALSE(hooked);
}

TEST_F(Keyboard, EnterSendsFocusedButtonElseDefaultButtonElseOne) {
    headless::KeyDown(kVkReturn);                       // no default button: 1
    headless::Then([] { SetDefaultButton(headless::ActiveDialog(), kOther, true); });
    headless::KeyDown(kVkReturn);                       // the default button
    headless::Then([] { SetFocus(headless::ActiveDialog(), kOk); });
    headless::KeyDown(kVkReturn);                       // the focused push button
    headless::KeyUp(kVkReturn);                         // a release sends nothing
    headless::KeyDown(kVkEscape);                       // the cancel command
    EXPECT_EQ(RunKeys(Spec()), (std::vector<std::string>{"command 1", "command 121", "command 7", "command 2"}));
}

TEST_F(Keyboard, TabVisitsTabStopsInCreationOrderAndSelectsAnEditsText) {
    headless::Press(kVkTab);  // list -> edit (the button 121 is no tab stop)
    headless::Then([] {
        Window dlg = headless::ActiveDialog();
        EXPECT_EQ(GetFocus(dlg), kEdit);
        EXPECT_EQ(headless::EditSelection(dlg, kEdit), (std::pair{0, 3}));
    });
    headless::Press(kVkTab);        // edit -> OK
    headless::Press(kVkTab);        // OK -> list, wrapping
    headless::Press(kVkTab, true);  // back to OK
    auto log = RunKeys(Spec());
    EXPECT_EQ(log, (std::vector<std::string>{"focus 101", "focus 100"}));
}

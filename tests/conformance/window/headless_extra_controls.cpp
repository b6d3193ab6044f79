// Control notifications of the headless layer: synchronous changes, silent
// selection from code, focus notifications, typing, clicks.
#include <string>
#include <vector>

#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using conformance::Check;
using conformance::CheckEq;

namespace controls_model {

namespace {

enum { kEdit = 101, kList = 100, kCheck = 102, kLink = 103, kButton = 104, kCombo = 105 };

DialogSpec Spec() {
    DialogSpec spec;
    spec.caption = "Controls";
    spec.width = 300;
    spec.height = 200;
    spec.controls = {{kList, Kind::ListBox, "", {10, 10, 100, 130}, kTabStop | kNotify},
                     {kEdit, Kind::Edit, "", {120, 10, 60, 20}, kTabStop},
                     {kCheck, Kind::CheckBox, "Check", {120, 40, 60, 20}, kTabStop},
                     {kLink, Kind::Label, "link", {120, 70, 60, 12}, kNotify},
                     {kButton, Kind::Button, "Go", {120, 90, 60, 30}, 0},
                     {kCombo, Kind::SimpleCombo, "", {190, 10, 100, 120}, kTabStop}};
    return spec;
}

std::string CodeName(Code c) {
    switch (c) {
        case Code::Clicked: return "clicked";
        case Code::SelChange: return "selchange";
        case Code::DblClick: return "dblclick";
        case Code::SetFocus: return "setfocus";
        case Code::KillFocus: return "killfocus";
        case Code::Change: return "change";
        default: return "none";
    }
}

// Runs the dialog with the queued script; the log holds "id code" per command.
struct Recorder {
    std::vector<std::string> log;
    Window dlg = 0;
    std::function<void(Window, const Event&)> onCommand;

    void Run(DialogSpec spec = Spec()) {
        headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
        RunDialog(spec, [this](Window w, const Event& e) {
            if (e.msg == Msg::Init) {
                dlg = w;
                ListAdd(w, kList, "apples");
                ListAdd(w, kList, "bread");
                ListAdd(w, kList, "cheese");
                ListAdd(w, kCombo, "dairy");
                ListAdd(w, kCombo, "fruit");
                SetFocus(w, kList);
                log.clear();
            }
            if (e.msg == Msg::Command) {
                log.push_back(std::to_string(e.id) + " " + CodeName(e.code));
                if (onCommand) onCommand(w, e);
            }
            return 0;
        });
    }
};


}  // namespace

CONFORMANCE_CASE("notifications", "headless model: Controls.SetTextOnAnEditRaisesChangeBeforeItReturns") {
    InFreshLayer([&] {
        Recorder r;
        headless::Then([&] {
            SetText(r.dlg, kEdit, "12");
            CheckEq(r.log, std::vector<std::string>{"101 change"}, R"chk(r.log == std::vector<std::string>{"101 change"})chk");
            SetText(r.dlg, kCombo, "x");  // the edit field of a simple combo
            SetText(r.dlg, kCheck, "label text");
            CheckEq(r.log, (std::vector<std::string>{"101 change", "105 change"}), R"chk(r.log == (std::vector<std::string>{"101 change", "105 change"}))chk");
            CheckEq(GetText(r.dlg, kEdit), "12", R"chk(GetText(r.dlg, kEdit) == "12")chk");
        });
        r.Run();
    });
}

CONFORMANCE_CASE("notifications", "headless model: Controls.SelectingFromCodeIsSilentTheUserSelectionNotifies") {
    InFreshLayer([&] {
        Recorder r;
        headless::Then([&] {
            ListSetSel(r.dlg, kList, 2);
            CheckEq(ListGetSel(r.dlg, kList), 2, R"chk(ListGetSel(r.dlg, kList) == 2)chk");
            ListSetSel(r.dlg, kCombo, 1);
            CheckEq(GetText(r.dlg, kCombo), "fruit", R"chk(GetText(r.dlg, kCombo) == "fruit")chk");  // copied without a Change
            Check(r.log.empty(), R"chk(r.log.empty())chk");
            SetFocus(r.dlg, kEdit);
            r.log.clear();
        });
        headless::DoubleClickRow(kList, 1);
        r.Run();
        CheckEq(r.log, (std::vector<std::string>{"101 killfocus", "100 setfocus", "100 selchange",
                                                   "100 dblclick"}), R"chk(r.log == (std::vector<std::string>{"101 killfocus", "100 setfocus", "100 selchange", "100 dblclick"}))chk");
    });
}

CONFORMANCE_CASE("notifications", "headless model: Controls.DoubleClickReportsTheEntryAndNoneBelowTheLastEntry") {
    InFreshLayer([&] {
        Recorder r;
        std::vector<int> entries;
        r.onCommand = [&](Window, const Event& e) {
            if (e.code == Code::DblClick) entries.push_back(e.entry);
        };
        headless::SelectRow(kList, 1);
        headless::DoubleClickRow(kList, 2);
        headless::DoubleClickBelowRows(kList);
        headless::Then([&] { CheckEq(ListGetSel(r.dlg, kList), 2, R"chk(ListGetSel(r.dlg, kList) == 2)chk"); });  // the selection stays
        r.Run();
        CheckEq(entries, (std::vector<int>{2, -1}), R"chk(entries == (std::vector<int>{2, -1}))chk");
        CheckEq(r.log, (std::vector<std::string>{"100 selchange", "100 selchange", "100 dblclick",
                                                   "100 dblclick"}), R"chk(r.log == (std::vector<std::string>{"100 selchange", "100 selchange", "100 dblclick", "100 dblclick"}))chk");
    });
}

CONFORMANCE_CASE("notifications", "headless model: Controls.ListBoxWithoutNotifyStyleReportsOnlyFocus") {
    InFreshLayer([&] {
        DialogSpec spec = Spec();
        spec.controls[0].style = kTabStop;
        Recorder r;
        headless::SelectRow(kList, 0);
        headless::DoubleClickRow(kList, 2);
        r.Run(spec);
        CheckEq(r.log, std::vector<std::string>{}, R"chk(r.log == std::vector<std::string>{})chk");  // the list had the focus from the start
        headless::Reset();
        Recorder r2;
        headless::Focus(kEdit);
        headless::SelectRow(kList, 1);
        r2.Run(spec);
        CheckEq(r2.log, (std::vector<std::string>{"100 killfocus", "101 setfocus", "101 killfocus",
                                                    "100 setfocus"}), R"chk(r2.log == (std::vector<std::string>{"100 killfocus", "101 setfocus", "101 killfocus", "100 setfocus"}))chk");
    });
}

CONFORMANCE_CASE("notifications", "headless model: Controls.FocusNotificationsComeOnlyFromEditsAndLists") {
    InFreshLayer([&] {
        Recorder r;
        headless::Then([&] {
            SetFocus(r.dlg, kButton);  // from the list: it hears KillFocus, the button nothing
            SetFocus(r.dlg, kEdit);
            SetFocus(r.dlg, kEdit);  // no change, no notification
            CheckEq(GetFocus(r.dlg), kEdit, R"chk(GetFocus(r.dlg) == kEdit)chk");
        });
        headless::Focus(kCombo);
        r.Run();
        CheckEq(r.log, (std::vector<std::string>{"100 killfocus", "101 setfocus", "101 killfocus",
                                                   "105 setfocus"}), R"chk(r.log == (std::vector<std::string>{"100 killfocus", "101 setfocus", "101 killfocus", "105 setfocus"}))chk");
    });
}

CONFORMANCE_CASE("notifications", "headless model: Controls.TypingReplacesTheSelectionOneChangePerCharacterWithinTheLimit") {
    InFreshLayer([&] {
        Recorder r;
        std::vector<std::string> texts;
        r.onCommand = [&](Window w, const Event& e) {
            if (e.code == Code::Change) texts.push_back(GetText(w, kEdit));
        };
        headless::Then([&] {
            SetText(r.dlg, kEdit, "7");
            LimitText(r.dlg, kEdit, 3);
            SelectAllText(r.dlg, kEdit);
            CheckEq(headless::EditSelection(r.dlg, kEdit), (std::pair{0, 1}), R"chk(headless::EditSelection(r.dlg, kEdit) == (std::pair{0, 1}))chk");
            SetFocus(r.dlg, kEdit);
            texts.clear();
        });
        headless::Type("1234");  // the 4 is refused by the limit
        headless::Type("\b");
        r.Run();
        CheckEq(texts, (std::vector<std::string>{"1", "12", "123", "12"}), R"chk(texts == (std::vector<std::string>{"1", "12", "123", "12"}))chk");
    
        Recorder r2;
        headless::Type("x");  // the list has the focus
        r2.Run();
        CheckEq(headless::TakeFailures(), std::vector<std::string>{"Type: no edit field has the focus in dialog Controls"}, R"chk(headless::TakeFailures() == std::vector<std::string>{"Type: no edit field has the focus in dialog Controls"})chk");
    });
}

CONFORMANCE_CASE("notifications", "headless model: Controls.ClickTogglesACheckBoxFirstAndNeedsANotifyStyleOnLabels") {
    InFreshLayer([&] {
        Recorder r;
        bool checkedWhenNotified = false;
        r.onCommand = [&](Window w, const Event& e) {
            if (e.id == kCheck) checkedWhenNotified = GetCheck(w, kCheck);
        };
        headless::Click(kCheck);
        headless::Click(kLink);
        headless::Click(kButton);
        headless::Click(999);
        r.Run();
        Check(checkedWhenNotified, R"chk(checkedWhenNotified)chk");
        CheckEq(r.log, (std::vector<std::string>{"102 clicked", "103 clicked", "104 clicked"}), R"chk(r.log == (std::vector<std::string>{"102 clicked", "103 clicked", "104 clicked"}))chk");
        CheckEq(headless::TakeFailures(), std::vector<std::string>{"Click: no control 999 in dialog Controls"}, R"chk(headless::TakeFailures() == std::vector<std::string>{"Click: no control 999 in dialog Controls"})chk");
    });
}

}  // namespace controls_model

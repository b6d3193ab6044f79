// window.h's notification rules: a synchronous Change from SetText, silent
// selection from code, what the user's clicks and typing report, focus
// notifications with the losing side first.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "notifications";

CONFORMANCE_CASE(kSection, "SetText on an edit raises Change before it returns") {
    RunShown(MainSpec(), [](Window dlg) {
        Recorded().Clear();
        SetText(dlg, kEdit, "12");
        CheckEq(Recorded().Commands(), std::vector<std::string>{"101 change"},
                "SetText on an edit raises one Change synchronously, and nothing else");
        CheckEq(GetText(dlg, kEdit), "12", "edit text reads back");
        Recorded().Clear();
        SetText(dlg, kEdit, "12");
        Check(Recorded().Saw(Msg::Command, kEdit, Code::Change), "SetText raises Change also for the same text");
        Recorded().Clear();
        SetText(dlg, kCombo, "dairy");
        CheckEq(Recorded().Commands(), std::vector<std::string>{"103 change"}, "SetText on a simple combo raises one Change");
        Recorded().Clear();
        SetText(dlg, kCheck, "label text");
        Check(Recorded().Empty(), "SetText on a check box raises nothing");
    });
}

CONFORMANCE_CASE(kSection, "selecting, inserting and deleting from code raise nothing") {
    RunShown(MainSpec(), [](Window dlg) {
        const char* const row = "\tx\tMilk\t2.00\t5.00";
        ListAdd(dlg, kList, row);
        ListAdd(dlg, kList, "\t\tBread\tloaf");
        ListInsert(dlg, kList, 1, "\t\tApples");
        Recorded().Clear();
        ListSetSel(dlg, kList, 1);
        Check(Recorded().Empty(), "ListSetSel raises nothing");
        CheckEq(ListGetSel(dlg, kList), 1, "selection reads back");
        CheckEq(ListText(dlg, kList, 1), "\t\tApples", "ListInsert places the text");
        CheckEq(ListText(dlg, kList, 0), row, "a row keeps its tabs");
        ListDelete(dlg, kList, 1);
        CheckEq(ListCount(dlg, kList), 2, "ListDelete");
        Check(Recorded().Empty(), "ListDelete of the selected entry raises nothing");
        ListAdd(dlg, kCombo, "fruit");
        ListAdd(dlg, kCombo, "dairy");
        Recorded().Clear();
        ListSetSel(dlg, kCombo, 0);
        CheckEq(GetText(dlg, kCombo), "fruit", "a simple combo's selection fills its field");
        Check(Recorded().Empty(), "and raises nothing");
        ListSetSel(dlg, kCombo, -1);
        CheckEq(GetText(dlg, kCombo), "", "clearing the selection empties the field");
        ListSetSel(dlg, kCombo, 1);
        ListReset(dlg, kCombo);
        CheckEq(GetText(dlg, kCombo), "", "so does emptying the list");
        Check(Recorded().Empty(), "both without a notification");
    });
}

CONFORMANCE_CASE(kSection, "a double-click on a row selects it and reports its entry, below the rows -1") {
    std::vector<int> entries;
    RunShown(ListSpec(), [&](Window dlg) {
        AddRows(dlg, kList, 2);
        SetFocus(dlg, kEdit);
        Recorded().Clear();
        User().DoubleClickRow(dlg, kList, 1);
        WaitFor([] { return Recorded().Saw(Msg::Command, kList, Code::DblClick); });
        CheckEq(ListGetSel(dlg, kList), 1, "the double-clicked row is selected");
        CheckEq(Recorded().Commands(),
                std::vector<std::string>{"101 killfocus", "100 setfocus", "100 selchange", "100 dblclick"},
                "the click takes the focus to the list, selects the row, then the double-click is reported");
        Recorded().Clear();
        User().DoubleClickRow(dlg, kList, -1);
        WaitFor([] { return Recorded().Saw(Msg::Command, kList, Code::DblClick); });
        CheckEq(ListGetSel(dlg, kList), 1, "a double-click below the rows keeps the selection");
        CheckEq(Recorded().Commands(), std::vector<std::string>{"100 dblclick"},
                "and reports the double-click alone, no SelChange");
    }, [&](Window, const Event& e) {
        if (e.msg == Msg::Command && e.code == Code::DblClick) entries.push_back(e.entry);
        return 0;
    });
    CheckEq(entries.size(), 2u, "both double-clicks are reported");
    if (entries.size() == 2) {
        CheckEq(entries[0], 1, "the event names the row double-clicked");
        CheckEq(entries[1], -1, "and -1 below the last row");
    }
}

CONFORMANCE_CASE(kSection, "a list box without kNotify reports its focus only") {
    DialogSpec spec = ListSpec();
    spec.controls[0].style = kTabStop;
    RunShown(spec, [](Window dlg) {
        AddRows(dlg, kList, 3);
        SetFocus(dlg, kEdit);
        Recorded().Clear();
        User().DoubleClickRow(dlg, kList, 2);
        WaitFor([] { return Recorded().Saw(Msg::Command, kList, Code::SetFocus); });
        WaitFor([dlg] { return ListGetSel(dlg, kList) == 2; });
        CheckEq(ListGetSel(dlg, kList), 2, "the user's click selects the row");
        CheckEq(Recorded().Commands(), std::vector<std::string>{"101 killfocus", "100 setfocus"},
                "no SelChange or DblClick, the focus notifications only");
    });
}

CONFORMANCE_CASE(kSection, "focus notifications: edits and lists, the losing side first") {
    RunShown(MainSpec(), [](Window dlg) {
        SetFocus(dlg, kOther);
        Recorded().Clear();
        SetFocus(dlg, kList);
        SetFocus(dlg, kEdit);
        CheckEq(Recorded().Commands(), std::vector<std::string>{"100 setfocus", "100 killfocus", "101 setfocus"},
                "SetFocus, then KillFocus before the next SetFocus");
        CheckEq(GetFocus(dlg), kEdit, "GetFocus names the edit");
        Recorded().Clear();
        SetFocus(dlg, kEdit);
        Check(Recorded().Empty(), "the focus set where it is raises nothing");
        SetFocus(dlg, kCombo);
        CheckEq(GetFocus(dlg), kCombo, "GetFocus names a combo box for its edit field");
        Check(Recorded().Saw(Msg::Command, kCombo, Code::SetFocus), "a combo box reports its focus");
        Recorded().Clear();
        SetFocus(dlg, kOther);
        CheckEq(Recorded().Commands(), std::vector<std::string>{"103 killfocus"},
                "a push button taking the focus reports nothing, the combo box its loss");
        CheckEq(GetFocus(dlg), kOther, "GetFocus names the button");
    });
}

CONFORMANCE_CASE(kSection, "the focus starts on the first visible tab stop unless Init sets it") {
    DialogSpec spec;
    spec.caption = "Focus";
    spec.width = 200;
    spec.height = 100;
    spec.controls = {{10, Kind::Label, "Name", {5, 5, 40, 15}, 0},
                     {11, Kind::Edit, "", {50, 5, 80, 20}, kTabStop | kHidden},
                     {12, Kind::Edit, "", {50, 30, 80, 20}, kTabStop},
                     {1, Kind::Button, "OK", {10, 60, 60, 25}, kTabStop}};
    int focus = 0;
    std::vector<std::string> commands;  // until the dialog ends (ending it may take the focus away)
    Recorded().Clear();
    RunShown(spec, [&](Window dlg) {
        focus = GetFocus(dlg);
        commands = Recorded().Commands();
    });
    CheckEq(focus, 12, "the first visible tab stop has the focus");
    CheckEq(commands, std::vector<std::string>{"12 setfocus"}, "and reported it");
    Recorded().Clear();
    RunShown(spec, [&](Window dlg) { focus = GetFocus(dlg); }, [](Window dlg, const Event& e) {
        if (e.msg == Msg::Init) SetFocus(dlg, 1);
        return 0;
    });
    CheckEq(focus, 1, "the control Init focuses keeps the focus");
    Check(!Recorded().Saw(Msg::Command, 12, Code::SetFocus), "the first tab stop never had it");
}

CONFORMANCE_CASE(kSection, "a click toggles a check box before it notifies; labels report clicks with kNotify") {
    bool checkedWhenNotified = false;
    RunShown(MainSpec(), [](Window dlg) {
        Recorded().Clear();
        User().Click(dlg, kCheck);
        User().Click(dlg, kLink);
        User().Click(dlg, kOther);
        WaitFor([] { return Recorded().Saw(Msg::Command, kOther, Code::Clicked); });
        std::vector<std::string> clicks;  // a click may also move the focus (Win32 does)
        for (const std::string& c : Recorded().Commands())
            if (c.find("focus") == std::string::npos) clicks.push_back(c);
        CheckEq(clicks,
                std::vector<std::string>{std::to_string(kCheck) + " clicked", std::to_string(kLink) + " clicked",
                                         std::to_string(kOther) + " clicked"},
                "check box, notifying label and button report their clicks in order");
        Check(GetCheck(dlg, kCheck), "the check box is checked");
        SetCheck(dlg, kCheck, false);
        Check(!GetCheck(dlg, kCheck), "SetCheck clears it");
    }, [&](Window dlg, const Event& e) {
        if (e.msg == Msg::Command && e.id == kCheck) checkedWhenNotified = GetCheck(dlg, kCheck);
        return 0;
    });
    Check(checkedWhenNotified, "the check mark has changed when the click is reported");
}

CONFORMANCE_CASE(kSection, "typing replaces the selection, one Change per character, within the limit") {
    std::vector<std::string> texts;
    bool typing = false;
    RunShown(MainSpec(), [&](Window dlg) {
        SetText(dlg, kEdit, "7");
        LimitText(dlg, kEdit, 3);
        SetFocus(dlg, kEdit);
        SelectAllText(dlg, kEdit);
        typing = true;
        User().Type(dlg, "1234");  // the 4 is refused by the limit
        WaitFor([&] { return texts.size() >= 3; });
        WaitFor([dlg] { return GetText(dlg, kEdit) == "123"; });
        User().Type(dlg, "\b");
        WaitFor([dlg] { return GetText(dlg, kEdit) == "12"; });
        CheckEq(GetText(dlg, kEdit), "12", "the text typed, cut to the limit, less the backspace");
    }, [&](Window dlg, const Event& e) {
        if (typing && e.msg == Msg::Command && e.id == kEdit && e.code == Code::Change)
            texts.push_back(GetText(dlg, kEdit));
        return 0;
    });
    CheckEq(texts, std::vector<std::string>{"1", "12", "123", "12"}, "the text at each Change");
}

}  // namespace
}  // namespace window

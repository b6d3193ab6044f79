// window.h's keyboard rules: Escape sends 2; Enter the focused push
// button's id, else the default button's, else 1; a key hook sees every press
// and release of its control before the standard behaviour, also the presses
// the dialog acts on; accelerators take their key first; Tab walks the tab
// stops in creation order.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "keys";
constexpr int kVkF5 = 0x74;

struct Key {
    int vk;
    bool down;
    int selection;  // the list's selection when the hook saw the key
};
std::vector<Key> hooked;

void HookList(Window dlg) {
    hooked.clear();
    SetKeyHook(dlg, kList, [](Window w, int id, int vk, bool down) {
        if (id == kList) hooked.push_back({vk, down, ListGetSel(w, kList)});
    });
}
int Presses(int vk, bool down) {
    int n = 0;
    for (const Key& k : hooked) n += k.vk == vk && k.down == down;
    return n;
}

CONFORMANCE_CASE(kSection, "Enter and Escape: the default button's id, 2; the hook sees Enter's press and release") {
    RunShown(MainSpec(), [](Window dlg) {
        AddRows(dlg, kList, 2);
        SetFocus(dlg, kList);
        HookList(dlg);
        Recorded().Clear();
        User().Press(dlg, kVkReturn);
        WaitFor([] { return Presses(kVkReturn, false) == 1; });
        Check(Recorded().Saw(Msg::Command, 1, Code::Clicked), "Enter sends the default button's id");
        CheckEq(Recorded().Count(Msg::Command, 1), 1, "once: Enter's release sends nothing");
        CheckEq(Presses(kVkReturn, true), 1, "the list's key hook sees the press of Enter that the dialog acts on, once");
        CheckEq(Presses(kVkReturn, false), 1, "the release of Enter reaches the list's key hook");
        User().Press(dlg, kVkF5);
        WaitFor([] { return Presses(kVkF5, false) == 1; });
        CheckEq(Presses(kVkF5, true), 1, "a press the list receives itself reaches its key hook once");
        Recorded().Clear();
        User().KeyDown(dlg, kVkEscape);
        WaitFor([] { return Recorded().Saw(Msg::Command, 2); });
        Check(Recorded().Saw(Msg::Command, 2, Code::Clicked), "Escape sends 2");
    });
}

CONFORMANCE_CASE(kSection, "Enter: the focused push button, else the default button, else 1") {
    RunShown(MainSpec(), [](Window dlg) {
        SetFocus(dlg, kList);
        SetDefaultButton(dlg, 1, false);
        SetDefaultButton(dlg, kOther, true);
        Recorded().Clear();
        User().Press(dlg, kVkReturn);
        WaitFor([] { return Recorded().Saw(Msg::Command, kOther); });
        Check(Recorded().Saw(Msg::Command, kOther, Code::Clicked) && !Recorded().Saw(Msg::Command, 1),
              "SetDefaultButton makes Enter's target");
        SetDefaultButton(dlg, kOther, false);
        Recorded().Clear();
        User().Press(dlg, kVkReturn);
        WaitFor([] { return Recorded().Saw(Msg::Command, 1); });
        Check(Recorded().Saw(Msg::Command, 1, Code::Clicked) && !Recorded().Saw(Msg::Command, kOther),
              "without a default button Enter sends 1");
        SetDefaultButton(dlg, 1, true);
        SetFocus(dlg, kOther);
        Recorded().Clear();
        User().Press(dlg, kVkReturn);
        WaitFor([] { return Recorded().Saw(Msg::Command, kOther); });
        Check(Recorded().Saw(Msg::Command, kOther, Code::Clicked) && !Recorded().Saw(Msg::Command, 1),
              "Enter on a focused push button sends its id");
    }, [](Window, const Event& e) { return e.msg == Msg::Command && (e.id == 1 || e.id == 2); });
}

CONFORMANCE_CASE(kSection, "the hook sees a key before the list moves; a key that moves nothing notifies nothing") {
    RunShown(MainSpec(), [](Window dlg) {
        AddRows(dlg, kList, 2);
        ListSetSel(dlg, kList, 0);
        SetFocus(dlg, kList);
        HookList(dlg);
        Recorded().Clear();
        User().Press(dlg, kVkDown);
        WaitFor([] { return Presses(kVkDown, false) == 1; });
        CheckEq(ListGetSel(dlg, kList), 1, "Down moves the list's selection");
        Check(Recorded().Saw(Msg::Command, kList, Code::SelChange), "a selection by the user notifies");
        Check(hooked.size() == 2 && hooked[0].selection == 0 && hooked[1].selection == 1,
              "the hook sees the press before the list moves, the release after");
        Recorded().Clear();
        User().Press(dlg, kVkDown);  // already on the last entry
        WaitFor([] { return Presses(kVkDown, false) == 2; });
        CheckEq(ListGetSel(dlg, kList), 1, "Down on the last entry stays");
        CheckEq(Presses(kVkDown, true), 2, "the hook sees the press that moves nothing too");
        Check(!Recorded().Saw(Msg::Command, kList, Code::SelChange), "and notifies nothing");
        RemoveKeyHook(dlg, kList);
        hooked.clear();
        User().Press(dlg, kVkUp);
        WaitFor([dlg] { return ListGetSel(dlg, kList) == 0; });
        CheckEq(ListGetSel(dlg, kList), 0, "the list keeps its keys without the hook");
        Check(hooked.empty(), "RemoveKeyHook stops the hook");
    });
}

CONFORMANCE_CASE(kSection, "an accelerator takes its key before the hook and the list") {
    RunShown(MainSpec(), [](Window dlg) {
        AddRows(dlg, kList, 3);
        ListSetSel(dlg, kList, 1);
        SetFocus(dlg, kList);
        HookList(dlg);
        SetAccelerators(dlg, {{kVkUp, true, 225}, {kVkDown, true, 226}});
        Recorded().Clear();
        User().Press(dlg, kVkUp, true);
        WaitFor([] { return Recorded().Saw(Msg::Command, 225); });
        User().Press(dlg, kVkDown, true);
        WaitFor([] { return Recorded().Saw(Msg::Command, 226); });
        Check(Recorded().Saw(Msg::Command, 225, Code::Clicked), "Shift+Up gives the accelerator's command");
        Check(Recorded().Saw(Msg::Command, 226, Code::Clicked), "Shift+Down gives its own");
        CheckEq(ListGetSel(dlg, kList), 1, "the accelerator's key does not move the list");
        CheckEq(Presses(kVkUp, true) + Presses(kVkDown, true), 0, "the hook does not see the accelerator's press");
        User().Press(dlg, kVkDown);
        WaitFor([dlg] { return ListGetSel(dlg, kList) == 2; });
        CheckEq(ListGetSel(dlg, kList), 2, "Down without Shift is the list's again");
    });
}

CONFORMANCE_CASE(kSection, "a Ctrl accelerator the edit keeps takes Ctrl+C in a list, not in an edit field") {
    RunShown(MainSpec(), [](Window dlg) {
        AddRows(dlg, kList, 3);
        SetFocus(dlg, kList);
        SetAccelerators(dlg, {{'C', false, 325, true, true}, {'S', false, 326, true}});
        Recorded().Clear();
        User().PressCtrl(dlg, 'C');
        WaitFor([] { return Recorded().Saw(Msg::Command, 325); });
        CheckEq(Recorded().Count(Msg::Command, 325, Code::Clicked), 1, "Ctrl+C in the list gives the command");
        User().Press(dlg, 'C');
        User().PressCtrl(dlg, 'S');  // a later command shows that the plain C was handled
        WaitFor([] { return Recorded().Saw(Msg::Command, 326); });
        CheckEq(Recorded().Count(Msg::Command, 325), 1, "C without Ctrl is not the accelerator");
        SetFocus(dlg, kEdit);
        SetText(dlg, kEdit, "abc");
        Recorded().Clear();
        User().PressCtrl(dlg, 'C');
        User().PressCtrl(dlg, 'S');
        WaitFor([] { return Recorded().Saw(Msg::Command, 326); });
        CheckEq(Recorded().Count(Msg::Command, 325), 0, "Ctrl+C in an edit field stays the field's copy");
        CheckEq(Recorded().Count(Msg::Command, 326), 1, "Ctrl+S there is still the accelerator's");
        CheckEq(GetText(dlg, kEdit), std::string("abc"), "the field's text is untouched");
        CheckDriver();
    });
}

CONFORMANCE_CASE(kSection, "Tab walks the visible tab stops in creation order, Shift+Tab back") {
    RunShown(ListSpec(), [](Window dlg) {
        SetFocus(dlg, kList);
        Recorded().Clear();
        User().Press(dlg, kVkTab);  // the button between is no tab stop
        WaitFor([dlg] { return GetFocus(dlg) == kEdit; });
        CheckEq(GetFocus(dlg), kEdit, "Tab moves from the list to the next tab stop");
        Check(Recorded().Saw(Msg::Command, kList, Code::KillFocus) &&
                  Recorded().Saw(Msg::Command, kEdit, Code::SetFocus),
              "Tab notifies both sides");
        User().Type(dlg, "x");  // Tab selected the edit's "abc": the character replaces it
        WaitFor([dlg] { return GetText(dlg, kEdit) != "abc"; });
        CheckEq(GetText(dlg, kEdit), "x", "Tab into an edit selects its text");
        User().Press(dlg, kVkTab);
        WaitFor([dlg] { return GetFocus(dlg) == kCombo; });
        CheckEq(GetFocus(dlg), kCombo, "and on to the combo box");
        User().Press(dlg, kVkTab);
        WaitFor([dlg] { return GetFocus(dlg) == kList; });
        CheckEq(GetFocus(dlg), kList, "from the last tab stop back to the first");
        User().Press(dlg, kVkTab, true);
        WaitFor([dlg] { return GetFocus(dlg) == kCombo; });
        CheckEq(GetFocus(dlg), kCombo, "Shift+Tab goes back");
    });
}

CONFORMANCE_CASE(kSection, "the release of an Enter whose press closed a dialog reaches the control below") {
    RunShown(MainSpec(), [](Window dlg) {
        SetFocus(dlg, kList);
        HookList(dlg);
        bool childEnded = false;
        RunShown(DialogSpec{"Child", 120, 60, false, kCaption | kSysMenu, dlg, true, "MS Sans Serif", 8, -1,
                            {{1, Kind::Button, "OK", {10, 10, 60, 25}, kDefault}}},
                 [&](Window child) {
                     User().KeyDown(child, kVkReturn);
                     WaitFor([&] { return !User().IsOpen(child); });
                     childEnded = !User().IsOpen(child);
                 },
                 [](Window child, const Event& e) {
                     if (e.msg == Msg::Command && e.id == 1) EndDialog(child, 1);
                     return 0;
                 });
        Check(childEnded, "Enter's press ends the child");
        User().KeyUp(dlg, kVkReturn);
        WaitFor([] { return Presses(kVkReturn, false) == 1; });
        CheckEq(Presses(kVkReturn, true), 0, "the list below did not see the press");
        CheckEq(Presses(kVkReturn, false), 1, "the release reaches the list below");
    });
}

}  // namespace
}  // namespace window

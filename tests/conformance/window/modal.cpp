// window.h's modal rules: RunDialog runs a nested loop and disables the
// owner; EndDialog's value is RunDialog's; a Close answered with 0 ends the
// dialog with 2, any other answer keeps it; SendUser and SendCommand reach
// the callback at once; the prompt has no owner.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "modal and close";

DialogSpec ChildSpec(Window owner) {
    DialogSpec child;
    child.caption = "Child";
    child.width = 120;
    child.height = 60;
    child.owner = owner;
    child.controls = {{1, Kind::Button, "OK", {10, 10, 60, 25}, kDefault}};
    return child;
}

CONFORMANCE_CASE(kSection, "RunDialog returns the EndDialog value after Destroy") {
    int destroys = 0;
    int r = RunShown(MainSpec(), [](Window dlg) { EndDialog(dlg, 7); }, [&](Window, const Event& e) {
        destroys += e.msg == Msg::Destroy;
        return 0;
    });
    CheckEq(r, 7, "RunDialog returns the EndDialog value");
    CheckEq(destroys, 1, "the dialog gets Destroy once");
}

CONFORMANCE_CASE(kSection, "EndDialog during Init gives its result") {
    bool destroyed = false, bodyRan = false;
    int r = RunShown(MainSpec(), [&](Window) { bodyRan = true; }, [&](Window dlg, const Event& e) {
        if (e.msg == Msg::Init) EndDialog(dlg, 5);
        destroyed |= e.msg == Msg::Destroy;
        return 0;
    });
    CheckEq(r, 5, "EndDialog during Init gives its result");
    Check(destroyed, "Destroy still arrives");
    Check(!bodyRan, "the dialog never runs its loop");
}

CONFORMANCE_CASE(kSection, "a child dialog disables its owner; Close answered with 0 ends it with 2") {
    RunShown(MainSpec(), [](Window dlg) {
        bool ownerEnabled = true, closeSeen = false;
        int childDestroys = 0;
        int r = RunShown(ChildSpec(dlg), [&](Window child) {
            ownerEnabled = User().IsEnabled(dlg);
            Check(User().IsEnabled(child), "the child takes input");
            User().CloseBox(child);
            WaitFor([&] { return closeSeen && !User().IsOpen(child); });
        }, [&](Window, const Event& e) {
            closeSeen |= e.msg == Msg::Close;
            childDestroys += e.msg == Msg::Destroy;
            return 0;
        });
        Check(!ownerEnabled, "the owner is disabled while a child dialog runs");
        Check(closeSeen, "the close box sends Close");
        CheckEq(r, 2, "Close answered with 0 ends the dialog with 2");
        CheckEq(childDestroys, 1, "Destroy arrives once");
        Check(User().IsEnabled(dlg), "the owner is enabled again afterwards");
        Check(User().IsOpen(dlg), "and still runs");
    });
}

CONFORMANCE_CASE(kSection, "Close answered with 1 keeps the dialog; SendClose is the same command") {
    int closes = 0;
    int r = RunShown(MainSpec(), [&](Window dlg) {
        User().CloseBox(dlg);
        WaitFor([&] { return closes == 1; });
        CheckEq(closes, 1, "the close box sends Close");
        Check(User().IsOpen(dlg), "Close answered with 1 keeps the dialog");
        SendClose(dlg);
        CheckEq(closes, 2, "SendClose sends Close at once");
        Check(User().IsOpen(dlg), "and answered with 1 keeps the dialog too");
        EndDialog(dlg, 9);
    }, [&](Window, const Event& e) {
        if (e.msg != Msg::Close) return 0;
        ++closes;
        return 1;
    });
    CheckEq(r, 9, "the dialog ends with its own EndDialog");
}

CONFORMANCE_CASE(kSection, "a nested dialog runs on the same loop and ends before its owner") {
    std::vector<std::string> log;
    int inner = 0;
    int r = RunShown(MainSpec(), [&](Window dlg) {
        User().Click(dlg, kOther);  // opens the child from the callback
        WaitFor([&] { return inner != 0; });
        CheckEq(inner, 1, "the child's OK ends it with 1");
        log.push_back("back in the owner");
        EndDialog(dlg, 4);
    }, [&](Window dlg, const Event& e) {
        if (e.msg == Msg::Command && e.id == kOther) {
            log.push_back("child opens");
            inner = RunShown(ChildSpec(dlg), [&](Window child) {
                User().Click(child, 1);
                WaitFor([&] { return !User().IsOpen(child); });
            }, [&](Window child, const Event& ce) {
                if (ce.msg == Msg::Command && ce.id == 1) EndDialog(child, 1);
                return 0;
            });
            log.push_back("child ended");
        }
        return 0;
    });
    CheckEq(r, 4, "the owner ends with its own result");
    CheckEq(log, std::vector<std::string>{"child opens", "child ended", "back in the owner"},
            "the child runs inside the owner's command");
}

CONFORMANCE_CASE(kSection, "SendUser and SendCommand reach the callback at once") {
    RunShown(MainSpec(), [](Window dlg) {
        Recorded().Clear();
        CheckEq(SendUser(dlg, 1524), 77, "SendUser returns the callback's answer");
        Check(Recorded().Saw(Msg::User, 1524), "SendUser arrives as User with its number");
        SendCommand(dlg, kList, Code::SelChange);
        SendCommand(dlg, kEdit, Code::KillFocus);
        SendCommand(dlg, 5000);
        Check(Recorded().Saw(Msg::Command, kList, Code::SelChange) &&
                  Recorded().Saw(Msg::Command, kEdit, Code::KillFocus) &&
                  Recorded().Saw(Msg::Command, 5000, Code::Clicked),
              "SendCommand keeps id and code");
    }, [](Window, const Event& e) { return e.msg == Msg::User && e.id == 1524 ? 77 : 0; });
}

CONFORMANCE_CASE(kSection, "a prompt has no owner: it disables nothing and answers with the button's number") {
    RunShown(MainSpec(), [](Window dlg) {
        bool up = false, enabledWhileUp = false;
        User().AnswerPrompt(7, [&] {
            up = true;
            enabledWhileUp = User().IsEnabled(dlg);
        });
        CheckEq(Prompt("Save the list?", "Check", 0x4 | 0x20), 7, "the prompt answers with the button's number");
        if (User().ShowsPlatformDialogs()) {
            Check(up, "the prompt showed");
            Check(enabledWhileUp, "a prompt blocks no window");
        } else {
            Info("the " + User().Name() + " layer answers a prompt in place: no window is up to block");
        }
        User().AnswerPrompt(2);
        CheckEq(Prompt("Save the list?", "Check", 0x3 | 0x20), 2, "Cancel of a Yes/No/Cancel prompt answers 2");
        Check(User().IsEnabled(dlg), "the dialog takes input after the prompt");
    });
}

}  // namespace
}  // namespace window

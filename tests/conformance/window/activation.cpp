// window.h's Activate: a dialog the user comes back to from another program
// hears of it, and the activation changes nothing else: the focused control
// keeps the focus and no command arrives with it.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "activation";

CONFORMANCE_CASE(kSection, "coming back from another window raises Activate and keeps the focus") {
    RunShown(MainSpec(), [](Window dlg) {
        SetFocus(dlg, kEdit);
        Recorded().Clear();
        User().Activate(dlg);
        Check(WaitFor([] { return Recorded().Saw(Msg::Activate, 0); }), "Activate arrives");
        CheckEq(GetFocus(dlg), static_cast<int>(kEdit), "the focused control keeps the focus");
        bool commands = false;
        for (const Seen& s : Recorded().All())
            commands = commands || (s.msg == Msg::Command && s.code != Code::SetFocus && s.code != Code::KillFocus);
        Check(!commands, "no command comes with the activation");
        Recorded().Clear();
        User().Activate(dlg);
        Check(WaitFor([] { return Recorded().Saw(Msg::Activate, 0); }), "and again the second time");
    });
}

CONFORMANCE_CASE(kSection, "the answer to Activate changes nothing") {
    // The answer of the callback is ignored: a dialog answering 1 still runs on.
    int activations = 0;
    RunShown(MainSpec(), [](Window dlg) {
        Recorded().Clear();
        User().Activate(dlg);
        Check(WaitFor([] { return Recorded().Saw(Msg::Activate, 0); }), "Activate arrives");
        Check(User().IsOpen(dlg), "the dialog stays open after an activation answered with 1");
    }, [&](Window, const Event& e) {
        if (e.msg == Msg::Activate) ++activations;
        return e.msg == Msg::Activate ? 1 : 0;
    });
    Check(activations > 0, "the callback was told");
}

}  // namespace
}  // namespace window

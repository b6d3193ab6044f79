// The headless layer's script and its failures: a prompt, file dialog,
// printer dialog or pop-up menu that nobody scripted, an answer the prompt
// cannot give, a script that runs dry, input for no control, a font deleted
// twice. Each is a failure of the test that ran it, recorded by the model.
#include <string>
#include <vector>

#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using headless_model::MenuSpec;
using headless_model::OkCancelSpec;
using conformance::Check;
using conformance::CheckEq;

namespace headless_script {

CONFORMANCE_CASE("common dialogs", "headless model: CommonDialogs.UnscriptedOrImpossiblePromptAnswersAreFailures") {
    InFreshLayer([&] {
        CheckEq(Prompt("Save?", "Save File", 35), 2, R"chk(Prompt("Save?", "Save File", 35) == 2)chk");
        headless::AnswerPrompt(2);
        Prompt("Delete?", "Delete Item", 36);  // Yes/No offers no Cancel
        CheckEq(headless::TakeFailures(), (std::vector<std::string>{"unscripted prompt \"Save?\"",
                                            "prompt \"Delete?\" of style 36 cannot answer 2"}), R"chk(headless::TakeFailures() == (std::vector<std::string>{"unscripted prompt \"Save?\"", "prompt \"Delete?\" of style 36 cannot answer 2"}))chk");
    });
}

CONFORMANCE_CASE("common dialogs", "headless model: CommonDialogs.UnscriptedFileDialogIsAFailure") {
    InFreshLayer([&] {
        FileDialogRequest open;
        Check(!(GetOpenFileName(open)), R"chk(not GetOpenFileName(open))chk");  // unscripted
        CheckEq(headless::TakeFailures(), std::vector<std::string>{"unscripted open-file dialog"}, R"chk(headless::TakeFailures() == std::vector<std::string>{"unscripted open-file dialog"})chk");
    });
}

CONFORMANCE_CASE("menus", "headless model: Menus.UnscriptedOrUnknownPopupChoiceIsDismissedWithAFailure") {
    InFreshLayer([&] {
        Menu popup = CreatePopupMenu({{"Buy", 315, {}}});
        int commands = 0;
        headless::ChoosePopup(999);
        headless::Then([&] {
            TrackPopupMenu(popup, 0, 0, headless::ActiveDialog());
            TrackPopupMenu(popup, 0, 0, headless::ActiveDialog());
        });
        headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
        RunDialog(MenuSpec(), [&](Window, const Event& e) {
            if (e.msg == Msg::Command && e.code == Code::Clicked) ++commands;
            return 0;
        });
        CheckEq(commands, 0, R"chk(commands == 0)chk");
        CheckEq(headless::TakeFailures(), (std::vector<std::string>{"pop-up menu has no item 999", "unscripted pop-up menu"}), R"chk(headless::TakeFailures() == (std::vector<std::string>{"pop-up menu has no item 999", "unscripted pop-up menu"}))chk");
    });
}

CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.ScriptRunningDryEndsEveryOpenDialogWithCancel") {
    InFreshLayer([&] {
        int innerResult = -1;
        auto outerCallback = [&](Window dlg, const Event& e) {
            if (e.msg == Msg::Command && e.id == 1) innerResult = RunDialog(OkCancelSpec("Inner", dlg), nullptr);
            return 0;
        };
        headless::Click(1);
        CheckEq(RunDialog(OkCancelSpec("Outer"), outerCallback), 2, R"chk(RunDialog(OkCancelSpec("Outer"), outerCallback) == 2)chk");
        CheckEq(innerResult, 2, R"chk(innerResult == 2)chk");
        CheckEq(headless::TakeFailures(), (std::vector<std::string>{"script ran out in dialog Inner",
                                                                  "script ran out in dialog Outer"}), R"chk(headless::TakeFailures() == (std::vector<std::string>{"script ran out in dialog Inner", "script ran out in dialog Outer"}))chk");
    });
}

CONFORMANCE_CASE("fonts and text", "headless model: Fonts.DeletingTwiceOrMeasuringADeletedFontIsAFailure") {
    InFreshLayer([&] {
        Font font = CreateFont({"MS Sans Serif", -11, 400});
        DeleteFont(font);
        MeasureText(font, "x");
        DeleteFont(font);
        CheckEq(headless::TakeFailures(), (std::vector<std::string>{"text measured with a deleted font", "font deleted twice"}), R"chk(headless::TakeFailures() == (std::vector<std::string>{"text measured with a deleted font", "font deleted twice"}))chk");
    });
}

CONFORMANCE_CASE("printer", "headless model: Printer.NothingHappensWithoutAnOpenJob") {
    InFreshLayer([&] {
        headless::AnswerPrinterDialog(false);
        (void)PrinterChooseAndOpen(0, "Print job");  // cancelled
        PrinterText("lost");
        PrinterNewLine();
        PrinterClose();
        Check(headless::PrinterOps().empty(), R"chk(headless::PrinterOps().empty())chk");
    
        headless::AnswerPrinterDialog(true);
        if (!Check(PrinterChooseAndOpen(0, "Print job"), R"chk(PrinterChooseAndOpen(0, "Print job"))chk")) return;
        PrinterClose();
        PrinterText("after close");
        CheckEq(headless::PrinterOps().size(), 2u, R"chk(headless::PrinterOps().size() == 2u)chk");
    
        Check(!(PrinterChooseAndOpen(0, "Print job")), R"chk(not PrinterChooseAndOpen(0, "Print job"))chk");  // unscripted
        CheckEq(headless::TakeFailures(), std::vector<std::string>{"unscripted printer dialog"}, R"chk(headless::TakeFailures() == std::vector<std::string>{"unscripted printer dialog"})chk");
    });
}

CONFORMANCE_CASE("notifications", "headless model: Controls.TypingWithoutAFocusedEditOrClickingNoControlIsAFailure") {
    InFreshLayer([&] {
        DialogSpec spec;
        spec.caption = "Controls";
        spec.width = 300;
        spec.height = 200;
        spec.controls = {{100, Kind::ListBox, "", {10, 10, 100, 130}, kTabStop | kNotify},
                         {101, Kind::Edit, "", {120, 10, 60, 20}, kTabStop}};
        int commands = 0;
        headless::Type("x");  // the list has the focus
        headless::Click(999);
        headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
        RunDialog(spec, [&](Window, const Event& e) {
            commands += e.msg == Msg::Command && e.code != Code::SetFocus;
            return 0;
        });
        CheckEq(commands, 0, R"chk(commands == 0)chk");
        CheckEq(headless::TakeFailures(), (std::vector<std::string>{"Type: no edit field has the focus in dialog Controls", "Click: no control 999 in dialog Controls"}), R"chk(headless::TakeFailures() == (std::vector<std::string>{"Type: no edit field has the focus in dialog Controls", "Click: no control 999 in dialog Controls"}))chk");
    });
}

}  // namespace headless_script

// Prompts and file dialogs of the headless layer: recorded requests and
// scripted answers.
#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using conformance::Check;
using conformance::CheckEq;

namespace common_dialogs_model {


CONFORMANCE_CASE("common dialogs", "headless model: CommonDialogs.PromptRecordsAndAnswersFromTheScript") {
    InFreshLayer([&] {
        headless::AnswerPrompt(6);
        CheckEq(Prompt("Delete this item now?", "Delete Item", 36), 6, R"chk(Prompt("Delete this item now?", "Delete Item", 36) == 6)chk");
        if (!CheckEq(headless::Prompts().size(), 1u, R"chk(headless::Prompts().size() == 1u)chk")) return;
        CheckEq(headless::Prompts()[0].text, "Delete this item now?", R"chk(headless::Prompts()[0].text == "Delete this item now?")chk");
        CheckEq(headless::Prompts()[0].caption, "Delete Item", R"chk(headless::Prompts()[0].caption == "Delete Item")chk");
        CheckEq(headless::Prompts()[0].style, 36, R"chk(headless::Prompts()[0].style == 36)chk");
        CheckEq(headless::Prompts()[0].answer, 6, R"chk(headless::Prompts()[0].answer == 6)chk");
    });
}

CONFORMANCE_CASE("common dialogs", "headless model: CommonDialogs.UnscriptedOrImpossiblePromptAnswersAreFailures") {
    InFreshLayer([&] {
        CheckEq(Prompt("Save?", "Save File", 35), 2, R"chk(Prompt("Save?", "Save File", 35) == 2)chk");
        headless::AnswerPrompt(2);
        Prompt("Delete?", "Delete Item", 36);  // Yes/No offers no Cancel
        CheckEq(headless::TakeFailures(), (std::vector<std::string>{"unscripted prompt \"Save?\"",
                                            "prompt \"Delete?\" of style 36 cannot answer 2"}), R"chk(headless::TakeFailures() == (std::vector<std::string>{"unscripted prompt \"Save?\"", "prompt \"Delete?\" of style 36 cannot answer 2"}))chk");
    });
}

CONFORMANCE_CASE("common dialogs", "headless model: CommonDialogs.SaveDialogAppendsTheDefaultExtensionToANameWithoutOne") {
    InFreshLayer([&] {
        FileDialogRequest request;
        request.title = "Save File";
        request.fileName = "My pantrium";
        request.defExt = "ptm";
        headless::AnswerFileDialog(true, "C:\\lists\\week");
        headless::AnswerFileDialog(true, "C:\\lists.old\\week.txt");
        if (!Check(GetSaveFileName(request), R"chk(GetSaveFileName(request))chk")) return;
        CheckEq(request.fileName, "C:\\lists\\week.ptm", R"chk(request.fileName == "C:\\lists\\week.ptm")chk");
        if (!Check(GetSaveFileName(request), R"chk(GetSaveFileName(request))chk")) return;
        CheckEq(request.fileName, "C:\\lists.old\\week.txt", R"chk(request.fileName == "C:\\lists.old\\week.txt")chk");  // a dot in a folder does not count
        Check(request.flags & 0x400, R"chk(request.flags & 0x400)chk");                       // extension differs
        if (!CheckEq(headless::FileDialogs().size(), 2u, R"chk(headless::FileDialogs().size() == 2u)chk")) return;
        CheckEq(headless::FileDialogs()[0].fileName, "My pantrium", R"chk(headless::FileDialogs()[0].fileName == "My pantrium")chk");  // the request as passed in
    });
}

CONFORMANCE_CASE("common dialogs", "headless model: CommonDialogs.CancelledFileDialogLeavesTheNameAlone") {
    InFreshLayer([&] {
        FileDialogRequest open;
        headless::AnswerFileDialog(false, "ignored");
        Check(!(GetOpenFileName(open)), R"chk(not GetOpenFileName(open))chk");
        CheckEq(open.fileName, "", R"chk(open.fileName == "")chk");
        FileDialogRequest save;
        save.fileName = "my Pantrium.ptm";
        headless::AnswerFileDialog(false, "");
        Check(!(GetSaveFileName(save)), R"chk(not GetSaveFileName(save))chk");
        CheckEq(save.fileName, "my Pantrium.ptm", R"chk(save.fileName == "my Pantrium.ptm")chk");
        Check(!(GetOpenFileName(open)), R"chk(not GetOpenFileName(open))chk");  // unscripted
        CheckEq(headless::TakeFailures(), std::vector<std::string>{"unscripted open-file dialog"}, R"chk(headless::TakeFailures() == std::vector<std::string>{"unscripted open-file dialog"})chk");
    });
}

}  // namespace common_dialogs_model

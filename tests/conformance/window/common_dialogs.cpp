// window.h's common dialogs: a save dialog adds the default extension to a
// name without one and says when the extension differs; a cancelled dialog
// leaves the name as it was.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "common dialogs";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

constexpr std::uint32_t kExtensionDifferent = 0x400;  // OFN_EXTENSIONDIFFERENT

// NUL-separated pairs, double-NUL terminated (the literal's own NUL is the second).
const char kFilter[] = "Lists (*.ptm)\0*.ptm\0All files\0*.*\0";
std::string Filter() { return std::string(kFilter, sizeof kFilter); }

CONFORMANCE_CASE(kSection, "a save dialog adds the default extension; another one is reported") {
    RunShown(MainSpec(), [](Window dlg) {
        FileDialogRequest request;
        request.owner = dlg;
        request.title = "Save File";
        request.fileName = "My pantrium";
        request.filter = Filter();
        request.defExt = "ptm";
        User().AnswerFileDialog(true, "week");
        Check(GetSaveFileName(request), "the save dialog is confirmed");
        Check(EndsWith(request.fileName, "week.ptm"), "a name without extension gets the default one: " +
                                                         request.fileName);
        Check(!(request.flags & kExtensionDifferent), "the extension is the default one");
        User().AnswerFileDialog(true, "week.txt");
        Check(GetSaveFileName(request), "the save dialog is confirmed again");
        Check(EndsWith(request.fileName, "week.txt"), "a name with an extension keeps it: " + request.fileName);
        Check(request.flags & kExtensionDifferent, "the extension is reported as different");
        CheckDriver();
    });
}

CONFORMANCE_CASE(kSection, "a cancelled file dialog leaves the name alone") {
    RunShown(MainSpec(), [](Window dlg) {
        FileDialogRequest open;
        open.owner = dlg;
        open.filter = Filter();
        User().AnswerFileDialog(false, "");
        Check(!GetOpenFileName(open), "a cancelled open dialog answers false");
        CheckEq(open.fileName, "", "and leaves the name empty");
        FileDialogRequest save;
        save.owner = dlg;
        save.fileName = "my Pantrium.ptm";
        save.defExt = "ptm";
        User().AnswerFileDialog(false, "");
        Check(!GetSaveFileName(save), "a cancelled save dialog answers false");
        CheckEq(save.fileName, "my Pantrium.ptm", "and keeps the proposed name");
        Check(User().IsEnabled(dlg), "the owner takes input again");
        CheckDriver();
    });
}

}  // namespace
}  // namespace window

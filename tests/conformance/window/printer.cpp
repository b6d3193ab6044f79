// window.h's printer: one job at a time, its geometry, a text moving the
// position, a new line back to the left margin one line down; without an open
// job every call does nothing.
#include <cstdio>

#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "printer";

CONFORMANCE_CASE(kSection, "a print job: geometry, text and new lines") {
    RunShown(MainSpec(), [](Window dlg) {
        std::remove("window-conformance-print.pdf");  // written by the job in the current folder
        User().AnswerPrinterDialog(true);
        if (!Check(PrinterChooseAndOpen(dlg, "Check"), "a printer opens")) return;
        Check(PrinterDpiX() > 0 && PrinterDpiY() > 0, "the printer has a resolution");
        Check(PrinterLinesPerPage() > 20 && PrinterCharSize().cx > 0, "printer geometry");
        CheckEq(PrinterPosition(), Point{0, 0}, "a job starts at the top left");
        PrinterText("Milk   2.00");
        Check(PrinterPosition().x > 0, "printing a text moves the position");
        CheckEq(PrinterPosition().y, 0, "along the line");
        PrinterNewLine();
        CheckEq(PrinterPosition(), (Point{0, PrinterCharSize().cy}), "a new line");
        PrinterMoveTo(300, 200);
        CheckEq(PrinterPosition(), (Point{300, 200}), "PrinterMoveTo");
        PrinterNewPage();
        CheckEq(PrinterPosition(), (Point{0, 0}), "a new page starts at the top left");
        PrinterClose();
        CheckEq(PrinterPosition(), (Point{0, 0}), "a closed job has no position");
        if (!User().ShowsPlatformDialogs()) {
            Info("the " + User().Name() + " layer records the job's operations and writes no file");
            return;
        }
        std::FILE* pdf = std::fopen("window-conformance-print.pdf", "rb");
        char head[6] = {};
        const bool read = pdf && std::fread(head, 1, 5, pdf) == 5;
        if (pdf) std::fclose(pdf);
        Check(read && std::string(head) == "%PDF-", "the job is a PDF file");
    });
}

CONFORMANCE_CASE(kSection, "without an open job every call does nothing") {
    RunShown(MainSpec(), [](Window dlg) {
        User().AnswerPrinterDialog(false);
        Check(!PrinterChooseAndOpen(dlg, "Check"), "a cancelled print dialog opens no job");
        PrinterText("lost");
        PrinterNewLine();
        PrinterClose();
        CheckEq(PrinterPosition(), (Point{0, 0}), "no position");
        CheckEq(PrinterLinesPerPage(), 0, "no page");
        CheckDriver();
    });
}

}  // namespace
}  // namespace window

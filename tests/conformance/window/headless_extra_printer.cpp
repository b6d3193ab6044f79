// The headless printer: fixed geometry, recorded operations with the position
// before each, nothing at all without an open job.
#include <string>
#include <vector>

#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using conformance::Check;
using conformance::CheckEq;

namespace printer_model {
using Op = headless::PrinterOp;


namespace {

// The recorded operations as "kind x,y details".
std::vector<std::string> Ops() {
    static const char* const kNames[] = {"open", "font", "move", "text", "newline", "newpage", "close"};
    std::vector<std::string> out;
    for (const Op& op : headless::PrinterOps()) {
        std::string line = std::string(kNames[op.kind]) + " " + std::to_string(op.x) + "," + std::to_string(op.y);
        if (!op.text.empty()) line += " " + op.text;
        if (op.kind == Op::SetFont) line += " " + std::to_string(op.points) + "/" + std::to_string(op.style);
        out.push_back(line);
    }
    return out;
}

}  // namespace

CONFORMANCE_CASE("printer", "headless model: Printer.OperationsAreRecordedWithThePositionBeforeThem") {
    InFreshLayer([&] {
        headless::AnswerPrinterDialog(true);
        if (!Check(PrinterChooseAndOpen(0, "Print job"), R"chk(PrinterChooseAndOpen(0, "Print job"))chk")) return;
        CheckEq(PrinterDpiX(), 600, R"chk(PrinterDpiX() == 600)chk");
        CheckEq(PrinterCharSize(), (Size{60, 100}), R"chk(PrinterCharSize() == (Size{60, 100}))chk");  // "Courier New" 12 pt
        CheckEq(PrinterLinesPerPage(), 66, R"chk(PrinterLinesPerPage() == 66)chk");
        PrinterSetFont("MS Sans Serif", 11, 5);
        PrinterMoveTo(300, 200);
        PrinterText("Ab");  // 2 ordinary characters of a 91-dot font, bold: 2 x (50 + 1)
        CheckEq(PrinterPosition(), (Point{402, 200}), R"chk(PrinterPosition() == (Point{402, 200}))chk");
        PrinterNewLine();
        CheckEq(PrinterPosition(), (Point{0, 291}), R"chk(PrinterPosition() == (Point{0, 291}))chk");
        PrinterNewPage();
        CheckEq(PrinterPosition(), (Point{0, 0}), R"chk(PrinterPosition() == (Point{0, 0}))chk");
        PrinterClose();
    
        CheckEq(Ops(), (std::vector<std::string>{"open 0,0 Print job", "font 0,0 MS Sans Serif 11/5",
                                                   "move 300,200", "text 300,200 Ab", "newline 402,200",
                                                   "newpage 0,291", "close 0,0"}), R"chk(Ops() == (std::vector<std::string>{"open 0,0 Print job", "font 0,0 MS Sans Serif 11/5", "move 300,200", "text 300,200 Ab", "newline 402,200", "newpage 0,291", "close 0,0"}))chk");
    });
}

CONFORMANCE_CASE("printer", "headless model: Printer.NothingHappensWithoutAnOpenJob") {
    InFreshLayer([&] {
        headless::AnswerPrinterDialog(false);
        Check(!(PrinterChooseAndOpen(0, "Print job")), R"chk(not PrinterChooseAndOpen(0, "Print job"))chk");
        PrinterText("lost");
        PrinterNewLine();
        PrinterClose();
        CheckEq(PrinterPosition(), (Point{0, 0}), R"chk(PrinterPosition() == (Point{0, 0}))chk");
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

}  // namespace printer_model

// The headless printer: fixed geometry, recorded operations with the position
// before each, nothing at all without an open job.
#include <string>
#include <vector>

#include "headless_fixture.h"

using namespace plat;
using Op = headless::PrinterOp;

using Printer = HeadlessTest;

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

TEST_F(Printer, OperationsAreRecordedWithThePositionBeforeThem) {
    headless::AnswerPrinterDialog(true);
    ASSERT_TRUE(PrinterChooseAndOpen(0, "Print job"));
    EXPECT_EQ(PrinterDpiX(), 600);
    EXPECT_EQ(PrinterCharSize(), (Size{60, 100}));  // "Courier New" 12 pt
    EXPECT_EQ(PrinterLinesPerPage(), 66);
    PrinterSetFont("MS Sans Serif", 11, 5);
    PrinterMoveTo(300, 200);
    PrinterText("Ab");  // 2 ordinary characters of a 91-dot font, bold: 2 x (50 + 1)
    EXPECT_EQ(PrinterPosition(), (Point{402, 200}));
    PrinterNewLine();
    EXPECT_EQ(PrinterPosition(), (Point{0, 291}));
    PrinterNewPage();
    EXPECT_EQ(PrinterPosition(), (Point{0, 0}));
    PrinterClose();

    EXPECT_EQ(Ops(), (std::vector<std::string>{"open 0,0 Print job", "font 0,0 MS Sans Serif 11/5",
                                               "move 300,200", "text 300,200 Ab", "newline 402,200",
                                               "newpage 0,291", "close 0,0"}));
}

TEST_F(Printer, NothingHappensWithoutAnOpenJob) {
    headless::AnswerPrinterDialog(false);
    EXPECT_FALSE(PrinterChooseAndOpen(0, "Print job"));
    PrinterText("lost");
    PrinterNewLine();
    PrinterClose();
    EXPECT_EQ(PrinterPosition(), (Point{0, 0}));
    EXPECT_TRUE(headless::PrinterOps().empty());

    headless::AnswerPrinterDialog(true);
    ASSERT_TRUE(PrinterChooseAndOpen(0, "Print job"));
    PrinterClose();
    PrinterText("after close");
    EXPECT_EQ(headless::PrinterOps().size(), 2u);

    EXPECT_FALSE(PrinterChooseAndOpen(0, "Print job"));  // unscripted
    EXPECT_EQ(headless::TakeFailures(), std::vector<std::string>{"unscripted printer dialog"});
}

// The headless printer: fixed geometry, recorded operations with the position
// before each, nothing at all without an open job.
#include "headless_fixture.h"

using namespace plat;
using Op = headless::PrinterOp;

using Printer = HeadlessTest;

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

    const auto& ops = headless::PrinterOps();
    ASSERT_EQ(ops.size(), 7u);
    EXPECT_EQ(ops[0].kind, Op::Open);
    EXPECT_EQ(ops[0].text, "Print job");
    EXPECT_EQ(ops[1].kind, Op::SetFont);
    EXPECT_EQ(ops[1].points, 11);
    EXPECT_EQ(ops[1].style, 5);
    EXPECT_EQ(ops[2].kind, Op::MoveTo);
    EXPECT_EQ(ops[2].x, 300);
    EXPECT_EQ(ops[3].kind, Op::Text);
    EXPECT_EQ(ops[3].text, "Ab");
    EXPECT_EQ(ops[3].x, 300);
    EXPECT_EQ(ops[3].y, 200);
    EXPECT_EQ(ops[4].kind, Op::NewLine);
    EXPECT_EQ(ops[4].x, 402);
    EXPECT_EQ(ops[5].kind, Op::NewPage);
    EXPECT_EQ(ops[5].y, 291);
    EXPECT_EQ(ops[6].kind, Op::Close);
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

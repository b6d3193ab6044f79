// Printing to a PDF file: the file proposed lies beside the list and is named
// after it, and the user is told where a file went; a printer gets no notice.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "print/printed_list.h"
#include "print_test_support.h"
#include "ui/main/main_window.h"
#include "ui/main/task_commands.h"

namespace pantrium::test {
namespace {

std::string InCurrentFolder(const std::string& name) {
    const std::string folder = files::CurrentDirectory();
    const char separator = folder.find('\\') != std::string::npos ? '\\' : '/';
    return folder + separator + name;
}

TEST(PdfPathFor, LiesBesideTheListNamedAfterIt) {
    EXPECT_EQ(PdfPathFor("C:\\Users\\Ann\\Documents\\Pantrium\\my Pantrium.ptm", 1),
              "C:\\Users\\Ann\\Documents\\Pantrium\\my Pantrium.pdf");
    EXPECT_EQ(PdfPathFor("C:\\Users\\Ann\\Documents\\Pantrium\\my Pantrium.ptm", 0),
              "C:\\Users\\Ann\\Documents\\Pantrium\\my Pantrium - all.pdf");
    EXPECT_EQ(PdfPathFor("/home/ann/lists/week.v2.ptm", 1), "/home/ann/lists/week.v2.pdf");
    EXPECT_EQ(PdfPathFor("\\\\server\\share\\groceries.ptm", 0), "\\\\server\\share\\groceries - all.pdf");
}

TEST(PdfPathFor, KeepsADotOfTheFolderAndANameThatIsAllExtension) {
    EXPECT_EQ(PdfPathFor("/home/ann/lists.d/plain", 1), "/home/ann/lists.d/plain.pdf");
    EXPECT_EQ(PdfPathFor("C:\\lists.old\\.ptm", 1), "C:\\lists.old\\.ptm.pdf");
}

TEST(PdfPathFor, ARelativeOrMissingListPathIsTakenFromTheCurrentFolder) {
    EXPECT_EQ(PdfPathFor("my Pantrium.ptm", 1), InCurrentFolder("my Pantrium.pdf"));
    EXPECT_EQ(PdfPathFor("my Pantrium.ptm", 0), InCurrentFolder("my Pantrium - all.pdf"));
    EXPECT_EQ(PdfPathFor("", 1), InCurrentFolder("Pantrium.pdf"));
    EXPECT_EQ(PdfPathFor("", 0), InCurrentFolder("Pantrium - all.pdf"));
}

class PrintToFile : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        StartTable({"dairy"});
        AddRecord(1, "Milk", "gallon", 3.49f, 1, true);
        itemTable.listPath = "/home/ann/lists/week.ptm";
    }
    MainWindowState ui;
};

TEST_F(PrintToFile, TheListAndTheWholeTableProposeTheirOwnFiles) {
    headless::AnswerPrinterDialog(true);
    headless::AnswerPrinterDialog(true);
    EXPECT_EQ(PrintList(1), "") << "a printer wrote no file";
    EXPECT_EQ(PrintList(0), "");
    std::vector<std::string> proposed;
    for (const headless::PrinterOp& op : headless::PrinterOps())
        if (op.kind == headless::PrinterOp::Open) proposed.push_back(op.file);
    EXPECT_EQ(proposed, (std::vector<std::string>{"/home/ann/lists/week.pdf", "/home/ann/lists/week - all.pdf"}));
}

TEST_F(PrintToFile, PrintListTellsWhereThePdfWent) {
    headless::AnswerPrinterToFile();
    headless::AnswerPrompt(1);
    HandleTaskCommand(ui, kPrintListButton);
    ASSERT_EQ(headless::Prompts().size(), 1u);
    const headless::PromptRecord& notice = headless::Prompts()[0];
    EXPECT_EQ(notice.text, "The list was printed to the PDF file\r\n/home/ann/lists/week.pdf");
    EXPECT_EQ(notice.caption, "Print job");
    EXPECT_EQ(notice.style, 64);
    EXPECT_EQ(CountOps(headless::PrinterOp::Close), 1);
}

TEST_F(PrintToFile, PrintAllTellsOfItsOwnFile) {
    headless::AnswerPrinterToFile();
    headless::AnswerPrompt(1);
    HandleTaskCommand(ui, kCmdPrintAll);
    ASSERT_EQ(headless::Prompts().size(), 1u);
    EXPECT_EQ(headless::Prompts()[0].text, "The list was printed to the PDF file\r\n/home/ann/lists/week - all.pdf");
}

TEST_F(PrintToFile, APrinterOrACancelledDialogBringsNoNotice) {
    headless::AnswerPrinterDialog(true);
    headless::AnswerPrinterDialog(false);
    HandleTaskCommand(ui, kCmdPrintList);
    HandleTaskCommand(ui, kCmdPrintAll);
    EXPECT_TRUE(headless::Prompts().empty());
    EXPECT_EQ(CountOps(headless::PrinterOp::Open), 1);
}

}  // namespace
}  // namespace pantrium::test

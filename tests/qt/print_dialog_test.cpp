// The printed list through the system's print dialog on the Qt layer: the
// real QPrintDialog opens on "Print to File (PDF)" with a file beside the
// list named after it, the user presses Print, the list's items to buy are in
// the PDF, and a notice says where it went.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "dialogs_test_support.h"
#include "platform/window/qt/qt_hooks.h"

namespace pantrium::test {
namespace {

class PrintDialog : public UiTest {
protected:
    void TearDown() override {
        UiTest::TearDown();
        plat::qt::Hooks() = {};  // the next test installs the driver's hooks again
    }
};

// The text of a PDF file (poppler's pdftotext), empty when it cannot be read.
std::string PdfText(const std::string& path) {
    std::string command = "pdftotext -layout '" + path + "' - 2>/dev/null";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

TEST_F(PrintDialog, PrintListToPdfFromTheSystemPrintDialog) {
    TempDir dir;
    PutCategories({"dairy"});
    PutItem({"Milk", "1 gallon", 3.49f, 1, kToBuy, 2});
    PutItem({"Bread", "loaf", 2.49f, 0, 0, 0});
    WriteListFile("my Pantrium.ptm");

    static bool dialogSeen = false;
    dialogSeen = false;
    script::Then([] {
        plat::qt::Hooks().printerDialog = nullptr;  // the real print dialog
        QTimer::singleShot(200, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QPrintDialog*>(w); dialog && dialog->isVisible()) {
                    dialogSeen = true;
                    dialog->accept();  // the Print button
                }
        });
    });
    script::AnswerPrompt(1);
    script::Click(kPrintListButton);
    script::Then([] {
        EXPECT_TRUE(dialogSeen);
        const std::string pdf = QDir::current().absoluteFilePath("my Pantrium.pdf").toStdString();
        ASSERT_EQ(script::Prompts().size(), 1u);
        EXPECT_EQ(script::Prompts()[0].text, "The list was printed to the PDF file\r\n" + pdf);
        EXPECT_EQ(script::Prompts()[0].caption, "Print job");
        EXPECT_FALSE(QFile::exists(QDir::current().filePath("Print job.pdf")));
        QFile file(QString::fromStdString(pdf));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << pdf;
        EXPECT_EQ(file.read(5), "%PDF-");
        file.close();
        QFile::remove(QStringLiteral(PANTRIUM_QT_SHOT_DIR "/printed-list.pdf"));
        QDir().mkpath(PANTRIUM_QT_SHOT_DIR);
        QFile::copy(QString::fromStdString(pdf), QStringLiteral(PANTRIUM_QT_SHOT_DIR "/printed-list.pdf"));
        std::string text = PdfText(pdf);
        if (!text.empty()) {  // poppler-utils is installed by the set-up
            EXPECT_NE(text.find("Milk"), std::string::npos) << text;
            EXPECT_EQ(text.find("Bread"), std::string::npos) << "only the items to buy: " << text;
            EXPECT_NE(text.find("my Pantrium: shopping list, printed " + TodayText()), std::string::npos) << text;
            EXPECT_NE(text.find("Items to buy: 1"), std::string::npos) << text;
            const std::size_t total = text.find("Total cost:");
            ASSERT_NE(total, std::string::npos) << text;
            const std::string totalLine = text.substr(total, text.find('\n', total) - total);
            EXPECT_NE(totalLine.find("6.98"), std::string::npos) << "the total cost on its line: " << text;
        }
    });
    script::KeyDown(plat::kVkEscape);
    RunMainWindow();
}

}  // namespace
}  // namespace pantrium::test

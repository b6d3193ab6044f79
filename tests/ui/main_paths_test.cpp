// Lists in folders and under names in any language: start-up, Open, Save,
// Save As, grocery.ini, the help path, the file dialogs' starting folder and
// the PDF output, with the current folder named in that language too.
#include <fstream>
#include <iterator>

#include "platform/files.h"
#include "main_fixture.h"
#include "platform/window/pdf_printer.h"

namespace pantrium::testing {
namespace {

using script::Then;

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// grocery.ini's line for a path: ANSI where the code page holds every
// character (Einkaeufe and the dash do, Russian and Japanese do not), else
// UTF-8 after a byte-order mark.
std::string SettingsLine(const std::string& path) {
    std::string ansi;
    return (files::PathToAnsi(path, ansi) ? ansi : "\xEF\xBB\xBF" + path) + "\r\n";
}

// Each case runs in a current folder of that name, and its lists carry the name too.
class MainPaths : public MainWindowTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        name = GetParam();
        std::filesystem::create_directory(dir / name);
        std::filesystem::current_path(dir / name);
        here = std::filesystem::current_path().string();
    }
    std::string name, here;
};

TEST_P(MainPaths, StartUpInTheCurrentFolderHelpAndTheFileDialogs) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    PutHelpIn(std::filesystem::current_path());
    script::ChooseMenu(kCmdHelp);
    script::AnswerFileDialog(false, "");
    script::ChooseMenu(kCmdOpen);
    Then([this] {
        EXPECT_EQ(itemTable.listPath, "my Pantrium.ptm");
        EXPECT_EQ(itemTable.itemCount, 1);
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "my Pantrium");
        EXPECT_EQ(ui.helpPath, here + "\\Pantrium.chm");
    });
    Quit();
    Run();
    ASSERT_EQ(drivers::HelpRequests().size(), 1u);
    EXPECT_EQ(drivers::HelpRequests()[0], here + "\\Pantrium.chm");
    ASSERT_EQ(script::FileDialogs().size(), 1u);
    EXPECT_EQ(script::FileDialogs()[0].initialDir, here);
    EXPECT_EQ(files::CurrentDirectory(), here);
}

TEST_P(MainPaths, StartUpThroughTheSettingsFileThenSaveAndSaveAs) {
    const std::string list = name + "/" + name + ".ptm";  // a folder of that name in the current one
    std::filesystem::create_directory(name);
    WriteListFile(list, {{0, "Bread", "loaf", 1, 0, 0}});
    std::ofstream("pantrium.ini", std::ios::binary) << "\"" << list << "\"\r\n";
    const std::string other = here + "/" + name + " 2.ptm";
    script::ChooseMenu(kCmdBuy);
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdSave);
    Then([&] {
        EXPECT_EQ(itemTable.listPath, list);
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), CaptionForPath(list));
        EXPECT_FALSE(itemTable.modified);
        EXPECT_EQ(FileText("grocery.ini"), SettingsLine(list));
    });
    script::AnswerFileDialog(true, other);
    script::ChooseMenu(kCmdSaveAs);
    Quit();
    Run();
    EXPECT_EQ(FileText("grocery.ini"), SettingsLine(other));
    for (const std::string& path : {list, other}) {
        itemTable = ItemTable{};
        itemTable.listPath = path;
        ASSERT_EQ(LoadList(), LoadResult::Loaded) << path;
        ASSERT_EQ(itemTable.itemCount, 1);
        EXPECT_TRUE(itemTable.records[1].toBuy()) << path;
    }
    // The same settings file in UTF-8 with its byte-order mark.
    Restart();
    std::ofstream("pantrium.ini", std::ios::binary) << "\xEF\xBB\xBF" << other << "\r\n";
    Then([&] { EXPECT_EQ(itemTable.listPath, other); });
    Quit();
    Run();
}

TEST_P(MainPaths, OpenTheListAndPrintToPdf) {
    const std::string list = here + "/" + name + ".ptm";
    WriteListFile(list, {{0, "Tea", "box", 2, 0, 0}, {0, "Rice", "bag", 3, 0, 0}});
    script::AnswerFileDialog(true, list);
    script::ChooseMenu(kCmdOpen);
    Then([&] {
        EXPECT_EQ(itemTable.listPath, list);
        EXPECT_EQ(itemTable.itemCount, 2);
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), CaptionForPath(list));
    });
    Quit();
    Run();

    plat::PdfPrinter job(name);
    job.Text("Tea");
    const std::string pdf = here + "/" + name + ".pdf";
    ASSERT_TRUE(job.Save(pdf));
    EXPECT_EQ(FileText(pdf), job.Document());
}

// The help path is kept to 239 characters, not bytes, and never ends inside a character.
TEST_F(MainWindowTest, LongHelpPathIsCutBetweenCharacters) {
    std::filesystem::path deep = dir;
    while (deep.string().size() < 600) deep /= "\xD0\xBF\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBF\xD0\xBA\xD0\xB8";
    std::filesystem::create_directories(deep);
    std::filesystem::current_path(deep);
    const std::string full = deep.string() + "\\Pantrium.chm";
    Then([&] {
        ASSERT_LT(ui.helpPath.size(), full.size());
        EXPECT_EQ(full.compare(0, ui.helpPath.size(), ui.helpPath), 0);
        std::size_t chars = 0;
        for (unsigned char c : ui.helpPath) chars += (c & 0xC0) != 0x80;
        EXPECT_EQ(chars, 239u);
        EXPECT_NE(static_cast<unsigned char>(full[ui.helpPath.size()]) & 0xC0, 0x80u);
    });
    Quit();
    Run();
}

INSTANTIATE_TEST_SUITE_P(Names, MainPaths,
                         ::testing::Values("Eink\xC3\xA4ufe", "list \xE2\x80\x93 week",
                                           "\xD0\xBF\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBF\xD0\xBA\xD0\xB8",
                                           "\xE8\xB2\xB7\xE3\x81\x84\xE7\x89\xA9"),
                         [](const auto& info) { return "Name" + std::to_string(info.index); });

}  // namespace
}  // namespace pantrium::testing

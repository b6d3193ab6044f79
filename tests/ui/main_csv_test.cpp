// "Export CSV..." and "Import CSV..." of the File menu, played by the user.
#include <fstream>
#include <iterator>

#include "data/csv_table.h"
#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

const char kFilterList[] = "CSV files (*.csv)\0*.csv\0All Files (*.*)\0*.*\0\0";
const std::string kCsvFilter(kFilterList, sizeof kFilterList - 1);

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class MainCsv : public MainWindowTest {
protected:
    static const script::PromptRecord& LastPrompt() { return script::Prompts().back(); }
    // The list as it stands, as bytes of a list file.
    static std::vector<std::uint8_t> TableBytes() { return ListFileBytes(itemTable); }
};

TEST_F(MainCsv, ExportWritesTheWholeTableWhereTheUserSays) {
    WriteStartList({{1, "Milk", "gallon", 2.5f, 2, kToBuy, Packed(3, 15, 2024), 2},
                    {0, "Say \"when\", ok", "each", 1, 0, 0}},
                   {"dairy"});
    const std::string target = (dir / "all items.csv").string();
    script::AnswerFileDialog(true, target);
    script::ChooseMenu(kCmdExportCsv);
    Then([&] { EXPECT_FALSE(itemTable.modified); });
    Quit();
    Run();
    ASSERT_EQ(script::FileDialogs().size(), 1u);
    const plat::FileDialogRequest& req = script::FileDialogs()[0];
    EXPECT_EQ(req.title, "Export CSV");
    EXPECT_EQ(req.fileName, "my Pantrium.csv");
    EXPECT_EQ(req.filter, kCsvFilter);
    EXPECT_EQ(req.defExt, "csv");
    EXPECT_EQ(req.flags, 0x200006u);  // asks before replacing a file
    EXPECT_TRUE(script::Prompts().empty());
    // Rows in the list's order: no category first.
    EXPECT_EQ(ReadText(target),
              "\xEF\xBB\xBF"
              "Category,Item,Unit,Price,Units to buy,On list,One-time buy,Auto-listed,"
              "Purchase 1 date,Purchase 1 units,Purchase 2 date,Purchase 2 units,Purchase 3 date,Purchase 3 units,"
              "Purchase 4 date,Purchase 4 units,Purchase 5 date,Purchase 5 units\r\n"
              ",\"Say \"\"when\"\", ok\",each,1,0,no,no,no,,,,,,,,,,\r\n"
              "dairy,Milk,gallon,2.5,2,yes,no,no,2024-03-15,2,,,,,,,,\r\n");
}

TEST_F(MainCsv, ExportToAFolderThatCannotTakeTheFileIsTold) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    const std::string target = (dir / "no such folder" / "out.csv").string();
    script::AnswerFileDialog(true, target);
    script::AnswerPrompt(1);
    script::ChooseMenu(kCmdExportCsv);
    Then([&] {
        EXPECT_EQ(LastPrompt().text, "Could not write " + target + ".\r\nNothing was exported.");
        EXPECT_EQ(LastPrompt().caption, "Export CSV");
        EXPECT_EQ(LastPrompt().style, 16);
    });
    // A cancelled dialog writes nothing and says nothing.
    script::AnswerFileDialog(false, "");
    script::ChooseMenu(kCmdExportCsv);
    Then([&] { EXPECT_EQ(script::Prompts().size(), 1u); });
    Quit();
    Run();
}

TEST_F(MainCsv, ImportShowsWhatChangesAndMergesOnOk) {
    WriteStartList({{1, "Milk", "gallon", 2.5f, 0, 0}, {0, "Bread", "loaf", 1, 0, 0}}, {"dairy"});
    const std::filesystem::path source = dir / "from the sheet.csv";
    WriteText(source,
              "Item;Category;Price;Units to buy;On list\r\n"
              "Milk;dairy;2.75;2;yes\r\n"
              "Bread;;1;0;no\r\n"
              "Apples;fruit;0.5;4;yes\r\n"
              "Eggs;;abc;1;no\r\n");
    script::AnswerFileDialog(true, source.string());
    script::AnswerPrompt(1);
    script::ChooseMenu(kCmdImportCsv);
    Then([&] {
        EXPECT_EQ(LastPrompt().text, "Import from " + source.string() + ":\r\n\r\n"
                                     "1 new item, 1 item changed, 1 unchanged\r\n"
                                     "1 new category\r\n\r\n"
                                     "1 row skipped:\r\n"
                                     "line 5: price \"abc\" is not a number\r\n\r\n"
                                     "Import now?");
        EXPECT_EQ(LastPrompt().caption, "Import CSV");
        EXPECT_EQ(LastPrompt().style, 33);
        EXPECT_TRUE(itemTable.modified);
        ASSERT_EQ(itemTable.itemCount, 3);
        ASSERT_EQ(itemTable.catgCount, 2);
        EXPECT_EQ(itemTable.catgNames[2], "fruit");
        // The item list shows the new row and the changed one.
        EXPECT_EQ(Row(0), "\t\tBread\tloaf\t");
        EXPECT_EQ(Row(1), "\tx\tMilk\tgallon\t\t2.00\t5.50");
        EXPECT_EQ(Row(2), "\tx\tApples\t\t\t4.00\t2.00");
        EXPECT_EQ(RecordOfRow(2).pricePerUnit, 2.75f);
    });
    Quit();
    Run();
    const plat::FileDialogRequest& req = script::FileDialogs().at(0);
    EXPECT_EQ(req.title, "Import CSV");
    EXPECT_EQ(req.filter, kCsvFilter);
    EXPECT_EQ(req.flags, 0x281804u);  // the file must exist
}

TEST_F(MainCsv, CancellingTheSummaryChangesNothing) {
    WriteStartList({{0, "Milk", "gallon", 2.5f, 0, 0}});
    const std::filesystem::path source = dir / "prices.csv";
    WriteText(source, "Item,Price\r\nMilk,3\r\nTea,4\r\n");
    std::vector<std::uint8_t> before;
    Then([&] { before = TableBytes(); });
    script::AnswerFileDialog(true, source.string());
    script::AnswerPrompt(2);
    script::ChooseMenu(kCmdImportCsv);
    Then([&] {
        EXPECT_EQ(TableBytes(), before);
        EXPECT_FALSE(itemTable.modified);
        EXPECT_EQ(Row(0), "\t\tMilk\tgallon\t");
        EXPECT_EQ(plat::ListCount(ui.mainWindow, kItemList), 1);
    });
    Quit();
    Run();
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].style, 33);
}

TEST_F(MainCsv, AFileWithoutAnyRowToImportIsOnlyTold) {
    WriteStartList({{0, "Milk", "gallon", 2.5f, 0, 0}});
    const std::filesystem::path bad = dir / "bad.csv", same = dir / "same.csv", notCsv = dir / "notes.csv";
    WriteText(bad, "Item,Price\r\nTea,cheap\r\n");
    WriteText(same, "Item,Price\r\nMilk,2.5\r\n");
    WriteText(notCsv, "Shopping\r\nMilk\r\n");
    std::vector<std::uint8_t> before;
    Then([&] { before = TableBytes(); });
    for (const auto& path : {bad, same, notCsv}) {
        script::AnswerFileDialog(true, path.string());
        script::AnswerPrompt(1);
        script::ChooseMenu(kCmdImportCsv);
    }
    Then([&] {
        EXPECT_EQ(TableBytes(), before);
        EXPECT_FALSE(itemTable.modified);
    });
    Quit();
    Run();
    ASSERT_EQ(script::Prompts().size(), 3u);
    EXPECT_EQ(script::Prompts()[0].text, "No row of " + bad.string() + " can be imported.\r\n\r\n"
                                         "1 row skipped:\r\nline 2: price \"cheap\" is not a number\r\n\r\n"
                                         "The list was not changed.");
    EXPECT_EQ(script::Prompts()[0].style, 48);
    EXPECT_EQ(script::Prompts()[1].text, "The list already holds every item of " + same.string() +
                                             " as it is in the file.\r\n\r\nThe list was not changed.");
    EXPECT_EQ(script::Prompts()[1].style, 64);
    EXPECT_EQ(script::Prompts()[2].text, notCsv.string() + " cannot be imported: its first line names no "
                                                           "\"Item\" column.\r\nThe list was not changed.");
    for (const auto& prompt : script::Prompts()) EXPECT_EQ(prompt.caption, "Import CSV");
}

}  // namespace
}  // namespace pantrium::testing

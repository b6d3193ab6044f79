// Open, save, save as and the close flow of the main window.
#include <fstream>

#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

class MainFileCommands : public MainWindowTest {
protected:
    static std::uintmax_t FileSize(const std::string& path) { return std::filesystem::file_size(path); }
    static void MarkModified() {
        script::Then([&] { itemTable.modified = true; });
    }
    static const script::PromptRecord& LastPrompt() { return script::Prompts().back(); }
    // Marks the first row and saves, Yes to the question: the save fails with
    // the notice given and the change stays unsaved.
    static void BuyAndFailToSave(const std::string& notice) {
        script::ChooseMenu(kCmdBuy);
        script::AnswerPrompt(6);
        script::AnswerPrompt(1);
        script::ChooseMenu(kCmdSave);
        Then([notice] {
            EXPECT_TRUE(itemTable.modified);
            ExpectLastPrompt(notice, "Save File", 16);
        });
    }
    // Whether the start list's file holds its first record marked to buy.
    static void ExpectSavedToBuy(bool toBuy) {
        ASSERT_EQ(LoadStartListAgain(), LoadResult::Loaded);
        EXPECT_EQ(itemTable.records[1].toBuy(), toBuy);
    }
    // The last prompt's text, caption and style.
    static void ExpectLastPrompt(const std::string& text, const std::string& caption, int style) {
        ASSERT_FALSE(script::Prompts().empty());
        ExpectPrompt(script::Prompts().size() - 1, text, caption, style);
    }
};

constexpr std::uint32_t kOpenFlags = 0x282404, kSaveFlags = 0x200006;
const char kFilterList[] = "Pantriums (*.ptm)\0*.ptm\0All Files (*.*)\0*.*\0\0";
const std::string kFilter(kFilterList, sizeof kFilterList - 1);

// What a file dialog was asked to show (every one has the list files' filter).
struct Shown {
    std::string title, fileName;
    int bufferSize, filterIndex;
    std::string defExt;
    std::uint32_t flags;
};
void ExpectShown(const plat::FileDialogRequest& got, const Shown& want) {
    EXPECT_EQ(got.title, want.title);
    EXPECT_EQ(got.fileName, want.fileName);
    EXPECT_EQ(got.bufferSize, want.bufferSize);
    EXPECT_EQ(got.filter, kFilter);
    EXPECT_EQ(got.filterIndex, want.filterIndex);
    EXPECT_EQ(got.defExt, want.defExt);
    EXPECT_EQ(got.flags, want.flags);
}

TEST_F(MainFileCommands, OpenKeepsTheFileRowOrderAndSetsTheCaption) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    WriteListFile("other list.ptm", {{0, "Zucchini", "each", 1, 0, 0}, {0, "Apples", "kg", 2, 1, kToBuy}});
    const std::string other = (dir / "other list.ptm").string();
    MarkModified();
    script::AnswerPrompt(7);
    script::AnswerFileDialog(true, other);
    script::ChooseMenu(kCmdOpen);
    Then([this, other] {
        EXPECT_EQ(itemTable.listPath, other);
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), CaptionForPath(other));
        EXPECT_EQ(Row(0), "\t\tZucchini\teach\t");  // not re-sorted
        EXPECT_EQ(Row(1), "\tx\tApples\tkg\t\t1.00\t2.00");
        EXPECT_EQ(Selection(), 0);
        EXPECT_FALSE(itemTable.modified);
        EXPECT_EQ(script::FileDialogs().at(0).owner, ui.mainWindow);
    });
    Quit();
    Run();
    ASSERT_EQ(script::Prompts().size(), 1u);
    ExpectPrompt(0, "Do you want to save the current file?", "Modified File", 36);
    ASSERT_EQ(script::FileDialogs().size(), 1u);
    ExpectShown(script::FileDialogs()[0], {.title = "Open File", .fileName = "", .bufferSize = 8192,
                                           .filterIndex = 1, .defExt = "", .flags = kOpenFlags});
    EXPECT_EQ(script::FileDialogs()[0].initialDir, dir.string());
}

TEST_F(MainFileCommands, OpenSavesFirstOnYesAndCancellingTheDialogKeepsTheChanges) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    script::ChooseMenu(kCmdBuy);
    script::AnswerPrompt(6);
    script::AnswerFileDialog(false, "");
    script::ChooseMenu(kCmdOpen);
    Then([&] {
        EXPECT_FALSE(itemTable.modified);  // the save before the dialog stands
        EXPECT_TRUE(RecordOfRow(1).toBuy());
        itemTable.modified = true;
    });
    script::AnswerPrompt(7);
    script::AnswerFileDialog(false, "");
    script::ChooseMenu(kCmdOpen);
    Then([&] {
        EXPECT_TRUE(itemTable.modified);
        EXPECT_EQ(itemTable.listPath, "my Pantrium.ptm");
        EXPECT_EQ(itemTable.itemCount, 1);
    });
    Quit();
    Run();
    ExpectSavedToBuy(true);
}

TEST_F(MainFileCommands, OpeningAnUnreadableListIsReportedAndChangesNothing) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    std::filesystem::create_directory("folder.ptm");
    script::AnswerFileDialog(true, (dir / "folder.ptm").string());
    script::AnswerPrompt(1);
    script::ChooseMenu(kCmdOpen);
    Then([&] {
        EXPECT_EQ(itemTable.listPath, "my Pantrium.ptm");
        EXPECT_EQ(itemTable.itemCount, 1);
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "my Pantrium");
        EXPECT_EQ(LastPrompt().style, 16);
        EXPECT_EQ(LastPrompt().caption, "Open File");
    });
    Quit();
    Run();
}

TEST_F(MainFileCommands, TheCaptionNamesTheFileThatSaveWrites) {
    WriteListFile((dir / "mixed.ptm").string(), {{0, "Bread", "loaf", 1, 0, 0}});
    Then([&] { EXPECT_EQ(plat::GetCaption(ui.mainWindow), "Pantrium"); });
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdSave);  // a new list's first save
    Then([&] {
        EXPECT_TRUE(std::filesystem::exists("my Pantrium.ptm"));
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "my Pantrium");
    });
    script::AnswerFileDialog(true, (dir / "mixed.ptm").string());
    script::ChooseMenu(kCmdOpen);
    Then([&] { EXPECT_EQ(plat::GetCaption(ui.mainWindow), "mixed"); });  // the list's name, not its folder
    script::AnswerFileDialog(true, (dir / "neu").string());
    script::ChooseMenu(kCmdSaveAs);
    Then([&] {
        EXPECT_TRUE(std::filesystem::exists(dir / "neu.ptm"));
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "neu");
    });
    Quit();
    Run();
}

TEST_F(MainFileCommands, SaveAsksFirstAndWritesTheList) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}, {0, "Milk", "gallon", 1, 0, 0}});
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdDeleteItem);
    script::AnswerPrompt(7);
    script::ChooseMenu(kCmdSave);
    Then([&] {
        EXPECT_TRUE(itemTable.modified);
        EXPECT_EQ(std::filesystem::file_size("my Pantrium.ptm"), 21u + 2 * 84);
    });
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdSave);
    Then([&] {
        EXPECT_FALSE(itemTable.modified);
        EXPECT_EQ(std::filesystem::file_size("my Pantrium.ptm"), 21u + 84);
    });
    Quit();
    Run();
    ExpectPrompt(1, "Save file now?", "Save File", 36);
}

TEST_F(MainFileCommands, SaveAsProposesThePathAndTheDialogAppendsTheExtension) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    const std::string typed = (dir / "weekly").string();
    script::AnswerFileDialog(true, typed);
    script::ChooseMenu(kCmdSaveAs);
    Then([this, typed] {
        EXPECT_EQ(itemTable.listPath, typed + ".ptm");
        EXPECT_TRUE(std::filesystem::exists(typed + ".ptm"));
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "weekly");  // the file Save now writes
        itemTable.listPath = "";
    });
    script::AnswerFileDialog(false, "");
    script::ChooseMenu(kCmdSaveAs);
    Then([&] { EXPECT_EQ(itemTable.listPath, "My pantrium"); });
    Quit();
    Run();
    ASSERT_EQ(script::FileDialogs().size(), 2u);
    ExpectShown(script::FileDialogs()[0], {.title = "Save File", .fileName = "my Pantrium.ptm", .bufferSize = 260,
                                           .filterIndex = 3, .defExt = "ptm", .flags = kSaveFlags});
    EXPECT_EQ(script::FileDialogs()[1].fileName, "My pantrium");
    std::ifstream ini("grocery.ini", std::ios::binary);
    std::string line((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
    EXPECT_EQ(line, typed + ".ptm\r\n");
}

// A save that cannot write tells the user and keeps the changes marked.
TEST_F(MainFileCommands, FailedSaveIsReportedAndKeepsTheListModified) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    Then([&] { itemTable.listPath = "no such folder/list.ptm"; });
    BuyAndFailToSave("Could not save the list to no such folder/list.ptm.\r\nThe file was not changed.");
    // Closing: Yes to saving, the save fails again, the window stays open.
    script::AnswerPrompt(6);
    script::AnswerPrompt(1);
    script::CloseBox();
    Then([&] {
        EXPECT_NE(ui.mainWindow, 0u);
        EXPECT_TRUE(itemTable.modified);
        EXPECT_EQ(LastPrompt().style, 16);
    });
    // Opening another list after a failed save would drop the changes: it stops.
    script::AnswerPrompt(6);
    script::AnswerPrompt(1);
    script::ChooseMenu(kCmdOpen);
    Then([&] { EXPECT_TRUE(script::FileDialogs().empty()); });
    Quit();
    Run();
}

// A read-only list is named as such; after the flag is cleared the same save works.
TEST_F(MainFileCommands, ReadOnlyListIsToldAsSuch) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    std::filesystem::permissions("my Pantrium.ptm", std::filesystem::perms::owner_read);
    BuyAndFailToSave("The list my Pantrium.ptm is read-only.\r\nThe file was not changed.");
    Then([&] {
        EXPECT_EQ(FileSize("my Pantrium.ptm"), 21u + 84);
        std::filesystem::permissions("my Pantrium.ptm", std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    });
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdSave);
    Then([&] { EXPECT_FALSE(itemTable.modified); });
    Quit();
    Run();
    ExpectSavedToBuy(true);
}

TEST_F(MainFileCommands, CloseFlowCancelKeepsRunningAndYesWithoutPathStillClosesAfterCancel) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    script::ChooseMenu(kCmdBuy);
    script::AnswerPrompt(2);
    script::ChooseMenu(kCmdExit);
    Then([&] {
        EXPECT_TRUE(itemTable.modified);
        EXPECT_TRUE(RecordOfRow(1).toBuy());
        ExpectLastPrompt("File records have changed...\r\ndo you want to save them?", "Save File", 35);
        itemTable.listPath = "";
    });
    script::AnswerPrompt(6);
    script::AnswerFileDialog(false, "");
    script::ChooseMenu(kCmdExit);
    Run();
    EXPECT_EQ(ui.mainWindow, 0u);
    ASSERT_EQ(script::FileDialogs().size(), 1u);
    EXPECT_EQ(script::FileDialogs()[0].fileName, "My pantrium");
}

TEST_F(MainFileCommands, CloseFlowYesSavesNoDiscardsAndUnmodifiedClosesAtOnce) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    script::ChooseMenu(kCmdBuy);
    script::AnswerPrompt(6);
    script::CloseBox();
    Run();
    ExpectSavedToBuy(true);

    Restart();
    script::ChooseMenu(kCmdBuy);  // unchecks it again
    script::AnswerPrompt(7);
    script::CloseBox();
    Run();
    ExpectSavedToBuy(true);

    Restart();
    script::CloseBox();  // nothing changed: no question
    Run();
    EXPECT_TRUE(script::Prompts().empty());
}

// Checks out the one marked item on today's date through the Check Out command.
void CheckOutToday() {
    script::AnswerPrompt(6);  // "Did you buy all of the checked items?"
    script::ChooseMenu(kCmdCheckOut);
    script::AnswerPrompt(1);  // "Checkout is done  "
    script::Click(1);         // the date box holds today's date
}

TEST_F(MainFileCommands, UndoCheckoutAfterASaveAsksOnClose) {
    WriteStartList({{0, "Bread", "loaf", 1, 2, kToBuy}});
    CheckOutToday();
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdSave);
    Then([&] {
        EXPECT_FALSE(RecordOfRow(1).toBuy());
        EXPECT_FALSE(itemTable.modified);
    });
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdUndoCheckout);
    Then([&] {
        EXPECT_TRUE(RecordOfRow(1).toBuy());  // the file holds the checkout, the table not
        EXPECT_TRUE(itemTable.modified);
    });
    script::AnswerPrompt(7);
    script::CloseBox();
    Run();
    ASSERT_EQ(script::Prompts().size(), 5u);
    EXPECT_EQ(LastPrompt().text, "File records have changed...\r\ndo you want to save them?");
    ASSERT_EQ(LoadStartListAgain(), LoadResult::Loaded);
    EXPECT_EQ(itemTable.records[1].buyUnits[0], 2);  // No kept the saved checkout
    EXPECT_FALSE(itemTable.records[1].toBuy());
}

TEST_F(MainFileCommands, UndoCheckoutWithoutASaveClosesAtOnce) {
    WriteStartList({{0, "Bread", "loaf", 1, 2, kToBuy}});
    CheckOutToday();
    Then([&] { EXPECT_TRUE(itemTable.modified); });
    script::AnswerPrompt(6);
    script::ChooseMenu(kCmdUndoCheckout);
    Then([&] {
        EXPECT_TRUE(RecordOfRow(1).toBuy());
        EXPECT_FALSE(itemTable.modified);  // the table is what the file holds again
    });
    script::CloseBox();
    Run();
    ASSERT_EQ(script::Prompts().size(), 3u);  // no question on closing
    EXPECT_EQ(LastPrompt().text, "Undo check out now?");
}

TEST_F(MainFileCommands, EscapeAsksBeforeDroppingChangesAndClosesAtOnceWithout) {
    WriteStartList({{0, "Bread", "loaf", 1, 0, 0}});
    script::ChooseMenu(kCmdBuy);
    script::AnswerPrompt(2);
    script::KeyDown(plat::kVkEscape);
    Then([&] {
        ASSERT_EQ(script::Prompts().size(), 1u);
        EXPECT_EQ(LastPrompt().text, "File records have changed...\r\ndo you want to save them?");
        EXPECT_EQ(LastPrompt().style, 35);
        EXPECT_NE(ui.mainWindow, 0u);  // Cancel keeps the window and its changes
        EXPECT_TRUE(RecordOfRow(1).toBuy());
    });
    script::AnswerPrompt(7);
    script::KeyDown(plat::kVkEscape);
    Run();
    EXPECT_EQ(script::Prompts().size(), 2u);
    ExpectSavedToBuy(false);  // No saved nothing

    // Yes saves before the window ends.
    Restart();
    script::ChooseMenu(kCmdBuy);
    script::AnswerPrompt(6);
    script::KeyDown(plat::kVkEscape);
    Run();
    ExpectSavedToBuy(true);

    // Nothing changed: Escape ends the window at once.
    Restart();
    script::KeyDown(plat::kVkEscape);
    Run();
    EXPECT_TRUE(script::Prompts().empty());
    EXPECT_EQ(ui.mainWindow, 0u);
}

}  // namespace
}  // namespace pantrium::testing

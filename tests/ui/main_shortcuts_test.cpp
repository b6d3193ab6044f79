// The main window's keys: the commands' shortcuts, the keys an edit field
// keeps for its text, the context-menu keys and the Help key with the help
// file's lookup.
#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

constexpr bool kShift = true, kCtrl = true;

class MainShortcuts : public MainWindowTest {
protected:
    static std::string Caption() { return plat::GetCaption(script::ActiveDialog()); }
};

TEST_F(MainShortcuts, FileKeysOpenSaveAndSaveAs) {
    WriteThreeItems();
    script::AnswerFileDialog(false, "");
    script::Press('O', false, kCtrl);
    script::AnswerPrompt(7);
    script::Press('S', false, kCtrl);
    script::AnswerFileDialog(false, "");
    script::Press('S', kShift, kCtrl);
    Quit();
    Run();
    ASSERT_EQ(script::FileDialogs().size(), 2u);
    EXPECT_EQ(script::FileDialogs()[0].title, "Open File");
    EXPECT_EQ(script::FileDialogs()[1].title, "Save File");
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].text, "Save file now?");
}

TEST_F(MainShortcuts, NewItemAndChangeItemKeysOpenTheEditor) {
    WriteThreeItems();
    script::SelectRow(kItemList, 1);
    script::Press('N', false, kCtrl);
    Then([] {
        EXPECT_EQ(Caption(), "Add Item");
        EXPECT_EQ(plat::GetText(script::ActiveDialog(), 201), "");
    });
    script::KeyDown(plat::kVkEscape);
    Then([&] { EXPECT_EQ(script::ActiveDialog(), ui.mainWindow); });
    script::Press(plat::kVkF2);
    Then([] {
        EXPECT_EQ(Caption(), "Change Item");
        EXPECT_EQ(plat::GetText(script::ActiveDialog(), 201), "Milk");
    });
    script::KeyDown(plat::kVkEscape);
    Quit();
    Run();
    EXPECT_FALSE(itemTable.modified);
}

TEST_F(MainShortcuts, PrintKeyPrintsTheShoppingList) {
    WriteThreeItems();
    script::AnswerPrinterDialog(true);
    script::Press('P', false, kCtrl);
    Then([] {
        int bread = 0, soap = 0;
        for (const drivers::PrinterOp& op : drivers::PrinterOps()) {
            if (op.kind != drivers::PrinterOp::Text) continue;
            bread += op.text.find("Bread") != std::string::npos;
            soap += op.text.find("Soap") != std::string::npos;
        }
        EXPECT_EQ(bread, 1);  // the shopping list: only the items to buy
        EXPECT_EQ(soap, 0);
    });
    Quit();
    Run();
}

TEST_F(MainShortcuts, DeleteAsksInTheListButIsTheUnitsBoxsOwn) {
    WriteThreeItems();
    script::SelectRow(kItemList, 2);
    script::AnswerPrompt(7);
    script::Press(plat::kVkDelete);
    Then([&] { EXPECT_EQ(itemTable.itemCount, 3); });
    script::AnswerPrompt(6);
    script::Press(plat::kVkDelete);
    Then([&] {
        EXPECT_EQ(itemTable.itemCount, 2);
        EXPECT_EQ(Selection(), 1);
    });
    script::Focus(kUnitsBox);
    script::Press(plat::kVkDelete);  // edits the box's text: no question
    Then([&] {
        EXPECT_EQ(script::Prompts().size(), 2u);
        EXPECT_EQ(itemTable.itemCount, 2);
    });
    Quit();
    Run();
    ASSERT_GE(script::Prompts().size(), 2u);
    for (int i : {0, 1}) {
        EXPECT_EQ(script::Prompts()[i].text, "Delete this item now?");
        EXPECT_EQ(script::Prompts()[i].caption, "Delete Item");
        EXPECT_EQ(script::Prompts()[i].style, 36);
    }
}

TEST_F(MainShortcuts, UndoKeyUndoesACheckoutOnlyWhileThereIsOne) {
    WriteThreeItems();
    script::Press('Z', false, kCtrl);  // no checkout yet: nothing at all
    Then([] { EXPECT_TRUE(script::Prompts().empty()); });
    script::AnswerPrompt(6);  // "Did you buy all of the checked items?"
    script::AnswerPrompt(1);  // "Checkout is done"
    script::ChooseMenu(kCmdCheckOut);
    script::KeyDown(plat::kVkReturn);  // today's date
    Then([&] {
        EXPECT_EQ(itemTable.itemsToBuy, 0);
        EXPECT_EQ(script::Prompts().size(), 2u);
    });
    script::Focus(kUnitsBox);
    script::Press('Z', false, kCtrl);  // the units box keeps Ctrl+Z for its text
    Then([] { EXPECT_EQ(script::Prompts().size(), 2u); });
    script::SelectRow(kItemList, 0);
    script::AnswerPrompt(6);
    script::Press('Z', false, kCtrl);
    Then([&] {
        EXPECT_EQ(itemTable.itemsToBuy, 2);
        EXPECT_TRUE(RecordOfRow(1).toBuy());
    });
    Quit();
    Run();
    // The undo brought back what the file holds: closing asks nothing.
    ASSERT_EQ(script::Prompts().size(), 3u);
    EXPECT_EQ(script::Prompts()[2].text, "Undo check out now?");
    EXPECT_EQ(script::Prompts()[2].style, 4);
}

TEST_F(MainShortcuts, ContextMenuKeysOpenTheMenuAtTheSelectedRow) {
    WriteThreeItems();
    script::SelectRow(kItemList, 1);
    script::SelectRow(kItemList, 2);
    script::ChoosePopup(0);
    script::Press(plat::kVkF10, kShift);
    Then([&] {
        ASSERT_EQ(drivers::Popups().size(), 1u);
        const drivers::PopupRecord& popup = drivers::Popups()[0];
        EXPECT_EQ(popup.menu, ui.contextMenu);
        EXPECT_EQ(popup.owner, ui.mainWindow);
        const plat::Rect row = plat::ListItemRect(ui.mainWindow, kItemList, 2);
        EXPECT_EQ(popup.x, row.left + 20);
        EXPECT_EQ(popup.y, row.top + row.height);
        EXPECT_EQ(popup.items[0].text, "Buy");  // Soap is not checked
        EXPECT_EQ(Selection(), 2);
        EXPECT_EQ(Status(0).substr(0, 11), "Catg: dairy");
    });
    script::ChoosePopup(kCmdChangeItem);
    script::Press(plat::kVkApps);
    Then([] { EXPECT_EQ(Caption(), "Change Item"); });
    script::KeyDown(plat::kVkEscape);
    Then([&] { EXPECT_EQ(drivers::Popups().size(), 2u); });
    Quit();
    Run();
}

TEST_F(MainShortcuts, HelpKeyLooksInTheStartUpFolderThenBesideTheProgramElseSaysSo) {
    WriteThreeItems();
    const std::filesystem::path program = dir / "program";
    std::filesystem::create_directory(program);
    ui.programFolder = program.string();
    const std::string here = std::filesystem::current_path().string();

    script::AnswerPrompt(1);
    script::Press(plat::kVkF1);  // no help anywhere: a notice names both folders
    Then([] { EXPECT_TRUE(drivers::HelpRequests().empty()); });
    Then([&] { PutHelpIn(program); });
    script::Press(plat::kVkF1);
    Then([&] { PutHelpIn(dir); });
    script::Press(plat::kVkF1);
    Quit();
    Run();
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].text,
              "No help was found. Pantrium looked for it in:\r\n" + here + "\r\n" + program.string());
    EXPECT_EQ(script::Prompts()[0].caption, "Help");
    EXPECT_EQ(script::Prompts()[0].style, 48);
    ASSERT_EQ(drivers::HelpRequests().size(), 2u);
    EXPECT_EQ(drivers::HelpRequests()[0], program.string() + "\\Pantrium.chm");
    EXPECT_EQ(drivers::HelpRequests()[1], here + "\\Pantrium.chm");
}

}  // namespace
}  // namespace pantrium::testing

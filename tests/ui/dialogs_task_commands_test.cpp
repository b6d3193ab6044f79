// The task commands reached from the main window's buttons and menus.
#include <gtest/gtest.h>

#include "dialogs_test_support.h"

namespace pantrium::test {
namespace {

using script::AnswerPrompt;
using script::ChooseMenu;
using script::Click;
using script::Then;

class TaskCommandsTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        dir = std::make_unique<TempDir>();
    }
    void TearDown() override {
        UiTest::TearDown();
        dir.reset();
    }
    // Bread is on the list, Salt is not; Tea has a buying history for the auto list.
    static void StartList() {
        PutItem({"Bread", "loaf", 2, 0, kToBuy, 1});
        PutItem({"Salt", "box", 1});
        PutItem({"Tea", "box", 3, 0, 0, 0, {{"3-1-24", 4}, {"3-15-24", 4}}});
        WriteListFile("my Pantrium.ptm");
    }
    // Escape; changes left unsaved are dropped with No to its question.
    static void Quit() {
        script::Then([&] {
            if (itemTable.modified) script::AnswerPrompt(7);
        });
        script::KeyDown(plat::kVkEscape);
    }
    void Run() { EXPECT_EQ(RunMainWindow(ui), 0); }
    std::unique_ptr<TempDir> dir;
};

TEST_F(TaskCommandsTest, NewItemButtonAndMenuOpenTheSameEditor) {
    Click(kNewItemButton);
    Then([&] { EXPECT_EQ(plat::GetCaption(script::ActiveDialog()), "Add Item"); });
    script::Type("Eggs");
    Click(1);
    ChooseMenu(kCmdNewItem);
    Then([&] { EXPECT_FALSE(drivers::TheUser().IsEnabled(ui.mainWindow)); });
    Click(2);
    Quit();
    Run();
    EXPECT_EQ(DialogCaptions(), (std::vector<std::string>{"Pantrium", "Add Item", "Add Item"}));
    EXPECT_EQ(itemTable.itemCount, 1);
}

// The main window learns from the editor and the checkout whether a dialog
// ended with Ok or Next, which Enter gives: the release of that Enter, which
// comes to the list, must not toggle a row.
TEST_F(TaskCommandsTest, EditorOrPriceDialogEndedWithOkHasTheNextEnterReleaseIgnored) {
    StartList();
    ChooseMenu(kCmdNewItem);
    Click(2);
    Then([&] { EXPECT_FALSE(ui.ignoreEnterRelease); });
    ChooseMenu(kCmdNewItem);
    script::Type("Eggs");
    script::KeyDown(plat::kVkReturn);
    Then([&] {
        EXPECT_EQ(itemTable.itemCount, 4);
        EXPECT_TRUE(ui.ignoreEnterRelease);
    });
    script::KeyUp(plat::kVkReturn);
    Then([&] { EXPECT_FALSE(ui.ignoreEnterRelease); });  // used up by that release
    // Bread is bought and its price dialog ends with Enter.
    AnswerPrompt(6);
    ChooseMenu(kCmdCheckOut);
    Click(302);  // update the prices
    Click(1);
    Then([] { EXPECT_EQ(plat::GetText(script::ActiveDialog(), 303).substr(0, 11), "Item: Bread"); });
    script::KeyDown(plat::kVkReturn);
    AnswerPrompt(1);
    Then([&] {
        EXPECT_TRUE(ui.ignoreEnterRelease);
        EXPECT_EQ(plat::GetStatusText(ui.mainWindow, kStatusBar, 2), "Items to buy:  0");
    });
    Quit();
    Run();
    EXPECT_EQ(DialogCaptions(), (std::vector<std::string>{"Pantrium", "Add Item", "Add Item",
                                                          "Check Out", "Check Out"}));
}

TEST_F(TaskCommandsTest, AutoListAsksNothingAndLeavesTheListUnmodified) {
    StartList();
    Click(kAutoListButton);
    Then([&] {
        const ItemRecord& tea = Item("Tea");
        EXPECT_EQ(tea.unitsToBuy, 4);
        EXPECT_TRUE(tea.toBuy());
        EXPECT_TRUE(tea.autoListed());
        EXPECT_EQ(plat::ListText(ui.mainWindow, kItemList, 2).substr(0, 2), "\tX");
        EXPECT_EQ(plat::GetStatusText(ui.mainWindow, kStatusBar, 2), "Items to buy:  2");
        EXPECT_FALSE(itemTable.modified);
    });
    Quit();
    Run();
    EXPECT_TRUE(script::Prompts().empty());
}

TEST_F(TaskCommandsTest, PrintListPrintsTheItemsToBuyAndPrintAllEveryItem) {
    StartList();
    script::AnswerPrinterDialog(true);
    Click(kPrintListButton);
    Then([&] {
        EXPECT_EQ(PrintedCount("Bread"), 1);
        EXPECT_EQ(PrintedCount("Salt"), 0);
    });
    script::AnswerPrinterDialog(true);
    ChooseMenu(kCmdPrintList);
    Then([&] {
        EXPECT_EQ(PrintedCount("Bread"), 2);
        EXPECT_EQ(PrintedCount("Salt"), 0);
    });
    script::AnswerPrinterDialog(true);
    ChooseMenu(kCmdPrintAll);
    Quit();
    Run();
    EXPECT_EQ(PrintedCount("Bread"), 3);
    EXPECT_EQ(PrintedCount("Salt"), 1);
    EXPECT_EQ(PrintedCount("Tea"), 1);
}

TEST_F(TaskCommandsTest, CheckOutButtonAndMenuBehaveAlike) {
    StartList();
    for (int i = 0; i < 2; ++i) {
        AnswerPrompt(7);
        AnswerPrompt(1);
        if (i == 0) Click(kCheckOutButton); else ChooseMenu(kCmdCheckOut);
    }
    Quit();
    Run();
    ASSERT_EQ(script::Prompts().size(), 4u);
    for (int i : {0, 2}) {
        EXPECT_EQ(script::Prompts()[i].text, "Did you buy all of the checked items?");
        EXPECT_EQ(script::Prompts()[i + 1].caption, "CHECK OUT");
    }
    EXPECT_FALSE(itemTable.snapshot.taken);
}

TEST_F(TaskCommandsTest, UndoCategoriesAndAboutFromTheMenus) {
    StartList();
    AnswerPrompt(1);
    ChooseMenu(kCmdUndoCheckout);  // nothing to undo yet
    ChooseMenu(kCmdCategories);
    script::CloseBox();
    ChooseMenu(kCmdAbout);
    Click(1);
    Then([&] { EXPECT_EQ(itemTable.itemCount, 3); });
    Quit();
    Run();
    EXPECT_EQ(DialogCaptions(),
              (std::vector<std::string>{"Pantrium", "Categories", "About My Pantrium"}));
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].style, 64);
}

}  // namespace
}  // namespace pantrium::test

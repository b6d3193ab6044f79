// "&Copy list" and Ctrl+C: the shopping list on the clipboard, read back
// whole, as plain text and as Markdown.
#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

const char* const kPlain =
    "Paper towels: 2 roll, 1.50\n"
    "\n"
    "dairy\n"
    "Cheese: 1 block, 4.25\n"
    "Milk: 2 gallon, 7.00\n"
    "\n"
    "produce\n"
    "Bananas: 3 bunch, 1.50\n"
    "\n"
    "Items to buy: 4, total cost: 14.25\n";
const char* const kMarkdown =
    "- [ ] Paper towels: 2 roll, 1.50\n"
    "\n"
    "## dairy\n"
    "- [ ] Cheese: 1 block, 4.25\n"
    "- [ ] Milk: 2 gallon, 7.00\n"
    "\n"
    "## produce\n"
    "- [ ] Bananas: 3 bunch, 1.50\n"
    "\n"
    "Items to buy: 4, total cost: 14.25\n";

class CopyList : public MainWindowTest {
protected:
    // Sorted as start-up shows them: no category first, then by category and name.
    void WriteShoppingList() {
        WriteStartList({{0, "Paper towels", "roll", 0.75f, 2, kToBuy},
                        {1, "Milk", "gallon", 3.5f, 2, kToBuy},
                        {2, "Apples", "1 lb bag", 1.25f, 0, 0},
                        {1, "Cheese", "block", 4.25f, 1, kToBuy},
                        {2, "Bananas", "bunch", 0.5f, 3, kToBuy | kAutoListed}},
                       {"dairy", "produce"});
    }
    // Something the user copied before, which a copy replaces and a refusal keeps.
    static void PutSomethingOnTheClipboard() {
        Then([] { ASSERT_TRUE(plat::SetClipboardText(0, "before", "before *md*")); });
    }
    static void ExpectClipboard(const std::string& plain, const std::string& markdown) {
        Then([plain, markdown] {
            EXPECT_EQ(plat::ClipboardText(), plain);
            EXPECT_EQ(plat::ClipboardMarkdown(), markdown);
        });
    }
};

TEST_F(CopyList, TheMenuCopiesTheItemsToBuyGroupedWithTheTotals) {
    WriteShoppingList();
    PutSomethingOnTheClipboard();
    script::ChooseMenu(kCmdCopyList);
    ExpectClipboard(kPlain, kMarkdown);
    Then([&] {
        EXPECT_EQ(Status(3), "Total cost: 14.25") << "the totals line agrees with the status line";
        EXPECT_FALSE(itemTable.modified);
    });
    Quit();
    Run();
    EXPECT_TRUE(script::Prompts().empty());
}

TEST_F(CopyList, CtrlCInTheListCopiesAndInTheUnitsBoxDoesNot) {
    WriteShoppingList();
    PutSomethingOnTheClipboard();
    script::PressCtrl('C');  // the list has the focus at start-up
    ExpectClipboard(kPlain, kMarkdown);
    // In the units box Ctrl+C is the box's own copy of its text.
    PutSomethingOnTheClipboard();
    script::Focus(kUnitsBox);
    Then([&] { EXPECT_EQ(plat::GetFocus(ui.mainWindow), kUnitsBox); });
    script::PressCtrl('C');
    Then([] {
        EXPECT_NE(plat::ClipboardText(), kPlain);
        EXPECT_NE(plat::ClipboardMarkdown(), kMarkdown);
    });
    Quit();
    Run();
}

TEST_F(CopyList, ACheckedItemAddedOrChangedIsInTheNextCopy) {
    WriteShoppingList();
    script::SelectRow(kItemList, 0);  // Paper towels
    script::ChooseMenu(kCmdBuy);      // unchecked now
    script::ChooseMenu(kCmdCopyList);
    ExpectClipboard(
        "dairy\nCheese: 1 block, 4.25\nMilk: 2 gallon, 7.00\n\nproduce\nBananas: 3 bunch, 1.50\n\n"
        "Items to buy: 3, total cost: 12.75\n",
        "## dairy\n- [ ] Cheese: 1 block, 4.25\n- [ ] Milk: 2 gallon, 7.00\n\n## produce\n"
        "- [ ] Bananas: 3 bunch, 1.50\n\nItems to buy: 3, total cost: 12.75\n");
    Quit();
    Run();
}

TEST_F(CopyList, NothingToBuyIsToldAndTheClipboardKeepsItsText) {
    WriteStartList({{1, "Milk", "gallon", 3.5f, 0, 0}}, {"dairy"});
    PutSomethingOnTheClipboard();
    script::AnswerPrompt(1);
    script::ChooseMenu(kCmdCopyList);
    ExpectClipboard("before", "before *md*");
    Quit();
    Run();
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].text, "There is nothing to copy: no item is checked to buy.");
    EXPECT_EQ(script::Prompts()[0].caption, "Copy List");
    EXPECT_EQ(script::Prompts()[0].style, 64);
}

}  // namespace
}  // namespace pantrium::testing

// The list file shared by two programs: the main window runs as program B,
// and the test plays program A, which saves the same file meanwhile (a whole
// new file put in place in one step, as a safe save does). B takes A's save
// in when it is activated again or when it saves itself.
#include <fstream>

#include "data/checkout.h"
#include "data/list_change.h"
#include "main_fixture.h"

namespace pantrium::testing {
namespace {

using script::Then;

const char kList[] = "my Pantrium.ptm";

void PutFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temp = path + ".saving";
    std::ofstream(temp, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    std::filesystem::rename(temp, path);
}

// Program A saves the list.
void OtherProgramSaves(const std::vector<TestItem>& items, const std::vector<std::string>& categories = {},
                       const std::string& path = kList) {
    PutFile(path, ListFileBytes(TableOf(items, categories)));
}

ItemTable FileTable(const std::string& path = kList) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    ItemTable t;
    EXPECT_EQ(LoadFromBytes(bytes.data(), bytes.size(), t), LoadResult::Loaded);
    return t;
}

const ItemRecord* Find(const ItemTable& t, const std::string& name) {
    for (int k = 1; k <= t.itemCount; ++k)
        if (TrimmedField(t.records[k].itemName) == name) return &t.records[k];
    return nullptr;
}

const TestItem kBread{0, "Bread", "loaf", 2.5f, 0, 0};
const TestItem kEggs{0, "Eggs", "dozen", 3, 0, 0};
const TestItem kMilk{0, "Milk", "gallon", 1.2f, 0, 0};

class SharedList : public MainWindowTest {
protected:
    // B's own change: the row of name checked with units typed into the units box.
    static void CheckRowAndType(int entry, const std::string& units) {
        script::SelectRow(kItemList, entry);
        script::ChooseMenu(kCmdBuy);
        script::ClearEdit();
        script::Type(units);
    }
    // Yes to "Save file now?"; OK to the notice that follows when one is expected.
    static void Save(bool notice = false) {
        script::AnswerPrompt(6);
        if (notice) script::AnswerPrompt(1);
        script::ChooseMenu(kCmdSave);
    }
    // The notices shown apart from the save's own question.
    static std::vector<script::PromptRecord> Notices() {
        std::vector<script::PromptRecord> notices;
        for (const auto& p : script::Prompts())
            if (p.text != "Save file now?") notices.push_back(p);
        return notices;
    }
};

// ---- two programs save one file --------------------------------------------

TEST_F(SharedList, BothProgramsChangesEndUpInTheFile) {
    WriteStartList({kBread, kEggs});
    CheckRowAndType(0, "2");  // B: Bread, 2 units
    Then([] { OtherProgramSaves({kBread, kEggs, kMilk}); });  // A added Milk and saved
    Save();
    Then([this] {
        EXPECT_FALSE(itemTable.modified);
        EXPECT_EQ(itemTable.itemCount, 3);  // B shows the merged list
        bool milkShown = false;
        for (int i = 0; i < plat::ListCount(ui.mainWindow, kItemList); ++i) milkShown |= Row(i).find("Milk") != std::string::npos;
        EXPECT_TRUE(milkShown);
    });
    Quit();
    Run();
    const ItemTable file = FileTable();
    ASSERT_NE(Find(file, "Milk"), nullptr);
    ASSERT_NE(Find(file, "Bread"), nullptr);
    EXPECT_TRUE(Find(file, "Bread")->toBuy());
    EXPECT_EQ(Find(file, "Bread")->unitsToBuy, 2);
    EXPECT_TRUE(Notices().empty());  // nothing conflicted: nothing to tell
}

TEST_F(SharedList, SamePriceChangedOnBothSidesKeepsMineAndSaysSo) {
    WriteStartList({kBread, kEggs});
    script::SelectRow(kItemList, 1);  // Eggs
    script::ChooseMenu(kCmdChangeItem);
    script::Focus(203);
    script::ClearEdit();
    script::Type("4.10");
    script::Click(1);
    Then([] {
        TestItem eggs = kEggs;
        eggs.price = 3.90f;
        TestItem bread = kBread;
        bread.unit = "large loaf";  // a change of A's own on another item
        OtherProgramSaves({bread, eggs});
    });
    Save(true);  // with the conflict notice
    Quit();
    Run();
    const ItemTable file = FileTable();
    EXPECT_FLOAT_EQ(Find(file, "Eggs")->pricePerUnit, 4.10f);
    EXPECT_EQ(TrimmedField(Find(file, "Bread")->unitDescr), "large loaf");
    const auto notices = Notices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].text.find("Eggs (dozen): price"), std::string::npos) << notices[0].text;
    EXPECT_EQ(notices[0].text.find("Bread"), std::string::npos);  // changed on one side only
    EXPECT_EQ(notices[0].caption, "Save File");
    EXPECT_EQ(notices[0].style, 48);
}

TEST_F(SharedList, CheckoutOnOneSideAndAnEditOnTheOtherBothSurvive) {
    TestItem bread = kBread;
    bread.units = 1;
    bread.flags = kToBuy;
    WriteStartList({bread, kEggs});
    CheckRowAndType(1, "3");  // B: Eggs, 3 units
    Then([bread] {
        TestItem bought = bread;  // A checked out: Bread bought, its mark cleared
        bought.units = 0;
        bought.flags = 0;
        bought.date = Packed(5, 2, 2024);
        bought.bought = 1;
        OtherProgramSaves({bought, kEggs});
    });
    Save();
    Quit();
    Run();
    const ItemTable file = FileTable();
    EXPECT_EQ(Find(file, "Bread")->buyDate[0], Packed(5, 2, 2024));
    EXPECT_FALSE(Find(file, "Bread")->toBuy());
    EXPECT_EQ(Find(file, "Eggs")->unitsToBuy, 3);
    EXPECT_TRUE(Find(file, "Eggs")->toBuy());
}

TEST_F(SharedList, AnItemDeletedThereAndChangedHereSurvivesWithTheChange) {
    WriteStartList({kBread, kEggs});
    CheckRowAndType(0, "4");  // B: Bread, 4 units
    Then([] { OtherProgramSaves({kEggs}); });  // A deleted Bread
    Save();
    Quit();
    Run();
    const ItemTable file = FileTable();
    ASSERT_NE(Find(file, "Bread"), nullptr);
    EXPECT_EQ(Find(file, "Bread")->unitsToBuy, 4);
    EXPECT_EQ(file.itemCount, 2);
}

TEST_F(SharedList, TheCloseFlowsSaveMergesToo) {
    WriteStartList({kBread, kEggs});
    CheckRowAndType(0, "2");
    Then([] { OtherProgramSaves({kBread, kEggs, kMilk}); });
    script::AnswerPrompt(6);  // "File records have changed..." Yes
    script::CloseBox();
    Run();
    const ItemTable file = FileTable();
    EXPECT_NE(Find(file, "Milk"), nullptr);
    EXPECT_EQ(Find(file, "Bread")->unitsToBuy, 2);
}

// ---- taking the other program's save in on activation ----------------------

TEST_F(SharedList, ActivationReloadsAnUnchangedListKeepingTheSelectedItemAndScroll) {
    std::vector<TestItem> items;
    for (int i = 0; i < 40; ++i) items.push_back({0, "Item " + std::to_string(100 + i), "each", 1, 0, 0});
    WriteStartList(items);
    script::SelectRow(kItemList, 25);  // "Item 125"
    Then([this, items]() mutable {
        plat::ListSetTopIndex(ui.mainWindow, kItemList, 20);
        items[25].price = 7;
        items.insert(items.begin(), TestItem{0, "Apples", "kg", 2, 0, 0});  // one row above it
        OtherProgramSaves(items);
    });
    script::Activate();
    Then([this] {
        EXPECT_EQ(itemTable.itemCount, 41);
        EXPECT_FALSE(itemTable.modified);
        EXPECT_EQ(Row(0), "\t\tApples\tkg\t");
        EXPECT_EQ(Selection(), 26);
        EXPECT_FLOAT_EQ(RecordOfRow(27).pricePerUnit, 7);
        EXPECT_NE(Row(26).find("Item 125"), std::string::npos);
        EXPECT_EQ(plat::ListTopIndex(ui.mainWindow, kItemList), 20);
        EXPECT_TRUE(script::Prompts().empty());  // nothing asked
    });
    Quit();
    Run();
}

TEST_F(SharedList, ActivationLeavesATableWithChangesForTheSaveToMerge) {
    WriteStartList({kBread, kEggs});
    CheckRowAndType(0, "2");
    Then([] { OtherProgramSaves({kBread, kEggs, kMilk}); });
    script::Activate();
    Then([] {
        EXPECT_EQ(itemTable.itemCount, 2);  // not reloaded over B's change
        EXPECT_EQ(itemTable.RecordOfRow(1).unitsToBuy, 2);
        EXPECT_TRUE(script::Prompts().empty());
    });
    Quit();
    Run();
}

TEST_F(SharedList, AHalfWrittenFileIsNotLoadedAndIsTakenWhenWhole) {
    WriteStartList({kBread, kEggs});
    const std::vector<std::uint8_t> whole = ListFileBytes(TableOf({kBread, kEggs, kMilk}));
    Then([whole] { PutFile(kList, std::vector<std::uint8_t>(whole.begin(), whole.begin() + whole.size() / 2)); });
    script::Activate();
    Then([this] {
        EXPECT_EQ(itemTable.itemCount, 2);
        EXPECT_EQ(plat::ListCount(ui.mainWindow, kItemList), 2);
        EXPECT_NE(Row(0).find("Bread"), std::string::npos);
    });
    Then([whole] { PutFile(kList, whole); });  // the sync client has finished
    script::Activate();
    Then([this] {
        EXPECT_EQ(itemTable.itemCount, 3);
        EXPECT_EQ(plat::ListCount(ui.mainWindow, kItemList), 3);
        EXPECT_TRUE(script::Prompts().empty());
    });
    Quit();
    Run();
}

TEST_F(SharedList, ASaveWhileTheFileIsHalfWrittenWritesNothingAndSaysSo) {
    WriteStartList({kBread, kEggs});
    CheckRowAndType(0, "2");
    const std::vector<std::uint8_t> whole = ListFileBytes(TableOf({kBread, kEggs, kMilk}));
    const std::vector<std::uint8_t> half(whole.begin(), whole.begin() + 40);
    Then([half] { PutFile(kList, half); });
    Save(true);
    Then([half] {
        EXPECT_TRUE(itemTable.modified);
        EXPECT_EQ(std::filesystem::file_size(kList), half.size());
    });
    Quit();
    Run();
    ASSERT_EQ(Notices().size(), 2u);  // the notice, and the question of the quit
    EXPECT_NE(Notices()[0].text.find("being written by another program"), std::string::npos);
}

TEST_F(SharedList, UndoCheckoutAfterAReloadSaysWhyItIsNotAvailable) {
    WriteStartList({kBread, kEggs});
    Then([] {
        TakeCheckoutSnapshot();  // a checkout confirmed in this run
        OtherProgramSaves({kBread, kEggs, kMilk});
    });
    script::Activate();
    script::AnswerPrompt(1);
    script::ChooseMenu(kCmdUndoCheckout);
    Then([] {
        EXPECT_EQ(CheckoutUndoState(), UndoCheckoutState::MergedSince);
        EXPECT_EQ(itemTable.itemCount, 3);  // nothing undone
    });
    Quit();
    Run();
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_NE(script::Prompts()[0].text.find("can no longer be undone"), std::string::npos);
    EXPECT_EQ(script::Prompts()[0].caption, "Check out");
}

// ---- Merge List... and the sync client's conflict copies ----------------------

TEST_F(SharedList, MergeListTakesTheOtherListsItemsAndTellsTheConflicts) {
    WriteStartList({kBread, kEggs});
    TestItem eggs = kEggs;
    eggs.price = 5;
    OtherProgramSaves({eggs, kMilk}, {}, "other.ptm");
    const std::string other = (dir / "other.ptm").string();
    script::AnswerFileDialog(true, other);
    script::AnswerPrompt(1);
    script::ChooseMenu(kCmdMergeList);
    Then([this] {
        EXPECT_TRUE(itemTable.modified);
        EXPECT_EQ(itemTable.itemCount, 3);
        EXPECT_EQ(plat::ListCount(ui.mainWindow, kItemList), 3);
        ASSERT_NE(Find(itemTable, "Eggs"), nullptr);
        EXPECT_FLOAT_EQ(Find(itemTable, "Eggs")->pricePerUnit, 3);  // this list's value stays
    });
    Quit();
    Run();
    ASSERT_EQ(script::FileDialogs().size(), 1u);
    EXPECT_EQ(script::FileDialogs()[0].title, "Merge List");
    ASSERT_GE(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].caption, "Merge List");
    EXPECT_NE(script::Prompts()[0].text.find("Eggs (dozen): price"), std::string::npos);
}

// The list file's names are ANSI; the question shows them in their own letters.
TEST_F(SharedList, MergeConflictsNameTheItemsInTheirOwnLetters) {
    const TestItem cheese{0, "K\xE4se", "St\xFC" "ck", 4, 0, 0};
    WriteStartList({kBread, cheese});
    TestItem changed = cheese;
    changed.price = 5;
    OtherProgramSaves({changed}, {}, "other.ptm");
    script::AnswerFileDialog(true, (dir / "other.ptm").string());
    script::AnswerPrompt(1);
    script::ChooseMenu(kCmdMergeList);
    Quit();
    Run();
    ASSERT_GE(script::Prompts().size(), 1u);
    EXPECT_NE(script::Prompts()[0].text.find("K\xC3\xA4se (St\xC3\xBC" "ck): price"), std::string::npos)
        << script::Prompts()[0].text;
}

// What is not a whole list file is refused with the reason, the table as it was.
class SharedListMergeRefused : public SharedList {
protected:
    void MergeAndExpectRefusal(const std::string& name) {
        script::AnswerFileDialog(true, (dir / name).string());
        script::AnswerPrompt(1);
        script::ChooseMenu(kCmdMergeList);
        Then([this] {
            EXPECT_FALSE(itemTable.modified);
            EXPECT_EQ(itemTable.itemCount, 2);
            EXPECT_EQ(plat::ListCount(ui.mainWindow, kItemList), 2);
        });
        Quit();
        Run();
        ASSERT_EQ(script::Prompts().size(), 1u);
        EXPECT_EQ(script::Prompts()[0].caption, "Merge List");
        EXPECT_NE(script::Prompts()[0].text.find("not a whole list file"), std::string::npos);
        EXPECT_EQ(script::Prompts()[0].style, 16);
    }
};

TEST_F(SharedListMergeRefused, AHalfWrittenFile) {
    WriteStartList({kBread, kEggs});
    const std::vector<std::uint8_t> whole = ListFileBytes(TableOf({kMilk, kBread}));
    PutFile("other.ptm", std::vector<std::uint8_t>(whole.begin(), whole.end() - 10));
    MergeAndExpectRefusal("other.ptm");
}

TEST_F(SharedListMergeRefused, AFolder) {
    WriteStartList({kBread, kEggs});
    std::filesystem::create_directory("folder.ptm");
    MergeAndExpectRefusal("folder.ptm");
}

TEST_F(SharedList, AConflictCopyBesideTheListIsOfferedOnceAtStartUp) {
    WriteStartList({kBread, kEggs});
    OtherProgramSaves({kBread, kEggs, kMilk}, {}, "my Pantrium (PC2's conflicted copy 2024-05-02).ptm");
    OtherProgramSaves({kBread, kEggs}, {}, "my Pantrium-PC3.ptm");  // nothing new in it: not offered
    OtherProgramSaves({kMilk}, {}, "my Pantriums.ptm");            // another list
    script::AnswerPrompt(6);
    Then([] {
        EXPECT_EQ(itemTable.itemCount, 3);
        EXPECT_TRUE(itemTable.modified);
        EXPECT_NE(Find(itemTable, "Milk"), nullptr);
    });
    Quit();
    Run();
    ASSERT_EQ(script::Prompts().size(), 2u);  // the offer, and the question of the quit
    const auto& offer = script::Prompts()[0];
    EXPECT_NE(offer.text.find("my Pantrium (PC2's conflicted copy 2024-05-02).ptm"), std::string::npos);
    EXPECT_EQ(offer.text.find("PC3"), std::string::npos);
    EXPECT_EQ(offer.text.find("Pantriums"), std::string::npos);
    EXPECT_EQ(offer.style, 36);
}

TEST_F(SharedList, ADeclinedConflictCopyLeavesTheListAsLoaded) {
    WriteStartList({kBread});
    OtherProgramSaves({kMilk}, {}, "my Pantrium (1).ptm");
    script::AnswerPrompt(7);
    Then([] {
        EXPECT_EQ(itemTable.itemCount, 1);
        EXPECT_FALSE(itemTable.modified);
    });
    Quit();
    Run();
    EXPECT_EQ(script::Prompts().size(), 1u);
}

}  // namespace
}  // namespace pantrium::testing

// The categories dialog and the input box driven by the scripted user.
#include <gtest/gtest.h>

#include "data/categories.h"
#include "dialogs_test_support.h"
#include "ui/dialogs/categories_dialog.h"

namespace pantrium::test {
namespace {

using script::AnswerPrompt;
using script::Click;
using script::Press;
using script::SelectRow;
using script::Then;
using script::Type;

constexpr int kCombo = 220, kAdd = 221, kDelete = 222, kChange = 223, kSave = 224;

class CategoriesTest : public UiTest {
protected:
    // fruit, dairy, bread with one item each, and one item without a category.
    void ThreeCategories() {
        PutCategories({"fruit", "dairy", "bread"});
        PutItem({"Apples", "bag", 1, 1});
        PutItem({"Milk", "gallon", 3, 2});
        PutItem({"Rye", "loaf", 2, 3});
        PutItem({"Salt", "box", 1, 0});
    }
    void ExpectCategories(std::initializer_list<std::pair<const char*, int>> items) {
        for (auto [name, catg] : items) EXPECT_EQ(Item(name).catg, catg) << name;
    }
    static void MoveUp() { Press(plat::kVkUp, true); }
    static void MoveDown() { Press(plat::kVkDown, true); }
    static void ExpectList(std::vector<std::string> entries) {
        Then([entries] { EXPECT_EQ(ListEntries(script::ActiveDialog(), kCombo), entries); });
    }
};

TEST_F(CategoriesTest, LayoutAndEnterAddsTheTypedNameInLowerCase) {
    PutCategories({"fruit"});
    Then([] {
        const plat::Window dlg = script::ActiveDialog();
        const plat::DialogSpec& spec = drivers::SpecOf(dlg);
        EXPECT_EQ(spec.caption, "Categories");
        EXPECT_EQ(spec.width, 240);
        EXPECT_EQ(spec.height, 190);
        EXPECT_EQ(drivers::ControlKind(dlg, kCombo), plat::Kind::SimpleCombo);
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, kCombo), (plat::Rect{90, 20, 140, 135}));
        EXPECT_EQ(drivers::TheUser().ControlRect(dlg, kSave), (plat::Rect{10, 125, 60, 30}));
        EXPECT_EQ(plat::GetFocus(dlg), kCombo);
    });
    Type("Dairy");
    Press(plat::kVkReturn);
    ExpectList({"fruit", "dairy"});
    Then([] { EXPECT_EQ(plat::GetText(script::ActiveDialog(), kCombo), ""); });
    Type("Frozen Foods");
    Click(kAdd);
    Then([] {
        const plat::Window dlg = script::ActiveDialog();
        EXPECT_EQ(plat::GetFocus(dlg), kCombo);
        EXPECT_FALSE(drivers::ControlStyle(dlg, kAdd) & plat::kDefault);
    });
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"fruit", "dairy", "frozen foods"}));
    EXPECT_TRUE(itemTable.modified);
    EXPECT_TRUE(script::Prompts().empty());
}

TEST_F(CategoriesTest, DeletingCategoryTwoOfThreeRenumbersAndResorts) {
    ThreeCategories();
    SelectRow(kCombo, 1);
    AnswerPrompt(6);
    Click(kDelete);
    ExpectList({"fruit", "bread"});
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());

    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].text, "Delete category now?");
    EXPECT_EQ(script::Prompts()[0].caption, "dairy");
    EXPECT_EQ(script::Prompts()[0].style, 52);
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"fruit", "bread"}));
    ExpectCategories({{"Apples", 1}, {"Milk", 0}, {"Rye", 2}, {"Salt", 0}});
    // Re-sorted: the items without a category come first, row 1 selected.
    EXPECT_EQ(TrimmedField(itemTable.RecordOfRow(1).itemName), "Milk");
    EXPECT_EQ(TrimmedField(itemTable.RecordOfRow(4).itemName), "Rye");
    ASSERT_FALSE(refreshes.empty());
    EXPECT_EQ(refreshes.front(), 1);
}

TEST_F(CategoriesTest, DeleteAnsweredNoOrWithNothingSelectedChangesNothing) {
    ThreeCategories();
    Click(kDelete);  // nothing selected: no question
    SelectRow(kCombo, 0);
    AnswerPrompt(7);
    Click(kDelete);
    ExpectList({"fruit", "dairy", "bread"});
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"fruit", "dairy", "bread"}));
    ExpectCategories({{"Apples", 1}, {"Milk", 2}, {"Rye", 3}});
}

TEST_F(CategoriesTest, ReorderThenSaveMovesEveryItemWithItsCategory) {
    ThreeCategories();
    SelectRow(kCombo, 2);
    MoveUp();
    MoveUp();
    ExpectList({"bread", "fruit", "dairy"});
    MoveUp();  // already first: nothing
    ExpectList({"bread", "fruit", "dairy"});
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"bread", "fruit", "dairy"}));
    ExpectCategories({{"Rye", 1}, {"Apples", 2}, {"Milk", 3}, {"Salt", 0}});
    EXPECT_TRUE(itemTable.modified);
    EXPECT_EQ(refreshes, (std::vector<int>{0}));  // redrawn, not sorted
}

// A name the list shows but whose bytes its text cannot give back (Cyrillic
// that an earlier Linux version kept in UTF-8, shown on Qt) keeps its bytes
// through a reorder and a save.
TEST_F(CategoriesTest, ReorderAndSaveKeepTheBytesOfEveryName) {
    const char* const milk = "\xD0\xBC\xD0\xBE\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE";
    PutCategories({"fruit", milk});
    PutItem({"Apples", "bag", 1, 1});
    PutItem({"Kefir", "bottle", 2, 2});
    SelectRow(kCombo, 0);
    MoveDown();  // the Cyrillic entry moves up past it
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{milk, "fruit"}));  // not "??????"
    ExpectCategories({{"Apples", 2}, {"Kefir", 1}});
}

TEST_F(CategoriesTest, MoveDownOnTheLastEntryAndWithoutSelectionDoesNothing) {
    ThreeCategories();
    MoveDown();  // nothing selected yet
    SelectRow(kCombo, 2);
    MoveDown();
    ExpectList({"fruit", "dairy", "bread"});
    SelectRow(kCombo, 0);
    MoveDown();
    ExpectList({"dairy", "fruit", "bread"});
    script::CloseBox();
    ShowCategoriesDialog(0, RecordRefreshes());
}

TEST_F(CategoriesTest, ReorderThenCloseBoxKeepsTheOrder) {
    ThreeCategories();
    SelectRow(kCombo, 0);
    MoveDown();
    MoveDown();
    ExpectList({"dairy", "bread", "fruit"});
    script::CloseBox();
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"fruit", "dairy", "bread"}));
    ExpectCategories({{"Apples", 1}, {"Milk", 2}, {"Rye", 3}});
    EXPECT_FALSE(itemTable.modified);
}

TEST_F(CategoriesTest, NamesDifferingOnlyInCaseMergeIntoTheFirst) {
    PutCategories({"Dairy", "fruit", "dairy"});
    PutItem({"Milk", "gallon", 3, 1});
    PutItem({"Cheese", "block", 4, 3});
    PutItem({"Apples", "bag", 1, 2});
    SelectRow(kCombo, 2);
    MoveUp();  // Dairy, dairy, fruit
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Dairy", "dairy", "fruit"}));
    ExpectCategories({{"Milk", 1}, {"Cheese", 1}, {"Apples", 3}});
}

TEST_F(CategoriesTest, ANameLongerThanTheSearchStillCarriesItsItems) {
    const std::string longName(70, 'z');
    PutCategories({"fruit", longName.c_str()});
    PutItem({"Zest", "jar", 1, 2});
    SelectRow(kCombo, 1);
    MoveUp();
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{longName, "fruit"}));
    ExpectCategories({{"Zest", 1}});
}

TEST_F(CategoriesTest, RenameCarriesThroughAReorderAndSave) {
    ThreeCategories();
    SelectRow(kCombo, 1);  // dairy
    MoveUp();              // dairy, fruit, bread
    Click(kChange);
    Then([] {
        const plat::Window box = script::ActiveDialog();
        EXPECT_EQ(plat::GetCaption(box), "Change Category");
        EXPECT_EQ(plat::GetText(box, 9999), "dairy");
        EXPECT_EQ(plat::GetFocus(box), 9999);
    });
    script::ClearEdit();
    Type("Milk Products");
    Press(plat::kVkReturn);
    ExpectList({"Milk Products", "fruit", "bread"});
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Milk Products", "fruit", "bread"}));
    ExpectCategories({{"Milk", 1}, {"Apples", 2}, {"Rye", 3}, {"Salt", 0}});
}

TEST_F(CategoriesTest, ARenamedCategoryIsNotMergedUnderItsOldName) {
    PutCategories({"Dairy", "fruit", "dairy"});
    PutItem({"Milk", "gallon", 3, 1});
    PutItem({"Cheese", "block", 4, 3});
    SelectRow(kCombo, 0);
    Click(kChange);
    script::ClearEdit();
    Type("Milk Products");
    Press(plat::kVkReturn);
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Milk Products", "fruit", "dairy"}));
    ExpectCategories({{"Milk", 1}, {"Cheese", 3}});
}

TEST_F(CategoriesTest, DeleteAfterAReorderRemovesTheShownCategory) {
    ThreeCategories();
    SelectRow(kCombo, 2);  // bread
    MoveUp();              // fruit, bread, dairy
    SelectRow(kCombo, 1);  // bread again, now in second place
    AnswerPrompt(6);
    Click(kDelete);
    ExpectList({"fruit", "dairy"});
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(script::Prompts().at(0).caption, "bread");
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"fruit", "dairy"}));
    ExpectCategories({{"Apples", 1}, {"Milk", 2}, {"Rye", 0}});
}

TEST_F(CategoriesTest, CloseBoxKeepsDeletionsAndUndoesRenamesAndAdditions) {
    ThreeCategories();
    SelectRow(kCombo, 0);
    AnswerPrompt(6);
    Click(kDelete);  // fruit goes: dairy 1, bread 2
    SelectRow(kCombo, 1);
    Click(kChange);
    script::ClearEdit();
    Type("Bakery");
    Press(plat::kVkReturn);
    script::Focus(kCombo);
    Type("spices");
    Click(kAdd);
    ExpectList({"dairy", "Bakery", "spices"});
    script::CloseBox();
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"dairy", "bread"}));
    ExpectCategories({{"Apples", 0}, {"Milk", 1}, {"Rye", 2}, {"Salt", 0}});
}

TEST_F(CategoriesTest, EscapeClosesLikeTheCloseBox) {
    ThreeCategories();
    SelectRow(kCombo, 0);
    MoveDown();
    script::Focus(kCombo);
    Type("spices");
    Click(kAdd);
    ExpectList({"dairy", "fruit", "bread", "spices"});
    script::Focus(kCombo);
    script::KeyDown(plat::kVkEscape);  // from the combo's edit field
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_TRUE(script::ActiveDialog() == 0);
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"fruit", "dairy", "bread"}));
    ExpectCategories({{"Apples", 1}, {"Milk", 2}, {"Rye", 3}});
}

TEST_F(CategoriesTest, ChangeWithNothingSelectedOrAnEmptyAnswerDoesNothing) {
    ThreeCategories();
    Click(kChange);  // nothing selected: no input box
    SelectRow(kCombo, 0);
    Click(kChange);
    Press(plat::kVkEscape);  // the input box answers nothing
    SelectRow(kCombo, 1);
    Click(kChange);
    script::ClearEdit();
    Click(1);  // an empty text
    ExpectList({"fruit", "dairy", "bread"});
    script::CloseBox();
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(DialogCaptions(),
              (std::vector<std::string>{"Categories", "Change Category", "Change Category"}));
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"fruit", "dairy", "bread"}));
    EXPECT_FALSE(itemTable.modified);
}

TEST_F(CategoriesTest, The256thCategoryIsRefused) {
    for (int i = 0; i < kMaxCategories; ++i) {
        std::string name = "c";  // appended: "c" + to_string trips GCC 12's -Wrestrict under -O2
        AppendCategory(name += std::to_string(i));
    }
    Type("one too many");
    Click(kAdd);
    AnswerPrompt(1);
    Then([] { EXPECT_EQ(plat::ListCount(script::ActiveDialog(), kCombo), 255); });
    Click(kSave);
    ShowCategoriesDialog(0, RecordRefreshes());
    EXPECT_EQ(itemTable.catgCount, 255);
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].style, 48);
    EXPECT_NE(script::Prompts()[0].text.find("255"), std::string::npos);
}

// ---- the input box ----

// "Category:  " is 51 pixels wide in the dialog font, "dairy" 24.
TEST_F(CategoriesTest, InputBoxSizesItselfToItsTexts) {
    auto check = [](int editWidth, int w) {
        Then([=] {
            const plat::Window box = script::ActiveDialog();
            EXPECT_EQ(drivers::SpecOf(box).owner, 0u);
            EXPECT_EQ(drivers::TheUser().ControlRect(box, -1), (plat::Rect{5, 15, 56, 20}));
            EXPECT_EQ(drivers::TheUser().ControlRect(box, 9999), (plat::Rect{56, 15, editWidth, 20}));
            EXPECT_EQ(drivers::TheUser().ControlRect(box, 1), (plat::Rect{w - 50, 50, 60, 25}));
            // Created 0 x 75 and centred, then widened from the same corner.
            EXPECT_EQ(plat::GetWindowRect(box), (plat::Rect{509, 320, w + 40, 120}));
        });
    };
    check(135, 181);  // empty default: 130 + 5; W = 130 + 51
    Click(1);
    EXPECT_EQ(InputBox("Category:  ", "Change Category", ""), "");

    check(34, 150);  // 1.2 * 24 = 28.8 -> 29 + 5; W = 150
    Click(1);
    EXPECT_EQ(InputBox("Category:  ", "Change Category", "dairy"), "dairy");

    // A caption wider than the rest sets W: 40 "W"s are 360 pixels.
    const std::string wide(40, 'W');
    Then([] { EXPECT_EQ(plat::GetWindowRect(script::ActiveDialog()).width, 400); });
    script::CloseBox();
    EXPECT_EQ(InputBox("Category:  ", wide, "dairy"), "");
}

TEST_F(CategoriesTest, InputBoxAnswers) {
    Type("x");
    script::KeyDown(plat::kVkReturn);
    EXPECT_EQ(InputBox("Category:  ", "Change Category", "dairy"), "dairyx");

    script::KeyDown(plat::kVkEscape);
    EXPECT_EQ(InputBox("Category:  ", "Change Category", "dairy"), "");

    Click(1);
    EXPECT_EQ(InputBox("Name: ", "Long", std::string(300, 'a')), std::string(255, 'a'));
}

}  // namespace
}  // namespace pantrium::test

// Typed names the list file cannot hold: the item editor, the categories
// dialog and the input box ask before storing them, naming the characters.
//
// Which characters a layer's edit fields cannot hold as ANSI text: the
// headless layer's code page is Windows-1252; the Win32 layer's is the
// system's (Wine's here is 1252 too), the one files::CharactersNotInAnsi
// knows; the Qt layer's texts are UTF-8, which holds every character. So on
// Qt the same steps store the name as typed, with no question, which these
// tests check there instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "data/categories.h"
#include "dialogs_test_support.h"
#include "platform/files.h"
#include "ui/dialogs/categories_dialog.h"
#include "ui/dialogs/item_editor.h"
#include "ui/dialogs/unheld_text.h"

namespace pantrium::test {
namespace {

using script::AnswerPrompt;
using script::Click;
using script::Focus;
using script::Then;
using script::Type;

constexpr int kYesNoExclamationNoFirst = 308;
const std::string kBread = "Br\xC3\xB6tchen \xD0\xA5\xD0\xBB\xD0\xB5\xD0\xB1";  // "Brötchen Хлеб"
const std::string kMilk = "\xD0\x9C\xD0\xBE\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE";     // "Молоко"

bool Headless() { return drivers::TheUser().Name() == "headless"; }

// The characters of a typed text the layer's edit fields cannot hold.
std::vector<std::string> Lost(const std::string& typed) {
    if (!Headless()) return files::CharactersNotInAnsi(typed);
    // Windows-1252 holds Latin-1 and no Cyrillic.
    std::vector<std::string> lost;
    for (std::size_t i = 0; i + 1 < typed.size(); ++i) {
        if (static_cast<unsigned char>(typed[i]) != 0xD0 && static_cast<unsigned char>(typed[i]) != 0xD1) continue;
        const std::string c = typed.substr(i++, 2);
        if (std::find(lost.begin(), lost.end(), c) == lost.end()) lost.push_back(c);
    }
    return lost;
}

// The typed text as the layer's ANSI text holds it.
std::string Held(const std::string& typed) {
    if (!Headless()) return files::TextToAnsi(typed);
    std::string held;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(typed[i]);
        if (b == 0xC3) held += static_cast<char>(0xC0 + (static_cast<unsigned char>(typed[++i]) & 0x3F));
        else if (b == 0xD0 || b == 0xD1) held += '?', ++i;
        else held += typed[i];
    }
    return held;
}

class UnheldTextTest : public UiTest {};

TEST(UnheldTextQuestion, NamesEachCharacterWithItsNumber) {
    EXPECT_EQ(UnheldTextQuestion("item name", {"\xD0\xA5", "\xD0\xB5", "\xF0\x9F\x8D\x9E"}),
              "The list file cannot hold these characters of the item name:\r\n"
              "\xD0\xA5 (U+0425), \xD0\xB5 (U+0435), \xF0\x9F\x8D\x9E (U+1F35E)\r\n\r\n"
              "Store the item name with \"?\" in their place?\r\n"
              "Choose No to change the text.");
}

TEST_F(UnheldTextTest, TheItemEditorAsksAndNoGoesBackToTheName) {
    const std::vector<std::string> lost = Lost(kBread);
    Type(kBread);
    Focus(202);
    Type("St\xC3\xBC" "ck");  // "Stück": the u umlaut is held by 1252
    Then([] { EXPECT_EQ(plat::GetText(script::ActiveDialog(), 201), Held(kBread)); });
    if (!lost.empty()) {
        AnswerPrompt(7);
        Click(1);
        Then([] {
            const plat::Window dlg = script::ActiveDialog();
            ASSERT_NE(dlg, 0u) << "the editor stays open";
            EXPECT_EQ(plat::GetCaption(dlg), "Add Item");
            EXPECT_EQ(plat::GetFocus(dlg), 201);
            EXPECT_EQ(itemTable.itemCount, 0) << "nothing is stored before the answer";
        });
        script::ClearEdit();
        Type("Br\xC3\xB6tchen");
    }
    Click(1);
    ShowItemEditor(0, 0, RecordRefreshes());

    ASSERT_EQ(itemTable.itemCount, 1);
    const ItemRecord& rec = itemTable.records[1];
    EXPECT_EQ(TrimmedField(rec.unitDescr), Held("St\xC3\xBC" "ck"));
    if (lost.empty()) {
        std::printf("the %s layer's text holds every character: stored as typed\n",
                    drivers::TheUser().Name().c_str());
        EXPECT_TRUE(script::Prompts().empty());
        EXPECT_EQ(TrimmedField(rec.itemName), Held(kBread));
        return;
    }
    EXPECT_EQ(TrimmedField(rec.itemName), Held("Br\xC3\xB6tchen"));
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].text, UnheldTextQuestion("item name", lost));
    EXPECT_EQ(script::Prompts()[0].caption, "Add Item");
    EXPECT_EQ(script::Prompts()[0].style, kYesNoExclamationNoFirst);
}

TEST_F(UnheldTextTest, YesStoresTheNameWithQuestionMarks) {
    const std::vector<std::string> lost = Lost(kBread);
    Type(kBread);
    if (!lost.empty()) AnswerPrompt(6);
    Click(1);
    ShowItemEditor(0, 0, RecordRefreshes());
    ASSERT_EQ(itemTable.itemCount, 1);
    EXPECT_EQ(TrimmedField(itemTable.records[1].itemName), Held(kBread));
    EXPECT_EQ(script::Prompts().size(), lost.empty() ? 0u : 1u);
    if (Headless()) {
        EXPECT_EQ(Held(kBread), "Br\xF6tchen ????");
    }
}

TEST_F(UnheldTextTest, AChangedItemsUnitIsAskedForByItsOwnName) {
    PutItem({"Milk", "gallon", 3, 0, kToBuy, 2});
    const std::vector<std::string> lost = Lost(kMilk);
    Focus(202);
    script::ClearEdit();
    Type(kMilk);
    if (!lost.empty()) AnswerPrompt(7);
    Click(1);
    if (!lost.empty()) {
        Then([] { EXPECT_EQ(plat::GetFocus(script::ActiveDialog()), 202); });
        script::ClearEdit();
        Type("quart");
        Click(1);
    }
    ShowItemEditor(0, 1, RecordRefreshes());
    ASSERT_EQ(itemTable.itemCount, 1);
    EXPECT_EQ(TrimmedField(itemTable.records[1].unitDescr), lost.empty() ? Held(kMilk) : "quart");
    EXPECT_TRUE(itemTable.records[1].toBuy()) << "the marks are carried as always";
    if (lost.empty()) return;
    ASSERT_EQ(script::Prompts().size(), 1u);
    EXPECT_EQ(script::Prompts()[0].text, UnheldTextQuestion("unit description", lost));
    EXPECT_EQ(script::Prompts()[0].caption, "Change Item");
}

TEST_F(UnheldTextTest, TheCategoriesDialogAsksBeforeAddingAndTheInputBoxBeforeRenaming) {
    PutCategories({"dairy"});
    const std::vector<std::string> lost = Lost(kMilk);
    Type(kMilk);
    if (!lost.empty()) {
        AnswerPrompt(7);
        Click(221);
        Then([] {
            const plat::Window dlg = script::ActiveDialog();
            EXPECT_EQ(ListEntries(dlg, 220), (std::vector<std::string>{"dairy"})) << "nothing added";
            EXPECT_EQ(plat::GetFocus(dlg), 220);
            EXPECT_EQ(plat::GetText(dlg, 220), Held(kMilk)) << "the text stays to be changed";
        });
        AnswerPrompt(6);
    }
    Click(221);
    script::SelectRow(220, 0);
    Click(223);
    script::ClearEdit();
    Type(kBread);
    if (!lost.empty()) AnswerPrompt(6);
    Click(1);  // the input box's Ok
    Click(224);
    ShowCategoriesDialog(0, RecordRefreshes());
    ASSERT_EQ(itemTable.catgCount, 2);
    EXPECT_EQ(itemTable.catgNames[1], Held(kBread));
    if (lost.empty()) {
        // The added name is lower-cased as Windows-1252 bytes, which UTF-8 text is not.
        std::printf("the %s layer's text holds every character: no question asked\n",
                    drivers::TheUser().Name().c_str());
        EXPECT_TRUE(script::Prompts().empty());
        return;
    }
    EXPECT_EQ(itemTable.catgNames[2], ToLowerAnsi(Held(kMilk)));
    ASSERT_EQ(script::Prompts().size(), 3u);
    EXPECT_EQ(script::Prompts()[0].text, UnheldTextQuestion("category name", Lost(kMilk)));
    EXPECT_EQ(script::Prompts()[0].caption, "Categories");
    EXPECT_EQ(script::Prompts()[2].text, UnheldTextQuestion("text", Lost(kBread)));
    EXPECT_EQ(script::Prompts()[2].caption, "Change Category");
}

}  // namespace
}  // namespace pantrium::test

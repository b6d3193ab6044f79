// The list file the native program saves is the Windows program's, byte for
// byte: the first steps of the Wine smoke test, played on the Qt layer. Both
// programs start from the same file (built by the smoke test's independent
// list writer), the user makes the same edits, and the native program's save
// must equal the bytes the smoke test requires of pantrium.exe. The saved
// file then opens again in the native program with the same rows.
#include <gtest/gtest.h>

#include <QListWidget>

#include <filesystem>

#include "main_fixture.h"
#include "platform/window/qt/qt_internal.h"
#include "windows/smoke/list_image.h"

namespace pantrium::testing {
namespace {

using smoke::ListFileBytes;
using smoke::ListImage;
using smoke::ListItem;
using smoke::PackedDate;

const char* const kListFile = "smoke list.ptm";

// The smoke test's start list: rows stored unsorted; the start-up sort shows
// Paper towels (no category), Milk (dairy), Apples, Bananas (produce).
ListImage StartList() {
    ListImage list;
    list.categories = {"dairy", "produce"};
    ListItem apples{2, "Apples", "1 lb bag", 1.25f, 0, {PackedDate(3, 1, 2024)}, {2}, 0};
    ListItem milk{1, "Milk", "1 gallon", 2.5f, 2, {PackedDate(3, 15, 2024)}, {2}, smoke::kToBuy};
    ListItem paper{0, "Paper towels", "roll", 0.75f, 0, {}, {}, smoke::kSpecialBuy};
    ListItem bananas{2, "Bananas", "bunch", 0.5f, 3, {}, {}, smoke::kToBuy | smoke::kAutoListed};
    list.records = {apples, milk, paper, bananas};
    list.rowOrder = {1, 2, 3, 4};
    return list;
}

// After checking Apples with 3 units and typing 12 units for Bananas.
ListImage ListAfterTyping() {
    ListImage list = StartList();
    list.records[0].flags = smoke::kToBuy;
    list.records[0].unitsToBuy = 3;
    list.records[3].flags = smoke::kToBuy;  // typing clears the auto-list mark
    list.records[3].unitsToBuy = 12;
    list.rowOrder = {3, 2, 1, 4};
    return list;
}

const std::vector<std::string> kRowsAfterTyping = {
    "\t\tPaper towels\troll\t", "\tx\tMilk\t1 gallon\t03-15-24\t2.00\t5.00",
    "\tx\tApples\t1 lb bag\t03-01-24\t3.00\t3.75", "\tx\tBananas\tbunch\t\t12.00\t6.00"};

std::vector<std::string> Rows(const MainWindowState& ui) {
    std::vector<std::string> rows;
    for (int i = 0; i < plat::ListCount(ui.mainWindow, kItemList); ++i) rows.push_back(plat::ListText(ui.mainWindow, kItemList, i));
    return rows;
}

class ListExchange : public MainWindowTest {};

TEST_F(ListExchange, NativeSaveEqualsTheWindowsProgramsBytesAndOpensAgain) {
    ASSERT_TRUE(smoke::WriteFileBytes(kListFile, ListFileBytes(StartList())));
    ASSERT_TRUE(smoke::WriteFileBytes("pantrium.ini", std::string(kListFile) + "\r\n"));

    script::SelectRow(kItemList, 2);        // Apples
    script::DoubleClickRow(kItemList, 2);   // checked with 1 unit, the units box takes the focus
    script::Type("3");
    script::Press(plat::kVkReturn);         // back to the list
    script::SelectRow(kItemList, 3);        // Bananas
    script::Press(plat::kVkReturn);         // clears its auto mark, the units box takes the focus
    script::Type("12");
    script::Then([&] { EXPECT_EQ(Rows(ui), kRowsAfterTyping); });
    script::ChooseMenu(kCmdSave);
    script::AnswerPrompt(6);
    script::Then([&] {
        EXPECT_EQ(smoke::ReadFileBytes(kListFile), ListFileBytes(ListAfterTyping()))
            << "the native save differs from the Windows program's";
        // Kept for opening in the Windows program by hand (build/screenshots-qt/).
        std::filesystem::create_directories(PANTRIUM_QT_SHOT_DIR);
        smoke::WriteFileBytes(std::string(PANTRIUM_QT_SHOT_DIR) + "/" + kListFile, smoke::ReadFileBytes(kListFile));
    });
    Quit();
    Run();

    // And back: the saved file opens with the same rows.
    script::Reset();
    itemTable = ItemTable{};
    ui = MainWindowState{};
    script::Then([&] {
        EXPECT_EQ(plat::GetCaption(ui.mainWindow), "smoke list");
        EXPECT_EQ(Rows(ui), kRowsAfterTyping);
    });
    Quit();
    Run();
}

// Names with accents in a list the Windows program saved (in its ANSI code
// page, Windows-1252) show as their letters here, and a name typed here is
// saved in that code page, one byte a letter, so the Windows program shows it.
TEST_F(ListExchange, AccentedNamesShowAsTheirLettersAndSaveInTheWindowsCodePage) {
    ListImage list;
    list.categories = {"k\xE4serei"};
    list.records = {ListItem{1, "K\xE4se", "St\xFC" "ck", 4, 1, {}, {}, smoke::kToBuy}};
    list.rowOrder = {1};
    ASSERT_TRUE(smoke::WriteFileBytes(kListFile, ListFileBytes(list)));
    ASSERT_TRUE(smoke::WriteFileBytes("pantrium.ini", std::string(kListFile) + "\r\n"));

    script::Then([&] {
        auto* rows = static_cast<QListWidget*>(plat::qt::ControlOf(ui.mainWindow, kItemList)->widget.data());
        ASSERT_EQ(rows->count(), 1);
        EXPECT_NE(rows->item(0)->text().toStdString().find("K\xC3\xA4se\tSt\xC3\xBC" "ck"), std::string::npos)
            << rows->item(0)->text().toStdString();
    });
    script::ChooseMenu(kCmdNewItem);
    script::Type("Sahne s\xC3\xBC\xC3\x9F");  // "Sahne süß" from the keyboard
    script::Click(1);
    script::ChooseMenu(kCmdSave);
    script::AnswerPrompt(6);
    Quit();
    Run();
    list.records.push_back(ListItem{0, "Sahne s\xFC\xDF", "", 0, 0, {}, {}, 0});
    list.rowOrder = {2, 1};  // no category first
    EXPECT_EQ(smoke::ReadFileBytes(kListFile), ListFileBytes(list));
}

}  // namespace
}  // namespace pantrium::testing

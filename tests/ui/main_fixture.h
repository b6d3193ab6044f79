// Shared set-up of the main-window tests: a fresh window layer, a fresh
// item table, the state of the window the test runs, and a temporary current
// directory (the settings files and relative list paths resolve against it).
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "data/item_table.h"
#include "data/list_file.h"
#include "drivers/script.h"
#include "platform/window.h"
#include "prompt_checks.h"
#include "ui/main/main_window.h"
#include "test_support.h"

namespace pantrium::testing {

using test::ExpectPrompt;

struct TestItem {
    int catg = 0;
    std::string name, unit;
    float price = 0, units = 0;
    std::uint8_t flags = 0;
    PackedDate date = 0;  // slot 1 of the history
    float bought = 0;
};

constexpr PackedDate Packed(int month, int day, int year) {
    return static_cast<PackedDate>(day | (month << 5) | ((year - 2000) << 9));
}

// A table whose records 1..n are the items, shown in that order.
inline ItemTable TableOf(const std::vector<TestItem>& items, const std::vector<std::string>& categories = {}) {
    std::vector<ItemRecord> records;
    for (const TestItem& it : items) {
        records.push_back(test::RecordOf(it.catg, it.name, it.unit, it.price, it.units, it.flags));
        records.back().buyDate[0] = it.date;
        records.back().buyUnits[0] = it.bought;
    }
    return test::TableOf(records, categories);
}

inline std::string JoinedFailures() {
    std::string all;
    for (const auto& f : script::Failures()) all += f + "\n";
    return all;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        script::Reset();
        itemTable = ItemTable{};
        temp = std::make_unique<test::TempDir>();
        dir = temp->path();
    }
    void TearDown() override {
        temp.reset();
        itemTable = ItemTable{};
    }

    // Writes a list file whose records 1..n are the items, shown in that order.
    static void WriteListFile(const std::string& path, const std::vector<TestItem>& items,
                              const std::vector<std::string>& categories = {}) {
        itemTable = TableOf(items, categories);
        itemTable.listPath = path;
        ASSERT_EQ(SaveList(), SaveResult::Saved);
        itemTable = ItemTable{};
    }
    // The list that start-up opens when there is no settings file.
    static void WriteStartList(const std::vector<TestItem>& items,
                               const std::vector<std::string>& categories = {}) {
        WriteListFile("my Pantrium.ptm", items, categories);
    }
    // Bread and Milk to buy in two categories, Soap not, each with a purchase.
    static void WriteThreeItems() {
        WriteStartList({{1, "Bread", "loaf", 2, 1, kToBuy, Packed(3, 5, 2024), 1},
                        {2, "Milk", "gallon", 3, 2, kToBuy, Packed(3, 6, 2024), 2},
                        {2, "Soap", "bar", 1, 0, 0, Packed(3, 7, 2024), 4}},
                       {"bakery", "dairy"});
    }
    // The start list as the file holds it now, loaded into a fresh table.
    static LoadResult LoadStartListAgain() {
        itemTable = ItemTable{};
        return LoadList();
    }

    // Runs the main window with the queued script on ui; the whole script must
    // be used. A second run in one test follows Restart.
    void Run() {
        EXPECT_EQ(RunMainWindow(ui), 0);
        EXPECT_TRUE(script::Failures().empty()) << JoinedFailures();
        EXPECT_EQ(script::UnusedScript(), 0);
    }
    // Forgets the script and the window of a run, for another run in the same test.
    void Restart() {
        script::Reset();
        ui = MainWindowState{};
    }
    // Escape ends the window; changes the test left unsaved are dropped with
    // No to the question. The release has no window left to reach.
    static void Quit() {
        script::Then([] {
            if (itemTable.modified) script::AnswerPrompt(7);
        });
        script::KeyDown(plat::kVkEscape);
    }

    // A help file (and the help pages a system without HTML Help shows) in folder.
    static void PutHelpIn(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder / "help");
        std::ofstream(folder / "Pantrium.chm") << "ITSF";
        std::ofstream(folder / "help" / "index.html") << "<html></html>";
    }

    std::string Row(int entry) const { return plat::ListText(ui.mainWindow, kItemList, entry); }
    int Selection() const { return plat::ListGetSel(ui.mainWindow, kItemList); }
    std::string Status(int part) const { return plat::GetStatusText(ui.mainWindow, kStatusBar, part); }
    std::string UnitsText() const { return plat::GetText(ui.mainWindow, kUnitsBox); }
    static const ItemRecord& RecordOfRow(int row) { return itemTable.RecordOfRow(row); }

    MainWindowState ui;  // the state of the main window the test runs
    std::unique_ptr<test::TempDir> temp;
    std::filesystem::path dir;
};

}  // namespace pantrium::testing

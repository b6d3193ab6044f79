// Shared helpers of the dialog and scenario tests: a clean table and window
// layer for every test, items built in code, and a private temp folder.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "data/dates.h"
#include "data/item_table.h"
#include "data/list_file.h"
#include "drivers/script.h"
#include "platform/window.h"
#include "prompt_checks.h"
#include "ui/dialogs/list_refresh.h"
#include "ui/main/main_window.h"
#include "test_support.h"

namespace pantrium::test {

namespace fs = std::filesystem;

struct ItemSpec {
    std::string name;
    std::string unit = "each";
    float price = 0;
    int catg = 0;
    std::uint8_t flags = 0;
    float units = 0;
    std::vector<std::pair<std::string, float>> history = {};
};

// Appends a record (and its row) to the table directly, without sorting.
inline int PutItem(const ItemSpec& s) {
    ItemRecord rec = RecordOf(s.catg, s.name, s.unit, s.price, s.units, s.flags);
    for (std::size_t i = 0; i < s.history.size(); ++i) {
        rec.buyDate[i] = Date(s.history[i].first);
        rec.buyUnits[i] = s.history[i].second;
    }
    return AppendRecord(itemTable, rec);
}

inline void PutCategories(std::initializer_list<const char*> names) {
    itemTable.catgNames.assign(1, "");
    for (const char* n : names) itemTable.catgNames.push_back(n);
    itemTable.catgCount = static_cast<int>(names.size());
}

// The record whose trimmed name is given (0 when none).
inline int RecordNamed(const std::string& name) {
    for (int k = 1; k <= itemTable.itemCount; ++k)
        if (TrimmedField(itemTable.records[k].itemName) == name) return k;
    return 0;
}

inline ItemRecord& Item(const std::string& name) {
    const int k = RecordNamed(name);
    EXPECT_NE(k, 0) << name;
    return itemTable.records[k];
}

inline std::vector<std::string> CategoryNames() {
    return {itemTable.catgNames.begin() + 1, itemTable.catgNames.begin() + 1 + itemTable.catgCount};
}

inline std::vector<std::string> ListEntries(plat::Window dlg, int id) {
    std::vector<std::string> out;
    for (int i = 0; i < plat::ListCount(dlg, id); ++i) out.push_back(plat::ListText(dlg, id, i));
    return out;
}

// Captions of the dialogs run so far, in order of opening.
inline std::vector<std::string> DialogCaptions() {
    std::vector<std::string> out;
    for (const plat::DialogSpec& s : drivers::DialogsRun()) out.push_back(s.caption);
    return out;
}

// Saves the table built so far as the list file at path and empties the table,
// so that the main window can load it at start-up.
inline void WriteListFile(const std::string& path) {
    itemTable.listPath = path;
    ASSERT_EQ(SaveList(), SaveResult::Saved);
    ClearTable();
    itemTable.listPath = "my Pantrium.ptm";
    itemTable.modified = false;
}

// Texts sent to the printer that begin with the given item name.
inline int PrintedCount(const std::string& name) {
    int n = 0;
    for (const drivers::PrinterOp& op : drivers::PrinterOps())
        if (op.kind == drivers::PrinterOp::Text && op.text.rfind(name + " ", 0) == 0) ++n;
    return n;
}

// Every test starts with an empty table, a fresh window layer, a fresh state
// for a main window it runs and a fixed today; it ends by checking that the
// script was used up cleanly.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        script::Reset();
        ui = MainWindowState{};
        ClearTable();
        itemTable.listPath = "my Pantrium.ptm";
        itemTable.modified = false;
        itemTable.snapshot = CheckoutSnapshot{};
        itemTable.itemsToBuy = 0;
        itemTable.totalCost = 0;
        itemTable.pendingRefresh.reset();
        todayOverride = "03-29-2024";
        refreshes.clear();
    }
    void TearDown() override {
        EXPECT_TRUE(script::Failures().empty())
            << "first failure: " << (script::Failures().empty() ? "" : script::Failures()[0]);
        EXPECT_EQ(script::UnusedScript(), 0);
        todayOverride.clear();
    }
    // The owner's redraw for a dialog run alone: it records the modes in refreshes.
    ListRefresh RecordRefreshes() {
        return [this](int mode) { refreshes.push_back(mode); };
    }
    MainWindowState ui;
    std::vector<int> refreshes;
};

}  // namespace pantrium::test

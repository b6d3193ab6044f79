// Shared helpers of the data tests: a clean table, a private temp folder,
// file bytes, dates and histories.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "data/dates.h"
#include "data/item_table.h"
#include "test_support.h"

namespace pantrium::test {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const fs::path& p, const Bytes& b) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                             static_cast<std::streamsize>(b.size()));
}

inline void SetHistory(ItemRecord& rec,
                       std::initializer_list<std::pair<const char*, float>> purchases) {
    int i = 0;
    for (auto& [date, units] : purchases) {
        rec.buyDate[i] = Date(date);
        rec.buyUnits[i++] = units;
    }
}

inline std::string Name(const ItemRecord& rec) { return TrimmedField(rec.itemName); }

// Names in display order.
inline std::vector<std::string> RowNames() {
    std::vector<std::string> names;
    for (int r = 1; r <= itemTable.itemCount; ++r) names.push_back(Name(itemTable.RecordOfRow(r)));
    return names;
}

// Every test starts from an empty table with no redraw asked for, and the real clock.
class DataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearTable();
        itemTable.listPath = "my Pantrium.ptm";
        itemTable.modified = false;
        itemTable.snapshot = CheckoutSnapshot{};
        itemTable.pendingRefresh.reset();
        todayOverride.clear();
    }
    void TearDown() override { todayOverride.clear(); }
};

}  // namespace pantrium::test

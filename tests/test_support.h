// Helpers shared by the test programs: a private current directory, dates
// typed as the user types them, and records and tables built in code.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "data/dates.h"
#include "data/item_table.h"

namespace pantrium::test {

namespace fs = std::filesystem;

// A fresh folder under the system temp folder, the current directory while it
// lives (the settings files and relative list paths resolve against it).
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        do path_ = fs::temp_directory_path() / ("pantrium-test-" + std::to_string(rd()));
        while (!fs::create_directory(path_));
        previous_ = fs::current_path();
        fs::current_path(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::current_path(previous_, ec);
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_, previous_;
};

// A typed date as checkout stores it.
inline PackedDate Date(const std::string& typed) {
    std::string t = typed;
    EXPECT_TRUE(NormalizeDateText(t)) << typed;
    return PackDate(t);
}

// A record with these fields and no purchases.
inline ItemRecord RecordOf(int catg, const std::string& name, const std::string& unit, float price, float units = 0,
                           std::uint8_t flags = 0) {
    ItemRecord rec;
    rec.catg = static_cast<std::uint8_t>(catg);
    StoreTextField(rec.itemName, name);
    StoreTextField(rec.unitDescr, unit);
    rec.pricePerUnit = price;
    rec.unitsToBuy = units;
    rec.flags = flags;
    return rec;
}

// Appends rec to t as its next record, shown in the next row; returns its number.
inline int AppendRecord(ItemTable& t, const ItemRecord& rec) {
    t.records.push_back(rec);
    t.rowOrder.push_back(++t.itemCount);
    return t.itemCount;
}

// A table holding the records in rows 1..n, in that order, and the categories.
inline ItemTable TableOf(const std::vector<ItemRecord>& records, const std::vector<std::string>& categories = {}) {
    ItemTable t;
    for (const ItemRecord& rec : records) AppendRecord(t, rec);
    for (const std::string& name : categories) t.catgNames.push_back(name);
    t.catgCount = static_cast<int>(categories.size());
    return t;
}

}  // namespace pantrium::test

// Helpers of the printing tests: a hand-built item table (row order as
// given, no sorting) and the printer operations recorded by the headless layer.
#pragma once
#include <string>
#include <vector>

#include "data/item_table.h"
#include "headless_fixture.h"
#include "platform/window/headless/headless.h"
#include "test_support.h"

namespace pantrium::test {

// day, month, year as a packed date
inline PackedDate Date(int day, int month, int year) {
    return static_cast<PackedDate>(day | (month << 5) | ((year - 2000) << 9));
}

inline void StartTable(const std::vector<std::string>& categories) {
    ClearTable();
    for (const std::string& name : categories) itemTable.catgNames.push_back(name);
    itemTable.catgCount = static_cast<int>(categories.size());
    itemTable.modified = false;
}

// Appends a record, shown in the next row.
inline void AddRecord(int catg, const std::string& name, const std::string& unit, float price,
                      float units, bool toBuy, PackedDate lastBuy = 0) {
    ItemRecord rec = RecordOf(catg, name, unit, price, units, toBuy ? kToBuy : 0);
    if (lastBuy) {
        rec.buyDate[0] = lastBuy;
        rec.buyUnits[0] = 1;
    }
    AppendRecord(itemTable, rec);
}

struct PrintedText {
    int x, y;
    std::string text;
    bool operator==(const PrintedText&) const = default;
};

inline std::vector<PrintedText> PrintedTexts() {
    std::vector<PrintedText> texts;
    for (const headless::PrinterOp& op : headless::PrinterOps())
        if (op.kind == headless::PrinterOp::Text) texts.push_back({op.x, op.y, op.text});
    return texts;
}

inline int CountOps(headless::PrinterOp::Kind kind) {
    int n = 0;
    for (const headless::PrinterOp& op : headless::PrinterOps()) n += op.kind == kind;
    return n;
}

}  // namespace pantrium::test

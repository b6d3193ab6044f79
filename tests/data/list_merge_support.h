// Helpers of the merge tests: lists as values, edited with the program's own
// operations, and items looked up by what identifies them to the user.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "data/item_table.h"
#include "data/list_change.h"
#include "data/list_file.h"
#include "data/list_merge.h"

namespace pantrium::test {

// Runs edit on list as if it were the program's table (the global table is
// swapped in and out), so that every edit is the program's own operation.
inline void Edit(ItemTable& list, const std::function<void()>& edit) {
    std::swap(itemTable, list);
    edit();
    std::swap(itemTable, list);
}

inline std::string CategoryOf(const ItemTable& list, const ItemRecord& rec) {
    if (rec.catg == 0 || rec.catg > list.catgCount) return "";
    char field[kTextField];
    StoreTextField(field, list.catgNames[rec.catg]);
    return TrimmedField(field);
}

// The item of that category and name; null when the list has none.
inline const ItemRecord* FindItem(const ItemTable& list, const std::string& category, const std::string& name) {
    for (int k = 1; k <= list.itemCount; ++k) {
        const ItemRecord& rec = list.records[k];
        if (TrimmedField(rec.itemName) == name && CategoryOf(list, rec) == category) return &rec;
    }
    return nullptr;
}

// The row of the global table's item of that name (first match), 0 when none.
inline int RowNamed(const std::string& name) {
    for (int r = 1; r <= itemTable.itemCount; ++r)
        if (TrimmedField(itemTable.RecordOfRow(r).itemName) == name) return r;
    return 0;
}

// The user checks the item and types units.
inline void MarkToBuy(const std::string& name, float units) {
    ItemRecord& rec = itemTable.RecordOfRow(RowNamed(name));
    rec.SetFlag(kToBuy, units != 0);
    rec.unitsToBuy = units;
    itemTable.modified = true;
}

inline void SetPrice(const std::string& name, float price) {
    itemTable.RecordOfRow(RowNamed(name)).pricePerUnit = price;
    itemTable.modified = true;
}

// Category names in order, trimmed.
inline std::vector<std::string> CategoryNames(const ItemTable& list) {
    std::vector<std::string> names;
    for (int k = 1; k <= list.catgCount; ++k) {
        char field[kTextField];
        StoreTextField(field, list.catgNames[k]);
        names.push_back(TrimmedField(field));
    }
    return names;
}

inline std::vector<std::string> ConflictTexts(const std::vector<MergeConflict>& conflicts) {
    std::vector<std::string> texts;
    for (const MergeConflict& c : conflicts)
        texts.push_back(c.category + "/" + c.itemName + "/" + c.unitDescr + ": " + MergeFieldName(c.field));
    return texts;
}

}  // namespace pantrium::test

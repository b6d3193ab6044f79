// The in-memory shopping list: records, display order, categories, list path,
// the modified flag and the checkout snapshot. One global instance for the run.
// Rows and record indices are 1-based; element 0 of records/rowOrder is unused.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "item_record.h"

namespace pantrium {

struct CheckoutSnapshot {
    std::int32_t count = 0;              // 0 until the first confirmed checkout
    bool taken = false;
    std::vector<ItemRecord> records;     // indices 0..count
    std::vector<std::int32_t> rowOrder;  // indices 0..count
};

struct ItemTable {
    std::int32_t itemCount = 0;
    std::vector<ItemRecord> records = std::vector<ItemRecord>(1);
    std::vector<std::int32_t> rowOrder = std::vector<std::int32_t>(1, 0);
    // category list: catgNames[1..catgCount]; element 0 is the empty text
    std::int32_t catgCount = 0;
    std::vector<std::string> catgNames = std::vector<std::string>(1);
    std::string listPath = "my Pantrium.ptm";
    bool modified = false;
    CheckoutSnapshot snapshot;
    // derived, recomputed by every list refresh
    std::int32_t itemsToBuy = 0;
    double totalCost = 0;

    ItemRecord& RecordOfRow(int row) { return records[rowOrder[row]]; }
};

extern ItemTable itemTable;

// The main window registers its RefreshItemList here; the core calls it after
// changing the table (sort, delete with refresh, auto list, checkout...).
// Without a hook (tests of the core alone) refreshing does nothing.
extern std::function<void(int mode)> refreshItemListHook;
void RefreshItemList(int mode);

void ClearTable();
// price is the user's text, converted with TextToNumber.
void AddItem(const std::string& name, const std::string& unitDescr, const std::string& priceText,
             int catg, bool special, bool toBuy, float units);
void ChangeItem(int row, const std::string& name, const std::string& unitDescr,
                const std::string& priceText, int catg, bool special, bool toBuy, float units);
void DeleteRow(int row, bool refresh);
void ResetItemHistory(int row);
void ResetAllHistories();
void SortRows(int select);
// Key used by SortRows: " " + decimal catg + all 20 bytes of itemName.
std::string SortKey(const ItemRecord& rec);

}  // namespace pantrium

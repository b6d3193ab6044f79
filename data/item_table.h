// The in-memory shopping list: records, display order, categories, list path,
// the modified flag and the checkout snapshot. One global instance for the run.
// Rows and record indices are 1-based; element 0 of records/rowOrder is unused.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "item_record.h"

namespace pantrium {

struct CheckoutSnapshot {
    std::int32_t count = 0;              // 0 until the first confirmed checkout
    bool taken = false;
    // A merge took another program's changes into the table after this
    // snapshot: restoring it would drop them without a word.
    bool mergedSince = false;
    // Whether the table differed from its list file when the snapshot was
    // taken: an undo with no load or save since gives that state back.
    bool modifiedBefore = false;
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
    // The redraw of the shown list that the last operation asks for, empty
    // when none: 0 every row, the selection kept; r every row, row r
    // selected; -r row r alone. Whoever shows the table takes it after each
    // operation.
    std::optional<int> pendingRefresh;

    ItemRecord& RecordOfRow(int row) { return records[rowOrder[row]]; }
};

extern ItemTable itemTable;

// Records the redraw an operation asks for (sort, delete with refresh, auto
// list, checkout...); a later one replaces it.
void RequestRefresh(int mode);
// The pending redraw, now cleared.
std::optional<int> TakePendingRefresh();

void ClearTable();

// The items marked to buy and what they cost together (each price times its
// units, in double precision, the sum kept within the amount range): the
// figures of the status line and of the printed shopping list's end.
struct ShoppingTotals {
    std::int32_t itemsToBuy = 0;
    double totalCost = 0;
};
ShoppingTotals CountShoppingList();
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

// The one item table of the run and the operations on its rows.
#include "item_table.h"

#include <algorithm>
#include <cstring>

#include "number_text.h"

namespace pantrium {

ItemTable itemTable;
std::function<void(int mode)> refreshItemListHook;

void RefreshItemList(int mode) {
    if (refreshItemListHook) refreshItemListHook(mode);
}

void ClearTable() {
    itemTable.itemCount = 0;
    itemTable.records.assign(1, ItemRecord{});
    itemTable.rowOrder.assign(1, 0);
    itemTable.catgCount = 0;
    itemTable.catgNames.assign(1, std::string());
}

namespace {

bool ValidRow(int row) { return row >= 1 && row <= itemTable.itemCount; }

void FillRecord(ItemRecord& rec, const std::string& name, const std::string& unitDescr,
                const std::string& priceText, int catg, bool special, bool toBuy, float units) {
    rec = ItemRecord{};
    StoreTextField(rec.itemName, name);
    StoreTextField(rec.unitDescr, unitDescr);
    rec.pricePerUnit = static_cast<float>(TextToNumber(priceText));
    // catg is one byte; anything it cannot hold means no category.
    rec.catg = (catg >= 0 && catg <= 255) ? static_cast<std::uint8_t>(catg) : 0;
    rec.SetFlag(kSpecialBuy, special);
    if (special) {
        rec.SetFlag(kToBuy, true);
        rec.unitsToBuy = 1;
    } else {
        rec.SetFlag(kToBuy, toBuy);
        rec.unitsToBuy = units;
    }
}

// The sort key as a fixed buffer: " " + decimal catg (1 to 3 digits) + 20 name bytes.
struct KeyedRow {
    std::uint8_t key[24];
    std::uint8_t length;
    std::int32_t recordIndex;
};

void BuildKey(const ItemRecord& rec, KeyedRow& out) {
    std::uint8_t* p = out.key;
    *p++ = ' ';
    unsigned c = rec.catg;
    if (c >= 100) *p++ = static_cast<std::uint8_t>('0' + c / 100);
    if (c >= 10) *p++ = static_cast<std::uint8_t>('0' + c / 10 % 10);
    *p++ = static_cast<std::uint8_t>('0' + c % 10);
    std::memcpy(p, rec.itemName, kTextField);
    out.length = static_cast<std::uint8_t>(p - out.key + kTextField);
}

// Byte-wise comparison as unsigned characters; a prefix sorts first.
bool KeyLess(const KeyedRow& a, const KeyedRow& b) {
    int c = std::memcmp(a.key, b.key, std::min(a.length, b.length));
    return c != 0 ? c < 0 : a.length < b.length;
}

}  // namespace

std::string SortKey(const ItemRecord& rec) {
    KeyedRow k;
    BuildKey(rec, k);
    return std::string(reinterpret_cast<const char*>(k.key), k.length);
}

void AddItem(const std::string& name, const std::string& unitDescr, const std::string& priceText,
             int catg, bool special, bool toBuy, float units) {
    int n = ++itemTable.itemCount;
    itemTable.records.resize(static_cast<std::size_t>(n) + 1);
    itemTable.rowOrder.resize(static_cast<std::size_t>(n) + 1);
    itemTable.rowOrder[n] = n;
    FillRecord(itemTable.records[n], name, unitDescr, priceText, catg, special, toBuy, units);
    itemTable.modified = true;
    SortRows(n);
}

void ChangeItem(int row, const std::string& name, const std::string& unitDescr,
                const std::string& priceText, int catg, bool special, bool toBuy, float units) {
    if (!ValidRow(row)) return;
    DeleteRow(row, false);
    AddItem(name, unitDescr, priceText, catg, special, toBuy, units);
}

void DeleteRow(int row, bool refresh) {
    if (!ValidRow(row)) return;
    auto& order = itemTable.rowOrder;
    auto& records = itemTable.records;
    const int n = itemTable.itemCount;
    const int k = order[row];
    for (int i = 1; i <= n; ++i)
        if (order[i] > k) --order[i];
    // Move the later elements down one place and zero the vacated last one;
    // the arrays keep their capacity.
    std::move(order.begin() + row + 1, order.end(), order.begin() + row);
    order.back() = 0;
    if (k >= 1 && static_cast<std::size_t>(k) < records.size()) {
        std::move(records.begin() + k + 1, records.end(), records.begin() + k);
        records.back() = ItemRecord{};
    }
    itemTable.itemCount = n - 1;
    itemTable.modified = true;
    if (refresh) RefreshItemList(std::min(row, itemTable.itemCount));
}

void ResetItemHistory(int row) {
    if (!ValidRow(row)) return;
    ItemRecord& rec = itemTable.RecordOfRow(row);
    for (int i = 0; i < kHistorySlots; ++i) {
        rec.buyDate[i] = 0;
        rec.buyUnits[i] = 0;
    }
    itemTable.modified = true;
}

void ResetAllHistories() {
    for (int k = 1; k <= itemTable.itemCount; ++k) {
        ItemRecord& rec = itemTable.records[k];
        for (int i = 0; i < kHistorySlots; ++i) {
            rec.buyDate[i] = 0;
            rec.buyUnits[i] = 0;
        }
    }
    itemTable.modified = true;
}

void SortRows(int select) {
    const int n = itemTable.itemCount;
    std::vector<KeyedRow> rows(static_cast<std::size_t>(n));
    for (int r = 1; r <= n; ++r) {
        KeyedRow& kr = rows[static_cast<std::size_t>(r) - 1];
        kr.recordIndex = itemTable.rowOrder[r];
        BuildKey(itemTable.records[kr.recordIndex], kr);
    }
    std::sort(rows.begin(), rows.end(), KeyLess);
    int selectedRow = 1;
    for (int r = 1; r <= n; ++r) {
        int k = rows[static_cast<std::size_t>(r) - 1].recordIndex;
        itemTable.rowOrder[r] = k;
        if (select > 0 && k == select) selectedRow = r;
    }
    RefreshItemList(selectedRow);
}

}  // namespace pantrium

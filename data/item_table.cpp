// The one item table of the run and the operations on its rows.
#include "item_table.h"

#include <algorithm>
#include <bit>
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
    rec.pricePerUnit = ToAmount(TextToNumber(priceText));  // out of range: the largest amount
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

// The sort key without its leading blank (the same in every key): the
// decimal catg (1 to 3 digits) and the 20 name bytes, at most 23 bytes.
std::size_t KeyBytes(const ItemRecord& rec, std::uint8_t* out) {
    std::uint8_t* p = out;
    unsigned c = rec.catg;
    if (c >= 100) *p++ = static_cast<std::uint8_t>('0' + c / 100);
    if (c >= 10) *p++ = static_cast<std::uint8_t>('0' + c / 10 % 10);
    *p++ = static_cast<std::uint8_t>('0' + c % 10);
    std::memcpy(p, rec.itemName, kTextField);
    return static_cast<std::size_t>(p - out) + kTextField;
}

// The key as three big-endian words: bytes 0-22 of the key padded with
// zeros, byte 23 its length. Comparing the words in order gives exactly the
// byte-wise order of the keys as unsigned characters, a key sorting before
// every longer key that it begins (a zero pad byte never wins over a real
// byte, and an all-equal padding falls to the length).
struct KeyedRow {
    std::uint64_t word[3];
    std::int32_t recordIndex;
};

std::uint64_t BigEndianWord(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

void BuildKey(const ItemRecord& rec, KeyedRow& out) {
    std::uint8_t bytes[24] = {};
    bytes[23] = static_cast<std::uint8_t>(KeyBytes(rec, bytes));
    for (int w = 0; w < 3; ++w) out.word[w] = BigEndianWord(bytes + 8 * w);
}

bool KeyLess(const KeyedRow& a, const KeyedRow& b) {
    if (a.word[0] != b.word[0]) return a.word[0] < b.word[0];
    if (a.word[1] != b.word[1]) return a.word[1] < b.word[1];
    return a.word[2] < b.word[2];
}

unsigned KeyByte(const KeyedRow& row, int byte) {
    return static_cast<unsigned>(row.word[byte / 8] >> (56 - 8 * (byte % 8))) & 0xFF;
}

// Sorts rows that agree in their first `byte` key bytes: bucket by bucket on
// the next byte, in place (the rows are swapped into their buckets), so that
// no comparison guesses wrong on long runs; small buckets go to std::sort.
void SortByKeyBytes(KeyedRow* rows, std::size_t n, int byte) {
    constexpr std::size_t kSmall = 128;
    for (; byte < 24; ++byte) {
        if (n <= kSmall) break;
        std::size_t count[256] = {};
        for (std::size_t i = 0; i < n; ++i) ++count[KeyByte(rows[i], byte)];
        if (count[KeyByte(rows[0], byte)] == n) continue;  // one bucket: on to the next byte
        std::size_t next[256], end[256];
        std::size_t at = 0;
        for (int b = 0; b < 256; ++b) {
            next[b] = at;
            at += count[b];
            end[b] = at;
        }
        for (int b = 0; b < 256; ++b) {
            while (next[b] < end[b]) {
                const unsigned d = KeyByte(rows[next[b]], byte);
                if (d == static_cast<unsigned>(b))
                    ++next[b];
                else
                    std::swap(rows[next[b]], rows[next[d]++]);
            }
        }
        std::size_t start = 0;
        for (int b = 0; b < 256; start = end[b], ++b)
            if (count[b] > 1) SortByKeyBytes(rows + start, count[b], byte + 1);
        return;
    }
    std::sort(rows, rows + n, KeyLess);
}

}  // namespace

std::string SortKey(const ItemRecord& rec) {
    std::uint8_t bytes[24];
    std::size_t len = KeyBytes(rec, bytes);
    std::string key(1, ' ');
    key.append(reinterpret_cast<const char*>(bytes), len);
    return key;
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
    // rowOrder is a permutation of 1..n, and rows with equal keys may end in
    // any order: the keys are built in record order, one pass through the
    // records instead of a jump per row.
    std::vector<KeyedRow> rows(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k) {
        KeyedRow& kr = rows[static_cast<std::size_t>(k) - 1];
        kr.recordIndex = k;
        BuildKey(itemTable.records[k], kr);
    }
    SortByKeyBytes(rows.data(), rows.size(), 0);
    int selectedRow = 1;
    for (int r = 1; r <= n; ++r) {
        int k = rows[static_cast<std::size_t>(r) - 1].recordIndex;
        itemTable.rowOrder[r] = k;
        if (select > 0 && k == select) selectedRow = r;
    }
    RefreshItemList(selectedRow);
}

}  // namespace pantrium

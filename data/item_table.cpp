// The one item table of the run and the operations on its rows.
#include "item_table.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <utility>

#include "number_text.h"

namespace pantrium {

ItemTable itemTable;

void RequestRefresh(int mode) { itemTable.pendingRefresh = mode; }

std::optional<int> TakePendingRefresh() { return std::exchange(itemTable.pendingRefresh, std::nullopt); }

void ClearTable() {
    itemTable.itemCount = 0;
    itemTable.records.assign(1, ItemRecord{});
    itemTable.rowOrder.assign(1, 0);
    itemTable.catgCount = 0;
    itemTable.catgNames.assign(1, std::string());
}

ShoppingTotals CountShoppingList() {
    ShoppingTotals totals;
    for (int k = 1; k <= itemTable.itemCount; ++k) {
        const ItemRecord& rec = itemTable.records[k];
        if (!rec.toBuy()) continue;
        ++totals.itemsToBuy;
        totals.totalCost += AmountCost(rec.pricePerUnit, rec.unitsToBuy);
    }
    totals.totalCost = ClampAmount(totals.totalCost);
    return totals;
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

std::uint64_t BigEndianWord(const std::uint8_t* p, std::size_t len = 8) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < len; ++i) v |= std::uint64_t(p[i]) << (56 - 8 * i);
    return v;
}

// The catg digits as the top bytes of a key word, and their number.
struct CatgDigits {
    std::uint64_t word[256];
    unsigned count[256];
    CatgDigits() {
        for (unsigned c = 0; c < 256; ++c) {
            std::uint8_t bytes[8] = {};
            ItemRecord rec;
            rec.catg = static_cast<std::uint8_t>(c);
            std::uint8_t key[24];
            count[c] = static_cast<unsigned>(KeyBytes(rec, key)) - kTextField;
            std::memcpy(bytes, key, count[c]);
            word[c] = BigEndianWord(bytes);
        }
    }
};

// The words straight from the record: the 160 name bits shifted right past
// the digits.
void BuildKey(const ItemRecord& rec, const CatgDigits& digits, KeyedRow& out) {
    const auto* name = reinterpret_cast<const std::uint8_t*>(rec.itemName);
    std::uint64_t n0, n1;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&n0, name, 8);
        std::memcpy(&n1, name + 8, 8);
        n0 = __builtin_bswap64(n0);
        n1 = __builtin_bswap64(n1);
    } else {
        n0 = BigEndianWord(name);
        n1 = BigEndianWord(name + 8);
    }
    const std::uint64_t n2 = BigEndianWord(name + 16, 4);
    const unsigned len = digits.count[rec.catg];
    const unsigned shift = 8 * len;  // 8 to 24
    out.word[0] = digits.word[rec.catg] | (n0 >> shift);
    out.word[1] = (n0 << (64 - shift)) | (n1 >> shift);
    out.word[2] = (n1 << (64 - shift)) | (n2 >> shift) | (kTextField + len);
}

// Key order; rows with equal keys in record order.
bool RowLess(const KeyedRow& a, const KeyedRow& b) {
    if (a.word[0] != b.word[0]) return a.word[0] < b.word[0];
    if (a.word[1] != b.word[1]) return a.word[1] < b.word[1];
    if (a.word[2] != b.word[2]) return a.word[2] < b.word[2];
    return a.recordIndex < b.recordIndex;
}

unsigned KeyByte(const KeyedRow& row, int byte) {
    return static_cast<unsigned>(row.word[byte / 8] >> (56 - 8 * (byte % 8))) & 0xFF;
}

// The first key byte from `byte` on in which the rows differ; 24 when they
// all have the same key. Skips the bytes every row shares in one pass.
int FirstDifferingByte(const KeyedRow* rows, std::size_t n, int byte) {
    std::uint64_t diff[3] = {};
    for (std::size_t i = 1; i < n; ++i)
        for (int w = 0; w < 3; ++w) diff[w] |= rows[i].word[w] ^ rows[0].word[w];
    for (int w = byte / 8; w < 3; ++w) {
        std::uint64_t d = diff[w];
        if (w == byte / 8) d &= ~std::uint64_t(0) >> (8 * (byte % 8));
        if (d) return 8 * w + std::countl_zero(d) / 8;
    }
    return 24;
}

// Sorts rows that agree in their first `byte` key bytes, bucket by bucket on
// the next byte in which they differ (a run of bytes they all share is
// skipped at once); scratch holds room for n rows. Rows with equal keys end
// in record order. The sorted rows' record indices go to order[0..n-1], each
// run's while it is in the cache.
void SortByKeyBytes(KeyedRow* rows, KeyedRow* scratch, std::int32_t* order, std::size_t n, int byte) {
    if (n <= 16) {
        for (std::size_t i = 1; i < n; ++i) {
            const KeyedRow row = rows[i];
            std::size_t j = i;
            for (; j > 0 && RowLess(row, rows[j - 1]); --j) rows[j] = rows[j - 1];
            rows[j] = row;
        }
        for (std::size_t i = 0; i < n; ++i) order[i] = rows[i].recordIndex;
        return;
    }
    std::uint32_t count[256] = {};
    if (byte < 24) {
        for (std::size_t i = 0; i < n; ++i) ++count[KeyByte(rows[i], byte)];
        if (count[KeyByte(rows[0], byte)] == n) {
            byte = FirstDifferingByte(rows, n, byte + 1);
            std::fill(std::begin(count), std::end(count), 0);
            if (byte < 24)
                for (std::size_t i = 0; i < n; ++i) ++count[KeyByte(rows[i], byte)];
        }
    }
    if (byte >= 24) {  // all keys equal
        std::sort(rows, rows + n,
                  [](const KeyedRow& a, const KeyedRow& b) { return a.recordIndex < b.recordIndex; });
        for (std::size_t i = 0; i < n; ++i) order[i] = rows[i].recordIndex;
        return;
    }
    std::uint32_t next[256];
    for (std::uint32_t b = 0, at = 0; b < 256; at += count[b], ++b) next[b] = at;
    for (std::size_t i = 0; i < n; ++i) scratch[next[KeyByte(rows[i], byte)]++] = rows[i];
    std::memcpy(rows, scratch, n * sizeof(KeyedRow));
    for (std::uint32_t b = 0, at = 0; b < 256; at += count[b], ++b) {
        if (count[b] == 1) order[at] = rows[at].recordIndex;
        if (count[b] > 1) SortByKeyBytes(rows + at, scratch, order + at, count[b], byte + 1);
    }
}

// Builds the keys of records 1..n into rows, in record order, sorts them and
// writes their record indices to order[0..n-1]. A long list is first spread
// in place by its first two key bytes, so that the rest sorts in short runs
// that need little scratch room.
void SortedKeys(const std::vector<ItemRecord>& records, std::size_t n, KeyedRow* rows, std::int32_t* order) {
    static const CatgDigits digits;
    for (std::size_t k = 1; k <= n; ++k) {
        KeyedRow& kr = rows[k - 1];
        kr.recordIndex = static_cast<std::int32_t>(k);
        BuildKey(records[k], digits, kr);
    }
    constexpr std::size_t kSpread = 65536;
    if (n < kSpread) {
        std::unique_ptr<KeyedRow[]> scratch(new KeyedRow[n]);
        SortByKeyBytes(rows, scratch.get(), order, n, 0);
        return;
    }
    auto top = [](const KeyedRow& row) { return static_cast<std::uint32_t>(row.word[0] >> 48); };
    std::vector<std::uint32_t> start(kSpread + 1, 0);
    for (std::size_t i = 0; i < n; ++i) ++start[top(rows[i]) + 1];
    std::uint32_t longest = 0;
    for (std::size_t b = 0; b < kSpread; ++b) {
        longest = std::max(longest, start[b + 1]);
        start[b + 1] += start[b];
    }
    // Each row is moved once, straight to its place: the row taken out
    // changes places with the next free one of its own bucket until one of
    // the current bucket turns up.
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (std::uint32_t b = 0; b < kSpread; ++b) {
        while (next[b] < start[b + 1]) {
            KeyedRow row = rows[next[b]];
            for (std::uint32_t d = top(row); d != b; d = top(row)) std::swap(row, rows[next[d]++]);
            rows[next[b]++] = row;
        }
    }
    std::unique_ptr<KeyedRow[]> scratch(new KeyedRow[longest]);
    for (std::size_t b = 0; b < kSpread; ++b) {
        const std::uint32_t at = start[b], count = start[b + 1] - at;
        if (count == 1) order[at] = rows[at].recordIndex;
        if (count > 1) SortByKeyBytes(rows + at, scratch.get(), order + at, count, 2);
    }
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
    if (refresh) RequestRefresh(std::min(row, itemTable.itemCount));
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
    const std::size_t n = static_cast<std::size_t>(itemTable.itemCount);
    // rowOrder is a permutation of 1..n: the keys are built in record order,
    // one pass through the records instead of a jump per row.
    std::unique_ptr<KeyedRow[]> rows(new KeyedRow[n]);
    SortedKeys(itemTable.records, n, rows.get(), itemTable.rowOrder.data() + 1);
    rows.reset();
    int selectedRow = 1;
    if (select > 0) {
        const auto it = std::find(itemTable.rowOrder.begin() + 1, itemTable.rowOrder.begin() + 1 + n, select);
        if (it != itemTable.rowOrder.begin() + 1 + n) selectedRow = static_cast<int>(it - itemTable.rowOrder.begin());
    }
    RequestRefresh(selectedRow);
}

}  // namespace pantrium

// CSV export of the item table, and the merge of read rows into it (csv_table.h).
#include "csv_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "csv_text.h"

namespace pantrium {

using namespace csv;

const char* const kCsvHeader[kCsvColumns] = {
    "Category",        "Item",             "Unit",            "Price",
    "Units to buy",    "On list",          "One-time buy",    "Auto-listed",
    "Purchase 1 date", "Purchase 1 units", "Purchase 2 date", "Purchase 2 units",
    "Purchase 3 date", "Purchase 3 units", "Purchase 4 date", "Purchase 4 units",
    "Purchase 5 date", "Purchase 5 units"};

namespace {

// ---- Export ----

// A stored text field as the list shows it: up to a NUL, without the padding.
std::string_view FieldValue(const char* field, std::size_t size) {
    std::string_view text(field, size);
    text = text.substr(0, text.find('\0'));
    return WithoutTrailingBlanks(text);
}

void AppendText(std::string& out, std::string_view text) {
    const bool quote = text.find_first_of(",;\"\r\n\t") != std::string_view::npos ||
                       (!text.empty() && text.front() == ' ');
    if (!quote) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendAnsi(std::string& out, std::string_view ansi, const CsvTextCoding& coding) {
    if (IsAscii(ansi)) AppendText(out, ansi);
    else AppendText(out, coding.ansiToUtf8(std::string(ansi)));
}

// The shortest text that reads back as the same single-precision value.
void AppendNumber(std::string& out, float value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

void AppendTwoDigits(std::string& out, unsigned v) {
    out += static_cast<char>('0' + v / 10 % 10);
    out += static_cast<char>('0' + v % 10);
}

// YYYY-MM-DD; empty for an unused slot (day 0).
void AppendDate(std::string& out, PackedDate d) {
    if ((d & 31) == 0) return;
    const unsigned year = 2000 + (d >> 9);
    AppendTwoDigits(out, year / 100);
    AppendTwoDigits(out, year);
    out += '-';
    AppendTwoDigits(out, (d >> 5) & 15);
    out += '-';
    AppendTwoDigits(out, d & 31);
}

// ---- Merging ----

std::string StoredForm(const std::string& name) {
    char field[kTextField];
    StoreTextField(field, name);
    return std::string(field, kTextField);
}

std::string Folded(std::string_view stored) {
    std::string out(stored);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

// Takes the given columns of a file row into an item's record.
void TakeColumns(const CsvItem& item, ItemRecord& rec) {
    const ItemRecord& in = item.rec;
    auto has = [&](int column) { return (item.given >> column) & 1u; };
    if (has(kColUnit)) std::memcpy(rec.unitDescr, in.unitDescr, kTextField);
    if (has(kColPrice)) rec.pricePerUnit = in.pricePerUnit;
    if (has(kColUnitsToBuy)) rec.unitsToBuy = in.unitsToBuy;
    if (has(kColOnList)) rec.SetFlag(kToBuy, in.toBuy());
    if (has(kColOneTimeBuy)) rec.SetFlag(kSpecialBuy, in.specialBuy());
    if (has(kColAutoListed)) rec.SetFlag(kAutoListed, in.autoListed());
    for (int slot = 0; slot < kHistorySlots; ++slot) {
        if (has(DateColumn(slot))) rec.buyDate[slot] = in.buyDate[slot];
        if (has(UnitsColumn(slot))) rec.buyUnits[slot] = in.buyUnits[slot];
    }
}

// Categories by their stored name: the first equal name, else the first of
// the table's own that is equal with letter case aside (a file that names
// both "Fish" and "fish" gets both). New names are views of the file's rows.
class CategoryIndex {
public:
    explicit CategoryIndex(const ItemTable& table) {
        stored_.reserve(static_cast<std::size_t>(table.catgCount));
        for (int k = 1; k <= table.catgCount; ++k) {
            stored_.push_back(StoredForm(table.catgNames[k]));
            exact_.emplace(stored_.back(), k);
            folded_.emplace(Folded(stored_.back()), k);
        }
    }
    int Find(std::string_view stored) {
        if (stored == last_) return lastNumber_;  // rows of one category often follow each other
        auto found = exact_.find(stored);
        int k = 0;
        if (found != exact_.end()) {
            k = found->second;
        } else if (auto folded = folded_.find(Folded(stored)); folded != folded_.end()) {
            k = folded->second;
        }
        if (k) last_ = stored, lastNumber_ = k;
        return k;
    }
    void AddNew(std::string_view stored, int k) { exact_.emplace(stored, k); }

private:
    std::vector<std::string> stored_;  // the table's names as stored, which exact_ views
    std::unordered_map<std::string_view, int> exact_;
    std::unordered_map<std::string, int> folded_;
    std::string_view last_;
    int lastNumber_ = 0;
};

// The table's items by identity: the first in row order not yet taken by a
// row of the file, then the next of the same identity. Open addressing in
// one array: a lookup costs one or two cache lines, not a node chase.
class ItemIndex {
public:
    explicit ItemIndex(const ItemTable& table) : table_(table), next_(static_cast<std::size_t>(table.itemCount) + 1, 0) {
        std::size_t size = 16;
        while (size < 2 * static_cast<std::size_t>(table.itemCount)) size *= 2;
        slots_.assign(size, Slot{});
        for (int r = table.itemCount; r >= 1; --r) {
            const int k = table.rowOrder[r];
            const ItemRecord& rec = table.records[k];
            Slot& slot = Find(Hash(rec.catg, rec.itemName), rec.catg, rec.itemName);
            if (slot.head == 0) slot.identity = k;  // a new identity; head 0 marks the end
            next_[k] = slot.head;
            slot.head = k;
            slot.used = true;
        }
    }
    // The record a row of this identity takes, 0 when none is left.
    int Take(std::uint8_t catg, const char (&name)[kTextField]) {
        if (table_.itemCount == 0) return 0;
        Slot& slot = Find(Hash(catg, name), catg, name);
        const int k = slot.head;
        if (k) slot.head = next_[k];
        return k;
    }

private:
    struct Slot {
        std::uint64_t hash = 0;
        int identity = 0;  // a record of this identity, for comparing
        int head = 0;      // the next record to take
        bool used = false;
    };
    static std::uint64_t Hash(std::uint8_t catg, const char (&name)[kTextField]) {
        std::uint64_t h = 0x9E3779B97F4A7C15ull ^ catg;
        std::uint64_t w[3] = {};
        std::memcpy(w, name, kTextField);
        for (std::uint64_t v : w) h = (h ^ v) * 0xFF51AFD7ED558CCDull, h ^= h >> 32;
        return h;
    }
    Slot& Find(std::uint64_t hash, std::uint8_t catg, const char (&name)[kTextField]) {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (!slot.used) {
                slot.hash = hash;
                return slot;
            }
            if (slot.hash != hash) continue;
            const ItemRecord& rec = table_.records[slot.identity];
            if (rec.catg == catg && std::memcmp(rec.itemName, name, kTextField) == 0) return slot;
        }
    }

    const ItemTable& table_;
    std::vector<Slot> slots_;
    std::vector<int> next_;
};

CsvImportCounts Merge(const ItemTable& table, const CsvFile& file, const CsvLimits& limits, ItemTable* apply) {
    CsvImportCounts counts;
    counts.skipped = file.skipped;
    CategoryIndex categories(table);
    ItemIndex items(table);
    std::vector<std::string_view> newCategories;
    const int before = table.itemCount;
    const std::string_view none = "                    ";
    static_assert(sizeof "                    " == kTextField + 1);

    std::vector<std::pair<int, ItemRecord>> updates;
    // New items go straight after the table's records (records above n are unused).
    if (apply) {
        apply->records.resize(static_cast<std::size_t>(before) + 1);
        apply->records.reserve(static_cast<std::size_t>(before) + 1 + file.items.size());
    }
    for (const CsvItem& item : file.items) {
        const std::string_view category(item.category, kTextField);
        int catg = category == none ? 0 : categories.Find(category);
        const bool newCategory = category != none && catg == 0;
        const int record = newCategory ? 0 : items.Take(static_cast<std::uint8_t>(catg), item.rec.itemName);
        if (record) {
            ItemRecord rec = table.records[record];
            TakeColumns(item, rec);
            if (std::memcmp(&rec, &table.records[record], sizeof rec) == 0) {
                ++counts.unchanged;
            } else {
                ++counts.changed;
                if (apply) updates.emplace_back(record, rec);
            }
            continue;
        }
        if (before + static_cast<std::int64_t>(counts.added) >= limits.maxItems) {
            counts.skipped.push_back({item.line, LinePrefix(item.line) + "the list holds the most items it can (" +
                                                     std::to_string(limits.maxItems) + ")"});
            continue;
        }
        if (newCategory) {
            if (table.catgCount + static_cast<int>(newCategories.size()) >= limits.maxCategories) {
                counts.skipped.push_back({item.line, LinePrefix(item.line) + "category \"" +
                                                         std::string(WithoutTrailingBlanks(category)) +
                                                         "\" would be one more than the " +
                                                         std::to_string(limits.maxCategories) +
                                                         " categories a list can hold"});
                continue;
            }
            newCategories.push_back(category);
            catg = table.catgCount + static_cast<int>(newCategories.size());
            categories.AddNew(category, catg);
        }
        ++counts.added;
        // A new item: what the file lacks is blank or 0.
        if (apply) apply->records.push_back(item.rec), apply->records.back().catg = static_cast<std::uint8_t>(catg);
    }
    std::stable_sort(counts.skipped.begin(), counts.skipped.end(),
                     [](const CsvNote& a, const CsvNote& b) { return a.line < b.line; });
    counts.newCategories = static_cast<int>(newCategories.size());
    if (!apply || counts.added + counts.changed == 0) return counts;

    ItemTable& t = *apply;
    for (auto& [record, rec] : updates) t.records[record] = rec;
    for (std::string_view name : newCategories) {
        t.catgNames.resize(static_cast<std::size_t>(t.catgCount) + 1);
        t.catgNames.emplace_back(WithoutTrailingBlanks(name));
        ++t.catgCount;
    }
    if (counts.added) {
        // Each new row before the first existing row whose sort key is greater.
        std::vector<std::int32_t> rows;
        rows.reserve(static_cast<std::size_t>(before + counts.added) + 1);
        rows.push_back(0);
        int r = 1;
        for (int k = before + 1; k <= before + counts.added; ++k) {
            if (r <= before) {
                const std::string key = SortKey(t.records[k]);
                while (r <= before && SortKey(t.records[t.rowOrder[r]]) <= key) rows.push_back(t.rowOrder[r++]);
            }
            rows.push_back(k);
        }
        while (r <= before) rows.push_back(t.rowOrder[r++]);
        t.rowOrder = std::move(rows);
        t.itemCount = before + counts.added;
    }
    t.modified = true;
    if (t.snapshot.taken) t.snapshot.mergedSince = true;
    t.pendingRefresh = 0;
    return counts;
}

}  // namespace

CsvTextCoding SameBytesCoding() {
    return {[](const std::string& ansi) { return ansi; },
            [](const std::string& utf8, std::string& ansi) {
                ansi = utf8;
                return true;
            }};
}

std::string TableToCsv(const ItemTable& table, const CsvTextCoding& coding) {
    std::string out(kBom);
    out.reserve(static_cast<std::size_t>(table.itemCount) * 96 + 256);
    for (int c = 0; c < kCsvColumns; ++c) {
        if (c) out += ',';
        out += kCsvHeader[c];
    }
    out += "\r\n";
    for (int r = 1; r <= table.itemCount; ++r) {
        const ItemRecord& rec = table.records[table.rowOrder[r]];
        if (rec.catg >= 1 && rec.catg <= table.catgCount) {
            const std::string& name = table.catgNames[rec.catg];
            // The list file keeps 20 bytes of a category name.
            AppendAnsi(out, FieldValue(name.data(), std::min<std::size_t>(name.size(), kTextField)), coding);
        }
        out += ',';
        AppendAnsi(out, FieldValue(rec.itemName, kTextField), coding);
        out += ',';
        AppendAnsi(out, FieldValue(rec.unitDescr, kTextField), coding);
        out += ',';
        AppendNumber(out, rec.pricePerUnit);
        out += ',';
        AppendNumber(out, rec.unitsToBuy);
        out += rec.toBuy() ? ",yes" : ",no";
        out += rec.specialBuy() ? ",yes" : ",no";
        out += rec.autoListed() ? ",yes" : ",no";
        for (int slot = 0; slot < kHistorySlots; ++slot) {
            out += ',';
            AppendDate(out, rec.buyDate[slot]);
            out += ',';
            // Both empty for an unused slot.
            if (rec.buyDate[slot] & 31 || rec.buyUnits[slot] != 0 || std::signbit(rec.buyUnits[slot]))
                AppendNumber(out, rec.buyUnits[slot]);
        }
        out += "\r\n";
    }
    return out;
}

CsvImportCounts PlanCsvImport(const ItemTable& table, const CsvFile& file, const CsvLimits& limits) {
    return Merge(table, file, limits, nullptr);
}

CsvImportCounts ApplyCsvImport(ItemTable& table, const CsvFile& file, const CsvLimits& limits) {
    return Merge(table, file, limits, &table);
}

}  // namespace pantrium

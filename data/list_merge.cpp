// The item-by-item merge of two versions of a list (list_merge.h).
#include "list_merge.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "categories.h"
#include "list_file.h"

namespace pantrium {
namespace {

// ---- Identities ----

// A category's identity: its name as the list file stores it (20 bytes) and
// which of the equal names it is (001, 002, ...), so that a list with a name
// twice keeps both. No category: 20 NUL bytes and 000. Always 23 bytes.
constexpr std::size_t kCategoryIdSize = kTextField + 3;

std::string StoredName(const std::string& name) {
    char field[kTextField];
    StoreTextField(field, name);
    return std::string(field, kTextField);
}

std::string CategoryId(const std::string& storedName, int occurrence) {
    std::string id = storedName;
    id += static_cast<char>('0' + occurrence / 100 % 10);
    id += static_cast<char>('0' + occurrence / 10 % 10);
    id += static_cast<char>('0' + occurrence % 10);
    return id;
}

std::string TrimmedName(const std::string& name) {
    char field[kTextField];
    StoreTextField(field, name);
    return TrimmedField(field);
}

const std::string& NoCategoryId() {
    static const std::string id = CategoryId(std::string(kTextField, '\0'), 0);
    return id;
}

// One version of the list, as the merge looks at it.
struct Side {
    const ItemTable& table;
    std::vector<std::string> categoryIds;  // [0] no category, [1..m]
    std::vector<int> rowOfRecord;          // [record] = row

    explicit Side(const ItemTable& t) : table(t) {
        std::unordered_map<std::string, int> seen;
        categoryIds.push_back(NoCategoryId());
        for (int k = 1; k <= t.catgCount; ++k) {
            const std::string stored = StoredName(t.catgNames[k]);
            categoryIds.push_back(CategoryId(stored, ++seen[stored]));
        }
        rowOfRecord.assign(static_cast<std::size_t>(t.itemCount) + 1, 0);
        for (int r = 1; r <= t.itemCount; ++r) rowOfRecord[t.rowOrder[r]] = r;
    }
    int count() const { return table.itemCount; }
    const ItemRecord& record(int k) const { return table.records[k]; }
    // A category the list does not hold counts as none.
    const std::string& categoryIdOf(int k) const {
        const int c = record(k).catg;
        return c <= table.catgCount ? categoryIds[c] : categoryIds[0];
    }
    std::string categoryNameOf(int k) const {
        const int c = record(k).catg;
        return c >= 1 && c <= table.catgCount ? table.catgNames[c] : std::string();
    }
    // Category and item name: what identifies an item to the user.
    std::string group(int k) const { return categoryIdOf(k) + FieldText(record(k).itemName); }
};

// ---- Matching items ----

// For each of the records as (record indices into a), its counterpart among
// the records bs of b, or 0. Within one category and name, equal unit
// descriptions match first; the rest then pair in record order (a unit
// description changed on one side).
std::vector<int> MatchItems(const Side& a, const std::vector<int>& as, const Side& b, const std::vector<int>& bs) {
    std::unordered_map<std::string, std::vector<int>> groups;  // group -> positions in bs
    for (std::size_t j = 0; j < bs.size(); ++j) groups[b.group(bs[j])].push_back(static_cast<int>(j));
    std::vector<int> match(as.size(), 0);
    std::vector<char> taken(bs.size(), 0);
    auto pass = [&](bool sameUnit) {
        for (std::size_t i = 0; i < as.size(); ++i) {
            if (match[i]) continue;
            auto found = groups.find(a.group(as[i]));
            if (found == groups.end()) continue;
            for (int j : found->second) {
                if (taken[j]) continue;
                if (sameUnit && std::memcmp(a.record(as[i]).unitDescr, b.record(bs[j]).unitDescr, kTextField) != 0)
                    continue;
                taken[j] = 1;
                match[i] = bs[j];
                break;
            }
        }
    };
    pass(true);
    pass(false);
    return match;
}

std::vector<int> AllRecords(const Side& side) {
    std::vector<int> all(static_cast<std::size_t>(side.count()));
    for (int k = 1; k <= side.count(); ++k) all[k - 1] = k;
    return all;
}

// ---- Merging one item ----

// Everything but the category number, which differs between lists.
bool SameItem(const ItemRecord& a, const ItemRecord& b) {
    return std::memcmp(reinterpret_cast<const char*>(&a) + 1, reinterpret_cast<const char*>(&b) + 1,
                       kRecordSize - 1) == 0;
}

template <typename T>
bool SameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

constexpr std::uint8_t kMarkBits = kToBuy | kAutoListed;
constexpr std::uint8_t kOtherBits = 0xF8;

void CopyFlags(ItemRecord& to, const ItemRecord& from, std::uint8_t bits) {
    to.flags = static_cast<std::uint8_t>((to.flags & ~bits) | (from.flags & bits));
}

struct FieldPart {
    MergeField field;
    bool (*same)(const ItemRecord&, const ItemRecord&);
    void (*copy)(ItemRecord& to, const ItemRecord& from);
};

const FieldPart kFieldParts[] = {
    {MergeField::UnitDescription, [](const ItemRecord& a, const ItemRecord& b) { return SameBits(a.unitDescr, b.unitDescr); },
     [](ItemRecord& to, const ItemRecord& from) { std::memcpy(to.unitDescr, from.unitDescr, kTextField); }},
    {MergeField::Price, [](const ItemRecord& a, const ItemRecord& b) { return SameBits(a.pricePerUnit, b.pricePerUnit); },
     [](ItemRecord& to, const ItemRecord& from) { to.pricePerUnit = from.pricePerUnit; }},
    {MergeField::UnitsToBuy,
     [](const ItemRecord& a, const ItemRecord& b) {
         return SameBits(a.unitsToBuy, b.unitsToBuy) && (a.flags & kMarkBits) == (b.flags & kMarkBits);
     },
     [](ItemRecord& to, const ItemRecord& from) {
         to.unitsToBuy = from.unitsToBuy;
         CopyFlags(to, from, kMarkBits);
     }},
    {MergeField::SpecialBuy, [](const ItemRecord& a, const ItemRecord& b) { return (a.flags & kSpecialBuy) == (b.flags & kSpecialBuy); },
     [](ItemRecord& to, const ItemRecord& from) { CopyFlags(to, from, kSpecialBuy); }},
    {MergeField::OtherMarks, [](const ItemRecord& a, const ItemRecord& b) { return (a.flags & kOtherBits) == (b.flags & kOtherBits); },
     [](ItemRecord& to, const ItemRecord& from) { CopyFlags(to, from, kOtherBits); }},
};

bool SameHistory(const ItemRecord& a, const ItemRecord& b) {
    return SameBits(a.buyDate, b.buyDate) && SameBits(a.buyUnits, b.buyUnits);
}

void CopyHistory(ItemRecord& to, const ItemRecord& from) {
    std::memcpy(to.buyDate, from.buyDate, sizeof to.buyDate);
    std::memcpy(to.buyUnits, from.buyUnits, sizeof to.buyUnits);
}

// The merged record (its catg is set later) and the fields in conflict.
ItemRecord MergeItem(const ItemRecord* base, const ItemRecord& mine, const ItemRecord& theirs,
                     std::vector<MergeField>& conflicts) {
    if (SameItem(mine, theirs)) return mine;
    if (base && SameItem(mine, *base)) return theirs;
    if (base && SameItem(theirs, *base)) return mine;
    ItemRecord out = mine;
    for (const FieldPart& part : kFieldParts) {
        if (part.same(mine, theirs) || (base && part.same(theirs, *base))) continue;
        if (base && part.same(mine, *base)) {
            part.copy(out, theirs);
        } else {
            conflicts.push_back(part.field);
        }
    }
    if (SameHistory(mine, theirs) || (base && SameHistory(theirs, *base))) return out;
    if (base && SameHistory(mine, *base)) {
        CopyHistory(out, theirs);
    } else {
        MergeHistories(base, mine, theirs, out);
    }
    return out;
}

// ---- Buying histories ----

struct Purchase {
    PackedDate date;
    float units;
    bool operator==(const Purchase& o) const { return date == o.date && SameBits(units, o.units); }
};

// The slots in use, as checkout counts them: from slot 1 to the first without a day.
std::vector<Purchase> Purchases(const ItemRecord& rec) {
    std::vector<Purchase> out;
    for (int i = 0; i < kHistorySlots && (rec.buyDate[i] & 31) != 0; ++i) out.push_back({rec.buyDate[i], rec.buyUnits[i]});
    return out;
}

// Takes one purchase equal to p out of list; false when there is none.
bool TakeOut(std::vector<Purchase>& list, const Purchase& p) {
    auto found = std::find(list.begin(), list.end(), p);
    if (found == list.end()) return false;
    list.erase(found);
    return true;
}

// ---- The merged list ----

// One item of the merged list and where it came from (record indices, 0 = not there).
struct MergedItem {
    ItemRecord rec;
    std::string categoryId;
    std::string categoryName;
    int mineRecord = 0;
    int theirsRecord = 0;
};

struct Merger {
    const ItemRecord* baseRecord = nullptr;
    std::vector<MergedItem> items;
    std::vector<MergeConflict> conflicts;  // before the row order is known: by item
    std::vector<std::pair<std::size_t, MergeField>> found;  // item, field

    void Add(const Side* base, int b, const Side& mine, int m, const Side& theirs, int t) {
        std::vector<MergeField> fields;
        MergedItem item;
        const ItemRecord* baseRec = base && b ? &base->record(b) : nullptr;
        if (m && t) {
            item.rec = MergeItem(baseRec, mine.record(m), theirs.record(t), fields);
        } else {
            item.rec = m ? mine.record(m) : theirs.record(t);
        }
        item.categoryId = m ? mine.categoryIdOf(m) : theirs.categoryIdOf(t);
        item.categoryName = m ? mine.categoryNameOf(m) : theirs.categoryNameOf(t);
        item.mineRecord = m;
        item.theirsRecord = t;
        for (MergeField f : fields) found.emplace_back(items.size(), f);
        items.push_back(std::move(item));
    }
};

// An item the other side deleted stays only when this side changed it.
bool ChangedSinceBase(const Side& base, int b, const Side& side, int k) {
    return !SameItem(base.record(b), side.record(k));
}

void MergeItems(const Side* base, const Side& mine, const Side& theirs, Merger& merger) {
    std::vector<char> mineSeen(static_cast<std::size_t>(mine.count()) + 1, 0);
    std::vector<char> theirsSeen(static_cast<std::size_t>(theirs.count()) + 1, 0);
    if (base) {
        const std::vector<int> all = AllRecords(*base);
        const std::vector<int> inMine = MatchItems(*base, all, mine, AllRecords(mine));
        const std::vector<int> inTheirs = MatchItems(*base, all, theirs, AllRecords(theirs));
        for (std::size_t i = 0; i < all.size(); ++i) {
            const int b = all[i], m = inMine[i], t = inTheirs[i];
            mineSeen[m] = theirsSeen[t] = 1;  // index 0 collects the misses
            if (m && t) {
                merger.Add(base, b, mine, m, theirs, t);
            } else if (m && ChangedSinceBase(*base, b, mine, m)) {
                merger.Add(base, b, mine, m, theirs, 0);
            } else if (t && ChangedSinceBase(*base, b, theirs, t)) {
                merger.Add(base, b, mine, 0, theirs, t);
            }
        }
    }
    // Added on either side; added alike on both sides is one item.
    std::vector<int> mineAdded, theirsAdded;
    for (int k = 1; k <= mine.count(); ++k)
        if (!mineSeen[k]) mineAdded.push_back(k);
    for (int k = 1; k <= theirs.count(); ++k)
        if (!theirsSeen[k]) theirsAdded.push_back(k);
    const std::vector<int> pairs = MatchItems(mine, mineAdded, theirs, theirsAdded);
    std::unordered_set<int> paired(pairs.begin(), pairs.end());
    for (std::size_t i = 0; i < mineAdded.size(); ++i) merger.Add(nullptr, 0, mine, mineAdded[i], theirs, pairs[i]);
    for (int t : theirsAdded)
        if (!paired.count(t)) merger.Add(nullptr, 0, mine, 0, theirs, t);
}

// ---- Categories ----

struct CategoryEntry {
    std::string id;
    std::string name;
};

std::vector<CategoryEntry> CategoriesOf(const Side& side) {
    std::vector<CategoryEntry> out;
    for (int k = 1; k <= side.table.catgCount; ++k) out.push_back({side.categoryIds[k], side.table.catgNames[k]});
    return out;
}

bool SameIds(const std::vector<CategoryEntry>& a, const std::vector<CategoryEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const CategoryEntry& x, const CategoryEntry& y) { return x.id == y.id; });
}

std::unordered_set<std::string> IdSet(const std::vector<CategoryEntry>& list) {
    std::unordered_set<std::string> ids;
    for (const CategoryEntry& c : list) ids.insert(c.id);
    return ids;
}

// The merged category list: names on both sides and names added on one side;
// a name deleted on one side goes unless a merged item still refers to it.
// The order is the one side's that changed it (mine when both did); names
// only the other side holds follow the name they follow there.
std::vector<CategoryEntry> MergeCategories(const Side* base, const Side& mine, const Side& theirs,
                                           const std::vector<MergedItem>& items) {
    const std::vector<CategoryEntry> b = base ? CategoriesOf(*base) : std::vector<CategoryEntry>{};
    const std::vector<CategoryEntry> m = CategoriesOf(mine), t = CategoriesOf(theirs);
    const auto inBase = IdSet(b), inMine = IdSet(m), inTheirs = IdSet(t);
    auto kept = [&](const std::string& id) {
        return (inMine.count(id) && inTheirs.count(id)) || !inBase.count(id);
    };
    const bool theirsOrder = base && SameIds(m, b) && !SameIds(t, b);
    const std::vector<CategoryEntry>& first = theirsOrder ? t : m;
    const std::vector<CategoryEntry>& second = theirsOrder ? m : t;

    std::vector<CategoryEntry> out;
    std::unordered_set<std::string> placed;
    for (const CategoryEntry& c : first)
        if (kept(c.id) && placed.insert(c.id).second) out.push_back(c);
    std::size_t at = 0;  // after the last placed name of second seen so far
    for (const CategoryEntry& c : second) {
        if (placed.count(c.id)) {
            at = static_cast<std::size_t>(std::find_if(out.begin(), out.end(),
                                                       [&](const CategoryEntry& o) { return o.id == c.id; }) -
                                          out.begin()) + 1;
        } else if (kept(c.id)) {
            placed.insert(c.id);
            out.insert(out.begin() + static_cast<std::ptrdiff_t>(at++), c);
        }
    }
    for (const MergedItem& item : items)
        if (item.categoryId != NoCategoryId() && placed.insert(item.categoryId).second)
            out.push_back({item.categoryId, item.categoryName});
    return out;
}

// Gives every item its number in the merged category list; a category past
// what an item can refer to is lost for the item, and said so.
void RemapCategories(std::vector<CategoryEntry>& categories, Merger& merger) {
    std::unordered_map<std::string, int> number;
    for (std::size_t k = 0; k < categories.size() && k < static_cast<std::size_t>(kMaxCategories); ++k)
        number[categories[k].id] = static_cast<int>(k) + 1;
    if (categories.size() > static_cast<std::size_t>(kMaxCategories)) categories.resize(kMaxCategories);
    for (std::size_t i = 0; i < merger.items.size(); ++i) {
        MergedItem& item = merger.items[i];
        if (item.categoryId == NoCategoryId()) {
            item.rec.catg = 0;
        } else if (auto found = number.find(item.categoryId); found != number.end()) {
            item.rec.catg = static_cast<std::uint8_t>(found->second);
        } else {
            item.rec.catg = 0;
            merger.found.emplace_back(i, MergeField::Category);
        }
    }
}

// ---- Records and rows ----

// Mine's items in mine's record order, then theirs' in theirs' order.
std::vector<std::size_t> RecordOrder(const std::vector<MergedItem>& items) {
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const MergedItem &x = items[a], &y = items[b];
        if ((x.mineRecord != 0) != (y.mineRecord != 0)) return x.mineRecord != 0;
        return x.mineRecord ? x.mineRecord < y.mineRecord : x.theirsRecord < y.theirsRecord;
    });
    return order;
}

// Rows: mine's items in mine's rows; theirs' items, in theirs' row order,
// each before the first of mine's rows whose sort key is greater.
std::vector<std::size_t> RowOrder(const std::vector<MergedItem>& items, const Side& mine, const Side& theirs) {
    std::vector<std::size_t> mineRows, theirsRows;
    for (std::size_t i = 0; i < items.size(); ++i) (items[i].mineRecord ? mineRows : theirsRows).push_back(i);
    std::sort(mineRows.begin(), mineRows.end(), [&](std::size_t a, std::size_t b) {
        return mine.rowOfRecord[items[a].mineRecord] < mine.rowOfRecord[items[b].mineRecord];
    });
    std::sort(theirsRows.begin(), theirsRows.end(), [&](std::size_t a, std::size_t b) {
        return theirs.rowOfRecord[items[a].theirsRecord] < theirs.rowOfRecord[items[b].theirsRecord];
    });
    std::vector<std::size_t> rows;
    std::size_t i = 0, j = 0;
    while (i < mineRows.size() || j < theirsRows.size()) {
        const bool takeTheirs = j < theirsRows.size() &&
                                (i == mineRows.size() ||
                                 SortKey(items[theirsRows[j]].rec) < SortKey(items[mineRows[i]].rec));
        rows.push_back(takeTheirs ? theirsRows[j++] : mineRows[i++]);
    }
    return rows;
}

MergeOutcome Merge(const ItemTable* baseTable, const ItemTable& mineTable, const ItemTable& theirsTable) {
    std::optional<Side> base;
    if (baseTable) base.emplace(*baseTable);
    const Side mine(mineTable), theirs(theirsTable);
    Merger merger;
    MergeItems(base ? &*base : nullptr, mine, theirs, merger);
    std::vector<CategoryEntry> categories = MergeCategories(base ? &*base : nullptr, mine, theirs, merger.items);
    RemapCategories(categories, merger);

    MergeOutcome outcome;
    ItemTable& out = outcome.merged;
    const std::vector<std::size_t> recordOrder = RecordOrder(merger.items);
    std::vector<int> recordOf(merger.items.size());
    out.itemCount = static_cast<std::int32_t>(merger.items.size());
    out.records.assign(merger.items.size() + 1, ItemRecord{});
    for (std::size_t k = 0; k < recordOrder.size(); ++k) {
        out.records[k + 1] = merger.items[recordOrder[k]].rec;
        recordOf[recordOrder[k]] = static_cast<int>(k) + 1;
    }
    const std::vector<std::size_t> rows = RowOrder(merger.items, mine, theirs);
    out.rowOrder.assign(rows.size() + 1, 0);
    std::vector<int> rowOf(merger.items.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out.rowOrder[r + 1] = recordOf[rows[r]];
        rowOf[rows[r]] = static_cast<int>(r);
    }
    out.catgCount = static_cast<std::int32_t>(categories.size());
    out.catgNames.assign(1, std::string());
    for (const CategoryEntry& c : categories) out.catgNames.push_back(c.name);

    std::stable_sort(merger.found.begin(), merger.found.end(),
                     [&](const auto& a, const auto& b) { return rowOf[a.first] < rowOf[b.first]; });
    for (const auto& [i, field] : merger.found) {
        const MergedItem& item = merger.items[i];
        outcome.conflicts.push_back({TrimmedName(item.categoryName), TrimmedField(item.rec.itemName),
                                     TrimmedField(item.rec.unitDescr), field});
    }
    outcome.tookTheirs = ListFileBytes(out) != ListFileBytes(mineTable);
    return outcome;
}

}  // namespace

const char* MergeFieldName(MergeField field) {
    switch (field) {
        case MergeField::UnitDescription: return "unit description";
        case MergeField::Price: return "price";
        case MergeField::UnitsToBuy: return "units to buy";
        case MergeField::SpecialBuy: return "special one-time buy";
        case MergeField::OtherMarks: return "marks";
        case MergeField::Category: return "category";
    }
    return "";
}

void MergeHistories(const ItemRecord* base, const ItemRecord& mine, const ItemRecord& theirs, ItemRecord& out) {
    const std::vector<Purchase> before = base ? Purchases(*base) : std::vector<Purchase>{};
    std::vector<Purchase> newMine = Purchases(mine), newTheirs = Purchases(theirs);
    // Base purchases both sides still hold stay; one that either side dropped
    // (a reset history, or the oldest pushed out by a sixth) goes.
    std::vector<Purchase> merged;
    for (const Purchase& p : before) {
        const bool inMine = TakeOut(newMine, p), inTheirs = TakeOut(newTheirs, p);
        if (inMine && inTheirs) merged.push_back(p);
    }
    // What is left is new on each side; a purchase new on both counts once.
    std::vector<Purchase> added = newMine;
    for (const Purchase& p : newMine) TakeOut(newTheirs, p);
    added.insert(added.end(), newTheirs.begin(), newTheirs.end());
    std::stable_sort(added.begin(), added.end(), [](const Purchase& a, const Purchase& b) { return a.date < b.date; });
    merged.insert(merged.end(), added.begin(), added.end());
    if (merged.size() > static_cast<std::size_t>(kHistorySlots))
        merged.erase(merged.begin(), merged.end() - kHistorySlots);
    ItemRecord cleared{};
    CopyHistory(out, cleared);
    for (std::size_t i = 0; i < merged.size(); ++i) {
        out.buyDate[i] = merged[i].date;
        out.buyUnits[i] = merged[i].units;
    }
}

MergeOutcome MergeLists(const ItemTable& base, const ItemTable& mine, const ItemTable& theirs) {
    return Merge(&base, mine, theirs);
}

MergeOutcome MergeListsWithoutBase(const ItemTable& mine, const ItemTable& theirs) {
    return Merge(nullptr, mine, theirs);
}

void TakeMergedList(ItemTable& table, MergeOutcome&& outcome) {
    ItemTable& merged = outcome.merged;
    table.itemCount = merged.itemCount;
    table.records = std::move(merged.records);
    table.rowOrder = std::move(merged.rowOrder);
    table.catgCount = merged.catgCount;
    table.catgNames = std::move(merged.catgNames);
    table.modified = true;
    if (outcome.tookTheirs && table.snapshot.taken) table.snapshot.mergedSince = true;
    table.pendingRefresh = 0;
}

}  // namespace pantrium

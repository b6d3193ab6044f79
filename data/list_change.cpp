// Change on disk: the base of the list file, the check, reload and merge.
#include "list_change.h"

#include <cstring>
#include <utility>

#include "item_table.h"
#include "list_file.h"

namespace pantrium {

ListFileBase listFileBase;

namespace {

std::int32_t Int32At(const std::uint8_t* p) {
    return static_cast<std::int32_t>(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                                     (std::uint32_t(p[3]) << 24));
}

bool AllNul(const std::uint8_t* p, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        if (p[i]) return false;
    return true;
}

bool RowOrderIsPermutation(const std::uint8_t* order, std::size_t n) {
    std::vector<char> seen(n + 1, 0);
    for (std::size_t r = 0; r < n; ++r) {
        const std::int32_t k = Int32At(order + 4 * r);
        if (k < 1 || static_cast<std::size_t>(k) > n || seen[k]) return false;
        seen[k] = 1;
    }
    return true;
}

bool SameBytes(const ListFileBase& base, const files::FileContent& content, std::uint64_t hash) {
    return hash == base.hash && content.size == base.bytes.size() &&
           (content.size == 0 || std::memcmp(content.bytes.get(), base.bytes.data(), content.size) == 0);
}

bool HasBaseFor(const ListFileBase& base, const std::string& path) { return !base.path.empty() && base.path == path; }

// The table the bytes hold (any bytes load).
ItemTable TableOf(const std::vector<std::uint8_t>& bytes) {
    ItemTable table;
    LoadFromBytes(bytes.data(), bytes.size(), table);
    return table;
}

}  // namespace

std::uint64_t ListBytesHash(const std::uint8_t* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
    return hash;
}

bool IsCompleteListFile(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kCountsEnd = 21;
    if (size < kCountsEnd || std::memcmp(data, kListHeader, 13) != 0) return false;
    const std::int32_t n = Int32At(data + 13), m = Int32At(data + 17);
    if (n < 0 || m < 0 || m > 255) return false;
    const std::uint64_t recordsStart = kCountsEnd + 4 * std::uint64_t(n);
    const std::uint64_t namesStart = recordsStart + kRecordSize * std::uint64_t(n);
    const std::uint64_t end = namesStart + 20 * std::uint64_t(m);
    if (end > size) return false;
    if (!RowOrderIsPermutation(data + kCountsEnd, static_cast<std::size_t>(n))) return false;
    if (m > 0) return !AllNul(data + end - 20, 20);
    if (n > 0) return !AllNul(data + namesStart - kRecordSize, kRecordSize);
    return true;
}

void RememberListFile(ListFileBase& base, const std::string& path, std::vector<std::uint8_t> bytes,
                      const files::FileStamp* stamp) {
    base.path = path;
    base.hash = ListBytesHash(bytes.data(), bytes.size());
    base.bytes = std::move(bytes);
    base.stampKnown = stamp != nullptr;
    base.stamp = stamp ? *stamp : files::FileStamp{};
}

DiskCheck CheckListFile(ListFileBase& base, const std::string& path) {
    DiskCheck check;
    check.path = path;
    const bool hasBase = HasBaseFor(base, path);
    check.stampKnown = files::FileStatus(path, check.stamp);
    if (!check.stampKnown) {
        check.change = !hasBase ? DiskChange::None : files::Exists(path) ? DiskChange::NotNow : DiskChange::Missing;
        return check;
    }
    if (hasBase && base.stampKnown && check.stamp == base.stamp) return check;  // None: one status call

    files::FileContent content;
    if (!files::ReadWholeFile(path, content)) {
        check.change = DiskChange::NotNow;
        return check;
    }
    const std::uint64_t hash = ListBytesHash(content.bytes.get(), content.size);
    if (hasBase && SameBytes(base, content, hash)) {
        base.stamp = check.stamp;  // touched, not changed
        base.stampKnown = true;
        return check;
    }
    if (!IsCompleteListFile(content.bytes.get(), content.size)) {
        check.change = DiskChange::NotNow;
        return check;
    }
    check.change = DiskChange::Changed;
    check.bytes.assign(content.bytes.get(), content.bytes.get() + content.size);
    return check;
}

DiskCheck CheckListFile() { return CheckListFile(listFileBase, itemTable.listPath); }

bool ReloadChangedList(DiskCheck& check) {
    if (check.change != DiskChange::Changed) return false;
    if (LoadFromBytes(check.bytes.data(), check.bytes.size(), itemTable) != LoadResult::Loaded) return false;
    if (itemTable.snapshot.taken) itemTable.snapshot.mergedSince = true;
    RememberListFile(listFileBase, check.path, std::move(check.bytes), check.stampKnown ? &check.stamp : nullptr);
    check.change = DiskChange::None;
    return true;
}

bool MergeChangedList(DiskCheck& check, std::vector<MergeConflict>& conflicts) {
    if (check.change != DiskChange::Changed) return false;
    const ItemTable theirs = TableOf(check.bytes);
    MergeOutcome outcome = HasBaseFor(listFileBase, check.path)
                               ? MergeLists(TableOf(listFileBase.bytes), itemTable, theirs)
                               : MergeListsWithoutBase(itemTable, theirs);
    conflicts = std::move(outcome.conflicts);
    TakeMergedList(itemTable, std::move(outcome));
    RememberListFile(listFileBase, check.path, std::move(check.bytes), check.stampKnown ? &check.stamp : nullptr);
    check.change = DiskChange::None;
    return true;
}

SharedSave SaveSharedList() {
    SharedSave save;
    DiskCheck check = CheckListFile();
    save.found = check.change;
    if (check.change == DiskChange::NotNow) return save;
    if (check.change == DiskChange::Changed) MergeChangedList(check, save.conflicts);
    save.result = SaveList();
    save.saved = true;
    return save;
}

bool MergeListFile(const std::string& path, std::vector<MergeConflict>& conflicts) {
    files::FileContent content;
    if (!files::ReadWholeFile(path, content) || !IsCompleteListFile(content.bytes.get(), content.size)) return false;
    std::vector<std::uint8_t> bytes(content.bytes.get(), content.bytes.get() + content.size);
    MergeOutcome outcome = MergeListsWithoutBase(itemTable, TableOf(bytes));
    conflicts = std::move(outcome.conflicts);
    TakeMergedList(itemTable, std::move(outcome));
    return true;
}

}  // namespace pantrium

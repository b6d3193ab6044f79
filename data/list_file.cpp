// Loading and saving the binary list file.
#include "list_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "categories.h"
#include "file_access.h"
#include "item_table.h"

namespace pantrium {
namespace {

constexpr std::size_t kHeaderSize = 13;
constexpr std::size_t kCountsEnd = 21;  // header + n + m
constexpr std::size_t kCatgNameSize = 20;

// Bytes of the file by offset; every byte past its end reads as 0.
struct FileBytes {
    const std::uint8_t* data;
    std::size_t size;

    // Offsets are 64-bit so that no count can make them wrap on a 32-bit host.
    void Copy(std::uint64_t offset, std::uint8_t* out, std::size_t len) const {
        std::uint64_t avail = offset < size ? size - offset : 0;
        std::size_t n = avail < len ? static_cast<std::size_t>(avail) : len;
        if (n) std::memcpy(out, data + offset, n);
        std::memset(out + n, 0, len - n);
    }
    std::int32_t Int32(std::uint64_t offset) const {
        std::uint8_t b[4];
        Copy(offset, b, 4);
        return static_cast<std::int32_t>(std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) |
                                         (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24));
    }
};

// The item count cut to the row-order entries that begin inside the file, so
// that a damaged count can neither go negative nor make the reader allocate
// without bound.
std::size_t CapCount(std::int32_t count, std::uint64_t start, std::uint64_t entrySize,
                     std::uint64_t fileSize) {
    if (count <= 0) return 0;
    std::uint64_t fits = fileSize > start ? (fileSize - start + entrySize - 1) / entrySize : 0;
    return static_cast<std::size_t>(static_cast<std::uint64_t>(count) < fits ? count : fits);
}

// Makes rowOrder[1..n] a permutation of 1..n: the first occurrence of each
// valid index keeps its place, other entries go, missing indices follow in order.
void RepairRowOrder(std::vector<std::int32_t>& order, std::size_t n) {
    std::vector<char> seen(n + 1, 0);
    bool permutation = true;
    for (std::size_t r = 1; r <= n; ++r) {
        std::int32_t k = order[r];
        if (k >= 1 && static_cast<std::size_t>(k) <= n && !seen[k]) {
            seen[k] = 1;
        } else {
            permutation = false;
        }
    }
    if (permutation) return;
    std::vector<std::int32_t> fixed(1, 0);
    fixed.reserve(n + 1);
    std::fill(seen.begin(), seen.end(), 0);
    for (std::size_t r = 1; r <= n; ++r) {
        std::int32_t k = order[r];
        if (k >= 1 && static_cast<std::size_t>(k) <= n && !seen[k]) {
            seen[k] = 1;
            fixed.push_back(k);
        }
    }
    for (std::size_t k = 1; k <= n; ++k)
        if (!seen[k]) fixed.push_back(static_cast<std::int32_t>(k));
    order.swap(fixed);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t offset, std::int32_t value) {
    std::uint32_t v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

LoadResult LoadFromBytes(const std::uint8_t* data, std::size_t size) {
    const FileBytes file{data, size};
    // The 13 header bytes are not checked.
    const std::size_t n = CapCount(file.Int32(kHeaderSize), kCountsEnd, 4, size);
    const std::uint64_t recordsStart = kCountsEnd + 4 * std::uint64_t(n);
    const std::uint64_t namesStart = recordsStart + kRecordSize * std::uint64_t(n);
    // The category count is kept as stored, even when the file ends before
    // the names (they read as NUL bytes and the items keep their categories);
    // it is bounded only by what an item's one-byte catg can refer to.
    const std::int32_t storedM = file.Int32(kHeaderSize + 4);
    const std::size_t m = static_cast<std::size_t>(std::clamp(storedM, 0, kMaxCategories));

    std::vector<std::int32_t> order;
    std::vector<ItemRecord> records;
    std::vector<std::string> names;
    try {
        order.assign(n + 1, 0);
        records.reserve(n + 1);
        names.reserve(m + 1);
        for (std::size_t r = 1; r <= n; ++r) {
            std::uint64_t offset = kCountsEnd + 4 * std::uint64_t(r - 1);
            if (offset + 4 <= size) {
                const std::uint8_t* p = data + offset;
                order[r] = static_cast<std::int32_t>(
                    std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                    (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24));
            } else {
                order[r] = file.Int32(offset);
            }
        }
        RepairRowOrder(order, n);

        records.emplace_back();
        std::uint8_t raw[kRecordSize];
        for (std::size_t k = 1; k <= n; ++k) {
            std::uint64_t offset = recordsStart + kRecordSize * std::uint64_t(k - 1);
            ItemRecord& rec = records.emplace_back();
            if (offset + kRecordSize <= size) {
                DecodeRecord(data + offset, rec);
            } else {
                file.Copy(offset, raw, kRecordSize);
                DecodeRecord(raw, rec);
            }
            // A category the file does not hold means no category.
            if (rec.catg > m) rec.catg = 0;
        }

        names.emplace_back();
        char name[kCatgNameSize];
        for (std::size_t j = 1; j <= m; ++j) {
            file.Copy(namesStart + kCatgNameSize * std::uint64_t(j - 1),
                      reinterpret_cast<std::uint8_t*>(name), kCatgNameSize);
            names.emplace_back(name, kCatgNameSize);
        }
    } catch (const std::bad_alloc&) {
        return LoadResult::CannotOpen;  // the table stays as it was
    }

    itemTable.itemCount = static_cast<std::int32_t>(n);
    itemTable.rowOrder.swap(order);
    itemTable.records.swap(records);
    itemTable.catgCount = static_cast<std::int32_t>(m);
    itemTable.catgNames.swap(names);
    itemTable.modified = false;
    return LoadResult::Loaded;
}

std::vector<std::uint8_t> ListFileBytes() {
    const std::size_t n = static_cast<std::size_t>(itemTable.itemCount);
    const std::size_t m = static_cast<std::size_t>(itemTable.catgCount);
    std::vector<std::uint8_t> out(kCountsEnd + (4 + kRecordSize) * n + kCatgNameSize * m);
    std::memcpy(out.data(), kListHeader, kHeaderSize);
    Put32(out, kHeaderSize, itemTable.itemCount);
    Put32(out, kHeaderSize + 4, itemTable.catgCount);
    std::size_t offset = kCountsEnd;
    for (std::size_t r = 1; r <= n; ++r, offset += 4) Put32(out, offset, itemTable.rowOrder[r]);
    for (std::size_t k = 1; k <= n; ++k, offset += kRecordSize)
        EncodeRecord(itemTable.records[k], out.data() + offset);
    for (std::size_t j = 1; j <= m; ++j, offset += kCatgNameSize) {
        char field[kTextField];
        StoreTextField(field, itemTable.catgNames[j]);
        std::memcpy(out.data() + offset, field, kCatgNameSize);
    }
    return out;
}

LoadResult LoadList() {
    const std::string& path = itemTable.listPath;
    // A missing list is created empty; an existing file is never truncated.
    files::CreateEmptyFile(path);
    files::FileContent data;
    if (!files::ReadWholeFile(path, data)) return LoadResult::CannotOpen;
    return LoadFromBytes(data.bytes.get(), data.size);
}

SaveResult SaveList() {
    if (itemTable.listPath.empty()) return SaveResult::NeedsPath;
    const std::vector<std::uint8_t> bytes = ListFileBytes();
    switch (files::SaveFile(itemTable.listPath, bytes.data(), bytes.size())) {
    case files::SaveFileResult::Saved: break;
    case files::SaveFileResult::ReadOnly: return SaveResult::ReadOnly;
    case files::SaveFileResult::Failed: return SaveResult::CannotWrite;
    }
    itemTable.modified = false;
    WriteLastListPath();  // the save stands even when this fails
    return SaveResult::Saved;
}

std::string CaptionForPath(const std::string& path) { return path.substr(0, path.find('.')); }

}  // namespace pantrium

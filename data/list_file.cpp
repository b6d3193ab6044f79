// Loading and saving the binary list file.
#include "list_file.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "categories.h"
#include "platform/files.h"
#include "item_table.h"
#include "list_change.h"

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

// How many of count entries of entrySize bytes from offset start lie wholly
// inside a file of fileSize bytes.
std::size_t WholeEntries(std::uint64_t start, std::uint64_t entrySize, std::size_t count,
                         std::uint64_t fileSize) {
    const std::uint64_t fits = fileSize > start ? (fileSize - start) / entrySize : 0;
    return static_cast<std::size_t>(fits < count ? fits : count);
}

// Makes rowOrder[1..n] a permutation of 1..n in place: the first occurrence
// of each valid index keeps its place, other entries go, missing indices
// follow in order. seen holds n + 1 zeros.
void RepairRowOrder(std::vector<std::int32_t>& order, std::size_t n, std::vector<char>& seen) {
    std::size_t kept = 1;
    for (std::size_t r = 1; r <= n; ++r) {
        const std::int32_t k = order[r];
        if (k >= 1 && static_cast<std::size_t>(k) <= n && !seen[k]) {
            seen[k] = 1;
            order[kept++] = k;
        }
    }
    for (std::size_t k = 1; kept <= n; ++k)
        if (!seen[k]) order[kept++] = static_cast<std::int32_t>(k);
}

}  // namespace

LoadResult LoadFromBytes(const std::uint8_t* data, std::size_t size, ItemTable& table) {
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

    // Everything that may fail for lack of memory comes first, so that the
    // table stays as it was then. A table whose storage is large enough is
    // refilled in place, without new memory.
    std::vector<std::int32_t> order;
    std::vector<ItemRecord> records;
    std::vector<std::string> names;
    std::vector<char> seen;
    try {
        names.reserve(m + 1);
        names.emplace_back();
        char name[kCatgNameSize];
        for (std::size_t j = 1; j <= m; ++j) {
            file.Copy(namesStart + kCatgNameSize * std::uint64_t(j - 1),
                      reinterpret_cast<std::uint8_t*>(name), kCatgNameSize);
            names.emplace_back(name, kCatgNameSize);
        }
        seen.assign(n + 1, 0);
        if (table.rowOrder.capacity() < n + 1) order.reserve(n + 1);
        if (table.records.capacity() < n + 1) records.reserve(n + 1);
    } catch (const std::bad_alloc&) {
        return LoadResult::CannotOpen;  // the table stays as it was
    }
    if (order.capacity() < n + 1) order.swap(table.rowOrder);
    if (records.capacity() < n + 1) records.swap(table.records);

    // The entries that lie wholly inside the file are read as one block; a
    // cut-off last one is completed with zeros.
    order.assign(n + 1, 0);
    const std::size_t wholeOrder = WholeEntries(kCountsEnd, 4, n, size);
    if (std::endian::native == std::endian::little) {
        if (wholeOrder) std::memcpy(order.data() + 1, data + kCountsEnd, 4 * wholeOrder);
    } else {
        for (std::size_t r = 1; r <= wholeOrder; ++r) order[r] = file.Int32(kCountsEnd + 4 * (r - 1));
    }
    if (wholeOrder < n) order[wholeOrder + 1] = file.Int32(kCountsEnd + 4 * std::uint64_t(wholeOrder));
    RepairRowOrder(order, n, seen);

    // Record by record, each written once: a record that the file cuts off is
    // completed with zeros, one past the file's end is all zero.
    records.clear();
    records.emplace_back();
    const std::size_t wholeRecords = WholeEntries(recordsStart, kRecordSize, n, size);
    std::uint8_t raw[kRecordSize];
    for (std::size_t k = 0; k < n; ++k) {
        ItemRecord& rec = records.emplace_back();
        if (k < wholeRecords) {
            DecodeRecords(data + recordsStart + kRecordSize * k, 1, &rec);
        } else if (k == wholeRecords) {
            file.Copy(recordsStart + kRecordSize * std::uint64_t(k), raw, kRecordSize);
            DecodeRecord(raw, rec);
        }
        // A category the file does not hold means no category.
        if (rec.catg > m) rec.catg = 0;
    }

    table.itemCount = static_cast<std::int32_t>(n);
    table.rowOrder.swap(order);
    table.records.swap(records);
    table.catgCount = static_cast<std::int32_t>(m);
    table.catgNames.swap(names);
    table.modified = false;
    return LoadResult::Loaded;
}

LoadResult LoadFromBytes(const std::uint8_t* data, std::size_t size) {
    return LoadFromBytes(data, size, itemTable);
}

namespace {

// The file's content as blocks in file order. Where the host is
// little-endian the row order and the records are the table's own storage
// (the file's layout, item_record.h), so that a save copies nothing.
struct ListFileBlocks {
    std::uint8_t counts[kCountsEnd];
    std::vector<std::uint8_t> encoded;  // row order and records, on other hosts
    std::vector<std::uint8_t> names;
    std::vector<files::ByteBlock> blocks;
};

void Put32(std::uint8_t* out, std::int32_t value) {
    const std::uint32_t v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void BuildListFile(const ItemTable& table, ListFileBlocks& file) {
    const std::size_t n = static_cast<std::size_t>(table.itemCount);
    const std::size_t m = static_cast<std::size_t>(table.catgCount);
    std::memcpy(file.counts, kListHeader, kHeaderSize);
    Put32(file.counts + kHeaderSize, table.itemCount);
    Put32(file.counts + kHeaderSize + 4, table.catgCount);
    file.blocks.push_back({file.counts, kCountsEnd});
    if (n && std::endian::native == std::endian::little) {
        file.blocks.push_back({reinterpret_cast<const std::uint8_t*>(table.rowOrder.data() + 1), 4 * n});
        file.blocks.push_back({reinterpret_cast<const std::uint8_t*>(table.records.data() + 1), kRecordSize * n});
    } else if (n) {
        file.encoded.resize((4 + kRecordSize) * n);
        for (std::size_t r = 1; r <= n; ++r) Put32(file.encoded.data() + 4 * (r - 1), table.rowOrder[r]);
        EncodeRecords(table.records.data() + 1, n, file.encoded.data() + 4 * n);
        file.blocks.push_back({file.encoded.data(), file.encoded.size()});
    }
    file.names.resize(kCatgNameSize * m);
    for (std::size_t j = 1; j <= m; ++j) {
        char field[kTextField];
        StoreTextField(field, table.catgNames[j]);
        std::memcpy(file.names.data() + kCatgNameSize * (j - 1), field, kCatgNameSize);
    }
    if (m) file.blocks.push_back({file.names.data(), file.names.size()});
}

}  // namespace

std::vector<std::uint8_t> ListFileBytes() { return ListFileBytes(itemTable); }

std::vector<std::uint8_t> ListFileBytes(const ItemTable& table) {
    ListFileBlocks file;
    BuildListFile(table, file);
    std::vector<std::uint8_t> out;
    std::size_t size = 0;
    for (const files::ByteBlock& block : file.blocks) size += block.size;
    out.reserve(size);
    for (const files::ByteBlock& block : file.blocks) out.insert(out.end(), block.data, block.data + block.size);
    return out;
}

LoadResult LoadList() {
    const std::string& path = itemTable.listPath;
    // A missing list is created empty; an existing file is never truncated.
    files::CreateEmptyFile(path);
    // The stamp comes before the read: a write after it shows at the next check.
    files::FileStamp stamp;
    const bool stampKnown = files::FileStatus(path, stamp);
    files::FileContent data;
    if (!files::ReadWholeFile(path, data)) return LoadResult::CannotOpen;
    const LoadResult result = LoadFromBytes(data.bytes.get(), data.size);
    if (result == LoadResult::Loaded)
        RememberListFile(listFileBase, path, std::vector<std::uint8_t>(data.bytes.get(), data.bytes.get() + data.size),
                         stampKnown ? &stamp : nullptr);
    return result;
}

namespace {

// The saved file becomes the base. Its stamp is taken after the save; one
// that does not show the saved size is another program's write already, and
// is left for the next check to read.
void RememberSavedList(const std::string& path, const ListFileBlocks& file) {
    std::vector<std::uint8_t> bytes;
    for (const files::ByteBlock& block : file.blocks) bytes.insert(bytes.end(), block.data, block.data + block.size);
    files::FileStamp stamp;
    const bool stampKnown = files::FileStatus(path, stamp) && stamp.size == bytes.size();
    RememberListFile(listFileBase, path, std::move(bytes), stampKnown ? &stamp : nullptr);
}

}  // namespace

SaveResult SaveList() {
    if (itemTable.listPath.empty()) return SaveResult::NeedsPath;
    ListFileBlocks file;
    BuildListFile(itemTable, file);
    switch (files::SaveFile(itemTable.listPath, file.blocks.data(), file.blocks.size())) {
    case files::SaveFileResult::Saved: break;
    case files::SaveFileResult::ReadOnly: return SaveResult::ReadOnly;
    case files::SaveFileResult::Failed: return SaveResult::CannotWrite;
    }
    itemTable.modified = false;
    RememberSavedList(itemTable.listPath, file);
    WriteLastListPath();  // the save stands even when this fails
    return SaveResult::Saved;
}

std::string CaptionForPath(const std::string& path) {
    const std::size_t folderEnd = path.find_last_of("\\/");
    const std::string name = folderEnd == std::string::npos ? path : path.substr(folderEnd + 1);
    return name.substr(0, name.find('.'));
}

}  // namespace pantrium

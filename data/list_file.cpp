// Loading and saving the binary list file.
#include "list_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

#include "categories.h"
#include "item_table.h"

namespace fs = std::filesystem;

namespace pantrium {
namespace {

constexpr std::size_t kHeaderSize = 13;
constexpr std::size_t kCountsEnd = 21;  // header + n + m
constexpr std::size_t kCatgNameSize = 20;

// The whole file in memory.
struct FileData {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
};

// The list path as the file system library sees it. The file itself is
// opened by its single-byte text (the system's code page on Windows); the
// library is used only for what the streams cannot do (directory test, size,
// permissions, the replacing rename). False when the text cannot be converted.
bool FsPath(const std::string& text, fs::path& out) {
    try {
        out = fs::path(text);
        return true;
    } catch (...) {
        return false;
    }
}

// Reads the file whole. False when it cannot be opened.
bool ReadWholeFile(const std::string& path, FileData& file) {
    std::error_code ec;
    fs::path fsPath;
    const bool known = FsPath(path, fsPath);
    if (known && fs::is_directory(fsPath, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::uintmax_t expected = known ? fs::file_size(fsPath, ec) : 0;
    if (ec) expected = 0;
    // One byte more than expected, so that a complete file ends the loop at once.
    std::size_t capacity = static_cast<std::size_t>(expected) + 1;
    file.bytes.reset(new std::uint8_t[capacity]);
    for (;;) {
        in.read(reinterpret_cast<char*>(file.bytes.get() + file.size),
                static_cast<std::streamsize>(capacity - file.size));
        file.size += static_cast<std::size_t>(in.gcount());
        if (!in) break;
        // The file is longer than its size said: continue in a buffer twice as large.
        std::unique_ptr<std::uint8_t[]> larger(new std::uint8_t[2 * capacity]);
        std::memcpy(larger.get(), file.bytes.get(), file.size);
        file.bytes.swap(larger);
        capacity *= 2;
    }
    return true;
}

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

// A count cut to the entries that begin inside the file, so that a damaged
// count can neither go negative nor make the reader allocate without bound.
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
    const std::size_t m = CapCount(file.Int32(kHeaderSize + 4), namesStart, kCatgNameSize, size);

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
    if (!std::ifstream(path, std::ios::binary)) {
        // A missing list is created empty; appending never truncates a file
        // that exists but could not be read.
        std::ofstream create(path, std::ios::binary | std::ios::app);
    }
    FileData data;
    try {
        if (!ReadWholeFile(path, data)) return LoadResult::CannotOpen;
    } catch (const std::bad_alloc&) {
        return LoadResult::CannotOpen;
    }
    return LoadFromBytes(data.bytes.get(), data.size);
}

SaveResult SaveList() {
    if (itemTable.listPath.empty()) return SaveResult::NeedsPath;
    const std::string& target = itemTable.listPath;
    // Write a temporary file beside the target and rename it over the target,
    // so that a failed save leaves the previous file as it was.
    const std::string temp = target + ".saving";
    const std::vector<std::uint8_t> bytes = ListFileBytes();
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            out.close();
        }
        if (!out || out.fail()) {
            std::remove(temp.c_str());
            return SaveResult::CannotWrite;
        }
    }
    std::error_code ec;
    fs::path fsTemp, fsTarget;
    if (!FsPath(temp, fsTemp) || !FsPath(target, fsTarget)) {
        std::remove(temp.c_str());
        return SaveResult::CannotWrite;
    }
    // Keep the permissions of the file being replaced.
    fs::file_status st = fs::status(fsTarget, ec);
    if (!ec && fs::is_regular_file(st)) fs::permissions(fsTemp, st.permissions(), ec);
    // Replaces the target in one step (rename(2); MoveFileExW with
    // MOVEFILE_REPLACE_EXISTING on Windows).
    fs::rename(fsTemp, fsTarget, ec);
    if (ec) {
        std::remove(temp.c_str());
        return SaveResult::CannotWrite;
    }
    itemTable.modified = false;
    WriteLastListPath();  // the save stands even when this fails
    return SaveResult::Saved;
}

std::string CaptionForPath(const std::string& path) { return path.substr(0, path.find('.')); }

}  // namespace pantrium

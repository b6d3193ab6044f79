// The binary list file (.ptm): header "Pantrium 1.50", n, m, rowOrder[1..n],
// records[1..n] (80 bytes each), catgNames[1..m] (20 bytes each).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pantrium {

struct ItemTable;

constexpr const char* kListHeader = "Pantrium 1.50";

enum class LoadResult { Loaded, CannotOpen };
enum class SaveResult { Saved, NeedsPath, ReadOnly, CannotWrite };

// Reads the file at itemTable.listPath into the table (a missing file is
// created empty and loads as an empty list). Damaged files never crash the
// reader. On CannotOpen the table is left as it was.
LoadResult LoadList();

// Writes the table to itemTable.listPath (files::SaveFile: the file keeps its
// links, owner and permissions), then writes grocery.ini. NeedsPath when
// listPath is empty (the caller runs save-as); ReadOnly when the list may not
// be written. On ReadOnly and CannotWrite the old file is intact and modified
// stays true.
SaveResult SaveList();

// The loader and writer on bytes in memory (used by LoadList/SaveList, the
// fuzzer and the benchmark). LoadFromBytes accepts any bytes.
LoadResult LoadFromBytes(const std::uint8_t* data, std::size_t size);
inline LoadResult LoadFromBytes(const std::vector<std::uint8_t>& data) {
    return LoadFromBytes(data.data(), data.size());
}
std::vector<std::uint8_t> ListFileBytes();
// The same for any table (the merge's sides, a merged list).
LoadResult LoadFromBytes(const std::uint8_t* data, std::size_t size, ItemTable& table);
std::vector<std::uint8_t> ListFileBytes(const ItemTable& table);

// The main window's caption for a list path: the list's name, the file name
// without its folder, up to its first '.'.
std::string CaptionForPath(const std::string& path);

}  // namespace pantrium

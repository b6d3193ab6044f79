#include "data/conflict_copies.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "data/item_table.h"
#include "data/list_change.h"
#include "data/list_file.h"
#include "data/list_merge.h"

namespace pantrium {

namespace {

constexpr const char* kExtension = ".ptm";

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool HasListExtension(const std::string& lowerName) {
    const std::size_t n = std::char_traits<char>::length(kExtension);
    return lowerName.size() > n && lowerName.compare(lowerName.size() - n, n, kExtension) == 0;
}

// Path text is UTF-8 on every system; std::filesystem takes it as char8_t.
std::filesystem::path PathOf(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
std::string TextOf(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

bool IsConflictCopyName(const std::string& listFileName, const std::string& fileName) {
    const std::string list = Lower(listFileName), name = Lower(fileName);
    if (!HasListExtension(list) || !HasListExtension(name) || name == list) return false;
    const std::string stem = list.substr(0, list.size() - std::char_traits<char>::length(kExtension));
    if (name.compare(0, stem.size(), stem) != 0 || name.size() <= stem.size() + 1) return false;
    const std::string after = name.substr(stem.size(), 2);
    return after == " (" || after[0] == '-' || after[0] == '.';
}

std::vector<std::string> ConflictCopiesOf(const std::string& listPath) {
    std::vector<std::string> copies;
    const std::size_t cut = listPath.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? "" : listPath.substr(0, cut + 1);
    const std::string listName = cut == std::string::npos ? listPath : listPath.substr(cut + 1);
    std::error_code ec;
    std::filesystem::directory_iterator it(PathOf(folder.empty() ? "." : folder), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = TextOf(it->path().filename());
        std::error_code typeError;  // a copy that cannot be looked at is left out, the walk goes on
        if (IsConflictCopyName(listName, name) && it->is_regular_file(typeError)) copies.push_back(folder + name);
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

bool CopyAddsToTable(const std::string& copyPath) {
    files::FileContent content;
    if (!files::ReadWholeFile(copyPath, content) || !IsCompleteListFile(content.bytes.get(), content.size))
        return false;
    ItemTable theirs;
    if (LoadFromBytes(content.bytes.get(), content.size, theirs) != LoadResult::Loaded) return false;
    return MergeListsWithoutBase(itemTable, theirs).tookTheirs;
}

}  // namespace pantrium

// The category list and the two small text files (pantrium.ini, grocery.ini).
#include "categories.h"

#include "platform/files.h"
#include "item_table.h"

namespace pantrium {

std::string ToLowerAnsi(const std::string& text) {
    std::string out = text;
    for (char& ch : out) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 'A' && c <= 'Z') {
            c += 32;
        } else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {  // Latin-1 capitals
            c += 32;
        } else if (c == 0x8A || c == 0x8C || c == 0x8E) {  // S, OE, Z with caron/ligature
            c += 16;
        } else if (c == 0x9F) {  // Y diaeresis
            c = 0xFF;
        }
        ch = static_cast<char>(c);
    }
    return out;
}

void AppendCategory(const std::string& text) {
    // An item refers to its category by one byte, so no more can be used.
    if (itemTable.catgCount >= kMaxCategories) return;
    std::size_t m = static_cast<std::size_t>(++itemTable.catgCount);
    if (itemTable.catgNames.size() < m + 1) itemTable.catgNames.resize(m + 1);
    itemTable.catgNames[m] = ToLowerAnsi(text);
    itemTable.modified = true;
}

void RenameCategory(int k, const std::string& text) {
    if (k < 1 || k > itemTable.catgCount) return;
    itemTable.catgNames[k] = text;
    itemTable.modified = true;
}

void RemoveCategory(int k) {
    if (k < 1 || k > itemTable.catgCount) return;
    auto& names = itemTable.catgNames;
    for (std::size_t i = static_cast<std::size_t>(k); i + 1 < names.size(); ++i) names[i] = names[i + 1];
    names.back().clear();
    --itemTable.catgCount;
    for (int r = 1; r <= itemTable.itemCount; ++r) {
        ItemRecord& rec = itemTable.records[r];
        if (rec.catg == k) {
            rec.catg = 0;
        } else if (rec.catg > k) {
            --rec.catg;
        }
    }
    itemTable.modified = true;
    SortRows(0);
}

std::string FirstSettingsField(const std::string& content) {
    std::size_t i = 0;
    while (i < content.size() && content[i] == ' ') ++i;
    if (i == content.size() || content[i] == '\x1A') return "";
    if (content[i] == '"') {
        std::size_t end = content.find('"', i + 1);
        if (end == std::string::npos) end = content.size();
        return content.substr(i + 1, end - i - 1);
    }
    std::string field;
    for (; i < content.size(); ++i) {
        char c = content[i];
        if (c == ',' || c == '\r' || c == '\x1A') break;
        if (c == '\n' || c == '\t') continue;
        field += c;
    }
    return field;
}

// Both files hold ANSI text, or UTF-8 after this byte-order mark.
constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

void ReadSettings() {
    itemTable.listPath = "my Pantrium.ptm";
    files::FileContent file;
    if (!files::ReadWholeFile("pantrium.ini", file)) return;
    std::string content(reinterpret_cast<const char*>(file.bytes.get()), file.size);
    if (content.starts_with(kUtf8Bom))
        content.erase(0, 3);  // already path text
    else
        content = files::AnsiToPath(content);
    std::string field = FirstSettingsField(content);
    if (!field.empty()) itemTable.listPath = field;
}

bool WriteLastListPath() {
    // ANSI as always when the path has a form there, else UTF-8 marked as such.
    std::string content;
    if (!files::PathToAnsi(itemTable.listPath, content)) content = kUtf8Bom + itemTable.listPath;
    content += "\r\n";
    return files::WriteWholeFile("grocery.ini", content.data(), content.size());
}

}  // namespace pantrium

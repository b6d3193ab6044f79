// What the CSV writer and reader of the item table share (csv_table.h):
// the columns and small text helpers. Internal to data/.
#pragma once
#include <string>
#include <string_view>

namespace pantrium::csv {

// The columns in export order (kCsvHeader); the purchases follow as date, units.
enum Column : int {
    kColCategory, kColItem, kColUnit, kColPrice, kColUnitsToBuy, kColOnList, kColOneTimeBuy, kColAutoListed,
    kColFirstPurchase
};
constexpr int DateColumn(int slot) { return kColFirstPurchase + 2 * slot; }
constexpr int UnitsColumn(int slot) { return kColFirstPurchase + 2 * slot + 1; }

constexpr std::string_view kBom = "\xEF\xBB\xBF";

inline bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

inline std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

inline std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

inline std::string LinePrefix(int line) { return "line " + std::to_string(line) + ": "; }

}  // namespace pantrium::csv

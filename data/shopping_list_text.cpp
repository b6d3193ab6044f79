// The shopping list as plain text and as a Markdown checklist.
#include "shopping_list_text.h"

#include <string_view>

#include "number_text.h"

namespace pantrium {

namespace {

const char* const kNoCategory = "(no category)";

// The name as the list shows it; a category name read from a file keeps its
// padding in memory.
std::string Trimmed(const std::string& text) {
    const std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

// Backslash before what Markdown would read as mark-up (emphasis, links,
// code, HTML, headings, tables).
std::string MarkdownEscaped(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (std::string_view("\\`*_[]<>#|~").find(ch) != std::string_view::npos) out += '\\';
        out += ch;
    }
    return out;
}

std::string CategoryOf(const ItemTable& table, const ItemRecord& rec) {
    if (rec.catg < 1 || rec.catg > table.catgCount || rec.catg >= static_cast<int>(table.catgNames.size()))
        return "";
    return Trimmed(table.catgNames[rec.catg]);
}

// What follows the name: "2 gallon, 7.00".
std::string Details(const ItemRecord& rec) {
    const float units = ToAmount(rec.unitsToBuy);
    std::string amount = units != 0 ? ShortNumber(units) : "";
    const std::string unit = TrimmedField(rec.unitDescr);
    if (!unit.empty()) amount += (amount.empty() ? "" : " ") + unit;
    std::string details = amount.empty() ? "" : ": " + amount;
    const double cost = AmountCost(rec.pricePerUnit, rec.unitsToBuy);
    if (cost != 0) details += ", " + MoneyMask(cost);
    return details;
}

}  // namespace

ShoppingListText BuildShoppingListText(const ItemTable& table) {
    ShoppingListText text;
    double total = 0;
    std::string previous;  // as on paper: no heading before items of no category at the top
    for (int row = 1; row <= table.itemCount && row < static_cast<int>(table.rowOrder.size()); ++row) {
        const int k = table.rowOrder[row];
        if (k < 1 || k >= static_cast<int>(table.records.size())) continue;
        const ItemRecord& rec = table.records[k];
        if (!rec.toBuy()) continue;
        const std::string category = CategoryOf(table, rec);
        if (category != previous) {
            previous = category;
            const std::string heading = category.empty() ? kNoCategory : category;
            const std::string gap = text.items > 0 ? "\n" : "";
            text.plain += gap + heading + "\n";
            text.markdown += gap + "## " + MarkdownEscaped(heading) + "\n";
        }
        const std::string name = TrimmedField(rec.itemName);
        const std::string details = Details(rec);
        text.plain += name + details + "\n";
        text.markdown += "- [ ] " + MarkdownEscaped(name) + MarkdownEscaped(details) + "\n";
        total += AmountCost(rec.pricePerUnit, rec.unitsToBuy);
        ++text.items;
    }
    if (text.items == 0) return {};
    const std::string totals = "Items to buy: " + std::to_string(text.items) +
                               ", total cost: " + MoneyMask(ClampAmount(total));
    text.plain += "\n" + totals + "\n";
    text.markdown += "\n" + totals + "\n";
    return text;
}

}  // namespace pantrium

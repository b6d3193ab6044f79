#include "print/printed_list.h"

#include <string>
#include <vector>

#include "data/dates.h"
#include "data/item_table.h"
#include "data/number_text.h"
#include "platform/files.h"
#include "platform/window.h"

namespace pantrium {
namespace {

constexpr const char* kListFace = "MS Sans Serif";
constexpr int kListPoints = 11;
constexpr int kTitlePoints = 12;
constexpr int kBoldStyle = 1;
constexpr int kHeadingStyle = 1 | 4;  // bold, underlined

// The layout, measured once with the job's starting font.
struct Layout {
    int ppiX = 0;
    int cw = 0, ch = 0;
    int pageLimit = 0;
    int At(int tenthsOfInch) const { return ppiX * tenthsOfInch / 10; }
};

std::string CategoryName(int catg) {
    if (catg < 1 || catg >= static_cast<int>(itemTable.catgNames.size())) return "";
    return itemTable.catgNames[catg];
}

bool IsPrinted(int row, int onlyToBuy) {
    return !onlyToBuy || itemTable.RecordOfRow(row).toBuy();
}

// The rows after which a new page starts. A page holds lines up to the page
// limit, counted from 2 for the heading, each printed item one line step; a
// break after the last printed item would leave a page with only the heading.
std::vector<int> PageBreaks(int onlyToBuy, int pageLimit) {
    int lastPrinted = 0;
    for (int r = 1; r <= itemTable.itemCount; ++r)
        if (IsPrinted(r, onlyToBuy)) lastPrinted = r;
    std::vector<int> breaks;
    int lineCount = 2;
    for (int r = 1; r < lastPrinted; ++r) {
        if (!IsPrinted(r, onlyToBuy)) continue;
        lineCount += onlyToBuy ? 2 : 1;
        if (lineCount >= pageLimit) {
            breaks.push_back(r);
            lineCount = 2;
        }
    }
    return breaks;
}

// The list's name: its file name without folder and extension. The path is
// UTF-8 text, the printer takes ANSI text: a name the ANSI code page cannot
// hold prints with "?" for each character it lacks.
std::string ListName() {
    std::string name = itemTable.listPath;
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    if (name.empty()) return "Pantrium";
    std::string ansi;
    if (files::PathToAnsi(name, ansi)) return ansi;
    ansi.clear();
    for (unsigned char c : name) {
        if (c < 0x80) ansi += static_cast<char>(c);
        else if ((c & 0xC0) != 0x80) ansi += '?';  // a character's first byte
    }
    return ansi;
}

void TextAt(int x, int y, const std::string& text) {
    plat::PrinterMoveTo(x, y);
    plat::PrinterText(text);
    plat::PrinterNewLine();
}

// Amounts are right-aligned: their last character ends at the column edge.
void AmountAt(const Layout& layout, int edgeTenths, int y, const std::string& text) {
    TextAt(layout.At(edgeTenths) - static_cast<int>(text.size()) * layout.cw, y, text);
}

// The page's title line above the column headings: what is printed, the
// list's name and today's date, and the page number when there are more.
void PrintTitle(const Layout& layout, const std::string& title, int page, int pages) {
    plat::PrinterSetFont(kListFace, kTitlePoints, kBoldStyle);
    TextAt(layout.At(5), 0, title);
    if (pages > 1) {
        AmountAt(layout, 75, 0, "Page " + std::to_string(page) + " of " + std::to_string(pages));
    }
}

void PrintHeading(const Layout& layout) {
    struct Column {
        const char* text;
        int x;
    };
    const Column columns[] = {
        {"Catg", layout.At(5) + 2 * layout.cw},       {"Item", layout.At(20) + 2 * layout.cw},
        {"Unit Descr", layout.At(35) + 2 * layout.cw}, {"Last Buy", layout.At(50)},
        {"Units", layout.At(65) - 5 * layout.cw},      {"Cost", layout.At(75) - 5 * layout.cw},
    };
    plat::PrinterSetFont(kListFace, kListPoints, kHeadingStyle);
    for (const Column& column : columns) TextAt(column.x, 2 * layout.ch, column.text);
    plat::PrinterSetFont(kListFace, kListPoints, 0);
    plat::PrinterNewLine();
}

// The end of the list, a blank line below the last item: how many items were
// printed and, for the shopping list, what they cost together.
void PrintSummary(const Layout& layout, int onlyToBuy, int printed) {
    const int y = plat::PrinterPosition().y;
    plat::PrinterSetFont(kListFace, kListPoints, kBoldStyle);
    if (!onlyToBuy) {
        TextAt(layout.At(5), y, "Items: " + std::to_string(printed));
        return;
    }
    const ShoppingTotals totals = CountShoppingList();
    TextAt(layout.At(5), y, "Items to buy: " + std::to_string(totals.itemsToBuy));
    TextAt(layout.At(50), y, "Total cost:");
    AmountAt(layout, 75, y, MoneyMask(totals.totalCost));
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool IsAbsolute(const std::string& path) {
    return (!path.empty() && IsSeparator(path[0])) || (path.size() > 1 && path[1] == ':');
}

}  // namespace

std::string PdfPathFor(const std::string& listPath, int onlyToBuy) {
    std::string base = listPath.empty() ? "Pantrium" : listPath;
    const std::size_t name = base.find_last_of("/\\");
    const std::size_t dot = base.rfind('.');
    if (dot != std::string::npos && (name == std::string::npos || dot > name + 1)) base.erase(dot);
    if (!IsAbsolute(base)) {
        const std::string folder = files::CurrentDirectory();
        // The folder's own separator: a Windows path has backslashes.
        const char separator = folder.find('\\') != std::string::npos ? '\\' : '/';
        if (!folder.empty()) base = folder + (IsSeparator(folder.back()) ? "" : std::string(1, separator)) + base;
    }
    return base + (onlyToBuy ? "" : " - all") + ".pdf";
}

std::string PrintList(int onlyToBuy) {
    if (!plat::PrinterChooseAndOpen(plat::ActiveWindow(), "Print job", PdfPathFor(itemTable.listPath, onlyToBuy)))
        return {};

    Layout layout;
    layout.ppiX = plat::PrinterDpiX();
    const plat::Size charSize = plat::PrinterCharSize();
    layout.cw = charSize.cx;
    layout.ch = charSize.cy;
    layout.pageLimit = plat::PrinterLinesPerPage() - 4;
    const std::vector<int> breaks = PageBreaks(onlyToBuy, layout.pageLimit);
    const int pages = static_cast<int>(breaks.size()) + 1;
    const std::string title =
        ListName() + (onlyToBuy ? ": shopping list" : ": all items") + ", printed " + TodayText();

    bool headingDue = true;
    int page = 0;
    int printed = 0;
    std::string previousCatg;
    for (int row = 1; row <= itemTable.itemCount; ++row) {
        if (headingDue) {
            PrintTitle(layout, title, ++page, pages);
            PrintHeading(layout);
            headingDue = false;
            previousCatg.clear();
        }
        if (!IsPrinted(row, onlyToBuy)) continue;
        const ItemRecord& rec = itemTable.RecordOfRow(row);
        ++printed;

        const int y = plat::PrinterPosition().y;
        const std::string catg = CategoryName(rec.catg);
        if (catg != previousCatg) {
            previousCatg = catg;
            TextAt(layout.At(5), y, catg);
        }
        TextAt(layout.At(20), y, FieldText(rec.itemName));
        TextAt(layout.At(35), y, FieldText(rec.unitDescr));
        TextAt(layout.At(50), y, LastBuyText(rec));
        const float units = ToAmount(rec.unitsToBuy);
        if (units != 0) {
            AmountAt(layout, 65, y, MoneyMask(units));
            // The same cost as the item list's, so that paper and screen agree.
            const double cost = AmountCost(rec.pricePerUnit, units);
            if (cost != 0) AmountAt(layout, 75, y, MoneyMask(cost));
        }

        if (page <= static_cast<int>(breaks.size()) && breaks[page - 1] == row) {
            plat::PrinterNewPage();
            headingDue = true;
        }
        if (onlyToBuy) plat::PrinterNewLine();
    }
    // An empty table prints nothing at all; otherwise the list ends with its count.
    if (page > 0) {
        if (!onlyToBuy) plat::PrinterNewLine();  // the shopping list has its blank line already
        PrintSummary(layout, onlyToBuy, printed);
    }
    return plat::PrinterClose();
}

}  // namespace pantrium

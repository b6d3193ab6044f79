#include "print/printed_list.h"

#include <string>

#include "data/dates.h"
#include "data/item_table.h"
#include "data/number_text.h"
#include "platform/files.h"
#include "platform/window.h"

namespace pantrium {
namespace {

constexpr const char* kListFace = "MS Sans Serif";
constexpr int kListPoints = 11;
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

// Whether a row after this one will still be printed: a page break after
// the last printed item would leave a page with only the heading.
bool MoreToPrint(int row, int onlyToBuy) {
    for (int r = row + 1; r <= itemTable.itemCount; ++r)
        if (IsPrinted(r, onlyToBuy)) return true;
    return false;
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
    const int lineStep = onlyToBuy ? 2 : 1;

    bool headingDue = true;
    int lineCount = 0;
    std::string previousCatg;
    for (int row = 1; row <= itemTable.itemCount; ++row) {
        if (headingDue) {
            PrintHeading(layout);
            headingDue = false;
            lineCount = 2;
            previousCatg.clear();
        }
        if (!IsPrinted(row, onlyToBuy)) continue;
        const ItemRecord& rec = itemTable.RecordOfRow(row);

        const int y = plat::PrinterPosition().y;
        lineCount += lineStep;
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
            // The printed cost is a single-precision product, kept within the
            // amount range and masked from its binary value: 3 x 0.335 prints 1.00.
            const float cost = ToAmount(ToAmount(rec.pricePerUnit) * units);
            if (cost != 0) AmountAt(layout, 75, y, MoneyMask(static_cast<double>(cost)));
        }

        if (lineCount >= layout.pageLimit && MoreToPrint(row, onlyToBuy)) {
            plat::PrinterNewPage();
            headingDue = true;
        }
        if (onlyToBuy) plat::PrinterNewLine();
    }
    return plat::PrinterClose();
}

}  // namespace pantrium

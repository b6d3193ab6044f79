// The buying history of one item as a small text report.
#include "ui/main/units_history.h"

#include "data/dates.h"
#include "data/item_table.h"
#include "data/number_text.h"
#include "ui/dialogs/message_box.h"
#include "ui/main/main_window.h"

namespace pantrium {

std::string UnitsHistoryText(int recordIndex) {
    const ItemRecord& rec = itemTable.records[recordIndex];
    if (rec.specialBuy()) return "No history";

    std::string text = "  Date" + std::string(12, ' ') + "Units\r\n\r\n";
    for (int i = 0; i < kHistorySlots; ++i) {
        // A slot is in use while its date has a day; the first empty one ends the history.
        if ((rec.buyDate[i] & 0x1F) == 0) break;
        const std::string units = MoneyMask(rec.buyUnits[i]);
        const std::size_t blanks = units.size() < 12 ? 12 - units.size() : 0;
        text += FormatPackedDate(rec.buyDate[i]) + std::string(blanks, ' ') + units + "\r\n";
    }
    return text;
}

void ShowUnitsHistory(const MainWindowState& ui) {
    const int row = SelectedRow(ui);
    if (row < 1 || row > itemTable.itemCount) return;
    MessageBoxEx(UnitsHistoryText(itemTable.rowOrder[row]), 64, "Units History", 0, 0, 0);
}

}  // namespace pantrium

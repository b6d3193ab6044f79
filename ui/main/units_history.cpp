// The buying history of one item as a small text report.
#include "ui/main/units_history.h"

#include <cmath>

#include "data/dates.h"
#include "data/item_table.h"
#include "data/number_text.h"
#include "ui/dialogs/message_box.h"
#include "ui/main/main_window.h"

namespace pantrium {

namespace {

// The message box is as wide as its widest line: the reasoning is wrapped
// to lines not much wider than the report above it.
constexpr std::size_t kReasonWidth = 36;

std::string Plural(long long n, const std::string& word) {
    return std::to_string(n) + " " + word + (n == 1 || n == -1 ? "" : "s");
}

// Whole days as they are, else to a tenth ("6.7 days"); written by hand so
// that no locale's decimal comma comes in.
std::string DaysText(double days) {
    const long long tenths = std::llround(days * 10);
    if (tenths % 10 == 0) return Plural(tenths / 10, "day");
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(std::llabs(tenths) / 10);
    text += '.';
    text += std::to_string(std::llabs(tenths) % 10);
    return text + " days";
}

std::string LastBoughtText(int elapsed) {
    if (elapsed == 0) return "last bought today";
    if (elapsed < 0) return "last bought " + Plural(-static_cast<long long>(elapsed), "day") + " after today";
    return "last bought " + Plural(elapsed, "day") + " ago";
}

// Lines of at most kReasonWidth characters, broken at blanks (a longer word
// keeps a line of its own), each ending in CR LF.
std::string Wrap(const std::string& sentence) {
    std::string out, line;
    std::size_t start = 0;
    while (start < sentence.size()) {
        std::size_t end = sentence.find(' ', start);
        if (end == std::string::npos) end = sentence.size();
        const std::string word = sentence.substr(start, end - start);
        if (!line.empty() && line.size() + 1 + word.size() > kReasonWidth) {
            out += line + "\r\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        start = end + 1;
    }
    if (!line.empty()) out += line + "\r\n";
    return out;
}

// Purchases shown by the report: a slot is in use while its date has a day.
int DatedSlots(const ItemRecord& rec) {
    int n = 0;
    while (n < kHistorySlots && (rec.buyDate[n] & 0x1F) != 0) ++n;
    return n;
}

}  // namespace

std::string AutoListReasoningText(const ItemRecord& rec, const AutoListReasoning& r) {
    using O = AutoListOutcome;
    // The rate is known from two counted purchases on different days.
    const bool rateKnown = r.purchases >= 2 && r.span != 0;
    std::string text = "Auto list: ";
    if (rec.specialBuy() && r.outcome != O::Proposes) {
        text += "a one-time buy keeps no history, it proposes nothing.";
    } else if (!rateKnown) {
        if (r.outcome == O::OnTheList) text += "already on the list, it proposes nothing.";
        else if (r.outcome == O::OneDay) text += "first and last purchase on one day,";
        else if (DatedSlots(rec) > r.purchases)
            text += "counts " + Plural(r.purchases, "purchase") + " (a purchase of no units ends the history it counts),";
        else if (r.purchases == 0) text += "never bought,";
        else text += "bought once,";
        if (r.outcome != O::OnTheList) text += " it proposes nothing (it needs two purchases on different days).";
    } else {
        text += "bought every " + DaysText(r.DaysPerPurchase()) + ", about " +
                MoneyMask(r.UnitsPerPurchase()) + " units each time; " + LastBoughtText(r.elapsed);
        switch (r.outcome) {
        case O::Proposes: text += ": it proposes " + MoneyMask(r.proposal) + " units."; break;
        case O::OnTheList: text += ". Already on the list, it proposes nothing."; break;
        case O::LessThanOne:
            text += ": " + MoneyMask(r.proposal) + " units used up, less than one: it proposes nothing yet.";
            break;
        default: text += ": it proposes nothing yet."; break;
        }
    }
    return Wrap(text);
}

std::string UnitsHistoryText(int recordIndex) {
    const ItemRecord& rec = itemTable.records[recordIndex];
    const std::string reasoning = AutoListReasoningText(rec, AutoListReasoningOf(recordIndex));
    if (rec.specialBuy()) return "No history\r\n\r\n" + reasoning;

    std::string text = "  Date" + std::string(12, ' ') + "Units\r\n\r\n";
    // The first slot without a date ends the history.
    for (int i = 0; i < DatedSlots(rec); ++i) {
        const std::string units = MoneyMask(rec.buyUnits[i]);
        const std::size_t blanks = units.size() < 12 ? 12 - units.size() : 0;
        text += FormatPackedDate(rec.buyDate[i]) + std::string(blanks, ' ') + units + "\r\n";
    }
    return text + "\r\n" + reasoning;
}

void ShowUnitsHistory(const MainWindowState& ui) {
    const int row = SelectedRow(ui);
    if (row < 1 || row > itemTable.itemCount) return;
    MessageBoxEx(UnitsHistoryText(itemTable.rowOrder[row]), 64, "Units History", 0, 0, 0);
}

}  // namespace pantrium

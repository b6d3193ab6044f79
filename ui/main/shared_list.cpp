// The list file shared with other programs (another PC through a shared or
// synced folder): what they saved is taken in when the window becomes active
// again (a reload when the table has no changes of its own; with changes, the
// save merges), the notice of conflicts, and the offer of a sync client's
// conflict copies at start-up.
#include <cstddef>
#include <string>
#include <vector>

#include "data/conflict_copies.h"
#include "data/item_table.h"
#include "data/list_change.h"
#include "data/list_merge.h"
#include "platform/files.h"
#include "ui/dialogs/message_box.h"
#include "ui/main/main_window.h"

namespace pantrium {

namespace {

// A notice lists at most this many items; more would not fit on the screen.
constexpr std::size_t kMaxConflictLines = 12;

// "Eggs (dozen, dairy)": the item as the user finds it in the list, in the
// UTF-8 of a question's text (the names are the list file's ANSI).
std::string ItemWords(const MergeConflict& c) {
    std::string words = c.itemName;
    std::string where = c.unitDescr;
    if (!c.category.empty()) where += (where.empty() ? "" : ", ") + c.category;
    if (!where.empty()) words += " (" + where + ")";
    return files::AnsiToPath(words);
}

// One line per item: its name and the fields that were changed on both sides.
std::vector<std::string> ConflictLines(const std::vector<MergeConflict>& conflicts) {
    std::vector<std::string> lines;
    const MergeConflict* last = nullptr;
    for (const MergeConflict& c : conflicts) {
        const bool sameItem = last && last->category == c.category && last->itemName == c.itemName &&
                              last->unitDescr == c.unitDescr;
        if (sameItem) lines.back() += std::string(", ") + MergeFieldName(c.field);
        else lines.push_back(ItemWords(c) + ": " + MergeFieldName(c.field));
        last = &c;
    }
    return lines;
}

}  // namespace

RowPlace SelectedPlace(const MainWindowState& ui) {
    RowPlace place;
    const int row = SelectedRow(ui);
    if (!row) return place;
    place.itemName = TrimmedField(itemTable.RecordOfRow(row).itemName);
    place.unitDescr = TrimmedField(itemTable.RecordOfRow(row).unitDescr);
    place.topRow = plat::ListTopIndex(ui.mainWindow, kItemList);
    place.known = true;
    return place;
}

void RedrawAtPlace(MainWindowState& ui, const RowPlace& place) {
    TakePendingRefresh();  // the whole list is drawn here
    int found = 0;
    for (int row = 1; place.known && row <= itemTable.itemCount; ++row) {
        const ItemRecord& rec = itemTable.RecordOfRow(row);
        if (TrimmedField(rec.itemName) != place.itemName) continue;
        // An item of the same name and unit is the one; of the same name only, the first.
        if (!found || TrimmedField(rec.unitDescr) == place.unitDescr) found = row;
        if (TrimmedField(rec.unitDescr) == place.unitDescr) break;
    }
    if (!found) {
        RefreshItemList(ui, 0);
        return;
    }
    RefreshItemList(ui, found);
    plat::ListSetTopIndex(ui.mainWindow, kItemList, place.topRow);
}

void CheckListOnDisk(MainWindowState& ui) {
    // With changes of its own the table waits for the save, which merges.
    if (itemTable.modified || itemTable.listPath.empty()) return;
    DiskCheck check = CheckListFile();
    if (check.change != DiskChange::Changed) return;  // a file being written is tried again next time
    const RowPlace place = SelectedPlace(ui);
    if (ReloadChangedList(check)) RedrawAtPlace(ui, place);
}

void TellMergeConflicts(const std::vector<MergeConflict>& conflicts, const std::string& intro,
                        const std::string& caption) {
    if (conflicts.empty()) return;
    const std::vector<std::string> lines = ConflictLines(conflicts);
    std::string text = intro + "\r\n";
    for (std::size_t i = 0; i < lines.size() && i < kMaxConflictLines; ++i) text += "\r\n" + lines[i];
    if (lines.size() > kMaxConflictLines)
        text += "\r\n... and " + std::to_string(lines.size() - kMaxConflictLines) + " more items";
    StandardPrompt(text, caption, 48);
}

bool MergeFileIntoTable(MainWindowState& ui, const std::string& path) {
    const RowPlace place = SelectedPlace(ui);
    std::vector<MergeConflict> conflicts;
    if (!MergeListFile(path, conflicts)) {
        StandardPrompt("Could not merge the list " + path + ": it is not a whole list file.\r\n" +
                           "The current list was not changed.",
                       "Merge List", 16);
        return false;
    }
    RedrawAtPlace(ui, place);
    TellMergeConflicts(conflicts,
                       "The list " + path + " was merged into this one.\r\n" +
                           "These items were changed differently in both lists; this list's values were kept:",
                       "Merge List");
    return true;
}

void OfferConflictCopies(MainWindowState& ui) {
    std::vector<std::string> copies;
    for (const std::string& copy : ConflictCopiesOf(itemTable.listPath))
        if (CopyAddsToTable(copy)) copies.push_back(copy);
    if (copies.empty()) return;
    const bool one = copies.size() == 1;
    std::string text = one ? "A copy of this list that a sync program made lies beside it;\r\nit holds changes"
                           : "Copies of this list that a sync program made lie beside it;\r\nthey hold changes";
    text += " this list does not have:\r\n";
    for (const std::string& copy : copies) text += "\r\n" + copy;
    text += std::string("\r\n\r\nMerge ") + (one ? "it" : "them") + " into this list now?";
    if (StandardPrompt(text, "Merge List", 36) != 6) return;
    for (const std::string& copy : copies) MergeFileIntoTable(ui, copy);
}

}  // namespace pantrium

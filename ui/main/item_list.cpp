// The item list, the units box under it and the status line: row texts,
// refreshing, checking items and typing units, and the keys added to both
// controls.
#include <initializer_list>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "data/dates.h"
#include "data/item_table.h"
#include "data/number_text.h"
#include "ui/main/main_window.h"

namespace pantrium {

namespace {

bool ValidRow(int row) { return row >= 1 && row <= itemTable.itemCount; }

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The units box after a selection: the units in the money mask, empty for 0.
void ShowSelectedUnitsAsMoney(MainWindowState& ui, plat::Window dlg) {
    const int row = SelectedRow(ui);
    const float units = row ? ToAmount(itemTable.RecordOfRow(row).unitsToBuy) : 0.0f;
    ui.unitsEditArmed = -1;
    plat::SetText(dlg, kUnitsBox, units == 0 ? "" : MoneyMask(units));
}

// The user changed the units box text: apply it to the selected item.
void ApplyTypedUnits(MainWindowState& ui, plat::Window dlg) {
    const int row = SelectedRow(ui);
    if (!row) return;
    ItemRecord& rec = itemTable.RecordOfRow(row);
    const double old = RoundHalfEven(ToAmount(rec.unitsToBuy));
    const std::string typed = TrimBlanks(plat::GetText(dlg, kUnitsBox));
    const double value = TextToNumber(typed);
    if (value != old) itemTable.modified = true;
    rec.unitsToBuy = ToAmount(value);  // a number out of range is the largest amount
    rec.SetFlag(kToBuy, !typed.empty());
    rec.SetFlag(kAutoListed, false);
    RefreshItemList(ui, -row);
    UpdateStatusLine(ui);
    ui.unitsEditArmed = 1;
}

}  // namespace

int SelectedRow(const MainWindowState& ui) {
    if (!ui.mainWindow) return 0;
    const int row = plat::ListGetSel(ui.mainWindow, kItemList) + 1;
    return ValidRow(row) ? row : 0;
}

namespace {

// The field without leading and trailing blanks, as TrimmedField gives it,
// appended without a string of its own (a full rebuild formats every row).
void AppendTrimmed(std::string& row, const char (&field)[kTextField]) {
    int first = 0, last = kTextField;
    while (first < last && field[first] == ' ') ++first;
    while (last > first && field[last - 1] == ' ') --last;
    row.append(field + first, field + last);
}

}  // namespace

std::string FormatItemRow(int recordIndex) {
    const ItemRecord& rec = itemTable.records[recordIndex];
    const char* mark = !rec.toBuy() ? "" : rec.autoListed() ? "X" : "x";
    std::string row;
    row.reserve(80);
    row.append("\t").append(mark).append("\t");
    AppendTrimmed(row, rec.itemName);
    row.append("\t");
    AppendTrimmed(row, rec.unitDescr);
    row.append("\t").append(LastBuyText(rec));
    // Units and cost belong to the shopping list: unchecked rows show neither.
    const float units = ToAmount(rec.unitsToBuy);
    if (*mark && units != 0) {
        row.append("\t").append(MoneyMask(units));
        const double cost = AmountCost(rec.pricePerUnit, units);
        if (cost != 0) row.append("\t").append(MoneyMask(cost));
    }
    return row;
}

namespace {

// "1.00" as "1 unit", "2.50" as "2.5 units": the zeros after the point say nothing.
std::string UnitsWords(std::string units) {
    if (units.find('.') != std::string::npos) {
        units.erase(units.find_last_not_of('0') + 1);
        if (units.back() == '.') units.pop_back();
    }
    return units + (units == "1" ? " unit" : " units");
}

}  // namespace

plat::EntrySpeech ItemRowSpeech(const std::string& rowText) {
    // The row's columns after its leading tab: mark, name, unit description,
    // last-buy date, units, cost.
    std::vector<std::string> column;
    std::size_t at = rowText.empty() || rowText[0] != '\t' ? 0 : 1;
    while (at <= rowText.size()) {
        const std::size_t tab = std::min(rowText.find('\t', at), rowText.size());
        column.push_back(rowText.substr(at, tab - at));
        at = tab + 1;
    }
    column.resize(6);
    const std::string& mark = column[0];
    std::string words;
    auto say = [&words](const std::string& part) {
        if (part.empty()) return;
        if (!words.empty()) words += ", ";
        words += part;
    };
    say(column[1]);
    say(column[2]);
    if (!mark.empty()) say(mark == "X" ? "to buy, auto list" : "to buy");
    if (!column[3].empty()) say("last buy " + column[3]);
    if (!column[4].empty()) say(UnitsWords(column[4]));
    say(column[5]);
    return {words, mark.empty() ? 0 : 1};
}

void RefreshItemList(MainWindowState& ui, int mode) {
    const plat::Window dlg = ui.mainWindow;
    if (!dlg) return;
    ItemTable& t = itemTable;
    if (t.itemCount <= 0) {
        plat::ListReset(dlg, kItemList);
        t.itemsToBuy = 0;
        t.totalCost = 0;
        if (!ui.unitsBoxInUse) ShowRowUnits(ui, 0);
        UpdateStatusLine(ui);
        return;
    }
    ui.unitsEditArmed = 1;
    const int n = t.itemCount;
    int sel = mode != 0 ? std::abs(mode) - 1 : std::max(plat::ListGetSel(dlg, kItemList), 0);
    sel = std::clamp(sel, 0, n - 1);  // a row past the end selects the last one
    if (mode < 0) {
        plat::ListReplace(dlg, kItemList, sel, FormatItemRow(t.rowOrder[sel + 1]));
    } else {
        // Every row anew; the first visible row stays, so the list does not scroll.
        plat::ListFill(dlg, kItemList, n, [&t](int entry) { return FormatItemRow(t.rowOrder[entry + 1]); });
    }
    plat::ListSetSel(dlg, kItemList, sel);
    if (!ui.unitsBoxInUse) ShowRowUnits(ui, sel + 1);

    const ShoppingTotals totals = CountShoppingList();
    t.itemsToBuy = totals.itemsToBuy;
    t.totalCost = totals.totalCost;
    UpdateStatusLine(ui);
}

void RefreshAfterTableChange(MainWindowState& ui) {
    if (const std::optional<int> mode = TakePendingRefresh()) RefreshItemList(ui, *mode);
}

void UpdateStatusLine(const MainWindowState& ui) {
    const plat::Window dlg = ui.mainWindow;
    if (!dlg) return;
    const ItemTable& t = itemTable;
    const int row = SelectedRow(ui);
    const ItemRecord& rec = t.records[row ? t.rowOrder[row] : 0];
    std::string catg = "Catg: ";
    if (rec.catg >= 1 && rec.catg <= t.catgCount) catg += t.catgNames[rec.catg];
    plat::SetStatusText(dlg, kStatusBar, 0, catg);
    plat::SetStatusText(dlg, kStatusBar, 1, rec.specialBuy() ? "Special buy" : "");
    plat::SetStatusText(dlg, kStatusBar, 2,
                        "Items to buy: " + NumberToText(static_cast<double>(t.itemsToBuy)));
    plat::SetStatusText(dlg, kStatusBar, 3, "Total cost: " + MoneyMask(t.totalCost));
}

void ShowRowUnits(MainWindowState& ui, int row) {
    ui.unitsEditArmed = 0;
    const float units = ValidRow(row) ? ToAmount(itemTable.RecordOfRow(row).unitsToBuy) : 0.0f;
    plat::SetText(ui.mainWindow, kUnitsBox, units == 0 ? "" : ShortNumber(units));
}

void ToggleRowMark(MainWindowState& ui) {
    const int row = SelectedRow(ui);
    if (!row) return;
    ItemRecord& rec = itemTable.RecordOfRow(row);
    if (rec.autoListed()) {
        rec.SetFlag(kAutoListed, false);  // "X" becomes "x", the units stay
    } else if (rec.toBuy()) {
        rec.unitsToBuy = 0;
        rec.SetFlag(kToBuy, false);
    } else {
        rec.unitsToBuy = 1;
        rec.SetFlag(kToBuy, true);
    }
    RefreshItemList(ui, -row);
    itemTable.modified = true;

    const double whole = RoundHalfEven(ToAmount(rec.unitsToBuy));
    // Written by the program, never applied as typing (it would round the units).
    ui.unitsEditArmed = 0;
    plat::SetText(ui.mainWindow, kUnitsBox, whole != 0 ? NumberToText(static_cast<float>(whole)) : "");
    if (rec.toBuy()) {
        plat::SetFocus(ui.mainWindow, kUnitsBox);
        plat::SelectAllText(ui.mainWindow, kUnitsBox);
    }
}

void OnItemListNotify(MainWindowState& ui, plat::Window dlg, plat::Code code, int entry) {
    switch (code) {
    case plat::Code::SelChange:
    case plat::Code::SetFocus:
        UpdateStatusLine(ui);
        if (code == plat::Code::SetFocus) plat::ShowControl(dlg, kFocusFrame, true);
        ui.unitsBoxInUse = false;
        ShowSelectedUnitsAsMoney(ui, dlg);
        break;
    case plat::Code::KillFocus:
        plat::ShowControl(dlg, kFocusFrame, false);
        ui.enterPressedInList = false;  // its release will come to another window
        break;
    case plat::Code::DblClick:
        // Below the last row the double-click is on no row: the selected one stays as it is.
        if (entry >= 0) plat::SendUser(dlg, kToggleRowMessage);
        break;
    default: break;
    }
}

void OnUnitsBoxNotify(MainWindowState& ui, plat::Window dlg, plat::Code code) {
    switch (code) {
    case plat::Code::SetFocus:
        ui.unitsEditArmed = 1;
        ui.unitsBoxInUse = true;
        break;
    case plat::Code::KillFocus: ui.unitsEditArmed = 0; break;
    case plat::Code::Change:
        if (ui.unitsEditArmed >= 1) ApplyTypedUnits(ui, dlg);
        break;
    default: break;
    }
}

void UnitsBoxKeyHook(MainWindowState& ui, plat::Window dlg, int vk, bool down) {
    if (down || (vk != plat::kVkReturn && vk != plat::kVkUp && vk != plat::kVkDown)) return;
    const int n = itemTable.itemCount;
    int row = SelectedRow(ui);
    if (row) {
        if (vk == plat::kVkUp && row > 1) --row;
        if (vk == plat::kVkDown && row < n) ++row;
        plat::ListSetSel(dlg, kItemList, row - 1);
        ShowRowUnits(ui, row);
        ui.unitsEditArmed = 1;
    }
    plat::SetFocus(dlg, kItemList);
}

void ItemListKeyHook(MainWindowState& ui, plat::Window dlg, int vk, bool down) {
    if (vk != plat::kVkReturn) return;
    if (down) {
        ui.enterPressedInList = true;
        return;
    }
    // Only an Enter pressed and released here toggles: the release of an Enter
    // that answered a prompt or closed a dialog arrives without its press.
    const bool toggle = ui.enterPressedInList && !ui.ignoreEnterRelease;
    ui.enterPressedInList = false;
    ui.ignoreEnterRelease = false;
    if (toggle) plat::SendUser(dlg, kToggleRowMessage);
}

std::string FitTextToWidth(plat::Window dlg, int controlId, const std::string& text, int width) {
    const std::string head = text.substr(0, 255);
    const int fit = plat::FitCharacters(plat::GetControlFont(dlg, controlId), head, width);
    return head.substr(0, static_cast<std::size_t>(std::clamp(fit, 0, static_cast<int>(head.size()))));
}

}  // namespace pantrium

// The categories dialog: add, delete, rename and reorder the category names.
//
// Deletions, renames and additions go to the category list at once; a reorder
// stays in the dialog's list until "&Save". Every list entry remembers which
// category of the table it shows (entryCatg), so that "&Delete", "&Change" and
// "&Save" reach the category the user sees, even after an unsaved reorder.
#include "ui/dialogs/categories_dialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "data/categories.h"
#include "data/item_table.h"
#include "platform/window.h"
#include "ui/dialogs/list_refresh.h"
#include "ui/dialogs/message_box.h"
#include "ui/dialogs/unheld_text.h"

namespace pantrium {

namespace {

enum : int {
    kCatgCombo = 220, kAddButton = 221, kDeleteButton = 222, kChangeButton = 223,
    kSaveButton = 224, kMoveUp = 225, kMoveDown = 226,
};

// What the dialog knows of each category of the table, indexed like catgNames.
struct CategoryOrigin {
    bool added = false;       // appended while the dialog is open
    bool renamed = false;     // renamed while the dialog is open
    std::string openingName;  // its name when the dialog opened
};

// One use of the dialog.
struct CategoriesDialog {
    ListRefresh refreshList;  // redraws the owner's item list
    int selectedNumber = 0;   // 1-based list entry last selected, 0 = none
    // [0] unused, then 1..catgCount
    std::vector<CategoryOrigin> origins = std::vector<CategoryOrigin>(1);
    std::vector<int> entryCatg;  // list entry (0-based) -> category number in the table
    bool busy = false;           // a prompt or the input box is waiting
};

void RefillList(const CategoriesDialog& d, plat::Window dlg) {
    plat::ListReset(dlg, kCatgCombo);
    for (int k : d.entryCatg) plat::ListAdd(dlg, kCatgCombo, itemTable.catgNames[k]);
}

void InitCategories(CategoriesDialog& d, plat::Window dlg) {
    plat::SetAccessibleName(dlg, kCatgCombo, "Categories");  // no label stands before it
    plat::SetFocus(dlg, kCatgCombo);
    for (int k = 1; k <= itemTable.catgCount; ++k) {
        plat::ListAdd(dlg, kCatgCombo, itemTable.catgNames[k]);
        d.origins.push_back({false, false, itemTable.catgNames[k]});
        d.entryCatg.push_back(k);
    }
    plat::SetAccelerators(dlg, {{plat::kVkUp, true, kMoveUp}, {plat::kVkDown, true, kMoveDown}});
}

void AddCategory(CategoriesDialog& d, plat::Window dlg) {
    if (itemTable.catgCount >= kMaxCategories) {
        // An item keeps its category in one byte, so a 256th could never be used.
        d.busy = true;
        StandardPrompt("No more categories can be added.\r\nA list holds at most 255 categories.",
                       "Categories", 48);
        d.busy = false;
        plat::SetFocus(dlg, kCatgCombo);
        return;
    }
    d.busy = true;
    const bool mayStore = MayStoreTypedText(dlg, kCatgCombo, "category name", "Categories");
    d.busy = false;
    if (!mayStore) return;
    AppendCategory(plat::GetText(dlg, kCatgCombo));
    plat::ListAdd(dlg, kCatgCombo, itemTable.catgNames[itemTable.catgCount]);
    d.origins.push_back({true, false, ""});
    d.entryCatg.push_back(itemTable.catgCount);
    plat::SetText(dlg, kCatgCombo, "");
    plat::SetFocus(dlg, kCatgCombo);
}

void DeleteCategory(CategoriesDialog& d, plat::Window dlg) {
    const int entry = plat::ListGetSel(dlg, kCatgCombo);
    if (entry < 0 || entry >= static_cast<int>(d.entryCatg.size())) return;
    const int k = d.entryCatg[entry];
    d.busy = true;
    const int answer = StandardPrompt("Delete category now?", itemTable.catgNames[k], 52);
    d.busy = false;
    if (answer != 6) return;

    RemoveCategory(k);  // renumbers the items and re-sorts the main list
    PassPendingRefresh(d.refreshList);
    plat::ListDelete(dlg, kCatgCombo, entry);
    d.entryCatg.erase(d.entryCatg.begin() + entry);
    for (int& e : d.entryCatg)
        if (e > k) --e;
    d.origins.erase(d.origins.begin() + k);
    // The deleted entry was the selected one; nothing is selected now.
    plat::ListSetSel(dlg, kCatgCombo, -1);
    d.selectedNumber = 0;
}

void ChangeCategory(CategoriesDialog& d, plat::Window dlg) {
    const std::string text = plat::GetText(dlg, kCatgCombo);
    const int s = d.selectedNumber;
    if (s < 1 || s > static_cast<int>(d.entryCatg.size())) return;
    plat::ListSetSel(dlg, kCatgCombo, s - 1);

    d.busy = true;
    const std::string answer = InputBox("Category:  ", "Change Category", text);
    d.busy = false;
    if (answer.empty()) return;

    const int k = d.entryCatg[s - 1];
    RenameCategory(k, answer);
    d.origins[k].renamed = true;
    RefillList(d, dlg);  // in the order shown, so an unsaved reorder stays visible
    plat::ListSetSel(dlg, kCatgCombo, s - 1);
}

void MoveCategory(CategoriesDialog& d, plat::Window dlg, int step) {
    const int s = d.selectedNumber;
    const int count = static_cast<int>(d.entryCatg.size());
    if (s < 1 || s > count) return;
    const int t = s + step;
    if (t < 1 || t > count) return;
    plat::ListDelete(dlg, kCatgCombo, t - 1);
    plat::ListInsert(dlg, kCatgCombo, s - 1, itemTable.catgNames[d.entryCatg[t - 1]]);
    plat::ListSetSel(dlg, kCatgCombo, t - 1);
    std::swap(d.entryCatg[s - 1], d.entryCatg[t - 1]);
    d.selectedNumber = t;
}

// The shown order becomes the category order and every item follows its category.
void SaveCategories(CategoriesDialog& d, plat::Window dlg) {
    const int count = itemTable.catgCount;
    std::vector<int> newNumber(count + 1, 0);
    for (int e = 0; e < static_cast<int>(d.entryCatg.size()); ++e) newNumber[d.entryCatg[e]] = e + 1;

    // The names come from the table, not back from the list: a shown text may
    // not hold every byte of a name (one an earlier Linux version kept in UTF-8).
    const std::vector<std::string> names = itemTable.catgNames;
    for (int e = 0; e < static_cast<int>(d.entryCatg.size()); ++e) itemTable.catgNames[e + 1] = names[d.entryCatg[e]];

    for (int r = 1; r <= itemTable.itemCount; ++r) {
        std::uint8_t& catg = itemTable.records[r].catg;
        if (catg < 1 || catg > count) {
            catg = 0;
            continue;
        }
        int number = newNumber[catg];
        const CategoryOrigin& origin = d.origins[catg];
        if (!origin.added && !origin.renamed) {
            // A category untouched here is found by its name, ignoring case, so two
            // names that differ only in case end up as the first of them.
            const int found =
                plat::ListFindExact(dlg, kCatgCombo, -1, origin.openingName.substr(0, 63));
            if (found >= 0) number = found + 1;
        }
        // A list read from a foreign file may hold more names than an item can number.
        catg = static_cast<std::uint8_t>(number <= kMaxCategories ? number : 0);
    }
    itemTable.modified = true;
    d.refreshList(0);
    plat::EndDialog(dlg, 1);
}

// The close box drops the unsaved reorder, the additions and the renames; the
// deletions were confirmed one by one and have already renumbered the items, so
// they stay.
void RestoreCategories(const CategoriesDialog& d) {
    bool changed = false;
    std::vector<std::string> names(1);
    std::vector<int> newNumber(itemTable.catgCount + 1, 0);
    for (int k = 1; k <= itemTable.catgCount; ++k) {
        const CategoryOrigin& origin = d.origins[k];
        if (origin.added) {
            changed = true;
            continue;
        }
        changed = changed || origin.renamed;
        names.push_back(origin.openingName);
        newNumber[k] = static_cast<int>(names.size()) - 1;
    }
    if (!changed) return;
    for (int r = 1; r <= itemTable.itemCount; ++r) {
        std::uint8_t& catg = itemTable.records[r].catg;
        catg = catg <= itemTable.catgCount ? static_cast<std::uint8_t>(newNumber[catg]) : 0;
    }
    itemTable.catgCount = static_cast<int>(names.size()) - 1;
    itemTable.catgNames = names;
    d.refreshList(0);
}

int CategoriesCallback(CategoriesDialog& d, plat::Window dlg, const plat::Event& e) {
    switch (e.msg) {
    case plat::Msg::Init:
        InitCategories(d, dlg);
        return 1;  // the focus is set
    case plat::Msg::Close:
        if (d.busy) return 1;  // the dialog's own question is still waiting
        RestoreCategories(d);
        return 0;
    case plat::Msg::Command:
        // Escape closes the dialog as its close box does.
        if (e.id == 2 && !d.busy) {
            RestoreCategories(d);
            plat::EndDialog(dlg, 2);
            return 0;
        }
        break;
    default:
        return 0;
    }

    if (e.id == kCatgCombo) {
        const int entry = plat::ListGetSel(dlg, kCatgCombo);
        if (entry >= 0) d.selectedNumber = entry + 1;
        return 0;
    }
    if (d.busy) return 0;  // no second action while a prompt of this dialog waits
    switch (e.id) {
    case 1:  // Enter while no push button has the focus
    case kAddButton:
        AddCategory(d, dlg);
        break;
    case kDeleteButton:
        DeleteCategory(d, dlg);
        break;
    case kChangeButton:
        ChangeCategory(d, dlg);
        break;
    case kSaveButton:
        plat::SetDefaultButton(dlg, kSaveButton, false);
        SaveCategories(d, dlg);
        return 0;
    case kMoveUp:
        MoveCategory(d, dlg, -1);
        break;
    case kMoveDown:
        MoveCategory(d, dlg, +1);
        break;
    default:
        break;
    }
    if (e.id >= kAddButton && e.id <= kSaveButton) plat::SetDefaultButton(dlg, e.id, false);
    return 0;
}

}  // namespace

void ShowCategoriesDialog(plat::Window owner, const ListRefresh& refreshList) {
    using namespace plat;
    DialogSpec spec;
    spec.caption = "Categories";
    spec.width = 240;
    spec.height = 190;
    spec.owner = owner;
    spec.controls = {
        {kCatgCombo, Kind::SimpleCombo, "", {90, 20, 140, 135}, kVScroll | kTabStop},
        {kAddButton, Kind::Button, "&Add", {10, 20, 60, 30}, kTabStop},
        {kDeleteButton, Kind::Button, "&Delete", {10, 55, 60, 30}, kTabStop},
        {kChangeButton, Kind::Button, "&Change", {10, 90, 60, 30}, kTabStop},
        {kSaveButton, Kind::Button, "&Save", {10, 125, 60, 30}, kTabStop},
        {-1, Kind::Label, "Shft + Up/Down to reorder catgs", {90, 160, 140, 12}, 0},
    };
    CategoriesDialog d;
    d.refreshList = refreshList;
    RunDialog(spec, [&d](Window dlg, const Event& e) { return CategoriesCallback(d, dlg, e); });
}

}  // namespace pantrium

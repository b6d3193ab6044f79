// The item editor: one dialog for a new item and for changing an existing one.
#include "ui/dialogs/item_editor.h"

#include <string>

#include "data/item_table.h"
#include "data/number_text.h"
#include "platform/window.h"
#include "ui/dialogs/list_refresh.h"
#include "ui/dialogs/unheld_text.h"
#include "ui/main/main_window.h"

namespace pantrium {

namespace {

enum : int {
    kNameBox = 201, kUnitBox = 202, kPriceBox = 203, kCategoryList = 204, kSpecialBox = 205,
};
constexpr int kFitWidth = 132;  // names wider than this are cut before storing

// One use of the dialog.
struct ItemEditor {
    int row = 0;  // the row changed, 0 for a new item
    ListRefresh refreshList;
    bool endedWithOk = false;
    // Carried from the edited record into the stored item.
    bool carriedToBuy = false;
    float carriedUnits = 0;
    bool carriedSpecial = false;
    bool asking = false;  // the question about text the list file cannot hold waits
};

plat::DialogSpec EditorSpec(plat::Window owner) {
    using namespace plat;
    DialogSpec spec;
    spec.caption = "Add Item";
    spec.width = 240;
    spec.height = 220;
    spec.owner = owner;
    const unsigned edit = kTabStop | kClientEdge | kAutoHScroll;
    spec.controls = {
        // Each label comes just before its field, which it names for a screen
        // reader; labels take no focus, so the tab order stays the fields' order.
        {-1, Kind::Label, "Grocery item:", {10, 10, 70, 15}, 0},
        {kNameBox, Kind::Edit, "", {85, 10, 130, 20}, edit},
        {-1, Kind::Label, "Unit Descr:", {10, 35, 70, 15}, 0},
        {kUnitBox, Kind::Edit, "", {85, 35, 130, 20}, edit},
        {-1, Kind::Label, "Category:", {10, 60, 70, 15}, 0},
        {kCategoryList, Kind::DropList, "", {85, 60, 100, 100}, kVScroll | kTabStop},
        {-1, Kind::Label, "Price/unit:", {10, 85, 70, 15}, 0},
        {kPriceBox, Kind::Edit, "", {85, 85, 80, 20}, edit},
        {kSpecialBox, Kind::CheckBox, "Special one time buy - no history kept", {10, 120, 200, 20},
         kTabStop},
        {1, Kind::Button, "&Ok", {90, 170, 60, 30}, kTabStop | kDefault},
        {2, Kind::Button, "&Cancel", {160, 170, 60, 30}, kTabStop},
    };
    return spec;
}

void InitEditor(ItemEditor& ed, plat::Window dlg) {
    plat::LimitText(dlg, kNameBox, kTextField);
    plat::LimitText(dlg, kUnitBox, kTextField);

    if (itemTable.catgCount > 0) {
        plat::ListReset(dlg, kCategoryList);
        for (int i = 1; i <= itemTable.catgCount; ++i)
            plat::ListAdd(dlg, kCategoryList, itemTable.catgNames[i]);
    }

    if (ed.row == 0) return;  // a new item starts empty

    const ItemRecord& rec = itemTable.RecordOfRow(ed.row);
    plat::SetCaption(dlg, "Change Item");
    plat::SetText(dlg, kNameBox, TrimmedField(rec.itemName));
    plat::SetText(dlg, kUnitBox, TrimmedField(rec.unitDescr));
    ed.carriedToBuy = rec.toBuy();
    ed.carriedUnits = static_cast<float>(RoundHalfEven(ToAmount(rec.unitsToBuy)));
    ed.carriedSpecial = rec.specialBuy();

    // An item without a category (or with a number past the list) selects nothing,
    // so that saving it again cannot put it into a category by accident.
    // The first entry of the same name is chosen (so an item of a second category
    // of that name shows the first); a name too long for the search shows its own.
    if (rec.catg >= 1 && rec.catg <= itemTable.catgCount) {
        const std::string name = itemTable.catgNames[rec.catg].substr(0, 31);
        const int found = plat::ListFindExact(dlg, kCategoryList, -1, name);
        plat::ListSetSel(dlg, kCategoryList, found >= 0 ? found : rec.catg - 1);
    }
    const float price = ToAmount(rec.pricePerUnit);
    plat::SetText(dlg, kPriceBox, price == 0 ? "" : PlainNumber(price));
    plat::SetCheck(dlg, kSpecialBox, rec.specialBuy());
}

// Whether the typed name and unit description may be stored as the list file
// holds them; false leaves the dialog open at the text to change.
bool TypedTextsMayBeStored(ItemEditor& ed, plat::Window dlg) {
    const std::string caption = ed.row == 0 ? "Add Item" : "Change Item";
    ed.asking = true;
    const bool ok = MayStoreTypedText(dlg, kNameBox, "item name", caption) &&
                    MayStoreTypedText(dlg, kUnitBox, "unit description", caption);
    ed.asking = false;
    return ok;
}

void StoreItem(ItemEditor& ed, plat::Window dlg) {
    std::string name = plat::GetText(dlg, kNameBox);
    if (!name.empty() && !TypedTextsMayBeStored(ed, dlg)) return;
    if (!name.empty()) {  // an empty name changes nothing; blanks count as a name
        std::string unit = plat::GetText(dlg, kUnitBox);
        const std::string price = plat::GetText(dlg, kPriceBox);
        name = FitTextToWidth(dlg, kNameBox, name, kFitWidth);
        unit = FitTextToWidth(dlg, kUnitBox, unit, kFitWidth);
        const int catg = plat::ListGetSel(dlg, kCategoryList) + 1;  // 0 when none is selected
        if (ed.row == 0)
            AddItem(name, unit, price, catg, ed.carriedSpecial, ed.carriedToBuy, ed.carriedUnits);
        else
            ChangeItem(ed.row, name, unit, price, catg, ed.carriedSpecial, ed.carriedToBuy,
                       ed.carriedUnits);
        PassPendingRefresh(ed.refreshList);
    }
    // Either way the caller keeps the release of an Enter that gave the Ok
    // from toggling a row of its list.
    ed.endedWithOk = true;
    plat::EndDialog(dlg, 1);
}

int EditorCallback(ItemEditor& ed, plat::Window dlg, const plat::Event& e) {
    switch (e.msg) {
    case plat::Msg::Init:
        InitEditor(ed, dlg);
        return 0;
    case plat::Msg::Close:
        return ed.asking ? 1 : 0;  // the dialog's own question is still waiting
    case plat::Msg::Command:
        if (ed.asking && (e.id == 1 || e.id == 2)) return 0;
        if (e.id == kSpecialBox && e.code == plat::Code::Clicked) {
            plat::SetFocus(dlg, kNameBox);
            ed.carriedSpecial = plat::GetCheck(dlg, kSpecialBox);
        } else if (e.id == 1) {
            StoreItem(ed, dlg);
        } else if (e.id == 2) {
            plat::EndDialog(dlg, 2);
        }
        return 0;
    default:
        return 0;
    }
}

}  // namespace

bool ShowItemEditor(plat::Window owner, int row, const ListRefresh& refreshList) {
    if (row < 0 || row > itemTable.itemCount) return false;  // no such row: nothing to edit
    ItemEditor ed;
    ed.row = row;
    ed.refreshList = refreshList;
    plat::RunDialog(EditorSpec(owner), [&ed](plat::Window dlg, const plat::Event& e) {
        return EditorCallback(ed, dlg, e);
    });
    return ed.endedWithOk;
}

}  // namespace pantrium

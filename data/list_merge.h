// Merging two versions of one shopping list, item by item: the list as it
// was loaded or last saved (base), the table in memory (mine) and the list
// file as another program left it (theirs). Standard library only; the
// tables are values, the global table is not touched (TakeMergedList puts a
// result into it).
//
// Items are matched by category name and item name; among items of one
// category and name the unit description tells them apart. Per item:
//  - a change on one side only is taken; changes on both sides to different
//    fields are both taken;
//  - the same field changed on both sides to different values is a conflict:
//    mine wins, and the conflict is reported;
//  - an item added on either side is kept (added on both sides under the
//    same category and name: one item, whose differing fields, the unit
//    description included, are conflicts);
//  - deleted on one side: deleted when the other side left it as it was,
//    kept with the other side's change otherwise;
//  - the buying history never conflicts: purchases recorded on either side
//    are all kept (see MergeHistories).
// Categories are matched by name and merged the same way; every item's
// category number is remapped to the merged category list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "item_record.h"
#include "item_table.h"

namespace pantrium {

// The parts of an item that merge one by one. The category and the item name
// identify the item and are never a field of a conflict, except Category:
// the merged list had more categories than an item can refer to.
enum class MergeField : std::uint8_t {
    UnitDescription,
    Price,
    UnitsToBuy,   // the buy mark, the auto mark and the units to buy, as one
    SpecialBuy,
    OtherMarks,   // flag bits 3-7
    Category,
};
// The field as the user knows it: "unit description", "price", ...
const char* MergeFieldName(MergeField field);

struct MergeConflict {
    std::string category;   // trimmed, as the list shows them
    std::string itemName;
    std::string unitDescr;
    MergeField field;
};

struct MergeOutcome {
    ItemTable merged;                      // records, rowOrder, categories; nothing else is set
    std::vector<MergeConflict> conflicts;  // in the merged list's row order
    bool tookTheirs = false;               // the merged list differs from mine
};

// Three-way merge. Mine's record order and row order are kept for its items;
// items that only theirs holds follow its records, and take their rows where
// their sort key fits in mine's order. A merge with nothing changed on the
// other side gives mine exactly.
MergeOutcome MergeLists(const ItemTable& base, const ItemTable& mine, const ItemTable& theirs);
// Two-way merge (no common version known): every difference is an addition
// or a conflict, which mine wins.
MergeOutcome MergeListsWithoutBase(const ItemTable& mine, const ItemTable& theirs);

// Buying histories of one item changed on both sides: the purchases of base
// that both sides still hold stay first, in their order; then the purchases
// that either side recorded since, by date (mine first on one date; one
// recorded alike on both sides counts once); the last five are kept, as a
// checkout keeps them. base null: no common version.
void MergeHistories(const ItemRecord* base, const ItemRecord& mine, const ItemRecord& theirs,
                    ItemRecord& out);

// Puts a merged list into table (records, rows, categories), sets modified
// and asks for a redraw of every row. When the merge took anything from
// theirs, a checkout taken before can no longer be undone (its snapshot
// would silently drop those changes).
void TakeMergedList(ItemTable& table, MergeOutcome&& outcome);

}  // namespace pantrium

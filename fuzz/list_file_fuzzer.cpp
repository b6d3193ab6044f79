// libFuzzer target: any bytes as a list file, then everything the core does
// with a loaded table. Built by scripts/fuzz.sh.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/auto_list.h"
#include "data/categories.h"
#include "data/checkout.h"
#include "data/dates.h"
#include "data/item_table.h"
#include "data/list_file.h"
#include "data/number_text.h"

using namespace pantrium;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// What every load must leave, whatever the bytes were. Deleting items or
// categories may leave spare capacity (exact = false).
bool Fits(std::size_t size, int count, bool exact) {
    std::size_t needed = static_cast<std::size_t>(count) + 1;
    return exact ? size == needed : size >= needed;
}

void CheckTable(bool exact) {
    const int n = itemTable.itemCount;
    Check(n >= 0 && Fits(itemTable.records.size(), n, exact) &&
          Fits(itemTable.rowOrder.size(), n, exact));
    Check(itemTable.catgCount >= 0 && Fits(itemTable.catgNames.size(), itemTable.catgCount, exact));
    std::vector<bool> seen(static_cast<std::size_t>(n) + 1);
    for (int r = 1; r <= n; ++r) {
        int k = itemTable.rowOrder[r];
        Check(k >= 1 && k <= n && !seen[k]);
        seen[k] = true;
        Check(itemTable.records[k].catg <= itemTable.catgCount);
    }
}

void TextHelpers(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size < 40 ? size : 40);
    double v = TextToNumber(text);
    NumberToText(v);
    NumberToText(static_cast<float>(v));
    MoneyMask(v);
    ShortNumber(static_cast<float>(v));
    std::string date = text;
    if (NormalizeDateText(date)) {
        Check(date.size() == 8);
        Check(FormatPackedDate(PackDate(date)) == date);
        DayNumber(date);
    }
    FirstSettingsField(text);
    ToLowerAnsi(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TextHelpers(data, size);

    const std::vector<std::uint8_t> bytes(data, data + size);
    Check(LoadFromBytes(bytes) == LoadResult::Loaded);
    CheckTable(true);
    const std::vector<std::uint8_t> saved = ListFileBytes();
    Check(saved.size() == 21 + 84 * static_cast<std::size_t>(itemTable.itemCount) +
                              20 * static_cast<std::size_t>(itemTable.catgCount));
    // A loaded table saves and loads back unchanged.
    Check(LoadFromBytes(saved) == LoadResult::Loaded);
    Check(ListFileBytes() == saved);

    // The operations on the loaded table must stay sound too.
    for (int r = 1; r <= itemTable.itemCount; ++r) {
        LastBuyText(itemTable.RecordOfRow(r));
        SortKey(itemTable.RecordOfRow(r));
    }
    todayOverride = "06-15-2024";
    RunAutoList();
    SortRows(1);
    int toBuy = 0;
    for (int k = 1; k <= itemTable.itemCount; ++k) toBuy += itemTable.records[k].toBuy();
    TakeCheckoutSnapshot();
    ApplyCheckout(PackDate("06-15-24"), size % 2 == 1, toBuy,
                  [&](int k) { return static_cast<float>(k % 3) - 1; });
    CheckTable(false);
    if (itemTable.catgCount > 0) RemoveCategory(1);
    if (itemTable.itemCount > 0) DeleteRow(1, true);
    Check(UndoCheckout());
    CheckTable(false);
    return 0;
}

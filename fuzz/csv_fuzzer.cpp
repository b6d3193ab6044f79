// libFuzzer target: any bytes as a CSV file to import. Reading them, planning
// and merging them into a list must hold up, and what was merged must export
// and import back as the same table. Built by scripts/fuzz.sh csv.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "data/csv_table.h"
#include "data/item_table.h"

using namespace pantrium;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool SameAmount(float a, float b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

// The columns the file can carry, compared row by row; NaN as NaN.
bool SameItem(const ItemTable& t, const ItemRecord& a, const ItemTable& u, const ItemRecord& b) {
    bool same = t.catgNames[a.catg] == u.catgNames[b.catg] && std::memcmp(a.itemName, b.itemName, kTextField) == 0 &&
                std::memcmp(a.unitDescr, b.unitDescr, kTextField) == 0 &&
                SameAmount(a.pricePerUnit, b.pricePerUnit) && SameAmount(a.unitsToBuy, b.unitsToBuy) &&
                a.flags == b.flags;
    for (int slot = 0; slot < kHistorySlots; ++slot)
        same = same && a.buyDate[slot] == b.buyDate[slot] && SameAmount(a.buyUnits[slot], b.buyUnits[slot]);
    return same;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CsvTextCoding coding = SameBytesCoding();
    const CsvFile file = ParseCsv(std::string_view(reinterpret_cast<const char*>(data), size), coding);
    Check(file.problem.empty() || file.items.empty());

    ItemTable table;
    const CsvImportCounts plan = PlanCsvImport(table, file);
    const CsvImportCounts counts = ApplyCsvImport(table, file);
    Check(plan.added == counts.added && plan.changed == counts.changed && plan.skipped.size() == counts.skipped.size());
    Check(counts.added + counts.unchanged + counts.changed + static_cast<int>(counts.skipped.size()) ==
          static_cast<int>(file.items.size() + file.skipped.size()));
    Check(table.itemCount == counts.added && table.catgCount == counts.newCategories);
    Check(static_cast<int>(table.rowOrder.size()) == table.itemCount + 1);

    // The merged table, exported and imported into an empty list, comes back whole.
    const CsvFile again = ParseCsv(TableToCsv(table, coding), coding);
    Check(again.problem.empty() && again.skipped.empty());
    ItemTable copy;
    ApplyCsvImport(copy, again);
    Check(copy.itemCount == table.itemCount);
    for (int r = 1; r <= table.itemCount; ++r) Check(SameItem(table, table.RecordOfRow(r), copy, copy.RecordOfRow(r)));
    return 0;
}

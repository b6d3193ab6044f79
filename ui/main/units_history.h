#pragma once
#include <string>

namespace pantrium {

// The report text of a record's purchases (lines end in CR LF).
std::string UnitsHistoryText(int recordIndex);
// Shows the units history of the selected row in MessageBoxEx; nothing on an empty list.
void ShowUnitsHistory();

}  // namespace pantrium

#pragma once
#include <string>

#include "ui/main/main_window_state.h"

namespace pantrium {

// The report text of a record's purchases (lines end in CR LF).
std::string UnitsHistoryText(int recordIndex);
// Shows the units history of the selected row in MessageBoxEx; nothing on an empty list.
void ShowUnitsHistory(const MainWindowState& ui);

}  // namespace pantrium

#pragma once
#include <string>

#include "data/auto_list.h"
#include "ui/main/main_window_state.h"

namespace pantrium {

// The report text of a record's purchases (lines end in CR LF), ending with
// what the auto list makes of the item.
std::string UnitsHistoryText(int recordIndex);
// The auto list's reasoning for a record in words, wrapped into short lines
// that end in CR LF.
std::string AutoListReasoningText(const ItemRecord& rec, const AutoListReasoning& reasoning);
// Shows the units history of the selected row in MessageBoxEx; nothing on an empty list.
void ShowUnitsHistory(const MainWindowState& ui);

}  // namespace pantrium

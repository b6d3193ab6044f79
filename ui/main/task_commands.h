// Commands of the main window that start a task: the four buttons and the
// task items of the menus (121-124, 305, 311, 312, 317, 321-325, 332).
#pragma once

#include "ui/main/main_window_state.h"

namespace pantrium {

bool IsTaskCommand(int id);
// Runs the task for command id; returns 0 to the main window's callback.
int HandleTaskCommand(MainWindowState& ui, int id);

}  // namespace pantrium

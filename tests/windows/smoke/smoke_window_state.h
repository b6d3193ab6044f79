// The state of the main window the smoke test runs, shared with the driver
// thread, which finds the window there.
#pragma once

#include "ui/main/main_window_state.h"

namespace smoke {

// The first two runs share it, as the flags the first run leaves set would
// stay in one run of the program; the keys run starts from a fresh one.
extern pantrium::MainWindowState mainState;

}  // namespace smoke

// A run of the main window that resizes it as a user does: the sizing
// border stops at the window's first size, the maximise box makes the item
// list take the new room while the units box, the help text and the buttons
// keep their distance to the bottom edge, and restoring puts every control
// back where it stood. At any DPI: the distances are display pixels.
#pragma once
#include <windows.h>

namespace smoke {

DWORD WINAPI DriveResizeRun(LPVOID);

}  // namespace smoke

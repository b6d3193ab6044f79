// A third run of the main window on a list of one item, 3 units at 0.335:
// the row and the status line show the double-precision product, 1.01; the
// printed list the single-precision product, 1.00 (scripts/wine/wine-smoke.sh
// reads the printed file). The 32-bit program must agree with the 64-bit one,
// which an x87 product kept in extended precision would not.
#pragma once
#include <windows.h>

namespace smoke {

bool WriteCostStartFiles();
DWORD WINAPI DriveCostRun(LPVOID);

}  // namespace smoke

// A third run of the main window on a list of one item, 3 units at 0.335:
// the printed list shows the single-precision product, 1.00
// (scripts/wine/wine-smoke.sh reads the printed file); the row and the status
// line show the double-precision 1.01 (checked by the UI tests on the Win32
// layer, 64- and 32-bit). The 32-bit program must agree with the 64-bit one,
// which an x87 product kept in extended precision would not.
#pragma once
#include <windows.h>

namespace smoke {

bool WriteCostStartFiles();
DWORD WINAPI DriveCostRun(LPVOID);

}  // namespace smoke

// The scenario of the Wine smoke test, in two runs of the main window: the
// first starts with a prepared list, checks items, types units, saves, adds
// an item, opens the categories dialog, prints, checks out and undoes it, and
// ends through the close prompt with a save; the second starts again from
// the saved file and ends with Escape.
#pragma once
#include <windows.h>

namespace smoke {

bool WriteStartFiles();
DWORD WINAPI DriveFirstRun(LPVOID);
void CheckAfterFirstRun();
DWORD WINAPI DriveSecondRun(LPVOID);

}  // namespace smoke

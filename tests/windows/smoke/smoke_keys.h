// The keyboard and mouse run of the Wine smoke test: real key strokes and
// mouse clicks (SendInput) on a list of four items, three of them checked.
// The Enter that answers a prompt or closes a dialog must not toggle a row, a
// double-click below the last row must not toggle the selected one, and
// Escape asks before it drops changes.
#pragma once
#include <windows.h>

namespace smoke {

bool WriteKeysFiles();
DWORD WINAPI DriveKeysRun(LPVOID);
void CheckAfterKeysRun();

}  // namespace smoke

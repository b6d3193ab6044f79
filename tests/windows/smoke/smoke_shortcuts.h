// The shortcut keys of the Wine smoke test, typed with real key strokes
// (SendInput): F2 opens the item editor, Delete asks before it removes the
// selected item (and is the units box's own there), Ctrl+S saves after its
// question.
#pragma once
#include <windows.h>

namespace smoke {

using PhaseRunner = void (*)(LPTHREAD_START_ROUTINE);

// Writes its list and settings file, runs the main window with runPhase while
// the keys are typed, then checks the saved list.
void RunShortcutsCase(PhaseRunner runPhase);

}  // namespace smoke

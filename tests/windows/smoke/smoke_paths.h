// The path part of the Wine smoke test: lists in folders and under names in
// other languages ("Einkäufe", "list – week", "покупки", "買い物"), started
// through pantrium.ini (ANSI, or UTF-8 with a byte-order mark) and through
// "my Pantrium.ptm", opened, saved, saved under a new name and printed to
// PDF; grocery.ini's bytes, the help path handed to the help viewer, the file
// dialogs' starting folder and proposed name, the caption, and the prompt
// naming a list that cannot be opened.
#pragma once
#include <windows.h>

#include <string>

namespace smoke {

using PhaseRunner = void (*)(LPTHREAD_START_ROUTINE);

// Loads the stand-in help viewer that records what the window asks for;
// false when it cannot be loaded.
bool LoadHelpRecorder();

// Runs every path case, each in a folder of its own below the current
// directory, with runPhase running the main window while a driver works it.
void RunPathCases(PhaseRunner runPhase);

}  // namespace smoke

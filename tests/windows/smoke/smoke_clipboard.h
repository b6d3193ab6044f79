// A run of the main window on a list with ANSI names ("Käse", "Stück"): the
// shopping list copied with "&Copy list" and with Ctrl+C (real input) is read
// back from the clipboard with the Windows API, as Unicode text and as the
// registered "text/markdown" format (UTF-8).
#pragma once
#include "smoke_paths.h"

namespace smoke {

// Runs the case in a folder of its own below the current directory.
void RunClipboardCase(PhaseRunner runPhase);

}  // namespace smoke

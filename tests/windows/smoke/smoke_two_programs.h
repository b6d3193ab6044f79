// Two real programs on one list file: this process runs program A (its main
// window, as the other runs do) and starts pantrium.exe from beside the smoke
// program as program B, in the same folder on the same list. Both are driven
// through window messages: A adds an item while B checks another and types
// its units, A saves, then B saves (the file holds both changes); A, whose
// table has no changes of its own, shows B's save once it is activated again,
// without asking anything; B ends through its close box and its prompt.
#pragma once

#include "smoke_paths.h"

namespace smoke {

// Runs the case in a folder of its own below the current directory.
void RunTwoPrograms(PhaseRunner runPhase);

}  // namespace smoke

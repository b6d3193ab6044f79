// The Win32 driver's side of layer_records.h (win32_records.cpp): the hooks
// that watch the dialogs and pop-up menus the program runs, and the stand-ins
// for the system calls the tests read back (beeps, the shell, fonts).
#pragma once
#include <string>
#include <vector>

#include "platform/window.h"

namespace drivers::win32 {

// Forgets every record and answer; installs the hooks on first use.
void ResetRecords();
// The next pop-up menu: item id chosen, 0 dismisses it.
void AnswerNextPopup(int id);
// A pop-up menu tracks in its own loop: no step of a script runs meanwhile.
// A control's own menu, which tells nobody, is closed with Escape here.
bool PopupTracking();
// The file dialogs' requests as the program passed them, in order.
const std::vector<plat::FileDialogRequest>& FileDialogRequests();
// Unscripted pop-up menus and answers left unused since the last call.
std::vector<std::string> TakePopupFailures();

}  // namespace drivers::win32

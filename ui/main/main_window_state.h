// What the main window keeps while it runs. The one who runs the window owns
// it (RunMainWindow, or a test that looks into it) and the window's files get
// it passed; a new run starts from a fresh one.
#pragma once
#include <string>

#include "platform/window.h"

namespace pantrium {

struct MainWindowState {
    plat::Window mainWindow = 0;      // 0 while no main window exists
    plat::Menu mainMenuBar = 0;       // the menu bar of the main window
    plat::Menu contextMenu = 0;       // the right-click pop-up menu
    int unitsEditArmed = 0;           // 1 typing applies, 0 / -1 program writes the box
    bool unitsBoxInUse = false;
    bool ignoreEnterRelease = false;  // set after a dialog closed with Enter
    bool enterPressedInList = false;  // the item list got an Enter press not yet released
    // The last attempt to write the list failed; the close flow then keeps
    // the window open so that the changes are not lost.
    bool saveFailed = false;
    std::string helpPath;       // the help file of the start-up folder
    std::string programFolder;  // where the program lies (its help file may lie beside it); empty: unknown
    // How deep the window's callback runs: an activation that arrives while
    // a command waits for a dialog or a prompt leaves the table alone.
    int callbackDepth = 0;
};

}  // namespace pantrium

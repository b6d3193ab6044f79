// The help pages on Qt: in the desktop's browser, else in a help window of
// the program's own.
#pragma once
#include <QString>

namespace plat::qt {

// The help window's object name (one window at a time; shown again, it comes to the front).
inline constexpr const char* kHelpWindowName = "pantrium-help";

// Opens the page (an HTML file) in the desktop's browser; where the desktop
// cannot open it, in the help window.
void OpenHelpPage(const QString& page);

// Shows the page in the help window: a browser of the help pages with Back,
// Forward and Contents (the page it was opened at); Escape closes it.
void ShowHelpWindow(const QString& page);

}  // namespace plat::qt

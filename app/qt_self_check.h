// A check of an installed pantrium-qt, used by the package test: with the
// environment variable PANTRIUM_SELF_CHECK naming a report file, the program
// starts as usual and then, from inside its main window, looks at what the
// installation gave it: the window's icon, the help pages (Help opens them
// in the help window where there is no browser, as under Qt's offscreen
// platform), and saving the list (its questions are answered Yes); then it
// exits. The report has one line per finding; a "FAIL: " line for each fault.
#pragma once
#include <QString>

namespace pantrium {

void StartSelfCheck(const QString& reportPath);

}  // namespace pantrium

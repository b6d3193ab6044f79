// Whether the faces the program asks for are Wine's own. Without Wine's fonts
// in the prefix another face stands in for "MS Sans Serif" and Marlett
// without any error: texts wrap or are cut, and the caption buttons, which
// Wine draws with Marlett, show letters. The Wine tests report these faults.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace fontguard {

// How the dialog font (a dialog's WM_GETFONT: "MS Sans Serif" 8 point)
// differs from Wine's bitmap "MS Sans Serif" at that size on a 96-dpi
// screen; one text per difference, none when it is that font.
std::vector<std::string> DialogFontFaults(HFONT dialogFont);

// How the face Wine draws the caption buttons with differs from Marlett.
std::vector<std::string> MarlettFaults();

}  // namespace fontguard

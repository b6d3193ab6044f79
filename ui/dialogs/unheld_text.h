// Typed text the list file cannot hold: the list file keeps names in the ANSI
// code page, so a character it lacks would be stored as "?". Before a dialog
// stores a typed name it asks here, and nothing is replaced without a word.
#pragma once
#include <string>
#include <vector>

#include "platform/window.h"

namespace pantrium {

// The question's text for the characters of `what` ("item name") that the
// list file cannot hold: each with its Unicode number, since many look like
// letters it can hold.
std::string UnheldTextQuestion(const std::string& what, const std::vector<std::string>& characters);

// True when the text of edit field id may be stored: the list file can hold
// all of it, or the user chose to store it with "?" in place of the
// characters named. False when the user chose to change it: the focus is then
// back in the field with its text selected.
bool MayStoreTypedText(plat::Window dlg, int id, const std::string& what, const std::string& caption);

}  // namespace pantrium

// Typed text the list file cannot hold: the question before storing it.
#include "ui/dialogs/unheld_text.h"

#include <cstdio>

#include "ui/dialogs/message_box.h"

namespace pantrium {

namespace {

constexpr int kYesNoExclamationNoFirst = 4 | 48 | 256;  // MB_YESNO, MB_ICONEXCLAMATION, MB_DEFBUTTON2

// "U+0425" for one UTF-8 character.
std::string UnicodeNumber(const std::string& utf8) {
    if (utf8.empty()) return "";
    const auto byte = [&utf8](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    unsigned long cp = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length && i < utf8.size(); ++i) cp = (cp << 6) | (byte(i) & 0x3Fu);
    char number[16];
    std::snprintf(number, sizeof number, "U+%04lX", cp);
    return number;
}

}  // namespace

std::string UnheldTextQuestion(const std::string& what, const std::vector<std::string>& characters) {
    std::string list;
    for (const std::string& c : characters) list += (list.empty() ? "" : ", ") + c + " (" + UnicodeNumber(c) + ")";
    return "The list file cannot hold these characters of the " + what + ":\r\n" + list + "\r\n\r\n" +
           "Store the " + what + " with \"?\" in their place?\r\n" + "Choose No to change the text.";
}

bool MayStoreTypedText(plat::Window dlg, int id, const std::string& what, const std::string& caption) {
    const std::vector<std::string> lost = plat::CharactersLostInAnsi(dlg, id);
    if (lost.empty()) return true;
    if (StandardPrompt(UnheldTextQuestion(what, lost), caption, kYesNoExclamationNoFirst) == 6) return true;
    plat::SetFocus(dlg, id);
    plat::SelectAllText(dlg, id);
    return false;
}

}  // namespace pantrium

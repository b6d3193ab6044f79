// What only the headless layer shows of typed text: its edit fields hold
// Windows-1252, so the UI tests meet the characters a Windows list file
// cannot hold on Linux too.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "headless";

CONFORMANCE_CASE(kSection, "typed text is held as Windows-1252, \"?\" for what it lacks") {
    RunShown(MainSpec(), [](Window dlg) {
        SetFocus(dlg, kEdit);
        SetText(dlg, kEdit, "");
        // "Brötchen € – Хлеб": o umlaut, euro sign and en dash are in 1252 (0xF6, 0x80, 0x96).
        User().Type(dlg, "Br\xC3\xB6tchen \xE2\x82\xAC \xE2\x80\x93 \xD0\xA5\xD0\xBB\xD0\xB5\xD0\xB1");
        WaitFor([dlg] { return GetText(dlg, kEdit).size() == 17; });
        CheckEq(GetText(dlg, kEdit), std::string("Br\xF6tchen \x80 \x96 ????"), "held as 1252 bytes");
        CheckEq(CharactersLostInAnsi(dlg, kEdit),
                std::vector<std::string>({"\xD0\xA5", "\xD0\xBB", "\xD0\xB5", "\xD0\xB1"}), "the Cyrillic named");
        // A selection typed over drops what it held.
        SelectAllText(dlg, kEdit);
        User().Type(dlg, "\xC3\xA4\xD0\xB1");
        WaitFor([dlg] { return GetText(dlg, kEdit).size() == 2; });
        CheckEq(GetText(dlg, kEdit), std::string("\xE4?"), "typed over the whole text");
        CheckEq(CharactersLostInAnsi(dlg, kEdit), std::vector<std::string>({"\xD0\xB1"}), "only what is left");
        User().Type(dlg, "\xE4");
        WaitFor([dlg] { return GetText(dlg, kEdit).size() == 3; });
        CheckEq(GetText(dlg, kEdit), std::string("\xE4?\xE4"), "a byte that starts no UTF-8 character is that byte");
    });
}

}  // namespace
}  // namespace window

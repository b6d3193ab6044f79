// window.h's text the list file cannot hold (CharactersLostInAnsi) and the
// clipboard (SetClipboardText, ClipboardText, ClipboardMarkdown).
#include <algorithm>

#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "text and clipboard";

// "Brot Хлебб." typed: the Cyrillic letters (one twice) only some ANSI code pages hold.
const std::string kTyped = "Brot \xD0\xA5\xD0\xBB\xD0\xB5\xD0\xB1\xD0\xB1.";

int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

CONFORMANCE_CASE(kSection, "an edit field names the typed characters its ANSI text holds as \"?\"") {
    RunShown(MainSpec(), [](Window dlg) {
        SetFocus(dlg, kEdit);
        SetText(dlg, kEdit, "");
        User().Type(dlg, kTyped);
        WaitFor([dlg] { const std::string t = GetText(dlg, kEdit); return !t.empty() && t.back() == '.'; });
        const std::string held = GetText(dlg, kEdit);
        const std::vector<std::string> lost = CharactersLostInAnsi(dlg, kEdit);
        if (lost.empty()) {
            Info("this layer's ANSI text holds Cyrillic");
            CheckEq(held, kTyped, "nothing named: the text is held as typed");
        } else {
            int replaced = 0;
            for (const std::string& c : lost) {
                Check(kTyped.find(c) != std::string::npos, "a named character was typed");
                CheckEq(static_cast<int>(std::count(lost.begin(), lost.end(), c)), 1, "named once");
                replaced += Occurrences(kTyped, c);
            }
            CheckEq(static_cast<int>(std::count(held.begin(), held.end(), '?')), replaced,
                    "a \"?\" for each typed character named");
            Check(held.rfind("Brot ", 0) == 0, "the rest is held as typed");
        }
        // Deleting them leaves nothing to name; so does a text set from code.
        User().Type(dlg, "\b\b\b\b\b\b");
        WaitFor([dlg] { return GetText(dlg, kEdit) == "Brot "; });
        CheckEq(GetText(dlg, kEdit), std::string("Brot "), "backspaces deleted the typed letters");
        Check(CharactersLostInAnsi(dlg, kEdit).empty(), "nothing named once they are deleted");
        User().Type(dlg, "\xD0\xA5");
        WaitFor([dlg] { return GetText(dlg, kEdit).size() > 5; });
        SetText(dlg, kEdit, "plain");
        Check(CharactersLostInAnsi(dlg, kEdit).empty(), "nothing named after SetText");
        Check(CharactersLostInAnsi(dlg, kList).empty() && CharactersLostInAnsi(dlg, kLink).empty(),
              "a list or a label names nothing");
        CheckDriver();
    });
}

CONFORMANCE_CASE(kSection, "a simple combo's edit field names them too") {
    RunShown(MainSpec(), [](Window dlg) {
        SetFocus(dlg, kCombo);
        User().Type(dlg, "\xD0\xA5\xD0\xA5.");
        WaitFor([dlg] { const std::string t = GetText(dlg, kCombo); return !t.empty() && t.back() == '.'; });
        const std::vector<std::string> lost = CharactersLostInAnsi(dlg, kCombo);
        if (lost.empty())
            CheckEq(GetText(dlg, kCombo), std::string("\xD0\xA5\xD0\xA5."), "held as typed");
        else
            Check(lost == std::vector<std::string>{"\xD0\xA5"} && GetText(dlg, kCombo) == "??.",
                  "the letter named once, held as \"??\"");
        CheckDriver();
    });
}

CONFORMANCE_CASE(kSection, "the clipboard takes both forms at once and gives them back") {
    RunShown(MainSpec(), [](Window dlg) {
        const std::string plain = "dairy\nMilk: 2 gallon, 7.00\n\nItems to buy: 1, total cost: 7.00\n";
        const std::string markdown = "## dairy\n- [ ] Milk: 2 gallon, 7.00\n\nItems to buy: 1, total cost: 7.00\n";
        Check(SetClipboardText(dlg, plain, markdown), "the clipboard is taken");
        CheckEq(ClipboardText(), plain, "the plain text comes back with its line ends");
        CheckEq(ClipboardMarkdown(), markdown, "the Markdown comes back");
        Check(SetClipboardText(dlg, "Tea\n", "- [ ] Tea\n"), "taken again");
        CheckEq(ClipboardText(), std::string("Tea\n"), "a second text replaces the first");
        CheckEq(ClipboardMarkdown(), std::string("- [ ] Tea\n"), "and its Markdown the first Markdown");
    });
}

}  // namespace
}  // namespace window

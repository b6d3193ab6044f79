// window.h's answers to a screen reader, read back through each layer's own
// accessibility interface: names from the label before a control or given
// by SetAccessibleName, list entries as their reader's words with check
// marks that follow a rewritten entry, status parts, and controls that cannot
// be seen offered to no one.
#include "window_suite.h"

namespace window {
namespace {

const char* const kSection = "accessibility";

enum : int { kPrice = 301, kRows = 302, kNamed = 303, kAfterButton = 304, kPlain = 305, kZero = 306 };

DialogSpec NamedSpec() {
    DialogSpec s;
    s.caption = "Names";
    s.width = 300;
    s.height = 220;
    s.controls = {
        {-1, Kind::Label, "  &Price:  ", {10, 10, 60, 15}, 0},
        {kPrice, Kind::Edit, "", {80, 10, 80, 20}, kTabStop | kClientEdge},
        {-1, Kind::Label, "Rows", {10, 40, 60, 15}, 0},
        {kRows, Kind::ListBox, "", {80, 40, 200, 60}, kTabStop | kVScroll | kUseTabStops | kNotify},
        {kNamed, Kind::SimpleCombo, "", {10, 110, 100, 60}, kTabStop | kVScroll},
        {1, Kind::Button, "&Ok && go", {120, 110, 70, 25}, kDefault},
        {kAfterButton, Kind::Edit, "", {200, 110, 80, 20}, kTabStop},
        {kPlain, Kind::ListBox, "", {120, 140, 100, 40}, kNotify},
        {kZero, Kind::Button, "", {0, 0, 0, 0}, 0},
        {kHiddenButton, Kind::Button, "Hidden", {230, 150, 60, 25}, kHidden},
        {kStatus, Kind::StatusBar, "", {}, 0},
    };
    return s;
}

CONFORMANCE_CASE(kSection, "a label names the control after it, SetAccessibleName any control") {
    RunShown(NamedSpec(), [](Window dlg) {
        CheckEq(AccessibleText(dlg, kPrice).words, "Price:", "the label before an edit names it, without \"&\" and blanks");
        CheckEq(AccessibleText(dlg, kRows).words, "Rows", "the label before a list box names it");
        CheckEq(AccessibleText(dlg, kAfterButton).words, "", "a button before an edit gives it no name");
        CheckEq(AccessibleText(dlg, kNamed).words, "", "a control with nothing before it has no name");
        SetAccessibleName(dlg, kNamed, "Categories");
        CheckEq(AccessibleText(dlg, kNamed).words, "Categories", "SetAccessibleName names a simple combo");
        SetAccessibleName(dlg, kRows, "Grocery items");
        CheckEq(AccessibleText(dlg, kRows).words, "Grocery items", "SetAccessibleName overrides the label's name");
        CheckEq(AccessibleText(dlg, 1).words, "Ok & go", "a button reads as its text without mnemonic marks");
        CheckEq(AccessibleText(dlg, kRows).checked, -1, "a control itself carries no check mark here");
    });
}

CONFORMANCE_CASE(kSection, "list entries read as their reader's words, rewritten entries anew") {
    RunShown(NamedSpec(), [](Window dlg) {
        ListAdd(dlg, kRows, "\tx\tMilk\t2.00");
        ListAdd(dlg, kRows, "\t\tBread");
        ListAdd(dlg, kPlain, "a\tb");
        CheckEq(AccessibleText(dlg, kRows, 0).words, "\tx\tMilk\t2.00", "without a reader an entry reads as its text");
        // The reader is given each entry's text: words from its fields, checked when marked.
        ListSetEntryReader(dlg, kRows, [](const std::string& text) {
            std::string words;
            for (char ch : text) words += ch == '\t' ? ' ' : ch;
            const auto first = words.find_first_not_of(' ');
            return EntrySpeech{first == std::string::npos ? "" : words.substr(first), text.rfind("\tx", 0) == 0 ? 1 : 0};
        });
        EntrySpeech milk = AccessibleText(dlg, kRows, 0);
        CheckEq(milk.words, "x Milk 2.00", "entries already there read through a reader set later");
        CheckEq(milk.checked, 1, "the reader's check mark is the entry's");
        CheckEq(AccessibleText(dlg, kRows, 1).checked, 0, "an unmarked entry reads as not checked");
        ListAdd(dlg, kRows, "\tx\tEggs");
        CheckEq(AccessibleText(dlg, kRows, 2).words, "x Eggs", "an added entry reads through the reader");
        ListReplace(dlg, kRows, 0, "\t\tMilk");
        milk = AccessibleText(dlg, kRows, 0);
        CheckEq(milk.words, "Milk", "a replaced entry reads its new words");
        CheckEq(milk.checked, 0, "a replaced entry's check mark follows it");
        ListInsert(dlg, kRows, 0, "\tx\tApples");
        CheckEq(AccessibleText(dlg, kRows, 0).words, "x Apples", "an inserted entry reads through the reader");
        CheckEq(AccessibleText(dlg, kRows, 1).words, "Milk", "the entries after it move down");
        ListFill(dlg, kRows, 2, [](int i) { return i ? std::string("\t\tTwo") : std::string("\tx\tOne"); });
        CheckEq(AccessibleText(dlg, kRows, 1).words, "Two", "a filled list reads through the reader");
        CheckEq(AccessibleText(dlg, kRows, 2).words, "", "past the last entry there is nothing");
        CheckEq(AccessibleText(dlg, kPlain, 0).words, "a\tb", "another list keeps its plain texts");
    });
}

CONFORMANCE_CASE(kSection, "status parts read as their texts, unseen controls are not offered") {
    RunShown(NamedSpec(), [](Window dlg) {
        SetStatusParts(dlg, kStatus, {100, 200, -1});
        SetStatusText(dlg, kStatus, 0, "Catg: fruit");
        SetStatusText(dlg, kStatus, 2, "Total cost: 2.50");
        CheckEq(AccessibleText(dlg, kStatus, 0).words, "Catg: fruit", "a status part reads as its text");
        CheckEq(AccessibleText(dlg, kStatus, 1).words, "", "an empty part reads as nothing");
        CheckEq(AccessibleText(dlg, kStatus, 2).words, "Total cost: 2.50", "the last part reads as its text");
        SetStatusText(dlg, kStatus, 0, "Catg: ");
        CheckEq(AccessibleText(dlg, kStatus, 0).words, "Catg: ", "a changed part reads anew");
        CheckEq(AccessibleText(dlg, kZero).words, "", "a button of no size is not offered");
        CheckEq(AccessibleText(dlg, kHiddenButton).words, "", "a hidden button is not offered");
        ShowControl(dlg, kHiddenButton, true);
        CheckEq(AccessibleText(dlg, kHiddenButton).words, "Hidden", "shown, it reads as its text");
    });
}

}  // namespace
}  // namespace window

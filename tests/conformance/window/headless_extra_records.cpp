// What the headless layer records and shows only in memory: the prompts and
// file dialogs it was asked for, the pop-up menus with their texts as shown,
// the menu bar's items, the open dialogs and their events in order, a print
// job's operations with the position before each, a combo box's edit
// selection, and the exact screen points of its pointer events.
#include <string>
#include <vector>

#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using headless_model::kMenuList;
using headless_model::MenuSpec;
using headless_model::OkCancelSpec;
using conformance::Check;
using conformance::CheckEq;

namespace headless_records {

namespace {

enum { kCombo = 220 };
using Op = headless::PrinterOp;

std::vector<MenuItem> Bar() {
    return {{"&File", 0, {{"&Open", 301, {}}, {"", 0, {}}, {"E&xit", 306, {}}}},
            {"&Task", 0, {{"&Buy", 315, {}}}}};
}

// A callback that logs its events and ends the dialog with the id of button 1 or 2.
Callback Logging(std::vector<std::string>& log, const std::string& name) {
    return [&log, name](Window dlg, const Event& e) {
        if (e.msg == Msg::Init) log.push_back(name + " init");
        if (e.msg == Msg::Destroy) log.push_back(name + " destroy");
        if (e.msg == Msg::Command && (e.id == 1 || e.id == 2)) {
            log.push_back(name + " command " + std::to_string(e.id));
            EndDialog(dlg, e.id);
        }
        return 0;
    };
}

// The recorded print operations as "kind x,y details".
std::vector<std::string> Ops() {
    static const char* const kNames[] = {"open", "font", "move", "text", "newline", "newpage", "close"};
    std::vector<std::string> out;
    for (const Op& op : headless::PrinterOps()) {
        std::string line = std::string(kNames[op.kind]) + " " + std::to_string(op.x) + "," + std::to_string(op.y);
        if (!op.text.empty()) line += " " + op.text;
        if (op.kind == Op::SetFont) line += " " + std::to_string(op.points) + "/" + std::to_string(op.style);
        out.push_back(line);
    }
    return out;
}

}  // namespace

CONFORMANCE_CASE("common dialogs", "headless model: CommonDialogs.PromptRecordsAndAnswersFromTheScript") {
    InFreshLayer([&] {
        headless::AnswerPrompt(6);
        CheckEq(Prompt("Delete this item now?", "Delete Item", 36), 6, R"chk(Prompt("Delete this item now?", "Delete Item", 36) == 6)chk");
        if (!CheckEq(headless::Prompts().size(), 1u, R"chk(headless::Prompts().size() == 1u)chk")) return;
        CheckEq(headless::Prompts()[0].text, "Delete this item now?", R"chk(headless::Prompts()[0].text == "Delete this item now?")chk");
        CheckEq(headless::Prompts()[0].caption, "Delete Item", R"chk(headless::Prompts()[0].caption == "Delete Item")chk");
        CheckEq(headless::Prompts()[0].style, 36, R"chk(headless::Prompts()[0].style == 36)chk");
        CheckEq(headless::Prompts()[0].answer, 6, R"chk(headless::Prompts()[0].answer == 6)chk");
    });
}

CONFORMANCE_CASE("common dialogs", "headless model: CommonDialogs.SaveDialogAppendsTheDefaultExtensionToANameWithoutOne") {
    InFreshLayer([&] {
        FileDialogRequest request;
        request.title = "Save File";
        request.fileName = "My pantrium";
        request.defExt = "ptm";
        headless::AnswerFileDialog(true, "C:\\lists\\week");
        headless::AnswerFileDialog(true, "C:\\lists.old\\week.txt");
        if (!Check(GetSaveFileName(request), R"chk(GetSaveFileName(request))chk")) return;
        if (!Check(GetSaveFileName(request), R"chk(GetSaveFileName(request))chk")) return;
        CheckEq(request.fileName, "C:\\lists.old\\week.txt", R"chk(request.fileName == "C:\\lists.old\\week.txt")chk");  // a dot in a folder does not count
        Check(request.flags & 0x400, R"chk(request.flags & 0x400)chk");                       // extension differs
        if (!CheckEq(headless::FileDialogs().size(), 2u, R"chk(headless::FileDialogs().size() == 2u)chk")) return;
        CheckEq(headless::FileDialogs()[0].fileName, "My pantrium", R"chk(headless::FileDialogs()[0].fileName == "My pantrium")chk");  // the request as passed in
    });
}

CONFORMANCE_CASE("menus", "headless model: Menus.PopupChoiceArrivesAfterTheContextMenuHandlerReturns") {
    InFreshLayer([&] {
        std::vector<std::string> log;
        Menu popup = CreatePopupMenu({{"Buy", 315, {}}, {"", 0, {}}, {"Change item", 312, {}}});
        headless::RightClick(kMenuList, 5, 30);
        headless::ChoosePopup(312);
        headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
        RunDialog(MenuSpec(), [&](Window dlg, const Event& e) {
            if (e.msg == Msg::ContextMenu) {
                Rect client = headless::ClientRect(dlg);
                CheckEq(e.id, kMenuList, R"chk(e.id == kMenuList)chk");
                CheckEq(e.x, client.left + 10 + 5, R"chk(e.x == client.left + 10 + 5)chk");
                CheckEq(e.y, client.top + 20 + 30, R"chk(e.y == client.top + 20 + 30)chk");
                SetMenuItemText(popup, 315, "Don't buy");
                TrackPopupMenu(popup, e.x, e.y, dlg);
                log.push_back("track returned");
            }
            if (e.msg == Msg::Command && e.code == Code::Clicked) log.push_back("command " + std::to_string(e.id));
            return 0;
        });
        CheckEq(log, (std::vector<std::string>{"track returned", "command 312"}), R"chk(log == (std::vector<std::string>{"track returned", "command 312"}))chk");
        if (!CheckEq(headless::Popups().size(), 1u, R"chk(headless::Popups().size() == 1u)chk")) return;
        CheckEq(headless::Popups()[0].items[0].text, "Don't buy", R"chk(headless::Popups()[0].items[0].text == "Don't buy")chk");  // the texts as shown
        CheckEq(headless::Popups()[0].chosen, 312, R"chk(headless::Popups()[0].chosen == 312)chk");
    });
}

CONFORMANCE_CASE("menus", "headless model: Menus.ChooseMenuSendsMenuSelectThenCommandAndTextsAreFoundInSubMenus") {
    InFreshLayer([&] {
        std::vector<std::string> log;
        Menu bar = CreateMenuBar(Bar());
        headless::ChooseMenu(315);
        headless::ChooseMenu(999);  // not on the menu bar
        headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
        RunDialog(MenuSpec(), [&](Window dlg, const Event& e) {
            if (e.msg == Msg::Init) SetMenu(dlg, bar);
            if (e.msg == Msg::MenuSelect) {
                log.push_back("select " + std::to_string(e.id));
                SetMenuItemText(bar, 315, "Don't buy");
            }
            if (e.msg == Msg::Command && e.code == Code::Clicked) log.push_back("command " + std::to_string(e.id));
            return 0;
        });
        CheckEq(log, (std::vector<std::string>{"select 315", "command 315"}), R"chk(log == (std::vector<std::string>{"select 315", "command 315"}))chk");
        CheckEq(headless::MenuItems(bar)[1].items[0].text, "Don't buy", R"chk(headless::MenuItems(bar)[1].items[0].text == "Don't buy")chk");
        CheckEq(headless::TakeFailures(), std::vector<std::string>{"ChooseMenu: no menu item 999 in dialog Menus"}, R"chk(headless::TakeFailures() == std::vector<std::string>{"ChooseMenu: no menu item 999 in dialog Menus"})chk");
    });
}

CONFORMANCE_CASE("menus", "headless model: Menus.RightClickOnAnEditKeepsToTheEditsOwnMenu") {
    InFreshLayer([&] {
        DialogSpec spec = MenuSpec();
        spec.controls.push_back({101, Kind::Edit, "", {10, 100, 60, 18}, kTabStop});
        std::vector<int> clicked;
        headless::RightClick(101, 5, 5);
        headless::RightClick(0, 200, 150);  // the dialog itself
        headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
        RunDialog(spec, [&](Window dlg, const Event& e) {
            if (e.msg == Msg::ContextMenu) {
                clicked.push_back(e.id);
                CheckEq(e.x, headless::ClientRect(dlg).left + 200, R"chk(e.x == headless::ClientRect(dlg).left + 200)chk");
            }
            return 0;
        });
        CheckEq(clicked, std::vector<int>{0}, R"chk(clicked == std::vector<int>{0})chk");
    });
}

CONFORMANCE_CASE("modal and close", "headless model: ModalLoop.NestedDialogDisablesItsOwnerAndRunsOnTheSameQueue") {
    InFreshLayer([&] {
        std::vector<std::string> log;
        Window outer = 0, inner = 0;
        int innerResult = 0;
        auto outerCallback = [&](Window dlg, const Event& e) {
            if (e.msg == Msg::Init) outer = dlg;
            if (e.msg == Msg::Command && e.id == 1) {
                innerResult = RunDialog(OkCancelSpec("Inner", dlg), Logging(log, "inner"));
            }
            if (e.msg == Msg::Command && e.id == 2) EndDialog(dlg, 5);
            return 0;
        };
        headless::Click(1);  // opens the inner dialog
        headless::Then([&] {
            inner = headless::ActiveDialog();
            Check(inner != outer, R"chk(inner != outer)chk");
            CheckEq(headless::OpenDialogs(), (std::vector<Window>{outer, inner}), R"chk(headless::OpenDialogs() == (std::vector<Window>{outer, inner}))chk");
        });
        headless::Click(2);  // ends the inner dialog
        headless::Click(2);  // ends the outer one
        CheckEq(RunDialog(OkCancelSpec("Outer"), outerCallback), 5, R"chk(RunDialog(OkCancelSpec("Outer"), outerCallback) == 5)chk");
        CheckEq(innerResult, 2, R"chk(innerResult == 2)chk");
        CheckEq(log, (std::vector<std::string>{"inner init", "inner command 2", "inner destroy"}), R"chk(log == (std::vector<std::string>{"inner init", "inner command 2", "inner destroy"}))chk");
        Check(headless::OpenDialogs().empty(), R"chk(headless::OpenDialogs().empty())chk");
        CheckEq(headless::UnusedScript(), 0, R"chk(headless::UnusedScript() == 0)chk");
    });
}

CONFORMANCE_CASE("printer", "headless model: Printer.OperationsAreRecordedWithThePositionBeforeThem") {
    InFreshLayer([&] {
        headless::AnswerPrinterDialog(true);
        if (!Check(PrinterChooseAndOpen(0, "Print job"), R"chk(PrinterChooseAndOpen(0, "Print job"))chk")) return;
        CheckEq(PrinterDpiX(), 600, R"chk(PrinterDpiX() == 600)chk");
        CheckEq(PrinterCharSize(), (Size{60, 100}), R"chk(PrinterCharSize() == (Size{60, 100}))chk");  // "Courier New" 12 pt
        CheckEq(PrinterLinesPerPage(), 66, R"chk(PrinterLinesPerPage() == 66)chk");
        PrinterSetFont("MS Sans Serif", 11, 5);
        PrinterMoveTo(300, 200);
        PrinterText("Ab");  // 2 ordinary characters of a 91-dot font, bold: 2 x (50 + 1)
        CheckEq(PrinterPosition(), (Point{402, 200}), R"chk(PrinterPosition() == (Point{402, 200}))chk");
        PrinterNewLine();
        CheckEq(PrinterPosition(), (Point{0, 291}), R"chk(PrinterPosition() == (Point{0, 291}))chk");
        PrinterNewPage();
        PrinterClose();
    
        CheckEq(Ops(), (std::vector<std::string>{"open 0,0 Print job", "font 0,0 MS Sans Serif 11/5",
                                                   "move 300,200", "text 300,200 Ab", "newline 402,200",
                                                   "newpage 0,291", "close 0,0"}), R"chk(Ops() == (std::vector<std::string>{"open 0,0 Print job", "font 0,0 MS Sans Serif 11/5", "move 300,200", "text 300,200 Ab", "newline 402,200", "newpage 0,291", "close 0,0"}))chk");
    });
}

CONFORMANCE_CASE("control access", "headless model: Lists.SimpleComboKeepsItsEditFieldInStepWithoutChangeNotifications") {
    InFreshLayer([&] {
        int changes = 0;
        DialogSpec spec;
        spec.caption = "Combo";
        spec.controls = {{kCombo, Kind::SimpleCombo, "", {10, 10, 100, 100}, kTabStop}};
        headless::Then([] {
            Window dlg = headless::ActiveDialog();
            ListAdd(dlg, kCombo, "dairy");
            ListAdd(dlg, kCombo, "fruit");
            ListSetSel(dlg, kCombo, 1);
            CheckEq(headless::EditSelection(dlg, kCombo), (std::pair{0, 5}), R"chk(headless::EditSelection(dlg, kCombo) == (std::pair{0, 5}))chk");
            ListSetSel(dlg, kCombo, -1);
        });
        headless::SelectRow(kCombo, 0);
        headless::Then([] {
            Window dlg = headless::ActiveDialog();
            CheckEq(GetText(dlg, kCombo), "dairy", R"chk(GetText(dlg, kCombo) == "dairy")chk");
            ListReset(dlg, kCombo);
            EndDialog(dlg, 1);
        });
        RunDialog(spec, [&](Window, const Event& e) {
            if (e.msg == Msg::Command && e.code == Code::Change) ++changes;
            return 0;
        });
        CheckEq(changes, 0, R"chk(changes == 0)chk");
    });
}

}  // namespace headless_records

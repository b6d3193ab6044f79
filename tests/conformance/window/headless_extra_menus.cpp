// Menus of the headless layer: the menu bar, the pop-up menu and the order in
// which their commands arrive.
#include <string>
#include <vector>

#include "headless_model.h"

using namespace plat;
using headless_model::InFreshLayer;
using conformance::Check;
using conformance::CheckEq;

namespace menus_model {

namespace {

enum { kList = 100 };

DialogSpec Spec() {
    DialogSpec spec;
    spec.caption = "Menus";
    spec.width = 300;
    spec.height = 200;
    spec.controls = {{kList, Kind::ListBox, "", {10, 20, 100, 65}, kTabStop | kNotify}};
    return spec;
}

std::vector<MenuItem> Bar() {
    return {{"&File", 0, {{"&Open", 301, {}}, {"", 0, {}}, {"E&xit", 306, {}}}},
            {"&Task", 0, {{"&Buy", 315, {}}}}};
}


}  // namespace

CONFORMANCE_CASE("menus", "headless model: Menus.PopupChoiceArrivesAfterTheContextMenuHandlerReturns") {
    InFreshLayer([&] {
        std::vector<std::string> log;
        Menu popup = CreatePopupMenu({{"Buy", 315, {}}, {"", 0, {}}, {"Change item", 312, {}}});
        headless::RightClick(kList, 5, 30);
        headless::ChoosePopup(312);
        headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
        RunDialog(Spec(), [&](Window dlg, const Event& e) {
            if (e.msg == Msg::ContextMenu) {
                Rect client = headless::ClientRect(dlg);
                CheckEq(e.id, kList, R"chk(e.id == kList)chk");
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

CONFORMANCE_CASE("menus", "headless model: Menus.UnscriptedOrUnknownPopupChoiceIsDismissedWithAFailure") {
    InFreshLayer([&] {
        Menu popup = CreatePopupMenu({{"Buy", 315, {}}});
        int commands = 0;
        headless::ChoosePopup(999);
        headless::Then([&] {
            TrackPopupMenu(popup, 0, 0, headless::ActiveDialog());
            TrackPopupMenu(popup, 0, 0, headless::ActiveDialog());
        });
        headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
        RunDialog(Spec(), [&](Window, const Event& e) {
            if (e.msg == Msg::Command && e.code == Code::Clicked) ++commands;
            return 0;
        });
        CheckEq(commands, 0, R"chk(commands == 0)chk");
        CheckEq(headless::TakeFailures(), (std::vector<std::string>{"pop-up menu has no item 999", "unscripted pop-up menu"}), R"chk(headless::TakeFailures() == (std::vector<std::string>{"pop-up menu has no item 999", "unscripted pop-up menu"}))chk");
    });
}

CONFORMANCE_CASE("menus", "headless model: Menus.ChooseMenuSendsMenuSelectThenCommandAndTextsAreFoundInSubMenus") {
    InFreshLayer([&] {
        std::vector<std::string> log;
        Menu bar = CreateMenuBar(Bar());
        headless::ChooseMenu(315);
        headless::ChooseMenu(999);  // not on the menu bar
        headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
        RunDialog(Spec(), [&](Window dlg, const Event& e) {
            if (e.msg == Msg::Init) SetMenu(dlg, bar);
            if (e.msg == Msg::MenuSelect) {
                log.push_back("select " + std::to_string(e.id));
                SetMenuItemText(bar, 315, "Don't buy");
            }
            if (e.msg == Msg::Command && e.code == Code::Clicked) log.push_back("command " + std::to_string(e.id));
            return 0;
        });
        CheckEq(log, (std::vector<std::string>{"select 315", "command 315"}), R"chk(log == (std::vector<std::string>{"select 315", "command 315"}))chk");
        CheckEq(GetMenuItemText(bar, 315), "Don't buy", R"chk(GetMenuItemText(bar, 315) == "Don't buy")chk");
        CheckEq(headless::MenuItems(bar)[1].items[0].text, "Don't buy", R"chk(headless::MenuItems(bar)[1].items[0].text == "Don't buy")chk");
        CheckEq(GetMenuItemText(bar, 0), "", R"chk(GetMenuItemText(bar, 0) == "")chk");  // separators are not items
        CheckEq(headless::TakeFailures(), std::vector<std::string>{"ChooseMenu: no menu item 999 in dialog Menus"}, R"chk(headless::TakeFailures() == std::vector<std::string>{"ChooseMenu: no menu item 999 in dialog Menus"})chk");
    });
}

CONFORMANCE_CASE("menus", "headless model: Menus.RightClickOnAnEditKeepsToTheEditsOwnMenu") {
    InFreshLayer([&] {
        DialogSpec spec = Spec();
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

}  // namespace menus_model

// Menus of the headless layer: the menu bar, the pop-up menu and the order in
// which their commands arrive.
#include <string>
#include <vector>

#include "headless_fixture.h"

using namespace plat;

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

using Menus = HeadlessTest;

}  // namespace

TEST_F(Menus, PopupChoiceArrivesAfterTheContextMenuHandlerReturns) {
    std::vector<std::string> log;
    Menu popup = CreatePopupMenu({{"Buy", 315, {}}, {"", 0, {}}, {"Change item", 312, {}}});
    headless::RightClick(kList, 5, 30);
    headless::ChoosePopup(312);
    headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
    RunDialog(Spec(), [&](Window dlg, const Event& e) {
        if (e.msg == Msg::ContextMenu) {
            Rect client = headless::ClientRect(dlg);
            EXPECT_EQ(e.id, kList);
            EXPECT_EQ(e.x, client.left + 10 + 5);
            EXPECT_EQ(e.y, client.top + 20 + 30);
            SetMenuItemText(popup, 315, "Don't buy");
            TrackPopupMenu(popup, e.x, e.y, dlg);
            log.push_back("track returned");
        }
        if (e.msg == Msg::Command && e.code == Code::Clicked) log.push_back("command " + std::to_string(e.id));
        return 0;
    });
    EXPECT_EQ(log, (std::vector<std::string>{"track returned", "command 312"}));
    ASSERT_EQ(headless::Popups().size(), 1u);
    EXPECT_EQ(headless::Popups()[0].items[0].text, "Don't buy");  // the texts as shown
    EXPECT_EQ(headless::Popups()[0].chosen, 312);
}

TEST_F(Menus, UnscriptedOrUnknownPopupChoiceIsDismissedWithAFailure) {
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
    EXPECT_EQ(commands, 0);
    EXPECT_EQ(headless::TakeFailures(),
              (std::vector<std::string>{"pop-up menu has no item 999", "unscripted pop-up menu"}));
}

TEST_F(Menus, ChooseMenuSendsMenuSelectThenCommandAndTextsAreFoundInSubMenus) {
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
    EXPECT_EQ(log, (std::vector<std::string>{"select 315", "command 315"}));
    EXPECT_EQ(GetMenuItemText(bar, 315), "Don't buy");
    EXPECT_EQ(headless::MenuItems(bar)[1].items[0].text, "Don't buy");
    EXPECT_EQ(GetMenuItemText(bar, 0), "");  // separators are not items
    EXPECT_EQ(headless::TakeFailures(), std::vector<std::string>{"ChooseMenu: no menu item 999 in dialog Menus"});
}

TEST_F(Menus, RightClickOnAnEditKeepsToTheEditsOwnMenu) {
    DialogSpec spec = Spec();
    spec.controls.push_back({101, Kind::Edit, "", {10, 100, 60, 18}, kTabStop});
    std::vector<int> clicked;
    headless::RightClick(101, 5, 5);
    headless::RightClick(0, 200, 150);  // the dialog itself
    headless::Then([] { EndDialog(headless::ActiveDialog(), 1); });
    RunDialog(spec, [&](Window dlg, const Event& e) {
        if (e.msg == Msg::ContextMenu) {
            clicked.push_back(e.id);
            EXPECT_EQ(e.x, headless::ClientRect(dlg).left + 200);
        }
        return 0;
    });
    EXPECT_EQ(clicked, std::vector<int>{0});
}

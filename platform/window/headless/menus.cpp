// Menu bars and pop-up menus of the headless layer.
#include "platform/window/headless/state.h"

namespace headless::detail {
namespace {

plat::MenuItem* FindItem(std::vector<plat::MenuItem>& items, int id) {
    for (auto& item : items) {
        if (item.items.empty() && item.id == id && id != 0) return &item;
        if (plat::MenuItem* inner = FindItem(item.items, id)) return inner;
    }
    return nullptr;
}

plat::MenuItem* FindItem(plat::Menu menu, int id) {
    auto it = S().menus.find(menu);
    return it == S().menus.end() ? nullptr : FindItem(it->second, id);
}

plat::Menu NewMenu(const std::vector<plat::MenuItem>& items) {
    plat::Menu handle = NewHandle();
    S().menus[handle] = items;
    return handle;
}

}  // namespace

bool MenuHasItem(plat::Menu menu, int id) { return FindItem(menu, id) != nullptr; }

}  // namespace headless::detail

namespace plat {
using namespace headless::detail;

Menu CreateMenuBar(const std::vector<MenuItem>& menus) { return NewMenu(menus); }

Menu CreatePopupMenu(const std::vector<MenuItem>& items) { return NewMenu(items); }

void SetMenu(Window dlg, Menu bar) {
    Dialog* d = FindDialog(dlg);
    if (!d) return;
    d->menu = bar;  // the client area gives up the menu bar's height; the outer size stays
    LayoutClient(*d);
}

void SetMenuItemText(Menu menu, int id, const std::string& text) {
    if (MenuItem* item = FindItem(menu, id)) item->text = text;
}

std::string GetMenuItemText(Menu menu, int id) {
    MenuItem* item = FindItem(menu, id);
    return item ? item->text : std::string();
}

void TrackPopupMenu(Menu popup, int screenX, int screenY, Window owner) {
    State& s = S();
    headless::PopupRecord record;
    record.menu = popup;
    record.x = screenX;
    record.y = screenY;
    record.owner = owner;
    if (auto it = s.menus.find(popup); it != s.menus.end()) record.items = it->second;
    int chosen = 0;
    if (s.popupAnswers.empty()) {
        Fail("unscripted pop-up menu");
    } else {
        chosen = s.popupAnswers.front();
        s.popupAnswers.pop_front();
        if (chosen != 0 && !FindItem(popup, chosen)) {
            Fail("pop-up menu has no item " + std::to_string(chosen));
            chosen = 0;
        }
    }
    record.chosen = chosen;
    s.popups.push_back(record);
    // The choice reaches the owner once the current event has been handled.
    if (chosen != 0) s.posted.emplace_back(owner, chosen);
}

}  // namespace plat

namespace headless {
using namespace detail;

plat::Menu MenuOf(plat::Window dlg) {
    Dialog* d = FindDialog(dlg);
    return d ? d->menu : 0;
}

std::vector<plat::MenuItem> MenuItems(plat::Menu menu) {
    auto it = S().menus.find(menu);
    return it == S().menus.end() ? std::vector<plat::MenuItem>{} : it->second;
}

}  // namespace headless

// Menus on Win32: menu bars and pop-up menus built from MenuItem trees.
#include "platform/window/win32/win32_internal.h"

namespace plat::win32 {
namespace {

HMENU ToHmenu(Menu m) { return reinterpret_cast<HMENU>(m); }

void AppendItems(HMENU menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (!item.items.empty()) {
            HMENU sub = ::CreatePopupMenu();
            AppendItems(sub, item.items);
            AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), item.text.c_str());
        } else if (item.text.empty() && item.id == 0) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.id), item.text.c_str());
        }
    }
}

}  // namespace
}  // namespace plat::win32

namespace plat {
using namespace plat::win32;

Menu CreateMenuBar(const std::vector<MenuItem>& menus) {
    HMENU bar = ::CreateMenu();
    AppendItems(bar, menus);
    return reinterpret_cast<Menu>(bar);
}

Menu CreatePopupMenu(const std::vector<MenuItem>& items) {
    HMENU popup = ::CreatePopupMenu();
    AppendItems(popup, items);
    return reinterpret_cast<Menu>(popup);
}

void SetMenu(Window dlg, Menu bar) {
    // The outer size stays: the bar takes its height from the client area.
    ::SetMenu(ToHwnd(dlg), ToHmenu(bar));
    DrawMenuBar(ToHwnd(dlg));
}

void SetMenuItemText(Menu menu, int id, const std::string& text) {
    // By command, which searches the sub-menus too.
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(ToHmenu(menu), static_cast<UINT>(id), FALSE, &info);
}

std::string GetMenuItemText(Menu menu, int id) {
    char buf[256] = {};
    int n = GetMenuStringA(ToHmenu(menu), static_cast<UINT>(id), buf, sizeof buf, MF_BYCOMMAND);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

void TrackPopupMenu(Menu popup, int screenX, int screenY, Window owner) {
    // The owner must be in the foreground, or the menu does not close when
    // the user clicks elsewhere. The chosen item is posted to the owner.
    SetForegroundWindow(ToHwnd(owner));
    ::TrackPopupMenu(ToHmenu(popup), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, screenX, screenY, 0,
                     ToHwnd(owner), nullptr);
    PostMessageA(ToHwnd(owner), WM_NULL, 0, 0);
}

}  // namespace plat

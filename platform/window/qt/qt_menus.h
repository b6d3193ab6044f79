// What the Qt layer keeps of a menu made with CreateMenuBar or CreatePopupMenu.
#pragma once
#include <QAction>
#include <QMenu>

#include <map>
#include <vector>

#include "platform/window.h"

namespace plat::qt {

struct MenuData {
    bool bar = false;
    std::vector<QMenu*> menus;   // a bar's menus, left to right
    QMenu* popup = nullptr;      // a pop-up menu
    std::map<int, QAction*> actions;  // command -> item, through sub-menus
    std::vector<MenuItem> items;      // the tree with the current texts
    Window owner = 0;                 // the window showing the bar
};

MenuData* MenuOf(Menu menu);

}  // namespace plat::qt

// Menus on Qt: a menu bar per window and pop-up menus, built from MenuItem
// trees. A menu item's command reaches the window that shows the bar; the
// pop-up menu's choice is sent to its owner after TrackPopupMenu returns.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <map>
#include <memory>

#include "platform/window/qt/qt_state.h"

namespace plat::qt {
namespace {

// "&Open\tCtrl+O": the text before the tab is the item's, the key after it is
// shown by Qt beside the item. The key only shows there: the window's own
// accelerators act on it.
void SetItemText(QAction* action, const std::string& text) {
    const size_t tab = text.find('\t');
    action->setText(QA(text.substr(0, tab)));
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcut(tab == std::string::npos ? QKeySequence()
                                                 : QKeySequence(QA(text.substr(tab + 1)), QKeySequence::PortableText));
}

std::string ItemText(const QAction* action) {
    const QKeySequence key = action->shortcut();
    return A(action->text()) + (key.isEmpty() ? "" : "\t" + A(key.toString(QKeySequence::PortableText)));
}

void AddItems(MenuData& data, QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (!item.items.empty()) {
            QMenu* sub = menu->addMenu(QA(item.text));
            AddItems(data, sub, item.items);
        } else if (item.text.empty() && item.id == 0) {
            menu->addSeparator();
        } else {
            QAction* action = menu->addAction(QString());
            SetItemText(action, item.text);
            data.actions[item.id] = action;
            int id = item.id;
            MenuData* d = &data;
            QObject::connect(action, &QAction::hovered, action, [d, id] {
                if (DialogState* st = StateOf(d->owner)) Deliver(*st, Event{Msg::MenuSelect, id});
            });
            if (data.bar)
                QObject::connect(action, &QAction::triggered, action, [d, id] {
                    if (DialogState* st = StateOf(d->owner)) Notify(*st, id, Code::Clicked);
                });
        }
    }
}

MenuData* NewMenu(bool bar, const std::vector<MenuItem>& items) {
    auto data = std::make_unique<MenuData>();
    data->bar = bar;
    data->items = items;
    if (bar) {
        for (const MenuItem& top : items) {
            auto* menu = new QMenu(QA(top.text));
            AddItems(*data, menu, top.items);
            MenuData* d = data.get();
            // Opening a menu of the bar is a menu selection too (the window updates its texts).
            QObject::connect(menu, &QMenu::aboutToShow, menu, [d] {
                if (DialogState* st = StateOf(d->owner)) Deliver(*st, Event{Msg::MenuSelect, 0});
            });
            data->menus.push_back(menu);
        }
    } else {
        data->popup = new QMenu;
        AddItems(*data, data->popup, items);
    }
    Layer().menus.push_back(std::move(data));
    return Layer().menus.back().get();
}

bool Rename(std::vector<MenuItem>& items, int id, const std::string& text) {
    for (MenuItem& item : items) {
        if (item.items.empty() && item.id == id && !(item.text.empty() && id == 0)) {
            item.text = text;
            return true;
        }
        if (Rename(item.items, id, text)) return true;
    }
    return false;
}

}  // namespace

MenuData* MenuOf(Menu menu) {
    for (auto& m : Layer().menus)
        if (reinterpret_cast<Menu>(m.get()) == menu) return m.get();
    return nullptr;
}

void AttachMenuBar(DialogState& st, Menu bar) {
    MenuData* data = MenuOf(bar);
    if (st.menuBar) {
        for (QAction* a : st.menuBar->actions()) st.menuBar->removeAction(a);
        delete st.menuBar;
        st.menuBar = nullptr;
    }
    st.menu = bar;
    if (data) {
        data->owner = Handle(&st);
        st.menuBar = new QMenuBar(st.frame);
        for (QMenu* m : data->menus) st.menuBar->addMenu(m);
        st.menuBar->show();
    }
    LayoutClient(st);
}

void ForgetMenuOwner(DialogState& st) {
    for (auto& m : Layer().menus)
        if (m->owner == Handle(&st)) m->owner = 0;
    if (st.menuBar) {
        for (QAction* a : st.menuBar->actions()) st.menuBar->removeAction(a);
    }
}

}  // namespace plat::qt

namespace plat {
using namespace plat::qt;

Menu CreateMenuBar(const std::vector<MenuItem>& items) { return reinterpret_cast<Menu>(NewMenu(true, items)); }

Menu CreatePopupMenu(const std::vector<MenuItem>& items) { return reinterpret_cast<Menu>(NewMenu(false, items)); }

void SetMenu(Window dlg, Menu bar) {
    if (DialogState* st = StateOf(dlg)) AttachMenuBar(*st, bar);
}

void SetMenuItemText(Menu menu, int id, const std::string& text) {
    MenuData* data = MenuOf(menu);
    if (!data) return;
    auto it = data->actions.find(id);
    if (it == data->actions.end()) return;
    SetItemText(it->second, text);
    Rename(data->items, id, text);
}

std::string GetMenuItemText(Menu menu, int id) {
    MenuData* data = MenuOf(menu);
    if (!data) return {};
    auto it = data->actions.find(id);
    return it == data->actions.end() ? std::string() : ItemText(it->second);
}

void TrackPopupMenu(Menu popup, int screenX, int screenY, Window owner) {
    MenuData* data = MenuOf(popup);
    if (!data || !data->popup) return;
    int chosen = 0;
    if (Hooks().popup) {
        chosen = Hooks().popup(popup, screenX, screenY, owner);
    } else if (QAction* a = data->popup->exec(QPoint(screenX, screenY))) {
        for (auto& [id, action] : data->actions)
            if (action == a) chosen = id;
    }
    if (chosen == 0) return;
    // The choice is posted: it arrives after this call has returned.
    QTimer::singleShot(0, [owner, chosen] {
        if (DialogState* st = StateOf(owner)) Notify(*st, chosen, Code::Clicked);
    });
}

}  // namespace plat

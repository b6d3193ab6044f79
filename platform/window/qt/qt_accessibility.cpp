// What the Qt layer tells a screen reader (through Qt's accessibility bridge,
// at-spi on Linux): window roles, control names, list entries as words with
// their check marks, and announcements of rewritten entries.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QListWidget>

#include "platform/window/accessible_names.h"
#include "platform/window/qt/qt_state.h"

namespace plat::qt {
namespace {

const char* const kRoleProperty = "pantriumAccessibleRole";
const char* const kUnseenProperty = "pantriumUnseen";

// A decoration (the list's focus frame) is nothing a reader should stop at.
class Unseen : public QAccessibleWidget {
public:
    explicit Unseen(QWidget* w) : QAccessibleWidget(w, QAccessible::Client) {}
    QAccessible::State state() const override {
        QAccessible::State st = QAccessibleWidget::state();
        st.invisible = true;
        return st;
    }
};

// The layer's windows and its status bar are plain widgets, which Qt would
// offer as fillers.
QAccessibleInterface* LayerFactory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* w = static_cast<QWidget*>(object);
    if (object->property(kUnseenProperty).toBool()) return new Unseen(w);
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid()) return nullptr;
    return new QAccessibleWidget(w, static_cast<QAccessible::Role>(role.toInt()));
}

QListWidget* ListOf(const ControlState& c) {
    return c.kind == Kind::ListBox && c.widget ? static_cast<QListWidget*>(c.widget.data()) : nullptr;
}

EntrySpeech Read(QAccessibleInterface* iface) {
    if (!iface || iface->state().invisible) return {};
    EntrySpeech speech{A(iface->text(QAccessible::Name))};
    if (iface->state().checkable) speech.checked = iface->state().checked ? 1 : 0;
    return speech;
}

}  // namespace

void InstallAccessibleFactory() { QAccessible::installFactory(LayerFactory); }

void MarkWindowRole(QWidget* frame, WindowRole role) {
    MarkRole(frame, role == WindowRole::Dialog ? QAccessible::Dialog : QAccessible::Window);
}

void MarkRole(QWidget* w, int role) { w->setProperty(kRoleProperty, role); }

void MarkUnseen(QWidget* w) { w->setProperty(kUnseenProperty, true); }

bool Offered(const ControlState& c) {
    // A status bar places itself; any other control keeps the size it was made with.
    return !(c.style & kHidden) && (c.kind == Kind::StatusBar || (c.rect.width > 0 && c.rect.height > 0));
}

void ApplyAccessibleName(ControlState& c, const std::string& name) {
    if (!c.widget) return;
    const QString text = QA(name);
    c.widget->setAccessibleName(text);
    // A simple combo's edit field and list are what the reader meets.
    for (QWidget* inner : c.widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) inner->setAccessibleName(text);
}

void ApplyEntrySpeech(const ControlState& c, QListWidgetItem* item) {
    if (!c.reader || !item) return;
    const EntrySpeech speech = c.reader(A(item->text()));
    item->setData(Qt::AccessibleTextRole, QA(speech.words));
    if (speech.checked >= 0) {
        // Checkable for the reader only: the rows' delegate draws no box and takes no clicks on one.
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(speech.checked ? Qt::Checked : Qt::Unchecked);
    }
}

void AnnounceEntry(QListWidget* list, int row) {
    if (!QAccessible::isActive() || !list || row < 0 || row >= list->count()) return;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
    QAccessibleTableInterface* table = iface ? iface->tableInterface() : nullptr;
    QAccessibleInterface* cell = table ? table->cellAt(row, 0) : nullptr;
    if (!cell) return;
    QAccessibleEvent named(cell, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent state(cell, changed);
    QAccessible::updateAccessibility(&state);
}

}  // namespace plat::qt

namespace plat {
using namespace plat::qt;

void SetAccessibleName(Window dlg, int id, const std::string& name) {
    if (ControlState* c = ControlOf(dlg, id)) ApplyAccessibleName(*c, name);
}

void ListSetEntryReader(Window dlg, int id, EntryReader reader) {
    ControlState* c = ControlOf(dlg, id);
    QListWidget* list = c ? ListOf(*c) : nullptr;
    if (!list) return;
    c->reader = std::move(reader);
    for (int i = 0; i < list->count(); ++i) ApplyEntrySpeech(*c, list->item(i));
}

EntrySpeech AccessibleText(Window dlg, int id, int entry) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || !c->widget || !Offered(*c)) return {};
    QWidget* w = c->widget;
    if (c->kind == Kind::SimpleCombo && w->focusProxy()) w = w->focusProxy();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (!iface) return {};
    if (entry < 0 && c->kind == Kind::DropList) {
        // Its name is the entry shown; a reader announces it with the label it is labelled by.
        const auto labels = iface->relations(QAccessible::Label);
        if (!labels.isEmpty() && labels.first().first) return {A(labels.first().first->text(QAccessible::Name))};
        return {A(c->widget->accessibleName())};
    }
    if (entry < 0) return Read(iface);
    if (c->kind == Kind::StatusBar) {
        // Its parts are labels, in order.
        const QList<QLabel*> parts = c->widget->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        return entry < parts.size() ? Read(QAccessible::queryAccessibleInterface(parts[entry])) : EntrySpeech{};
    }
    if (c->kind == Kind::SimpleCombo || c->kind == Kind::DropList) return {ListText(dlg, id, entry)};
    if (!QAccessible::isActive()) {
        // Without a bridge Qt tells the list's interface of no row change, so
        // it may hold rows that are gone: read through a fresh one.
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
        iface = QAccessible::queryAccessibleInterface(w);
        if (!iface) return {};
    }
    QAccessibleTableInterface* table = iface->tableInterface();
    if (!table || entry >= table->rowCount()) return {};
    return Read(table->cellAt(entry, 0));
}

}  // namespace plat

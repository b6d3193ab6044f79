// Rows of list boxes with tab stops. Each row is split at its tab characters;
// a field after the n-th tab starts at stop n, or, for a negative
// (right-aligned) stop, ends at its magnitude. Stops are in dialog template
// units: a quarter of the average character width of the list's font.
#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>

#include <cstdlib>

#include "platform/window/qt/qt_internal.h"

namespace plat::qt {
namespace {

constexpr int kDefaultStopUnits = 32;  // the list box's spacing when no stops are set

class TabStopDelegate : public QStyledItemDelegate {
public:
    TabStopDelegate(QObject* parent, ControlState* c) : QStyledItemDelegate(parent), c_(c) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), QFontMetrics(option.font).height()};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QRect rc = option.rect;
        bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        p->save();
        p->fillRect(rc, selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
        p->setPen(!(option.state & QStyle::State_Enabled) ? pal.color(QPalette::Disabled, QPalette::Text)
                  : selected                              ? pal.color(QPalette::HighlightedText)
                                                          : pal.color(QPalette::Text));
        p->setFont(option.font);
        QFontMetrics fm(option.font);
        int avg = AverageCharWidth(option.font);
        auto px = [avg](int units) { return (units * avg + 2) / 4; };

        const QStringList fields = index.data().toString().split('\t');
        int x = rc.left() + 1;  // the list box's own text margin
        int lastStop = 0;
        for (int field = 0; field < fields.size(); ++field) {
            const QString& piece = fields[field];
            int width = fm.horizontalAdvance(piece);
            int at = x;
            if (field > 0) {
                int stop;
                if (static_cast<size_t>(field - 1) < c_->tabStops.size()) {
                    stop = c_->tabStops[field - 1];
                } else {  // past the given stops: the next multiple of the default spacing
                    stop = (std::abs(lastStop) / kDefaultStopUnits + 1) * kDefaultStopUnits;
                }
                lastStop = stop;
                at = stop >= 0 ? rc.left() + px(stop) : rc.left() + px(-stop) - width;
                at = std::max(at, x);  // never draw over the field before
            }
            p->drawText(QRect(at, rc.top(), width + 1, rc.height()), Qt::AlignLeft | Qt::AlignVCenter, piece);
            x = at + width;
        }
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);
            QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p);
        }
        p->restore();
    }

    // A row may be checkable for a screen reader's sake; it has no box to click or toggle.
    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&, const QModelIndex&) override {
        return false;
    }

private:
    ControlState* c_;
};

}  // namespace

int AverageCharWidth(const QFont& font) {
    // The alphabet's width / 52, rounded, as dialog units count it.
    int width = QFontMetrics(font).horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (width / 26 + 1) / 2;
}

void UseTabStopDelegate(QWidget* list, ControlState* control) {
    auto* view = static_cast<QAbstractItemView*>(list);
    view->setItemDelegate(new TabStopDelegate(view, control));
}

}  // namespace plat::qt

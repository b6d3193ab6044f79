// Child controls on Qt: creation from a ControlSpec (one Qt widget per kind)
// and the access functions (texts, focus, check marks, colours, fonts, lists,
// status bars).
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "platform/window/accessible_names.h"
#include "platform/files.h"
#include "platform/window/anchored_layout.h"
#include "platform/window/qt/qt_state.h"

namespace {

// Qt reports double-clicks on entries only, and a press on the empty part of
// a list below its last entry drops the selection. As the reference layer, a
// click there keeps the selection (it only focuses the list) and a
// double-click there is reported with no entry.
class BelowRowsDoubleClick : public QObject {
public:
    BelowRowsDoubleClick(QListWidget* list, std::function<void(int)> report)
        : QObject(list), list_(list), report_(std::move(report)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick) return false;
        auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() != Qt::LeftButton || list_->itemAt(me->position().toPoint())) return false;
        list_->setFocus(Qt::MouseFocusReason);
        if (e->type() == QEvent::MouseButtonDblClick) report_(-1);
        return true;
    }

private:
    QListWidget* list_;
    std::function<void(int)> report_;
};

}  // namespace

namespace plat::qt {
namespace {

// The common-control status bar: parts with sunken edges, at the bottom of
// the client area. Each part's text is a label of its own, so that a screen
// reader finds the parts and hears their changes.
class StatusBar : public QWidget {
public:
    StatusBar(QWidget* parent, ControlState* c) : QWidget(parent), c_(c) { MarkRole(this, QAccessible::StatusBar); }

    // Labels for the parts, placed in them, holding their texts.
    void Sync() {
        const std::vector<QRect> parts = Parts();
        while (labels_.size() < parts.size()) {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
            label->show();
            labels_.push_back(label);
        }
        while (labels_.size() > parts.size()) {
            delete labels_.back();
            labels_.pop_back();
        }
        for (size_t i = 0; i < parts.size(); ++i) {
            labels_[i]->setGeometry(parts[i].adjusted(3, 0, -2, 0));
            const QString text = i < c_->statusTexts.size() ? QA(c_->statusTexts[i]) : QString();
            if (labels_[i]->text() != text) labels_[i]->setText(text);  // a change is announced
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (const QRect& r : Parts()) {
            QStyleOptionFrame opt;
            opt.initFrom(this);
            opt.rect = r;
            opt.lineWidth = 1;
            opt.state |= QStyle::State_Sunken;
            style()->drawPrimitive(QStyle::PE_Frame, &opt, &p, this);
        }
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        Sync();
    }

private:
    std::vector<QRect> Parts() const {
        std::vector<QRect> parts;
        int left = 0;
        size_t count = std::max<size_t>(1, c_->statusEdges.size());
        for (size_t i = 0; i < count; ++i) {
            int edge = i < c_->statusEdges.size() ? c_->statusEdges[i] : -1;
            int right = edge < 0 ? width() - 1 : std::min(edge, width() - 1);
            parts.emplace_back(left, 2, std::max(0, right - left - 1), height() - 3);
            left = right + 2;
            if (edge < 0) break;
        }
        return parts;
    }

    ControlState* c_;
    std::vector<QLabel*> labels_;
};

// A simple combo box: an edit field above an always-open list.
class SimpleCombo : public QWidget {
public:
    explicit SimpleCombo(QWidget* parent) : QWidget(parent), edit(new QLineEdit(this)), list(new QListWidget(this)) {
        auto* box = new QVBoxLayout(this);
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(0);
        box->addWidget(edit);
        box->addWidget(list, 1);
        list->setFocusPolicy(Qt::NoFocus);
        setFocusProxy(edit);
    }
    QLineEdit* edit;
    QListWidget* list;
};

QListWidget* ListWidget(ControlState* c) {
    if (!c || !c->widget) return nullptr;
    if (c->kind == Kind::ListBox) return static_cast<QListWidget*>(c->widget.data());
    if (c->kind == Kind::SimpleCombo) return static_cast<SimpleCombo*>(c->widget.data())->list;
    return nullptr;
}
QComboBox* DropList(ControlState* c) {
    return c && c->widget && c->kind == Kind::DropList ? static_cast<QComboBox*>(c->widget.data()) : nullptr;
}
QLineEdit* EditField(ControlState* c) {
    if (!c || !c->widget) return nullptr;
    if (c->kind == Kind::Edit) return static_cast<QLineEdit*>(c->widget.data());
    if (c->kind == Kind::SimpleCombo) return static_cast<SimpleCombo*>(c->widget.data())->edit;
    return nullptr;
}

// A label's text as shown: "&x" underlines x through its buddy; without one
// the marks are taken out ("&&" is a plain "&").
QString LabelDisplay(const ControlState& c, bool hasBuddy) {
    QString t = QA(c.text);
    if ((c.style & kNoPrefix)) return t;
    if (hasBuddy) return t;
    QString out;
    for (int i = 0; i < t.size(); ++i) {
        if (t[i] == '&' && i + 1 < t.size()) ++i;
        else if (t[i] == '&') continue;
        out += t[i];
    }
    return out;
}

// The stand-in faces are wider and taller than Windows' dialog font, so
// that a text that fits its control there may not here. A label or check box
// whose text is too wide takes the face a pixel or two smaller where that is
// enough, else widens to its text as far as the client area reaches (never to
// the left); an unframed label grows down to its lines, and a framed one (a
// column heading) draws its line higher within its frame, so that no text
// loses its end or its descenders. The rectangle given stays the least size.
void Fit(ControlState& c) {
    QWidget* w = c.widget;
    QRect r = c.placed;
    if (!w || !r.isValid() || (c.kind != Kind::Label && c.kind != Kind::CheckBox)) return;
    const int room = w->parentWidget() ? std::max(r.width(), w->parentWidget()->width() - r.left()) : r.width();
    auto* label = c.kind == Kind::Label ? static_cast<QLabel*>(w) : nullptr;
    const QString text = label ? label->text() : static_cast<QAbstractButton*>(w)->text();
    const QStringList lines = text.split('\n');
    const int frame = label ? label->frameWidth() : 0;
    QFont font = c.font ? FontOf(c.font) : w->parentWidget() ? w->parentWidget()->font() : w->font();
    // What the text needs besides its own width: a label's frame and indent, a check box's mark.
    const int besides = label ? 2 * frame + (frame > 0 ? QFontMetrics(font).horizontalAdvance('x') / 2 : 0)
                              : w->sizeHint().width() - QFontMetrics(w->font()).horizontalAdvance(text);
    auto needed = [&](const QFont& f) {
        QFontMetrics fm(f);
        int widest = 0;
        for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));
        return widest + besides;
    };
    if (lines.size() == 1 && font.pixelSize() > 2 && needed(font) > r.width()) {
        QFont smaller = font;
        while (needed(smaller) > r.width() && smaller.pixelSize() > font.pixelSize() - 2)
            smaller.setPixelSize(smaller.pixelSize() - 1);
        if (needed(smaller) <= r.width()) font = smaller;
    }
    if (w->font() != font) w->setFont(font);
    if (!(c.style & kCenter)) r.setWidth(std::clamp(needed(font), r.width(), room));
    if (label && r.height() > 0) {
        QFontMetrics fm(font);
        const int tall = fm.height() + (static_cast<int>(lines.size()) - 1) * fm.lineSpacing() + 2 * frame;
        if (frame == 0) r.setHeight(std::max(r.height(), tall));
        // Inside a frame the line starts higher by what it lacks (a negative
        // margin; the frame itself is the label's contents margins and stays).
        // A line that only just fits loses the last row of its descenders to the frame's edge.
        if (frame > 0) label->setMargin(std::min(0, r.height() - tall - 1));
    }
    w->setGeometry(r);
}

void ShowLabelText(ControlState& c) {
    auto* label = static_cast<QLabel*>(c.widget.data());
    QString text = LabelDisplay(c, label->buddy() != nullptr).replace("\r\n", "\n");
    label->setText(text);
    Fit(c);
    // Static text wraps only a line wider than the label: a label sized to its
    // measured text keeps its lines whole (Qt's layout would wrap at fractions of a pixel).
    bool wrap = false;
    QFontMetrics fm(label->font());
    for (const QString& line : text.split('\n')) wrap |= fm.horizontalAdvance(line) > label->contentsRect().width();
    label->setWordWrap(wrap);
}

void ConnectList(DialogState& st, ControlState* c, QListWidget* list) {
    Window dlg = Handle(&st);
    int id = c->id;
    auto notified = std::make_shared<int>(-2);
    QObject::connect(list, &QListWidget::currentRowChanged, list, [dlg, id, c, notified](int row) {
        if (Layer().silent) return;
        DialogState* d = StateOf(dlg);
        if (!d) return;
        // A list taking the focus makes its first entry current without selecting it: no change.
        if (row >= 0 && !ListWidget(c)->item(row)->isSelected()) return;
        if (c->kind == Kind::SimpleCombo) {
            QLineEdit* edit = EditField(c);
            QSignalBlocker block(edit);
            edit->setText(row >= 0 ? ListWidget(c)->item(row)->text() : QString());
            edit->selectAll();
        } else if (!(c->style & kNotify)) {
            return;
        }
        *notified = row;
        Notify(*d, id, Code::SelChange);
    });
    // A click on the entry already selected still reports a selection.
    QObject::connect(list, &QListWidget::itemPressed, list, [dlg, id, c, list, notified](QListWidgetItem* item) {
        int row = list->row(item);
        bool already = *notified == row;
        *notified = -2;
        DialogState* d = StateOf(dlg);
        if (already || !d || (c->kind == Kind::ListBox && !(c->style & kNotify))) return;
        Notify(*d, id, Code::SelChange);
    });
    auto doubleClicked = [dlg, id, c](int entry) {
        DialogState* d = StateOf(dlg);
        if (d && (c->kind != Kind::ListBox || (c->style & kNotify))) Notify(*d, id, Code::DblClick, entry);
    };
    QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                     [doubleClicked, list](QListWidgetItem* item) { doubleClicked(list->row(item)); });
    // A list box reports a double-click below its last entry too, on no entry.
    list->viewport()->installEventFilter(new BelowRowsDoubleClick(list, doubleClicked));
}

QWidget* MakeWidget(DialogState& st, ControlState* c) {
    QWidget* parent = st.client;
    Window dlg = Handle(&st);
    int id = c->id;
    switch (c->kind) {
    case Kind::Label: {
        auto* label = new QLabel(parent);
        label->setAlignment(((c->style & kCenter) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        if (c->style & kStaticEdge) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Clicks go through to what lies below (a label may reach over it, widened to its text).
        if (!(c->style & kNotify)) label->setAttribute(Qt::WA_TransparentForMouseEvents);
        return label;
    }
    case Kind::Edit: {
        auto* edit = new QLineEdit(QA(c->text), parent);
        QObject::connect(edit, &QLineEdit::textEdited, edit, [dlg, id] {
            if (DialogState* d = StateOf(dlg)) Notify(*d, id, Code::Change);
        });
        return edit;
    }
    case Kind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setVerticalScrollBarPolicy((c->style & kDisableNoScroll) ? Qt::ScrollBarAlwaysOn
                                         : (c->style & kVScroll)       ? Qt::ScrollBarAsNeeded
                                                                       : Qt::ScrollBarAlwaysOff);
        list->setUniformItemSizes(true);
        // A list box has a border only when asked for an edge.
        list->setFrameStyle((c->style & kClientEdge)   ? QFrame::StyledPanel | QFrame::Sunken
                            : (c->style & kStaticEdge) ? QFrame::Panel | QFrame::Sunken
                                                       : QFrame::NoFrame);
        if (c->style & kUseTabStops) UseTabStopDelegate(list, c);
        ConnectList(st, c, list);
        return list;
    }
    case Kind::Button: {
        auto* button = new QPushButton(QA(c->text), parent);
        button->setAutoDefault(false);
        button->setDefault(c->style & kDefault);
        QObject::connect(button, &QPushButton::clicked, button, [dlg, id] {
            if (DialogState* d = StateOf(dlg)) Notify(*d, id, Code::Clicked);
        });
        return button;
    }
    case Kind::CheckBox: {
        auto* box = new QCheckBox(QA(c->text), parent);
        QObject::connect(box, &QCheckBox::clicked, box, [dlg, id] {
            if (DialogState* d = StateOf(dlg)) Notify(*d, id, Code::Clicked);
        });
        return box;
    }
    case Kind::DropList: {
        auto* combo = new QComboBox(parent);
        QObject::connect(combo, &QComboBox::activated, combo, [dlg, id] {
            if (DialogState* d = StateOf(dlg)) Notify(*d, id, Code::SelChange);
        });
        return combo;
    }
    case Kind::SimpleCombo: {
        auto* combo = new SimpleCombo(parent);
        QObject::connect(combo->edit, &QLineEdit::textEdited, combo, [dlg, id] {
            if (DialogState* d = StateOf(dlg)) Notify(*d, id, Code::Change);
        });
        ConnectList(st, c, combo->list);
        return combo;
    }
    case Kind::BlackFrame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
        QPalette p = frame->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        frame->setPalette(p);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        MarkUnseen(frame);
        return frame;
    }
    case Kind::Icon: return new QLabel(parent);
    case Kind::StatusBar: return new StatusBar(parent, c);
    }
    return new QWidget(parent);
}

int StatusBarHeight(const DialogState& st) { return QFontMetrics(st.font).height() + 9; }

}  // namespace

bool NotifiesFocus(Kind kind) {
    return kind == Kind::Edit || kind == Kind::ListBox || kind == Kind::DropList || kind == Kind::SimpleCombo;
}

void LayoutStatusBars(DialogState& st) {
    int h = StatusBarHeight(st);
    for (ControlState* c : st.controls)
        if (c->kind == Kind::StatusBar && c->widget)
            c->widget->setGeometry(0, st.client->height() - h, st.client->width(), h);
}

// Sets a control's rectangle as the control keeps it: a drop list is as high
// as its closed box, and a list box with tab stops (the item list) keeps its
// height a whole number of rows, as the list box does, so that its scroll
// bar ends with its last row.
static int WholeRows(const ControlState& c, int height) {
    if (c.kind != Kind::ListBox || !(c.style & kUseTabStops) || (c.style & kNoIntegralHeight)) return height;
    const int row = QFontMetrics(c.widget->font()).height();
    const int frame = 2 * static_cast<QFrame*>(c.widget.data())->frameWidth();
    return row > 0 && height - frame > row ? height - (height - frame) % row : height;
}

static void Place(ControlState& c, int left, int top, int width, int height) {
    QWidget* w = c.widget;
    if (c.kind == Kind::DropList) height = std::min(height, w->sizeHint().height());
    height = WholeRows(c, height);
    c.placed = QRect(left, top, width, height);
    w->setGeometry(c.placed);
    Fit(c);
}

void LayoutAnchored(DialogState& st) {
    if (!st.firstClient.isValid()) return;
    const int dw = st.client->width() - st.firstClient.width();
    const int dh = st.client->height() - st.firstClient.height();
    for (ControlState* c : st.controls) {
        if (!(c->style & kLayoutBits) || c->kind == Kind::StatusBar || !c->widget) continue;
        // A list of whole rows grows from the height it was cut to, so that
        // it never reaches below a frame made to surround it.
        const Rect& r = c->rect;
        const Edges e =
            AnchoredEdges({r.left, r.top, r.left + r.width, r.top + WholeRows(*c, r.height)}, c->style, dw, dh);
        Place(*c, e.left, e.top, e.right - e.left, e.bottom - e.top);
    }
}

void CreateControl(DialogState& st, const ControlSpec& spec) {
    auto* c = new ControlState;
    c->id = spec.id;
    c->kind = spec.kind;
    c->style = spec.style;
    c->rect = st.spec.dialogUnits ? ToPixels(st, spec.rect) : spec.rect;
    c->text = spec.kind == Kind::Icon ? std::string() : spec.text;
    ControlState* previous = st.controls.empty() ? nullptr : st.controls.back();
    st.controls.push_back(c);
    QWidget* w = MakeWidget(st, c);
    c->widget = w;
    w->setFocusPolicy(spec.kind == Kind::Label || spec.kind == Kind::BlackFrame || spec.kind == Kind::Icon ||
                              spec.kind == Kind::StatusBar
                          ? Qt::NoFocus
                      : (spec.style & kTabStop) ? Qt::StrongFocus
                                                : Qt::ClickFocus);
    if (spec.kind == Kind::Label) ShowLabelText(*c);
    // A label's mnemonic moves the focus to the control made after it.
    if (previous && previous->kind == Kind::Label && !(previous->style & kNoPrefix) && previous->widget &&
        QA(previous->text).contains('&') && w->focusPolicy() != Qt::NoFocus) {
        static_cast<QLabel*>(previous->widget.data())->setBuddy(w);
        ShowLabelText(*previous);
    }
    if (spec.kind == Kind::StatusBar) {
        LayoutStatusBars(st);
    } else {
        const Rect& r = c->rect;
        Place(*c, r.left, r.top, r.width, r.height);
    }
    if (spec.style & kLayoutBits) LayoutAnchored(st);  // a control added to a grown dialog
    if (spec.kind == Kind::Label) ShowLabelText(*c);  // wrapping depends on the size
    if (previous) {
        const ControlSpec before{previous->id, previous->kind, previous->text, {}, previous->style};
        const std::string name = NameFromPrevious(&before, spec.kind);
        if (!name.empty()) {
            ApplyAccessibleName(*c, name);
            // Also the label's relation: a drop list's own name is its current entry.
            auto* label = static_cast<QLabel*>(previous->widget.data());
            if (!label->buddy() && !(previous->style & kNoPrefix)) label->setBuddy(w);
            ShowLabelText(*previous);
        }
    }
    if (spec.kind == Kind::StatusBar) static_cast<StatusBar*>(w)->Sync();
    // A control of no size (a button only there to take a command) is never seen, nor offered to a screen reader.
    w->setVisible(Offered(*c));
}

}  // namespace plat::qt

namespace plat {
using namespace plat::qt;

void SetText(Window dlg, int id, const std::string& text) {
    DialogState* st = StateOf(dlg);
    if (!st) return;
    if (id == 0) return SetCaption(dlg, text);
    ControlState* c = ControlOf(dlg, id);
    if (!c || !c->widget) return;
    c->text = text;
    switch (c->kind) {
    case Kind::Edit:
    case Kind::SimpleCombo:
        // The change is reported before SetText returns, as an edit control does.
        EditField(c)->setText(QA(text));
        Notify(*st, id, Code::Change);
        return;
    case Kind::Label: ShowLabelText(*c); return;
    case Kind::Button: static_cast<QAbstractButton*>(c->widget.data())->setText(QA(text)); return;
    case Kind::CheckBox:
        static_cast<QAbstractButton*>(c->widget.data())->setText(QA(text));
        Fit(*c);
        return;
    default: return;
    }
}

std::string GetText(Window dlg, int id) {
    if (id == 0) return GetCaption(dlg);
    ControlState* c = ControlOf(dlg, id);
    if (!c || !c->widget) return {};
    if (QLineEdit* e = EditField(c)) return A(e->text());
    if (QComboBox* combo = DropList(c)) return A(combo->currentText());
    if (c->kind == Kind::Button || c->kind == Kind::CheckBox)
        return A(static_cast<QAbstractButton*>(c->widget.data())->text());
    return c->text;
}

std::vector<std::string> CharactersLostInAnsi(Window dlg, int id) {
    // What the list file's code page lacks shows in the field but comes back as "?".
    ControlState* c = ControlOf(dlg, id);
    if (!c || !c->widget || !EditField(c)) return {};
    return pantrium::files::CharactersNotInAnsi(U(EditField(c)->text()));
}

void LimitText(Window dlg, int id, int chars) {
    ControlState* c = ControlOf(dlg, id);
    if (QLineEdit* e = EditField(c)) {
        c->limit = chars;
        e->setMaxLength(chars > 0 ? chars : 32767);
    }
}

void SelectAllText(Window dlg, int id) {
    if (QLineEdit* e = EditField(ControlOf(dlg, id))) e->selectAll();
}

void SetFocus(Window dlg, int id) {
    DialogState* st = StateOf(dlg);
    ControlState* c = ControlOf(dlg, id);
    if (!st || !c || !c->widget) return;
    QWidget* target = c->widget;
    if (st->frame->isVisible() && st->frame->isActiveWindow()) {
        target->setFocus(Qt::OtherFocusReason);  // the focus events notify
        return;
    }
    // A window not shown yet, or not the active one, hears of no focus change
    // from Qt: the notifications are sent here.
    ControlState* old = nullptr;
    if (QWidget* f = st->frame->focusWidget()) DialogOfWidget(f, &old);
    if (old == c) return;
    if (old && NotifiesFocus(old->kind)) Notify(*st, old->id, Code::KillFocus);
    if (!(c = ControlOf(dlg, id)) || !c->widget) return;
    c->widget->setFocus(Qt::OtherFocusReason);
    if (NotifiesFocus(c->kind)) Notify(*st, id, Code::SetFocus);
}

int GetFocus(Window dlg) {
    DialogState* st = StateOf(dlg);
    if (!st) return 0;
    ControlState* c = nullptr;
    if (QWidget* f = st->frame->focusWidget()) DialogOfWidget(f, &c);
    return c ? c->id : 0;
}

void ShowControl(Window dlg, int id, bool visible) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || !c->widget) return;
    c->style = visible ? c->style & ~kHidden : c->style | kHidden;
    c->widget->setVisible(Offered(*c));
}

bool IsVisible(Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c && !(c->style & kHidden);
}

void SetCheck(Window dlg, int id, bool checked) {
    ControlState* c = ControlOf(dlg, id);
    if (c && c->widget && c->kind == Kind::CheckBox) static_cast<QCheckBox*>(c->widget.data())->setChecked(checked);
}

bool GetCheck(Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c && c->widget && c->kind == Kind::CheckBox && static_cast<QCheckBox*>(c->widget.data())->isChecked();
}

void SetDefaultButton(Window dlg, int id, bool isDefault) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || !c->widget || c->kind != Kind::Button) return;
    if (isDefault) {
        // One default button: Enter follows the look.
        if (DialogState* st = StateOf(dlg))
            for (ControlState* other : st->controls)
                if (other != c && other->kind == Kind::Button && (other->style & kDefault)) {
                    other->style &= ~kDefault;
                    static_cast<QPushButton*>(other->widget.data())->setDefault(false);
                }
        c->style |= kDefault;
    } else {
        c->style &= ~kDefault;
    }
    static_cast<QPushButton*>(c->widget.data())->setDefault(isDefault);
}

void SetColors(Window dlg, int id, int textRgb, int backRgb) {
    DialogState* st = StateOf(dlg);
    if (!st) return;
    QWidget* w = id == 0 ? st->frame : nullptr;
    if (ControlState* c = id == 0 ? nullptr : ControlOf(dlg, id)) {
        c->textColor = textRgb;
        c->backColor = backRgb;
        w = c->widget;
    }
    if (!w) return;
    QPalette p = w->palette();
    if (textRgb >= 0) {
        p.setColor(QPalette::WindowText, FromColorRef(textRgb));
        p.setColor(QPalette::Text, FromColorRef(textRgb));
    }
    if (backRgb >= 0) {
        p.setColor(QPalette::Window, FromColorRef(backRgb));
        p.setColor(QPalette::Base, FromColorRef(backRgb));
    }
    w->setPalette(p);
    w->setAutoFillBackground(backRgb >= 0);
}

void SetControlFont(Window dlg, int id, Font font) {
    ControlState* c = ControlOf(dlg, id);
    DialogState* st = StateOf(dlg);
    if (!c || !c->widget || !st) return;
    c->font = font;
    c->widget->setFont(font ? FontOf(font) : st->font);
    if (c->kind == Kind::Label) ShowLabelText(*c);
}

Font GetControlFont(Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    DialogState* st = StateOf(dlg);
    if (!c || !st) return 0;
    return c->font ? c->font : st->fontHandle;
}

// ---- list box and combo box ------------------------------------------------

void ListReset(Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    Layer().silent = true;
    if (QListWidget* l = ListWidget(c)) {
        l->clear();
        if (c->kind == Kind::SimpleCombo) {
            QSignalBlocker block(EditField(c));
            EditField(c)->clear();
        }
    } else if (QComboBox* combo = DropList(c)) {
        combo->clear();
    }
    Layer().silent = false;
}

int ListAdd(Window dlg, int id, const std::string& text) {
    ControlState* c = ControlOf(dlg, id);
    if (QListWidget* l = ListWidget(c)) {
        l->addItem(QA(text));
        ApplyEntrySpeech(*c, l->item(l->count() - 1));
        return l->count() - 1;
    }
    if (QComboBox* combo = DropList(c)) {
        // A combo box makes its first entry current; a drop list stays without a selection.
        int selected = combo->currentIndex();
        Layer().silent = true;
        combo->addItem(QA(text));
        combo->setCurrentIndex(selected);
        Layer().silent = false;
        return combo->count() - 1;
    }
    return -1;
}

void ListInsert(Window dlg, int id, int index, const std::string& text) {
    ControlState* c = ControlOf(dlg, id);
    Layer().silent = true;
    if (QListWidget* l = ListWidget(c)) {
        auto* item = new QListWidgetItem(QA(text));
        ApplyEntrySpeech(*c, item);
        l->insertItem(index < 0 ? l->count() : index, item);
    } else if (QComboBox* combo = DropList(c)) {
        int selected = combo->currentIndex();
        int at = index < 0 ? combo->count() : index;
        combo->insertItem(at, QA(text));
        combo->setCurrentIndex(selected < 0 ? -1 : selected >= at ? selected + 1 : selected);
    }
    Layer().silent = false;
}

void ListDelete(Window dlg, int id, int index) {
    ControlState* c = ControlOf(dlg, id);
    Layer().silent = true;
    if (QListWidget* l = ListWidget(c)) {
        if (index >= 0 && index < l->count()) {
            // Win32 drops the selection with the selected entry.
            if (l->currentRow() == index) l->setCurrentRow(-1);
            delete l->takeItem(index);
        }
    } else if (QComboBox* combo = DropList(c)) {
        combo->removeItem(index);
    }
    Layer().silent = false;
}

void ListFill(Window dlg, int id, int count, const std::function<std::string(int)>& rowText) {
    const int top = ListTopIndex(dlg, id);
    QWidget* w = ControlOf(dlg, id) ? ControlOf(dlg, id)->widget.data() : nullptr;
    if (w) w->setUpdatesEnabled(false);  // drawn once, at the end
    ListReset(dlg, id);
    for (int i = 0; i < count; ++i) ListAdd(dlg, id, rowText(i));
    ListSetTopIndex(dlg, id, top);
    if (w) w->setUpdatesEnabled(true);
}

void ListReplace(Window dlg, int id, int index, const std::string& text) {
    // Taking the item out scrolls the list view; the first visible row stays.
    const int top = ListTopIndex(dlg, id);
    ListDelete(dlg, id, index);
    ListInsert(dlg, id, index, text);
    ListSetTopIndex(dlg, id, top);
    if (ControlState* c = ControlOf(dlg, id); c && c->kind == Kind::ListBox) AnnounceEntry(ListWidget(c), index);
}

int ListCount(Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    if (QListWidget* l = ListWidget(c)) return l->count();
    if (QComboBox* combo = DropList(c)) return combo->count();
    return 0;
}

std::string ListText(Window dlg, int id, int index) {
    ControlState* c = ControlOf(dlg, id);
    if (QListWidget* l = ListWidget(c)) return index >= 0 && index < l->count() ? A(l->item(index)->text()) : "";
    if (QComboBox* combo = DropList(c)) return A(combo->itemText(index));
    return {};
}

int ListGetSel(Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    if (QListWidget* l = ListWidget(c)) {
        QListWidgetItem* item = l->currentItem();
        return item && item->isSelected() ? l->row(item) : -1;
    }
    if (QComboBox* combo = DropList(c)) return combo->currentIndex();
    return -1;
}

void ListSetSel(Window dlg, int id, int index) {
    ControlState* c = ControlOf(dlg, id);
    Layer().silent = true;
    if (QListWidget* l = ListWidget(c)) {
        if (index < 0 || index >= l->count()) {
            l->setCurrentRow(-1);
            l->clearSelection();
            if (c->kind == Kind::SimpleCombo) {
                QSignalBlocker block(EditField(c));
                EditField(c)->clear();
            }
        } else {
            l->setCurrentRow(index);
            l->scrollToItem(l->item(index));
            if (c->kind == Kind::SimpleCombo) {
                QSignalBlocker block(EditField(c));
                EditField(c)->setText(l->item(index)->text());
                EditField(c)->selectAll();
            }
        }
    } else if (QComboBox* combo = DropList(c)) {
        combo->setCurrentIndex(index < combo->count() ? index : -1);
    }
    Layer().silent = false;
}

int ListTopIndex(Window dlg, int id) {
    QListWidget* l = ListWidget(ControlOf(dlg, id));
    if (!l || l->count() == 0) return 0;
    QModelIndex top = l->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void ListSetTopIndex(Window dlg, int id, int index) {
    QListWidget* l = ListWidget(ControlOf(dlg, id));
    if (l && index >= 0 && index < l->count()) l->scrollToItem(l->item(index), QAbstractItemView::PositionAtTop);
}

int ListFindExact(Window dlg, int id, int startAfter, const std::string& text) {
    int n = ListCount(dlg, id);
    QString wanted = QA(text);
    int first = startAfter < 0 || startAfter >= n ? 0 : startAfter + 1;
    for (int k = 0; k < n; ++k) {
        int i = (first + k) % n;
        if (QA(ListText(dlg, id, i)).compare(wanted, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

void ListSetTabStops(Window dlg, int id, const std::vector<int>& stops) {
    ControlState* c = ControlOf(dlg, id);
    if (!c) return;
    c->tabStops = stops;
    if (QListWidget* l = ListWidget(c)) l->viewport()->update();
}

int ListItemFromPoint(Window dlg, int id, int screenX, int screenY) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || c->kind != Kind::ListBox) return -1;
    QListWidget* l = ListWidget(c);
    QPoint at = l->viewport()->mapFromGlobal(QPoint(screenX, screenY));
    if (!l->viewport()->rect().contains(at)) return -1;
    QListWidgetItem* item = l->itemAt(at);  // none below the last entry
    return item ? l->row(item) : -1;
}

Rect ListItemRect(Window dlg, int id, int index) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || c->kind != Kind::ListBox) return {};
    QListWidget* l = ListWidget(c);
    QListWidgetItem* item = l->item(index);
    if (!item) return {};
    QRect r = l->visualItemRect(item);
    QPoint at = l->viewport()->mapToGlobal(r.topLeft());
    return {at.x(), at.y(), r.width(), r.height()};
}

// ---- status bar ------------------------------------------------------------

void SetStatusParts(Window dlg, int id, const std::vector<int>& rightEdges) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || c->kind != Kind::StatusBar) return;
    c->statusEdges = rightEdges;
    c->statusTexts.resize(std::max<size_t>(1, rightEdges.size()));
    static_cast<StatusBar*>(c->widget.data())->Sync();
}

void SetStatusText(Window dlg, int id, int part, const std::string& text) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || c->kind != Kind::StatusBar || part < 0 || part > 255) return;
    if (c->statusTexts.size() <= static_cast<size_t>(part)) c->statusTexts.resize(part + 1);
    c->statusTexts[part] = text;
    static_cast<StatusBar*>(c->widget.data())->Sync();
}

std::string GetStatusText(Window dlg, int id, int part) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || part < 0 || static_cast<size_t>(part) >= c->statusTexts.size()) return {};
    return c->statusTexts[part];
}

}  // namespace plat

// Dialogs on Qt: a top-level window per DialogSpec run in a nested event loop,
// and one application-wide event filter that turns Qt's events into the
// layer's: key presses and releases (accelerators, key hooks, Escape and
// Enter), focus changes, context menus, clicks on notifying labels and the
// pointer entering a control.
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

#include "platform/window/qt/qt_state.h"

// The layer's compiled-in resources (the program's icon) sit in a static
// library; only a reference to their initialiser brings them into a program.
// Q_INIT_RESOURCE must be used outside any namespace.
static void InitLayerResources() { Q_INIT_RESOURCE(pantrium); }

namespace plat::qt {
namespace {

class Frame : public QWidget {
public:
    Frame(DialogState* st, QWidget* owner, Qt::WindowFlags flags, WindowRole role) : QWidget(owner, flags), st_(st) {
        MarkWindowRole(this, role);  // before anything asks for its accessible interface
    }

protected:
    void closeEvent(QCloseEvent* e) override {
        // The close box, Alt+F4 and the window menu's Close: the callback decides.
        e->ignore();
        if (StateOf(Handle(st_)) == st_) SendClose(Handle(st_));
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && StateOf(Handle(st_)) == st_) Deliver(*st_, Event{Msg::Activate});
        return QWidget::event(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (StateOf(Handle(st_)) == st_) LayoutClient(*st_);
    }

private:
    DialogState* st_;
};

// The command Enter sends: the focused push button's, else the default one's, else 1.
int EnterCommand(const DialogState& st, const ControlState* focused) {
    if (focused && focused->kind == Kind::Button) return focused->id;
    for (const ControlState* c : st.controls)
        if (c->kind == Kind::Button && (c->style & kDefault)) return c->id;
    return 1;
}

// Up and Down walk a list box, and a simple combo's list from its edit field;
// with no selection they select the first entry.
void StepList(DialogState& st, ControlState& c, int step) {
    Window dlg = Handle(&st);
    int count = ListCount(dlg, c.id);
    if (count == 0) return;
    int from = ListGetSel(dlg, c.id);
    int to = from < 0 ? 0 : std::clamp(from + step, 0, count - 1);
    if (to == from) return;
    ListSetSel(dlg, c.id, to);
    if (c.kind == Kind::SimpleCombo || (c.style & kNotify)) Notify(st, c.id, Code::SelChange);
}

class EventFilter : public QObject {
public:
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (!obj->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(obj);
        switch (ev->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: return Key(w, static_cast<QKeyEvent*>(ev));
        case QEvent::FocusIn:
        case QEvent::FocusOut: Focus(w, static_cast<QFocusEvent*>(ev)); return false;
        case QEvent::ContextMenu: return ContextMenu(w, static_cast<QContextMenuEvent*>(ev));
        case QEvent::MouseButtonRelease: return LabelClick(w, static_cast<QMouseEvent*>(ev));
        case QEvent::Enter: Enter(w); return false;
        default: return false;
        }
    }

private:
    bool Key(QWidget* w, QKeyEvent* e) {
        ControlState* c = nullptr;
        DialogState* st = DialogOfWidget(w, &c);
        if (!st) return false;
        // Only the first receiver: a key the focused control ignores travels up to its parents.
        QWidget* focus = st->frame->focusWidget();
        bool first = w == focus || (focus ? c && w == c->widget && !c->widget->isAncestorOf(focus)
                                          : w == st->frame || w == st->client);
        if (!first) return false;
        int vk = VirtualKey(e->key());
        bool down = e->type() == QEvent::KeyPress;
        bool shift = (e->modifiers() & Qt::ShiftModifier) || e->key() == Qt::Key_Backtab;
        bool ctrl = e->modifiers() & Qt::ControlModifier;
        bool alt = e->modifiers() & Qt::AltModifier;
        bool plain = !ctrl && !alt;
        bool inEdit = c && (c->kind == Kind::Edit || c->kind == Kind::SimpleCombo);
        Window dlg = Handle(st);
        if (down && !alt && vk) {
            for (const Accelerator& a : st->accelerators)
                if (a.vk == vk && a.shift == shift && a.ctrl == ctrl && !(a.editKeeps && inEdit)) {
                    Notify(*st, a.command, Code::Clicked);
                    return true;
                }
        }
        if (plain && (vk == kVkApps || (vk == kVkF10 && shift)) && !inEdit) {
            // The focused control's context menu, asked once, at the press.
            if (down) Deliver(*st, Event{Msg::ContextMenu, c ? c->id : 0, Code::None, -1, -1});
            return true;
        }
        int id = c ? c->id : 0;
        if (c && c->hook && vk) {
            KeyHook hook = c->hook;  // the hook may remove itself
            hook(dlg, id, vk, down);
            if (!(st = StateOf(dlg))) return true;
            c = ControlOf(dlg, id);
        }
        if (!down || !plain) return false;
        if (vk == kVkEscape) {
            Notify(*st, 2, Code::Clicked);
            return true;
        }
        if (vk == kVkReturn) {
            Notify(*st, EnterCommand(*st, c), Code::Clicked);
            return true;
        }
        if (c && (c->kind == Kind::SimpleCombo || c->kind == Kind::ListBox) && (vk == kVkUp || vk == kVkDown)) {
            StepList(*st, *c, vk == kVkUp ? -1 : 1);
            return true;
        }
        return false;
    }

    void Focus(QWidget* w, QFocusEvent* e) {
        // Windows coming and going (another dialog, a prompt, a menu) move no focus.
        if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
        ControlState* c = nullptr;
        DialogState* st = DialogOfWidget(w, &c);
        if (!st || !c || !NotifiesFocus(c->kind)) return;
        if (w != c->widget && w != c->widget->focusProxy()) return;
        Notify(*st, c->id, e->type() == QEvent::FocusIn ? Code::SetFocus : Code::KillFocus);
    }

    bool ContextMenu(QWidget* w, QContextMenuEvent* e) {
        ControlState* c = nullptr;
        DialogState* st = DialogOfWidget(w, &c);
        if (!st) return false;
        if (c && (c->kind == Kind::Edit || (c->kind == Kind::SimpleCombo && w == c->widget->focusProxy())))
            return false;  // an edit shows its own standard menu
        Event ev{Msg::ContextMenu, c ? c->id : 0, Code::None, e->globalPos().x(), e->globalPos().y()};
        if (e->reason() == QContextMenuEvent::Keyboard) ev.x = ev.y = -1;  // no pointer position
        Deliver(*st, ev);
        return true;
    }

    bool LabelClick(QWidget* w, QMouseEvent* e) {
        if (e->button() != Qt::LeftButton) return false;
        ControlState* c = nullptr;
        DialogState* st = DialogOfWidget(w, &c);
        if (!st || !c || c->kind != Kind::Label || !(c->style & kNotify) || w != c->widget) return false;
        if (!w->rect().contains(e->position().toPoint())) return false;
        Notify(*st, c->id, Code::Clicked);
        return true;
    }

    void Enter(QWidget* w) {
        ControlState* c = nullptr;
        DialogState* st = DialogOfWidget(w, &c);
        if (!st) return;
        CursorQuery(*st, c ? c->widget.data() : st->client, c ? c->id : -1);
    }
};

Qt::WindowFlags FlagsFor(const DialogSpec& spec) {
    Qt::WindowFlags f = (spec.owner ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint;
    if (spec.frame & kCaption) f |= Qt::WindowTitleHint;
    if (spec.frame & kSysMenu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (spec.frame & kMinimizeBox) f |= Qt::WindowMinimizeButtonHint;
    if (spec.frame & kResizable) f |= Qt::WindowMaximizeButtonHint;
    return f;
}

// Builds the window and its controls, placed and sized, not yet shown.
DialogState* CreateDialog(const DialogSpec& spec, const Callback& callback) {
    auto* st = new DialogState;
    st->callback = callback;
    st->spec = spec;
    DialogState* owner = StateOf(spec.owner);
    // The main window reads as a frame, every other window as a dialog.
    const WindowRole role = spec.owner || (spec.frame & kModalFrame) ? WindowRole::Dialog : WindowRole::Frame;
    auto* frame = new Frame(st, owner ? owner->frame : nullptr, FlagsFor(spec), role);
    st->frame = frame;
    st->font = DialogFont(spec.fontFace, spec.fontPoints);
    frame->setFont(st->font);
    st->fontHandle = DialogFontHandle(st->font);
    frame->setWindowTitle(Q(spec.caption));
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    if (owner) frame->setWindowModality(Qt::WindowModal);  // the owner takes no input meanwhile
    st->client = new QWidget(frame);
    if (spec.background >= 0) {
        QPalette p = frame->palette();
        p.setColor(QPalette::Window, FromColorRef(spec.background));
        frame->setPalette(p);
        frame->setAutoFillBackground(true);
    }
    Layer().running.push_back(st);
    Rect client{0, 0, spec.width, spec.height};
    if (spec.dialogUnits) client = ToPixels(*st, client);
    frame->resize(client.width, client.height);
    st->client->setGeometry(0, 0, client.width, client.height);
    for (const ControlSpec& c : spec.controls) CreateControl(*st, c);
    Rect work = WorkArea();
    int x = work.left, y = work.top;
    if (spec.centred) {
        x = work.left + (work.width - client.width) / 2;
        y = work.top + (work.height - client.height) / 2;
    }
    frame->move(x, y);
    return st;
}

void FocusFirstTabStop(DialogState& st) {
    for (const ControlState* c : st.controls)
        if ((c->style & kTabStop) && !(c->style & kHidden)) {
            SetFocus(Handle(&st), c->id);
            return;
        }
}

void Release(DialogState* st) {
    std::vector<DialogState*>& running = Layer().running;
    running.erase(std::remove(running.begin(), running.end(), st), running.end());
    ForgetMenuOwner(*st);
    delete st->frame;  // and every control with it
    st->frame = nullptr;
    ReleaseDialogFont(st->fontHandle);
    delete st;
}

}  // namespace

DialogState::~DialogState() {
    for (ControlState* c : controls) delete c;
}

const std::vector<DialogState*>& Dialogs() { return Layer().running; }

DialogState* StateOf(Window dlg) {
    for (DialogState* st : Layer().running)
        if (Handle(st) == dlg) return st;
    return nullptr;
}

ControlState* ControlOf(Window dlg, int id) {
    DialogState* st = StateOf(dlg);
    if (!st) return nullptr;
    for (ControlState* c : st->controls)
        if (c->id == id) return c;
    return nullptr;
}

DialogState* DialogOfWidget(QWidget* w, ControlState** control) {
    if (control) *control = nullptr;
    // Up to the window; a control's own children (viewport, edit field) count as the control.
    for (QWidget* at = w; at; at = at->isWindow() ? nullptr : at->parentWidget()) {
        for (DialogState* st : Layer().running) {
            if (at == st->frame || at == st->client) return st;
            for (ControlState* c : st->controls)
                if (c->widget == at) {
                    if (control) *control = c;
                    return st;
                }
        }
    }
    return nullptr;
}

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "pantrium";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QApplication(argc, argv);
    static const bool resources = (InitLayerResources(), true);
    (void)resources;
    // The program ends when its main dialog returns, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    if (!Layer().eventFilter) {
        Layer().eventFilter = new EventFilter;
        qApp->installEventFilter(Layer().eventFilter);
        InstallAccessibleFactory();
    }
}

int Deliver(DialogState& st, const Event& e) {
    Callback callback = st.callback;  // the callback may start nested dialogs
    return callback ? callback(Handle(&st), e) : 0;
}

int Notify(DialogState& st, int id, Code code, int entry) {
    Event e{Msg::Command, id, code};
    e.entry = entry;
    return Deliver(st, e);
}

void LayoutClient(DialogState& st) {
    // The menu bar takes its height from the client area; the outer size stays.
    int menuHeight = 0;
    if (st.menuBar) {
        menuHeight = st.menuBar->sizeHint().height();
        st.menuBar->setGeometry(0, 0, st.frame->width(), menuHeight);
    }
    st.client->setGeometry(0, menuHeight, st.frame->width(), std::max(0, st.frame->height() - menuHeight));
    LayoutStatusBars(st);
    LayoutAnchored(st);
}

// Once Init is done the size is known: a resizable dialog's first size is
// its smallest; any other dialog keeps it.
void HoldSize(DialogState& st) {
    LayoutClient(st);
    if (st.spec.frame & kResizable) {
        st.firstClient = st.client->size();
        st.frame->setMinimumSize(st.frame->size());
    } else {
        st.frame->setFixedSize(st.frame->size());
    }
}

}  // namespace plat::qt

namespace plat {
using namespace plat::qt;

int RunDialog(const DialogSpec& spec, const Callback& callback) {
    EnsureApplication();
    if (Hooks().dialogRun) Hooks().dialogRun(spec);
    DialogState* st = CreateDialog(spec, callback);
    Window handle = Handle(st);
    DialogState* owner = StateOf(spec.owner);
    bool ownerWasEnabled = owner ? owner->enabled : true;
    if (owner) owner->enabled = false;

    int handled = Deliver(*st, Event{Msg::Init});
    if (!st->ended && !handled && !st->frame->focusWidget()) FocusFirstTabStop(*st);
    if (!st->ended) {
        HoldSize(*st);
        st->shown = true;
        const QPoint placed = st->frame->pos();
        st->frame->show();
        // The frame is known once shown: a centred dialog is centred by its outer size
        // (unless Init has moved it).
        if (spec.centred && st->frame->pos() == placed) {
            const QRect outer = st->frame->frameGeometry();
            const Rect work = WorkArea();
            st->frame->move(work.left + (work.width - outer.width()) / 2, work.top + (work.height - outer.height()) / 2);
        }
        st->frame->raise();
        st->frame->activateWindow();
        if (Hooks().modalStep) {
            while (!st->ended) Hooks().modalStep(handle);
        } else {
            QEventLoop loop;
            st->loop = &loop;
            if (!st->ended) loop.exec();
            st->loop = nullptr;
        }
    }
    int result = st->result;
    st->shown = false;
    st->frame->hide();
    Deliver(*st, Event{Msg::Destroy});
    if ((owner = StateOf(spec.owner))) {
        owner->enabled = ownerWasEnabled;
        if (owner->shown) owner->frame->activateWindow();
    }
    Release(st);
    return result;
}

void EndDialog(Window dlg, int result) {
    DialogState* st = StateOf(dlg);
    if (!st || st->ended) return;
    st->ended = true;
    st->result = result;
    if (st->loop) st->loop->exit(0);
}

void AddControl(Window dlg, const ControlSpec& spec) {
    if (DialogState* st = StateOf(dlg)) CreateControl(*st, spec);
}

int SendCommand(Window dlg, int id, Code code) {
    DialogState* st = StateOf(dlg);
    return st ? Notify(*st, id, code) : 0;
}

int SendUser(Window dlg, int number) {
    DialogState* st = StateOf(dlg);
    return st ? Deliver(*st, Event{Msg::User, number}) : 0;
}

int SendClose(Window dlg) {
    DialogState* st = StateOf(dlg);
    if (!st) return 0;
    int r = Deliver(*st, Event{Msg::Close});
    if (r == 0) EndDialog(dlg, 2);
    return r;
}

void SetCaption(Window dlg, const std::string& caption) {
    if (DialogState* st = StateOf(dlg)) st->frame->setWindowTitle(Q(caption));
}

std::string GetCaption(Window dlg) {
    DialogState* st = StateOf(dlg);
    return st ? U(st->frame->windowTitle()) : std::string();
}

Rect GetWindowRect(Window dlg) {
    DialogState* st = StateOf(dlg);
    if (!st) return {};
    QRect r = st->frame->frameGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void MoveWindow(Window dlg, const Rect& outer) {
    DialogState* st = StateOf(dlg);
    if (!st) return;
    // The window manager's frame around the client area, when it has drawn one.
    QRect frame = st->frame->frameGeometry(), inner = st->frame->geometry();
    int left = inner.x() - frame.x(), top = inner.y() - frame.y();
    int right = frame.right() - inner.right(), bottom = frame.bottom() - inner.bottom();
    // A dialog of one size takes the new one as its only size.
    if (!(st->spec.frame & kResizable) && st->shown)
        st->frame->setFixedSize(std::max(0, outer.width - left - right), std::max(0, outer.height - top - bottom));
    st->frame->setGeometry(outer.left + left, outer.top + top, std::max(0, outer.width - left - right),
                           std::max(0, outer.height - top - bottom));
    LayoutClient(*st);
}

void SetTopMost(Window dlg) {
    DialogState* st = StateOf(dlg);
    if (!st) return;
    st->topMost = true;
    bool visible = st->frame->isVisible();
    st->frame->setWindowFlag(Qt::WindowStaysOnTopHint, true);  // hides the window
    if (visible) st->frame->show();
}

Rect WorkArea() {
    EnsureApplication();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {0, 0, 1024, 740};
    QRect r = screen->availableGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

Window ActiveWindow() {
    const std::vector<DialogState*>& running = Layer().running;
    if (QWidget* w = QApplication::activeWindow())
        for (DialogState* st : running)
            if (st->frame == w) return Handle(st);
    for (auto it = running.rbegin(); it != running.rend(); ++it)
        if ((*it)->shown) return Handle(*it);
    return 0;
}

void SetDialogIcon(Window dlg, const std::string& resourceName) {
    DialogState* st = StateOf(dlg);
    if (!st) return;
    st->icon = resourceName;
    QIcon icon = ProgramIcon(resourceName);
    if (icon.isNull()) return;
    st->frame->setWindowIcon(icon);
    // Every later window (dialogs, message boxes, file dialogs, the help window) shows it too.
    QApplication::setWindowIcon(icon);
}

}  // namespace plat

// The scripted user on the Qt layer: real Qt events to the widgets (mouse
// presses and releases, double-clicks, key presses and releases to the focus
// widget, typed characters, context-menu and enter events, the window's close
// request), and a watcher that answers the message box and the file dialog
// the way a person clicks their buttons. A print job goes to a PDF file in
// the current folder (PANTRIUM_PRINT_TO), or is refused in place of the print
// dialog (the layer's printerDialog hook).
#include "drivers/user.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <cstdlib>
#include <deque>
#include <map>

#include "platform/qt/qt_hooks.h"
#include "platform/qt/qt_internal.h"

namespace drivers {
namespace {

using plat::qt::ControlOf;
using plat::qt::ControlState;
using plat::qt::StateOf;

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

int QtKey(int vk) {
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
    if (vk >= 0x70 && vk <= 0x87) return Qt::Key_F1 + (vk - 0x70);
    static const std::map<int, int> keys = {
        {plat::kVkReturn, Qt::Key_Return}, {plat::kVkEscape, Qt::Key_Escape}, {plat::kVkTab, Qt::Key_Tab},
        {plat::kVkUp, Qt::Key_Up},         {plat::kVkDown, Qt::Key_Down},     {plat::kVkShift, Qt::Key_Shift},
        {0x08, Qt::Key_Backspace},         {0x20, Qt::Key_Space},
    };
    auto it = keys.find(vk);
    return it == keys.end() ? 0 : it->second;
}

class QtUser : public User {
public:
    std::string Name() const override { return "qt"; }

    void WhenShown(plat::Window dlg, std::function<void()> body) override {
        plat::qt::EnsureApplication();
        auto* timer = new QTimer;
        // A handle may come again for a later dialog: the frame tells them apart.
        QPointer<QWidget> frame = StateOf(dlg) ? StateOf(dlg)->frame : nullptr;
        QObject::connect(timer, &QTimer::timeout, [timer, dlg, frame, body] {
            plat::qt::DialogState* st = StateOf(dlg);
            const bool same = st && frame && st->frame == frame.data();
            if (same && !(st->shown && st->frame->isVisible())) return;
            timer->stop();
            timer->deleteLater();
            if (same && !st->ended) body();
        });
        timer->start(10);
    }

    void Click(plat::Window dlg, int id) override {
        ControlState* c = Target(dlg, id, "Click");
        if (!c) return;
        QWidget* w = c->widget;
        if (c->kind == plat::Kind::Button || c->kind == plat::Kind::CheckBox) {
            if (w->width() > 0 && w->height() > 0) {
                Mouse(w, QEvent::MouseButtonPress, w->rect().center());
                Mouse(w, QEvent::MouseButtonRelease, w->rect().center());
            } else {
                static_cast<QAbstractButton*>(w)->click();  // a button without a size
            }
        } else {
            Mouse(w, QEvent::MouseButtonPress, QPoint(1, 1));
            Mouse(w, QEvent::MouseButtonRelease, QPoint(1, 1));
        }
    }

    void DoubleClickRow(plat::Window dlg, int id, int index) override {
        ControlState* c = Target(dlg, id, "DoubleClickRow");
        if (!c) return;
        auto* list = qobject_cast<QListWidget*>(c->widget.data());
        if (list && index < 0) {
            BelowRows(dlg, list);
            return;
        }
        if (!list || index >= list->count()) {
            failures.push_back("DoubleClickRow: no row " + std::to_string(index) + " in list " + std::to_string(id));
            return;
        }
        list->scrollToItem(list->item(index));
        list->setFocus(Qt::MouseFocusReason);  // what Qt does for a real press
        QPoint at = list->visualItemRect(list->item(index)).center();
        QWidget* viewport = list->viewport();
        Mouse(viewport, QEvent::MouseButtonPress, at);
        Mouse(viewport, QEvent::MouseButtonRelease, at);
        if (!StateOf(dlg) || StateOf(dlg)->ended) return;
        Mouse(viewport, QEvent::MouseButtonDblClick, at);
        Mouse(viewport, QEvent::MouseButtonRelease, at);
    }

    void RightClick(plat::Window dlg, int id, int x, int y) override {
        plat::qt::DialogState* st = StateOf(dlg);
        if (!st) return;
        QWidget* w = st->client;
        QPoint at(x, y);
        if (id != 0) {
            ControlState* c = Target(dlg, id, "RightClick");
            if (!c) return;
            w = c->widget;
            if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
                at = area->viewport()->mapFrom(w, at);
                w = area->viewport();
            }
        }
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
        QApplication::sendEvent(w, &e);
    }

    void Hover(plat::Window dlg, int id) override {
        plat::qt::DialogState* st = StateOf(dlg);
        if (!st) return;
        QWidget* w = st->client;
        if (id != -1) {
            ControlState* c = Target(dlg, id, "Hover");
            if (!c) return;
            w = c->widget;
        }
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w, &enter);
    }

    void CloseBox(plat::Window dlg) override {
        if (plat::qt::DialogState* st = StateOf(dlg)) st->frame->close();
    }

    void KeyDown(plat::Window dlg, int vk, bool shift) override { Key(dlg, vk, shift, true); }
    void KeyUp(plat::Window dlg, int vk, bool shift) override { Key(dlg, vk, shift, false); }

    void Type(plat::Window dlg, const std::string& text) override {
        for (QChar ch : QString::fromUtf8(text.c_str())) {
            plat::qt::DialogState* st = StateOf(dlg);
            if (!st) return;
            auto* edit = qobject_cast<QLineEdit*>(st->frame->focusWidget());
            if (!edit) {
                failures.push_back("Type: no edit field has the focus");
                return;
            }
            QKeyEvent press(QEvent::KeyPress, ch == '\b' ? Qt::Key_Backspace : 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(edit, &press);
        }
    }

    bool ShowsPlatformDialogs() const override { return true; }
    void AnswerPrompt(int answer, std::function<void()> whileUp) override {
        promptAnswers.push_back({answer, std::move(whileUp)});
        Watch();
    }
    void AnswerFileDialog(bool confirmed, const std::string& name) override {
        fileAnswers.emplace_back(confirmed, name);
        Watch();
    }
    void AnswerPrinterDialog(bool confirmed) override {
        // A confirmed job is written by the layer's own PDF writer, without a dialog.
        if (confirmed) {
            setenv("PANTRIUM_PRINT_TO", "window-conformance-print.pdf", 1);
            plat::qt::Hooks().printerDialog = nullptr;
            return;
        }
        unsetenv("PANTRIUM_PRINT_TO");
        plat::qt::Hooks().printerDialog = [](plat::Window, const std::string&) {
            plat::qt::Hooks().printerDialog = nullptr;
            return false;
        };
    }

    plat::Rect ClientRect(plat::Window dlg) override {
        plat::qt::DialogState* st = StateOf(dlg);
        if (!st) return {};
        QPoint o = st->client->mapToGlobal(QPoint(0, 0));
        return {o.x(), o.y(), st->client->width(), st->client->height()};
    }
    plat::Rect ControlRect(plat::Window dlg, int id) override {
        ControlState* c = ControlOf(dlg, id);
        if (!c || !c->widget) return {};
        QRect r = c->widget->geometry();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    // The owner of a running dialog is blocked by Qt's modality (a window-modal
    // child above it, or an application-modal window), and the layer keeps it disabled.
    bool IsEnabled(plat::Window dlg) override {
        plat::qt::DialogState* st = StateOf(dlg);
        if (!st || !st->enabled) return false;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w == st->frame || !w->isVisible()) continue;
            if (w->windowModality() == Qt::ApplicationModal) return false;
            if (w->windowModality() == Qt::WindowModal && w->parentWidget() && w->parentWidget()->window() == st->frame)
                return false;
        }
        return true;
    }

    bool IsOpen(plat::Window dlg) override {
        plat::qt::DialogState* st = StateOf(dlg);
        return st && !st->ended && st->frame->isVisible();
    }

    bool PumpUntil(const std::function<bool()>& cond, int deadlineMs) override {
        QElapsedTimer clock;
        clock.start();
        while (!cond()) {
            if (clock.elapsed() > deadlineMs) return cond();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(2);
        }
        return true;
    }

    std::vector<std::string> TakeFailures() override {
        for (auto& [answer, whileUp] : promptAnswers)
            failures.push_back("no message box came for the answer " + std::to_string(answer));
        for (auto& [confirmed, name] : fileAnswers) failures.push_back("no file dialog came for \"" + name + "\"");
        promptAnswers.clear();
        fileAnswers.clear();
        std::vector<std::string> taken;
        taken.swap(failures);
        return taken;
    }

private:
    std::vector<std::string> failures;
    std::deque<std::pair<int, std::function<void()>>> promptAnswers;
    std::deque<std::pair<bool, std::string>> fileAnswers;
    QTimer* watcher = nullptr;

    ControlState* Target(plat::Window dlg, int id, const std::string& action) {
        ControlState* c = ControlOf(dlg, id);
        if (!c || !c->widget) {
            failures.push_back(action + ": no control " + std::to_string(id));
            return nullptr;
        }
        return c;
    }

    void BelowRows(plat::Window dlg, QListWidget* list) {
        list->setFocus(Qt::MouseFocusReason);
        QWidget* viewport = list->viewport();
        const int n = list->count();
        const int below = n ? list->visualItemRect(list->item(n - 1)).bottom() + 1 : 0;
        if (below >= viewport->height()) {
            failures.push_back("DoubleClickRow: the list has no room below its last row");
            return;
        }
        const QPoint at(viewport->width() / 2, (below + viewport->height()) / 2);
        Mouse(viewport, QEvent::MouseButtonPress, at);
        Mouse(viewport, QEvent::MouseButtonRelease, at);
        if (!StateOf(dlg) || StateOf(dlg)->ended) return;
        Mouse(viewport, QEvent::MouseButtonDblClick, at);
        Mouse(viewport, QEvent::MouseButtonRelease, at);
    }

    void Key(plat::Window dlg, int vk, bool shift, bool down) {
        plat::qt::DialogState* st = StateOf(dlg);
        if (!st) return;
        int key = QtKey(vk);
        if (key == Qt::Key_Tab && shift) key = Qt::Key_Backtab;
        QString text = vk == plat::kVkReturn ? "\r" : vk == plat::kVkEscape ? "\x1b" : vk == plat::kVkTab ? "\t" : "";
        QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease, key, shift ? Qt::ShiftModifier : Qt::NoModifier,
                    text);
        QWidget* to = st->frame->focusWidget();
        QApplication::sendEvent(to ? to : st->frame, &e);
    }

    // Looks for the platform's dialogs while answers wait: the message box's
    // button is clicked, the file dialog gets its name and OK (or Cancel).
    void Watch() {
        plat::qt::EnsureApplication();
        if (!watcher) {
            watcher = new QTimer;
            QObject::connect(watcher, &QTimer::timeout, [this] { Answer(); });
        }
        watcher->start(20);
    }

    void Answer() {
        static const std::map<QString, int> numbers = {{"OK", 1},     {"Cancel", 2}, {"&Abort", 3}, {"&Retry", 4},
                                                       {"&Ignore", 5}, {"&Yes", 6},   {"&No", 7}};
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible()) continue;
            if (auto* box = qobject_cast<QMessageBox*>(w); box && !promptAnswers.empty()) {
                auto [answer, whileUp] = promptAnswers.front();
                promptAnswers.pop_front();
                if (whileUp) whileUp();
                for (QAbstractButton* b : box->buttons())
                    if (auto it = numbers.find(b->text()); it != numbers.end() && it->second == answer) {
                        b->click();
                        return;
                    }
                failures.push_back("the message box has no button " + std::to_string(answer));
                box->reject();
                return;
            }
            if (auto* files = qobject_cast<QFileDialog*>(w); files && !fileAnswers.empty()) {
                auto [confirmed, name] = fileAnswers.front();
                fileAnswers.pop_front();
                if (confirmed) {
                    // Typed into the file-name field, as the user does.
                    if (auto* field = files->findChild<QLineEdit*>("fileNameEdit"))
                        field->setText(QString::fromUtf8(name.c_str()));
                    else
                        files->selectFile(QString::fromUtf8(name.c_str()));
                    static_cast<QDialog*>(files)->accept();  // OK: QFileDialog's own accept
                } else {
                    files->reject();
                }
                return;
            }
        }
        if (promptAnswers.empty() && fileAnswers.empty()) watcher->stop();
    }
};

}  // namespace

User& TheUser() {
    static QtUser user;
    return user;
}

}  // namespace drivers

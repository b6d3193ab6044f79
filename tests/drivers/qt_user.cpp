// The scripted user on the Qt layer: real Qt events to the widgets (mouse
// presses and releases, double-clicks, key presses and releases to the focus
// widget, typed characters, context-menu and enter events, the window's close
// request), and a watcher that answers the message box and the file dialog
// the way a person clicks their buttons. A print job goes to a PDF file in
// the current folder (PANTRIUM_PRINT_TO), or is refused in place of the print
// dialog (the layer's printerDialog hook).
//
// A played script (Drive) runs its steps from the layer's modal loop (the
// modalStep hook). The platform's dialogs are then answered in place through
// the layer's hooks, as the headless layer answers them: the tests check the
// requests as the program passes them (owner, buffer size, filter, flags,
// the message box's style), which a shown QFileDialog or QMessageBox does not
// tell; the shown ones are the conformance suite's business. The hooks also
// record the print job's operations; help, the shell and beeps are recorded,
// not done.
#include "drivers/user.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <cstdlib>
#include <deque>
#include <functional>
#include <map>

#include "drivers/layer_records.h"
#include "platform/window/headless/dialog_answers.h"
#include "platform/window/qt/qt_hooks.h"
#include "platform/window/qt/qt_internal.h"
#include "platform/window/qt/qt_menus.h"

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
        {0x08, Qt::Key_Backspace},         {0x20, Qt::Key_Space},             {0x25, Qt::Key_Left},
        {0x27, Qt::Key_Right},             {0x21, Qt::Key_PageUp},            {0x22, Qt::Key_PageDown},
        {0x23, Qt::Key_End},               {0x24, Qt::Key_Home},              {0x2D, Qt::Key_Insert},
        {0x2E, Qt::Key_Delete},            {plat::kVkApps, Qt::Key_Menu},
    };
    auto it = keys.find(vk);
    return it == keys.end() ? 0 : it->second;
}

// What a played script's program asked of the layer's hooks.
struct Records {
    std::vector<plat::DialogSpec> dialogsRun;
    std::vector<PopupRecord> popups;
    std::vector<PrinterOp> printerOps;
    std::vector<std::pair<std::string, bool>> shellOpens;
    std::vector<std::string> helpRequests;
    std::vector<int> beeps;
};
Records& R() {
    static Records r;
    return r;
}

plat::qt::DialogState* Active() {
    const auto& all = plat::qt::Dialogs();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if ((*it)->shown) return *it;
    return nullptr;
}

class QtUser : public User {
public:
    std::string Name() const override { return "qt"; }

    void Reset() override {
        plat::qt::EnsureApplication();
        failures.clear();
        promptAnswers.clear();
        fileAnswers.clear();
        popupAnswers.clear();
        printerAnswers.clear();
        prompts.clear();
        fileDialogs.clear();
        R() = Records{};
        plat::qt::Hooks() = {};
        plat::qt::SetLastCursor(plat::Cursor::Arrow);
        driving = false;
    }

    plat::Window ActiveDialog() override {
        plat::qt::DialogState* st = Active();
        return st ? plat::qt::Handle(st) : 0;
    }

    void Drive(std::function<void()> step) override {
        plat::qt::TestHooks& h = plat::qt::Hooks();
        driving = step != nullptr;
        if (!step) {
            h.modalStep = nullptr;
            return;
        }
        h.modalStep = [step](plat::Window dlg) {
            QCoreApplication::processEvents();  // posted choices, window activation
            plat::qt::DialogState* st = StateOf(dlg);
            if (st && !st->ended) step();
        };
        h.dialogRun = [](const plat::DialogSpec& spec) { R().dialogsRun.push_back(spec); };
        h.popup = [this](plat::Menu menu, int x, int y, plat::Window owner) {
            PopupRecord record{menu, x, y, owner, MenuItems(menu), 0};
            if (popupAnswers.empty()) {
                failures.push_back("unscripted pop-up menu");
            } else {
                record.chosen = popupAnswers.front();
                popupAnswers.pop_front();
            }
            R().popups.push_back(record);
            return record.chosen;
        };
        h.printerDialog = [this](plat::Window, const std::string&) {
            if (printerAnswers.empty()) {
                failures.push_back("unscripted print dialog");
                return false;
            }
            bool answer = printerAnswers.front();
            printerAnswers.pop_front();
            return answer;
        };
        h.printerOp = [](plat::qt::TestHooks::PrinterOpKind kind, const std::string& text, plat::Point at,
                         int points, int style) {
            R().printerOps.push_back({static_cast<PrinterOp::Kind>(kind), text, at.x, at.y, points, style});
        };
        h.shellOpen = [](const std::string& target, bool maximized) { R().shellOpens.emplace_back(target, maximized); };
        h.help = [](const std::string& path) { R().helpRequests.push_back(path); };
        h.beep = [](int sound) { R().beeps.push_back(sound); };
        h.prompt = [this](const std::string& text, const std::string& caption, int style) {
            int answer = 2;
            if (promptAnswers.empty()) {
                failures.push_back("unscripted prompt \"" + text + "\"");
            } else {
                answer = promptAnswers.front().first;
                promptAnswers.pop_front();
                if (!headless::PromptOffers(style, answer))
                    failures.push_back("prompt \"" + text + "\" of style " + std::to_string(style) +
                                       " cannot answer " + std::to_string(answer));
            }
            prompts.push_back({text, caption, style, answer});
            return answer;
        };
        // The name is taken as the dialog would return it: the default
        // extension added when it has none, the flag set when it differs.
        h.fileDialog = [this](plat::FileDialogRequest& request, bool save) {
            fileDialogs.push_back(request);
            if (fileAnswers.empty()) {
                failures.push_back(std::string("unscripted ") + (save ? "save-file" : "open-file") + " dialog");
                return false;
            }
            auto [confirmed, path] = fileAnswers.front();
            fileAnswers.pop_front();
            if (!confirmed) return false;
            headless::TakeChosenPath(request, path);
            return true;
        };
        unsetenv("PANTRIUM_PRINT_TO");
    }

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

    void ClickRow(plat::Window dlg, int id, int index) override {
        ControlState* c = Target(dlg, id, "ClickRow");
        if (!c) return;
        plat::SetFocus(dlg, id);  // the click focuses the list
        if (!StateOf(dlg)) return;
        if (index < 0 || index >= plat::ListCount(dlg, id)) {
            failures.push_back("ClickRow: list " + std::to_string(id) + " has no entry " + std::to_string(index));
            return;
        }
        if (auto* combo = qobject_cast<QComboBox*>(c->widget.data()); combo && c->kind == plat::Kind::DropList) {
            combo->setCurrentIndex(index);
            emit combo->activated(index);
            return;
        }
        auto* list = qobject_cast<QListWidget*>(c->widget.data());
        if (!list) list = c->widget->findChild<QListWidget*>();
        if (!list) {
            failures.push_back("ClickRow: control " + std::to_string(id) + " is not a list");
            return;
        }
        list->scrollToItem(list->item(index));
        QPoint at = list->visualItemRect(list->item(index)).center();
        Mouse(list->viewport(), QEvent::MouseButtonPress, at);
        Mouse(list->viewport(), QEvent::MouseButtonRelease, at);
    }

    void ChooseMenu(plat::Window dlg, int id) override {
        plat::qt::DialogState* st = StateOf(dlg);
        plat::qt::MenuData* menu = st ? plat::qt::MenuOf(st->menu) : nullptr;
        auto it = menu ? menu->actions.find(id) : decltype(menu->actions.end()){};
        if (!menu || it == menu->actions.end()) {
            failures.push_back("ChooseMenu: no menu item " + std::to_string(id));
            return;
        }
        it->second->hover();    // the item is highlighted
        it->second->trigger();  // and chosen
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
        QCoreApplication::processEvents();  // a command chosen in a pop-up menu arrives now
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

    // Another top-level window takes the activation, then the dialog gets it back.
    void Activate(plat::Window dlg) override {
        plat::qt::DialogState* st = StateOf(dlg);
        if (!st) return;
        QWidget other;  // modal, so that the running dialogs do not block it
        other.setWindowTitle("another program");
        other.setWindowModality(Qt::ApplicationModal);
        other.show();
        other.activateWindow();
        PumpUntil([&] { return QApplication::activeWindow() == &other; }, 2000);
        other.hide();
        st->frame->activateWindow();
        if (!PumpUntil([&] { return QApplication::activeWindow() == st->frame; }, 2000))
            failures.push_back("Activate: the window did not become active again");
    }

    void CloseBox(plat::Window dlg) override {
        if (plat::qt::DialogState* st = StateOf(dlg)) st->frame->close();
    }

    void KeyDown(plat::Window dlg, int vk, bool shift, bool ctrl) override { Key(dlg, vk, shift, ctrl, true); }
    void KeyUp(plat::Window dlg, int vk, bool shift, bool ctrl) override { Key(dlg, vk, shift, ctrl, false); }

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
        if (!driving) Watch();  // a played script's prompts take their answers in place
    }
    void AnswerFileDialog(bool confirmed, const std::string& name) override {
        fileAnswers.emplace_back(confirmed, name);
        if (!driving) Watch();
    }
    void AnswerPrinterDialog(bool confirmed) override {
        if (driving) {
            printerAnswers.push_back(confirmed);
            return;
        }
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

    void AnswerPopup(int id) override { popupAnswers.push_back(id); }

    const std::vector<PromptSeen>& Prompts() override { return prompts; }
    const std::vector<plat::FileDialogRequest>& FileDialogs() override { return fileDialogs; }

    plat::Rect ClientRect(plat::Window dlg) override {
        plat::qt::DialogState* st = StateOf(dlg);
        if (!st) return {};
        QPoint o = st->client->mapToGlobal(QPoint(0, 0));
        return {o.x(), o.y(), st->client->width(), st->client->height()};
    }
    plat::Rect ControlRect(plat::Window dlg, int id) override {
        ControlState* c = ControlOf(dlg, id);
        if (!c || !c->widget) return {};
        if (c->kind == plat::Kind::DropList) return c->rect;  // the rectangle with the list dropped down
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
        for (int id : popupAnswers) failures.push_back("no pop-up menu came for the choice " + std::to_string(id));
        for (bool answer : printerAnswers)
            failures.push_back(std::string("no print dialog came for the answer ") + (answer ? "Print" : "Cancel"));
        promptAnswers.clear();
        fileAnswers.clear();
        popupAnswers.clear();
        printerAnswers.clear();
        std::vector<std::string> taken;
        taken.swap(failures);
        return taken;
    }

private:
    std::vector<std::string> failures;
    std::deque<std::pair<int, std::function<void()>>> promptAnswers;
    std::deque<std::pair<bool, std::string>> fileAnswers;
    std::deque<int> popupAnswers;
    std::deque<bool> printerAnswers;
    std::vector<PromptSeen> prompts;
    std::vector<plat::FileDialogRequest> fileDialogs;
    bool driving = false;  // a script plays: the platform's dialogs are answered in place
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

    void Key(plat::Window dlg, int vk, bool shift, bool ctrl, bool down) {
        plat::qt::DialogState* st = StateOf(dlg);
        if (!st) return;
        int key = QtKey(vk);
        if (key == Qt::Key_Tab && shift) key = Qt::Key_Backtab;
        QString text = vk == plat::kVkReturn ? "\r" : vk == plat::kVkEscape ? "\x1b" : vk == plat::kVkTab ? "\t" : "";
        Qt::KeyboardModifiers held = (shift ? Qt::ShiftModifier : Qt::NoModifier) |
                                     (ctrl ? Qt::ControlModifier : Qt::NoModifier);
        QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease, key, held, text);
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
            auto* box = qobject_cast<QMessageBox*>(w);
            if (box && !promptAnswers.empty()) {
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
            auto* files = qobject_cast<QFileDialog*>(w);
            if (files && !fileAnswers.empty()) {
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

const std::vector<plat::DialogSpec>& DialogsRun() { return R().dialogsRun; }
const std::vector<PopupRecord>& Popups() { return R().popups; }
const std::vector<PrinterOp>& PrinterOps() { return R().printerOps; }
const std::vector<std::pair<std::string, bool>>& ShellOpens() { return R().shellOpens; }
const std::vector<std::string>& HelpRequests() { return R().helpRequests; }
const std::vector<int>& Beeps() { return R().beeps; }
plat::Cursor CurrentCursor() { return plat::qt::LastCursor(); }
int LiveFonts() { return plat::qt::LiveFonts(); }

const plat::DialogSpec& SpecOf(plat::Window dlg) {
    static const plat::DialogSpec none;
    plat::qt::DialogState* st = StateOf(dlg);
    return st ? st->spec : none;
}
std::vector<plat::Window> OpenDialogs() {
    std::vector<plat::Window> out;
    for (plat::qt::DialogState* st : plat::qt::Dialogs()) out.push_back(plat::qt::Handle(st));
    return out;
}
unsigned ControlStyle(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c ? c->style : 0;
}
plat::Kind ControlKind(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c ? c->kind : plat::Kind::Label;
}
std::vector<int> ControlIds(plat::Window dlg) {
    std::vector<int> ids;
    if (plat::qt::DialogState* st = StateOf(dlg))
        for (ControlState* c : st->controls) ids.push_back(c->id);
    return ids;
}
int TextLimit(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c ? c->limit : 0;
}
std::vector<int> TabStops(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c ? c->tabStops : std::vector<int>{};
}
std::vector<int> StatusParts(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c ? c->statusEdges : std::vector<int>{};
}
std::pair<int, int> ControlColors(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c ? std::make_pair(c->textColor, c->backColor) : std::make_pair(-1, -1);
}
plat::SystemIcon ControlIcon(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c ? c->icon : plat::SystemIcon::None;
}
std::string ControlImage(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c ? c->image : std::string();
}
std::string DialogIcon(plat::Window dlg) {
    plat::qt::DialogState* st = StateOf(dlg);
    return st ? st->icon : std::string();
}
bool HasKeyHook(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c && c->hook;
}
std::pair<int, int> EditSelection(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    QLineEdit* edit = !c || !c->widget                ? nullptr
                      : c->kind == plat::Kind::Edit ? static_cast<QLineEdit*>(c->widget.data())
                                                    : c->widget->findChild<QLineEdit*>();
    if (!edit) return {0, 0};
    if (!edit->hasSelectedText()) return {edit->cursorPosition(), edit->cursorPosition()};
    int start = edit->selectionStart();
    return {start, start + static_cast<int>(edit->selectedText().size())};
}
plat::Menu MenuOf(plat::Window dlg) {
    plat::qt::DialogState* st = StateOf(dlg);
    return st ? st->menu : 0;
}
// The items as Qt shows them: each item's text and the key shown beside it.
std::vector<plat::MenuItem> MenuItems(plat::Menu menu) {
    plat::qt::MenuData* data = plat::qt::MenuOf(menu);
    if (!data) return {};
    std::vector<plat::MenuItem> items = data->items;
    std::function<void(std::vector<plat::MenuItem>&)> shown = [&](std::vector<plat::MenuItem>& level) {
        for (plat::MenuItem& item : level) {
            if (!item.items.empty())
                shown(item.items);
            else if (item.id != 0)
                item.text = plat::GetMenuItemText(menu, item.id);
        }
    };
    shown(items);
    return items;
}
bool IsTopMost(plat::Window dlg) {
    plat::qt::DialogState* st = StateOf(dlg);
    return st && st->topMost;
}

}  // namespace drivers

// The scripted user of platform/headless/headless.h on the Qt window layer,
// so that the main-window and dialog tests run against real Qt widgets too.
//
// The modal loop of every dialog asks this driver for its next step (the
// layer's modalStep hook): pending Qt events are handled, then the next
// queued action runs. Actions act through real Qt events where the user
// would: mouse presses and releases on buttons, labels and list rows,
// double-clicks, key presses and releases to the focused widget, typed
// characters, context-menu events, the pointer entering a control, the
// window's close request. Menu items are triggered through their QActions,
// a drop list's choice through its combo box. The platform's own dialogs
// (message box, file dialogs, the pop-up menu's choice, the print dialog)
// take their answers from the queues, as in the headless layer.
//
// Differences from the headless layer a test may meet: real font metrics and
// window geometry (no fixed metrics); the printer operations are recorded
// with a real printer's positions (a PDF file in the temporary folder).
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

#include <deque>

#include "platform/headless/headless.h"
#include "platform/qt/qt_hooks.h"
#include "platform/qt/qt_internal.h"
#include "platform/qt/qt_menus.h"

namespace {

using plat::qt::ControlOf;
using plat::qt::ControlState;
using plat::qt::DialogState;
using plat::qt::StateOf;

struct Driver {
    std::deque<std::function<void()>> actions;
    std::deque<int> promptAnswers;
    std::deque<std::pair<bool, std::string>> fileAnswers;
    std::deque<int> popupAnswers;
    std::deque<bool> printerAnswers;
    std::vector<headless::PromptRecord> prompts;
    std::vector<plat::FileDialogRequest> fileDialogs;
    std::vector<std::pair<std::string, bool>> shellOpens;
    std::vector<std::string> helpRequests;
    std::vector<headless::PrinterOp> printerOps;
    std::vector<int> beeps;
    std::vector<std::string> failures;
    std::vector<headless::PopupRecord> popups;
    std::vector<plat::DialogSpec> dialogsRun;
};
Driver& D() {
    static Driver d;
    return d;
}

void Fail(const std::string& what) { D().failures.push_back(what); }
void Queue(std::function<void()> action) { D().actions.push_back(std::move(action)); }

DialogState* Active() {
    const auto& all = plat::qt::Dialogs();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if ((*it)->shown) return *it;
    return nullptr;
}

std::string Where(const DialogState& st) { return " in dialog " + plat::GetCaption(plat::qt::Handle(&st)); }

ControlState* Target(DialogState& st, int id, const std::string& action) {
    ControlState* c = ControlOf(plat::qt::Handle(&st), id);
    if (!c || !c->widget) {
        Fail(action + ": no control " + std::to_string(id) + Where(st));
        return nullptr;
    }
    if (c->style & plat::kHidden) {
        Fail(action + ": control " + std::to_string(id) + " is hidden" + Where(st));
        return nullptr;
    }
    return c;
}

void Mouse(QWidget* w, QEvent::Type type, QPoint at) {
    Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
void MouseClick(QWidget* w, QPoint at) {
    Mouse(w, QEvent::MouseButtonPress, at);
    Mouse(w, QEvent::MouseButtonRelease, at);
}

int QtKey(int vk) {
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
    if (vk >= 0x70 && vk <= 0x87) return Qt::Key_F1 + (vk - 0x70);
    static const std::pair<int, int> keys[] = {
        {plat::kVkReturn, Qt::Key_Return}, {plat::kVkEscape, Qt::Key_Escape}, {plat::kVkTab, Qt::Key_Tab},
        {plat::kVkUp, Qt::Key_Up},         {plat::kVkDown, Qt::Key_Down},     {plat::kVkShift, Qt::Key_Shift},
        {0x25, Qt::Key_Left},              {0x27, Qt::Key_Right},             {0x08, Qt::Key_Backspace},
        {0x20, Qt::Key_Space},             {0x21, Qt::Key_PageUp},            {0x22, Qt::Key_PageDown},
        {0x23, Qt::Key_End},               {0x24, Qt::Key_Home},              {0x2D, Qt::Key_Insert},
        {0x2E, Qt::Key_Delete},
    };
    for (auto [v, k] : keys)
        if (v == vk) return k;
    return 0;
}

QWidget* KeyTarget(DialogState& st) {
    QWidget* f = st.frame->focusWidget();
    return f ? f : st.frame;
}

void KeyNow(int vk, bool shift, bool down) {
    DialogState* st = Active();
    if (!st) return;
    int key = QtKey(vk);
    if (key == Qt::Key_Tab && shift) key = Qt::Key_Backtab;
    QString text = vk == plat::kVkReturn ? "\r" : vk == plat::kVkEscape ? "\x1b" : vk == plat::kVkTab ? "\t" : "";
    QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease, key, shift ? Qt::ShiftModifier : Qt::NoModifier, text);
    QApplication::sendEvent(KeyTarget(*st), &e);
}

// The edit field that has the focus, or a failure.
QLineEdit* FocusedEdit(DialogState& st, const char* action, ControlState** control) {
    ControlState* c = nullptr;
    QWidget* f = st.frame->focusWidget();
    if (f) plat::qt::DialogOfWidget(f, &c);
    auto* edit = qobject_cast<QLineEdit*>(f);
    if (!c || !edit || (c->kind != plat::Kind::Edit && c->kind != plat::Kind::SimpleCombo)) {
        Fail(std::string(action) + ": no edit field has the focus" + Where(st));
        return nullptr;
    }
    if (control) *control = c;
    return edit;
}

void ClickRow(int id, int index, bool twice) {
    DialogState* st = Active();
    if (!st) return;
    const char* name = twice ? "DoubleClickRow" : "SelectRow";
    ControlState* c = Target(*st, id, name);
    if (!c) return;
    plat::Window dlg = plat::qt::Handle(st);
    if (c->kind != plat::Kind::ListBox && c->kind != plat::Kind::SimpleCombo && c->kind != plat::Kind::DropList) {
        Fail(std::string(name) + ": control " + std::to_string(id) + " is not a list" + Where(*st));
        return;
    }
    plat::SetFocus(dlg, id);  // the click focuses the list
    if (!StateOf(dlg)) return;
    if (index < 0 || index >= plat::ListCount(dlg, id)) {
        Fail(std::string(name) + ": list " + std::to_string(id) + " has no entry " + std::to_string(index) + Where(*st));
        return;
    }
    if (c->kind == plat::Kind::DropList) {
        auto* combo = static_cast<QComboBox*>(c->widget.data());
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return;
    }
    QListWidget* list = c->kind == plat::Kind::ListBox ? static_cast<QListWidget*>(c->widget.data())
                                                       : c->widget->findChild<QListWidget*>();
    list->scrollToItem(list->item(index));
    QPoint at = list->visualItemRect(list->item(index)).center();
    QWidget* viewport = list->viewport();
    MouseClick(viewport, at);
    if (twice && StateOf(dlg) && !StateOf(dlg)->ended) {
        Mouse(viewport, QEvent::MouseButtonDblClick, at);
        Mouse(viewport, QEvent::MouseButtonRelease, at);
    }
}

bool Offers(int style, int answer) {
    switch (style & 15) {
    case 0: return answer == 1;
    case 1: return answer == 1 || answer == 2;
    case 2: return answer == 3 || answer == 4 || answer == 5;
    case 3: return answer == 6 || answer == 7 || answer == 2;
    case 4: return answer == 6 || answer == 7;
    case 5: return answer == 4 || answer == 2;
    default: return true;
    }
}

std::string LowerExtension(const std::string& path) {
    size_t name = path.find_last_of("\\/:");
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name)) return {};
    std::string ext = path.substr(dot + 1);
    for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return ext;
}

void Step(plat::Window dlg) {
    QCoreApplication::processEvents();  // posted choices, window activation
    DialogState* st = StateOf(dlg);
    if (!st || st->ended) return;
    Driver& d = D();
    if (d.actions.empty()) {
        Fail("script ran out in dialog " + plat::GetCaption(dlg));
        for (DialogState* open : plat::qt::Dialogs()) plat::EndDialog(plat::qt::Handle(open), 2);
        return;
    }
    std::function<void()> action = std::move(d.actions.front());
    d.actions.pop_front();
    action();
}

void InstallHooks() {
    plat::qt::EnsureApplication();
    plat::qt::TestHooks& h = plat::qt::Hooks();
    h.modalStep = Step;
    h.dialogRun = [](const plat::DialogSpec& spec) { D().dialogsRun.push_back(spec); };
    h.prompt = [](const std::string& text, const std::string& caption, int style) {
        Driver& d = D();
        int answer = 2;
        if (d.promptAnswers.empty()) {
            Fail("unscripted prompt \"" + text + "\"");
        } else {
            answer = d.promptAnswers.front();
            d.promptAnswers.pop_front();
            if (!Offers(style, answer))
                Fail("prompt \"" + text + "\" of style " + std::to_string(style) + " cannot answer " +
                     std::to_string(answer));
        }
        d.prompts.push_back({text, caption, style, answer});
        return answer;
    };
    h.fileDialog = [](plat::FileDialogRequest& request, bool save) {
        Driver& d = D();
        d.fileDialogs.push_back(request);
        if (d.fileAnswers.empty()) {
            Fail(std::string("unscripted ") + (save ? "save-file" : "open-file") + " dialog");
            return false;
        }
        auto [confirmed, path] = d.fileAnswers.front();
        d.fileAnswers.pop_front();
        if (!confirmed) return false;
        if (!request.defExt.empty() && LowerExtension(path).empty()) path += "." + request.defExt;
        std::string def = request.defExt;
        for (char& ch : def) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (!request.defExt.empty() && LowerExtension(path) != def)
            request.flags |= 0x400u;
        else
            request.flags &= ~0x400u;
        request.fileName = path;
        return true;
    };
    h.popup = [](plat::Menu menu, int x, int y, plat::Window owner) {
        Driver& d = D();
        headless::PopupRecord record{menu, x, y, owner, headless::MenuItems(menu), 0};
        if (d.popupAnswers.empty()) {
            Fail("unscripted pop-up menu");
        } else {
            record.chosen = d.popupAnswers.front();
            d.popupAnswers.pop_front();
        }
        d.popups.push_back(record);
        return record.chosen;
    };
    h.printerDialog = [](plat::Window, const std::string&) {
        Driver& d = D();
        if (d.printerAnswers.empty()) {
            Fail("unscripted print dialog");
            return false;
        }
        bool answer = d.printerAnswers.front();
        d.printerAnswers.pop_front();
        return answer;
    };
    h.printerOp = [](plat::qt::TestHooks::PrinterOpKind kind, const std::string& text, plat::Point at, int points,
                     int style) {
        headless::PrinterOp op{static_cast<headless::PrinterOp::Kind>(kind), text, at.x, at.y, points, style};
        D().printerOps.push_back(op);
    };
    h.shellOpen = [](const std::string& target, bool maximized) { D().shellOpens.emplace_back(target, maximized); };
    h.help = [](const std::string& path) { D().helpRequests.push_back(path); };
    h.beep = [](int sound) { D().beeps.push_back(sound); };
}

}  // namespace

namespace headless {

void Reset() {
    D() = Driver{};
    InstallHooks();
    plat::qt::SetLastCursor(plat::Cursor::Arrow);
}

void Click(int id) {
    Queue([id] {
        DialogState* st = Active();
        if (!st) return;
        ControlState* c = Target(*st, id, "Click");
        if (!c) return;
        QWidget* w = c->widget;
        switch (c->kind) {
        case plat::Kind::CheckBox:
        case plat::Kind::Button:
            if (w->width() > 0 && w->height() > 0) MouseClick(w, w->rect().center());
            else static_cast<QAbstractButton*>(w)->click();  // a button without a size
            return;
        case plat::Kind::Label:
            if (c->style & plat::kNotify) {
                MouseClick(w, QPoint(1, 1));
                return;
            }
            [[fallthrough]];
        default: Fail("Click: control " + std::to_string(id) + " does not report clicks" + Where(*st));
        }
    });
}

void ChooseMenu(int id) {
    Queue([id] {
        DialogState* st = Active();
        if (!st) return;
        plat::qt::MenuData* menu = plat::qt::MenuOf(st->menu);
        auto it = menu ? menu->actions.find(id) : decltype(menu->actions.end()){};
        if (!menu || it == menu->actions.end()) {
            Fail("ChooseMenu: no menu item " + std::to_string(id) + Where(*st));
            return;
        }
        QAction* action = it->second;
        action->hover();    // the item is highlighted
        action->trigger();  // and chosen
    });
}

void SelectRow(int id, int index) {
    Queue([id, index] { ClickRow(id, index, false); });
}
void DoubleClickRow(int id, int index) {
    Queue([id, index] { ClickRow(id, index, true); });
}
void DoubleClickBelowRows(int id) {
    Queue([id] {
        DialogState* st = Active();
        if (!st) return;
        ControlState* c = Target(*st, id, "DoubleClickBelowRows");
        if (!c) return;
        if (c->kind != plat::Kind::ListBox) {
            Fail("DoubleClickBelowRows: control " + std::to_string(id) + " is not a list box" + Where(*st));
            return;
        }
        plat::Window dlg = plat::qt::Handle(st);
        plat::SetFocus(dlg, id);  // the click focuses the list
        if (!StateOf(dlg)) return;
        auto* list = static_cast<QListWidget*>(c->widget.data());
        QWidget* viewport = list->viewport();
        const int n = list->count();
        const int below = n ? list->visualItemRect(list->item(n - 1)).bottom() + 1 : 0;
        if (below >= viewport->height()) {
            Fail("DoubleClickBelowRows: list " + std::to_string(id) + " has no room below its last entry" + Where(*st));
            return;
        }
        const QPoint at(viewport->width() / 2, (below + viewport->height()) / 2);
        Mouse(viewport, QEvent::MouseButtonDblClick, at);
        Mouse(viewport, QEvent::MouseButtonRelease, at);
    });
}
void KeyDown(int vk, bool shift) {
    Queue([vk, shift] { KeyNow(vk, shift, true); });
}
void KeyUp(int vk, bool shift) {
    Queue([vk, shift] { KeyNow(vk, shift, false); });
}
void Press(int vk, bool shift) {
    KeyDown(vk, shift);
    KeyUp(vk, shift);
}

void Type(const std::string& text) {
    Queue([text] {
        DialogState* st = Active();
        if (!st) return;
        plat::Window dlg = plat::qt::Handle(st);
        for (QChar ch : QString::fromUtf8(text.c_str())) {
            if (!(st = StateOf(dlg))) return;
            QLineEdit* edit = FocusedEdit(*st, "Type", nullptr);
            if (!edit) return;
            // Characters only, as WM_CHAR brings them: no key the hooks would see.
            int key = ch == '\b' ? Qt::Key_Backspace : 0;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(edit, &press);
        }
    });
}

void ClearEdit() {
    Queue([] {
        DialogState* st = Active();
        if (!st) return;
        QLineEdit* edit = FocusedEdit(*st, "ClearEdit", nullptr);
        if (!edit || edit->text().isEmpty()) return;
        edit->selectAll();
        edit->del();  // as the user's Delete key does: one change
    });
}

void Focus(int id) {
    Queue([id] {
        DialogState* st = Active();
        if (st && Target(*st, id, "Focus")) plat::SetFocus(plat::qt::Handle(st), id);
    });
}

void RightClick(int id, int clientX, int clientY) {
    Queue([id, clientX, clientY] {
        DialogState* st = Active();
        if (!st) return;
        QWidget* w = st->client;
        QPoint at(clientX, clientY);
        if (id != 0) {
            ControlState* c = Target(*st, id, "RightClick");
            if (!c) return;
            w = c->widget;
            if (auto* list = qobject_cast<QAbstractScrollArea*>(w)) {
                at = list->viewport()->mapFrom(w, at);
                w = list->viewport();
            }
        }
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
        QApplication::sendEvent(w, &e);
        QCoreApplication::processEvents();  // a command chosen in a pop-up menu arrives now
    });
}

void Hover(int id) {
    Queue([id] {
        DialogState* st = Active();
        if (!st) return;
        QWidget* w = st->client;
        if (id != -1) {
            ControlState* c = Target(*st, id, "Hover");
            if (!c) return;
            w = c->widget;
        }
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w, &enter);
    });
}

void CloseBox() {
    Queue([] {
        if (DialogState* st = Active()) st->frame->close();
    });
}

void Then(std::function<void()> check) { Queue(std::move(check)); }

void AnswerPrompt(int answer) { D().promptAnswers.push_back(answer); }
void AnswerFileDialog(bool confirmed, const std::string& path) { D().fileAnswers.emplace_back(confirmed, path); }
void ChoosePopup(int id) { D().popupAnswers.push_back(id); }
void AnswerPrinterDialog(bool confirmed) { D().printerAnswers.push_back(confirmed); }

const std::vector<PromptRecord>& Prompts() { return D().prompts; }
const std::vector<plat::FileDialogRequest>& FileDialogs() { return D().fileDialogs; }
const std::vector<std::pair<std::string, bool>>& ShellOpens() { return D().shellOpens; }
const std::vector<std::string>& HelpRequests() { return D().helpRequests; }
const std::vector<PrinterOp>& PrinterOps() { return D().printerOps; }
const std::vector<int>& Beeps() { return D().beeps; }
plat::Cursor CurrentCursor() { return plat::qt::LastCursor(); }
const std::vector<std::string>& Failures() { return D().failures; }
std::vector<std::string> TakeFailures() {
    std::vector<std::string> taken;
    taken.swap(D().failures);
    return taken;
}
const std::vector<PopupRecord>& Popups() { return D().popups; }
const std::vector<plat::DialogSpec>& DialogsRun() { return D().dialogsRun; }
int UnusedScript() {
    const Driver& d = D();
    return static_cast<int>(d.actions.size() + d.promptAnswers.size() + d.fileAnswers.size() + d.popupAnswers.size() +
                            d.printerAnswers.size());
}

plat::Window ActiveDialog() {
    DialogState* st = Active();
    return st ? plat::qt::Handle(st) : 0;
}
std::vector<plat::Window> OpenDialogs() {
    std::vector<plat::Window> out;
    for (DialogState* st : plat::qt::Dialogs()) out.push_back(plat::qt::Handle(st));
    return out;
}
const plat::DialogSpec& SpecOf(plat::Window dlg) {
    static const plat::DialogSpec none;
    DialogState* st = StateOf(dlg);
    return st ? st->spec : none;
}
plat::Rect ControlRect(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || !c->widget) return {};
    if (c->kind == plat::Kind::DropList) return c->rect;  // the rectangle with the list dropped down
    QRect r = c->widget->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
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
    if (DialogState* st = StateOf(dlg))
        for (ControlState* c : st->controls) ids.push_back(c->id);
    return ids;
}
bool IsEnabled(plat::Window dlg) {
    DialogState* st = StateOf(dlg);
    return st && st->enabled;
}
plat::Rect ClientRect(plat::Window dlg) {
    DialogState* st = StateOf(dlg);
    if (!st) return {};
    QPoint o = st->client->mapToGlobal(QPoint(0, 0));
    return {o.x(), o.y(), st->client->width(), st->client->height()};
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
std::string DialogIcon(plat::Window dlg) {
    DialogState* st = StateOf(dlg);
    return st ? st->icon : std::string();
}
bool HasKeyHook(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c && c->hook;
}
std::pair<int, int> EditSelection(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    QLineEdit* edit = !c || !c->widget ? nullptr
                      : c->kind == plat::Kind::Edit ? static_cast<QLineEdit*>(c->widget.data())
                                                    : c->widget->findChild<QLineEdit*>();
    if (!edit) return {0, 0};
    if (!edit->hasSelectedText()) return {edit->cursorPosition(), edit->cursorPosition()};
    int start = edit->selectionStart();
    return {start, start + static_cast<int>(edit->selectedText().size())};
}
plat::Menu MenuOf(plat::Window dlg) {
    DialogState* st = StateOf(dlg);
    return st ? st->menu : 0;
}
std::vector<plat::MenuItem> MenuItems(plat::Menu menu) {
    plat::qt::MenuData* data = plat::qt::MenuOf(menu);
    return data ? data->items : std::vector<plat::MenuItem>{};
}
bool IsTopMost(plat::Window dlg) {
    DialogState* st = StateOf(dlg);
    return st && st->topMost;
}
int LiveFonts() { return plat::qt::LiveFonts(); }
std::string ControlImage(plat::Window dlg, int id) {
    ControlState* c = ControlOf(dlg, id);
    return c ? c->image : std::string();
}

}  // namespace headless

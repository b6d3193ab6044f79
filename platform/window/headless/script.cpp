// The scripted user of the headless layer: queued actions, the keyboard's
// standard handling, and the scripted answers.
#include <algorithm>

#include "platform/files/windows_1252.h"
#include "platform/window/headless/state.h"

namespace headless::detail {
namespace {

void Queue(std::function<void()> action) { S().actions.push_back(std::move(action)); }

std::string Where(const Dialog& d) { return " in dialog " + d.caption; }

// The control an action addresses in the active dialog, or a failure.
Control* Target(Dialog& d, int id, const std::string& action) {
    Control* c = FindControl(&d, id);
    if (!c) {
        Fail(action + ": no control " + std::to_string(id) + Where(d));
        return nullptr;
    }
    if (c->spec.style & plat::kHidden) {
        Fail(action + ": control " + std::to_string(id) + " is hidden" + Where(d));
        return nullptr;
    }
    return c;
}

void NormalizeSelection(Control& c) {
    int len = static_cast<int>(c.text.size());
    c.selStart = std::clamp(c.selStart, 0, len);
    c.selEnd = std::clamp(c.selEnd, 0, len);
    if (c.selStart > c.selEnd) std::swap(c.selStart, c.selEnd);
}

// One keystroke into an edit field: ch is the character's ANSI byte, lost the
// character itself when Windows-1252 lacks it (ch is then "?"). True when the
// text changed.
bool TypeCharacter(Control& c, char ch, const std::string& lost) {
    NormalizeSelection(c);
    // A text set from code leaves lostAt empty: nothing of it was lost.
    if (c.lostAt.size() != c.text.size()) c.lostAt.assign(c.text.size(), std::string());
    if (ch == '\b') {
        if (c.selStart == c.selEnd) {
            if (c.selStart == 0) return false;
            --c.selStart;
        }
        c.text.erase(c.selStart, c.selEnd - c.selStart);
        c.lostAt.erase(c.lostAt.begin() + c.selStart, c.lostAt.begin() + c.selEnd);
        c.selEnd = c.selStart;
        return true;
    }
    int newLength = static_cast<int>(c.text.size()) - (c.selEnd - c.selStart) + 1;
    if (c.limit > 0 && newLength > c.limit) return false;  // the edit refuses it
    c.text.replace(c.selStart, c.selEnd - c.selStart, 1, ch);
    c.lostAt.erase(c.lostAt.begin() + c.selStart, c.lostAt.begin() + c.selEnd);
    c.lostAt.insert(c.lostAt.begin() + c.selStart, lost);
    c.selStart = c.selEnd = c.selStart + 1;
    return true;
}

void MoveListSelection(Dialog& d, Control& c, int step) {
    int count = static_cast<int>(c.items.size());
    if (count == 0) return;
    int from = c.listSel;
    int to = from < 0 ? 0 : std::clamp(from + step, 0, count - 1);
    if (to == from) return;
    SelectEntry(c, to);
    if (SendsListNotes(c)) Notify(d.handle, c.spec.id, plat::Code::SelChange);
}

void MoveTabFocus(Dialog& d, bool backwards) {
    int n = static_cast<int>(d.controls.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (d.controls[i].get() == d.focus) at = i;
    for (int k = 1; k <= n; ++k) {
        int i = backwards ? ((at < 0 ? 0 : at) - k + 2 * n) % n : (at + k + n) % n;
        Control* c = d.controls[i].get();
        if (!(c->spec.style & plat::kTabStop) || (c->spec.style & plat::kHidden)) continue;
        if (c == d.focus) return;
        if (HasEditField(c->spec.kind)) {  // the dialog selects an edit's text when tabbing into it
            c->selStart = 0;
            c->selEnd = static_cast<int>(c->text.size());
        }
        MoveFocus(d, c);
        return;
    }
}

int EnterCommand(const Dialog& d, const Control* focused) {
    if (focused && focused->spec.kind == plat::Kind::Button) return focused->spec.id;
    for (auto& c : d.controls)
        if (c->spec.kind == plat::Kind::Button && (c->spec.style & plat::kDefault)) return c->spec.id;
    return 1;
}

// The standard behaviour of a key press: the focused control's, then the dialog's.
void StandardKeyDown(Dialog& d, Control* c, int vk, bool shift) {
    if (c && IsList(c->spec.kind) && (vk == plat::kVkUp || vk == plat::kVkDown)) {
        MoveListSelection(d, *c, vk == plat::kVkUp ? -1 : 1);
    } else if (vk == plat::kVkTab) {
        MoveTabFocus(d, shift);
    } else if (vk == plat::kVkEscape) {
        Notify(d.handle, 2, plat::Code::Clicked);
    } else if (vk == plat::kVkReturn) {
        Notify(d.handle, EnterCommand(d, c), plat::Code::Clicked);
    }
}

// An accelerator's press gives its command; one the edit keeps is left to a focused edit field.
bool Accelerate(Dialog& d, int vk, bool shift, bool ctrl) {
    const bool inEdit = d.focus && HasEditField(d.focus->spec.kind);
    for (const plat::Accelerator& a : d.accelerators)
        if (a.vk == vk && a.shift == shift && a.ctrl == ctrl && !(a.editKeeps && inEdit)) {
            Notify(d.handle, a.command, plat::Code::Clicked);
            return true;
        }
    return false;
}

// Shift+F10 or the Menu key: the focused control's context menu, an edit's own one.
bool KeyboardContextMenu(Dialog& d, int vk, bool shift, bool ctrl) {
    if (ctrl || !((vk == plat::kVkF10 && shift) || vk == plat::kVkApps)) return false;
    if (d.focus && HasEditField(d.focus->spec.kind)) return true;
    plat::Event e;
    e.msg = plat::Msg::ContextMenu;
    e.id = d.focus ? d.focus->spec.id : 0;
    e.x = e.y = -1;
    Send(d.handle, e);
    return true;
}

void KeyNow(int vk, bool shift, bool ctrl, bool down) {
    Dialog* d = Active();
    if (!d) return;
    plat::Window dlg = d->handle;
    if (down && (Accelerate(*d, vk, shift, ctrl) || KeyboardContextMenu(*d, vk, shift, ctrl))) return;
    Control* c = d->focus;
    if (c && c->hook) {
        plat::KeyHook hook = c->hook;
        hook(dlg, c->spec.id, vk, down);
    }
    d = FindDialog(dlg);
    if (d && down && !ctrl) StandardKeyDown(*d, c, vk, shift);
}

}  // namespace
}  // namespace headless::detail

namespace headless {
using namespace detail;

void Click(int id) {
    Queue([id] {
        Dialog* d = Active();
        if (!d) return;
        Control* c = Target(*d, id, "Click");
        if (!c) return;
        switch (c->spec.kind) {
            case plat::Kind::CheckBox:
                c->checked = !c->checked;
                [[fallthrough]];
            case plat::Kind::Button:
                Notify(d->handle, id, plat::Code::Clicked);
                break;
            case plat::Kind::Label:
                if (c->spec.style & plat::kNotify) {
                    Notify(d->handle, id, plat::Code::Clicked);
                    break;
                }
                [[fallthrough]];
            default:
                Fail("Click: control " + std::to_string(id) + " does not report clicks" + Where(*d));
        }
    });
}

void ChooseMenu(int id) {
    Queue([id] {
        Dialog* d = Active();
        if (!d) return;
        if (!d->menu || !MenuHasItem(d->menu, id)) {
            Fail("ChooseMenu: no menu item " + std::to_string(id) + Where(*d));
            return;
        }
        plat::Window dlg = d->handle;
        plat::Event e;
        e.msg = plat::Msg::MenuSelect;
        e.id = id;
        Send(dlg, e);
        Notify(dlg, id, plat::Code::Clicked);
    });
}

namespace {
void NotifyDoubleClick(plat::Window dlg, int id, int entry) {
    plat::Event e;
    e.msg = plat::Msg::Command;
    e.id = id;
    e.code = plat::Code::DblClick;
    e.entry = entry;
    Send(dlg, e);
}

void ClickRow(int id, int index, bool twice) {
    Dialog* d = Active();
    if (!d) return;
    const char* name = twice ? "DoubleClickRow" : "SelectRow";
    Control* c = Target(*d, id, name);
    if (!c) return;
    if (!IsList(c->spec.kind)) {
        Fail(std::string(name) + ": control " + std::to_string(id) + " is not a list" + Where(*d));
        return;
    }
    plat::Window dlg = d->handle;
    MoveFocus(*d, c);
    if (!FindDialog(dlg)) return;
    if (index < 0 || index >= static_cast<int>(c->items.size())) {
        Fail(std::string(name) + ": list " + std::to_string(id) + " has no entry " +
             std::to_string(index) + Where(*d));
        return;
    }
    SelectEntry(*c, index);
    if (!SendsListNotes(*c)) return;
    Notify(dlg, id, plat::Code::SelChange);
    if (twice && FindDialog(dlg)) NotifyDoubleClick(dlg, id, index);
}
}  // namespace

void SelectRow(int id, int index) {
    Queue([id, index] { ClickRow(id, index, false); });
}

void DoubleClickRow(int id, int index) {
    Queue([id, index] { ClickRow(id, index, true); });
}

void DoubleClickBelowRows(int id) {
    Queue([id] {
        Dialog* d = Active();
        if (!d) return;
        Control* c = Target(*d, id, "DoubleClickBelowRows");
        if (!c) return;
        if (c->spec.kind != plat::Kind::ListBox) {
            Fail("DoubleClickBelowRows: control " + std::to_string(id) + " is not a list box" + Where(*d));
            return;
        }
        plat::Window dlg = d->handle;
        MoveFocus(*d, c);
        if (FindDialog(dlg) && SendsListNotes(*c)) NotifyDoubleClick(dlg, id, -1);
    });
}

void KeyDown(int vk, bool shift, bool ctrl) {
    Queue([vk, shift, ctrl] { KeyNow(vk, shift, ctrl, true); });
}

void KeyUp(int vk, bool shift, bool ctrl) {
    Queue([vk, shift, ctrl] { KeyNow(vk, shift, ctrl, false); });
}

void Press(int vk, bool shift, bool ctrl) {
    // Two actions: a release after the press closed a dialog reaches the window below.
    KeyDown(vk, shift, ctrl);
    KeyUp(vk, shift, ctrl);
}

void Type(const std::string& text) {
    Queue([text] {
        Dialog* d = Active();
        if (!d) return;
        plat::Window dlg = d->handle;
        for (std::size_t i = 0; i < text.size();) {
            d = FindDialog(dlg);
            if (!d) return;
            Control* c = d->focus;
            if (!c || !HasEditField(c->spec.kind)) {
                Fail("Type: no edit field has the focus" + Where(*d));
                return;
            }
            char32_t cp = 0;
            const int length = pantrium::files::cp1252::Utf8At(text, i, cp);
            char ch = text[i];
            std::string lost;
            if (length > 0 && !pantrium::files::cp1252::ByteOf(cp, ch)) {
                ch = '?';
                lost = text.substr(i, static_cast<std::size_t>(length));
            }
            i += length > 0 ? static_cast<std::size_t>(length) : 1;
            if (TypeCharacter(*c, ch, lost)) Notify(dlg, c->spec.id, plat::Code::Change);
        }
    });
}

void ClearEdit() {
    Queue([] {
        Dialog* d = Active();
        if (!d) return;
        Control* c = d->focus;
        if (!c || !HasEditField(c->spec.kind)) {
            Fail("ClearEdit: no edit field has the focus" + Where(*d));
            return;
        }
        if (c->text.empty()) return;  // nothing changes, so no notification
        c->text.clear();
        c->lostAt.clear();
        c->selStart = c->selEnd = 0;
        Notify(d->handle, c->spec.id, plat::Code::Change);
    });
}

void Focus(int id) {
    Queue([id] {
        Dialog* d = Active();
        if (!d) return;
        if (Control* c = Target(*d, id, "Focus")) MoveFocus(*d, c);
    });
}

void RightClick(int id, int clientX, int clientY) {
    Queue([id, clientX, clientY] {
        Dialog* d = Active();
        if (!d) return;
        plat::Point origin = ClientOrigin(*d);
        plat::Event e;
        e.msg = plat::Msg::ContextMenu;
        e.id = id;
        e.x = origin.x + clientX;
        e.y = origin.y + clientY;
        if (id != 0) {
            Control* c = Target(*d, id, "RightClick");
            if (!c) return;
            if (c->spec.kind == plat::Kind::Edit) return;  // an edit shows its own standard menu
            e.x += c->spec.rect.left;
            e.y += c->spec.rect.top;
        }
        Send(d->handle, e);
        FlushPosted();  // a command chosen in a pop-up menu arrives now
    });
}

void Hover(int id) {
    Queue([id] {
        Dialog* d = Active();
        if (!d) return;
        plat::Event e;
        e.msg = plat::Msg::SetCursor;
        e.id = id;
        if (Send(d->handle, e) == 0) S().cursor = plat::Cursor::Arrow;  // the platform's own cursor
    });
}

void CloseBox() {
    Queue([] {
        if (Dialog* d = Active()) plat::SendClose(d->handle);
    });
}

void Activate() {
    Queue([] {
        plat::Event e;
        e.msg = plat::Msg::Activate;
        if (Dialog* d = Active()) Send(d->handle, e);
    });
}

void Then(std::function<void()> check) { Queue(std::move(check)); }

void AnswerPrompt(int answer) { S().promptAnswers.push_back(answer); }

void AnswerFileDialog(bool confirmed, const std::string& path) {
    S().fileAnswers.emplace_back(confirmed, path);
}

void ChoosePopup(int id) { S().popupAnswers.push_back(id); }

void AnswerPrinterDialog(bool confirmed) {
    S().printerAnswers.push_back(confirmed ? PrinterAnswer::Printer : PrinterAnswer::Cancel);
}
void AnswerPrinterToFile() { S().printerAnswers.push_back(PrinterAnswer::File); }

}  // namespace headless

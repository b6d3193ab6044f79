// Control access of the headless layer: texts, focus, checks, styles, looks.
#include <algorithm>

#include "platform/window/headless/state.h"

namespace headless::detail {

bool IsList(plat::Kind k) {
    return k == plat::Kind::ListBox || k == plat::Kind::DropList || k == plat::Kind::SimpleCombo;
}

bool HasEditField(plat::Kind k) { return k == plat::Kind::Edit || k == plat::Kind::SimpleCombo; }

bool GetsFocusNotes(plat::Kind k) { return k == plat::Kind::Edit || IsList(k); }

bool SendsListNotes(const Control& c) {
    return c.spec.kind != plat::Kind::ListBox || (c.spec.style & plat::kNotify);
}

void MoveFocus(Dialog& d, Control* to) {
    if (d.focus == to) return;
    plat::Window dlg = d.handle;
    Control* from = d.focus;
    if (from && GetsFocusNotes(from->spec.kind)) Notify(dlg, from->spec.id, plat::Code::KillFocus);
    Dialog* dp = FindDialog(dlg);  // the notification may have ended the dialog's life
    if (!dp) return;
    dp->focus = to;
    if (to && GetsFocusNotes(to->spec.kind)) Notify(dlg, to->spec.id, plat::Code::SetFocus);
}

void ChangeEditText(Dialog& d, Control& c, const std::string& text) {
    c.text = text;
    c.lostAt.clear();
    c.selStart = c.selEnd = static_cast<int>(text.size());
    Notify(d.handle, c.spec.id, plat::Code::Change);
}

}  // namespace headless::detail

namespace plat {
using namespace headless::detail;

void SetText(Window dlg, int id, const std::string& text) {
    Dialog* d = FindDialog(dlg);
    if (!d) return;
    if (id == 0) {
        d->caption = text;
        return;
    }
    Control* c = FindControl(d, id);
    if (!c) return;
    if (HasEditField(c->spec.kind)) {
        ChangeEditText(*d, *c, text);
    } else if (c->spec.kind == Kind::StatusBar) {
        c->statusTexts[0] = text;
    } else {
        c->text = text;
        c->lostAt.clear();
    }
}

std::string GetText(Window dlg, int id) {
    Dialog* d = FindDialog(dlg);
    if (!d) return {};
    if (id == 0) return d->caption;
    Control* c = FindControl(d, id);
    if (!c) return {};
    if (c->spec.kind == Kind::DropList)
        return c->listSel >= 0 ? c->items[c->listSel] : std::string();
    if (c->spec.kind == Kind::StatusBar) return c->statusTexts[0];
    return c->text;
}

void LimitText(Window dlg, int id, int chars) {
    if (Control* c = FindControl(dlg, id)) c->limit = chars > 0 ? chars : 0;
}

void SelectAllText(Window dlg, int id) {
    if (Control* c = FindControl(dlg, id)) {
        c->selStart = 0;
        c->selEnd = static_cast<int>(c->text.size());
    }
}

void SetFocus(Window dlg, int id) {
    Dialog* d = FindDialog(dlg);
    if (!d) return;
    Control* c = id == 0 ? nullptr : FindControl(d, id);
    if (id != 0 && !c) return;
    MoveFocus(*d, c);
}

int GetFocus(Window dlg) {
    Dialog* d = FindDialog(dlg);
    return d && d->focus ? d->focus->spec.id : 0;
}

void ShowControl(Window dlg, int id, bool visible) {
    if (Control* c = FindControl(dlg, id)) {
        if (visible)
            c->spec.style &= ~kHidden;
        else
            c->spec.style |= kHidden;
    }
}

bool IsVisible(Window dlg, int id) {
    Dialog* d = FindDialog(dlg);
    if (!d) return false;
    if (id == 0) return d->shown;
    Control* c = FindControl(d, id);
    return c && !(c->spec.style & kHidden);
}

void SetCheck(Window dlg, int id, bool checked) {
    if (Control* c = FindControl(dlg, id)) c->checked = checked;
}

bool GetCheck(Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c && c->checked;
}

void SetDefaultButton(Window dlg, int id, bool isDefault) {
    if (Control* c = FindControl(dlg, id)) {
        if (isDefault)
            c->spec.style |= kDefault;
        else
            c->spec.style &= ~kDefault;
    }
}

void SetColors(Window dlg, int id, int textRgb, int backRgb) {
    if (Control* c = FindControl(dlg, id)) {
        c->textRgb = textRgb;
        c->backRgb = backRgb;
    }
}

void SetControlFont(Window dlg, int id, Font font) {
    if (Control* c = FindControl(dlg, id)) c->font = font;
}

Font GetControlFont(Window dlg, int id) {
    Dialog* d = FindDialog(dlg);
    if (!d) return 0;
    if (id == 0) return d->font;
    Control* c = FindControl(d, id);
    if (!c) return 0;
    return c->font ? c->font : d->font;
}

void SetControlIcon(Window dlg, int id, SystemIcon icon) {
    if (Control* c = FindControl(dlg, id)) c->icon = icon;
}

void SetControlImage(Window dlg, int id, const std::string& iconResource) {
    if (Control* c = FindControl(dlg, id)) c->image = iconResource;
}

// ---- status bar ----

void SetStatusParts(Window dlg, int id, const std::vector<int>& rightEdges) {
    Control* c = FindControl(dlg, id);
    if (!c || c->spec.kind != Kind::StatusBar || rightEdges.empty()) return;
    c->statusParts = rightEdges;
    c->statusTexts.resize(rightEdges.size());
}

void SetStatusText(Window dlg, int id, int part, const std::string& text) {
    Control* c = FindControl(dlg, id);
    if (!c || c->spec.kind != Kind::StatusBar) return;
    if (part < 0 || part >= static_cast<int>(c->statusTexts.size())) return;
    c->statusTexts[part] = text;
}

std::string GetStatusText(Window dlg, int id, int part) {
    Control* c = FindControl(dlg, id);
    if (!c || c->spec.kind != Kind::StatusBar) return {};
    if (part < 0 || part >= static_cast<int>(c->statusTexts.size())) return {};
    return c->statusTexts[part];
}

// ---- key hooks and accelerators ----

void SetKeyHook(Window dlg, int id, KeyHook hook) {
    if (Control* c = FindControl(dlg, id)) c->hook = std::move(hook);
}

void RemoveKeyHook(Window dlg, int id) {
    if (Control* c = FindControl(dlg, id)) c->hook = nullptr;
}

void SetAccelerators(Window dlg, const std::vector<Accelerator>& table) {
    if (Dialog* d = FindDialog(dlg)) d->accelerators = table;
}

// ---- text the list file cannot hold ----

std::vector<std::string> CharactersLostInAnsi(Window dlg, int id) {
    std::vector<std::string> lost;
    Control* c = FindControl(dlg, id);
    if (!c || !HasEditField(c->spec.kind) || c->lostAt.size() != c->text.size()) return lost;
    for (const std::string& ch : c->lostAt)
        if (!ch.empty() && std::find(lost.begin(), lost.end(), ch) == lost.end()) lost.push_back(ch);
    return lost;
}

}  // namespace plat

namespace headless {
using namespace detail;

plat::Rect ControlRect(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c ? c->spec.rect : plat::Rect{};
}

unsigned ControlStyle(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c ? c->spec.style : 0;
}

plat::Kind ControlKind(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c ? c->spec.kind : plat::Kind::Label;
}

std::vector<int> ControlIds(plat::Window dlg) {
    std::vector<int> ids;
    if (Dialog* d = FindDialog(dlg))
        for (auto& c : d->controls) ids.push_back(c->spec.id);
    return ids;
}

int TextLimit(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c ? c->limit : 0;
}

std::vector<int> TabStops(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c ? c->tabStops : std::vector<int>{};
}

std::vector<int> StatusParts(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c && c->spec.kind == plat::Kind::StatusBar ? c->statusParts : std::vector<int>{};
}

std::pair<int, int> ControlColors(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c ? std::pair{c->textRgb, c->backRgb} : std::pair{-1, -1};
}

plat::SystemIcon ControlIcon(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c ? c->icon : plat::SystemIcon::None;
}

std::string ControlImage(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c ? c->image : std::string();
}

bool HasKeyHook(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c && static_cast<bool>(c->hook);
}

std::pair<int, int> EditSelection(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c ? std::pair{c->selStart, c->selEnd} : std::pair{0, 0};
}

}  // namespace headless

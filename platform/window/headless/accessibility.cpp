// What the headless layer would tell a screen reader: names, list entries'
// words and check marks, kept as the window layers' shared rule gives them.
#include "platform/window/accessible_names.h"
#include "platform/window/headless/state.h"

namespace plat {
using namespace headless::detail;

void SetAccessibleName(Window dlg, int id, const std::string& name) {
    if (Control* c = FindControl(dlg, id)) c->accessibleName = name;
}

void ListSetEntryReader(Window dlg, int id, EntryReader reader) {
    Control* c = FindControl(dlg, id);
    if (c && c->spec.kind == Kind::ListBox) c->reader = std::move(reader);
}

EntrySpeech AccessibleText(Window dlg, int id, int entry) {
    const Control* c = FindControl(dlg, id);
    if (!c || (c->spec.style & kHidden)) return {};
    if (c->spec.kind != Kind::StatusBar && (c->spec.rect.width <= 0 || c->spec.rect.height <= 0)) return {};
    const Kind kind = c->spec.kind;
    if (kind == Kind::StatusBar) {
        if (entry < 0 || entry >= static_cast<int>(c->statusTexts.size())) return {};
        return {c->statusTexts[static_cast<size_t>(entry)]};
    }
    if (entry >= 0) {
        if (!IsList(kind) || entry >= static_cast<int>(c->items.size())) return {};
        const std::string& text = c->items[static_cast<size_t>(entry)];
        return c->reader ? c->reader(text) : EntrySpeech{text};
    }
    if (NamedFromOutside(kind)) return {c->accessibleName};
    if (kind == Kind::Label || kind == Kind::Button || kind == Kind::CheckBox)
        return {LabelAsName(c->text, c->spec.style)};
    return {};
}

}  // namespace plat

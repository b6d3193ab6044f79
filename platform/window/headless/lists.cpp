// List boxes and combo boxes of the headless layer.
#include <algorithm>
#include <cctype>

#include "platform/window/headless/headless_metrics.h"
#include "platform/window/headless/state.h"

namespace headless::detail {
namespace {

Control* FindList(plat::Window dlg, int id) {
    Control* c = FindControl(dlg, id);
    return c && IsList(c->spec.kind) ? c : nullptr;
}

int Count(const Control& c) { return static_cast<int>(c.items.size()); }

int RowHeight(plat::Window dlg, const Control& c) {
    return std::max(1, TextHeight(plat::GetControlFont(dlg, c.spec.id)));
}

// Top edge of the first row, relative to the control's top edge.
int RowsTop(const Control& c) {
    if (c.spec.kind == plat::Kind::SimpleCombo) return metrics::kComboEditHeight;
    if (c.spec.style & plat::kClientEdge) return 2;
    if (c.spec.style & plat::kStaticEdge) return 1;
    return 0;
}

int VisibleRows(const Control& c, int rowHeight) {
    return std::max(1, (c.spec.rect.height - RowsTop(c)) / rowHeight);
}

void ClampTop(Control& c) {
    int visible = VisibleRows(c, RowHeight(c.dialog, c));
    int maxTop = std::max(0, Count(c) - visible);
    c.top = std::clamp(c.top, 0, maxTop);
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Clearing a combo's selection or its entries also empties its edit field
// (without a Change, as the combo writes the field itself).
void ClearComboEdit(Control& c) {
    c.text.clear();
    c.lostAt.clear();
    c.selStart = c.selEnd = 0;
}

}  // namespace

void SelectEntry(Control& c, int index) {
    if (index < 0 || index >= Count(c)) {
        c.listSel = -1;
        if (c.spec.kind == plat::Kind::SimpleCombo) ClearComboEdit(c);
        return;
    }
    c.listSel = index;
    int visible = VisibleRows(c, RowHeight(c.dialog, c));
    if (index < c.top) c.top = index;
    if (index >= c.top + visible) c.top = index - visible + 1;
    ClampTop(c);
    if (c.spec.kind == plat::Kind::SimpleCombo) {
        // The combo copies the entry into its edit field, without a Change.
        c.text = c.items[index];
        c.lostAt.clear();
        c.selStart = 0;
        c.selEnd = static_cast<int>(c.text.size());
    }
}

}  // namespace headless::detail

namespace plat {
using namespace headless::detail;

void ListReset(Window dlg, int id) {
    if (Control* c = FindList(dlg, id)) {
        c->items.clear();
        c->listSel = -1;
        c->top = 0;
        if (c->spec.kind == Kind::SimpleCombo) ClearComboEdit(*c);
    }
}

int ListAdd(Window dlg, int id, const std::string& text) {
    Control* c = FindList(dlg, id);
    if (!c) return -1;
    c->items.push_back(text);
    return Count(*c) - 1;
}

void ListInsert(Window dlg, int id, int index, const std::string& text) {
    Control* c = FindList(dlg, id);
    if (!c) return;
    if (index < 0 || index > Count(*c)) index = Count(*c);  // -1 appends
    c->items.insert(c->items.begin() + index, text);
    if (c->listSel >= index) ++c->listSel;
}

void ListDelete(Window dlg, int id, int index) {
    Control* c = FindList(dlg, id);
    if (!c || index < 0 || index >= Count(*c)) return;
    c->items.erase(c->items.begin() + index);
    if (c->listSel == index)
        c->listSel = -1;
    else if (c->listSel > index)
        --c->listSel;
    ClampTop(*c);
}

void ListFill(Window dlg, int id, int count, const std::function<std::string(int)>& rowText) {
    const int top = ListTopIndex(dlg, id);
    ListReset(dlg, id);
    for (int i = 0; i < count; ++i) ListAdd(dlg, id, rowText(i));
    ListSetTopIndex(dlg, id, top);
}

void ListReplace(Window dlg, int id, int index, const std::string& text) {
    ListDelete(dlg, id, index);
    ListInsert(dlg, id, index, text);
}

int ListCount(Window dlg, int id) {
    Control* c = FindList(dlg, id);
    return c ? Count(*c) : 0;
}

std::string ListText(Window dlg, int id, int index) {
    Control* c = FindList(dlg, id);
    if (!c || index < 0 || index >= Count(*c)) return {};
    return c->items[index];
}

int ListGetSel(Window dlg, int id) {
    Control* c = FindList(dlg, id);
    return c ? c->listSel : -1;
}

void ListSetSel(Window dlg, int id, int index) {
    if (Control* c = FindList(dlg, id)) SelectEntry(*c, index);
}

int ListTopIndex(Window dlg, int id) {
    Control* c = FindList(dlg, id);
    return c ? c->top : 0;
}

void ListSetTopIndex(Window dlg, int id, int index) {
    if (Control* c = FindList(dlg, id)) {
        c->top = index;
        ClampTop(*c);
    }
}

int ListFindExact(Window dlg, int id, int startAfter, const std::string& text) {
    Control* c = FindList(dlg, id);
    if (!c || c->items.empty()) return -1;
    int n = Count(*c);
    int first = (startAfter < -1 || startAfter >= n) ? 0 : startAfter + 1;
    for (int k = 0; k < n; ++k) {
        int i = (first + k) % n;
        if (EqualIgnoringCase(c->items[i], text)) return i;
    }
    return -1;
}

void ListSetTabStops(Window dlg, int id, const std::vector<int>& stops) {
    if (Control* c = FindList(dlg, id)) c->tabStops = stops;
}

int ListItemFromPoint(Window dlg, int id, int screenX, int screenY) {
    Dialog* d = FindDialog(dlg);
    Control* c = FindList(dlg, id);
    if (!d || !c || (c->spec.style & kHidden)) return -1;
    if (c->spec.kind == Kind::DropList) return -1;  // a closed drop-down shows no list
    Point origin = ClientOrigin(*d);
    int x = screenX - origin.x - c->spec.rect.left;
    int y = screenY - origin.y - c->spec.rect.top - RowsTop(*c);
    int rowHeight = RowHeight(dlg, *c);
    if (x < 0 || x >= c->spec.rect.width || y < 0) return -1;
    int row = y / rowHeight;
    if (row >= VisibleRows(*c, rowHeight)) return -1;
    int index = c->top + row;
    return index < Count(*c) ? index : -1;
}

Rect ListItemRect(Window dlg, int id, int index) {
    Dialog* d = FindDialog(dlg);
    Control* c = FindList(dlg, id);
    if (!d || !c || c->spec.kind != Kind::ListBox || index < 0 || index >= Count(*c)) return {};
    Point origin = ClientOrigin(*d);
    int rowHeight = RowHeight(dlg, *c);
    return {origin.x + c->spec.rect.left, origin.y + c->spec.rect.top + RowsTop(*c) + (index - c->top) * rowHeight,
            c->spec.rect.width, rowHeight};
}

}  // namespace plat

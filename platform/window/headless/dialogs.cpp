// Dialogs of the headless layer: creation, the modal loop, sends, placement.
#include <algorithm>

#include "platform/window/anchored_layout.h"
#include "platform/window/headless/headless_metrics.h"
#include "platform/window/accessible_names.h"
#include "platform/window/headless/state.h"

namespace headless::detail {

State& S() {
    static State state;
    return state;
}

std::uintptr_t NewHandle() { return S().nextHandle += 0x10; }

void Fail(const std::string& what) { S().failures.push_back(what); }

Dialog* FindDialog(plat::Window dlg) {
    auto it = S().dialogs.find(dlg);
    return it == S().dialogs.end() ? nullptr : it->second.get();
}

Dialog* Active() {
    for (auto it = S().stack.rbegin(); it != S().stack.rend(); ++it) {
        Dialog* d = FindDialog(*it);
        if (d && d->shown) return d;
    }
    return nullptr;
}

int Send(plat::Window dlg, const plat::Event& e) {
    Dialog* d = FindDialog(dlg);
    if (!d || !d->callback) return 0;
    plat::Callback callback = d->callback;  // the dialog may change while it runs
    return callback(dlg, e);
}

int Notify(plat::Window dlg, int id, plat::Code code) {
    plat::Event e;
    e.msg = plat::Msg::Command;
    e.id = id;
    e.code = code;
    return Send(dlg, e);
}

void FlushPosted() {
    while (!S().posted.empty()) {
        auto [dlg, id] = S().posted.front();
        S().posted.erase(S().posted.begin());
        Notify(dlg, id, plat::Code::Clicked);
    }
}

namespace {

bool HasCaption(const plat::DialogSpec& spec) { return (spec.frame & plat::kCaption) != 0; }

int NonClientHeight(const Dialog& d) {
    return 2 * metrics::kBorder + (HasCaption(d.spec) ? metrics::kCaption : 0) +
           (d.menu ? metrics::kMenuBar : 0);
}

// MulDiv's rounding: to the nearest, halves away from zero.
int MulDivRound(int v, int num, int den) {
    long long p = static_cast<long long>(v) * num;
    long long r = (p >= 0 ? p + den / 2 : p - den / 2) / den;
    return static_cast<int>(r);
}

plat::Rect ToPixels(const plat::Rect& r) {
    return {MulDivRound(r.left, metrics::kDluBaseX, 4), MulDivRound(r.top, metrics::kDluBaseY, 8),
            MulDivRound(r.width, metrics::kDluBaseX, 4), MulDivRound(r.height, metrics::kDluBaseY, 8)};
}

void CreateControl(Dialog& d, const plat::ControlSpec& spec) {
    auto c = std::make_unique<Control>();
    c->dialog = d.handle;
    c->spec = spec;
    if (d.spec.dialogUnits) c->spec.rect = ToPixels(spec.rect);
    c->created = c->spec.rect;
    c->text = spec.text;
    c->selStart = c->selEnd = static_cast<int>(c->text.size());
    c->accessibleName = plat::NameFromPrevious(d.controls.empty() ? nullptr : &d.controls.back()->spec, spec.kind);
    d.controls.push_back(std::move(c));
    LayoutClient(d);
}

bool CanTakeDefaultFocus(const Control& c) {
    return (c.spec.style & plat::kTabStop) && !(c.spec.style & plat::kHidden);
}

}  // namespace

plat::Point ClientOrigin(const Dialog& d) {
    // Everything above the client area; the bottom border lies below it.
    return {d.outer.left + metrics::kBorder, d.outer.top + NonClientHeight(d) - metrics::kBorder};
}

plat::Size ClientSize(const Dialog& d) {
    return {std::max(0, d.outer.width - 2 * metrics::kBorder),
            std::max(0, d.outer.height - NonClientHeight(d))};
}

void LayoutStatusBars(Dialog& d) {
    plat::Size client = ClientSize(d);
    for (auto& c : d.controls)
        if (c->spec.kind == plat::Kind::StatusBar)
            c->spec.rect = {0, client.cy - metrics::kStatusBarHeight, client.cx,
                            metrics::kStatusBarHeight};
}

void LayoutClient(Dialog& d) {
    LayoutStatusBars(d);
    if (d.firstClient.cx < 0) return;
    const plat::Size client = ClientSize(d);
    const int dw = client.cx - d.firstClient.cx, dh = client.cy - d.firstClient.cy;
    for (auto& c : d.controls) {
        if (!(c->spec.style & plat::kLayoutBits) || c->spec.kind == plat::Kind::StatusBar) continue;
        const plat::Rect& r = c->created;
        const plat::Edges e =
            plat::AnchoredEdges({r.left, r.top, r.left + r.width, r.top + r.height}, c->spec.style, dw, dh);
        c->spec.rect = {e.left, e.top, e.right - e.left, e.bottom - e.top};
    }
}

Control* FindControl(Dialog* d, int id) {
    if (!d) return nullptr;
    for (auto& c : d->controls)
        if (c->spec.id == id) return c.get();
    return nullptr;
}

Control* FindControl(plat::Window dlg, int id) { return FindControl(FindDialog(dlg), id); }

}  // namespace headless::detail

namespace plat {
using namespace headless::detail;
namespace metrics = headless::metrics;

namespace {

// Builds the dialog and its controls, placed and sized, not yet shown.
Window CreateDialog(const DialogSpec& spec, const Callback& callback) {
    auto owned = std::make_unique<Dialog>();
    Dialog& d = *owned;
    d.handle = NewHandle();
    d.spec = spec;
    d.callback = callback;
    d.caption = spec.caption;
    d.font = DialogFont(spec.fontFace, spec.fontPoints);
    Rect client{0, 0, spec.width, spec.height};
    if (spec.dialogUnits) client = ToPixels(client);
    d.outer.width = client.width + 2 * metrics::kBorder;
    d.outer.height = client.height + NonClientHeight(d);
    if (spec.centred) {
        d.outer.left = (metrics::kWorkWidth - d.outer.width) / 2;
        d.outer.top = (metrics::kWorkHeight - d.outer.height) / 2;
    }
    S().dialogs[d.handle] = std::move(owned);
    S().stack.push_back(d.handle);
    for (const ControlSpec& c : spec.controls) CreateControl(d, c);
    return d.handle;
}

// Init, then the focus to the first tab stop unless Init took care of it.
void Initialise(Window handle) {
    Event init;
    init.msg = Msg::Init;
    int handled = Send(handle, init);
    Dialog* d = FindDialog(handle);
    if (!d) return;
    if (!d->ended && !handled && !d->focus) {
        for (auto& c : d->controls)
            if (CanTakeDefaultFocus(*c)) {
                MoveFocus(*d, c.get());
                break;
            }
    }
    if (!(d = FindDialog(handle))) return;
    if (d->spec.frame & kResizable) {
        d->firstClient = ClientSize(*d);
        d->minOuter = {d->outer.width, d->outer.height};
    }
    d->shown = true;
}

// Runs queued actions until the dialog has ended; a dry script ends it with 2.
void RunModalLoop(Window handle) {
    State& s = S();
    while (true) {
        FlushPosted();
        Dialog* d = FindDialog(handle);
        if (!d || d->ended) return;
        if (s.actions.empty() && s.idle) {
            std::function<void()> idle = s.idle;  // it may reset the layer
            idle();
            continue;
        }
        if (s.actions.empty()) {
            Fail("script ran out in dialog " + d->caption);
            EndDialog(handle, 2);
            return;
        }
        std::function<void()> action = std::move(s.actions.front());
        s.actions.pop_front();
        action();
    }
}

}  // namespace

int RunDialog(const DialogSpec& spec, const Callback& callback) {
    State& s = S();
    if (s.stack.size() >= 64) {
        Fail("dialogs nested too deeply at \"" + spec.caption + "\"");
        return 2;
    }
    s.dialogsRun.push_back(spec);
    Window handle = CreateDialog(spec, callback);
    Dialog* owner = spec.owner ? FindDialog(spec.owner) : nullptr;
    bool ownerWasEnabled = owner ? owner->enabled : true;
    if (owner) owner->enabled = false;

    Initialise(handle);
    RunModalLoop(handle);

    Dialog* d = FindDialog(handle);
    int result = d ? d->result : 2;
    if (d) d->shown = false;
    Event destroy;
    destroy.msg = Msg::Destroy;
    Send(handle, destroy);
    if (Dialog* o = spec.owner ? FindDialog(spec.owner) : nullptr) o->enabled = ownerWasEnabled;
    s.stack.erase(std::remove(s.stack.begin(), s.stack.end(), handle), s.stack.end());
    s.dialogs.erase(handle);
    return result;
}

void EndDialog(Window dlg, int result) {
    if (Dialog* d = FindDialog(dlg); d && !d->ended) {
        d->ended = true;
        d->result = result;
    }
}

void AddControl(Window dlg, const ControlSpec& spec) {
    if (Dialog* d = FindDialog(dlg)) CreateControl(*d, spec);
}

int SendCommand(Window dlg, int id, Code code) { return Notify(dlg, id, code); }

int SendUser(Window dlg, int number) {
    Event e;
    e.msg = Msg::User;
    e.id = number;
    return Send(dlg, e);
}

int SendClose(Window dlg) {
    Event e;
    e.msg = Msg::Close;
    int r = Send(dlg, e);
    if (r == 0) EndDialog(dlg, 2);
    return r;
}

void SetCaption(Window dlg, const std::string& caption) {
    if (Dialog* d = FindDialog(dlg)) d->caption = caption;
}

std::string GetCaption(Window dlg) {
    Dialog* d = FindDialog(dlg);
    return d ? d->caption : std::string();
}

Rect GetWindowRect(Window dlg) {
    Dialog* d = FindDialog(dlg);
    return d ? d->outer : Rect{};
}

void MoveWindow(Window dlg, const Rect& outer) {
    if (Dialog* d = FindDialog(dlg)) {
        d->outer = outer;
        if (d->firstClient.cx >= 0) {
            d->outer.width = std::max(outer.width, d->minOuter.cx);
            d->outer.height = std::max(outer.height, d->minOuter.cy);
        }
        LayoutClient(*d);
    }
}

void SetTopMost(Window dlg) {
    if (Dialog* d = FindDialog(dlg)) d->topMost = true;
}

Rect WorkArea() { return {0, 0, metrics::kWorkWidth, metrics::kWorkHeight}; }

Window ActiveWindow() {
    Dialog* d = Active();
    return d ? d->handle : 0;
}

void SetDialogIcon(Window dlg, const std::string& resourceName) {
    if (Dialog* d = FindDialog(dlg)) d->icon = resourceName;
}

}  // namespace plat

namespace headless {
using namespace detail;

void Reset() {
    State& s = S();
    s = State();
}

const std::vector<PromptRecord>& Prompts() { return S().prompts; }
const std::vector<plat::FileDialogRequest>& FileDialogs() { return S().fileDialogs; }
const std::vector<std::pair<std::string, bool>>& ShellOpens() { return S().shellOpens; }
const std::vector<std::string>& HelpRequests() { return S().helpRequests; }
const std::vector<PrinterOp>& PrinterOps() { return S().printerOps; }
const std::vector<int>& Beeps() { return S().beeps; }
plat::Cursor CurrentCursor() { return S().cursor; }
const std::vector<std::string>& Failures() { return S().failures; }

std::vector<std::string> TakeFailures() {
    std::vector<std::string> taken;
    taken.swap(S().failures);
    return taken;
}
const std::vector<PopupRecord>& Popups() { return S().popups; }
const std::vector<plat::DialogSpec>& DialogsRun() { return S().dialogsRun; }

int UnusedScript() {
    const State& s = S();
    return static_cast<int>(s.actions.size() + s.promptAnswers.size() + s.fileAnswers.size() +
                            s.popupAnswers.size() + s.printerAnswers.size());
}

plat::Window ActiveDialog() { return plat::ActiveWindow(); }

bool IsEnded(plat::Window dlg) {
    Dialog* d = FindDialog(dlg);
    return d && d->ended;
}

void WhenIdle(std::function<void()> step) { S().idle = std::move(step); }

bool RunNextAction() {
    FlushPosted();
    if (S().actions.empty()) return false;
    std::function<void()> action = std::move(S().actions.front());
    S().actions.pop_front();
    action();
    FlushPosted();
    return true;
}

std::vector<plat::Window> OpenDialogs() { return S().stack; }

const plat::DialogSpec& SpecOf(plat::Window dlg) {
    static const plat::DialogSpec none;
    Dialog* d = FindDialog(dlg);
    return d ? d->spec : none;
}

bool IsEnabled(plat::Window dlg) {
    Dialog* d = FindDialog(dlg);
    return d && d->enabled;
}

plat::Rect ClientRect(plat::Window dlg) {
    Dialog* d = FindDialog(dlg);
    if (!d) return {};
    plat::Point o = ClientOrigin(*d);
    plat::Size sz = ClientSize(*d);
    return {o.x, o.y, sz.cx, sz.cy};
}

std::string DialogIcon(plat::Window dlg) {
    Dialog* d = FindDialog(dlg);
    return d ? d->icon : std::string();
}

bool IsTopMost(plat::Window dlg) {
    Dialog* d = FindDialog(dlg);
    return d && d->topMost;
}

}  // namespace headless

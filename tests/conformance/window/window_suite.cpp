#include "window_suite.h"

namespace plat {
std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}
std::ostream& operator<<(std::ostream& out, const Point& p) { return out << "{" << p.x << ", " << p.y << "}"; }
std::ostream& operator<<(std::ostream& out, const Size& s) { return out << "{" << s.cx << ", " << s.cy << "}"; }
}  // namespace plat

namespace window {

bool Events::Saw(Msg msg, int id, Code code) const { return Count(msg, id, code) > 0; }

int Events::Count(Msg msg, int id, Code code) const {
    int n = 0;
    for (const Seen& s : seen) n += s.msg == msg && s.id == id && (code == Code::None || s.code == code);
    return n;
}

std::vector<std::string> Events::Commands() const {
    static const char* const kNames[] = {"none", "clicked", "selchange", "dblclick", "setfocus", "killfocus", "change"};
    std::vector<std::string> out;
    for (const Seen& s : seen)
        if (s.msg == Msg::Command) out.push_back(std::to_string(s.id) + " " + kNames[static_cast<int>(s.code)]);
    return out;
}

Events& Recorded() {
    static Events events;
    return events;
}

namespace {
constexpr int kBodyDone = 1;
}

int RunShown(const DialogSpec& spec, const std::function<void(Window)>& body, const Callback& callback) {
    int result = RunDialog(spec, [&](Window dlg, const Event& e) {
        Recorded().Add(e);
        if (e.msg == Msg::Init && body) {
            User().WhenShown(dlg, [&, dlg] {
                body(dlg);
                if (User().IsOpen(dlg)) EndDialog(dlg, kBodyDone);
            });
        }
        return callback ? callback(dlg, e) : 0;
    });
    CheckDriver();
    return result;
}

bool WaitFor(const std::function<bool()>& cond) { return User().PumpUntil(cond, kDeadlineMs); }

void CheckDriver() {
    for (const std::string& failure : User().TakeFailures()) Check(false, "the scripted user: " + failure);
}

void CheckNear(const Rect& actual, const Rect& expected, const std::string& what) {
    if (Near(actual, expected)) Check(true, what);
    else Check(false, what + ": got " + conformance::Describe(actual) + ", expected " + conformance::Describe(expected));
}

DialogSpec DialogUnitsSpec() {
    DialogSpec s;
    s.caption = "Units";
    s.width = 200;
    s.height = 140;
    s.dialogUnits = true;
    s.frame = kCaption | kSysMenu | kModalFrame;
    s.controls = {{1, Kind::Button, "OK", {85, 90, 50, 25}, 0}, {-1, Kind::Icon, "", {10, 10, 30, 30}, 0}};
    return s;
}

DialogSpec MainSpec() {
    DialogSpec s;
    s.caption = "Layer check";
    s.width = 300;
    s.height = 200;
    s.frame = kCaption | kSysMenu | kMinimizeBox;
    s.controls = {
        {kList, Kind::ListBox, "", {10, 10, 200, 100}, kTabStop | kVScroll | kUseTabStops | kNotify | kDisableNoScroll},
        {kEdit, Kind::Edit, "", {10, 120, 60, 18}, kTabStop | kAutoHScroll | kClientEdge},
        {-1, Kind::Label, "Units", {80, 120, 60, 15}, kStaticEdge},
        {kLink, Kind::Label, "a&b", {80, 140, 60, 15}, kNotify | kNoPrefix},
        {kCombo, Kind::SimpleCombo, "", {220, 10, 70, 100}, kTabStop | kVScroll},
        {1, Kind::Button, "OK", {220, 120, 60, 25}, kDefault},
        {2, Kind::Button, "", {0, 0, 0, 0}, 0},
        {kHiddenButton, Kind::Button, "Hidden", {220, 150, 60, 25}, kHidden},
        {kCheck, Kind::CheckBox, "check", {10, 150, 80, 15}, kTabStop},
        {kOther, Kind::Button, "Other", {100, 160, 60, 25}, 0},
    };
    return s;
}

DialogSpec ListSpec() {
    DialogSpec s;
    s.caption = "Lists";
    s.width = 300;
    s.height = 200;
    s.controls = {{kList, Kind::ListBox, "", {10, 20, 100, 65}, kTabStop | kNotify | kVScroll},
                  {kOther, Kind::Button, "Other", {120, 90, 60, 25}, 0},
                  {kEdit, Kind::Edit, "abc", {120, 20, 60, 18}, kTabStop},
                  {kCombo, Kind::SimpleCombo, "", {190, 20, 100, 100}, kTabStop}};
    return s;
}

void AddRows(Window dlg, int id, int n) {
    for (int i = 0; i < n; ++i) ListAdd(dlg, id, "row " + std::to_string(i));
}

}  // namespace window

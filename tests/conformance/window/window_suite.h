// What the cases of the window layer's suite share: the scripted user, a
// record of the events a dialog's callback received, and a dialog run whose
// checks happen inside the dialog's own loop once it shows.
#pragma once
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "conformance/harness.h"
#include "drivers/user.h"
#include "geometry_output.h"
#include "platform/window.h"

namespace window {

using namespace plat;
using conformance::Check;
using conformance::CheckEq;
using conformance::Info;

inline drivers::User& User() { return drivers::TheUser(); }

// How long a check waits for the state it expects (the emulated 32-bit Wine is slow).
constexpr int kDeadlineMs = 10000;

struct Seen {
    Msg msg;
    int id;
    Code code;
    int entry;
};

// The events of the dialogs run with RunShown, in arrival order.
class Events {
public:
    void Add(const Event& e) { seen.push_back({e.msg, e.id, e.code, e.entry}); }
    void Clear() { seen.clear(); }
    bool Empty() const { return seen.empty(); }
    const std::vector<Seen>& All() const { return seen; }
    bool Saw(Msg msg, int id, Code code = Code::None) const;
    int Count(Msg msg, int id, Code code = Code::None) const;
    // Commands as "id code" (focus, change, clicked ...), for order checks.
    std::vector<std::string> Commands() const;

private:
    std::vector<Seen> seen;
};
Events& Recorded();

// Runs spec; every event goes to Recorded() and then to callback (if any,
// its answer is the dialog's). body runs in the dialog's loop once it shows;
// the dialog then ends with 1 unless body ended it (or it is no longer shown). Returns RunDialog's result.
int RunShown(const DialogSpec& spec, const std::function<void(Window)>& body, const Callback& callback = nullptr);

// Waits in the dialog's loop for cond, deadline kDeadlineMs.
bool WaitFor(const std::function<bool()>& cond);

// Reports what the driver could not do as failures of the running case.
void CheckDriver();

// The dialog most cases run: a list with tab stops, an edit, labels, a simple
// combo box, buttons (OK default, a cancel button without a size, a hidden
// one, another one) and a check box.
enum : int { kList = 100, kEdit = 101, kLink = 102, kCombo = 103, kHiddenButton = 104, kCheck = 105,
             kOther = 106, kStatus = 200 };
DialogSpec MainSpec();
// A dialog laid out in dialog units, as the About box is: an OK button and an icon.
DialogSpec DialogUnitsSpec();
// A dialog with a five-row list, a button that is no tab stop, an edit holding
// "abc" and a simple combo box.
DialogSpec ListSpec();
// Fills list id of dlg with n rows "row 0", "row 1" ...
void AddRows(Window dlg, int id, int n);

// Pixels one either way apart: a layer on a display of another DPI rounds the
// display's pixels to 96-dpi ones.
inline bool Near(int a, int b) { return std::abs(a - b) <= 1; }
inline bool Near(const Rect& a, const Rect& b) {
    return Near(a.left, b.left) && Near(a.top, b.top) && Near(a.width, b.width) && Near(a.height, b.height);
}
// Checks that actual is Near expected, with both rectangles in the line when it fails.
void CheckNear(const Rect& actual, const Rect& expected, const std::string& what);

}  // namespace window

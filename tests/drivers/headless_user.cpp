// The scripted user on the headless layer: headless.h's script queue. Every
// action is queued and runs when the dialog's loop takes it, here when the
// test pumps; the platform's dialogs take the scripted answers.
#include "drivers/user.h"

#include "drivers/layer_records.h"
#include "platform/window/headless/headless.h"

namespace drivers {
namespace {

class HeadlessUser : public User {
public:
    std::string Name() const override { return "headless"; }
    void Reset() override {
        headless::Reset();
        prompts.clear();
        driving = false;
    }
    plat::Window ActiveDialog() override { return headless::ActiveDialog(); }
    // The loop asks for a step whenever its queue runs dry.
    void Drive(std::function<void()> step) override {
        driving = step != nullptr;
        headless::WhenIdle(std::move(step));
    }

    // A dialog ended during Init never runs its loop: its body is left out then.
    void WhenShown(plat::Window dlg, std::function<void()> body) override {
        headless::Then([dlg, body = std::move(body)] {
            if (headless::ActiveDialog() == dlg) body();
        });
    }

    // The script addresses the active dialog, the one a test drives.
    void Click(plat::Window, int id) override { headless::Click(id); }
    void DoubleClickRow(plat::Window, int id, int index) override {
        if (index < 0) headless::DoubleClickBelowRows(id);
        else headless::DoubleClickRow(id, index);
    }
    void ClickRow(plat::Window, int id, int index) override { headless::SelectRow(id, index); }
    void ChooseMenu(plat::Window, int id) override { headless::ChooseMenu(id); }
    void RightClick(plat::Window, int id, int x, int y) override { headless::RightClick(id, x, y); }
    void Hover(plat::Window, int id) override { headless::Hover(id); }
    void CloseBox(plat::Window) override { headless::CloseBox(); }
    void Activate(plat::Window) override { headless::Activate(); }
    void KeyDown(plat::Window, int vk, bool shift, bool ctrl) override { headless::KeyDown(vk, shift, ctrl); }
    void KeyUp(plat::Window, int vk, bool shift, bool ctrl) override { headless::KeyUp(vk, shift, ctrl); }
    void Type(plat::Window, const std::string& text) override { headless::Type(text); }

    bool ShowsPlatformDialogs() const override { return false; }
    void AnswerPrompt(int answer, std::function<void()>) override { headless::AnswerPrompt(answer); }
    void AnswerFileDialog(bool confirmed, const std::string& name) override {
        headless::AnswerFileDialog(confirmed, name);
    }
    void AnswerPrinterDialog(bool confirmed) override { headless::AnswerPrinterDialog(confirmed); }
    void AnswerPopup(int id) override { headless::ChoosePopup(id); }

    const std::vector<PromptSeen>& Prompts() override {
        const auto& all = headless::Prompts();
        for (size_t i = prompts.size(); i < all.size(); ++i)
            prompts.push_back({all[i].text, all[i].caption, all[i].style, all[i].answer});
        return prompts;
    }
    const std::vector<plat::FileDialogRequest>& FileDialogs() override { return headless::FileDialogs(); }

    plat::Rect ClientRect(plat::Window dlg) override { return headless::ClientRect(dlg); }
    plat::Rect ControlRect(plat::Window dlg, int id) override { return headless::ControlRect(dlg, id); }
    bool IsEnabled(plat::Window dlg) override { return headless::IsEnabled(dlg); }
    bool IsOpen(plat::Window dlg) override {
        for (plat::Window open : headless::OpenDialogs())
            if (open == dlg) return !headless::IsEnded(dlg);
        return false;
    }

    // The in-memory loop has no time: it runs the queue until the state holds
    // or nothing is left to run.
    bool PumpUntil(const std::function<bool()>& cond, int) override {
        while (!cond())
            if (!headless::RunNextAction()) return cond();
        return true;
    }

    // A played script leaves no answer unused (its own steps are counted apart).
    std::vector<std::string> TakeFailures() override {
        std::vector<std::string> failures = headless::TakeFailures();
        if (driving && headless::UnusedScript() > 0)
            failures.push_back(std::to_string(headless::UnusedScript()) + " scripted answers left unused");
        return failures;
    }

private:
    std::vector<PromptSeen> prompts;
    bool driving = false;
};

// The records in the tests' own types.
PrinterOp Converted(const headless::PrinterOp& op) {
    return {static_cast<PrinterOp::Kind>(op.kind), op.text, op.x, op.y, op.points, op.style};
}
PopupRecord Converted(const headless::PopupRecord& p) { return {p.menu, p.x, p.y, p.owner, p.items, p.chosen}; }
template <class Out, class In>
const std::vector<Out>& Copied(const std::vector<In>& in) {
    static std::vector<Out> out;
    out.clear();
    for (const In& x : in) out.push_back(Converted(x));
    return out;
}

}  // namespace

User& TheUser() {
    static HeadlessUser user;
    return user;
}

const std::vector<plat::DialogSpec>& DialogsRun() { return headless::DialogsRun(); }
const std::vector<PopupRecord>& Popups() { return Copied<PopupRecord>(headless::Popups()); }
const std::vector<PrinterOp>& PrinterOps() { return Copied<PrinterOp>(headless::PrinterOps()); }
const std::vector<std::pair<std::string, bool>>& ShellOpens() { return headless::ShellOpens(); }
const std::vector<std::string>& HelpRequests() { return headless::HelpRequests(); }
const std::vector<int>& Beeps() { return headless::Beeps(); }
plat::Cursor CurrentCursor() { return headless::CurrentCursor(); }
int LiveFonts() { return headless::LiveFonts(); }

const plat::DialogSpec& SpecOf(plat::Window dlg) { return headless::SpecOf(dlg); }
std::vector<plat::Window> OpenDialogs() { return headless::OpenDialogs(); }
unsigned ControlStyle(plat::Window dlg, int id) { return headless::ControlStyle(dlg, id); }
plat::Kind ControlKind(plat::Window dlg, int id) { return headless::ControlKind(dlg, id); }
std::vector<int> ControlIds(plat::Window dlg) { return headless::ControlIds(dlg); }
int TextLimit(plat::Window dlg, int id) { return headless::TextLimit(dlg, id); }
std::vector<int> TabStops(plat::Window dlg, int id) { return headless::TabStops(dlg, id); }
std::vector<int> StatusParts(plat::Window dlg, int id) { return headless::StatusParts(dlg, id); }
std::pair<int, int> ControlColors(plat::Window dlg, int id) { return headless::ControlColors(dlg, id); }
plat::SystemIcon ControlIcon(plat::Window dlg, int id) { return headless::ControlIcon(dlg, id); }
std::string ControlImage(plat::Window dlg, int id) { return headless::ControlImage(dlg, id); }
std::string DialogIcon(plat::Window dlg) { return headless::DialogIcon(dlg); }
bool HasKeyHook(plat::Window dlg, int id) { return headless::HasKeyHook(dlg, id); }
std::pair<int, int> EditSelection(plat::Window dlg, int id) { return headless::EditSelection(dlg, id); }
plat::Menu MenuOf(plat::Window dlg) { return headless::MenuOf(dlg); }
std::vector<plat::MenuItem> MenuItems(plat::Menu menu) { return headless::MenuItems(menu); }
bool IsTopMost(plat::Window dlg) { return headless::IsTopMost(dlg); }

}  // namespace drivers

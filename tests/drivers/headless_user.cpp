// The scripted user on the headless layer: headless.h's script queue. Every
// action is queued and runs when the dialog's loop takes it, here when the
// test pumps; the platform's dialogs take the scripted answers.
#include "drivers/user.h"

#include "platform/headless/headless.h"

namespace drivers {
namespace {

class HeadlessUser : public User {
public:
    std::string Name() const override { return "headless"; }
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
    void RightClick(plat::Window, int id, int x, int y) override { headless::RightClick(id, x, y); }
    void Hover(plat::Window, int id) override { headless::Hover(id); }
    void CloseBox(plat::Window) override { headless::CloseBox(); }
    void KeyDown(plat::Window, int vk, bool shift) override { headless::KeyDown(vk, shift); }
    void KeyUp(plat::Window, int vk, bool shift) override { headless::KeyUp(vk, shift); }
    void Type(plat::Window, const std::string& text) override { headless::Type(text); }

    bool ShowsPlatformDialogs() const override { return false; }
    void AnswerPrompt(int answer, std::function<void()>) override { headless::AnswerPrompt(answer); }
    void AnswerFileDialog(bool confirmed, const std::string& name) override {
        headless::AnswerFileDialog(confirmed, name);
    }
    void AnswerPrinterDialog(bool confirmed) override { headless::AnswerPrinterDialog(confirmed); }

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

    std::vector<std::string> TakeFailures() override { return headless::TakeFailures(); }
};

}  // namespace

User& TheUser() {
    static HeadlessUser user;
    return user;
}

}  // namespace drivers

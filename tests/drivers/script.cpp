// The script's steps, played through the scripted user of the layer.
#include "drivers/script.h"

#include <deque>

namespace script {
namespace {

using drivers::TheUser;

struct Script {
    std::deque<std::function<void()>> steps;
    std::vector<std::string> failures;
};
Script& S() {
    static Script s;
    return s;
}

void Queue(std::function<void(plat::Window)> step) {
    S().steps.push_back([step = std::move(step)] { step(TheUser().ActiveDialog()); });
}

// The loop of the active dialog waits: the next step, or the end of the dialog.
void PlayNext() {
    Script& s = S();
    plat::Window dlg = TheUser().ActiveDialog();
    if (!dlg) return;
    if (s.steps.empty()) {
        s.failures.push_back("script ran out in dialog " + plat::GetCaption(dlg));
        plat::EndDialog(dlg, 2);
        return;
    }
    std::function<void()> step = std::move(s.steps.front());
    s.steps.pop_front();
    step();
}

}  // namespace

void Reset() {
    S() = Script{};
    TheUser().Reset();
    TheUser().Drive(PlayNext);
}

void Click(int id) {
    Queue([id](plat::Window dlg) { TheUser().Click(dlg, id); });
}
void ChooseMenu(int id) {
    Queue([id](plat::Window dlg) { TheUser().ChooseMenu(dlg, id); });
}
void SelectRow(int id, int index) {
    Queue([id, index](plat::Window dlg) { TheUser().ClickRow(dlg, id, index); });
}
void DoubleClickRow(int id, int index) {
    Queue([id, index](plat::Window dlg) { TheUser().DoubleClickRow(dlg, id, index); });
}
void DoubleClickBelowRows(int id) { DoubleClickRow(id, -1); }
void KeyDown(int vk, bool shift, bool ctrl) {
    Queue([vk, shift, ctrl](plat::Window dlg) { TheUser().KeyDown(dlg, vk, shift, ctrl); });
}
void KeyUp(int vk, bool shift, bool ctrl) {
    Queue([vk, shift, ctrl](plat::Window dlg) { TheUser().KeyUp(dlg, vk, shift, ctrl); });
}
void Press(int vk, bool shift, bool ctrl) {
    KeyDown(vk, shift, ctrl);
    KeyUp(vk, shift, ctrl);
}
void PressCtrl(int vk) {
    Queue([vk](plat::Window dlg) { TheUser().PressCtrl(dlg, vk); });
}

void Type(const std::string& text) {
    Queue([text](plat::Window dlg) { TheUser().Type(dlg, text); });
}
// The user selects the whole text and deletes it: one change, none when empty.
void ClearEdit() {
    Queue([](plat::Window dlg) {
        const int id = plat::GetFocus(dlg);
        if (plat::GetText(dlg, id).empty()) return;
        plat::SelectAllText(dlg, id);
        TheUser().Type(dlg, "\b");
    });
}
// A click into the control, which takes the focus.
void Focus(int id) {
    Queue([id](plat::Window dlg) { plat::SetFocus(dlg, id); });
}
void RightClick(int id, int clientX, int clientY) {
    Queue([=](plat::Window dlg) { TheUser().RightClick(dlg, id, clientX, clientY); });
}
void Hover(int id) {
    Queue([id](plat::Window dlg) { TheUser().Hover(dlg, id); });
}
void CloseBox() {
    Queue([](plat::Window dlg) { TheUser().CloseBox(dlg); });
}
void Activate() {
    Queue([](plat::Window dlg) { TheUser().Activate(dlg); });
}
void Then(std::function<void()> check) { S().steps.push_back(std::move(check)); }

void AnswerPrompt(int answer) { TheUser().AnswerPrompt(answer); }
void AnswerFileDialog(bool confirmed, const std::string& path) { TheUser().AnswerFileDialog(confirmed, path); }
void ChoosePopup(int id) { TheUser().AnswerPopup(id); }
void AnswerPrinterDialog(bool confirmed) { TheUser().AnswerPrinterDialog(confirmed); }

const std::vector<PromptRecord>& Prompts() { return TheUser().Prompts(); }
const std::vector<plat::FileDialogRequest>& FileDialogs() { return TheUser().FileDialogs(); }
plat::Window ActiveDialog() { return TheUser().ActiveDialog(); }

const std::vector<std::string>& Failures() {
    for (std::string& f : TheUser().TakeFailures()) S().failures.push_back(std::move(f));
    return S().failures;
}
int UnusedScript() { return static_cast<int>(S().steps.size()); }

}  // namespace script

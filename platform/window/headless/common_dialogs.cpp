// The standard prompt, the common file dialogs, the shell, help, sounds and
// cursors of the headless layer: recorded, answered from the script.
#include <filesystem>
#include <system_error>

#include "platform/window/headless/dialog_answers.h"
#include "platform/window/headless/state.h"

namespace headless::detail {
namespace {

bool RunFileDialog(plat::FileDialogRequest& request, const char* which) {
    State& s = S();
    s.fileDialogs.push_back(request);
    if (s.fileAnswers.empty()) {
        Fail(std::string("unscripted ") + which + " dialog");
        return false;
    }
    auto [confirmed, path] = s.fileAnswers.front();
    s.fileAnswers.pop_front();
    if (!confirmed) return false;  // the buffer, and so the name, stays as it was
    TakeChosenPath(request, path);
    return true;
}

}  // namespace
}  // namespace headless::detail

namespace plat {
using namespace headless::detail;

int Prompt(const std::string& text, const std::string& caption, int style) {
    State& s = S();
    int answer = 2;
    if (s.promptAnswers.empty()) {
        Fail("unscripted prompt \"" + text + "\"");
    } else {
        answer = s.promptAnswers.front();
        s.promptAnswers.pop_front();
        if (!headless::PromptOffers(style, answer))
            Fail("prompt \"" + text + "\" of style " + std::to_string(style) +
                 " cannot answer " + std::to_string(answer));
    }
    s.prompts.push_back({text, caption, style, answer});
    return answer;
}

void Beep(int soundType) { S().beeps.push_back(soundType); }

void SetCursor(Cursor cursor) { S().cursor = cursor; }

bool GetOpenFileName(FileDialogRequest& request) { return RunFileDialog(request, "open-file"); }

bool GetSaveFileName(FileDialogRequest& request) { return RunFileDialog(request, "save-file"); }

void ShellOpen(const std::string& target, bool maximized) {
    S().shellOpens.emplace_back(target, maximized);
}

// As the HTML Help file on Windows: found when a file lies at the path (its
// backslashes read as folder separators); the request is recorded.
bool ShowHelp(Window, const std::string& chmPath) {
    std::string path = chmPath;
    for (char& ch : path)
        if (ch == '\\') ch = '/';
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    S().helpRequests.push_back(chmPath);
    return true;
}

}  // namespace plat

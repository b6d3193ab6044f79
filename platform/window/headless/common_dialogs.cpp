// The standard prompt, the common file dialogs, the shell, help, sounds and
// cursors of the headless layer: recorded, answered from the script.
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/window/headless/state.h"

namespace headless::detail {
namespace {

// Whether a message box of that style offers that answer.
bool Offers(int style, int answer) {
    switch (style & 15) {
        case 0: return answer == 1;
        case 1: return answer == 1 || answer == 2;
        case 2: return answer == 3 || answer == 4 || answer == 5;
        case 3: return answer == 6 || answer == 7 || answer == 2;
        case 4: return answer == 6 || answer == 7;
        case 5: return answer == 4 || answer == 2;
        default: return true;
    }
}

bool HasExtension(const std::string& path) {
    size_t name = path.find_last_of("\\/:");
    size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (name == std::string::npos || dot > name);
}

std::string ExtensionOf(const std::string& path) {
    if (!HasExtension(path)) return {};
    std::string ext = path.substr(path.find_last_of('.') + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

constexpr std::uint32_t kExtensionDifferent = 0x400;  // OFN_EXTENSIONDIFFERENT

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
    // The real dialogs append the default extension to a name typed without one.
    if (!request.defExt.empty() && !HasExtension(path)) path += "." + request.defExt;
    std::string lowerDef = request.defExt;
    for (char& c : lowerDef) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!request.defExt.empty() && ExtensionOf(path) != lowerDef)
        request.flags |= kExtensionDifferent;
    else
        request.flags &= ~kExtensionDifferent;
    request.fileName = path;
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
        if (!Offers(style, answer))
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

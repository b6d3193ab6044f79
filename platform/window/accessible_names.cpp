// The naming rule of the window layers for screen readers.
#include "platform/window/accessible_names.h"

namespace plat {

bool NamedFromOutside(Kind kind) {
    return kind == Kind::Edit || kind == Kind::ListBox || kind == Kind::DropList || kind == Kind::SimpleCombo;
}

std::string LabelAsName(const std::string& text, unsigned style) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && !(style & kNoPrefix)) {
            if (i + 1 < text.size()) out += text[++i];
            continue;
        }
        out += text[i];
    }
    const auto first = out.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(" \t\r\n") - first + 1);
}

std::string NameFromPrevious(const ControlSpec* previous, Kind kind) {
    if (!previous || previous->kind != Kind::Label || !NamedFromOutside(kind)) return {};
    return LabelAsName(previous->text, previous->style);
}

}  // namespace plat

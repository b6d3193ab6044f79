// How the Windows message box and file dialogs take a scripted answer: the
// headless layer's stand-ins use it, and so does the Qt layer's scripted
// user, which answers the Qt dialogs in their place.
#pragma once
#include <cctype>
#include <cstdint>
#include <string>

#include "platform/window.h"

namespace headless {

// Whether a message box of that MB_ style has the button of that answer.
inline bool PromptOffers(int style, int answer) {
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

// Whether the path's last name has a dot.
inline bool HasExtension(const std::string& path) {
    const size_t name = path.find_last_of("\\/:");
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (name == std::string::npos || dot > name);
}

inline std::string Lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The extension of the path's last name, lower case; empty when it has none.
inline std::string LowerExtension(const std::string& path) {
    return HasExtension(path) ? Lowered(path.substr(path.find_last_of('.') + 1)) : std::string();
}

// Puts the confirmed path into request as the dialog returns it: the default
// extension appended to a name typed without one, OFN_EXTENSIONDIFFERENT set
// when the name's extension is another.
inline void TakeChosenPath(plat::FileDialogRequest& request, std::string path) {
    constexpr std::uint32_t kExtensionDifferent = 0x400;
    const std::string def = Lowered(request.defExt);
    if (!def.empty() && !HasExtension(path)) path += "." + request.defExt;
    if (!def.empty() && LowerExtension(path) != def)
        request.flags |= kExtensionDifferent;
    else
        request.flags &= ~kExtensionDifferent;
    request.fileName = path;
}

}  // namespace headless

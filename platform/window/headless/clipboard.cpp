// The clipboard of the headless layer: the layer's own, read back by the tests.
#include "platform/window/headless/state.h"

namespace plat {
using namespace headless::detail;

bool SetClipboardText(Window, const std::string& plain, const std::string& markdown) {
    S().clipboardText = plain;
    S().clipboardMarkdown = markdown;
    return true;
}

std::string ClipboardText() { return S().clipboardText; }

std::string ClipboardMarkdown() { return S().clipboardMarkdown; }

}  // namespace plat

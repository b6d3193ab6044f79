#pragma once
#include <string>

namespace pantrium {

void ShowCategoriesDialog();
// One-line text prompt; the typed text on Ok/Enter, empty on Escape.
std::string InputBox(const std::string& prompt, const std::string& caption,
                     const std::string& defaultText);

}  // namespace pantrium

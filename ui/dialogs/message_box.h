#pragma once
#include <string>

namespace pantrium {

// The program's own self-sizing message box; returns 6/7/2/1 or 0.
int MessageBoxEx(const std::string& text, int style, const std::string& caption, int beep,
                 int left, int top);
// The platform's standard message box, no owner, after a 5 ms pause;
// an empty caption becomes "Pantrium".
int StandardPrompt(const std::string& text, const std::string& caption, int style);

}  // namespace pantrium

// The program's ANSI texts (titles, filters, extensions of the file dialogs)
// for the wide calls; path texts go through the file-access module's
// ToWide and FromWide.
#include "platform/window/win32/win32_internal.h"
#include "platform/files.h"

namespace plat::win32 {

// With the explicit length, embedded NULs (filter lists) come through.
std::wstring WideFromAnsi(const std::string& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), n);
    return wide;
}

std::string Utf8FromAnsi(const std::string& text) { return FromWide(WideFromAnsi(text)); }

std::string AnsiFromUtf8(const std::string& text) { return pantrium::files::TextToAnsi(text); }

}  // namespace plat::win32

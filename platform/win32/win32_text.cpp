// Text at the Win32 boundary: path texts are UTF-8 inside the program and
// UTF-16 in the wide calls; the program's other texts are ANSI.
#include "platform/win32/win32_internal.h"

namespace plat::win32 {
namespace {

// Converts with explicit lengths, so embedded NULs (filter lists) come through.
std::wstring ToWide(UINT codePage, const std::string& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), n);
    return wide;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) { return ToWide(CP_UTF8, text); }

std::wstring WideFromAnsi(const std::string& text) { return ToWide(CP_ACP, text); }

std::string Utf8FromWide(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

}  // namespace plat::win32

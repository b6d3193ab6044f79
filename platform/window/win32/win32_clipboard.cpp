// The clipboard on Win32: the plain text as CF_UNICODETEXT (Windows makes
// the ANSI and OEM forms from it) and Markdown as UTF-8 under the registered
// format "text/markdown", both with CR LF line ends.
#include <cstring>
#include <cwchar>

#include "platform/window/win32/win32_internal.h"

namespace plat::win32 {
namespace {

UINT MarkdownFormat() {
    static const UINT format = RegisterClipboardFormatW(L"text/markdown");
    return format;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\n') out += '\r';
        out += ch;
    }
    return out;
}

std::string WithoutCr(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

// Moveable global memory holding the bytes, as the clipboard takes them.
HGLOBAL GlobalCopy(const void* data, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    void* at = GlobalLock(memory);
    if (!at) {
        GlobalFree(memory);
        return nullptr;
    }
    memcpy(at, data, size);
    GlobalUnlock(memory);
    return memory;
}

// Another program may hold the clipboard open for a moment.
bool OpenTheClipboard(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

// The bytes of a clipboard format, empty when it is not there.
std::string FormatBytes(UINT format) {
    std::string bytes;
    if (!IsClipboardFormatAvailable(format) || !OpenTheClipboard(nullptr)) return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        if (const void* at = GlobalLock(data)) {
            bytes.assign(static_cast<const char*>(at), GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

}  // namespace
}  // namespace plat::win32

namespace plat {
using namespace plat::win32;

bool SetClipboardText(Window owner, const std::string& plain, const std::string& markdown) {
    const std::wstring wide = WideFromAnsi(WithCrLf(plain)) + L'\0';
    const std::string utf8 = Utf8FromAnsi(WithCrLf(markdown)) + '\0';
    HGLOBAL text = GlobalCopy(wide.data(), wide.size() * sizeof(wchar_t));
    HGLOBAL md = GlobalCopy(utf8.data(), utf8.size());
    bool done = false;
    if (text && md && OpenTheClipboard(ToHwnd(owner))) {
        if (EmptyClipboard()) {
            // The clipboard owns what it took; what it refused is freed below.
            if (SetClipboardData(CF_UNICODETEXT, text)) text = nullptr;
            if (SetClipboardData(MarkdownFormat(), md)) md = nullptr;
            done = !text && !md;
        }
        CloseClipboard();
    }
    if (text) GlobalFree(text);
    if (md) GlobalFree(md);
    return done;
}

std::string ClipboardText() {
    const std::string bytes = FormatBytes(CF_UNICODETEXT);
    std::wstring wide(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    wide.resize(wcsnlen(wide.c_str(), wide.size()));
    return WithoutCr(AnsiFromUtf8(FromWide(wide)));
}

std::string ClipboardMarkdown() {
    std::string utf8 = FormatBytes(MarkdownFormat());
    utf8.resize(strnlen(utf8.c_str(), utf8.size()));
    return WithoutCr(AnsiFromUtf8(utf8));
}

}  // namespace plat

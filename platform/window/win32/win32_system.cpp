// Prompts, sounds, cursors, fonts and text measuring, the common file
// dialogs, the shell and HTML Help on Win32.
#include "platform/window/win32/win32_state.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#undef GetOpenFileName
#undef GetSaveFileName

namespace plat::win32 {
namespace {

// A screen device context with a font selected, released when it goes.
class ScreenText {
public:
    explicit ScreenText(Font font) : dc_(GetDC(nullptr)) {
        HGDIOBJ f = font ? reinterpret_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
        old_ = SelectObject(dc_, f);
    }
    ~ScreenText() {
        SelectObject(dc_, old_);
        ReleaseDC(nullptr, dc_);
    }
    ScreenText(const ScreenText&) = delete;
    ScreenText& operator=(const ScreenText&) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The wide dialogs, so that a folder or file name in any language comes back
// whole: the file name, the starting folder and the chosen path are UTF-8
// path texts; title, filter and extension are ANSI program texts.
bool RunFileDialog(FileDialogRequest& request, bool save) {
    size_t size = request.bufferSize > 0 ? static_cast<size_t>(request.bufferSize) : 260;
    std::vector<wchar_t> file(size + 1, L'\0');
    std::wstring proposed = ToWide(request.fileName.substr(0, request.fileName.find('\0')));
    std::copy_n(proposed.begin(), std::min(proposed.size(), size), file.begin());
    if (proposed.size() > size && IS_HIGH_SURROGATE(file[size - 1])) file[size - 1] = L'\0';  // half a character
    std::vector<wchar_t> title(260, L'\0');
    std::wstring filter = WideFromAnsi(request.filter);
    filter.append(2, L'\0');  // double-NUL terminated whatever the caller passed
    const std::wstring initialDir = ToWide(request.initialDir);
    const std::wstring dialogTitle = WideFromAnsi(request.title);
    const std::wstring defExt = WideFromAnsi(request.defExt);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;  // the form without the later fields
    ofn.hwndOwner = ToHwnd(request.owner);
    ofn.hInstance = GetModuleHandleW(nullptr);
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(size);
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.lpstrTitle = dialogTitle.empty() ? nullptr : dialogTitle.c_str();
    ofn.Flags = request.flags;
    ofn.lpstrDefExt = defExt.empty() ? nullptr : defExt.c_str();

    BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    const std::wstring chosen(file.data());
    request.fileName = FromWide(chosen);
    request.flags = ofn.Flags;
    if (ok && !defExt.empty()) {
        // Wine leaves OFN_EXTENSIONDIFFERENT unset; it is worked out as Windows does.
        const size_t name = chosen.find_last_of(L"\\/:"), dot = chosen.find_last_of(L'.');
        const bool hasExt = dot != std::wstring::npos && (name == std::wstring::npos || dot > name);
        const std::wstring ext = hasExt ? chosen.substr(dot + 1) : std::wstring();
        if (lstrcmpiW(ext.c_str(), defExt.c_str()) != 0) request.flags |= OFN_EXTENSIONDIFFERENT;
        else request.flags &= ~static_cast<std::uint32_t>(OFN_EXTENSIONDIFFERENT);
    }
    return ok != FALSE;
}

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kHhDisplayTopic = 0;

}  // namespace
}  // namespace plat::win32

namespace plat {
using namespace plat::win32;

int Prompt(const std::string& text, const std::string& caption, int style) {
    Sleep(5);
    // The text may name a list's path (UTF-8); the caption may be a category name (ANSI).
    return MessageBoxW(nullptr, ToWide(text).c_str(), WideFromAnsi(caption).c_str(), static_cast<UINT>(style));
}

void Beep(int soundType) { MessageBeep(static_cast<UINT>(soundType)); }

void SetCursor(Cursor cursor) {
    HCURSOR& hand = Layer().handCursor;
    HCURSOR c = nullptr;
    switch (cursor) {
    case Cursor::Hand:
        if (!hand) hand = LoadCursorA(GetModuleHandleA(nullptr), "HAND");
        if (!hand) hand = LoadCursorA(nullptr, IDC_HAND);
        c = hand;
        break;
    case Cursor::Wait: c = LoadCursorA(nullptr, IDC_WAIT); break;
    case Cursor::Arrow: c = LoadCursorA(nullptr, IDC_ARROW); break;
    }
    ::SetCursor(c);
}

Font CreateFont(const FontSpec& spec) {
    // Heights are layer pixels: the font is made for the screen's DPI.
    if (SystemDpi() != kLayoutDpi)
        return reinterpret_cast<Font>(CreateDisplayFont(ToDevice(spec.height, SystemDpi()), spec.weight, spec.italic,
                                                        spec.underline, spec.strikeOut, spec.face));
    HFONT f = CreateFontA(spec.height, 0, 0, 0, spec.weight, spec.italic, spec.underline, spec.strikeOut,
                          ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                          spec.face.c_str());
    return reinterpret_cast<Font>(f);
}

void DeleteFont(Font font) {
    if (font) DeleteObject(reinterpret_cast<HGDIOBJ>(font));
}

Size MeasureText(Font font, const std::string& text) {
    ScreenText st(font);
    SIZE sz{};
    GetTextExtentPoint32A(st.dc(), text.c_str(), static_cast<int>(text.size()), &sz);
    return Size{ToLayerCeil(sz.cx, SystemDpi()), ToLayerCeil(sz.cy, SystemDpi())};
}

int FitCharacters(Font font, const std::string& text, int maxWidth) {
    if (text.empty() || maxWidth <= 0) return 0;
    ScreenText st(font);
    INT fit = 0;
    SIZE sz{};
    // The width rounds down, so that a text MeasureText reports wider never fits.
    const int deviceWidth = maxWidth * SystemDpi() / kLayoutDpi;
    GetTextExtentExPointA(st.dc(), text.c_str(), static_cast<int>(text.size()), deviceWidth, &fit, nullptr, &sz);
    return fit;
}

// The layer's pixels are 96-dpi pixels whatever the display (win32_dpi.cpp).
int ScreenDpiY() { return kLayoutDpi; }

bool GetOpenFileName(FileDialogRequest& request) { return RunFileDialog(request, false); }
bool GetSaveFileName(FileDialogRequest& request) { return RunFileDialog(request, true); }

void ShellOpen(const std::string& target, bool maximized) {
    // The target may be a path (UTF-8) or an address (ASCII, the same in UTF-8).
    ShellExecuteW(nullptr, L"open", ToWide(target).c_str(), nullptr, nullptr,
                  maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

bool ShowHelp(Window owner, const std::string& chmPath) {
    const DWORD attributes = GetFileAttributesW(ToWide(chmPath).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // HTML Help lives in hhctrl.ocx; without it there is no help viewer.
    static HtmlHelpFn htmlHelp = [] {
        HMODULE m = LoadLibraryA("hhctrl.ocx");
        return m ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(m, "HtmlHelpW"))) : nullptr;
    }();
    if (htmlHelp) htmlHelp(ToHwnd(owner), ToWide(chmPath).c_str(), kHhDisplayTopic, 0);
    return true;
}

}  // namespace plat

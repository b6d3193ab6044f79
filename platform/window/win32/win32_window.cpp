// Window placement, captions and icons on Win32.
#include "platform/window/win32/win32_state.h"

namespace plat::win32 {
namespace {

// Icons are loaded once and live as long as the program.
HICON ProgramIcon(const std::string& name, int cx, int cy) {
    auto& cache = Layer().programIcons;
    auto key = std::make_pair(name, cx);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_ICON, cx, cy, 0));
    cache[key] = icon;
    return icon;
}

HICON SystemIconHandle(SystemIcon which, int size) {
    // The system module's numbered icons, 32 by 32 layer pixels; the stock icons where it has none.
    int number = 0;
    LPCSTR stock = nullptr;
    switch (which) {
    case SystemIcon::Stop: number = 103; stock = IDI_HAND; break;
    case SystemIcon::Question: number = 102; stock = IDI_QUESTION; break;
    case SystemIcon::Exclamation: number = 101; stock = IDI_EXCLAMATION; break;
    case SystemIcon::Information: number = 104; stock = IDI_ASTERISK; break;
    case SystemIcon::None: return nullptr;
    }
    auto& cache = Layer().systemIcons;
    if (auto it = cache.find({number, size}); it != cache.end()) return it->second;
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA("user32.dll"), MAKEINTRESOURCEA(number), IMAGE_ICON, size, size, 0));
    if (!icon) icon = LoadIconA(nullptr, stock);
    cache[{number, size}] = icon;
    return icon;
}

}  // namespace

void ShowProgramIcon(HWND dlg) {
    const std::string& programIconName = Layer().programIconName;
    if (programIconName.empty()) return;
    const int dpi = WindowDpi(dlg);
    const int smallSize = ToDevice(16, dpi), bigSize = ToDevice(32, dpi);
    HICON small = ProgramIcon(programIconName, smallSize, smallSize);
    HICON big = ProgramIcon(programIconName, bigSize, bigSize);
    // Caption and taskbar take the small image, Alt+Tab the large one.
    if (small) SendMessageA(dlg, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    if (big) SendMessageA(dlg, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
}

// The dialogs are Unicode windows (RunDialog): the caption is stored and
// drawn as UTF-16.
void SetCaptionText(HWND window, const std::string& utf8) { SetWindowTextW(window, ToWide(utf8).c_str()); }

// Read without a message, so that any thread may ask.
std::string CaptionText(HWND window) {
    for (int size = 256;; size *= 4) {
        std::wstring wide(static_cast<size_t>(size), L'\0');
        const int n = InternalGetWindowText(window, wide.data(), size);
        if (n < size - 1) return FromWide(wide.substr(0, static_cast<size_t>(n > 0 ? n : 0)));
    }
}

}  // namespace plat::win32

namespace plat {
using namespace plat::win32;

void SetCaption(Window dlg, const std::string& caption) { SetCaptionText(ToHwnd(dlg), caption); }

std::string GetCaption(Window dlg) { return CaptionText(ToHwnd(dlg)); }

Rect GetWindowRect(Window dlg) {
    RECT r{};
    ::GetWindowRect(ToHwnd(dlg), &r);
    return ToLayer(r, WindowDpi(ToHwnd(dlg)));
}

void MoveWindow(Window dlg, const Rect& outer) {
    const RECT r = ToDevice(outer, WindowDpi(ToHwnd(dlg)));
    ::MoveWindow(ToHwnd(dlg), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void SetTopMost(Window dlg) {
    SetWindowPos(ToHwnd(dlg), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

Rect WorkArea() {
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return ToLayer(r, SystemDpi());
}

Window ActiveWindow() { return FromHwnd(::GetActiveWindow()); }

void SetDialogIcon(Window dlg, const std::string& resourceName) {
    // A missing resource leaves the default icon.
    Layer().programIconName = resourceName;
    ShowProgramIcon(ToHwnd(dlg));
}

void SetControlIcon(Window dlg, int id, SystemIcon icon) {
    HICON handle = SystemIconHandle(icon, ToDevice(32, WindowDpi(ToHwnd(dlg))));
    SendMessageA(Item(dlg, id), STM_SETICON, reinterpret_cast<WPARAM>(handle), 0);
}

void SetControlImage(Window dlg, int id, const std::string& iconResource) {
    const int size = ToDevice(32, WindowDpi(ToHwnd(dlg)));
    HICON icon = ProgramIcon(iconResource, size, size);
    if (icon) SendMessageA(Item(dlg, id), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

}  // namespace plat

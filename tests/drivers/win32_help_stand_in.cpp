// A stand-in for the HTML Help viewer (hhctrl.ocx) in the main-window tests
// on Win32: the test program loads it by its path before the layer asks for
// hhctrl.ocx, so that the layer's help requests are recorded, not shown.
#include <windows.h>

#include <string>
#include <vector>

namespace {
std::vector<std::wstring>& Requests() {
    static std::vector<std::wstring> files;
    return files;
}
}  // namespace

extern "C" {

__declspec(dllexport) HWND WINAPI HtmlHelpW(HWND, LPCWSTR file, UINT, DWORD_PTR) {
    Requests().push_back(file ? file : L"");
    return nullptr;
}

// The ANSI entry records what the ANSI code page makes of the path, so that
// a layer calling it is caught by the path checks.
__declspec(dllexport) HWND WINAPI HtmlHelpA(HWND, LPCSTR file, UINT, DWORD_PTR) {
    wchar_t wide[2048] = {};
    if (file) MultiByteToWideChar(CP_ACP, 0, file, -1, wide, 2048);
    Requests().push_back(wide);
    return nullptr;
}

// The number of requests so far; copies request index (UTF-16) when asked.
__declspec(dllexport) int WINAPI UiTestHelpRequest(int index, wchar_t* file, int size) {
    const auto& all = Requests();
    if (index >= 0 && index < static_cast<int>(all.size()) && file && size > 0)
        lstrcpynW(file, all[index].c_str(), size);
    return static_cast<int>(all.size());
}

__declspec(dllexport) void WINAPI UiTestForgetHelpRequests() { Requests().clear(); }

}  // extern "C"

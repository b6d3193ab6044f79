// A stand-in for the HTML Help viewer (hhctrl.ocx) in the Wine smoke test.
// The smoke program loads it before the main window asks for help, so the
// window layer's LoadLibrary("hhctrl.ocx") finds this module: it records the
// file and command it was handed instead of opening a viewer.
#include <windows.h>

namespace {
wchar_t lastFile[2048];
UINT lastCommand = 0;
int calls = 0;
}  // namespace

extern "C" {

__declspec(dllexport) HWND WINAPI HtmlHelpW(HWND, LPCWSTR file, UINT command, DWORD_PTR) {
    lstrcpynW(lastFile, file ? file : L"", 2048);
    lastCommand = command;
    ++calls;
    return nullptr;
}

// The ANSI entry, so that a layer still calling it is caught by the test: its
// text is recorded as the ANSI code page reads it.
__declspec(dllexport) HWND WINAPI HtmlHelpA(HWND, LPCSTR file, UINT command, DWORD_PTR) {
    lastFile[0] = L'\0';
    if (file) MultiByteToWideChar(CP_ACP, 0, file, -1, lastFile, 2048);
    lastCommand = command;
    ++calls;
    return nullptr;
}

// Number of calls so far; copies the last file (UTF-16) and command.
__declspec(dllexport) int WINAPI SmokeHelpRequests(wchar_t* file, int size, UINT* command) {
    if (file && size > 0) lstrcpynW(file, lastFile, size);
    if (command) *command = lastCommand;
    return calls;
}

}  // extern "C"

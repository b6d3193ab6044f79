// The program's entry point on Windows: the main window runs until it is gone.
#include <windows.h>

#include <string>

#include "ui/main/main_window.h"

namespace {

// The folder of the program's own file, as UTF-8 path text.
std::string ProgramFolder() {
    std::wstring folder(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, folder.data(), static_cast<DWORD>(folder.size()));
    if (n == 0 || n >= folder.size()) return {};
    folder.resize(n);
    const size_t cut = folder.find_last_of(L"\\/");
    folder.resize(cut == std::wstring::npos ? 0 : cut);
    const int size = WideCharToMultiByte(CP_UTF8, 0, folder.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, folder.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(size) - 1);
    return utf8;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    pantrium::MainWindowState ui;
    ui.programFolder = ProgramFolder();
    return pantrium::RunMainWindow(ui);
}

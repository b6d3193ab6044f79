// Helper of the installer test under Wine (scripts/wine/wine-installer.sh).
//
//   installer_check shortcut <file.lnk>
//       prints "TARGET <path>" and "WORKDIR <path>" of a shell link (IShellLinkW).
//   installer_check save
//       waits for Pantrium's main window (caption "Pantrium"), saves its list
//       with File > Save, answering "Save file now?" with Yes, and closes it.
//       The program saves "my Pantrium.ptm" into its working folder.
// Prints "FAIL: ..." and exits 1 when something does not happen in time.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kCmdSave = 302;  // File > Save

std::string Utf8(const wchar_t* text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

int Fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    return 1;
}

int ReadShortcut(const char* path) {
    if (FAILED(CoInitialize(nullptr))) return Fail("COM does not start");
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    int result = 1;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide, STGM_READ))) {
        wchar_t target[MAX_PATH] = {}, dir[MAX_PATH] = {};
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetWorkingDirectory(dir, MAX_PATH);
        std::printf("TARGET %s\nWORKDIR %s\n", Utf8(target).c_str(), Utf8(dir).c_str());
        result = 0;
    } else {
        result = Fail(std::string("cannot read the shortcut ") + path);
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return result;
}

HWND WaitForWindow(const char* caption, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        if (HWND w = FindWindowA("#32770", caption)) return w;
        Sleep(100);
    }
    return nullptr;
}

bool WaitGone(HWND window, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        if (!IsWindow(window)) return true;
        Sleep(100);
    }
    return false;
}

int SaveAndClose() {
    HWND main = WaitForWindow("Pantrium", 30000);
    if (!main) return Fail("Pantrium's main window did not appear");
    std::printf("MAIN window appeared\n");
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(kCmdSave, 0), 0);
    HWND prompt = WaitForWindow("Save File", 10000);
    if (!prompt) return Fail("File > Save did not ask \"Save file now?\"");
    PostMessageA(GetDlgItem(prompt, IDYES), BM_CLICK, 0, 0);
    if (!WaitGone(prompt, 10000)) return Fail("the save prompt did not close");
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (!WaitGone(main, 10000)) return Fail("the main window did not close");
    std::printf("SAVED and closed\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "shortcut" && argc > 2) return ReadShortcut(argv[2]);
    if (mode == "save") return SaveAndClose();
    std::printf("usage: installer_check shortcut <file.lnk> | save\n");
    return 2;
}

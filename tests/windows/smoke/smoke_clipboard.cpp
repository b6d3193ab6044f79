#include "smoke_clipboard.h"

#include <string>

#include "list_image.h"
#include "smoke_support.h"
#include "smoke_window_state.h"
#include "ui/main/main_window.h"

namespace smoke {

namespace {

const char* const kClipboardList = "clipboard list.ptm";

// The list as copied, in ANSI bytes of code page 1252 (Käse, Stück).
const std::string kPlainAnsi =
    "dairy\r\nK\xE4se: 2 St\xFC" "ck, 5.00\r\nMilk: 1 gallon, 3.50\r\n\r\nItems to buy: 2, total cost: 8.50\r\n";
const std::string kMarkdownAnsi = "## dairy\r\n- [ ] K\xE4se: 2 St\xFC" "ck, 5.00\r\n- [ ] Milk: 1 gallon, 3.50\r\n\r\n"
                                  "Items to buy: 2, total cost: 8.50\r\n";

std::wstring FromCodePage(UINT codePage, const std::string& text) {
    std::wstring wide(text.size() * 2 + 1, L'\0');
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                      static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    std::string text(wide.size() * 4 + 1, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                      static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

struct Clipboard {
    std::wstring unicode;
    std::string markdown;  // UTF-8
};

Clipboard ReadClipboard() {
    Clipboard c;
    if (!OpenClipboard(nullptr)) return c;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* at = static_cast<const wchar_t*>(GlobalLock(h))) c.unicode = at;
        GlobalUnlock(h);
    }
    if (HANDLE h = GetClipboardData(RegisterClipboardFormatW(L"text/markdown"))) {
        if (const auto* at = static_cast<const char*>(GlobalLock(h))) c.markdown.assign(at, strnlen(at, GlobalSize(h)));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return c;
}

bool EmptyTheClipboard() {
    if (!OpenClipboard(nullptr)) return false;
    const bool emptied = EmptyClipboard();
    CloseClipboard();
    return emptied;
}

void CheckCopied(const std::string& how) {
    const Clipboard c = ReadClipboard();
    const std::wstring expected = FromCodePage(CP_ACP, kPlainAnsi);
    CheckEq(Utf8(c.unicode), Utf8(expected), how + ": CF_UNICODETEXT is the list read in the ANSI code page");
    CheckEq(c.markdown, Utf8(FromCodePage(CP_ACP, kMarkdownAnsi)), how + ": text/markdown is that list in UTF-8");
    if (GetACP() == 1252) {
        Check(c.unicode.find(L"K\u00e4se: 2 St\u00fcck, 5.00\r\n") != std::wstring::npos,
              how + ": K\u00e4se and St\u00fcck come as U+00E4 and U+00FC");
    } else {
        Log("smoke: ANSI code page " + std::to_string(GetACP()) + ": the names read in it, not as in 1252");
    }
}

bool WriteStartFiles() {
    ListImage list;
    list.categories = {"dairy"};
    list.records = {{1, "Milk", "gallon", 3.5f, 1, {}, {}, kToBuy},
                    {0, "Br\xF6tchen", "Beutel", 0.4f, 0, {}, {}, 0},
                    {1, "K\xE4se", "St\xFC" "ck", 2.5f, 2, {}, {}, kToBuy}};
    list.rowOrder = {1, 2, 3};
    return WriteFileBytes(kClipboardList, ListFileBytes(list)) &&
           WriteFileBytes("pantrium.ini", std::string(kClipboardList) + "\r\n");
}

DWORD WINAPI DriveClipboardRun(LPVOID) {
    HWND dlg = FindTopWindow("clipboard list", 20000);
    if (!dlg) {
        Log("FAIL: the main window \"clipboard list\" did not come up; the clipboard case cannot go on");
        ExitProcess(2);
    }
    HWND status = GetDlgItem(dlg, pantrium::kStatusBar);
    WaitFor([&] { return StatusPart(status, 3) == "Total cost: 8.50"; }, 3000);

    Check(EmptyTheClipboard(), "the clipboard is emptied before the copy");
    const DWORD before = GetClipboardSequenceNumber();
    Command(dlg, pantrium::kCmdCopyList);
    Check(WaitFor([&] { return GetClipboardSequenceNumber() != before && !ReadClipboard().markdown.empty(); }, 5000),
          "\"&Copy list\" puts the list on the clipboard");
    CheckCopied("&Copy list");

    // Ctrl+C typed for real, with the item list focused.
    Check(EmptyTheClipboard(), "the clipboard is emptied again");
    SetForegroundWindow(dlg);
    Check(WaitFor([&] { return GetForegroundWindow() == dlg; }, 3000), "the main window is in front");
    RealKey(VK_CONTROL, true);
    RealPress('C');
    RealKey(VK_CONTROL, false);
    Check(WaitInputTaken(), "the program took Ctrl+C");
    Check(WaitFor([] { return !ReadClipboard().unicode.empty(); }, 5000), "Ctrl+C puts the list on the clipboard");
    CheckCopied("Ctrl+C");
    Shot("clipboard-main-window", dlg);

    Command(dlg, pantrium::kCmdExit);
    Check(WaitGone(dlg), "Exit closes the unchanged clipboard list without a prompt");
    return 0;
}

}  // namespace

void RunClipboardCase(PhaseRunner runPhase) {
    const wchar_t* const folder = L"clipboard case";
    CreateDirectoryW(folder, nullptr);
    if (!Check(SetCurrentDirectoryW(folder) != 0, "the clipboard case enters its folder")) return;
    if (Check(WriteStartFiles(), "the clipboard case's list and pantrium.ini are written")) {
        mainState = pantrium::MainWindowState{};
        runPhase(DriveClipboardRun);
    }
    SetCurrentDirectoryW(L"..");
}

}  // namespace smoke

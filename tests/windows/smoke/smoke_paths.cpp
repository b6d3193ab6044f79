#include "smoke_paths.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "list_image.h"
#include "smoke_support.h"
#include "smoke_window_state.h"
#include "ui/main/main_window.h"

namespace smoke {

namespace {

// ---- UTF-8 paths through the wide calls ----------------------------------------

std::wstring Wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr,
                        nullptr);
    return utf8;
}

// The text in the ANSI code page, or false when a character has no place there.
bool AnsiOf(const std::string& utf8, std::string& ansi) {
    const std::wstring wide = Wide(utf8);
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, &lost);
    ansi.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), ansi.data(),
                        n, nullptr, &lost);
    return !lost;
}

std::string ReadPath(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool WritePath(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string CurrentDir() {
    wchar_t buffer[MAX_PATH * 2] = {};
    GetCurrentDirectoryW(MAX_PATH * 2, buffer);
    return Utf8(buffer);
}

std::string CaptionOf(HWND window) {
    wchar_t buffer[1024] = {};
    InternalGetWindowText(window, buffer, 1024);
    return Utf8(buffer);
}

// pantrium.ini and grocery.ini hold a path in the ANSI code page when it fits
// there, otherwise in UTF-8 after a byte-order mark.
std::string SettingsLine(const std::string& path) {
    std::string ansi;
    if (AnsiOf(path, ansi)) return ansi + "\r\n";
    return "\xEF\xBB\xBF" + path + "\r\n";
}

// ---- windows found by their UTF-8 caption -----------------------------------------

struct Search {
    std::string caption;
    bool fileDialog;
    HWND found = nullptr;
};

// An explorer-style file dialog answers CDM_GETFOLDERPATH; a message box does not.
std::string FolderOf(HWND dialog) {
    wchar_t buffer[MAX_PATH * 2] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(dialog, CDM_GETFOLDERPATH, MAX_PATH * 2, reinterpret_cast<LPARAM>(buffer),
                             SMTO_NORMAL, 5000, &length) ||
        static_cast<LONG_PTR>(length) <= 0)
        return "";
    return Utf8(buffer);
}

BOOL CALLBACK FindByCaption(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    if (CaptionOf(window) != search->caption) return TRUE;
    if (search->fileDialog && FolderOf(window).empty()) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindWindowUtf8(const std::string& caption, bool fileDialog, int timeoutMs = 10000) {
    Search search{caption, fileDialog};
    WaitFor([&] {
        EnumWindows(FindByCaption, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    if (!search.found) Log("  (no window \"" + caption + "\" came up)");
    return search.found;
}

// The text of the dialog's file-name field.
std::string FileNameField(HWND dialog) {
    for (int id : {cmb13, edt1}) {
        HWND field = GetDlgItem(dialog, id);
        if (!field) continue;
        wchar_t text[MAX_PATH * 2] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutW(field, WM_GETTEXT, MAX_PATH * 2, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                            &length);
        return Utf8(text);
    }
    return "<no file-name field>";
}

// Types name into the dialog's file-name field and presses its OK button.
void ChooseFile(HWND dialog, const std::string& name) {
    for (int id : {cmb13, edt1}) {
        HWND field = GetDlgItem(dialog, id);
        if (!field) continue;
        const std::wstring wide = Wide(name);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL, 5000,
                            &result);
        break;
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// ---- the help recorder ---------------------------------------------------------------

using HelpRequestsFn = int(WINAPI*)(wchar_t*, int, UINT*);
HelpRequestsFn helpRequests = nullptr;

// ---- the lists -------------------------------------------------------------------------

// Item and unit names are ANSI inside the list file, whatever the path.
const char* const kCheese = "K\xe4se";
const char* const kPiece = "St\xfc" "ck";

ListImage FirstList() {
    ListImage list;
    list.records = {{0, "Brot", "loaf", 1.0f, 0, {}, {}, 0}, {0, kCheese, kPiece, 2.5f, 0, {}, {}, 0}};
    list.rowOrder = {1, 2};
    return list;
}

ListImage SecondList() {
    ListImage list;
    list.categories = {"dairy"};
    list.records = {{1, "Eier", "box", 3.0f, 0, {}, {}, 0}};
    list.rowOrder = {1};
    return list;
}

ListImage SecondListBought() {
    ListImage list = SecondList();
    list.records[0].flags = kToBuy;
    list.records[0].unitsToBuy = 1;
    return list;
}

const std::vector<std::string> kFirstRows = {"\t\tBrot\tloaf\t", std::string("\t\t") + kCheese + "\t" + kPiece + "\t"};
const std::vector<std::string> kSecondRows = {"\t\tEier\tbox\t"};
const std::vector<std::string> kSecondRowsBought = {"\tx\tEier\tbox\t\t1.00\t3.00"};

// The case being driven: a folder below the test's directory, and the names.
struct PathCase {
    std::string name;  // folder and list name, UTF-8
    std::string dir;   // the folder's full path
    std::string List() const { return dir + "\\" + name + ".ptm"; }
    std::string Second() const { return dir + "\\" + name + " 2.ptm"; }
    std::string Renamed() const { return dir + "\\" + name + " neu.ptm"; }
};
PathCase current;

// The list's name: its file name up to the first full stop.
std::string CaptionFor(const std::string& path) {
    const std::string name = path.substr(path.find_last_of("\\/") + 1);
    return name.substr(0, name.find('.'));
}

struct Main {
    HWND dlg, list;
};

BOOL CALLBACK CloseOthers(HWND window, LPARAM main) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(window) && window != reinterpret_cast<HWND>(main))
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// After a failed check that leaves the scenario stuck: closes the prompts and
// dialogs that are up, then ends the main window, so that the next case runs.
void EndRun() {
    WaitFor([] {
        const auto main = reinterpret_cast<HWND>(mainState.mainWindow);
        if (!main) return true;
        EnumWindows(CloseOthers, reinterpret_cast<LPARAM>(main));
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        return false;
    }, 10000);
}

Main FindMainUtf8(const std::string& caption) {
    HWND dlg = FindWindowUtf8(caption, false, 20000);
    if (!Check(dlg != nullptr, current.name + ": the main window comes up with the caption \"" + caption + "\"")) {
        const auto main = reinterpret_cast<HWND>(mainState.mainWindow);
        if (main) Log("  (the main window shows \"" + CaptionOf(main) + "\")");
        EndRun();
    }
    return Main{dlg, dlg ? GetDlgItem(dlg, pantrium::kItemList) : nullptr};
}

void CheckRows(const Main& m, const std::vector<std::string>& rows, const std::string& what) {
    WaitFor([&] { return ListRows(m.list) == rows; }, 3000);
    CheckEq(ListRows(m.list), rows, current.name + ": " + what);
}

void CheckFileBytes(const std::string& path, const std::string& expected, const std::string& what) {
    WaitFor([&] { return ReadPath(path) == expected; }, 3000);
    const std::string actual = ReadPath(path);
    if (actual == expected) {
        Check(true, current.name + ": " + what);
        return;
    }
    Check(false, current.name + ": " + what + ": got " + std::to_string(actual.size()) + " bytes \"" +
                     Escaped(actual.substr(0, 200)) + "\", expected " + std::to_string(expected.size()) + " bytes \"" +
                     Escaped(expected.substr(0, 200)) + "\"");
}

void HelpChecks(const Main& m) {
    if (!Check(helpRequests != nullptr, current.name + ": the stand-in help viewer records the request")) return;
    const int before = helpRequests(nullptr, 0, nullptr);
    Check(WritePath(current.dir + "\\Pantrium.chm", "ITSF"), current.name + ": a help file in the start-up folder");
    Command(m.dlg, pantrium::kCmdHelp);
    const bool asked = WaitFor([&] { return helpRequests(nullptr, 0, nullptr) > before; }, 5000);
    Check(asked, current.name + ": Help asks the help viewer");
    wchar_t file[2048] = {};
    UINT command = 99;
    helpRequests(file, 2048, &command);
    CheckEq(Utf8(file), current.dir + "\\Pantrium.chm",
            current.name + ": the help viewer gets the start-up folder's Pantrium.chm");
    CheckEq(command, 0, current.name + ": with the display-topic command");
}

bool PdfWritten(const std::string& path) {
    const std::string bytes = ReadPath(path);
    return bytes.size() > 20 && bytes.compare(0, 5, "%PDF-") == 0 &&
           bytes.find("%%EOF", bytes.size() - 20) != std::string::npos;
}

void PrintChecks(const Main& m) {
    const std::string pdf = current.dir + "\\" + current.name + ".pdf";
    SetEnvironmentVariableW(L"PANTRIUM_PRINT_TO", Wide(pdf).c_str());
    Click(GetDlgItem(m.dlg, pantrium::kPrintListButton));
    Check(WaitFor([&] { return PdfWritten(pdf); }, 15000), current.name + ": Print List writes " + pdf);
    SetEnvironmentVariableW(L"PANTRIUM_PRINT_TO", nullptr);
}

// The text of a message box (its last static with a text).
BOOL CALLBACK CollectStatic(HWND window, LPARAM param) {
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    if (lstrcmpiW(cls, L"Static") != 0) return TRUE;
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &length);
    if (text[0]) *reinterpret_cast<std::string*>(param) = Utf8(text);
    return TRUE;
}

// Without PANTRIUM_PRINT_TO the PDF file's name is asked for with the save
// dialog (Wine has no printer here), proposing a file beside the list named
// after it; the path comes back whole, and a notice says where the file went.
void PrintDialogChecks(const Main& m) {
    const std::string pdf = current.dir + "\\" + current.name + " Druck.pdf";
    Click(GetDlgItem(m.dlg, pantrium::kPrintListButton));
    HWND dialog = FindWindowUtf8("Save the printed list as PDF", true);
    if (!Check(dialog != nullptr, current.name + ": printing asks for the PDF file's name")) return;
    CheckEq(FolderOf(dialog), current.dir, current.name + ": the PDF dialog opens in the list's folder");
    CheckEq(FileNameField(dialog), current.name + ".pdf", current.name + ": and proposes the list's name");
    // The full path is typed; the dialog adds ".pdf".
    ChooseFile(dialog, current.dir + "\\" + current.name + " Druck");
    Check(WaitGone(dialog), current.name + ": the PDF dialog closes on OK");
    Check(WaitFor([&] { return PdfWritten(pdf); }, 15000), current.name + ": Print List writes " + pdf);
    HWND box = FindWindowUtf8("Print job", false);
    if (!Check(box != nullptr, current.name + ": a notice tells where the PDF file went")) return;
    std::string text;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
    CheckEq(text, "The list was printed to the PDF file\r\n" + pdf,
            current.name + ": the notice names the file in its own language");
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    Check(WaitGone(box), current.name + ": OK closes the notice");
}

void OpenChecks(const Main& m, bool shots) {
    Command(m.dlg, pantrium::kCmdOpen);
    HWND dialog = FindWindowUtf8("Open File", true);
    if (!Check(dialog != nullptr, current.name + ": the open dialog comes up")) return;
    CheckEq(FolderOf(dialog), current.dir, current.name + ": the open dialog starts in the current folder");
    if (shots) Shot("open-dialog-cyrillic", dialog);
    ChooseFile(dialog, current.name + " 2.ptm");
    Check(WaitGone(dialog), current.name + ": the open dialog closes on OK");
    const HWND shown = FindWindowUtf8(CaptionFor(current.Second()), false, 5000);
    Check(shown == m.dlg, current.name + ": the caption names the opened list");
    CheckRows(m, kSecondRows, "the opened list shows");
}

void SaveChecks(const Main& m) {
    DoubleClickRow(m.list, 0);
    CheckRows(m, kSecondRowsBought, "double-click checks the item");
    Command(m.dlg, pantrium::kCmdSave);
    AnswerPrompt("Save File", "Save file now?", IDYES);
    CheckFileBytes(current.Second(), ListFileBytes(SecondListBought()), "Save writes the list byte for byte");
    CheckFileBytes(current.dir + "\\grocery.ini", SettingsLine(current.Second()),
                   "grocery.ini names the saved list");
}

void SaveAsChecks(const Main& m) {
    Command(m.dlg, pantrium::kCmdSaveAs);
    HWND dialog = FindWindowUtf8("Save File", true);
    if (!Check(dialog != nullptr, current.name + ": the save dialog comes up")) return;
    CheckEq(FolderOf(dialog), current.dir, current.name + ": the save dialog starts in the list's folder");
    CheckEq(FileNameField(dialog), current.name + " 2.ptm", current.name + ": the save dialog proposes the list's name");
    ChooseFile(dialog, current.name + " neu");  // the dialog adds ".ptm"
    Check(WaitGone(dialog), current.name + ": the save dialog closes on OK");
    CheckFileBytes(current.Renamed(), ListFileBytes(SecondListBought()), "Save As writes the list under the new name");
    CheckFileBytes(current.dir + "\\grocery.ini", SettingsLine(current.Renamed()),
                   "grocery.ini names the list saved under the new name");
}

void EndWithEscape(const Main& m) {
    KeyDown(GetDlgItem(m.dlg, pantrium::kUnitsBox), VK_ESCAPE);
    if (!Check(WaitGone(m.dlg, 3000), current.name + ": Escape closes the main window")) EndRun();
}

// Start-up through pantrium.ini naming the list by its full path.
DWORD WINAPI DriveSettingsStart(LPVOID) {
    const Main m = FindMainUtf8(CaptionFor(current.List()));
    if (!m.dlg) return 0;
    CheckRows(m, kFirstRows, "start-up loads the list pantrium.ini names");
    if (current.name == "покупки") Shot("main-window-cyrillic", m.dlg);
    if (current.name == "買い物") Shot("main-window-japanese", m.dlg);
    HelpChecks(m);
    PrintChecks(m);
    if (current.name == "買い物") PrintDialogChecks(m);
    OpenChecks(m, current.name == "покупки");
    SaveChecks(m);
    SaveAsChecks(m);
    EndWithEscape(m);
    return 0;
}

// A list that cannot be opened (another program holds it locked): the
// standard prompt names it whole.
void LockedListChecks(const Main& m) {
    const std::string locked = current.dir + "\\" + current.name + " locked.ptm";
    HANDLE lock = CreateFileW(Wide(locked).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Check(lock != INVALID_HANDLE_VALUE, current.name + ": the test locks a list");
    Command(m.dlg, pantrium::kCmdOpen);
    HWND dialog = FindWindowUtf8("Open File", true);
    if (!Check(dialog != nullptr, current.name + ": the open dialog comes up")) return;
    ChooseFile(dialog, current.name + " locked.ptm");
    Check(WaitGone(dialog), current.name + ": the open dialog closes on OK");
    HWND box = FindWindowUtf8("Open File", false);
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    if (!Check(box != nullptr, current.name + ": a prompt tells that the list cannot be opened")) return;
    std::string text;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
    CheckEq(text, "Could not open the list " + locked + ".\r\n" +
                      "The current list was not changed.",
            current.name + ": the prompt names the list's path in its own language");
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    Check(WaitGone(box), current.name + ": OK closes the prompt");
    CheckRows(m, kFirstRows, "the list shown stays");
}

// Start-up without pantrium.ini: "my Pantrium.ptm" of the current folder.
DWORD WINAPI DriveDefaultStart(LPVOID) {
    const Main m = FindMainUtf8("my Pantrium");
    if (!m.dlg) return 0;
    CheckRows(m, kFirstRows, "start-up loads \"my Pantrium.ptm\" of the current folder");
    // Once for each folder whose name has no ANSI form (each closing window
    // costs Wine two seconds under Xvfb).
    std::string ansi;
    if (!AnsiOf(current.name, ansi)) LockedListChecks(m);
    EndWithEscape(m);
    return 0;
}

void RunCase(const std::string& name, PhaseRunner runPhase) {
    const std::wstring folder = Wide(name);
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!Check(SetCurrentDirectoryW(folder.c_str()) != 0, name + ": the test enters its folder")) return;
    current = PathCase{name, CurrentDir()};
    Log("smoke: lists in " + current.dir);

    Check(WritePath(current.List(), ListFileBytes(FirstList())) &&
              WritePath(current.Second(), ListFileBytes(SecondList())) &&
              WritePath(current.dir + "\\pantrium.ini", SettingsLine(current.List())),
          name + ": the test writes its lists and pantrium.ini");
    runPhase(DriveSettingsStart);

    DeleteFileW(Wide(current.dir + "\\pantrium.ini").c_str());
    Check(WritePath(current.dir + "\\my Pantrium.ptm", ListFileBytes(FirstList())) &&
              WritePath(current.dir + "\\" + name + " locked.ptm", ListFileBytes(SecondList())),
          name + ": the test writes \"my Pantrium.ptm\"");
    runPhase(DriveDefaultStart);

    SetCurrentDirectoryW(L"..");
}

}  // namespace

bool LoadHelpRecorder() {
    wchar_t exe[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH * 2);
    std::wstring path = exe;
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"smoke-help\\hhctrl.ocx";
    HMODULE viewer = LoadLibraryW(path.c_str());
    if (viewer)
        helpRequests = reinterpret_cast<HelpRequestsFn>(
            reinterpret_cast<void*>(GetProcAddress(viewer, "SmokeHelpRequests")));
    // The layer loads "hhctrl.ocx" by name: it must find this module, not
    // Wine's own (scripts/wine/wine-smoke.sh lets a native hhctrl.ocx load).
    const bool same = viewer && GetModuleHandleW(L"hhctrl.ocx") == viewer;
    return helpRequests != nullptr && same;
}

void RunPathCases(PhaseRunner runPhase) {
    Log("smoke: ANSI code page " + std::to_string(GetACP()));
    for (const char* name : {"Einkäufe", "list – week", "покупки", "買い物"}) RunCase(name, runPhase);
}

}  // namespace smoke

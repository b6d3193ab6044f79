#include "smoke_two_programs.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "list_image.h"
#include "smoke_support.h"
#include "smoke_window_state.h"
#include "ui/main/main_window.h"

namespace smoke {

namespace {

using pantrium::kItemList, pantrium::kUnitsBox;

const wchar_t* const kFolder = L"two programs";
const char* const kList = "shared list.ptm";
const char* const kCaption = "shared list";

// Rows of the item list: TAB, mark, TAB, name, TAB, unit, TAB, last buy
// [, TAB, units, TAB, cost].
const char* const kRowBread = "\t\tBread\tloaf\t";
const char* const kRowBread2 = "\tx\tBread\tloaf\t\t2.00\t5.00";
const char* const kRowEggs = "\t\tEggs\tdozen\t";
const char* const kRowEggs1 = "\tx\tEggs\tdozen\t\t1.00\t3.00";
const char* const kRowMilk = "\t\tMilk\tgallon\t";

ListImage StartList() {
    ListImage list;
    list.categories = {"bakery", "dairy"};
    list.records = {{2, "Eggs", "dozen", 3.0f, 0, {}, {}, 0}, {1, "Bread", "loaf", 2.5f, 0, {}, {}, 0}};
    list.rowOrder = {2, 1};
    return list;
}

// ---- the list file read back ------------------------------------------------------

// The file's records, read with the layout list_image.cpp writes (a reader of
// its own, not the program's): false when the bytes are not a whole list.
bool ParseList(const std::string& bytes, ListImage& list) {
    const std::string magic = "Pantrium 1.50";
    constexpr size_t kRecord = 1 + 20 + 20 + 4 + 4 + 5 * 2 + 5 * 4 + 1;
    if (bytes.compare(0, magic.size(), magic) != 0 || bytes.size() < magic.size() + 8) return false;
    size_t at = magic.size();
    auto u32 = [&] {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
        at += 4;
        return v;
    };
    auto f32 = [&] {
        const std::uint32_t bits = u32();
        float f = 0;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    };
    auto text20 = [&] {
        std::string t = bytes.substr(at, 20);
        at += 20;
        while (!t.empty() && t.back() == ' ') t.pop_back();
        return t;
    };
    const std::uint32_t count = u32(), catgs = u32();
    if (count > 1000 || catgs > 255 || bytes.size() != at + count * 4 + count * kRecord + catgs * 20) return false;
    list = ListImage{};
    for (std::uint32_t i = 0; i < count; ++i) list.rowOrder.push_back(static_cast<std::int32_t>(u32()));
    for (std::uint32_t i = 0; i < count; ++i) {
        ListItem item;
        item.catg = static_cast<std::uint8_t>(bytes[at++]);
        item.name = text20();
        item.unitDescr = text20();
        item.price = f32();
        item.unitsToBuy = f32();
        for (auto& date : item.buyDate) {
            date = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                              static_cast<unsigned char>(bytes[at + 1]) << 8);
            at += 2;
        }
        for (float& units : item.buyUnits) units = f32();
        item.flags = static_cast<std::uint8_t>(bytes[at++]);
        list.records.push_back(item);
    }
    for (std::uint32_t i = 0; i < catgs; ++i) list.categories.push_back(text20());
    return true;
}

// One item of the file in words: "Bread loaf catg 1 price 2.50 units 2.00 flags 1".
std::string ItemWords(const ListItem& item) {
    char text[128];
    std::snprintf(text, sizeof text, "%s %s catg %d price %.2f units %.2f flags %d", item.name.c_str(),
                  item.unitDescr.c_str(), item.catg, item.price, item.unitsToBuy, item.flags);
    return text;
}

// The file's items in row order, in words; "<not a list file>" when it is none.
std::vector<std::string> FileItems() {
    ListImage list;
    if (!ParseList(ReadFileBytes(kList), list)) return {"<not a list file>"};
    std::vector<std::string> items;
    for (std::int32_t record : list.rowOrder)
        items.push_back(record >= 1 && static_cast<size_t>(record) <= list.records.size()
                            ? ItemWords(list.records[static_cast<size_t>(record) - 1])
                            : "<row of record " + std::to_string(record) + ">");
    return items;
}

const char* const kFileBread = "Bread loaf catg 1 price 2.50 units 0.00 flags 0";
const char* const kFileBread2 = "Bread loaf catg 1 price 2.50 units 2.00 flags 1";
const char* const kFileEggs = "Eggs dozen catg 2 price 3.00 units 0.00 flags 0";
const char* const kFileEggs1 = "Eggs dozen catg 2 price 3.00 units 1.00 flags 1";
const char* const kFileMilk = "Milk gallon catg 2 price 3.10 units 0.00 flags 0";

void CheckFile(const std::vector<std::string>& items, const std::string& what) {
    WaitFor([&] { return FileItems() == items; }, 5000);
    CheckEq(FileItems(), items, what);
}

// ---- the windows of the two programs ------------------------------------------------

struct Program {
    std::string name;  // "A" or "B"
    DWORD pid = 0;
    HWND dlg = nullptr, list = nullptr, units = nullptr;
};

struct TopSearch {
    DWORD pid;
    std::string caption;  // empty: any window of the class
    const char* className;
    HWND except;
    std::vector<HWND> found = {};
    bool visibleOnly = true;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<TopSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->pid || window == s->except || (s->visibleOnly && !IsWindowVisible(window))) return TRUE;
    if (s->className) {
        char cls[64] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (std::strcmp(cls, s->className) != 0) return TRUE;
    }
    if (!s->caption.empty() && Text(window) != s->caption) return TRUE;
    s->found.push_back(window);
    return TRUE;
}

// A visible top-level window of the process with exactly this caption.
HWND TopWindowOf(DWORD pid, const std::string& caption, int timeoutMs = 10000) {
    TopSearch s{pid, caption, nullptr, nullptr};
    WaitFor([&] {
        s.found.clear();
        EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&s));
        return !s.found.empty();
    }, timeoutMs);
    if (s.found.empty()) Log("  (no window \"" + caption + "\" of process " + std::to_string(pid) + " came up)");
    return s.found.empty() ? nullptr : s.found.front();
}

// The dialog windows (message boxes among them) of the program apart from its
// main window, shown or not yet shown.
std::vector<HWND> OtherDialogs(const Program& p) {
    TopSearch s{p.pid, "", "#32770", p.dlg};
    s.visibleOnly = false;
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The program's thread has handled everything sent to it before: a message
// box it opens on the way is open then (its loop answers the message).
bool Settled(const Program& p) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(p.dlg, WM_NULL, 0, 0, SMTO_NORMAL, 5000 * TimeFactor(), &result) != 0;
}

// Nothing is asked and nothing told: once the program has settled no dialog
// of its own but the main window is there (a message box stays until answered).
void CheckNothingAsked(const Program& p, const std::string& what) {
    Check(Settled(p), p.name + " answers");
    WaitFor([&] { return OtherDialogs(p).empty(); }, 3000);
    std::string shown;
    for (HWND box : OtherDialogs(p)) shown += " \"" + Text(box) + "\": \"" + Escaped(PromptText(box)) + "\"";
    Check(shown.empty(), what + (shown.empty() ? "" : ", but there is" + shown));
}

// The standard message box of the program with this caption: checks its
// text, then presses the button answer.
bool AnswerPromptOf(const Program& p, const std::string& caption, const std::string& text, int answer) {
    HWND box = TopWindowOf(p.pid, caption);
    if (!Check(box != nullptr, p.name + ": prompt \"" + caption + "\" shows")) return false;
    CheckEq(PromptText(box), text, p.name + ": prompt \"" + caption + "\" text");
    HWND button = GetDlgItem(box, answer);
    if (button) Click(button);
    else PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    return Check(WaitGone(box), p.name + ": prompt \"" + caption + "\" closes after the answer");
}

// The rows of the program's item list, asked for through LB_GETTEXTLEN and
// LB_GETTEXT in their wide form. Wine carries a list box's text across
// processes (the program's item list says LBS_HASSTRINGS), but asked in the
// ANSI form from another process it hands back the wide text unconverted; the
// wide form comes back as it is and is converted here.
std::vector<std::string> RowsOf(const Program& p) {
    std::vector<std::string> rows;
    auto sendW = [&](UINT msg, WPARAM wp, LPARAM lp) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(p.list, msg, wp, lp, SMTO_NORMAL, 5000, &result)) return LRESULT{-1};
        return static_cast<LRESULT>(result);
    };
    const LRESULT count = sendW(LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = sendW(LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        // Room for more than the length: the program may redraw in between.
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1024, L'\0');
        const LRESULT got = sendW(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 && static_cast<size_t>(got) < text.size() ? static_cast<size_t>(got) : 0);
        std::string row(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                                nullptr, 0, nullptr, nullptr)),
                        '\0');
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), row.data(),
                            static_cast<int>(row.size()), nullptr, nullptr);
        rows.push_back(row);
    }
    return rows;
}

void CheckRowsOf(const Program& p, const std::vector<std::string>& rows, const std::string& what) {
    WaitFor([&] { return RowsOf(p) == rows; }, 5000);
    CheckEq(RowsOf(p), rows, p.name + ": " + what);
}

// A click on the row, placed from the row height and the top row: these
// messages carry no pointer, so they reach a list box of another process
// unchanged (LB_GETITEMRECT would need Wine to carry the rectangle back).
void ClickRowOf(const Program& p, int index) {
    const LRESULT height = Send(p.list, LB_GETITEMHEIGHT, 0, 0);
    const LRESULT top = Send(p.list, LB_GETTOPINDEX, 0, 0);
    const LPARAM at = MAKELPARAM(40, static_cast<int>((index - top) * height + height / 2));
    PostMessageA(p.list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(p.list, WM_LBUTTONUP, 0, at);
    WaitFor([&] { return ListSel(p.list) == index; }, 3000);
    CheckEq(ListSel(p.list), index, p.name + ": a click selects row " + std::to_string(index + 1));
}

// The keyboard focus of the program's thread.
HWND FocusOf(const Program& p) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(p.dlg, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// Task > Buy on the selected row, then the units typed over the proposed 1.
void BuyRow(const Program& p, int index, const std::string& units) {
    ClickRowOf(p, index);
    Command(p.dlg, pantrium::kCmdBuy);
    WaitFor([&] { return Text(p.units) == "1" && FocusOf(p) == p.units; }, 3000);
    CheckEq(Text(p.units), "1", p.name + ": Buy proposes 1 unit");
    Check(FocusOf(p) == p.units, p.name + ": Buy puts the focus into the units box");
    if (units != "1") TypeInto(p.units, units);
}

// Brings the program's main window to the front, as a click on it would.
bool Activate(const Program& p) {
    SetForegroundWindow(p.dlg);
    return WaitFor([&] { return GetForegroundWindow() == p.dlg; }, 5000);
}

// Activations (WM_ACTIVATE, not WA_INACTIVE) of A's main window, counted on
// its thread.
std::atomic<long> activationsOfA{0};
HWND mainOfA = nullptr;

LRESULT CALLBACK CountActivations(int code, WPARAM wp, LPARAM lp) {
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && msg->hwnd == mainOfA && msg->message == WM_ACTIVATE && LOWORD(msg->wParam) != WA_INACTIVE)
        ++activationsOfA;
    return CallNextHookEx(nullptr, code, wp, lp);
}

// ---- program B: the real program in a process of its own -----------------------------

PROCESS_INFORMATION programB = {};

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::wstring folder = path;
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder + L"pantrium.exe";
}

// Starts pantrium.exe (built beside this program) in the current folder.
bool StartProgramB() {
    const std::wstring exe = ProgramPath();
    if (!Check(GetFileAttributesW(exe.c_str()) != INVALID_FILE_ATTRIBUTES,
               "pantrium.exe lies beside the smoke program"))
        return false;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return Check(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &programB) != 0,
                 "program B (pantrium.exe) starts in the same folder");
}

// Ends B if it is still there (a failed run): it must not outlive the test.
void EndProgramB() {
    if (!programB.hProcess) return;
    if (WaitForSingleObject(programB.hProcess, 0) == WAIT_TIMEOUT) {
        Log("  (program B still runs; ended)");
        TerminateProcess(programB.hProcess, 9);
        WaitForSingleObject(programB.hProcess, 5000);
    }
    CloseHandle(programB.hThread);
    CloseHandle(programB.hProcess);
    programB = {};
}

[[noreturn]] void Abort(const std::string& why) {
    Log("FAIL: " + why + "; the two programs' case cannot go on");
    EndProgramB();
    Log("smoke: " + std::to_string(failures + 1) + " check(s) failed");
    ExitProcess(2);
}

Program Find(const std::string& name, DWORD pid, int timeoutMs) {
    Program p{name, pid};
    p.dlg = TopWindowOf(pid, kCaption, timeoutMs);
    if (!p.dlg) Abort("the main window \"" + std::string(kCaption) + "\" of program " + name + " did not come up");
    p.list = GetDlgItem(p.dlg, kItemList);
    p.units = GetDlgItem(p.dlg, kUnitsBox);
    if (!p.list || !p.units) Abort("program " + name + "'s item list or units box is missing");
    return p;
}

// ---- the case ------------------------------------------------------------------------

// A adds Milk (dairy) through the item editor.
void AddMilk(const Program& a) {
    Click(GetDlgItem(a.dlg, pantrium::kNewItemButton));
    HWND editor = FindTopWindow("Add Item");
    if (!editor) Abort("A's item editor \"Add Item\" did not come up");
    TypeInto(GetDlgItem(editor, 201), "Milk");
    TypeInto(GetDlgItem(editor, 202), "gallon");
    TypeInto(GetDlgItem(editor, 203), "3.10");
    Send(GetDlgItem(editor, 204), CB_SETCURSEL, 1, 0);
    Click(GetDlgItem(editor, IDOK));
    Check(WaitGone(editor), "A: Ok closes the item editor");
}

DWORD WINAPI DriveTwoPrograms(LPVOID) {
    const Program a = Find("A", GetCurrentProcessId(), 20000);
    mainOfA = a.dlg;
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountActivations, nullptr, guiThreadId);
    Check(hook != nullptr, "A's activations can be counted");
    if (!StartProgramB()) Abort("program B did not start");
    const Program b = Find("B", programB.dwProcessId, 30000);
    Check(a.dlg != b.dlg, "A and B have main windows of their own");
    CheckRowsOf(a, {kRowBread, kRowEggs}, "the shared list shows");
    CheckRowsOf(b, {kRowBread, kRowEggs}, "the same list shows in the second program");

    // A adds Milk, B checks Bread and types 2: both unsaved.
    AddMilk(a);
    CheckRowsOf(a, {kRowBread, kRowEggs, kRowMilk}, "the new item shows");
    Check(Activate(b), "B comes to the front");
    BuyRow(b, 0, "2");
    CheckRowsOf(b, {kRowBread2, kRowEggs}, "Bread checked with 2 units");

    // A saves first: the file is A's table.
    Command(a.dlg, pantrium::kCmdSave);
    AnswerPrompt("Save File", "Save file now?", IDYES);
    CheckFile({kFileBread, kFileEggs, kFileMilk}, "A's save writes its table");
    CheckNothingAsked(a, "A's save asks nothing more (the file was as A loaded it)");

    // B saves: its change and A's new item, both in the file and in B's rows.
    Check(Activate(b), "B comes to the front again");
    const long activationsBefore = activationsOfA;
    Command(b.dlg, pantrium::kCmdSave);
    AnswerPromptOf(b, "Save File", "Save file now?", IDYES);
    CheckFile({kFileBread2, kFileEggs, kFileMilk}, "B's save merges: Bread checked with 2 units and A's Milk");
    CheckRowsOf(b, {kRowBread2, kRowEggs, kRowMilk}, "after the save B shows A's item too");
    CheckNothingAsked(b, "B's save tells of no conflict (none was changed on both sides)");

    // A has no changes of its own: activated again it shows B's save, asking nothing.
    if (activationsOfA == activationsBefore)
        CheckRowsOf(a, {kRowBread, kRowEggs, kRowMilk}, "not activated since, A still shows its own save");
    else
        Check(false, "A was activated while B saved (the window order gave it the activation)");
    Check(Activate(b) && Activate(a), "A comes to the front after B");
    Check(WaitFor([&] { return activationsOfA > activationsBefore; }), "A's main window got WM_ACTIVATE");
    CheckRowsOf(a, {kRowBread2, kRowEggs, kRowMilk}, "activated, A shows B's save");
    CheckNothingAsked(a, "A reloads silently");

    // B checks Eggs and ends through its close box, saving at the prompt.
    Check(Activate(b), "B comes to the front for its close");
    BuyRow(b, 1, "1");
    CheckRowsOf(b, {kRowBread2, kRowEggs1, kRowMilk}, "Eggs checked with 1 unit");
    SysClose(b.dlg);
    AnswerPromptOf(b, "Save File", "File records have changed...\r\ndo you want to save them?", IDYES);
    Check(WaitForSingleObject(programB.hProcess, 10000 * TimeFactor()) == WAIT_OBJECT_0,
          "B ends after Yes in its close prompt");
    DWORD exitCode = 1;
    GetExitCodeProcess(programB.hProcess, &exitCode);
    CheckEq(static_cast<long long>(exitCode), 0, "B's exit code");
    CheckFile({kFileBread2, kFileEggs1, kFileMilk}, "B's close saved Eggs");

    // A, unchanged, closes without a question.
    Command(a.dlg, pantrium::kCmdExit);
    if (!Check(WaitGone(a.dlg), "A's Exit closes it without a prompt")) {
        for (HWND box : OtherDialogs(a)) Log("  (A shows \"" + Text(box) + "\": \"" + Escaped(PromptText(box)) + "\")");
        if (HWND box = FindTopWindow("Save File", 1000)) Click(GetDlgItem(box, IDNO));
    }
    if (hook) UnhookWindowsHookEx(hook);
    return 0;
}

}  // namespace

void RunTwoPrograms(PhaseRunner runPhase) {
    CreateDirectoryW(kFolder, nullptr);
    if (!Check(SetCurrentDirectoryW(kFolder) != 0, "the two programs' case enters its folder")) return;
    if (!Check(WriteFileBytes(kList, ListFileBytes(StartList())) &&
                   WriteFileBytes("pantrium.ini", std::string(kList) + "\r\n"),
               "the shared list and pantrium.ini are written")) {
        SetCurrentDirectoryW(L"..");
        return;
    }
    mainState = pantrium::MainWindowState{};
    runPhase(DriveTwoPrograms);
    EndProgramB();
    CheckFile({kFileBread2, kFileEggs1, kFileMilk}, "after both programs ended the file holds every change");
    SetCurrentDirectoryW(L"..");
}

}  // namespace smoke

// Speed of the real program under Wine: runs the real main window in this
// process on lists of 0 to 100,000 items and drives it from a second thread
// the way the Wine smoke test does, timing
//   process     start-up of the program: from starting a new process of it
//               (which shows the main window alone) to its painted main window,
//   window      start-up of the main window in this process, to its first painting,
//   add + sort  the item editor's Ok: the new item is sorted in (a full rebuild),
//   auto list   the "&Auto List" button (a full rebuild),
//   checkout    the Check Out dialog's Ok until the list is redrawn,
//   undo        "Undo check out now?" answered Yes until the list is redrawn,
//   toggle      Enter pressed and released on a row,
//   keystroke   one digit typed into the units box.
// Every timing ends when the program has handled all the input and painted
// every window that needed it. Figures are medians over the repetitions,
// printed in milliseconds and as ratios to the empty list.
//
// Usage: pantrium_bench.exe [repetitions [sizes...]]   (default 3; 0 1000 10000 100000)
// It works in its current directory (scripts/wine/wine-bench.sh gives it one).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "data/categories.h"
#include "platform/files.h"
#include "data/item_table.h"
#include "data/list_file.h"
#include "smoke_support.h"
#include "ui/main/main_window.h"

namespace {

using smoke::Send;

const UINT kMarker = WM_APP + 77;  // posted to the GUI thread: "all input before me is handled"
HANDLE markerSeen = nullptr;
HWND mainHwnd = nullptr;
pantrium::MainWindowState mainState;  // of the main window run here, fresh for each run
double startedAt = 0;  // ms, when the main window started

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// GUI thread: a window of its own receives the marker, posted after the
// input of an action; its arrival means every message posted before it has
// been handled (or a modal loop that the last one opened runs). No hook is
// used: a hook would add a call to the Wine server to every message.
LRESULT CALLBACK MarkerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kMarker) {
        SetEvent(markerSeen);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

HWND MakeMarkerWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MarkerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PantriumBenchMarker";
    RegisterClassA(&wc);
    return CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}
HWND markerWindow = nullptr;

// Waits until the GUI thread has handled everything posted so far, then has
// it paint every window of the main window that waits for painting.
void Settle() {
    ResetEvent(markerSeen);
    PostMessageA(markerWindow, kMarker, 0, 0);
    if (WaitForSingleObject(markerSeen, 1800000) != WAIT_OBJECT_0) {
        smoke::Log("FAIL: the program did not become idle within 30 minutes");
        ExitProcess(3);
    }
    // Sends WM_PAINT to each window with an update region, and returns when all are painted.
    RedrawWindow(mainHwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

HWND Require(HWND window, const std::string& what) {
    if (!window) {
        smoke::Log("FAIL: " + what + " did not come up");
        ExitProcess(2);
    }
    return window;
}

void Answer(const std::string& caption, int button) {
    HWND box = Require(smoke::FindTopWindow(caption, 60000), "the prompt \"" + caption + "\"");
    smoke::Click(Require(GetDlgItem(box, button), "its button"));
}

// ---- the lists ------------------------------------------------------------------

// Half the items carry a buying history that the auto list turns into a
// proposal; a few are checked already.
void WriteList(int n, const std::string& path) {
    using namespace pantrium;
    ClearTable();
    for (int c = 1; c <= 12; ++c) AppendCategory("category " + std::to_string(c));
    itemTable.itemCount = n;
    itemTable.records.assign(static_cast<std::size_t>(n) + 1, ItemRecord{});
    itemTable.rowOrder.assign(static_cast<std::size_t>(n) + 1, 0);
    static const char* words[] = {"Milk", "Bread", "Apples", "Eggs", "Rice", "Tea", "Soap", "Jam"};
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFFF; };
    for (int k = 1; k <= n; ++k) {
        ItemRecord& rec = itemTable.records[k];
        rec.catg = static_cast<std::uint8_t>(next() % 13);
        StoreTextField(rec.itemName, std::string(words[next() % 8]) + " " + std::to_string(next() % 100000));
        StoreTextField(rec.unitDescr, "each");
        rec.pricePerUnit = static_cast<float>(next() % 1000) / 100;
        if (k % 2) {
            for (int i = 0; i < 3; ++i) {  // 01-01-24, 01-11-24, 01-21-24
                rec.buyDate[i] = static_cast<PackedDate>((1 + 10 * i) | (1 << 5) | (24 << 9));
                rec.buyUnits[i] = 1;
            }
        }
        if (k % 97 == 0) {
            rec.flags = kToBuy;
            rec.unitsToBuy = 2;
        }
        itemTable.rowOrder[k] = n + 1 - k;
    }
    itemTable.listPath = path;
    const std::vector<std::uint8_t> bytes = ListFileBytes();
    if (!files::WriteWholeFile(path, bytes.data(), bytes.size())) {
        smoke::Log("FAIL: cannot write " + path);
        ExitProcess(2);
    }
    ClearTable();
}

// ---- one run of the main window ---------------------------------------------------

enum Measure { kProcess, kStartup, kAddSort, kAutoList, kCheckout, kUndo, kToggle, kKeystroke, kMeasures };
const char* const kNames[kMeasures] = {"process", "window", "add+sort", "auto list", "checkout",
                                       "undo",     "toggle",   "keystroke"};

struct Run {
    std::vector<double> ms[kMeasures];
};
Run current;

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    const std::size_t h = v.size() / 2;
    return v.size() % 2 ? v[h] : (v[h - 1] + v[h]) / 2;
}

template <class Action>
void Time(Measure what, Action action) {
    const double t0 = Now();
    action();
    Settle();
    current.ms[what].push_back(Now() - t0);
}

int ListCount(HWND list) { return static_cast<int>(Send(list, LB_GETCOUNT)); }

DWORD WINAPI Drive(LPVOID) {
    // The main window shows when its queue first runs empty, after its set-up.
    for (int waited = 0; !(mainHwnd = reinterpret_cast<HWND>(mainState.mainWindow)) || !IsWindowVisible(mainHwnd);
         ++waited) {
        if (waited > 600000) {
            smoke::Log("FAIL: the main window did not show within 600 s");
            ExitProcess(2);
        }
        Sleep(1);
    }
    Settle();
    current.ms[kStartup].push_back(Now() - startedAt);

    HWND dlg = mainHwnd;
    HWND list = GetDlgItem(dlg, pantrium::kItemList);
    HWND units = GetDlgItem(dlg, pantrium::kUnitsBox);

    // A new one-time buy (so that even the empty list has something to check out).
    smoke::Click(GetDlgItem(dlg, pantrium::kNewItemButton));
    HWND editor = Require(smoke::FindTopWindow("Add Item", 60000), "the item editor");
    smoke::TypeInto(GetDlgItem(editor, 201), "Marmalade");
    smoke::TypeInto(GetDlgItem(editor, 202), "jar");
    smoke::TypeInto(GetDlgItem(editor, 203), "3.10");
    Send(GetDlgItem(editor, 204), CB_SETCURSEL, 0, 0);
    smoke::Click(GetDlgItem(editor, 205));
    smoke::WaitFor([&] { return Send(GetDlgItem(editor, 205), BM_GETCHECK) == BST_CHECKED; });
    Time(kAddSort, [&] { smoke::Click(GetDlgItem(editor, IDOK)); });

    Time(kAutoList, [&] { smoke::Click(GetDlgItem(dlg, pantrium::kAutoListButton)); });

    if (std::getenv("PANTRIUM_BENCH_DEBUG"))
        smoke::Log("rows " + std::to_string(ListCount(list)) + ", " + smoke::StatusPart(GetDlgItem(dlg, pantrium::kStatusBar), 2));
    smoke::Click(GetDlgItem(dlg, pantrium::kCheckOutButton));
    Answer("Check out", IDYES);
    HWND checkout = Require(smoke::FindTopWindow("Check Out", 60000), "the Check Out dialog");
    Time(kCheckout, [&] { smoke::Click(GetDlgItem(checkout, IDOK)); });
    Answer("Checkout", IDOK);
    Settle();

    smoke::Command(dlg, pantrium::kCmdUndoCheckout);
    HWND prompt = Require(smoke::FindTopWindow("Check out", 60000), "the undo prompt");
    Time(kUndo, [&] { smoke::Click(GetDlgItem(prompt, IDYES)); });

    // Toggles of one row; each one that checks the row moves the focus to
    // the units box, where one digit is typed and Enter goes back to the list.
    smoke::ClickRow(list, std::min(2, ListCount(list) - 1));
    smoke::PressKey(list, VK_RETURN);  // the editor's Ok made the list ignore one Enter
    Settle();
    for (int i = 0; i < 8; ++i) {
        Time(kToggle, [&] {
            smoke::KeyDown(list, VK_RETURN);
            smoke::KeyUp(list, VK_RETURN);
        });
        if (smoke::FocusedWindow() != units) continue;
        Time(kKeystroke, [&] { smoke::TypeChars(units, std::string(1, static_cast<char>('2' + i))); });
        smoke::PressKey(units, VK_RETURN);
        Settle();
    }

    smoke::Command(dlg, 2);  // Escape: the list has changed, so the program asks first
    Answer("Save File", IDNO);
    return 0;
}

// ---- start-up of a whole process ---------------------------------------------------

const char* const kPaintedEvent = "PantriumBenchPainted";

void WriteSettings(int n) {
    const std::string ini = "\"bench-" + std::to_string(n) + ".ptm\"\r\n";
    pantrium::files::WriteWholeFile("pantrium.ini", ini.data(), ini.size());
}

// The child: shows the main window, says when it is painted, and ends.
DWORD WINAPI SignalPainted(LPVOID) {
    while (!(mainHwnd = reinterpret_cast<HWND>(mainState.mainWindow)) || !IsWindowVisible(mainHwnd)) Sleep(1);
    Settle();
    HANDLE painted = OpenEventA(EVENT_MODIFY_STATE, FALSE, kPaintedEvent);
    SetEvent(painted);
    CloseHandle(painted);
    smoke::Command(mainHwnd, 2);
    return 0;
}

// From the start of a new process of this program to its painted main window.
double ProcessStartup(int n) {
    WriteSettings(n);
    HANDLE painted = CreateEventA(nullptr, FALSE, FALSE, kPaintedEvent);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"";
    command.append(self).append("\" --child");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    const double t0 = Now();
    if (!CreateProcessA(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        smoke::Log("FAIL: cannot start " + command);
        ExitProcess(2);
    }
    HANDLE waits[2] = {painted, pi.hProcess};
    const DWORD which = WaitForMultipleObjects(2, waits, FALSE, 600000);
    const double ms = Now() - t0;
    WaitForSingleObject(pi.hProcess, 60000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(painted);
    return which == WAIT_OBJECT_0 ? ms : -1;
}

// ---- one run of the main window in this process ---------------------------------------

void RunOnce(int n) {
    mainHwnd = nullptr;
    mainState = pantrium::MainWindowState{};
    pantrium::ClearTable();
    pantrium::itemTable.snapshot = {};
    WriteSettings(n);

    HANDLE driver = CreateThread(nullptr, 0, Drive, nullptr, 0, nullptr);
    startedAt = Now();
    pantrium::RunMainWindow(mainState);
    WaitForSingleObject(driver, INFINITE);
    CloseHandle(driver);
}

std::string Cell(double v, bool ratio) {
    char text[32];
    if (v < 0)
        std::snprintf(text, sizeof text, "%11s", "-");
    else
        std::snprintf(text, sizeof text, ratio ? "%10.2fx" : "%11.1f", v);
    return text;
}

std::string Label(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%-9d", n);
    return text;
}

void Report(const std::vector<int>& sizes, const std::map<int, Run>& runs, int reps) {
    std::string head = "items    ";
    for (const char* name : kNames) {
        char text[16];
        std::snprintf(text, sizeof text, "%11s", name);
        head += text;
    }
    std::map<int, std::vector<double>> med;
    for (int n : sizes)
        for (int m = 0; m < kMeasures; ++m) med[n].push_back(Median(runs.at(n).ms[m]));

    smoke::Log("\nmilliseconds, median of " + std::to_string(reps) +
               " runs (toggle, keystroke: of all of them)");
    smoke::Log(head);
    for (int n : sizes) {
        std::string line = Label(n);
        for (double v : med[n]) line += Cell(v, false);
        smoke::Log(line);
    }
    if (med.count(0)) {
        smoke::Log("\nratio to the empty list");
        smoke::Log(head);
        for (int n : sizes) {
            std::string line = Label(n);
            for (int m = 0; m < kMeasures; ++m) {
                const double base = med[0][m], v = med[n][m];
                line += Cell(base > 0 && v >= 0 ? v / base : -1, true);
            }
            smoke::Log(line);
        }
    }
    if (med.count(1000) && med.count(100000))
        smoke::Log("\n100000 items against 1000: toggle" + Cell(med[100000][kToggle] / med[1000][kToggle], true) +
                   ", keystroke" + Cell(med[100000][kKeystroke] / med[1000][kKeystroke], true));
}

}  // namespace

int main(int argc, char** argv) {
    smoke::guiThreadId = GetCurrentThreadId();
    markerSeen = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    markerWindow = MakeMarkerWindow();
    if (argc > 1 && std::string(argv[1]) == "--child") {
        HANDLE driver = CreateThread(nullptr, 0, SignalPainted, nullptr, 0, nullptr);
        pantrium::RunMainWindow(mainState);
        WaitForSingleObject(driver, INFINITE);
        return 0;
    }

    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {0, 1000, 10000, 100000};

    for (int n : sizes) WriteList(n, "bench-" + std::to_string(n) + ".ptm");
    RunOnce(sizes.front());  // warm-up: the first window of a process pays for loading the system's parts
    ProcessStartup(sizes.front());
    std::map<int, Run> runs;
    for (int r = 0; r < reps; ++r) {
        for (int n : sizes) {
            current = Run{};
            current.ms[kProcess].push_back(ProcessStartup(n));
            RunOnce(n);
            for (int m = 0; m < kMeasures; ++m)
                runs[n].ms[m].insert(runs[n].ms[m].end(), current.ms[m].begin(), current.ms[m].end());
            char line[160];
            std::snprintf(line, sizeof line, "run %d, %6d items: start-up %.1f ms (process), %.1f ms (window)",
                          r + 1, n, current.ms[kProcess][0],
                          current.ms[kStartup].empty() ? -1.0 : current.ms[kStartup][0]);
            smoke::Log(line);
        }
    }
    Report(sizes, runs, reps);
    return 0;
}

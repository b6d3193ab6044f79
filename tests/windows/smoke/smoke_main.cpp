// The Wine smoke test: runs the real main window of the program in this
// process and drives it from a second thread through window messages, then
// checks the controls' texts and the saved list file; a third run works it
// with real key strokes and mouse clicks. Every check prints a
// PASS or FAIL line; the exit code is 0 only when all of them passed.
//
// The program works in its current directory (scripts/wine/wine-smoke.sh gives it
// an empty one): it writes "smoke list.ptm" and "pantrium.ini" there first;
// the path cases and the two programs' case then work in folders of their own
// below it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "smoke_clipboard.h"
#include "smoke_paths.h"
#include "smoke_resize.h"
#include "smoke_cost.h"
#include "smoke_keys.h"
#include "smoke_scenario.h"
#include "smoke_shortcuts.h"
#include "smoke_two_programs.h"
#include "smoke_support.h"
#include "smoke_window_state.h"
#include "ui/main/main_window.h"

namespace smoke {

pantrium::MainWindowState mainState;

}  // namespace smoke

namespace {

// Seconds the whole test may take: PANTRIUM_SMOKE_WATCHDOG (scripts/wine/wine-smoke.sh
// gives the emulated 32-bit program more), else 120.
DWORD WatchdogSeconds() {
    char text[16] = {};
    const DWORD n = GetEnvironmentVariableA("PANTRIUM_SMOKE_WATCHDOG", text, sizeof text);
    const long seconds = n > 0 && n < sizeof text ? std::strtol(text, nullptr, 10) : 0;
    return seconds > 0 ? static_cast<DWORD>(seconds) : 120;
}

DWORD WINAPI Watchdog(LPVOID) {
    const DWORD seconds = WatchdogSeconds();
    Sleep(seconds * 1000);
    smoke::Log("FAIL: the smoke test did not finish within " + std::to_string(seconds) +
               " s (a window or prompt waits for an answer that never comes)");
    ExitProcess(3);
}

// Runs the main window on this thread while phase drives it from another.
void RunPhase(LPTHREAD_START_ROUTINE phase) {
    HANDLE driver = CreateThread(nullptr, 0, phase, nullptr, 0, nullptr);
    pantrium::RunMainWindow(smoke::mainState);
    if (WaitForSingleObject(driver, 30000) != WAIT_OBJECT_0)
        smoke::Check(false, "the driver finished after the main window closed");
    CloseHandle(driver);
}

}  // namespace

int main() {
    smoke::guiThreadId = GetCurrentThreadId();
    CloseHandle(CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr));
    if (!smoke::WriteStartFiles()) {
        smoke::Log("FAIL: cannot write the start-up files in the current directory");
        return 2;
    }
    smoke::Check(smoke::LoadHelpRecorder(), "the stand-in help viewer is loaded as hhctrl.ocx");
    RunPhase(smoke::DriveFirstRun);
    smoke::CheckAfterFirstRun();
    RunPhase(smoke::DriveSecondRun);
    RunPhase(smoke::DriveResizeRun);
    // The scaled-display runs look at the windows only: the first two runs.
    char windowsOnly[4] = {};
    if (GetEnvironmentVariableA("PANTRIUM_SMOKE_WINDOWS_ONLY", windowsOnly, sizeof windowsOnly) > 0) {
        smoke::Log("smoke: the windows' runs only (PANTRIUM_SMOKE_WINDOWS_ONLY); keys, paths and cost not run");
        smoke::Log("smoke: " + std::to_string(smoke::failures) + " check(s) failed");
        return smoke::failures == 0 ? 0 : 1;
    }
    if (!smoke::WriteKeysFiles()) {
        smoke::Log("FAIL: cannot write the keys list in the current directory");
        return 2;
    }
    // A fresh start: the first run's price dialogs left the flag that ignores
    // the next Enter release set.
    smoke::mainState = pantrium::MainWindowState{};
    RunPhase(smoke::DriveKeysRun);
    smoke::CheckAfterKeysRun();
    smoke::RunShortcutsCase(RunPhase);
    smoke::RunPathCases(RunPhase);
    if (!smoke::WriteCostStartFiles()) {
        smoke::Log("FAIL: cannot write the cost case's start-up files");
        return 2;
    }
    RunPhase(smoke::DriveCostRun);
    // Program A in this process, program B the real pantrium.exe, one list file.
    smoke::RunTwoPrograms(RunPhase);
    smoke::RunClipboardCase(RunPhase);
    smoke::Log("smoke: " + std::to_string(smoke::failures) + " check(s) failed");
    return smoke::failures == 0 ? 0 : 1;
}

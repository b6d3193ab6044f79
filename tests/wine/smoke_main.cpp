// The Wine smoke test: runs the real main window of the program in this
// process and drives it from a second thread through window messages, then
// checks the controls' texts and the saved list file; a third run works it
// with real key strokes and mouse clicks. Every check prints a
// PASS or FAIL line; the exit code is 0 only when all of them passed.
//
// The program works in its current directory (scripts/wine-smoke.sh gives it
// an empty one): it writes "smoke list.ptm" and "pantrium.ini" there first.
#include <windows.h>

#include <cstdio>
#include <string>

#include "smoke_keys.h"
#include "smoke_scenario.h"
#include "smoke_support.h"
#include "ui/main/main_window.h"

namespace {

constexpr DWORD kWatchdogMs = 140000;  // below the script's deadline of 150 s

DWORD WINAPI Watchdog(LPVOID) {
    Sleep(kWatchdogMs);
    smoke::Log("FAIL: the smoke test did not finish within " + std::to_string(kWatchdogMs / 1000) +
               " s (a window or prompt waits for an answer that never comes)");
    ExitProcess(3);
}

// Runs the main window on this thread while phase drives it from another.
void RunPhase(LPTHREAD_START_ROUTINE phase) {
    HANDLE driver = CreateThread(nullptr, 0, phase, nullptr, 0, nullptr);
    pantrium::RunMainWindow();
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
    RunPhase(smoke::DriveFirstRun);
    smoke::CheckAfterFirstRun();
    RunPhase(smoke::DriveSecondRun);
    smoke::CheckAfterSecondRun();
    if (!smoke::WriteKeysFiles()) {
        smoke::Log("FAIL: cannot write the keys list in the current directory");
        return 2;
    }
    // A fresh start: the first run's price dialogs left the flag that ignores
    // the next Enter release set.
    pantrium::ResetMainWindowState();
    RunPhase(smoke::DriveKeysRun);
    smoke::CheckAfterKeysRun();
    smoke::Log("smoke: " + std::to_string(smoke::failures) + " check(s) failed");
    return smoke::failures == 0 ? 0 : 1;
}

// The program's entry point on Windows: the main window runs until it is gone.
#include <windows.h>

#include "ui/main/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return pantrium::RunMainWindow(); }

// The main window: built once at start-up, then driven by its window procedure.
#pragma once

#include <windows.h>

#include "program_state.h"

// Builds the main window on the program's state and runs its message loop.
int RunApplication(ProgramState& program, HINSTANCE instance, HINSTANCE previous, PWSTR commandLine,
                   int showCommand);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The Edit command: a modal box in which the whole CompilerSwitches value is rewritten by hand.
#pragma once

#include <windows.h>

#include "program_state.h"

// False when the user confirmed nothing.
bool EditCompilerSwitches(HWND mainWindow, ProgramState& program);
LRESULT CALLBACK InputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// The Edit command: a modal box in which the whole CompilerSwitches value is rewritten by hand.
#pragma once

#include <windows.h>

// False when the user confirmed nothing.
bool EditCompilerSwitches(HWND mainWindow);
LRESULT CALLBACK InputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

inline constexpr UINT kSetResultBufferMessage = WM_USER + 1;

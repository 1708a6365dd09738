// The Edit box: a modal box in which the whole CompilerSwitches value is rewritten by hand.
#pragma once

#include <windows.h>

#include <string>

// Runs the box over the main window, filled with the current value; what the user confirmed, or
// empty for Cancel, Escape and the close button.
std::wstring AskForSwitches(HWND mainWindow, const std::wstring& current);
LRESULT CALLBACK InputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

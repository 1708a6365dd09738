// Sizing and centring windows, and the toolkit's minimal window procedure.
#pragma once

#include <windows.h>

BOOL SetClientSize(HWND window, int width, int height, float ratioX, float ratioY);
// Centres on the reference window, or on the work area without one; never off the work area.
BOOL CenterWindow(HWND window, HWND reference);
LRESULT CALLBACK DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The main window: built once at start-up, then driven by its window procedure.
#pragma once

#include <windows.h>

#include <string_view>

int RunApplication(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int showCommand);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int MeasureTextWidth(HWND control, const wchar_t* text);

// Sizing and centring top-level windows.
#pragma once

#include <windows.h>

#include "screen_geometry.h"

BOOL SetClientSize(HWND window, int width, int height, float ratioX, float ratioY);
// Centres on the reference window, or on the work area without one; never off the work area.
BOOL CenterWindow(HWND window, HWND reference);

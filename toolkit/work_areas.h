// The screen without its task bars: the work areas windows are kept on, as screen rectangles.
// Header only, so DlgMsgBox.dll shares it without linking the toolkit.
#pragma once

#include <windows.h>

#include <vector>

#include "screen_geometry.h"

inline ScreenRect ToScreenRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// A monitor's work area, or the primary screen's size when the monitor cannot be asked.
inline ScreenRect WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return ToScreenRect(info.rcWork);
}

inline ScreenRect PrimaryWorkArea() {
    return WorkAreaOf(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

inline BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    reinterpret_cast<std::vector<ScreenRect>*>(areas)->push_back(WorkAreaOf(monitor));
    return TRUE;
}

// Every monitor's.
inline std::vector<ScreenRect> AllWorkAreas() {
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

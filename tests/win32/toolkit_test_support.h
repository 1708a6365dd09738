// What the toolkit's Win32 tests share: window ownership, the DPI under test, bounded pumping.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "window_object.h"

// Destroys a test's window on scope exit: the toolkit never destroys windows itself.
class WindowGuard {
  public:
    explicit WindowGuard(HWND window) : window_(window) {}
    WindowGuard(const WindowGuard&) = delete;
    WindowGuard& operator=(const WindowGuard&) = delete;
    ~WindowGuard() {
        if (window_ && IsWindow(window_))
            DestroyWindow(window_);
    }
    HWND get() const { return window_; }

  private:
    HWND window_;
};

// The DPI the test run asked the Wine wrapper for (96 when it asked for none).
inline int RequestedDpi() {
    wchar_t value[16] = {};
    if (GetEnvironmentVariableW(L"MARLWICK_WINE_TEST_DPI", value, 16) == 0)
        return 96;
    return _wtoi(value);
}

inline int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// A window's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline std::string Describe(const RECT& r) {
    char text[96];
    std::snprintf(text, sizeof(text), "(%ld, %ld)-(%ld, %ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

inline std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(value));
    return text;
}

inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (handle)
        GetObjectW(handle, sizeof(font), &font);
    return font;
}

// A test window's procedure: it keeps the font it is given, as a dialog does, so that the
// font the toolkit sends can be read back; it posts nothing when destroyed.
inline LRESULT CALLBACK FontKeepingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFONT:
        SetPropW(window, L"ToolkitTestFont", reinterpret_cast<HANDLE>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetPropW(window, L"ToolkitTestFont"));
    case WM_NCDESTROY:
        RemovePropW(window, L"ToolkitTestFont");
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

inline WindowSpec PlainWindow(int x = 10, int y = 20, int width = 400, int height = 300) {
    WindowSpec spec;
    spec.caption = L"toolkit test";
    spec.windowProc = FontKeepingProc;
    spec.x = x;
    spec.y = y;
    spec.width = width;
    spec.height = height;
    spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    return spec;
}

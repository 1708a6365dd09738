// A stand-in for the WinFBE IDE: one top-level window of class "WinFBE_Class" (or the class the
// second argument names) that logs every key it receives, one line each: "down 0x76".
//
//   stand_in_ide.exe LOG [CLASS]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HANDLE keyLog = INVALID_HANDLE_VALUE;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP) {
        char line[32];
        const int length =
            std::snprintf(line, sizeof line, "%s 0x%02X\n", message == WM_KEYDOWN ? "down" : "up",
                          static_cast<unsigned>(wParam));
        DWORD written = 0;
        WriteFile(keyLog, line, static_cast<DWORD>(length), &written, nullptr);
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const std::wstring className = argc > 2 ? argv[2] : L"WinFBE_Class";
    // Shared, so that the test reads the log while this program writes it.
    keyLog = CreateFileW(argv[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = StandInProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);
    const HWND window =
        CreateWindowExW(0, className.c_str(), className.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 640,
                        480, nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

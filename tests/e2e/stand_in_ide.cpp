// A stand-in for the WinFBE IDE: one top-level window of class "WinFBE_Class" that writes every
// key message it receives to a log, one line each, so a test can read what reached the IDE.
//
//   stand_in_ide.exe LOG [CLASS]      (CLASS defaults to WinFBE_Class)
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

HANDLE keyLog = INVALID_HANDLE_VALUE;

void LogLine(const char* line) {
    DWORD written = 0;
    WriteFile(keyLog, line, static_cast<DWORD>(std::char_traits<char>::length(line)), &written,
              nullptr);
}

void LogKey(const char* kind, WPARAM virtualKey) {
    char line[32];
    std::snprintf(line, sizeof line, "%s 0x%02X\n", kind, static_cast<unsigned>(virtualKey));
    LogLine(line);
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        LogKey("down", wParam);
        return 0;
    case WM_KEYUP:
        LogKey("up", wParam);
        return 0;
    case WM_SYSKEYDOWN:
        LogKey("sysdown", wParam);
        break;
    case WM_SYSKEYUP:
        LogKey("sysup", wParam);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 2)
        return 2;
    const std::wstring className = count >= 3 ? arguments[2] : L"WinFBE_Class";
    // Shared so that the test can read the log while this program still writes it.
    keyLog = CreateFileW(arguments[1], FILE_APPEND_DATA,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    LocalFree(arguments);
    if (keyLog == INVALID_HANDLE_VALUE)
        return 3;

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = StandInProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    if (!RegisterClassExW(&windowClass))
        return 4;
    const std::wstring title = className == L"WinFBE_Class" ? L"WinFBE stand-in" : className;
    const HWND window = CreateWindowExW(0, className.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW,
                                        40, 40, 640, 480, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 5;
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    CloseHandle(keyLog);
    return static_cast<int>(message.wParam);
}

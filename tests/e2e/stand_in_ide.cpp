// A stand-in for the WinFBE IDE: one top-level window of class "WinFBE_Class" (or the class the
// second argument names) that logs every key it receives, one line each: "down 0x76". Given its
// settings file, it keeps the file as the IDE does: taken up again whenever its write time
// changes, and written whole again when a test asks it to save (WM_COPYDATA, kSaveSettings),
// with one key of section Compiler changed ("KEY=VALUE") or none (empty).
//
//   stand_in_ide.exe LOG [CLASS [SETTINGS]]
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "ide_settings.h"
#include "stand_in_ide.h"

namespace {

constexpr UINT_PTR kReloadTimer = 1;
constexpr UINT kReloadPeriodMs = 200;

HANDLE keyLog = INVALID_HANDLE_VALUE;
std::optional<support::IdeSettings> settings;

void LogKey(UINT message, WPARAM key) {
    char line[32];
    const int length =
        std::snprintf(line, sizeof line, "%s 0x%02X\n", message == WM_KEYDOWN ? "down" : "up",
                      static_cast<unsigned>(key));
    DWORD written = 0;
    WriteFile(keyLog, line, static_cast<DWORD>(length), &written, nullptr);
}

// The IDE saves what it holds, so it takes up a change on disk first.
LRESULT Save(const COPYDATASTRUCT& request) {
    if (!settings || request.dwData != kSaveSettings)
        return FALSE;
    settings->Reload();
    const std::wstring change(static_cast<const wchar_t*>(request.lpData),
                              request.cbData / sizeof(wchar_t));
    if (const std::size_t equals = change.find(L'='); equals != std::wstring::npos)
        settings->Set(change.substr(0, equals), change.substr(equals + 1));
    return settings->Save();
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        LogKey(message, wParam);
        return 0;
    case WM_TIMER:
        if (settings)
            settings->Reload();
        return 0;
    case WM_COPYDATA:
        return Save(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const std::wstring className = argc > 2 ? argv[2] : L"WinFBE_Class";
    if (argc > 3)
        settings.emplace(argv[3]);
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
    SetTimer(window, kReloadTimer, kReloadPeriodMs, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

// The bare window of the start-up benchmark: one window and its message loop. Built with
// BENCH_TIMER it is the timer floor of the tick benchmark: a 100 ms timer that does nothing.
#include <windows.h>

namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
#ifdef BENCH_TIMER
    case WM_CREATE:
        SetTimer(window, 1105, 100, nullptr);
        return 0;
    case WM_TIMER:
        return 0;
#endif
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = BareProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BenchBareWindow";
    RegisterClassExW(&windowClass);
    const HWND window = CreateWindowExW(0, L"BenchBareWindow", L"Bare", WS_OVERLAPPEDWINDOW, 100,
                                        100, 240, 320, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

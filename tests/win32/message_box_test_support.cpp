#include "message_box_test_support.h"

#include <thread>

#include "handles.h"
#include "show_message.h"

namespace {

using MemoryDc = handles_detail::Owner<HDC, &DeleteDC>;
using Bitmap = handles_detail::Owner<HBITMAP, &DeleteObject>;

constexpr wchar_t kBoxClass[] = L"DlgMsgBoxWindow";
constexpr wchar_t kCallerClass[] = L"MessageBoxTestCaller";
constexpr WPARAM kRescueExitCode = 0x5AFE;
constexpr UINT kQuitRequest = WM_APP + 1;
constexpr UINT kDestroyRequest = WM_APP + 2;

HWND VisibleBox() {
    const HWND box = FindWindowW(kBoxClass, nullptr);
    return box && IsWindowVisible(box) ? box : nullptr;
}

BOOL CALLBACK AddChildControl(HWND child, LPARAM list) {
    wchar_t className[64] = {};
    wchar_t text[512] = {};
    GetClassNameW(child, className, 64);
    GetWindowTextW(child, text, 512);
    reinterpret_cast<std::vector<ChildControl>*>(list)->push_back({className, text, child});
    return TRUE;
}

void DrainRescueQuit() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

} // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD boundMs) {
    const ULONGLONG deadline = GetTickCount64() + boundMs;
    while (!condition()) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(10);
    }
    return true;
}

DrivenBox ShowDrivenBox(const BoxArguments& arguments, const std::function<void(HWND)>& drive) {
    DrivenBox result;
    const DWORD boxThread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND box = nullptr;
        result.appeared = WaitFor([&] { return (box = VisibleBox()) != nullptr; });
        if (result.appeared) {
            drive(box);
            result.closedByDriver = WaitFor([&] { return !IsWindow(box); });
        }
        if (!result.closedByDriver)
            PostThreadMessageW(boxThread, WM_QUIT, kRescueExitCode, 0);
    });
    HWND owner = arguments.owner;
    const std::int32_t buttonPoints = 10;
    const std::int32_t reserved = 0;
    result.returned =
        DLGMSGBOX(&owner, arguments.text.c_str(), arguments.caption.c_str(), &arguments.style,
                  &buttonPoints, L"Segoe UI", &arguments.fontPoints, &reserved, &kPanelColour);
    driver.join();
    if (!result.closedByDriver)
        DrainRescueQuit();
    return result;
}

std::vector<ChildControl> ChildControls(HWND box) {
    std::vector<ChildControl> controls;
    EnumChildWindows(box, AddChildControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

HWND ChildOfClass(HWND box, const wchar_t* className) {
    for (const auto& control : ChildControls(box)) {
        if (lstrcmpiW(control.className.c_str(), className) == 0)
            return control.handle;
    }
    return nullptr;
}

void PressKey(HWND box, WPARAM key) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
    const HWND target = info.hwndFocus ? info.hwndFocus : box;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), 0)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, scan | 1);
}

CallerWindow::CallerWindow(RECT where) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = kCallerClass;
    RegisterClassExW(&windowClass);
    window_ =
        CreateWindowExW(0, kCallerClass, L"Caller", WS_OVERLAPPEDWINDOW | WS_VISIBLE, where.left,
                        where.top, where.right - where.left, where.bottom - where.top, nullptr,
                        nullptr, GetModuleHandleW(nullptr), this);
}

CallerWindow::~CallerWindow() {
    if (IsWindow(window_))
        DestroyWindow(window_);
    UnregisterClassW(kCallerClass, GetModuleHandleW(nullptr));
}

void CallerWindow::StartTimer(UINT ms) {
    SetTimer(window_, 1, ms, nullptr);
}

void CallerWindow::AskToQuit(int exitCode) const {
    PostMessageW(window_, kQuitRequest, static_cast<WPARAM>(exitCode), 0);
}

void CallerWindow::AskToDestroy() const {
    PostMessageW(window_, kDestroyRequest, 0, 0);
}

LRESULT CALLBACK CallerWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CallerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_TIMER:
        if (self)
            ++self->ticks_;
        return 0;
    case kQuitRequest:
        PostQuitMessage(static_cast<int>(wParam));
        return 0;
    case kDestroyRequest:
        DestroyWindow(window);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

ClientPixels CaptureClient(HWND window) {
    ClientPixels capture;
    RECT client{};
    GetClientRect(window, &client);
    capture.width = client.right;
    capture.height = client.bottom;
    if (capture.width <= 0 || capture.height <= 0)
        return capture;
    const WindowDc windowDc(window);
    const MemoryDc memoryDc(CreateCompatibleDC(windowDc.get()));
    const Bitmap bitmap(CreateCompatibleBitmap(windowDc.get(), capture.width, capture.height));
    {
        const SelectedObject selected(memoryDc.get(), bitmap.get());
        BitBlt(memoryDc.get(), 0, 0, capture.width, capture.height, windowDc.get(), 0, 0, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> raw(static_cast<size_t>(capture.width * capture.height));
    GetDIBits(memoryDc.get(), bitmap.get(), 0, static_cast<UINT>(capture.height), raw.data(), &info,
              DIB_RGB_COLORS);
    capture.pixels.reserve(raw.size());
    for (const DWORD bgrx : raw)
        capture.pixels.push_back(RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF));
    return capture;
}

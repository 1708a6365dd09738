// Drives a real box of DlgMsgBox.dll from a second thread, as a person at the screen would.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

inline constexpr std::int32_t kPanelColour = 0x98D3FF;

struct BoxArguments {
    HWND owner = nullptr;
    std::wstring text = L"The given WinFBE ini file does not exist.";
    std::wstring caption = L"MWK III";
    std::int32_t style = 0x2030;
    std::int32_t fontPoints = 10;
};

struct DrivenBox {
    std::int32_t returned = 0;
    bool appeared = false;
    bool closedByDriver = false; // false: the driver had to end it with a quit message
};

// Calls DLGMSGBOX on this thread; once the box is visible, `drive` runs on a second thread
// with the box's handle. Every wait is bounded; a box that outlives its driver is ended.
DrivenBox ShowDrivenBox(const BoxArguments& arguments, const std::function<void(HWND)>& drive);

// Polls the condition every 10 ms until it holds or the bound passes.
bool WaitFor(const std::function<bool()>& condition, DWORD boundMs = 5000);

struct ChildControl {
    std::wstring className;
    std::wstring text;
    HWND handle = nullptr;
};
std::vector<ChildControl> ChildControls(HWND box);
HWND ChildOfClass(HWND box, const wchar_t* className);

// Presses a key in the box: a key-down to the window that has the keyboard focus.
void PressKey(HWND box, WPARAM key);

// A plain top-level window of the calling thread, counting its WM_TIMER messages.
class CallerWindow {
  public:
    explicit CallerWindow(RECT where = {100, 100, 500, 400});
    ~CallerWindow();
    CallerWindow(const CallerWindow&) = delete;
    CallerWindow& operator=(const CallerWindow&) = delete;
    HWND handle() const { return window_; }
    int Ticks() const { return ticks_.load(); }
    void StartTimer(UINT ms);
    // Asks the window, on its own thread, to post a quit message or to destroy itself.
    void AskToQuit(int exitCode) const;
    void AskToDestroy() const;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::atomic<int> ticks_{0};
};

// The pixels of a window's client area, read from the screen, as COLORREF values.
struct ClientPixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};
ClientPixels CaptureClient(HWND window);

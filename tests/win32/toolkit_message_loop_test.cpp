#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry.h"
#include "toolkit_test_support.h"
#include "window_object.h"

namespace {

constexpr UINT kOpenInner = WM_APP + 1;
constexpr int kInnerExit = 7;
constexpr int kOuterExit = 9;
constexpr int kTimedOut = -99;

// Every loop under test ends within this bound: the watchdog posts a quit message on
// each tick until the test kills it, so nested loops all come out.
class Watchdog {
  public:
    Watchdog() : timer_(SetTimer(nullptr, 0, 5000, Bark)) {}
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    ~Watchdog() { KillTimer(nullptr, timer_); }

  private:
    static void CALLBACK Bark(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(kTimedOut); }
    UINT_PTR timer_;
};

std::vector<std::string> Events;
int InnerResult = 0;

LRESULT CALLBACK InnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        Events.push_back("inner destroyed");
        PostQuitMessage(kInnerExit);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// As the input box does: a second window object with its own loop inside a handler.
void OnOpenInner(HWND outer) {
    WindowObject inner;
    WindowSpec spec = PlainWindow();
    spec.parent = outer;
    spec.windowProc = InnerProc;
    if (!inner.Create(spec))
        return;
    PostMessageW(inner.hWindow, WM_CLOSE, 0, 0);
    InnerResult = inner.RunMessageLoop(0);
    Events.push_back(IsWindow(outer) ? "inner loop returned, outer alive" : "outer gone");
    PostMessageW(outer, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK OuterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kOpenInner:
        OnOpenInner(window);
        return 0;
    case WM_DESTROY:
        Events.push_back("outer destroyed");
        PostQuitMessage(kOuterExit);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ToolkitMessageLoop, InnerLoopTakesItsQuitAndTheOuterGoesOn) {
    const Watchdog watchdog;
    Events.clear();
    WindowObject outer;
    WindowSpec spec = PlainWindow();
    spec.windowProc = OuterProc;
    const WindowGuard window(outer.Create(spec));
    ASSERT_TRUE(window.get());
    PostMessageW(window.get(), kOpenInner, 0, 0);
    const int outerResult = outer.RunMessageLoop(0);
    EXPECT_EQ(InnerResult, kInnerExit) << "the inner loop did not return its own exit code";
    EXPECT_EQ(outerResult, kOuterExit) << "the outer loop did not go on to its own quit";
    const std::vector<std::string> expected = {
        "inner destroyed", "inner loop returned, outer alive", "outer destroyed"};
    EXPECT_EQ(Events, expected);
}

TEST(ToolkitMessageLoop, ShowsTheWindowAndReturnsTheQuitCode) {
    const Watchdog watchdog;
    WindowObject object;
    const WindowGuard window(object.Create(PlainWindow()));
    ASSERT_TRUE(window.get());
    EXPECT_FALSE(IsWindowVisible(window.get()));
    PostQuitMessage(42);
    EXPECT_EQ(object.RunMessageLoop(0), 42);
    EXPECT_TRUE(IsWindowVisible(window.get())) << "show command 0 did not show the window";
}

TEST(ToolkitMessageLoop, WithoutWindowReturnsAtOnce) {
    WindowObject object;
    EXPECT_EQ(object.RunMessageLoop(0), 0);
}

TEST(ToolkitMessageLoop, DialogNavigationGoesThroughIsDialogMessage) {
    const Watchdog watchdog;
    WindowObject object;
    WindowSpec spec = PlainWindow();
    spec.exStyle = WS_EX_CONTROLPARENT;
    const WindowGuard window(object.Create(spec));
    ASSERT_TRUE(window.get());
    const HWND first = object.AddControl({.keyword = L"Button", .id = 1, .text = L"One"});
    const HWND second =
        object.AddControl({.keyword = L"Button", .id = 2, .text = L"Two", .x = 100});
    ShowWindow(window.get(), SW_SHOW);
    SetForegroundWindow(window.get());
    SetFocus(first);
    ASSERT_EQ(GetFocus(), first);
    PostMessageW(first, WM_KEYDOWN, VK_TAB, 0);
    PostQuitMessage(0);
    object.RunMessageLoop(0);
    EXPECT_EQ(GetFocus(), second) << "Tab in the loop did not move to the next control";
}

struct CloseCase {
    const char* what;
    UINT message;
    WPARAM wParam;
    bool closes;
};

TEST(ToolkitMessageLoop, DefaultWindowProcClosesOnCancelAndSystemClose) {
    const CloseCase cases[] = {
        {"IDCANCEL clicked", WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), true},
        {"IDCANCEL with a notification", WM_COMMAND, MAKEWPARAM(IDCANCEL, 1), false},
        {"IDOK clicked", WM_COMMAND, MAKEWPARAM(IDOK, 0), false},
        {"system Close", WM_SYSCOMMAND, SC_CLOSE, true},
        {"system Close with mouse bits", WM_SYSCOMMAND, SC_CLOSE | 0x2, true},
        {"system Minimize", WM_SYSCOMMAND, SC_MINIMIZE, false},
    };
    for (const CloseCase& c : cases) {
        const Watchdog watchdog;
        WindowObject object;
        WindowSpec spec = PlainWindow();
        spec.windowProc = DefaultWindowProc;
        const WindowGuard window(object.Create(spec));
        ASSERT_TRUE(window.get());
        PostMessageW(window.get(), c.message, c.wParam, 0);
        if (!c.closes)
            PostMessageW(window.get(), WM_NULL, 0, 0), PostQuitMessage(5);
        const int result = object.RunMessageLoop(0);
        EXPECT_EQ(!IsWindow(window.get()), c.closes)
            << c.what << (c.closes ? " left the window open" : " closed the window");
        EXPECT_EQ(result, c.closes ? 0 : 5) << c.what;
    }
}

} // namespace

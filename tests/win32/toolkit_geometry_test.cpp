#include <gtest/gtest.h>

#include "geometry.h"
#include "toolkit_test_support.h"
#include "window_object.h"

namespace {

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

struct ClientCase {
    const char* what;
    DWORD style;
    bool menu;
};

TEST(ToolkitGeometry, SetClientSizeGivesTheScaledClientArea) {
    WindowObject object;
    // 200 x 100 unscaled: exactly that at 96 DPI, 300 x 150 at 144.
    const SIZE expected = object.dpi == 144 ? SIZE{300, 150} : SIZE{200, 100};
    ASSERT_TRUE(object.dpi == 96 || object.dpi == 144) << "no expectation at " << object.dpi;
    const ClientCase cases[] = {
        {"a popup with caption", WS_POPUP | WS_CAPTION | WS_SYSMENU, false},
        {"an overlapped window", WS_OVERLAPPEDWINDOW, false},
        {"a window with scroll bars", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, false},
        {"a window with a menu", WS_OVERLAPPEDWINDOW, true},
    };
    for (const ClientCase& c : cases) {
        WindowSpec spec = PlainWindow();
        spec.style = c.style;
        WindowObject each;
        const WindowGuard window(each.Create(spec));
        ASSERT_TRUE(window.get());
        if (c.menu) {
            HMENU menu = CreateMenu();
            AppendMenuW(menu, MF_STRING, 1, L"&File");
            SetMenu(window.get(), menu); // destroyed with the window
        }
        EXPECT_TRUE(SetClientSize(window.get(), 200, 100, each.ratioX, each.ratioY));
        RECT client{};
        GetClientRect(window.get(), &client);
        EXPECT_TRUE(client.right == expected.cx && client.bottom == expected.cy)
            << c.what << " has a client area of " << client.right << " x " << client.bottom
            << ", expected " << expected.cx << " x " << expected.cy;
    }
}

TEST(ToolkitGeometry, CenterWindowOnTheWorkArea) {
    WindowObject object;
    const WindowGuard window(object.Create(PlainWindow(0, 0, 200, 100)));
    ASSERT_TRUE(window.get());
    EXPECT_TRUE(CenterWindow(window.get(), nullptr));
    const RECT work = WorkArea();
    RECT placed{};
    GetWindowRect(window.get(), &placed);
    const LONG width = placed.right - placed.left;
    const LONG height = placed.bottom - placed.top;
    EXPECT_EQ(placed.left, work.left + (work.right - work.left - width) / 2)
        << "work area " << Describe(work) << ", window " << Describe(placed);
    EXPECT_EQ(placed.top, work.top + (work.bottom - work.top - height) / 2)
        << "work area " << Describe(work) << ", window " << Describe(placed);
}

TEST(ToolkitGeometry, CenterWindowOnAReferencePushedBackInsideTheWorkArea) {
    const RECT work = WorkArea();
    const WindowGuard reference(CreateWindowExW(0, L"Static", L"", WS_POPUP, work.right - 100,
                                                work.top + 200, 100, 80, nullptr, nullptr, nullptr,
                                                nullptr));
    WindowObject object;
    const WindowGuard window(object.Create(PlainWindow(0, 0, 300, 40)));
    ASSERT_TRUE(reference.get() && window.get());
    EXPECT_TRUE(CenterWindow(window.get(), reference.get()));
    RECT placed{};
    GetWindowRect(window.get(), &placed);
    const LONG height = placed.bottom - placed.top;
    EXPECT_EQ(placed.right, work.right)
        << "centred on the reference it would stick out: " << Describe(placed) << " on "
        << Describe(work);
    EXPECT_EQ(placed.top, work.top + 200 + (80 - height) / 2) << Describe(placed);
}

TEST(ToolkitGeometry, CenterWindowPlacesAChildInItsParentsClientCoordinates) {
    WindowObject object;
    const WindowGuard parent(object.Create(PlainWindow(100, 80, 400, 300)));
    ASSERT_TRUE(parent.get());
    const HWND child = object.AddControl(
        {.keyword = L"Label", .text = L"child", .x = 0, .y = 0, .width = 100, .height = 50});
    ASSERT_TRUE(child);
    EXPECT_TRUE(CenterWindow(child, parent.get()));
    RECT frame{};
    GetWindowRect(parent.get(), &frame);
    RECT childRect{};
    GetWindowRect(child, &childRect);
    const LONG width = childRect.right - childRect.left;
    const LONG height = childRect.bottom - childRect.top;
    POINT expected{frame.left + (frame.right - frame.left - width) / 2,
                   frame.top + (frame.bottom - frame.top - height) / 2};
    ScreenToClient(parent.get(), &expected);
    const RECT placed = RectInParent(child);
    EXPECT_TRUE(placed.left == expected.x && placed.top == expected.y)
        << "the child is at " << Describe(placed) << " in client coordinates, expected ("
        << expected.x << ", " << expected.y << ")";
}

} // namespace

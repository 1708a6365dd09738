// The window toolkit on a real desktop under Wine, at 96 DPI and again at 144 DPI: scaling by
// the screen's DPI, fonts, class registration, controls and the client size.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "geometry.h"
#include "message_loop.h"
#include "scaling.h"
#include "support.h"
#include "window_object.h"

namespace {

RECT Placed(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

TEST(WindowObject, ScalesByTheScreenDpiAndGivesItsWindowsTheirFontAndClass) {
    const int dpi = support::ScreenDpi();
    const auto scaled = [&](int value) { return ScaleValue(value, dpi / 96.0f); };
    auto byDefault = std::make_unique<WindowObject>();
    WindowObject object;
    EXPECT_EQ(object.dpi, dpi);
    ASSERT_TRUE(object.SetFont(L"Tahoma", 8));
    const HWND window = object.Create({.caption = L"toolkit",
                                       .windowProc = DefaultWindowProc,
                                       .x = 15,
                                       .y = 30,
                                       .width = 200,
                                       .height = 100,
                                       .style = WS_POPUP | WS_CAPTION});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(object.Create({.windowProc = DefaultWindowProc}), nullptr) << "a second window";
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, scaled(15));
    EXPECT_EQ(r.bottom - r.top, scaled(100));
    SetClientSize(window, 200, 100, object.ratioX, object.ratioY);
    GetClientRect(window, &r);
    EXPECT_EQ(r.right, scaled(200));
    EXPECT_EQ(r.bottom, scaled(100));

    const HWND option = object.AddControl({.keyword = L"oPtIoN",
                                           .id = 7,
                                           .text = L"o",
                                           .x = 15,
                                           .y = 30,
                                           .width = 100,
                                           .height = 20});
    EXPECT_EQ(GetDlgItem(window, 7), option);
    const RECT at = Placed(option);
    EXPECT_EQ(at.left, scaled(15));
    EXPECT_EQ(at.top, scaled(30));
    EXPECT_EQ(at.right - at.left, scaled(100));
    EXPECT_EQ(FontOf(option).lfHeight, -MulDiv(8, dpi, 72));
    EXPECT_EQ(SendMessageW(object.AddControl({.keyword = L"Line"}), WM_GETFONT, 0, 0), 0);
    EXPECT_EQ(object.AddControl({.keyword = L""}), nullptr);

    const HWND other = byDefault->Create({.windowProc = DefaultWindowProc});
    const std::wstring otherClass = ClassOf(other);
    EXPECT_EQ(otherClass.substr(0, 14), L"FBWindowClass:");
    EXPECT_NE(otherClass, ClassOf(window));
    const HWND label = byDefault->AddControl({.keyword = L"Label", .text = L"label"});
    EXPECT_EQ(std::wstring(FontOf(label).lfFaceName), L"Segoe UI");
    EXPECT_EQ(FontOf(label).lfHeight, -MulDiv(9, dpi, 72));
    DestroyWindow(other);
    byDefault.reset();
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), otherClass.c_str(), &info))
        << "the class outlived its object";
    DestroyWindow(window);
}

} // namespace

// The window toolkit on a real desktop under Wine, at 96 DPI and again at 144 DPI: windows and
// controls scaled by the screen's DPI, in the object's font or, without one, the default.
#include <windows.h>

#include <gtest/gtest.h>

#include "geometry.h"
#include "message_loop.h"
#include "scaling.h"
#include "support.h"
#include "window_object.h"

namespace {

LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

TEST(WindowObject, ScalesByTheScreenDpiInItsFontOrTheDefaultOne) {
    const int dpi = support::ScreenDpi();
    const auto scaled = [&](int value) { return ScaleValue(value, dpi / 96.0f); };
    for (const bool tahoma : {true, false}) {
        WindowObject object;
        ASSERT_TRUE(!tahoma || object.SetFont(L"Tahoma", 8));
        const HWND window = object.Create({.windowProc = DefaultWindowProc,
                                           .x = 15,
                                           .y = 30,
                                           .width = 200,
                                           .height = 100,
                                           .style = WS_POPUP});
        SetClientSize(window, 150, 80, object.ratioX, object.ratioY);
        const HWND option = object.AddControl(
            {.keyword = L"oPtIoN", .id = 7, .x = 15, .y = 30, .width = 100, .height = 20});
        RECT r{};
        GetWindowRect(window, &r);
        EXPECT_EQ(r.left, scaled(15));
        GetClientRect(window, &r);
        EXPECT_EQ(r.right, scaled(150));
        EXPECT_EQ(r.bottom, scaled(80));
        GetWindowRect(option, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.top, scaled(30));
        EXPECT_EQ(r.right - r.left, scaled(100));
        EXPECT_EQ(GetDlgItem(window, 7), option);
        EXPECT_EQ(FontOf(option).lfHeight, -MulDiv(tahoma ? 8 : 9, dpi, 72));
        EXPECT_EQ(std::wstring(FontOf(option).lfFaceName), tahoma ? L"Tahoma" : L"Segoe UI");
        DestroyWindow(window);
    }
}

} // namespace

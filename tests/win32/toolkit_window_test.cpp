#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "toolkit_test_support.h"
#include "window_object.h"

namespace {

// What the toolkit must give at each DPI the tests run at.
struct AtDpi {
    int dpi;
    float ratio;
    RECT window;     // PlainWindow() at (10, 20), 400 x 300
    RECT label;      // a label at (15, 30), 100 x 20
    RECT button;     // a button at (0, 0), 75 x 23: two halves that go to even
    LONG heightOf8;  // lfHeight of an 8-point font
    LONG heightOf9;  // 9 points
    LONG heightOf12; // 12 points
};

const AtDpi kAtDpi[] = {
    {96, 1.0f, {10, 20, 410, 320}, {15, 30, 115, 50}, {0, 0, 75, 23}, -11, -12, -16},
    {144, 1.5f, {15, 30, 615, 480}, {22, 45, 172, 75}, {0, 0, 112, 34}, -16, -18, -24},
};

const AtDpi* Expected() {
    for (const AtDpi& row : kAtDpi) {
        if (row.dpi == ScreenDpi())
            return &row;
    }
    ADD_FAILURE() << "the screen runs at " << ScreenDpi() << " DPI, which no test expects";
    return nullptr;
}

TEST(ToolkitDpi, TheScreenRunsAtTheDpiTheWrapperWasAskedFor) {
    EXPECT_EQ(ScreenDpi(), RequestedDpi()) << "LogPixels was not applied to this Wine session";
}

TEST(ToolkitDpi, RatiosFollowTheSystemDpiOfAnAwareProcess) {
    const AtDpi* expected = Expected();
    ASSERT_TRUE(expected);
    ASSERT_TRUE(IsDpiAwareProcess()) << "the test program's manifest declares it DPI-aware";
    const WindowObject object;
    EXPECT_EQ(object.dpi, expected->dpi);
    EXPECT_EQ(object.ratioX, expected->ratio);
    EXPECT_EQ(object.ratioY, expected->ratio);
}

TEST(ToolkitDpi, SetDpiTakesARequestedValueOrTheSystems) {
    WindowObject object;
    object.SetDpi(120.0f);
    EXPECT_EQ(object.dpi, 120);
    EXPECT_EQ(object.ratioX, 1.25f);
    EXPECT_EQ(object.ratioY, 1.25f);
    object.SetDpi(-1.0f);
    EXPECT_EQ(object.dpi, ScreenDpi());
    EXPECT_EQ(object.ratioX, static_cast<float>(ScreenDpi()) / 96.0f);
}

TEST(ToolkitWindowObject, DefaultFontIsSegoeUi9FromVistaOn) {
    const WindowObject object;
    const int version = OsVersion();
    EXPECT_GE(version, 600) << "Wine reports a Windows version from Vista on";
    EXPECT_STREQ(object.fontName(), L"Segoe UI");
    EXPECT_EQ(object.fontSize(), 9);
}

struct FontCase {
    const wchar_t* face; // null: no SetFont, the default font
    int points;
    const wchar_t* expectedFace;
    LONG AtDpi::*expectedHeight;
};

TEST(ToolkitWindowObject, FontHeightsOfTheWindowAndItsControls) {
    const AtDpi* expected = Expected();
    ASSERT_TRUE(expected);
    const FontCase cases[] = {
        {nullptr, 0, L"Segoe UI", &AtDpi::heightOf9},
        {L"Tahoma", 8, L"Tahoma", &AtDpi::heightOf8},
        {L"Tahoma", 12, L"Tahoma", &AtDpi::heightOf12},
        {L"", 8, L"Segoe UI", &AtDpi::heightOf8}, // an empty face keeps the current one
    };
    for (const FontCase& c : cases) {
        WindowObject object;
        if (c.face) {
            ASSERT_TRUE(object.SetFont(c.face, c.points, FW_NORMAL, false, false, false, 1));
        }
        const WindowGuard window(object.Create(PlainWindow()));
        ASSERT_TRUE(window.get());
        const HWND label = object.AddControl({.keyword = L"Label", .text = L"x"});
        for (HWND target : {window.get(), label}) {
            const LOGFONTW font = FontOf(target);
            EXPECT_EQ(font.lfHeight, expected->*c.expectedHeight)
                << "a " << c.points << "-point font at " << expected->dpi << " DPI";
            EXPECT_STREQ(font.lfFaceName, c.expectedFace);
            EXPECT_EQ(font.lfOutPrecision, OUT_TT_PRECIS);
        }
    }
}

TEST(ToolkitWindowObject, WindowAndControlRectanglesAreScaled) {
    const AtDpi* expected = Expected();
    ASSERT_TRUE(expected);
    WindowObject object;
    const WindowGuard window(object.Create(PlainWindow()));
    ASSERT_TRUE(window.get());
    RECT frame{};
    GetWindowRect(window.get(), &frame);
    EXPECT_TRUE(SameRect(frame, expected->window)) << "the window is at " << Describe(frame);

    struct Placed {
        const wchar_t* keyword;
        int x, y, width, height;
        RECT AtDpi::*rect;
    };
    const Placed controls[] = {
        {L"Label", 15, 30, 100, 20, &AtDpi::label},
        {L"Button", 0, 0, 75, 23, &AtDpi::button},
    };
    for (const Placed& c : controls) {
        const HWND control = object.AddControl(
            {.keyword = c.keyword, .x = c.x, .y = c.y, .width = c.width, .height = c.height});
        ASSERT_TRUE(control);
        EXPECT_EQ(GetParent(control), window.get()) << "a null parent means the object's window";
        const RECT placed = RectInParent(control);
        EXPECT_TRUE(SameRect(placed, expected->*c.rect))
            << "the " << (c.keyword[0] == L'L' ? "label" : "button") << " is at "
            << Describe(placed) << ", expected " << Describe(expected->*c.rect);
    }
}

TEST(ToolkitWindowObject, SizeGripSitsInTheWindowsBottomRightCorner) {
    WindowObject object;
    const WindowGuard window(object.Create(PlainWindow()));
    ASSERT_TRUE(window.get());
    const HWND grip =
        object.AddControl({.keyword = L"SizeGrip", .x = 5, .y = 5, .width = 10, .height = 10});
    ASSERT_TRUE(grip);
    RECT client{};
    GetClientRect(window.get(), &client);
    const RECT placed = RectInParent(grip);
    // Unscaling the corner and scaling it back may land one pixel off at fractional ratios;
    // the size box then aligns itself on that corner.
    EXPECT_NEAR(placed.right, client.right, 1) << "grip at " << Describe(placed);
    EXPECT_NEAR(placed.bottom, client.bottom, 1) << "grip at " << Describe(placed);
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[260] = {};
    GetClassNameW(window, name, 260);
    return name;
}

// The counter is process-wide, so the tests read where it stands instead of assuming 0.
unsigned CounterIn(const wchar_t* className) {
    const std::wstring name = className;
    const std::wstring prefix = L"FBWindowClass:";
    EXPECT_EQ(name.substr(0, prefix.size()), prefix);
    return static_cast<unsigned>(std::wcstoul(name.c_str() + prefix.size(), nullptr, 10));
}

bool ClassIsRegistered(const std::wstring& name) {
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    return GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &info) != FALSE;
}

TEST(ToolkitWindowObject, ClassesAreNumberedAcrossObjectsAndFreedWithTheirObject) {
    WindowObject first;
    const WindowGuard firstWindow(first.Create(PlainWindow()));
    ASSERT_TRUE(firstWindow.get());
    const unsigned n = CounterIn(first.className());
    EXPECT_EQ(ClassNameOf(firstWindow.get()), first.className());
    EXPECT_NE(first.classAtom(), 0);

    const std::wstring secondName = L"FBWindowClass:" + std::to_wstring(n + 1);
    {
        WindowObject second;
        const HWND secondWindow = second.Create(PlainWindow());
        ASSERT_TRUE(secondWindow);
        EXPECT_EQ(std::wstring(second.className()), secondName);
        DestroyWindow(secondWindow);
        EXPECT_TRUE(ClassIsRegistered(secondName));
    }
    EXPECT_FALSE(ClassIsRegistered(secondName)) << "the second object left its class registered";

    WindowObject third;
    const WindowGuard thirdWindow(third.Create(PlainWindow()));
    EXPECT_EQ(CounterIn(third.className()), n + 2) << "the counter does not reuse numbers";
}

TEST(ToolkitWindowObject, SecondCreateOnTheSameObjectDoesNothing) {
    WindowObject object;
    const WindowGuard window(object.Create(PlainWindow()));
    ASSERT_TRUE(window.get());
    const unsigned n = CounterIn(object.className());
    EXPECT_EQ(object.Create(PlainWindow()), nullptr);
    EXPECT_EQ(object.hWindow, window.get());
    EXPECT_EQ(CounterIn(object.className()), n);

    WindowObject next;
    const WindowGuard nextWindow(next.Create(PlainWindow()));
    EXPECT_EQ(CounterIn(next.className()), n + 1) << "the second Create registered a class";
}

TEST(ToolkitWindowObject, WindowPointsBackAtItsObjectAcrossMoves) {
    WindowObject original;
    const WindowGuard window(original.Create(PlainWindow()));
    ASSERT_TRUE(window.get());
    EXPECT_EQ(GetWindowLongPtrW(window.get(), 0), reinterpret_cast<LONG_PTR>(&original));
    const std::wstring name = original.className();

    WindowObject moved(std::move(original));
    EXPECT_EQ(moved.hWindow, window.get());
    EXPECT_EQ(GetWindowLongPtrW(window.get(), 0), reinterpret_cast<LONG_PTR>(&moved));
    {
        WindowObject assigned;
        assigned = std::move(moved);
        EXPECT_EQ(GetWindowLongPtrW(window.get(), 0), reinterpret_cast<LONG_PTR>(&assigned));
        EXPECT_EQ(assigned.font(),
                  reinterpret_cast<HFONT>(SendMessageW(window.get(), WM_GETFONT, 0, 0)));
        DestroyWindow(window.get());
    }
    EXPECT_FALSE(ClassIsRegistered(name)) << "the class went with the object that held it last";
}

TEST(ToolkitWindowObject, DestroyingTheObjectLeavesItsWindow) {
    HWND window = nullptr;
    {
        WindowObject object;
        window = object.Create(PlainWindow());
    }
    const WindowGuard guard(window);
    EXPECT_TRUE(IsWindow(window));
}

} // namespace

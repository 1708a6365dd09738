#include <gtest/gtest.h>

#include <string>

#include "message_box_test_support.h"

namespace {

void ClickOk(HWND box) {
    SendMessageW(ChildOfClass(box, L"Button"), BM_CLICK, 0, 0);
}

RECT ScreenRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT RectInClient(HWND child, HWND parent) {
    RECT rect = ScreenRectOf(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

struct ContentCase {
    const char* situation;
    std::wstring text;
    std::wstring caption;
    std::int32_t style;
};

TEST(BoxShows, ItsCaptionItsTextAndOneOkButton) {
    const ContentCase cases[] = {
        {"warning", L"The given WinFBE ini file does not exist.", L"MWK III", 0x2030},
        {"the one other caption", L"No preset match.", L"MWK", 0x2030},
        {"plain task-modal box", L"Marlwick is already running.", L"MWK III", 0x2000},
        {"text with an ampersand", L"Tom & Jerry", L"MWK III", 0x2030},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        std::wstring caption;
        std::vector<ChildControl> controls;
        BoxArguments arguments;
        arguments.text = c.text;
        arguments.caption = c.caption;
        arguments.style = c.style;
        const DrivenBox box = ShowDrivenBox(arguments, [&](HWND window) {
            wchar_t text[256] = {};
            GetWindowTextW(window, text, 256);
            caption = text;
            controls = ChildControls(window);
            ClickOk(window);
        });
        ASSERT_TRUE(box.appeared) << "no box appeared";
        EXPECT_EQ(Narrow(caption), Narrow(c.caption)) << "the box's caption";
        int textControls = 0;
        int buttons = 0;
        for (const auto& control : controls) {
            if (lstrcmpiW(control.className.c_str(), L"Static") == 0 && control.text == c.text)
                ++textControls;
            if (lstrcmpiW(control.className.c_str(), L"Button") == 0) {
                ++buttons;
                EXPECT_EQ(Narrow(control.text), "OK") << "the button's caption";
            }
        }
        EXPECT_EQ(textControls, 1) << "the box should show the text [" << Narrow(c.text) << "]";
        EXPECT_EQ(buttons, 1) << "the box should have exactly one button";
        EXPECT_EQ(box.returned, IDOK) << "DLGMSGBOX should answer IDOK";
    }
}

struct DismissCase {
    const char* how;
    void (*act)(HWND box);
};

TEST(BoxDismissal, OkEnterEscapeAndTheCloseButtonEachEndTheBox) {
    const DismissCase cases[] = {
        {"clicking OK", [](HWND box) { ClickOk(box); }},
        {"pressing Enter", [](HWND box) { PressKey(box, VK_RETURN); }},
        {"pressing Escape", [](HWND box) { PressKey(box, VK_ESCAPE); }},
        {"the caption's close button",
         [](HWND box) { PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& c : cases) {
        const DrivenBox box = ShowDrivenBox({}, c.act);
        ASSERT_TRUE(box.appeared) << c.how << ": no box appeared";
        EXPECT_TRUE(box.closedByDriver) << c.how << " left the box open";
        EXPECT_EQ(box.returned, IDOK) << c.how << ": DLGMSGBOX should answer IDOK";
    }
}

TEST(BoxModality, TheCallersTimerKeepsFiringWhileTheBoxIsOpen) {
    CallerWindow caller;
    caller.StartTimer(50);
    bool ticked = false;
    BoxArguments arguments;
    arguments.owner = caller.handle();
    const DrivenBox box = ShowDrivenBox(arguments, [&](HWND window) {
        const int before = caller.Ticks();
        ticked = WaitFor([&] { return caller.Ticks() >= before + 3; });
        ClickOk(window);
    });
    ASSERT_TRUE(box.appeared) << "no box appeared";
    EXPECT_TRUE(ticked) << "the caller's 50 ms timer stopped while the box was open";
}

struct ModalityCase {
    const char* situation;
    std::int32_t style;
    bool passOwner;
    bool otherWindowDisabledWhileOpen;
};

TEST(BoxModality, DisablesWhileOpenAndRestoresExactlyWhatItDisabled) {
    const ModalityCase cases[] = {
        {"task-modal box with owner", 0x2030, true, true},
        {"task-modal box without owner", 0x2000, false, true},
        {"box with owner, not task-modal", 0x0030, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        CallerWindow owner({100, 100, 500, 400});
        CallerWindow other({600, 100, 900, 400});
        CallerWindow alreadyDisabled({100, 500, 500, 700});
        EnableWindow(alreadyDisabled.handle(), FALSE);
        bool ownerEnabled = true;
        bool otherEnabled = true;
        bool disabledOneEnabled = true;
        bool boxEnabled = false;
        BoxArguments arguments;
        arguments.owner = c.passOwner ? owner.handle() : nullptr;
        arguments.style = c.style;
        const DrivenBox box = ShowDrivenBox(arguments, [&](HWND window) {
            ownerEnabled = IsWindowEnabled(owner.handle());
            otherEnabled = IsWindowEnabled(other.handle());
            disabledOneEnabled = IsWindowEnabled(alreadyDisabled.handle());
            boxEnabled = IsWindowEnabled(window);
            ClickOk(window);
        });
        ASSERT_TRUE(box.appeared) << "no box appeared";
        if (c.passOwner) {
            EXPECT_FALSE(ownerEnabled) << "the owner took input while the box was open";
        }
        EXPECT_EQ(otherEnabled, !c.otherWindowDisabledWhileOpen)
            << "another window of the caller was " << (otherEnabled ? "enabled" : "disabled")
            << " while the box was open";
        EXPECT_FALSE(disabledOneEnabled) << "a disabled window was enabled while the box was open";
        EXPECT_TRUE(boxEnabled) << "the box itself was disabled";
        EXPECT_TRUE(IsWindowEnabled(owner.handle())) << "the owner stayed disabled after the box";
        EXPECT_TRUE(IsWindowEnabled(other.handle())) << "another window stayed disabled";
        EXPECT_FALSE(IsWindowEnabled(alreadyDisabled.handle()))
            << "a window disabled before the box was enabled after it";
    }
}

TEST(BoxQuit, AQuitMessageEndsTheBoxAndStillReachesTheCallersLoop) {
    CallerWindow caller;
    BoxArguments arguments;
    arguments.owner = caller.handle();
    const DrivenBox box = ShowDrivenBox(arguments, [&](HWND) { caller.AskToQuit(42); });
    ASSERT_TRUE(box.appeared) << "no box appeared";
    EXPECT_TRUE(box.closedByDriver) << "the quit message did not end the box";
    MSG message{};
    const bool quitWaiting = PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_TRUE(quitWaiting) << "the caller's loop never got the quit message";
    if (quitWaiting) {
        EXPECT_EQ(message.wParam, 42u) << "the quit message lost its exit code";
    }
}

TEST(BoxQuit, TheOwnerDestroyedWhileTheBoxIsOpenEndsTheBox) {
    CallerWindow caller;
    BoxArguments arguments;
    arguments.owner = caller.handle();
    const DrivenBox box = ShowDrivenBox(arguments, [&](HWND) { caller.AskToDestroy(); });
    ASSERT_TRUE(box.appeared) << "no box appeared";
    EXPECT_TRUE(box.closedByDriver) << "the box outlived its destroyed owner";
    EXPECT_FALSE(IsWindow(caller.handle())) << "the owner was not destroyed";
}

struct FontCase {
    std::int32_t requested;
    int expectedPoints;
};

TEST(BoxLooks, TheTextUsesTheGivenFaceAtTheScaledSize) {
    const FontCase cases[] = {{10, 10}, {12, 12}, {15, 15}, {8, 8}, {0, 10}};
    const int dpi = ScreenDpi();
    for (const auto& c : cases) {
        LOGFONTW font{};
        BoxArguments arguments;
        arguments.fontPoints = c.requested;
        const DrivenBox box = ShowDrivenBox(arguments, [&](HWND window) {
            const HWND text = ChildOfClass(window, L"Static");
            const auto handle = reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0));
            GetObjectW(handle, sizeof font, &font);
            ClickOk(window);
        });
        ASSERT_TRUE(box.appeared) << "no box appeared";
        EXPECT_EQ(Narrow(font.lfFaceName), "Segoe UI") << "size " << c.requested;
        EXPECT_EQ(font.lfHeight, -MulDiv(c.expectedPoints, dpi, 72))
            << "size " << c.requested << " should show as " << c.expectedPoints << " points at "
            << dpi << " DPI";
    }
}

TEST(BoxLooks, TheWholeTextFitsItsControl) {
    const std::wstring texts[] = {
        L"Error1",
        L"'CompilerSwitches' in WinFBE.ini is empty.",
        L"Mutex Create failed with error code1450",
        std::wstring(L"A long message that has to wrap. ") + std::wstring(40, L'w') +
            L" and some more words after a very long one, to be sure it wraps twice or more.",
    };
    for (const auto& text : texts) {
        for (const std::int32_t points : {8, 15}) {
            RECT needed{};
            RECT given{};
            BoxArguments arguments;
            arguments.text = text;
            arguments.fontPoints = points;
            const DrivenBox box = ShowDrivenBox(arguments, [&](HWND window) {
                const HWND control = ChildOfClass(window, L"Static");
                GetClientRect(control, &given);
                const HDC dc = GetDC(control);
                const HGDIOBJ previous = SelectObject(
                    dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
                needed = given;
                DrawTextW(dc, text.c_str(), -1, &needed,
                          DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
                SelectObject(dc, previous);
                ReleaseDC(control, dc);
                ClickOk(window);
            });
            ASSERT_TRUE(box.appeared) << "no box appeared";
            EXPECT_TRUE(needed.right <= given.right && needed.bottom <= given.bottom)
                << "at " << points << " points the text [" << Narrow(text) << "] needs "
                << needed.right << "x" << needed.bottom << " but its control has " << given.right
                << "x" << given.bottom;
        }
    }
}

struct ColourCase {
    const char* situation;
    std::int32_t style;
    bool icon;
};

TEST(BoxLooks, TheColourPaintsBehindTheTextAndTheIconShowsForWarnings) {
    const ColourCase cases[] = {
        {"warning box", 0x2030, true},
        {"plain box", 0x2000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        ClientPixels pixels;
        RECT text{};
        BoxArguments arguments;
        arguments.style = c.style;
        const DrivenBox box = ShowDrivenBox(arguments, [&](HWND window) {
            text = RectInClient(ChildOfClass(window, L"Static"), window);
            WaitFor([&] {
                pixels = CaptureClient(window);
                return !pixels.pixels.empty() && pixels.At(1, 1) == kPanelColour &&
                       pixels.At(text.left, text.top) == kPanelColour;
            });
            ClickOk(window);
        });
        ASSERT_TRUE(box.appeared) << "no box appeared";
        ASSERT_FALSE(pixels.pixels.empty()) << "the box could not be read from the screen";
        EXPECT_EQ(pixels.At(1, 1), static_cast<COLORREF>(kPanelColour))
            << "the box's top-left corner is not in the given colour";

        int panelBottom = 0;
        while (panelBottom < pixels.height && pixels.At(1, panelBottom) == kPanelColour)
            ++panelBottom;
        EXPECT_GE(panelBottom, text.bottom) << "the coloured area ends above the text";

        int textBackground = 0;
        for (int y = text.top; y < text.bottom; ++y) {
            for (int x = text.left; x < text.right; ++x)
                textBackground += pixels.At(x, y) == kPanelColour;
        }
        const int textArea = (text.right - text.left) * (text.bottom - text.top);
        EXPECT_GT(textBackground * 2, textArea)
            << "only " << textBackground << " of " << textArea
            << " pixels behind the text are in the given colour";

        int markedLeftOfText = 0;
        for (int y = 0; y < panelBottom; ++y) {
            for (int x = 0; x < text.left; ++x)
                markedLeftOfText += pixels.At(x, y) != kPanelColour;
        }
        if (c.icon) {
            EXPECT_GT(markedLeftOfText, 100) << "no warning icon left of the text";
        } else {
            EXPECT_EQ(markedLeftOfText, 0) << "something is drawn left of the text";
        }
    }
}

struct PlacementCase {
    const char* situation;
    bool owner;
    RECT ownerRect;
    bool centredOnOwner;
};

TEST(BoxPlacement, CentredOnItsOwnerOrTheWorkAreaAndNeverOffScreen) {
    const RECT work = WorkArea();
    const PlacementCase cases[] = {
        {"no owner", false, {}, false},
        {"owner in the middle", true, {300, 200, 900, 700}, true},
        {"owner past the right edge", true, {work.right - 150, 200, work.right + 450, 600}, false},
        {"owner above the top edge", true, {300, work.top - 350, 900, work.top + 50}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        CallerWindow owner(c.owner ? c.ownerRect : RECT{100, 100, 300, 300});
        RECT boxRect{};
        BoxArguments arguments;
        arguments.owner = c.owner ? owner.handle() : nullptr;
        const DrivenBox box = ShowDrivenBox(arguments, [&](HWND window) {
            boxRect = ScreenRectOf(window);
            ClickOk(window);
        });
        ASSERT_TRUE(box.appeared) << "no box appeared";
        EXPECT_TRUE(boxRect.left >= work.left && boxRect.top >= work.top &&
                    boxRect.right <= work.right && boxRect.bottom <= work.bottom)
            << "the box at [" << boxRect.left << "," << boxRect.top << "," << boxRect.right << ","
            << boxRect.bottom << "] is not wholly inside the work area";
        const RECT anchor = c.owner ? ScreenRectOf(owner.handle()) : work;
        if (c.centredOnOwner || !c.owner) {
            EXPECT_NEAR(boxRect.left + boxRect.right, anchor.left + anchor.right, 1)
                << "the box is not centred across";
            EXPECT_NEAR(boxRect.top + boxRect.bottom, anchor.top + anchor.bottom, 1)
                << "the box is not centred from top to bottom";
        }
    }
}

} // namespace

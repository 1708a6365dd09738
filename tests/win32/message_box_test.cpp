// Our DlgMsgBox.dll, called through the program's adapter, on a real desktop under Wine: what
// the box shows, how it ends, and what it does to the caller's windows and message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "handles.h"
#include "show_message.h"
#include "support.h"

namespace {

constexpr COLORREF kPeach = 0x98D3FF;
std::function<void(HWND)> pendingAct;
HWND openBox = nullptr;
bool outlived = false; // the box stayed until the watchdog ended it

// Acts on the box, painted, once it shows; the box's own loop dispatches this thread timer.
void CALLBACK ActOnBox(HWND, UINT, UINT_PTR timer, DWORD) {
    openBox = FindWindowW(nullptr, L"MWK test");
    if (!openBox || !IsWindowVisible(openBox))
        return;
    KillTimer(nullptr, timer);
    RedrawWindow(openBox, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pendingAct(openBox);
}

// So that no test waits for ever on a box that its act failed to end.
void CALLBACK EndBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    outlived = true;
    ADD_FAILURE() << "the box was still open after " << support::kWaitMs << " ms";
    PostMessageW(openBox, WM_CLOSE, 0, 0);
}

// True when the act ended the box.
bool Show(std::function<void(HWND)> act, std::int32_t style = 0x2030, HWND owner = nullptr,
          std::int32_t size = 12) {
    pendingAct = std::move(act);
    openBox = nullptr;
    outlived = false;
    const UINT_PTR driver = SetTimer(nullptr, 0, 20, ActOnBox);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, support::kWaitMs, EndBox);
    ShowMessage({.owner = owner,
                 .text = L"Line one\nline two",
                 .caption = L"MWK test",
                 .style = style,
                 .fontSize = size});
    KillTimer(nullptr, driver);
    KillTimer(nullptr, watchdog);
    EXPECT_NE(openBox, nullptr) << "no box showed";
    return openBox && !outlived;
}

HWND Child(HWND box, const wchar_t* className, HWND after = nullptr) {
    return FindWindowExW(box, after, className, nullptr);
}

void ClickOk(HWND box) {
    PostMessageW(Child(box, L"Button"), BM_CLICK, 0, 0);
}

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

// The pixels left of the text, where the icon goes; none when only the box's colours are there.
std::vector<COLORREF> IconPixels(HWND box) {
    RECT text{};
    GetWindowRect(Child(box, L"Static"), &text);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&text), 2);
    const WindowDc dc(box);
    std::vector<COLORREF> pixels;
    bool drawn = false;
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = 0; x < text.left; ++x) {
            pixels.push_back(GetPixel(dc.get(), x, y));
            drawn =
                drawn || (pixels.back() != kPeach && pixels.back() != GetSysColor(COLOR_BTNFACE));
        }
    return drawn ? pixels : std::vector<COLORREF>();
}

// Each icon style shows an icon of its own (their values share bits), no style none; a size of 0
// is the size before the program knows its own.
TEST(Box, ShowsItsTextInItsFontAndColourBesideItsIconAboveOneOkButton) {
    const std::pair<std::int32_t, std::int32_t> boxes[] = {
        {0x2030, 12}, {0x2030, 0}, {0x2010, 12}, {0x2020, 12}, {0x2040, 12}, {0x2000, 12}};
    std::map<std::int32_t, std::vector<COLORREF>> icons;
    for (const auto& [style, size] : boxes)
        Show(
            [&](HWND box) {
                const HWND text = Child(box, L"Static");
                EXPECT_EQ(TextOf(text), L"Line one\nline two");
                wchar_t word[64] = L"OK"; // the system's own word, where it has one
                LoadStringW(GetModuleHandleW(L"user32.dll"), 800, word, 64);
                EXPECT_EQ(TextOf(Child(box, L"Button")), word);
                EXPECT_EQ(Child(box, L"Button", Child(box, L"Button")), nullptr) << "more than OK";
                LOGFONTW font{};
                GetObjectW(reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)),
                           sizeof font, &font);
                EXPECT_EQ(font.lfHeight, -MulDiv(size ? size : 10, support::ScreenDpi(), 72));
                EXPECT_EQ(std::wstring(font.lfFaceName), L"Segoe UI");
                RECT r{};
                GetClientRect(text, &r);
                EXPECT_EQ(GetPixel(WindowDc(text).get(), r.right - 1, r.bottom - 1), kPeach)
                    << "behind the text";
                icons[style] = IconPixels(box);
                ClickOk(box);
            },
            style, nullptr, size);
    EXPECT_TRUE(icons[0x2000].empty()) << "an icon without an icon style";
    std::set<std::vector<COLORREF>> distinct;
    for (const std::int32_t style : {0x2010, 0x2020, 0x2030, 0x2040})
        distinct.insert(icons[style]);
    EXPECT_TRUE(distinct.size() == 4 && !distinct.contains({}))
        << "an icon style without an icon of its own";
}

TEST(Box, OkEnterEscapeAndTheCloseButtonEachEndIt) {
    for (const auto key : {VK_RETURN, VK_ESCAPE})
        EXPECT_TRUE(Show([=](HWND box) {
            PostMessageW(Child(box, L"Button"), WM_KEYDOWN, key, 0x10001);
        })) << "key "
            << key << " left the box open";
    EXPECT_TRUE(Show([](HWND box) { PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); }))
        << "the close button left the box open";
    EXPECT_TRUE(Show(ClickOk)) << "OK left the box open";
}

TEST(Box, TaskModalCentredAboveItsTopmostOwnerAndThenAsBefore) {
    const HWND owner = CreateWindowExW(WS_EX_TOPMOST, L"Static", L"owner", WS_POPUP | WS_VISIBLE,
                                       100, 100, 600, 400, nullptr, nullptr, nullptr, nullptr);
    const HWND disabled = CreateWindowExW(0, L"Static", L"disabled", WS_POPUP | WS_VISIBLE, 0, 0,
                                          50, 50, nullptr, nullptr, nullptr, nullptr);
    EnableWindow(disabled, FALSE);
    Show(
        [&](HWND box) {
            EXPECT_FALSE(IsWindowEnabled(owner)) << "the owner takes input under the box";
            EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) << "hidden by its owner";
            RECT b{}, o{};
            GetWindowRect(box, &b);
            GetWindowRect(owner, &o);
            EXPECT_LE(std::abs((b.left + b.right) - (o.left + o.right)), 1) << "not centred";
            ClickOk(box);
        },
        0x2030, owner);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindowEnabled(disabled)) << "the box enabled a window it had not disabled";
    DestroyWindow(owner);
    DestroyWindow(disabled);
}

TEST(Box, AQuitMessageEndsItAndIsPostedAgain) {
    Show([](HWND) { PostQuitMessage(7); });
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is lost";
    EXPECT_EQ(message.wParam, 7u);
}

} // namespace

// The two layouts and the message-box size, both chosen by the executable's name, at the
// display's DPI (this suite runs once more at 144 DPI).
#include "harness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace e2e {
namespace {

const std::vector<std::wstring> kPresetTexts = {L"-gen gcc -O 2", L"-gen gcc -O 3",
                                                L"-gen clang -O 2", L"-gen gas"};

int SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// Unscaled units to device pixels: single precision, nearest, halves to even.
int Scaled(int value) {
    const float ratio = static_cast<float>(SystemDpi()) / 96.0f;
    return static_cast<int>(std::nearbyint(static_cast<float>(value) * ratio));
}

RECT ScaledRect(int x, int y, int width, int height) {
    const int left = Scaled(x), top = Scaled(y);
    return {left, top, left + Scaled(width), top + Scaled(height)};
}

// The widest preset text in Tahoma of the layout's size, as the program measures it.
int WidestPresetText(int points) {
    const HDC screen = GetDC(nullptr);
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    wcscpy(font.lfFaceName, L"Tahoma");
    const HFONT handle = CreateFontIndirectW(&font);
    const HGDIOBJ previous = SelectObject(screen, handle);
    int widest = 1;
    for (const std::wstring& text : kPresetTexts) {
        SIZE size = {};
        GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(screen, previous);
    DeleteObject(handle);
    ReleaseDC(nullptr, screen);
    return widest;
}

struct ExpectedLayout {
    std::vector<std::pair<int, RECT>> controls;
    SIZE client;
};

ExpectedLayout Expect(bool large) {
    const int n = static_cast<int>(kPresetTexts.size());
    const int optionCount = n + 1;
    const int widest = WidestPresetText(large ? 12 : 8);
    const int top = large ? 58 : 50;
    const int bottom = top + 20 * n;
    const int optionWidth = widest + (large ? 18 : 16);
    const int group = std::max(widest + (large ? 28 : 26), large ? 150 : 115);
    const int buttonWidth = large ? 56 : 38, buttonHeight = large ? 25 : 22;
    const int wideWidth = large ? 172 : 124;
    const int apply = large ? 8 : 10, edit = large ? 67 : 52, clear = large ? 126 : 96;

    ExpectedLayout layout;
    layout.controls = {
        {kConsoleId, large ? ScaledRect(10, 8, 90, 20) : ScaledRect(10, 5, 80, 20)},
        {kExxId, large ? ScaledRect(10, 28, 56, 20) : ScaledRect(10, 25, 40, 20)},
    };
    for (int k = 1; k <= n; ++k)
        layout.controls.push_back({1000 + k, ScaledRect(15, top - 4 + 20 * k, optionWidth, 20)});
    layout.controls.push_back({1000 + optionCount, ScaledRect(15, bottom + 20, optionWidth, 20)});
    layout.controls.push_back(
        {kApplyId, ScaledRect(apply, bottom + 50, buttonWidth, buttonHeight)});
    layout.controls.push_back({kEditId, ScaledRect(edit, bottom + 50, buttonWidth, buttonHeight)});
    layout.controls.push_back(
        {kClearId, ScaledRect(clear, bottom + 50, buttonWidth, buttonHeight)});
    layout.controls.push_back(
        {kBuildConfigurationsId, ScaledRect(10, bottom + 80, wideWidth, buttonHeight)});
    layout.controls.push_back(
        {kCompilerSetupId, ScaledRect(10, bottom + 110, wideWidth, buttonHeight)});
    layout.controls.push_back(
        {kGroupBoxId, ScaledRect(10, 50, group, 22 * optionCount + (large ? 18 : 8))});
    layout.client = {Scaled(group + 20), Scaled(bottom + (large ? 164 : 162))};
    return layout;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") - (" +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

struct NameCase {
    const char* name;
    const wchar_t* exeName;
    bool large;
    int boxSize;
};

class Layout : public ::testing::TestWithParam<NameCase> {};

TEST_P(Layout, TheExecutablesNameChoosesTheLayoutAndTheMessageBoxSize) {
    Scenario setup;
    setup.exeName = GetParam().exeName;
    setup.winFbeIni = WinFbeIniText("-no match", kToolchainPath);
    Session session(setup);
    ASSERT_TRUE(session.Launch());
    const HWND main = session.Main();
    if (const char* wanted = std::getenv("MARLWICK_WINE_TEST_DPI")) {
        ASSERT_EQ(SystemDpi(), std::atoi(wanted))
            << "the display does not run at the DPI asked for";
    }
    SCOPED_TRACE(::testing::Message() << "at " << SystemDpi() << " DPI, "
                                      << (GetParam().large ? "large" : "small") << " layout");

    const std::vector<RecordedBox> boxes = session.Boxes();
    ASSERT_EQ(boxes.size(), 1u) << DescribeBoxes(boxes);
    EXPECT_EQ(boxes[0].size, GetParam().boxSize) << "message-box size";

    const ExpectedLayout expected = Expect(GetParam().large);
    for (const auto& [id, rect] : expected.controls) {
        EXPECT_EQ(Describe(ChildRectInParent(main, id)), Describe(rect)) << "control " << id;
    }
    RECT client = {};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, expected.client.cx) << "client width";
    EXPECT_EQ(client.bottom, expected.client.cy) << "client height";
}

INSTANTIATE_TEST_SUITE_P(Names, Layout,
                         ::testing::Values(NameCase{"PlainName", L"MarlwickIII.exe", false, 8},
                                           NameCase{"UpperLAtTheEnd", L"MarlwickIIIL.exe", true, 8},
                                           NameCase{"UpperLInside", L"MarLwickIIIE.exe", true, 14},
                                           NameCase{"EndsInUpperC", L"MarlwickIIIC.exe", false, 12},
                                           NameCase{"EndsInLowerC", L"MarlwickIIIc.exe", false, 12},
                                           NameCase{"EndsIn9", L"MarlwickIII9.exe", false, 9},
                                           NameCase{"EndsIn5", L"MarlwickIII5.exe", false, 8},
                                           NameCase{"EndsInG", L"marlwickG.exe", false, 8},
                                           NameCase{"EndsInLowerF", L"marlwickf.exe", false, 15}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LayoutControls, CarryTheirTextsStylesAndTabOrder) {
    Session session;
    ASSERT_TRUE(session.Launch());
    const HWND main = session.Main();

    EXPECT_EQ(WindowText(main), L"MWK III");
    const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
    EXPECT_EQ(style & 0x80C80000, 0x80C80000) << "not a popup window with caption and system menu";
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(GetWindowLongPtrW(main, GWL_EXSTYLE) & 0x9, 0x9);

    const std::vector<int> order = {kConsoleId,
                                    kExxId,
                                    1001,
                                    1002,
                                    1003,
                                    1004,
                                    1005,
                                    kApplyId,
                                    kEditId,
                                    kClearId,
                                    kBuildConfigurationsId,
                                    kCompilerSetupId,
                                    kGroupBoxId,
                                    kStatusBarId};
    EXPECT_EQ(ChildIdsInOrder(main), order) << "the controls are not in creation order";

    const std::vector<std::pair<int, std::wstring>> texts = {
        {kConsoleId, L"Console"},
        {kExxId, L"-exx"},
        {1001, kPresetTexts[0]},
        {1002, kPresetTexts[1]},
        {1003, kPresetTexts[2]},
        {1004, kPresetTexts[3]},
        {1005, L"No preset used"},
        {kApplyId, L"Apply"},
        {kEditId, L"Edit"},
        {kClearId, L"Clear"},
        {kBuildConfigurationsId, L"Build Configurations..."},
        {kCompilerSetupId, L"Compiler Setup"},
        {kGroupBoxId, L"Select switches"}};
    for (const auto& [id, text] : texts)
        EXPECT_EQ(WindowText(GetDlgItem(main, id)), text) << "text of control " << id;

    auto styleOf = [&](int id) {
        return static_cast<DWORD>(GetWindowLongPtrW(GetDlgItem(main, id), GWL_STYLE));
    };
    // A radio button's WS_TABSTOP follows its check mark, so it is left out.
    EXPECT_EQ(styleOf(1001) & ~WS_TABSTOP, 0x50030D09u & ~WS_TABSTOP) << "first option";
    for (const int id : {1002, 1003, 1004, 1005})
        EXPECT_EQ(styleOf(id) & ~WS_TABSTOP, 0x50010D09u & ~WS_TABSTOP) << "option " << id;
    for (const int id : {kApplyId, kEditId, kClearId, kBuildConfigurationsId, kCompilerSetupId})
        EXPECT_EQ(styleOf(id), 0x50010C00u) << "button " << id;
    for (const int id : {kConsoleId, kExxId})
        EXPECT_EQ(styleOf(id), 0x50010D03u) << "checkbox " << id;
}

} // namespace
} // namespace e2e

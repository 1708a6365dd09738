#include <windows.h>

#include <commctrl.h>
#include <richedit.h>
#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "toolkit_test_support.h"
#include "window_object.h"

namespace {

constexpr DWORD kDefault = static_cast<DWORD>(-1);

class ToolkitControls : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(object_.SetFont(L"Tahoma", 8));
        ASSERT_TRUE(window_.get());
    }
    HWND Add(const wchar_t* keyword, DWORD style = kDefault, const wchar_t* text = L"x") {
        return object_.AddControl({.keyword = keyword,
                                   .id = 1001,
                                   .text = text,
                                   .x = 10,
                                   .y = 10,
                                   .width = 120,
                                   .height = 60,
                                   .style = style});
    }

    WindowObject object_;
    WindowGuard window_{object_.Create(PlainWindow())};
};

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

enum class Font { Given, NotGiven, NotReported };

struct StyleCase {
    const wchar_t* keyword;
    DWORD given;
    DWORD style;
    DWORD exStyle;
    const wchar_t* className;
    Font font;
};

// What the created control really has, as GetWindowLongW reports it. Some controls rewrite
// the style they are created with: a combo box hands WS_BORDER, WS_VSCROLL and its client
// edge on to its parts, an empty list box and rich edit hide their scroll bars (clearing
// WS_VSCROLL and WS_HSCROLL), and a date-time picker always takes WS_EX_CLIENTEDGE.
const StyleCase kStyles[] = {
    {L"Button", kDefault, 0x50010F00, 0, L"Button", Font::Given},
    {L"button", 0x8000, 0x50018F00, 0, L"Button", Font::Given},
    {L"BUTTON", 0x1, 0x50010F01, 0, L"Button", Font::Given},
    {L"Button", 0xB, 0x5001000B, 0, L"Button", Font::Given},
    {L"Button", 0x10010C00, 0x50010C00, 0, L"Button", Font::Given},
    {L"Option", kDefault, 0x50010D09, 0, L"Button", Font::Given},
    {L"OPTION", 0x20000, 0x50030D09, 0, L"Button", Font::Given},
    {L"option", 0x10010D09, 0x50010D09, 0, L"Button", Font::Given},
    {L"RadioButton", 0x20000, 0x50030D09, 0, L"Button", Font::Given},
    {L"Checkbox", kDefault, 0x50010D03, 0, L"Button", Font::Given},
    {L"CheckBox", 0x10010003, 0x50010003, 0, L"Button", Font::Given},
    {L"Check3State", kDefault, 0x50010D06, 0, L"Button", Font::Given},
    {L"CustomButton", kDefault, 0x5001000B, 0, L"Button", Font::Given},
    {L"GroupBox", kDefault, 0x54020007, WS_EX_TRANSPARENT, L"Button", Font::Given},
    {L"Label", kDefault, 0x50020100, 0, L"Static", Font::Given},
    {L"Line", kDefault, 0x50000012, WS_EX_TRANSPARENT, L"Static", Font::NotGiven},
    {L"Frame", kDefault, 0x54020007, WS_EX_TRANSPARENT, L"Static", Font::NotGiven},
    {L"CustomLabel", kDefault, 0x5002000D, 0, L"Static", Font::NotGiven},
    {L"Edit", kDefault, 0x50010080, WS_EX_CLIENTEDGE, L"Edit", Font::Given},
    {L"TextBox", 0x10010000, 0x50010000, WS_EX_CLIENTEDGE, L"Edit", Font::Given},
    {L"EditMultiline", kDefault, 0x50211184, WS_EX_CLIENTEDGE, L"Edit", Font::Given},
    {L"ComboBox", kDefault, 0x50010302, 0, L"ComboBox", Font::Given},
    {L"ListBox", kDefault, 0x50810043, WS_EX_CLIENTEDGE, L"ListBox", Font::Given},
    {L"ProgressBar", kDefault, 0x50000000, 0, L"msctls_progress32", Font::NotGiven},
    {L"TreeView", kDefault, 0x50810027, WS_EX_CLIENTEDGE, L"SysTreeView32", Font::Given},
    {L"ListView", kDefault, 0x52010349, WS_EX_CLIENTEDGE, L"SysListView32", Font::Given},
    {L"Toolbar", kDefault, 0x56800901, 0, L"ToolbarWindow32", Font::Given},
    {L"DateTimePicker", kDefault, 0x50010000, WS_EX_CLIENTEDGE, L"SysDateTimePick32", Font::Given},
    {L"HotKey", kDefault, 0x50010000, WS_EX_CLIENTEDGE, L"msctls_hotkey32", Font::Given},
    {L"Tab", kDefault, 0x56030800, WS_EX_CONTROLPARENT, L"SysTabControl32", Font::Given},
    {L"StatusBar", kDefault, 0x56000103, 0, L"msctls_statusbar32", Font::Given},
    {L"SizeGrip", kDefault, 0x50000014, 0, L"ScrollBar", Font::NotGiven},
    {L"HScrollBar", kDefault, 0x50010000, 0, L"ScrollBar", Font::NotGiven},
    {L"VScrollBar", kDefault, 0x50010001, 0, L"ScrollBar", Font::NotGiven},
    {L"Trackbar", kDefault, 0x50010101, 0, L"msctls_trackbar32", Font::NotGiven},
    {L"UpDown", kDefault, 0x50000027, 0, L"msctls_updown32", Font::NotGiven},
    {L"RichEdit", kDefault, 0x500191C4, WS_EX_CLIENTEDGE, L"RichEdit50W", Font::NotReported},
    {L"Static", kDefault, 0x40000000, 0, L"Static", Font::Given},
};

TEST_F(ToolkitControls, ControlsHaveTheirKeywordsStylesClassAndFont) {
    for (const StyleCase& c : kStyles) {
        const std::string what = Narrow(c.keyword) + " given " + Hex(c.given);
        const HWND control = Add(c.keyword, c.given);
        ASSERT_TRUE(control) << what << " was not created";
        const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
        EXPECT_EQ(style, c.style) << what << " has style " << Hex(style) << ", expected "
                                  << Hex(c.style);
        EXPECT_EQ(exStyle, c.exStyle)
            << what << " has extended style " << Hex(exStyle) << ", expected " << Hex(c.exStyle);
        wchar_t className[64] = {};
        GetClassNameW(control, className, 64);
        EXPECT_EQ(Upper(className), Upper(c.className)) << what << " is a " << Narrow(className);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        if (c.font != Font::NotReported) {
            EXPECT_EQ(font == object_.font(), c.font == Font::Given)
                << what << (c.font == Font::Given ? " lacks" : " got") << " the window's font";
        }
        EXPECT_EQ(GetDlgCtrlID(control), 1001) << what;
        DestroyWindow(control);
    }
}

TEST_F(ToolkitControls, EmptyKeywordCreatesNothingAndUnknownClassesFail) {
    EXPECT_EQ(Add(L""), nullptr);
    EXPECT_EQ(object_.AddControl({.keyword = nullptr}), nullptr);
    EXPECT_EQ(Add(L"NoSuchWindowClass"), nullptr);
    const HWND hidden = Add(L"Static");
    ASSERT_TRUE(hidden);
    EXPECT_FALSE(GetWindowLongW(hidden, GWL_STYLE) & WS_VISIBLE)
        << "a keyword in no row creates a hidden child";
}

TEST_F(ToolkitControls, TrackbarsGetARangeAndPageSlidersDoNot) {
    const HWND trackbar = Add(L"Trackbar");
    const HWND slider = Add(L"Slider");
    EXPECT_EQ(SendMessageW(trackbar, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(trackbar, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageW(trackbar, TBM_GETPAGESIZE, 0, 0), 10);
    EXPECT_NE(SendMessageW(slider, TBM_GETPAGESIZE, 0, 0), 10)
        << "a slider keeps the control's own page size";
}

TEST_F(ToolkitControls, ScrollBarsGetTheRange0To100) {
    for (const wchar_t* keyword : {L"HScrollBar", L"VScrollBar"}) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(Add(keyword), SB_CTL, &info));
        EXPECT_EQ(info.nMin, 0) << Narrow(keyword);
        EXPECT_EQ(info.nMax, 100) << Narrow(keyword);
        EXPECT_EQ(info.nPos, 0) << Narrow(keyword);
    }
}

TEST_F(ToolkitControls, DateTimePickerCalendarGetsTheFont) {
    const HWND picker = Add(L"DateTimePicker");
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(picker, DTM_GETMCFONT, 0, 0)), object_.font());
}

// A toolbar's own button sizes at 1.5: 22.5 and 34.5 go to the even 22 and 34.
int At150Percent(int own) {
    switch (own) {
    case 15:
        return 22;
    case 22:
        return 33;
    case 23:
        return 34;
    case 24:
        return 36;
    default:
        ADD_FAILURE() << "no expectation for a button dimension of " << own;
        return 0;
    }
}

TEST_F(ToolkitControls, ToolbarButtonsAreScaledFromTheControlsOwnSize) {
    const HWND plain = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD, 0, 0, 100, 30,
                                       window_.get(), nullptr, nullptr, nullptr);
    const auto own = static_cast<DWORD>(SendMessageW(plain, TB_GETBUTTONSIZE, 0, 0));
    const auto scaled = static_cast<DWORD>(SendMessageW(Add(L"Toolbar"), TB_GETBUTTONSIZE, 0, 0));
    const bool at144 = object_.dpi == 144;
    const int width = at144 ? At150Percent(LOWORD(own)) : LOWORD(own);
    const int height = at144 ? At150Percent(HIWORD(own)) : HIWORD(own);
    EXPECT_EQ(LOWORD(scaled), width) << "the control's own width is " << LOWORD(own);
    EXPECT_EQ(HIWORD(scaled), height) << "the control's own height is " << HIWORD(own);
}

// A rich edit answers WM_GETFONT with nothing; the font shows in its character format.
TEST_F(ToolkitControls, RichEditLoadsItsLibraryAndTakesTheFont) {
    const HWND rich = Add(L"RichEdit50W");
    ASSERT_TRUE(rich) << "MSFTEDIT.DLL did not register RichEdit50W";
    EXPECT_TRUE(GetModuleHandleW(L"MSFTEDIT.DLL"));
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    SendMessageW(rich, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(format.szFaceName, L"Tahoma");
}

struct ImageCase {
    const wchar_t* keyword;
    const wchar_t* text;
    UINT getImage;
    WPARAM type;
    bool loads;
};

TEST_F(ToolkitControls, ImageKeywordsLoadTheImageTheirTextNames) {
    const ImageCase cases[] = {
        {L"BitmapLabel", L"#101", STM_GETIMAGE, IMAGE_BITMAP, true},
        {L"BitmapLabel", L"# 101", STM_GETIMAGE, IMAGE_BITMAP, true},
        {L"BitmapLabel", L"TOOLKIT_BITMAP", STM_GETIMAGE, IMAGE_BITMAP, true},
        {L"BitmapLabel", L"101", STM_GETIMAGE, IMAGE_BITMAP, false}, // a name, not a number
        {L"BitmapLabel", L"#999", STM_GETIMAGE, IMAGE_BITMAP, false},
        {L"IconLabel", L"#102", STM_GETIMAGE, IMAGE_ICON, true},
        {L"BitmapButton", L"#&H65", BM_GETIMAGE, IMAGE_BITMAP, true},
        {L"IconButton", L"#102", BM_GETIMAGE, IMAGE_ICON, true},
        {L"IconButton", L"#101", BM_GETIMAGE, IMAGE_ICON, false}, // 101 is a bitmap
    };
    for (const ImageCase& c : cases) {
        const std::string what = Narrow(c.keyword) + " [" + Narrow(c.text) + "]";
        const HWND control = Add(c.keyword, kDefault, c.text);
        ASSERT_TRUE(control) << what << " was not created";
        const LRESULT image = SendMessageW(control, c.getImage, c.type, 0);
        EXPECT_EQ(image != 0, c.loads) << what << (c.loads ? " shows no image" : " shows an image");
    }
}

} // namespace

#include <gtest/gtest.h>

#include <string>

#include "control_kinds.h"

namespace {

using WideText = std::basic_string<WideUnit>;

WideText Wide(std::string_view ascii) {
    return WideText(ascii.begin(), ascii.end());
}

struct KindCase {
    const char* keyword;
    const char* className; // "" for the keyword itself
    std::uint32_t style;
    std::uint32_t exStyle;
    bool font;
};

// Every keyword of the vocabulary, written as a caller might, with what it must create.
const KindCase kEveryKeyword[] = {
    {"Button", "", 0x50010F00, 0, true},
    {"CustomButton", "Button", 0x5001000B, 0, true},
    {"OwnerDrawButton", "Button", 0x5001000B, 0, true},
    {"RadioButton", "Button", 0x50010D09, 0, true},
    {"Option", "Button", 0x50010D09, 0, true},
    {"Checkbox", "Button", 0x50010D03, 0, true},
    {"Check3State", "Button", 0x50010D06, 0, true},
    {"Label", "Static", 0x50020100, 0, true},
    {"BitmapLabel", "Static", 0x5002000E, 0x20, false},
    {"IconLabel", "Static", 0x50020003, 0x20, false},
    {"BitmapButton", "Button", 0x50010080, 0, true},
    {"IconButton", "Button", 0x50010040, 0, true},
    {"CustomLabel", "Static", 0x5002000D, 0, false},
    {"Frame", "Static", 0x54020007, 0x20, false},
    {"FrameWindow", "Static", 0x54020007, 0x20, false},
    {"GroupBox", "Button", 0x54020007, 0x20, true},
    {"Line", "Static", 0x50000012, 0x20, false},
    {"Edit", "Edit", 0x50010080, 0x200, true},
    {"TextBox", "Edit", 0x50010080, 0x200, true},
    {"EditMultiline", "Edit", 0x50211184, 0x200, true},
    {"MultilineTextBox", "Edit", 0x50211184, 0x200, true},
    {"ComboBox", "", 0x50A10302, 0x200, true},
    {"ComboBoxEx", "ComboBoxEx32", 0x50810003, 0, true},
    {"ComboBoxEx32", "ComboBoxEx32", 0x50810003, 0, true},
    {"ListBox", "", 0x50B10043, 0x200, true},
    {"ProgressBar", "msctls_progress32", 0x50000000, 0, false},
    {"msctls_progress32", "msctls_progress32", 0x50000000, 0, false},
    {"Header", "SysHeader32", 0x50000003, 0, true},
    {"SysHeader32", "SysHeader32", 0x50000003, 0, true},
    {"TreeView", "SysTreeView32", 0x50810027, 0x200, true},
    {"SysTreeView32", "SysTreeView32", 0x50810027, 0x200, true},
    {"ListView", "SysListView32", 0x52010349, 0x200, true},
    {"SysListView32", "SysListView32", 0x52010349, 0x200, true},
    {"Toolbar", "ToolbarWindow32", 0x56800901, 0, true},
    {"ToolbarWindow32", "ToolbarWindow32", 0x56800901, 0, true},
    {"Rebar", "ReBarWindow32", 0x56800640, 0, true},
    {"ReBarWindow32", "ReBarWindow32", 0x56800640, 0, true},
    {"DateTimePicker", "SysDateTimePick32", 0x50010000, 0, true},
    {"SysDateTimePick32", "SysDateTimePick32", 0x50010000, 0, true},
    {"MonthCalendar", "SysMonthCal32", 0x50010000, 0x200, true},
    {"MonthCal", "SysMonthCal32", 0x50010000, 0x200, true},
    {"SysMonthCal32", "SysMonthCal32", 0x50010000, 0x200, true},
    {"IPAddress", "SysIPAddress32", 0x50010000, 0x200, true},
    {"SysIPAddress32", "SysIPAddress32", 0x50010000, 0x200, true},
    {"HotKey", "msctls_hotkey32", 0x50010000, 0x200, true},
    {"msctls_hotkey32", "msctls_hotkey32", 0x50010000, 0x200, true},
    {"Animate", "SysAnimate32", 0x50000002, 0, true},
    {"Animation", "SysAnimate32", 0x50000002, 0, true},
    {"SysAnimate32", "SysAnimate32", 0x50000002, 0, true},
    {"SysLink", "", 0x50010000, 0, false},
    {"Pager", "SysPager", 0x50010001, 0, false},
    {"SysPager", "SysPager", 0x50010001, 0, false},
    {"Tab", "SysTabControl32", 0x56030800, 0x10000, true},
    {"TabControl", "SysTabControl32", 0x56030800, 0x10000, true},
    {"SysTabControl32", "SysTabControl32", 0x56030800, 0x10000, true},
    {"StatusBar", "msctls_statusbar32", 0x56000103, 0, true},
    {"msctls_statusbar32", "msctls_statusbar32", 0x56000103, 0, true},
    {"SizeBar", "Scrollbar", 0x50000014, 0, false},
    {"SizeBox", "Scrollbar", 0x50000014, 0, false},
    {"SizeGrip", "Scrollbar", 0x50000014, 0, false},
    {"HScrollBar", "Scrollbar", 0x50010000, 0, false},
    {"VScrollBar", "Scrollbar", 0x50010001, 0, false},
    {"Trackbar", "msctls_trackbar32", 0x50010101, 0, false},
    {"msctls_trackbar32", "msctls_trackbar32", 0x50010101, 0, false},
    {"Slider", "msctls_trackbar32", 0x50010101, 0, false},
    {"UpDown", "msctls_updown32", 0x50000027, 0, false},
    {"msctls_updown32", "msctls_updown32", 0x50000027, 0, false},
    {"RichEdit", "RichEdit50W", 0x503191C4, 0x200, true},
    {"RichEdit50W", "RichEdit50W", 0x503191C4, 0x200, true},
    {"Static", "", 0x40000000, 0, true}, // in no row: a hidden child of that class
};

TEST(ToolkitControlKinds, EveryKeywordNamesItsClassStylesAndFont) {
    for (const KindCase& c : kEveryKeyword) {
        const ControlKind& kind = FindControlKind(Wide(c.keyword));
        EXPECT_EQ(kind.className, c.className) << c.keyword << " creates the wrong class";
        EXPECT_EQ(ResolveStyle(kind, kDefaultStyle), c.style)
            << std::hex << c.keyword << " gets style 0x" << ResolveStyle(kind, kDefaultStyle);
        EXPECT_EQ(ResolveExStyle(kind, kDefaultStyle), c.exStyle)
            << std::hex << c.keyword << " gets extended style 0x" << kind.exStyle;
        EXPECT_EQ(kind.takesFont, c.font)
            << c.keyword << (c.font ? " lacks" : " gets") << " the font";
    }
}

TEST(ToolkitControlKinds, KeywordsMatchWhateverTheirCase) {
    const char* spellings[] = {"Option", "OPTION", "option", "oPtIoN"};
    for (const char* spelling : spellings)
        EXPECT_EQ(&FindControlKind(Wide(spelling)), &FindControlKind(Wide("RADIOBUTTON")))
            << spelling << " is not the auto radio button";
    EXPECT_EQ(FindControlKind(Wide("OPTIONS")).style, 0x40000000u)
        << "a longer word is not the keyword";
    EXPECT_EQ(FindControlKind(Wide("")).style, 0x40000000u);
}

struct StyleCase {
    const char* keyword;
    std::uint32_t given;
    std::uint32_t expected;
};

TEST(ToolkitControlKinds, GivenStylesGetTheChildBitExceptTheSpecialValues) {
    const StyleCase cases[] = {
        {"Button", 0x8000, 0x50018F00},    {"Button", 0x1, 0x50010F01},
        {"Button", 0xB, 0x5001000B},       {"Button", 0x10010C00, 0x50010C00},
        {"BUTTON", 0x0, 0x40000000},       {"RadioButton", 0x20000, 0x50030D09},
        {"Option", 0x20000, 0x50030D09},   {"Option", 0x10010D09, 0x50010D09},
        {"Checkbox", 0x20000, 0x40020000}, {"CustomButton", 0x8000, 0x40008000},
        {"Label", 0x1, 0x40000001},        {"Static", 0x10000000, 0x50000000},
    };
    for (const StyleCase& c : cases) {
        const std::uint32_t got = ResolveStyle(FindControlKind(Wide(c.keyword)), c.given);
        EXPECT_EQ(got, c.expected) << std::hex << c.keyword << " given 0x" << c.given << " got 0x"
                                   << got << ", expected 0x" << c.expected;
    }
}

TEST(ToolkitControlKinds, GivenExtendedStyleReplacesTheDefault) {
    const ControlKind& edit = FindControlKind(Wide("Edit"));
    EXPECT_EQ(ResolveExStyle(edit, 0), 0u);
    EXPECT_EQ(ResolveExStyle(edit, 0x20), 0x20u);
    EXPECT_EQ(ResolveStyle(edit, 0x4) & 0xFFFF, 0x4u) << "a given style keeps no default bits";
}

struct SetupCase {
    const char* keyword;
    SetupBefore before;
    SetupAfter after;
    ImageKind image;
};

TEST(ToolkitControlKinds, SetUpBeforeAndAfterCreation) {
    const SetupCase cases[] = {
        {"SizeGrip", SetupBefore::PlaceInCorner, SetupAfter::None, ImageKind::None},
        {"SizeBox", SetupBefore::PlaceInCorner, SetupAfter::None, ImageKind::None},
        {"RichEdit", SetupBefore::LoadRichEditLib, SetupAfter::None, ImageKind::None},
        {"RichEdit50W", SetupBefore::LoadRichEditLib, SetupAfter::None, ImageKind::None},
        {"ListBox", SetupBefore::None, SetupAfter::Reposition, ImageKind::None},
        {"DateTimePicker", SetupBefore::None, SetupAfter::CalendarFont, ImageKind::None},
        {"ProgressBar", SetupBefore::None, SetupAfter::ProgressRange, ImageKind::None},
        {"Trackbar", SetupBefore::None, SetupAfter::TrackbarRange, ImageKind::None},
        {"msctls_trackbar32", SetupBefore::None, SetupAfter::TrackbarRange, ImageKind::None},
        {"Slider", SetupBefore::None, SetupAfter::None, ImageKind::None},
        {"UpDown", SetupBefore::None, SetupAfter::UpDownRange, ImageKind::None},
        {"HScrollBar", SetupBefore::None, SetupAfter::ScrollRange, ImageKind::None},
        {"VScrollBar", SetupBefore::None, SetupAfter::ScrollRange, ImageKind::None},
        {"Toolbar", SetupBefore::None, SetupAfter::ToolbarButtonSize, ImageKind::None},
        {"BitmapLabel", SetupBefore::None, SetupAfter::LabelImage, ImageKind::Bitmap},
        {"IconLabel", SetupBefore::None, SetupAfter::LabelImage, ImageKind::Icon},
        {"BitmapButton", SetupBefore::None, SetupAfter::ButtonImage, ImageKind::Bitmap},
        {"IconButton", SetupBefore::None, SetupAfter::ButtonImage, ImageKind::Icon},
        {"Button", SetupBefore::None, SetupAfter::None, ImageKind::None},
    };
    for (const SetupCase& c : cases) {
        const ControlKind& kind = FindControlKind(Wide(c.keyword));
        EXPECT_EQ(kind.before, c.before) << c.keyword << ": wrong set-up before creation";
        EXPECT_EQ(kind.after, c.after) << c.keyword << ": wrong set-up after creation";
        EXPECT_EQ(kind.image, c.image) << c.keyword << ": wrong image type";
    }
}

} // namespace

#include "control_kinds.h"

#include <algorithm>
#include <cwctype>

namespace {

constexpr std::uint32_t kChild = 0x40000000;
constexpr std::uint32_t kExTransparent = 0x20;
constexpr std::uint32_t kExClientEdge = 0x200;
constexpr std::uint32_t kExControlParent = 0x10000;

using B = SetupBefore;
using A = SetupAfter;
using I = ImageKind;

// clang-format off
constexpr ControlKind kKinds[] = {
    {{"BUTTON"}, "", 0x50010F00, 0, true, B::None, A::None, I::None,
        {{{0x8000, 0x50018F00}, {0x1, 0x50010F01}, {0xB, 0x5001000B}}}},
    {{"CUSTOMBUTTON", "OWNERDRAWBUTTON"}, "Button", 0x5001000B, 0, true, B::None, A::None, I::None, {}},
    {{"RADIOBUTTON", "OPTION"}, "Button", 0x50010D09, 0, true, B::None, A::None, I::None,
        {{{0x20000, 0x50030D09}}}},
    {{"CHECKBOX"}, "Button", 0x50010D03, 0, true, B::None, A::None, I::None, {}},
    {{"CHECK3STATE"}, "Button", 0x50010D06, 0, true, B::None, A::None, I::None, {}},
    {{"LABEL"}, "Static", 0x50020100, 0, true, B::None, A::None, I::None, {}},
    {{"BITMAPLABEL"}, "Static", 0x5002000E, kExTransparent, false, B::None, A::LabelImage, I::Bitmap, {}},
    {{"ICONLABEL"}, "Static", 0x50020003, kExTransparent, false, B::None, A::LabelImage, I::Icon, {}},
    {{"BITMAPBUTTON"}, "Button", 0x50010080, 0, true, B::None, A::ButtonImage, I::Bitmap, {}},
    {{"ICONBUTTON"}, "Button", 0x50010040, 0, true, B::None, A::ButtonImage, I::Icon, {}},
    {{"CUSTOMLABEL"}, "Static", 0x5002000D, 0, false, B::None, A::None, I::None, {}},
    {{"FRAME", "FRAMEWINDOW"}, "Static", 0x54020007, kExTransparent, false, B::None, A::None, I::None, {}},
    {{"GROUPBOX"}, "Button", 0x54020007, kExTransparent, true, B::None, A::None, I::None, {}},
    {{"LINE"}, "Static", 0x50000012, kExTransparent, false, B::None, A::None, I::None, {}},
    {{"EDIT", "TEXTBOX"}, "Edit", 0x50010080, kExClientEdge, true, B::None, A::None, I::None, {}},
    {{"EDITMULTILINE", "MULTILINETEXTBOX"}, "Edit", 0x50211184, kExClientEdge, true, B::None, A::None, I::None, {}},
    {{"COMBOBOX"}, "", 0x50A10302, kExClientEdge, true, B::None, A::None, I::None, {}},
    {{"COMBOBOXEX", "COMBOBOXEX32"}, "ComboBoxEx32", 0x50810003, 0, true, B::None, A::None, I::None, {}},
    {{"LISTBOX"}, "", 0x50B10043, kExClientEdge, true, B::None, A::Reposition, I::None, {}},
    {{"PROGRESSBAR", "MSCTLS_PROGRESS32"}, "msctls_progress32", 0x50000000, 0, false, B::None, A::ProgressRange, I::None, {}},
    {{"HEADER", "SYSHEADER32"}, "SysHeader32", 0x50000003, 0, true, B::None, A::None, I::None, {}},
    {{"TREEVIEW", "SYSTREEVIEW32"}, "SysTreeView32", 0x50810027, kExClientEdge, true, B::None, A::None, I::None, {}},
    {{"LISTVIEW", "SYSLISTVIEW32"}, "SysListView32", 0x52010349, kExClientEdge, true, B::None, A::None, I::None, {}},
    {{"TOOLBAR", "TOOLBARWINDOW32"}, "ToolbarWindow32", 0x56800901, 0, true, B::None, A::ToolbarButtonSize, I::None, {}},
    {{"REBAR", "REBARWINDOW32"}, "ReBarWindow32", 0x56800640, 0, true, B::None, A::None, I::None, {}},
    {{"DATETIMEPICKER", "SYSDATETIMEPICK32"}, "SysDateTimePick32", 0x50010000, 0, true, B::None, A::CalendarFont, I::None, {}},
    {{"MONTHCALENDAR", "MONTHCAL", "SYSMONTHCAL32"}, "SysMonthCal32", 0x50010000, kExClientEdge, true, B::None, A::None, I::None, {}},
    {{"IPADDRESS", "SYSIPADDRESS32"}, "SysIPAddress32", 0x50010000, kExClientEdge, true, B::None, A::None, I::None, {}},
    {{"HOTKEY", "MSCTLS_HOTKEY32"}, "msctls_hotkey32", 0x50010000, kExClientEdge, true, B::None, A::None, I::None, {}},
    {{"ANIMATE", "ANIMATION", "SYSANIMATE32"}, "SysAnimate32", 0x50000002, 0, true, B::None, A::None, I::None, {}},
    {{"SYSLINK"}, "", 0x50010000, 0, false, B::None, A::None, I::None, {}},
    {{"PAGER", "SYSPAGER"}, "SysPager", 0x50010001, 0, false, B::None, A::None, I::None, {}},
    {{"TAB", "TABCONTROL", "SYSTABCONTROL32"}, "SysTabControl32", 0x56030800, kExControlParent, true, B::None, A::None, I::None, {}},
    {{"STATUSBAR", "MSCTLS_STATUSBAR32"}, "msctls_statusbar32", 0x56000103, 0, true, B::None, A::None, I::None, {}},
    {{"SIZEBAR", "SIZEBOX", "SIZEGRIP"}, "Scrollbar", 0x50000014, 0, false, B::PlaceInCorner, A::None, I::None, {}},
    {{"HSCROLLBAR"}, "Scrollbar", 0x50010000, 0, false, B::None, A::ScrollRange, I::None, {}},
    {{"VSCROLLBAR"}, "Scrollbar", 0x50010001, 0, false, B::None, A::ScrollRange, I::None, {}},
    {{"TRACKBAR", "MSCTLS_TRACKBAR32"}, "msctls_trackbar32", 0x50010101, 0, false, B::None, A::TrackbarRange, I::None, {}},
    {{"SLIDER"}, "msctls_trackbar32", 0x50010101, 0, false, B::None, A::None, I::None, {}},
    {{"UPDOWN", "MSCTLS_UPDOWN32"}, "msctls_updown32", 0x50000027, 0, false, B::None, A::UpDownRange, I::None, {}},
    {{"RICHEDIT", "RICHEDIT50W"}, "RichEdit50W", 0x503191C4, kExClientEdge, true, B::LoadRichEditLib, A::None, I::None, {}},
};
// clang-format on

constexpr ControlKind kUnknownKind{
    {}, "", kChild, 0, true, SetupBefore::None, SetupAfter::None, ImageKind::None, {}};

bool MatchesUpperCased(std::wstring_view keyword, std::string_view upper) {
    return keyword.size() == upper.size() &&
           std::equal(keyword.begin(), keyword.end(), upper.begin(), [](wchar_t k, char u) {
               return std::towupper(static_cast<std::wint_t>(k)) ==
                      static_cast<std::wint_t>(static_cast<unsigned char>(u));
           });
}

bool RowHasKeyword(const ControlKind& kind, std::wstring_view keyword) {
    return std::any_of(kind.keywords.begin(), kind.keywords.end(), [&](std::string_view k) {
        return !k.empty() && MatchesUpperCased(keyword, k);
    });
}

} // namespace

const ControlKind& FindControlKind(std::wstring_view keyword) {
    const auto row =
        std::find_if(std::begin(kKinds), std::end(kKinds),
                     [&](const ControlKind& kind) { return RowHasKeyword(kind, keyword); });
    return row == std::end(kKinds) ? kUnknownKind : *row;
}

std::uint32_t ResolveStyle(const ControlKind& kind, std::uint32_t given) {
    if (given == kDefaultStyle)
        return kind.style;
    for (const StyleOverride& special : kind.overrides) {
        if (special.used != 0 && special.given == given)
            return special.used;
    }
    return given | kChild;
}

std::uint32_t ResolveExStyle(const ControlKind& kind, std::uint32_t given) {
    return given == kDefaultStyle ? kind.exStyle : given;
}

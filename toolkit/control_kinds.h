// The control vocabulary of WindowObject::AddControl: what each type keyword creates.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Set-up a control needs before its window exists.
enum class SetupBefore {
    None,
    PlaceInCorner,   // size grips: the system metrics, in the bottom-right corner of the window
    LoadRichEditLib, // MSFTEDIT.DLL registers the rich edit class
};

// Set-up a control needs once created.
enum class SetupAfter {
    None,
    Reposition,        // list boxes: the requested size again, after the font has changed it
    CalendarFont,      // date-time pickers: the drop-down calendar gets the font as well
    ProgressRange,     // 0..100, position 0
    TrackbarRange,     // 0..100, page 10
    UpDownRange,       // base 10, range 100..0, position 0, then repositioned
    ScrollRange,       // 0..100
    ToolbarButtonSize, // the system's button size scaled
    LabelImage,        // image named by the text, STM_SETIMAGE
    ButtonImage,       // image named by the text, BM_SETIMAGE
};

enum class ImageKind { None, Bitmap, Icon };

// A given style that replaces the whole style instead of having WS_CHILD added.
struct StyleOverride {
    std::uint32_t given;
    std::uint32_t used;
};

struct ControlKind {
    std::array<std::string_view, 3> keywords; // upper case; unused slots empty
    std::string_view className;               // empty: the keyword as the caller wrote it
    std::uint32_t style;
    std::uint32_t exStyle;
    bool takesFont;
    SetupBefore before;
    SetupAfter after;
    ImageKind image;
    std::array<StyleOverride, 3> overrides; // unused slots all zero
};

inline constexpr std::uint32_t kDefaultStyle = 0xFFFFFFFFu; // -1 in the caller's terms
inline constexpr std::size_t kClassNameUnits = 260;

// The row for a keyword, matched without regard to case; unknown keywords get a row that
// names the keyword itself as class and creates a hidden child.
const ControlKind& FindControlKind(std::wstring_view keyword);
std::uint32_t ResolveStyle(const ControlKind& kind, std::uint32_t given);
std::uint32_t ResolveExStyle(const ControlKind& kind, std::uint32_t given);

// Where a top-level window may go: plain arithmetic on screen rectangles. Header only, so
// DlgMsgBox.dll places its box by the same rule without linking the toolkit.
#pragma once

#include <algorithm>
#include <span>

#include "screen_geometry.h"

// The start that keeps a span of that length between low and high, with one correction only: a
// span longer than the room keeps its near end on it when it started before low, its far end
// otherwise.
inline int KeepWithin(int start, int length, int low, int high) {
    if (start < low)
        return low;
    if (start + length > high)
        return high - length;
    return start;
}

// The top-left corner that centres a window of the given rectangle's size on the reference,
// kept on the work area.
inline ScreenPoint CentredPosition(const ScreenRect& window, const ScreenRect& reference,
                                   const ScreenRect& workArea) {
    const int x = reference.left + (reference.Width() - window.Width()) / 2;
    const int y = reference.top + (reference.Height() - window.Height()) / 2;
    return {KeepWithin(x, window.Width(), workArea.left, workArea.right),
            KeepWithin(y, window.Height(), workArea.top, workArea.bottom)};
}

// True when one work area shows at least a quarter of the caption's height over at least grabWidth
// pixels left of the caption's buttons (buttonsWidth at its right end), so that the user can take
// hold of the window and drag it: a caption that shows only its buttons cannot be dragged, while
// one dragged against the top edge, its upper part above the screen, can.
inline bool CaptionWithinReach(const ScreenRect& window, int captionHeight, int buttonsWidth,
                               int grabWidth, std::span<const ScreenRect> workAreas) {
    const auto overlap = [](int low, int high, int otherLow, int otherHigh) {
        return std::min(high, otherHigh) - std::max(low, otherLow);
    };
    const int captionBottom = window.top + captionHeight;
    const int grabRight = window.right - buttonsWidth;
    return std::any_of(workAreas.begin(), workAreas.end(), [&](const ScreenRect& area) {
        return overlap(window.left, grabRight, area.left, area.right) >= grabWidth &&
               overlap(window.top, captionBottom, area.top, area.bottom) >= (captionHeight + 3) / 4;
    });
}

#include "placement.h"

#include <algorithm>

namespace {

// Only one correction per axis: a window larger than the work area keeps its near edge on it.
int KeepInside(int position, int size, int low, int high) {
    if (position < low)
        return low;
    if (position + size > high)
        return high - size;
    return position;
}

int Overlap(int low, int high, int otherLow, int otherHigh) {
    return std::min(high, otherHigh) - std::max(low, otherLow);
}

} // namespace

ScreenPoint CentredPosition(const ScreenRect& window, const ScreenRect& reference,
                            const ScreenRect& workArea) {
    const int x = reference.left + (reference.Width() - window.Width()) / 2;
    const int y = reference.top + (reference.Height() - window.Height()) / 2;
    return {KeepInside(x, window.Width(), workArea.left, workArea.right),
            KeepInside(y, window.Height(), workArea.top, workArea.bottom)};
}

bool CaptionWithinReach(const ScreenRect& window, int captionHeight, int buttonsWidth,
                        int grabWidth, std::span<const ScreenRect> workAreas) {
    const int captionBottom = window.top + captionHeight;
    const int grabRight = window.right - buttonsWidth;
    return std::any_of(workAreas.begin(), workAreas.end(), [&](const ScreenRect& area) {
        return Overlap(window.left, grabRight, area.left, area.right) >= grabWidth &&
               Overlap(window.top, captionBottom, area.top, area.bottom) >= captionHeight;
    });
}

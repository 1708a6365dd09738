#include "centring.h"

namespace {

// Only one correction per axis: a window larger than the work area keeps its near edge on it.
int KeepInside(int position, int size, int low, int high) {
    if (position < low)
        return low;
    if (position + size > high)
        return high - size;
    return position;
}

} // namespace

ScreenPoint CentredPosition(const ScreenRect& window, const ScreenRect& reference,
                            const ScreenRect& workArea) {
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int x = reference.left + (reference.right - reference.left - width) / 2;
    const int y = reference.top + (reference.bottom - reference.top - height) / 2;
    return {KeepInside(x, width, workArea.left, workArea.right),
            KeepInside(y, height, workArea.top, workArea.bottom)};
}

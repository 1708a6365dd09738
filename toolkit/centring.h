// Where a window goes when it is centred: plain arithmetic on screen rectangles.
#pragma once

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct ScreenPoint {
    int x;
    int y;
};

// The top-left corner that centres a window of the given rectangle's size on the reference,
// moved back inside the work area where it would stick out on one side.
ScreenPoint CentredPosition(const ScreenRect& window, const ScreenRect& reference,
                            const ScreenRect& workArea);

// Where a top-level window may go: plain arithmetic on screen rectangles.
#pragma once

#include <span>

#include "screen_geometry.h"

// The top-left corner that centres a window of the given rectangle's size on the reference,
// moved back inside the work area where it would stick out on one side.
ScreenPoint CentredPosition(const ScreenRect& window, const ScreenRect& reference,
                            const ScreenRect& workArea);

// True when one work area shows the caption's whole height over at least grabWidth pixels left of
// the caption's buttons (buttonsWidth at its right end), so that the user can take hold of the
// window and drag it: a caption that shows only its buttons cannot be dragged.
bool CaptionWithinReach(const ScreenRect& window, int captionHeight, int buttonsWidth,
                        int grabWidth, std::span<const ScreenRect> workAreas);

// The box's arithmetic: where its parts go and where it appears. Everything is in device pixels.
#pragma once

#include "screen_geometry.h"

namespace dlgmsgbox {

struct BoxSize {
    int width = 0;
    int height = 0;
    bool operator==(const BoxSize&) const = default;
};

using BoxRect = ScreenRect;
using BoxPoint = ScreenPoint;

// What the box measured of its contents before laying itself out.
struct BoxMetrics {
    int dpi = 96;
    BoxSize text;         // the wrapped message
    int iconSize = 0;     // 0: no icon
    BoxSize buttonText;   // the OK caption
    int captionWidth = 0; // what the title bar needs to show the whole caption
};

struct BoxLayout {
    BoxSize client;
    BoxRect panel; // the coloured area behind icon and text
    BoxRect icon;  // empty when there is no icon
    BoxRect text;
    BoxRect button;
};

inline constexpr int kDefaultPoints = 10;

// Scales a length given at 96 DPI, halves rounded away from zero as MulDiv does.
int ScaleToDpi(int length, int dpi);

// The point size to use: callers pass 0 (or less) when they have no setting of their own.
int EffectivePoints(int requested);

// LOGFONT height (negative: character height) of a point size at a DPI.
int FontHeight(int points, int dpi);

// The widest the message may grow before it wraps, for a given work area.
int MaxTextWidth(int workAreaWidth, int dpi);

BoxLayout LayOutBox(const BoxMetrics& metrics);

} // namespace dlgmsgbox

// The toolkit's scaling rule: unscaled values (pixels at 96 DPI) times a ratio, in single
// precision, to the nearest integer with halves going to the even neighbour.
#pragma once

#include <climits>
#include <cmath>

// CW_USEDEFAULT, which top-level window creation passes through unscaled.
inline constexpr int kUseDefaultPosition = INT_MIN;

// Nearest integer, ties to even (the default rounding mode, which nothing here changes).
// Values outside int give INT_MIN, as the processor's own conversion does.
inline int NearestEven(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= static_cast<double>(INT_MIN) && rounded <= static_cast<double>(INT_MAX)))
        return INT_MIN;
    return static_cast<int>(rounded);
}

inline int ScaleValue(int value, float ratio) {
    const float product = static_cast<float>(value) * ratio;
    return NearestEven(product);
}

inline int ScaleUnlessDefault(int value, float ratio) {
    return value == kUseDefaultPosition ? value : ScaleValue(value, ratio);
}

// Device pixels back to unscaled units, in double precision.
inline int UnscaleValue(int value, float ratio) {
    return NearestEven(static_cast<double>(value) / static_cast<double>(ratio));
}

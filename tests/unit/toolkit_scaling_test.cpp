#include <gtest/gtest.h>

#include "scaling.h"

namespace {

struct ScaleCase {
    int value;
    float ratio;
    int expected;
};

TEST(ToolkitScaling, UnscaledTimesRatioToNearestWithHalvesToEven) {
    const ScaleCase cases[] = {
        {15, 1.5f, 22}, // 22.5: the even neighbour
        {17, 1.5f, 26}, // 25.5: the even neighbour, upwards this time
        {3, 1.5f, 4},   // 4.5
        {1, 1.5f, 2},   // 1.5
        {30, 1.5f, 45},
        {100, 1.5f, 150},
        {20, 1.5f, 30},
        {-15, 1.5f, -22},
        {10, 1.25f, 12}, // 12.5
        {6, 1.25f, 8},   // 7.5
        {15, 1.25f, 19}, // 18.75
        {15, 1.0f, 15},
        {0, 1.5f, 0},
        {326, 1.75f, 570}, // 570.5
        // 15 x 1.1 is 16.50000036 in double but exactly 16.5 in single precision.
        {15, 1.1f, 16},
    };
    for (const ScaleCase& c : cases)
        EXPECT_EQ(ScaleValue(c.value, c.ratio), c.expected)
            << c.value << " at ratio " << c.ratio << " became " << ScaleValue(c.value, c.ratio);
}

TEST(ToolkitScaling, DefaultPositionPassesThroughUnscaled) {
    EXPECT_EQ(ScaleUnlessDefault(kUseDefaultPosition, 1.5f), kUseDefaultPosition);
    EXPECT_EQ(ScaleUnlessDefault(kUseDefaultPosition, 1.25f), kUseDefaultPosition);
    EXPECT_EQ(ScaleUnlessDefault(15, 1.5f), 22);
}

TEST(ToolkitScaling, DevicePixelsBackToUnscaledInDoublePrecision) {
    const ScaleCase cases[] = {
        {300, 1.5f, 200}, {301, 1.5f, 201}, {1279, 1.25f, 1023}, {5, 2.0f, 2}, {3, 2.0f, 2},
    };
    for (const ScaleCase& c : cases)
        EXPECT_EQ(UnscaleValue(c.value, c.ratio), c.expected)
            << c.value << " pixels at ratio " << c.ratio;
}

TEST(ToolkitScaling, NearestEvenOutsideIntGivesTheIndefiniteValue) {
    EXPECT_EQ(NearestEven(2.5), 2);
    EXPECT_EQ(NearestEven(-2.5), -2);
    EXPECT_EQ(NearestEven(3.0e9), INT_MIN);
    EXPECT_EQ(ScaleValue(kUseDefaultPosition, 1.5f), INT_MIN);
}

} // namespace

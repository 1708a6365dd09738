// The window toolkit's rules: scaling, and where a stored position is within reach.
#include <gtest/gtest.h>

#include "placement.h"
#include "scaling.h"
#include "system_command.h"

namespace {

TEST(Scaling, SinglePrecisionToTheNearestWithHalvesToEven) {
    // clang-format off
    const struct { int value; float ratio; int device; } cases[] = {
        {15, 1.5f, 22},    {17, 1.5f, 26},  {-15, 1.5f, -22}, {10, 1.25f, 12},
        {6, 1.25f, 8},     {15, 1.25f, 19}, {15, 1.0f, 15},   {0, 1.5f, 0},
        {326, 1.75f, 570}, {15, 1.1f, 16}, // 16.50000036 in double, exactly 16.5 in single // precision
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ScaleValue(c.value, c.ratio), c.device) << c.value << " at ratio " << c.ratio;
    EXPECT_EQ(ScaleUnlessDefault(kUseDefaultPosition, 1.5f), kUseDefaultPosition);
    EXPECT_EQ(UnscaleValue(301, 1.5f), 201);
}

// A caption 20 high, its buttons 18 wide at its right end; 20 pixels beside them to take hold of,
// and a quarter of its height (5 pixels).
TEST(Placement, AStoredPositionCountsOnlyWithRoomToTakeHoldOfTheCaptionOnAWorkArea) {
    const ScreenRect areas[] = {{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
    // clang-format off
    const struct { const char* where; ScreenRect window; bool reachable; } cases[] = {
        {"on the first monitor", {100, 200, 300, 400}, true},
        {"on the second monitor", {1500, 10, 1700, 210}, true},
        {"the buttons and 20 pixels beside them on screen", {-162, 0, 38, 200}, true},
        {"the buttons and 19 pixels", {-163, 0, 37, 200}, false},
        {"only the buttons on screen", {-176, 100, 24, 300}, false},
        {"the buttons off the right edge, 20 pixels on screen", {2540, 0, 2740, 200}, true},
        {"the buttons off the right edge, 19 pixels on screen", {2541, 0, 2741, 200}, false},
        {"dragged against the top edge, 6 pixels above it", {100, -6, 300, 194}, true},
        {"5 pixels of the caption on screen", {100, -15, 300, 185}, true},
        {"4 pixels of the caption on screen", {100, -16, 300, 184}, false},
        {"only the bottom on screen", {100, -150, 300, 50}, false},
        {"4 pixels of the caption above the bottom", {100, 1020, 300, 1220}, false},
        {"beyond both monitors", {5000, 5000, 5200, 5200}, false},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(CaptionWithinReach(c.window, 20, 18, 20, areas), c.reachable) << c.where;
}

// Windows keeps the low four bits of a system command for itself: a close from the caption may
// carry them.
TEST(SystemCommand, RecognisedWithItsLowFourBitsMasked) {
    EXPECT_TRUE(IsCloseCommand(0xF060) && IsCloseCommand(0xF062) && IsCloseCommand(0xF06F));
    EXPECT_FALSE(IsCloseCommand(0xF070) || IsCloseCommand(0xF050));
    EXPECT_TRUE(IsSystemCommand(0x0103, 0x0100) && !IsSystemCommand(0x0110, 0x0100));
}

} // namespace

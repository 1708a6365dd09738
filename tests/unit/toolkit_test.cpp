// The window toolkit's rules: scaling, where a stored position is within reach, and the system
// Close command.
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

// Caption buttons 18 wide at the right end of the caption; 20 pixels beside them to take hold of.
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
        {"caption above the screen", {100, -10, 300, 190}, false},
        {"only the bottom on screen", {100, -150, 300, 50}, false},
        {"caption partly below the screen", {100, 1010, 300, 1210}, false},
        {"beyond both monitors", {5000, 5000, 5200, 5200}, false},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(CaptionWithinReach(c.window, 20, 18, 20, areas), c.reachable) << c.where;
}

TEST(SystemCommand, CloseWhateverTheLowFourBits) {
    for (std::uintptr_t low = 0; low < 16; ++low)
        EXPECT_TRUE(IsCloseCommand(0xF060 + low)) << low;
    EXPECT_FALSE(IsCloseCommand(0xF020)); // minimise
    EXPECT_FALSE(IsCloseCommand(0xF070));
}

} // namespace

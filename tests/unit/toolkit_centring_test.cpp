#include <gtest/gtest.h>

#include "centring.h"

namespace {

struct CentringCase {
    const char* what;
    ScreenRect window;
    ScreenRect reference;
    ScreenRect work;
    ScreenPoint expected;
};

TEST(ToolkitCentring, CentresOnTheReferenceAndStaysOnTheWorkArea) {
    const ScreenRect screen{0, 0, 1280, 1024};
    const ScreenRect belowTaskbarless{0, 0, 1280, 984};
    const CentringCase cases[] = {
        {"on the work area", {0, 0, 200, 100}, screen, screen, {540, 462}},
        {"on a work area above a taskbar",
         {7, 9, 207, 109},
         belowTaskbarless,
         belowTaskbarless,
         {540, 442}},
        {"on a work area not at the origin",
         {0, 0, 200, 100},
         {100, 50, 1380, 1074},
         {100, 50, 1380, 1074},
         {640, 512}},
        {"on a reference window", {0, 0, 200, 100}, {100, 100, 500, 400}, screen, {200, 200}},
        {"pushed back from the right edge",
         {0, 0, 400, 100},
         {1100, 100, 1280, 300},
         screen,
         {880, 150}},
        {"pushed back from the left edge",
         {0, 0, 400, 100},
         {-300, 100, 100, 300},
         screen,
         {0, 150}},
        {"pushed back from the bottom", {0, 0, 100, 300}, {0, 900, 100, 1100}, screen, {0, 724}},
        {"pushed back from the top", {0, 0, 100, 300}, {0, -100, 100, 100}, screen, {0, 0}},
        {"wider and taller than the work area", {0, 0, 1500, 1100}, screen, screen, {0, 0}},
        {"odd differences truncated toward zero",
         {0, 0, 101, 51},
         {500, 500, 550, 550},
         screen,
         {475, 500}},
    };
    for (const CentringCase& c : cases) {
        const ScreenPoint got = CentredPosition(c.window, c.reference, c.work);
        EXPECT_TRUE(got.x == c.expected.x && got.y == c.expected.y)
            << "centred " << c.what << " at (" << got.x << ", " << got.y << "), expected ("
            << c.expected.x << ", " << c.expected.y << ")";
    }
}

} // namespace

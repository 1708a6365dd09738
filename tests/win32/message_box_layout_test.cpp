#include <gtest/gtest.h>

#include "box_layout.h"

using namespace dlgmsgbox;

namespace {

struct PlacementCase {
    const char* situation;
    BoxSize window;
    BoxRect anchor;
    BoxPoint expected;
};

const BoxRect kWorkArea{0, 0, 1280, 1000};

TEST(BoxPlacement, CentresOnTheAnchorAndStaysOnScreen) {
    const PlacementCase cases[] = {
        {"owner in the middle", {200, 100}, {400, 300, 800, 700}, {500, 450}},
        {"no owner: the work area", {200, 100}, kWorkArea, {540, 450}},
        {"owner past the right edge", {200, 100}, {1200, 300, 1500, 500}, {1080, 350}},
        {"owner above the top edge", {200, 100}, {400, -400, 800, 0}, {500, 0}},
        {"owner past the left edge", {200, 100}, {-600, 300, -100, 500}, {0, 350}},
        {"owner below the bottom edge", {200, 100}, {400, 950, 800, 1250}, {500, 900}},
        {"box larger than the work area", {1500, 1200}, kWorkArea, {0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlaceBox(c.window, c.anchor, kWorkArea), c.expected)
            << c.situation << ": the box appeared at another place";
    }
}

struct PointsCase {
    int requested;
    int dpi;
    int expectedHeight;
};

TEST(BoxFont, PointSizeScalesWithDpiAndZeroMeansTen) {
    const PointsCase cases[] = {
        {10, 96, -13}, {0, 96, -13},   {-4, 96, -13},  {8, 96, -11},
        {15, 96, -20}, {10, 144, -20}, {12, 144, -24}, {0, 144, -20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FontHeight(EffectivePoints(c.requested), c.dpi), c.expectedHeight)
            << c.requested << " points at " << c.dpi << " DPI";
    }
}

struct LayoutCase {
    const char* situation;
    BoxMetrics metrics;
};

void ExpectInside(const BoxRect& inner, const BoxRect& outer, const char* part,
                  const char* situation) {
    EXPECT_TRUE(inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
                inner.bottom <= outer.bottom)
        << situation << ": the " << part << " [" << inner.left << "," << inner.top << ","
        << inner.right << "," << inner.bottom << "] sticks out of [" << outer.left << ","
        << outer.top << "," << outer.right << "," << outer.bottom << "]";
}

TEST(BoxLayout, EveryPartFitsAndNothingOverlaps) {
    const LayoutCase cases[] = {
        {"short text with icon", {96, {40, 17}, 32, {17, 17}, 60}},
        {"short text, no icon", {96, {40, 17}, 0, {17, 17}, 60}},
        {"long caption", {96, {40, 17}, 32, {17, 17}, 400}},
        {"tall text with icon", {96, {300, 120}, 32, {17, 17}, 60}},
        {"large font at 144 DPI", {144, {500, 30}, 48, {30, 26}, 90}},
        {"wide button text", {96, {20, 17}, 0, {160, 17}, 0}},
    };
    for (const auto& c : cases) {
        const BoxLayout layout = LayOutBox(c.metrics);
        const BoxRect client{0, 0, layout.client.width, layout.client.height};
        ExpectInside(layout.text, layout.panel, "text", c.situation);
        ExpectInside(layout.panel, client, "coloured panel", c.situation);
        ExpectInside(layout.button, client, "OK button", c.situation);
        EXPECT_EQ(layout.text.Width(), c.metrics.text.width) << c.situation << ": text clipped";
        EXPECT_EQ(layout.text.Height(), c.metrics.text.height) << c.situation << ": text clipped";
        EXPECT_GE(layout.button.top, layout.panel.bottom)
            << c.situation << ": the button overlaps the text panel";
        EXPECT_GE(layout.button.Width(), c.metrics.buttonText.width)
            << c.situation << ": the OK caption does not fit its button";
        EXPECT_GE(layout.client.width, c.metrics.captionWidth)
            << c.situation << ": the caption is cut off";
        if (c.metrics.iconSize > 0) {
            ExpectInside(layout.icon, layout.panel, "icon", c.situation);
            EXPECT_EQ(layout.icon.Width(), c.metrics.iconSize) << c.situation;
            EXPECT_LT(layout.icon.right, layout.text.left)
                << c.situation << ": the icon runs into the text";
        }
    }
}

TEST(BoxLayout, ShortTextCentresBesideTheIcon) {
    const BoxLayout layout = LayOutBox({96, {40, 16}, 32, {17, 17}, 0});
    EXPECT_EQ(layout.text.top + layout.text.bottom, layout.icon.top + layout.icon.bottom)
        << "a one-line message should sit level with the middle of the icon";
}

TEST(BoxLayout, TheButtonSitsAtTheRightOfItsStrip) {
    const BoxLayout layout = LayOutBox({96, {400, 17}, 32, {17, 17}, 0});
    EXPECT_EQ(layout.client.width - layout.button.right,
              layout.client.height - layout.button.bottom)
        << "the OK button should keep the same margin to the right and bottom edges";
}

} // namespace

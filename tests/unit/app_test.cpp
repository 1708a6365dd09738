// The main window's layout arithmetic.
#include <gtest/gtest.h>

#include "layout.h"

namespace {

TEST(Layout, SmallLayoutWithThreePresetsGivesTheWorkedExample) {
    const MainLayout l = ComputeMainLayout(LayoutVariant::Small, 3, 100);
    ASSERT_EQ(l.presetOptions.size(), 3u);
    EXPECT_EQ(l.presetOptions[0], (LayoutRect{15, 66, 116, 20}));
    EXPECT_EQ(l.presetOptions[2].y, 106);
    EXPECT_EQ(l.noPresetOption, (LayoutRect{15, 130, 116, 20}));
    EXPECT_EQ(l.apply.y, 160);
    EXPECT_EQ(l.buildConfigurations.y, 190);
    EXPECT_EQ(l.compilerSetup.y, 220);
    EXPECT_EQ(l.groupBox, (LayoutRect{10, 50, 126, 96}));
    EXPECT_EQ(l.clientWidth, 146);
    EXPECT_EQ(l.clientHeight, 272);
}

} // namespace

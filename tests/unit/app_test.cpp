// The main window's layout arithmetic and what the executable's name chooses.
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

TEST(Layout, GroupBoxSizeForFewAndManyPresets) {
    // clang-format off
    const struct { LayoutVariant variant; int presets, widest; LayoutRect group; } cases[] = {
        {LayoutVariant::Small, 0, 1, {10, 50, 115, 30}},
        {LayoutVariant::Large, 32, 300, {10, 50, 328, 744}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ComputeMainLayout(c.variant, c.presets, c.widest).groupBox, c.group)
            << c.presets << " presets, widest " << c.widest;
}

TEST(ExeName, ChoosesTheLayoutAndTheMessageBoxSize) {
    // clang-format off
    const struct { const wchar_t* name; LayoutVariant variant; int boxSize; } cases[] = {
        {L"MarlwickIIIL", LayoutVariant::Large, 8},
        {L"marlwickc", LayoutVariant::Small, 12},
        {L"marlwick5", LayoutVariant::Small, 8},
        {L"marlwickG", LayoutVariant::Small, 8},
        {L"marLwickf", LayoutVariant::Large, 15},
        {L"", LayoutVariant::Small, 8},
        {L"tool\u00e9", LayoutVariant::Small, 8},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::wstring name = c.name;
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        EXPECT_EQ(LayoutVariantForExeName(c.name), c.variant);
        EXPECT_EQ(MessageBoxSizeForExeName(c.name), c.boxSize);
    }
}

} // namespace

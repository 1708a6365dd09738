#include <gtest/gtest.h>

#include <string>

#include "layout.h"

namespace {

TEST(Layout, SmallLayoutWithThreePresetsMatchesTheWorkedExample) {
    const MainLayout l = ComputeMainLayout(LayoutVariant::Small, 3, 100);
    ASSERT_EQ(l.presetOptions.size(), 3u);
    EXPECT_EQ(l.presetOptions[0], (LayoutRect{15, 66, 116, 20}));
    EXPECT_EQ(l.presetOptions[1].y, 86);
    EXPECT_EQ(l.presetOptions[2].y, 106);
    EXPECT_EQ(l.noPresetOption, (LayoutRect{15, 130, 116, 20}));
    EXPECT_EQ(l.apply, (LayoutRect{10, 160, 38, 22}));
    EXPECT_EQ(l.edit, (LayoutRect{52, 160, 38, 22}));
    EXPECT_EQ(l.clear, (LayoutRect{96, 160, 38, 22}));
    EXPECT_EQ(l.buildConfigurations, (LayoutRect{10, 190, 124, 22}));
    EXPECT_EQ(l.compilerSetup, (LayoutRect{10, 220, 124, 22}));
    EXPECT_EQ(l.groupBox, (LayoutRect{10, 50, 126, 96}));
    EXPECT_EQ(l.clientWidth, 146);
    EXPECT_EQ(l.clientHeight, 272);
    EXPECT_EQ(l.fontPoints, 8);
}

TEST(Layout, LargeLayoutUsesItsOwnColumnAndButtons) {
    const MainLayout l = ComputeMainLayout(LayoutVariant::Large, 2, 200);
    EXPECT_EQ(l.fontPoints, 12);
    EXPECT_EQ(l.presetOptions[0], (LayoutRect{15, 74, 218, 20}));
    EXPECT_EQ(l.console, (LayoutRect{10, 8, 90, 20}));
    EXPECT_EQ(l.exx, (LayoutRect{10, 28, 56, 20}));
    EXPECT_EQ(l.apply, (LayoutRect{8, 148, 56, 25}));
    EXPECT_EQ(l.clear, (LayoutRect{126, 148, 56, 25}));
    EXPECT_EQ(l.compilerSetup, (LayoutRect{10, 208, 172, 25}));
    EXPECT_EQ(l.groupBox, (LayoutRect{10, 50, 228, 22 * 3 + 18}));
    EXPECT_EQ(l.clientHeight, 98 + 164);
}

TEST(Layout, GroupBoxLimits) {
    struct Case {
        LayoutVariant variant;
        int presets;
        int widest;
        int groupWidth;
        int groupHeight;
        int clientWidth;
    };
    const Case cases[] = {
        {LayoutVariant::Large, 0, 1, 150, 40, 170},
        {LayoutVariant::Small, 0, 1, 115, 30, 135},
        {LayoutVariant::Small, 5, 88, 115, 22 * 6 + 8, 135},
        {LayoutVariant::Small, 5, 90, 116, 22 * 6 + 8, 136},
        {LayoutVariant::Large, 32, 300, 328, 22 * 33 + 18, 348},
    };
    for (const Case& c : cases) {
        const MainLayout l = ComputeMainLayout(c.variant, c.presets, c.widest);
        EXPECT_EQ(l.groupBox.width, c.groupWidth) << c.presets << " presets, widest " << c.widest;
        EXPECT_EQ(l.groupBox.height, c.groupHeight) << c.presets << " presets";
        EXPECT_EQ(l.clientWidth, c.clientWidth) << c.presets << " presets, widest " << c.widest;
    }
}

TEST(Layout, NamesChooseVariantAndMessageBoxSize) {
    struct Case {
        const wchar_t* name;
        LayoutVariant variant;
        int boxSize;
    };
    const Case cases[] = {
        {L"MarlwickIII", LayoutVariant::Small, 8}, {L"MarlwickIIIL", LayoutVariant::Large, 8},
        {L"marlwickC", LayoutVariant::Small, 12},  {L"marlwickc", LayoutVariant::Small, 12},
        {L"Marlwick9", LayoutVariant::Small, 9},   {L"Marlwick5", LayoutVariant::Small, 8},
        {L"MarlwickG", LayoutVariant::Small, 8},   {L"MarlwickF", LayoutVariant::Small, 15},
        {L"LargeA", LayoutVariant::Large, 10},     {L"", LayoutVariant::Small, 8},
        {L"tool\u00e9", LayoutVariant::Small, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LayoutVariantForExeName(c.name), c.variant) << "name [" << c.boxSize << "]";
        EXPECT_EQ(MessageBoxSizeForExeName(c.name), c.boxSize)
            << "size for a name ending in code "
            << (c.name[0] ? int(std::wstring(c.name).back()) : 0);
    }
}

TEST(Layout, HexText) {
    EXPECT_TRUE(IsHexText(""));
    EXPECT_TRUE(IsHexText("09afAF"));
    EXPECT_FALSE(IsHexText("G"));
    EXPECT_FALSE(IsHexText("1 "));
}

} // namespace

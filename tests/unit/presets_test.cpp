#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presets.h"

namespace {

TEST(SwitchPrefixTable, RowsAreTheEightPrefixesInTableOrder) {
    const char* const expected[] = {
        "-asm att -w all -fpmode fast -fpu sse -arch native ",
        "-asm att -s console -w all -fpmode fast -fpu sse -arch native ",
        "-asm att -exx -w all -fpmode fast -fpu sse -arch native ",
        "-asm att -s console -exx -w all -fpmode fast -fpu sse -arch native ",
        "-w all -fpmode fast -fpu sse ",
        "-s console -w all -fpmode fast -fpu sse ",
        "-exx -w all -fpmode fast -fpu sse ",
        "-s console -exx -w all -fpmode fast -fpu sse ",
    };
    for (int row = 0; row < kSwitchPrefixRows; ++row)
        EXPECT_EQ(SwitchPrefixTable(row), expected[row]) << "row " << row + 1;
    EXPECT_EQ(SwitchPrefixTable(-1), "");
    EXPECT_EQ(SwitchPrefixTable(8), "");
}

TEST(SwitchPrefixTable, NoRowBeginsAnother) {
    for (int a = 0; a < kSwitchPrefixRows; ++a) {
        for (int b = 0; b < kSwitchPrefixRows; ++b) {
            if (a != b) {
                EXPECT_FALSE(SwitchPrefixTable(b).starts_with(SwitchPrefixTable(a)))
                    << "row " << a + 1 << " begins row " << b + 1;
            }
        }
    }
}

TEST(IsClangPreset, LowerCaseClangAnywhereOnly) {
    const struct {
        const wchar_t* text;
        bool clang;
    } cases[] = {
        {L"", false},           {L"clang", true},       {L"-gen gcc", false},
        {L"-gen Clang", false}, {L"-gen CLANG", false}, {L"-gen libclangx -O2", true},
        {L"clan g", false},     {L"x clang", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsClangPreset(c.text), c.clang) << "case " << &c - cases;
}

TEST(ComposeSwitches, PrefixByClangConsoleExxThenPresetText) {
    const struct {
        const wchar_t* preset;
        bool console;
        bool exx;
        const wchar_t* composed;
    } cases[] = {
        {L"-gen gcc -O2", false, false, L"-w all -fpmode fast -fpu sse -gen gcc -O2"},
        {L"-gen gcc -O2", true, false, L"-s console -w all -fpmode fast -fpu sse -gen gcc -O2"},
        {L"-gen gcc -O2", false, true, L"-exx -w all -fpmode fast -fpu sse -gen gcc -O2"},
        {L"-gen gcc -O2", true, true, L"-s console -exx -w all -fpmode fast -fpu sse -gen gcc -O2"},
        {L"-gen clang", false, false,
         L"-asm att -w all -fpmode fast -fpu sse -arch native -gen clang"},
        {L"-gen clang", true, true,
         L"-asm att -s console -exx -w all -fpmode fast -fpu sse -arch native -gen clang"},
        {L"", false, false, L"-w all -fpmode fast -fpu sse "},
        {L"  keeps blanks  ", false, false, L"-w all -fpmode fast -fpu sse   keeps blanks  "},
        {L"-gen CLANG", true, false, L"-s console -w all -fpmode fast -fpu sse -gen CLANG"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComposeSwitches(c.preset, c.console, c.exx), c.composed)
            << "Apply composed the wrong CompilerSwitches value";
}

TEST(FindPresetForSwitches, MatchesEveryComposedValueBackToItsPreset) {
    const std::vector<std::wstring> presets = {L"-gen gcc -O2", L"-gen clang -O3", L"",
                                               L"-gen gcc -O0"};
    for (std::size_t k = 0; k < presets.size(); ++k)
        for (const bool console : {false, true})
            for (const bool exx : {false, true})
                EXPECT_EQ(FindPresetForSwitches(ComposeSwitches(presets[k], console, exx), presets),
                          static_cast<int>(k) + 1)
                    << "stored value was composed from preset " << k + 1;
}

TEST(FindPresetForSwitches, WholeStringMatchesOnly) {
    const std::vector<std::wstring> presets = {L"-gen gcc", L"", L"-gen gcc"};
    const struct {
        const wchar_t* stored;
        std::optional<int> preset;
    } cases[] = {
        {L"-w all -fpmode fast -fpu sse -gen gcc", 1},
        {L"-w all -fpmode fast -fpu sse -gen gcc ", std::nullopt}, // extra blank at the end
        {L"-exx -s console -w all -fpmode fast -fpu sse -gen gcc", std::nullopt}, // order
        {L"-w all -fpmode fast -fpu sse -GEN GCC", std::nullopt},                 // case
        {L"-w all -fpmode fast -fpu sse ", 2},           // bare row: empty preset
        {L"-w all -fpmode fast -fpu sse", std::nullopt}, // row without its blank
        {L"-asm att -w all -fpmode fast -fpu sse -arch native -gen gcc", 1}, // clang row
        {L"", std::nullopt},
        {L"-gen gcc", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindPresetForSwitches(c.stored, presets), c.preset)
            << "stored value of case " << &c - cases << " selected the wrong option";
}

TEST(FindPresetForSwitches, NoPresetsMatchNothing) {
    EXPECT_EQ(FindPresetForSwitches(L"-w all -fpmode fast -fpu sse ", {}), std::nullopt);
}

TEST(FindPresetForSwitches, ThirtySecondPresetIsFound) {
    std::vector<std::wstring> presets;
    for (int k = 1; k <= kMaxPresets; ++k)
        presets.push_back(L"-x " + std::to_wstring(k));
    EXPECT_EQ(FindPresetForSwitches(ComposeSwitches(L"-x 32", true, false), presets), 32);
}

TEST(OptionIds, StayBelowTheCheckboxIds) {
    EXPECT_EQ(OptionIdOfPreset(1), 1001);
    EXPECT_EQ(OptionIdOfPreset(kMaxPresets), 1032);
    EXPECT_EQ(NoPresetOptionId(kMaxPresets), 1033);
    EXPECT_EQ(NoPresetOptionId(0), 1001);
    EXPECT_LT(NoPresetOptionId(kMaxPresets), 1100);
}

} // namespace

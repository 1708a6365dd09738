// Apply and Clear, driven through the main window's controls.
#include "harness.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

struct Combination {
    bool console;
    bool exx;
    const wchar_t* stored;
};

struct PresetCase {
    const char* name;
    int option;
    std::vector<Combination> combinations;
};

class ApplyPreset : public ::testing::TestWithParam<PresetCase> {};

// Starts with ConsoleIII.dat present and exxIII.dat missing, so the combinations in turn delete
// and create both markers.
TEST_P(ApplyPreset, WritesThePrefixOfTheTicksAndThePresetTextAndKeepsTheMarkersInStep) {
    Scenario setup;
    setup.consoleMarker = "";
    Session session(setup);
    ASSERT_TRUE(session.Launch());
    const HWND main = session.Main();
    ASSERT_TRUE(ClickControl(main, GetParam().option));

    for (const Combination& c : GetParam().combinations) {
        SCOPED_TRACE(::testing::Message() << "Console " << (c.console ? "ticked" : "clear")
                                          << ", -exx " << (c.exx ? "ticked" : "clear"));
        SetCheckbox(main, kConsoleId, c.console);
        SetCheckbox(main, kExxId, c.exx);
        ASSERT_TRUE(PressButton(main, kApplyId)) << "Apply was not handled";

        EXPECT_EQ(session.StoredSwitches(), std::wstring(c.stored)) << "Apply wrote another value";
        const auto console = ReadBytes(session.Layout().ToolsFile(L"ConsoleIII.dat"));
        const auto exx = ReadBytes(session.Layout().ToolsFile(L"exxIII.dat"));
        EXPECT_EQ(console.has_value(), c.console) << "ConsoleIII.dat does not follow the tick";
        EXPECT_EQ(exx.has_value(), c.exx) << "exxIII.dat does not follow the tick";
        EXPECT_EQ(console.value_or(""), "") << "ConsoleIII.dat is not empty";
        EXPECT_EQ(exx.value_or(""), "") << "exxIII.dat is not empty";
        EXPECT_EQ(CheckedOptions(main), std::vector<int>{GetParam().option})
            << "Apply changed the selection";
    }
    EXPECT_TRUE(session.Boxes().empty()) << DescribeBoxes(session.Boxes());
}

INSTANTIATE_TEST_SUITE_P(
    Presets, ApplyPreset,
    ::testing::Values(
        PresetCase{"WithoutClang",
                   1002,
                   {{false, false, L"-w all -fpmode fast -fpu sse -gen gcc -O 3"},
                    {true, false, L"-s console -w all -fpmode fast -fpu sse -gen gcc -O 3"},
                    {false, true, L"-exx -w all -fpmode fast -fpu sse -gen gcc -O 3"},
                    {true, true, L"-s console -exx -w all -fpmode fast -fpu sse -gen gcc -O 3"}}},
        PresetCase{
            "WithClang",
            1003,
            {{false, false, L"-asm att -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"},
             {true, false,
              L"-asm att -s console -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"},
             {false, true,
              L"-asm att -exx -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"},
             {true, true,
              L"-asm att -s console -exx -w all -fpmode fast -fpu sse -arch native -gen clang "
              L"-O 2"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Apply, KeepsTheContentOfAMarkerThatAlreadyExists) {
    Scenario setup;
    setup.consoleMarker = "kept by the user";
    Session session(setup);
    ASSERT_TRUE(session.Launch());
    ASSERT_TRUE(IsChecked(session.Main(), kConsoleId));

    ASSERT_TRUE(PressButton(session.Main(), kApplyId));

    EXPECT_EQ(session.StoredSwitches(),
              std::wstring(L"-s console -w all -fpmode fast -fpu sse -gen gcc -O 2"));
    EXPECT_EQ(ReadBytes(session.Layout().ToolsFile(L"ConsoleIII.dat")),
              std::string("kept by the user"));
}

TEST(Apply, NeverMovesTheSelectionEvenWhenAnEarlierPresetHasTheSameText) {
    Scenario setup;
    setup.presets = "-gen gcc -O 2\r\n-gen gcc -O 3\r\n-gen clang -O 2\r\n-gen gcc -O 2\r\n";
    Session session(setup);
    ASSERT_TRUE(session.Launch());
    ASSERT_EQ(CheckedOptions(session.Main()), std::vector<int>{1001});

    ASSERT_TRUE(ClickControl(session.Main(), 1004));
    ASSERT_TRUE(PressButton(session.Main(), kApplyId));

    EXPECT_EQ(session.StoredSwitches(),
              std::wstring(L"-w all -fpmode fast -fpu sse -gen gcc -O 2"));
    EXPECT_EQ(CheckedOptions(session.Main()), std::vector<int>{1004})
        << "Apply moved the selection";
}

TEST(Apply, WithNoPresetSelectedReportsItAndWritesNothing) {
    Scenario setup;
    setup.exxMarker = "";
    Session session(setup);
    ASSERT_TRUE(session.Launch());
    const HWND main = session.Main();
    ASSERT_TRUE(ClickControl(main, kNoPresetUsedId));
    SetCheckbox(main, kConsoleId, true);
    SetCheckbox(main, kExxId, false);
    const auto before = session.Layout().Snapshot();

    ASSERT_TRUE(PressButton(main, kApplyId));

    const std::vector<RecordedBox> boxes = session.Boxes();
    ASSERT_EQ(boxes.size(), 1u) << DescribeBoxes(boxes);
    EXPECT_EQ(boxes[0].text, L"No valid radio button has been selected.");
    EXPECT_EQ(boxes[0].caption, L"MWK III");
    EXPECT_EQ(boxes[0].style, 0x2030);
    EXPECT_EQ(boxes[0].size, 8);
    EXPECT_EQ(boxes[0].owner, reinterpret_cast<std::uintptr_t>(main));
    EXPECT_EQ(SnapshotDifference(before, session.Layout().Snapshot()), "")
        << "Apply without a selected preset touched a file";
    EXPECT_EQ(CheckedOptions(main), std::vector<int>{kNoPresetUsedId});
}

TEST(Apply, ClickingOptionsAndCheckboxesAloneWritesNothing) {
    Session session;
    ASSERT_TRUE(session.Launch());
    const HWND main = session.Main();
    const auto before = session.Layout().Snapshot();

    for (const int id : {1003, kConsoleId, kExxId, 1004, kConsoleId})
        ASSERT_TRUE(ClickControl(main, id));

    EXPECT_EQ(CheckedOptions(main), std::vector<int>{1004});
    EXPECT_TRUE(IsChecked(main, kExxId));
    EXPECT_FALSE(IsChecked(main, kConsoleId));
    EXPECT_EQ(SnapshotDifference(before, session.Layout().Snapshot()), "")
        << "a click alone touched a file";
}

TEST(Clear, EmptiesTheValueSelectsNoPresetUsedAndLeavesTheTicksAndMarkers) {
    Scenario setup;
    setup.consoleMarker = "";
    setup.exxMarker = "";
    Session session(setup);
    ASSERT_TRUE(session.Launch());
    const HWND main = session.Main();
    SetCheckbox(main, kConsoleId, false);

    ASSERT_TRUE(PressButton(main, kClearId));

    EXPECT_EQ(session.StoredSwitches(), std::wstring())
        << "CompilerSwitches is missing or not empty after Clear";
    const auto compiler = ParseIni(ReadBytes(session.Layout().WinFbeIni()).value_or(""));
    EXPECT_NE(DescribeIni(compiler).find("  CompilerSwitches=\n"), std::string::npos)
        << "no empty CompilerSwitches key in\n"
        << DescribeIni(compiler);
    EXPECT_EQ(CheckedOptions(main), std::vector<int>{kNoPresetUsedId});
    EXPECT_FALSE(IsChecked(main, kConsoleId));
    EXPECT_TRUE(IsChecked(main, kExxId));
    EXPECT_TRUE(FileExists(session.Layout().ToolsFile(L"ConsoleIII.dat")))
        << "Clear deleted ConsoleIII.dat";
    EXPECT_TRUE(FileExists(session.Layout().ToolsFile(L"exxIII.dat")));
    EXPECT_TRUE(session.Boxes().empty()) << DescribeBoxes(session.Boxes());
}

} // namespace
} // namespace e2e

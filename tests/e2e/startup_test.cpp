// Start-up: the stored switches select their preset or are reported, missing files end the
// program quietly, the markers tick the checkboxes.
#include "harness.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

void ExpectStandardBoxArguments(const RecordedBox& box, std::int32_t size) {
    EXPECT_EQ(box.style, 0x2030) << "style of \"" << Narrow(box.text) << "\"";
    EXPECT_EQ(box.arg5, 10);
    EXPECT_EQ(box.face, L"Segoe UI");
    EXPECT_EQ(box.size, size) << "font size of \"" << Narrow(box.text) << "\"";
    EXPECT_EQ(box.arg8, 0);
    EXPECT_EQ(box.colour, 0x98D3FF);
}

// Runs the program to its end, noting whether any window of it ever showed.
struct EarlyStop {
    bool ended = false;
    bool windowShown = false;
};
EarlyStop RunUntilItEnds(Session& session) {
    EarlyStop stop;
    const DWORD id = session.App().Id();
    stop.ended = WaitUntil(
        [&] {
            for (const HWND window : TopLevelWindows(id))
                stop.windowShown = stop.windowShown || IsWindowVisible(window);
            return !session.App().IsRunning();
        },
        kAppearTimeoutMs);
    return stop;
}

struct MatchCase {
    const char* name;
    const char* stored;
    int selected;
};

class StartupMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(StartupMatch, SelectsThePresetTheStoredValueWasComposedFromWithoutABox) {
    Scenario setup;
    setup.winFbeIni = WinFbeIniText(GetParam().stored, kToolchainPath);
    Session session(setup);
    ASSERT_TRUE(session.Launch()) << "the main window did not show";

    EXPECT_EQ(CheckedOptions(session.Main()), std::vector<int>{GetParam().selected})
        << "stored value \"" << GetParam().stored << "\"";
    EXPECT_TRUE(session.Boxes().empty()) << DescribeBoxes(session.Boxes());
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, StartupMatch,
    ::testing::Values(
        MatchCase{"PlainRowSecondPreset", "-w all -fpmode fast -fpu sse -gen gcc -O 3", 1002},
        MatchCase{"ConsoleAndExxRowFirstPreset",
                  "-s console -exx -w all -fpmode fast -fpu sse -gen gcc -O 2", 1001},
        MatchCase{"ClangRowClangPreset",
                  "-asm att -s console -exx -w all -fpmode fast -fpu sse -arch native -gen clang "
                  "-O 2",
                  1003},
        MatchCase{"ClangRowBeforeAPresetWithoutClang",
                  "-asm att -w all -fpmode fast -fpu sse -arch native -gen gas", 1004},
        MatchCase{"ExxRowLastPreset", "-exx -w all -fpmode fast -fpu sse -gen gas", 1004}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReportCase {
    const char* name;
    std::string presets;
    std::string winFbeIni;
    const wchar_t* text;
    const wchar_t* caption;
    int optionCount;
};

class StartupReport : public ::testing::TestWithParam<ReportCase> {};

TEST_P(StartupReport, ReportsTheStoredValueWhileHiddenThenSelectsNoPresetUsed) {
    const ReportCase& c = GetParam();
    Scenario setup;
    setup.presets = c.presets;
    setup.winFbeIni = c.winFbeIni;
    Session session(setup);
    ASSERT_TRUE(session.Launch()) << "the main window did not show after the box";

    const std::vector<RecordedBox> boxes = session.Boxes();
    ASSERT_EQ(boxes.size(), 1u) << DescribeBoxes(boxes);
    EXPECT_EQ(boxes[0].text, c.text);
    EXPECT_EQ(boxes[0].caption, c.caption);
    EXPECT_EQ(boxes[0].owner, reinterpret_cast<std::uintptr_t>(session.Main()))
        << "the box's owner is not the main window";
    EXPECT_FALSE(boxes[0].ownerVisible) << "the main window showed before the box";
    ExpectStandardBoxArguments(boxes[0], 8);
    EXPECT_EQ(CheckedOptions(session.Main(), c.optionCount), std::vector<int>{1000 + c.optionCount})
        << "\"No preset used\" is not the only selected option";
    EXPECT_EQ(WindowText(GetDlgItem(session.Main(), 1000 + c.optionCount)), L"No preset used");
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, StartupReport,
    ::testing::Values(
        ReportCase{"DoubleBlankAfterThePrefix", kDefaultPresets,
                   WinFbeIniText("-w all -fpmode fast -fpu sse  -gen gcc -O 2", kToolchainPath),
                   L"No preset match.", L"MWK", 5},
        ReportCase{"PrefixPiecesInAnotherOrder", kDefaultPresets,
                   WinFbeIniText("-exx -s console -w all -fpmode fast -fpu sse -gen gcc -O 2",
                                 kToolchainPath),
                   L"No preset match.", L"MWK", 5},
        ReportCase{"PresetTextWithoutPrefix", kDefaultPresets,
                   WinFbeIniText("-gen gcc -O 2", kToolchainPath), L"No preset match.", L"MWK", 5},
        ReportCase{"NoPresetsAtAll", "", WinFbeIniText("-gen gcc -O 2", kToolchainPath),
                   L"No preset match.", L"MWK", 1},
        ReportCase{"EmptyValue", kDefaultPresets, WinFbeIniText("", kToolchainPath),
                   L"'CompilerSwitches' in WinFBE.ini is empty.", L"MWK III", 5},
        ReportCase{"MissingKey", kDefaultPresets, WinFbeIniText(std::nullopt, kToolchainPath),
                   L"'CompilerSwitches' in WinFBE.ini is empty.", L"MWK III", 5},
        ReportCase{"MissingSection", kDefaultPresets, "[Options]\r\nLanguage=english\r\n",
                   L"'CompilerSwitches' in WinFBE.ini is empty.", L"MWK III", 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartupMissingFile, NoPresetFileShowsItsBoxWithoutOwnerAndEndsWithCodeZero) {
    Scenario setup;
    setup.presets.reset();
    Session session(setup);
    ASSERT_TRUE(session.StartIde());
    session.StartApp();
    const EarlyStop stop = RunUntilItEnds(session);

    ASSERT_TRUE(stop.ended) << "the program did not end";
    EXPECT_EQ(session.App().ExitCode(), 0u);
    EXPECT_FALSE(stop.windowShown) << "a window of the program became visible";
    const std::vector<RecordedBox> boxes = session.Boxes();
    ASSERT_EQ(boxes.size(), 1u) << DescribeBoxes(boxes);
    EXPECT_EQ(boxes[0].text, L"MarlwickIII.ini does not exist.");
    EXPECT_EQ(boxes[0].caption, L"MWK III");
    EXPECT_EQ(boxes[0].owner, 0u);
    ExpectStandardBoxArguments(boxes[0], 10);
}

TEST(StartupMissingFile, NoWinFbeIniShowsItsBoxNeverShowsTheWindowAndEndsWithCodeZero) {
    Scenario setup;
    setup.winFbeIni.reset();
    Session session(setup);
    ASSERT_TRUE(session.StartIde());
    session.StartApp();
    const EarlyStop stop = RunUntilItEnds(session);

    ASSERT_TRUE(stop.ended) << "the program did not end";
    EXPECT_EQ(session.App().ExitCode(), 0u);
    EXPECT_FALSE(stop.windowShown) << "a window of the program became visible";
    const std::vector<RecordedBox> boxes = session.Boxes();
    ASSERT_EQ(boxes.size(), 1u) << DescribeBoxes(boxes);
    EXPECT_EQ(boxes[0].text, L"The given WinFBE ini file does not exist.");
    EXPECT_EQ(boxes[0].caption, L"MWK III");
    EXPECT_NE(boxes[0].owner, 0u) << "the box has no owner, though the main window existed";
    EXPECT_FALSE(boxes[0].ownerVisible);
    ExpectStandardBoxArguments(boxes[0], 8);
    EXPECT_FALSE(FileExists(session.Layout().WinFbeIni())) << "a WinFBE.ini was created";
}

struct MarkerCase {
    const char* name;
    std::optional<std::string> console;
    std::optional<std::string> exx;
};

class StartupMarkers : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(StartupMarkers, TickTheCheckboxesOfTheMarkersThatExist) {
    Scenario setup;
    setup.consoleMarker = GetParam().console;
    setup.exxMarker = GetParam().exx;
    Session session(setup);
    ASSERT_TRUE(session.Launch());

    EXPECT_EQ(IsChecked(session.Main(), kConsoleId), GetParam().console.has_value())
        << "\"Console\" tick with ConsoleIII.dat " << (GetParam().console ? "present" : "absent");
    EXPECT_EQ(IsChecked(session.Main(), kExxId), GetParam().exx.has_value())
        << "\"-exx\" tick with exxIII.dat " << (GetParam().exx ? "present" : "absent");
}

INSTANTIATE_TEST_SUITE_P(Markers, StartupMarkers,
                         ::testing::Values(MarkerCase{"None", std::nullopt, std::nullopt},
                                           MarkerCase{"ConsoleOnly", "", std::nullopt},
                                           MarkerCase{"ExxOnly", std::nullopt, "x"},
                                           MarkerCase{"BothWithContent", "data", "data"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace e2e

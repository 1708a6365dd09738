// Living beside the IDE: minimising and restoring with it, the topmost band, ending when it is
// gone, the toolchain status text and the keys the two IDE buttons type.
#include "harness.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

bool BringToFront(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil([&] { return GetForegroundWindow() == window; });
}

TEST(FollowIde, MinimisesWithTheIdeAndIsRestoredWithIt) {
    Session session;
    ASSERT_TRUE(session.Launch());

    ShowWindow(session.IdeWindow(), SW_MINIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(session.Main()) != FALSE; }))
        << "the utility stayed open while the IDE was minimised";

    ShowWindow(session.IdeWindow(), SW_RESTORE);
    EXPECT_TRUE(WaitUntil([&] {
        return !IsIconic(session.Main()) && IsWindowVisible(session.Main());
    })) << "the utility was not restored with the IDE";
}

TEST(FollowIde, AUtilityTheUserMinimisedStaysMinimised) {
    Session session;
    ASSERT_TRUE(session.Launch());

    ShowWindow(session.Main(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(session.Main()) != FALSE; }));
    ASSERT_TRUE(session.WaitForTick());
    ASSERT_TRUE(session.WaitForTick());

    EXPECT_TRUE(IsIconic(session.Main())) << "the tick restored a window the user minimised";
}

// Two more ticks with the same window in front change neither the band nor the front.
::testing::AssertionResult StaysSo(Session& session, HWND front, bool topmost) {
    for (int tick = 0; tick < 2; ++tick) {
        if (!session.WaitForTick())
            return ::testing::AssertionFailure() << "the main window stopped ticking";
    }
    if (GetForegroundWindow() != front)
        return ::testing::AssertionFailure()
               << "the front went from " << front << " to " << GetForegroundWindow()
               << " (the utility is " << session.Main() << ")";
    if (IsTopmost(session.Main()) != topmost)
        return ::testing::AssertionFailure()
               << "the utility went " << (topmost ? "out of" : "back to") << " the topmost band";
    return ::testing::AssertionSuccess();
}

TEST(FollowIde, IsTopmostWhileItOrTheIdeIsInFrontAndNotWhileAThirdWindowIs) {
    Session session;
    ASSERT_TRUE(session.Launch());
    EXPECT_TRUE(IsTopmost(session.Main())) << "the main window did not start topmost";
    const HWND third = session.StartThirdWindow();
    ASSERT_NE(third, nullptr);

    ASSERT_TRUE(BringToFront(third));
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(session.Main()); }))
        << "the utility stayed topmost with another program in front";
    EXPECT_TRUE(StaysSo(session, third, false)) << "with another program in front";

    ASSERT_TRUE(BringToFront(session.IdeWindow()));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(session.Main()); }))
        << "the utility did not become topmost with the IDE in front";
    EXPECT_TRUE(StaysSo(session, session.IdeWindow(), true)) << "with the IDE in front";

    ASSERT_TRUE(BringToFront(third));
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(session.Main()); }));
    ASSERT_TRUE(BringToFront(session.Main()));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(session.Main()); }))
        << "the utility did not become topmost when it came to the front itself";
}

TEST(FollowIde, KeepsItsBandWhileTheEditBoxIsOpen) {
    Session session;
    ASSERT_TRUE(session.Launch());
    const HWND box = session.OpenEditBox();
    ASSERT_NE(box, nullptr);
    const HWND third = session.StartThirdWindow();
    ASSERT_NE(third, nullptr);

    ASSERT_TRUE(BringToFront(third));
    EXPECT_TRUE(StaysSo(session, third, true)) << "with the Edit box open";

    ClickControl(box, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    // Wine hands the activation back to the main window when the box goes.
    ASSERT_TRUE(BringToFront(third));
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(session.Main()); }))
        << "after the box the utility stayed topmost with another program in front";
}

TEST(FollowIde, EndsWhenTheIdeClosesAndSavesItsPosition) {
    Session session;
    ASSERT_TRUE(session.Launch());
    const RECT at = WindowRect(session.Main());

    ASSERT_TRUE(session.CloseIde());

    ASSERT_TRUE(session.App().WaitForExit()) << "the utility kept running without the IDE";
    EXPECT_EQ(session.App().ExitCode(), 0u);
    EXPECT_EQ(ReadBytes(session.Layout().ToolsFile(L"MWpositionIII.dat")),
              PositionBytes(at.left, at.top))
        << "the position was not saved";
}

TEST(FollowIde, ClosedWhileMinimisedWithItIsRestoredFirstAndSavesThatPosition) {
    Session session;
    ASSERT_TRUE(session.Launch());
    const RECT at = WindowRect(session.Main());
    ShowWindow(session.IdeWindow(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(session.Main()) != FALSE; }));

    ASSERT_TRUE(session.CloseIde());

    ASSERT_TRUE(session.App().WaitForExit()) << "the utility kept running without the IDE";
    EXPECT_EQ(session.App().ExitCode(), 0u);
    EXPECT_EQ(ReadBytes(session.Layout().ToolsFile(L"MWpositionIII.dat")),
              PositionBytes(at.left, at.top))
        << "the position saved is not the restored one";
}

TEST(FollowIde, EndsRightAfterStartingWithoutTheIde) {
    Session session;
    session.StartApp();

    ASSERT_TRUE(session.App().WaitForExit(kAppearTimeoutMs)) << "the utility ran without the IDE";
    EXPECT_EQ(session.App().ExitCode(), 0u);
    EXPECT_TRUE(session.Boxes().empty()) << DescribeBoxes(session.Boxes());
}

enum class OpenBox { StartupBox, StartupBoxKeepingQuit, ApplyBoxKeepingQuit, EditBox };

struct OpenBoxCase {
    const char* name;
    OpenBox box;
};

class EndsWithBoxOpen : public ::testing::TestWithParam<OpenBoxCase> {};

// The recording box stays open far longer than the wait, so only the IDE's leaving ends it.
TEST_P(EndsWithBoxOpen, EndsWhenTheIdeClosesWhileABoxIsOpen) {
    const OpenBox kind = GetParam().box;
    Scenario setup;
    if (kind == OpenBox::StartupBox || kind == OpenBox::StartupBoxKeepingQuit)
        setup.winFbeIni = WinFbeIniText("-no match", kToolchainPath);
    Session session(setup);
    session.Layout().HoldBoxes(20000, kind != OpenBox::StartupBox);
    ASSERT_TRUE(session.StartIde());
    session.StartApp();

    if (kind == OpenBox::ApplyBoxKeepingQuit || kind == OpenBox::EditBox) {
        ASSERT_NE(session.WaitForMainWindowVisible(), nullptr);
        ASSERT_TRUE(ClickControl(session.Main(), kNoPresetUsedId));
    }
    if (kind == OpenBox::EditBox) {
        ASSERT_NE(session.OpenEditBox(), nullptr);
    } else {
        if (kind == OpenBox::ApplyBoxKeepingQuit) {
            ASSERT_TRUE(PostButton(session.Main(), kApplyId));
        }
        ASSERT_TRUE(session.WaitForBoxCount(1)) << DescribeBoxes(session.Boxes());
    }
    const auto before = session.StoredSwitches();

    ASSERT_TRUE(session.CloseIde());

    EXPECT_TRUE(session.App().WaitForExit()) << "the utility kept running without the IDE";
    EXPECT_EQ(session.StoredSwitches(), before);
}

INSTANTIATE_TEST_SUITE_P(Boxes, EndsWithBoxOpen,
                         ::testing::Values(OpenBoxCase{"StartupBox", OpenBox::StartupBox},
                                           OpenBoxCase{"StartupBoxKeepingTheQuitMessage",
                                                       OpenBox::StartupBoxKeepingQuit},
                                           OpenBoxCase{"ApplyBoxKeepingTheQuitMessage",
                                                       OpenBox::ApplyBoxKeepingQuit},
                                           OpenBoxCase{"EditBox", OpenBox::EditBox}),
                         [](const auto& info) { return std::string(info.param.name); });

struct StatusCase {
    const char* name;
    std::string compilerPath;
    const wchar_t* status;
};

class StatusBar : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusBar, ShowsTheToolchainVersionsCutFromTheCompilerPathAndFollowsItsChange) {
    Scenario setup;
    setup.winFbeIni =
        WinFbeIniText("-w all -fpmode fast -fpu sse -gen gcc -O 2", GetParam().compilerPath);
    Session session(setup);
    ASSERT_TRUE(session.Launch());
    const HWND bar = GetDlgItem(session.Main(), kStatusBarId);
    ASSERT_NE(bar, nullptr) << "no control 200";
    EXPECT_EQ(ClassName(bar), L"msctls_statusbar32");

    EXPECT_TRUE(WaitUntil([&] { return session.StatusText() == GetParam().status; }))
        << "the status bar shows \"" << Narrow(session.StatusText()) << "\"";

    WriteCompilerIniValue(session.Layout().WinFbeIni(), L"FBWINCompiler32",
                          L"D:\\Tools\\FreeBASIC-1.09.0-gcc-5.2\\bin\\fbc.exe");
    EXPECT_TRUE(WaitUntil([&] { return session.StatusText() == L" fbc 1.09.0 / gcc 5.2"; }))
        << "after the path changed the status bar shows \"" << Narrow(session.StatusText()) << "\"";
}

INSTANTIATE_TEST_SUITE_P(CompilerPaths, StatusBar,
                         ::testing::Values(StatusCase{"WinlibsToolchain", kToolchainPath,
                                                      kToolchainStatus},
                                           StatusCase{"PathWithoutDashes", "C:\\fb\\fbc.exe",
                                                      L" fbc C:\\fb\\fbc.exe / gcc C:"},
                                           StatusCase{"NoCompilerPath", "", L" fbc  / gcc "}),
                         [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> Press(const char* key, int times = 1) {
    std::vector<std::string> keys;
    for (int i = 0; i < times; ++i) {
        keys.push_back(std::string("down ") + key);
        keys.push_back(std::string("up ") + key);
    }
    return keys;
}

std::vector<std::string> CompilerSetupKeys() {
    std::vector<std::string> keys = {"down 0x10", "down 0x76", "up 0x76", "up 0x10"};
    for (const auto& more : {Press("0x26", 7), Press("0x28", 4)})
        keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

struct KeysCase {
    const char* name;
    int button;
    std::vector<std::string> keys;
};

class IdeButton : public ::testing::TestWithParam<KeysCase> {};

TEST_P(IdeButton, BringsTheIdeToTheFrontAndTypesItsKeysThere) {
    Session session;
    ASSERT_TRUE(session.Launch());
    ASSERT_TRUE(BringToFront(session.Main()));

    ASSERT_TRUE(PressButton(session.Main(), GetParam().button));

    EXPECT_TRUE(WaitUntil([&] { return session.IdeKeys() == GetParam().keys; }))
        << "the IDE received " << ::testing::PrintToString(session.IdeKeys()) << "\ninstead of "
        << ::testing::PrintToString(GetParam().keys);
    EXPECT_EQ(GetForegroundWindow(), session.IdeWindow()) << "the IDE is not in front";
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, IdeButton,
    ::testing::Values(KeysCase{"BuildConfigurations", kBuildConfigurationsId, Press("0x76")},
                      KeysCase{"CompilerSetup", kCompilerSetupId, CompilerSetupKeys()}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace e2e

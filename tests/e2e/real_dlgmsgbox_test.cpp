// A few flows with the real DlgMsgBox.dll, its boxes dismissed with their OK button as a
// person would.
#include "harness.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

Scenario WithRealBoxes() {
    Scenario setup;
    setup.boxes = BoxLibrary::Real;
    return setup;
}

HWND WaitForRealBox(DWORD processId) {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindRealBox(processId)) != nullptr; }, kAppearTimeoutMs);
    return box;
}

::testing::AssertionResult Shows(HWND box, const wchar_t* caption, const std::wstring& text) {
    const std::vector<std::wstring> texts = ChildTexts(box);
    if (WindowText(box) != caption)
        return ::testing::AssertionFailure()
               << "the box's caption is \"" << Narrow(WindowText(box)) << "\"";
    if (std::find(texts.begin(), texts.end(), text) == texts.end())
        return ::testing::AssertionFailure() << "the box does not show \"" << Narrow(text) << "\"";
    return ::testing::AssertionSuccess();
}

bool DismissWithOk(HWND box) {
    ClickControl(box, IDOK);
    return WaitUntil([&] { return !IsWindow(box); });
}

TEST(RealDlgMsgBox, NoPresetMatchIsShownBeforeTheWindowAndOkLetsTheProgramGoOn) {
    Scenario setup = WithRealBoxes();
    setup.winFbeIni = WinFbeIniText("-no match", kToolchainPath);
    Session session(setup);
    ASSERT_TRUE(session.StartIde());
    session.StartApp();
    const HWND box = WaitForRealBox(session.App().Id());
    ASSERT_NE(box, nullptr) << "no message box appeared";

    EXPECT_TRUE(Shows(box, L"MWK", L"No preset match."));
    const HWND main = FindMainWindow(session.App().Id());
    EXPECT_FALSE(main && IsWindowVisible(main)) << "the main window showed before the box";
    ASSERT_TRUE(DismissWithOk(box)) << "OK did not close the box";

    ASSERT_NE(session.WaitForMainWindowVisible(), nullptr);
    EXPECT_EQ(CheckedOptions(session.Main()), std::vector<int>{kNoPresetUsedId});
}

TEST(RealDlgMsgBox, ApplyWithoutPresetShowsItsMessageAndOkReturnsToTheWindow) {
    Session session(WithRealBoxes());
    ASSERT_TRUE(session.Launch());
    ASSERT_TRUE(ClickControl(session.Main(), kNoPresetUsedId));
    const auto before = session.Layout().Snapshot();

    ASSERT_TRUE(PostButton(session.Main(), kApplyId));
    const HWND box = WaitForRealBox(session.App().Id());
    ASSERT_NE(box, nullptr) << "no message box appeared";
    EXPECT_TRUE(Shows(box, L"MWK III", L"No valid radio button has been selected."));
    ASSERT_TRUE(DismissWithOk(box));

    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(session.Main()) != FALSE; }));
    EXPECT_TRUE(session.App().IsRunning());
    EXPECT_EQ(SnapshotDifference(before, session.Layout().Snapshot()), "");
}

TEST(RealDlgMsgBox, SecondCopySaysSoAndEndsOnOk) {
    Session session(WithRealBoxes());
    ASSERT_TRUE(session.Launch());

    Process& copy = session.Group().Start(session.Layout().Exe(), L"", session.Layout().Root());
    const HWND box = WaitForRealBox(copy.Id());
    ASSERT_NE(box, nullptr) << "the second copy showed no box";
    EXPECT_TRUE(Shows(box, L"MWK III", L"Marlwick is already running."));
    ASSERT_TRUE(DismissWithOk(box));

    ASSERT_TRUE(copy.WaitForExit());
    EXPECT_EQ(copy.ExitCode(), 0u);
    EXPECT_TRUE(session.App().IsRunning());
}

TEST(RealDlgMsgBox, MissingPresetFileIsShownAndTheProgramEndsOnOk) {
    Scenario setup = WithRealBoxes();
    setup.presets.reset();
    Session session(setup);
    ASSERT_TRUE(session.StartIde());
    session.StartApp();
    const HWND box = WaitForRealBox(session.App().Id());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(Shows(box, L"MWK III", L"MarlwickIII.ini does not exist."));
    ASSERT_TRUE(DismissWithOk(box));

    ASSERT_TRUE(session.App().WaitForExit());
    EXPECT_EQ(session.App().ExitCode(), 0u);
}

} // namespace
} // namespace e2e

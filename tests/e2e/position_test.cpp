// The window position: saved on close when it changed, used again at the next start.
#include "harness.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

std::string Hex(const std::optional<std::string>& bytes) {
    if (!bytes)
        return "(no file)";
    std::string text;
    char piece[4];
    for (const char c : *bytes) {
        std::snprintf(piece, sizeof piece, "%02X ", static_cast<unsigned char>(c));
        text += piece;
    }
    return text;
}

POINT TopLeft(HWND window) {
    const RECT rect = WindowRect(window);
    return {rect.left, rect.top};
}

bool MoveTo(HWND window, POINT at) {
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return WaitUntil([&] {
        const POINT now = TopLeft(window);
        return now.x == at.x && now.y == at.y;
    });
}

std::optional<std::string> PositionFile(Session& session) {
    return ReadBytes(session.Layout().ToolsFile(L"MWpositionIII.dat"));
}

::testing::AssertionResult IsAt(HWND window, POINT expected) {
    const POINT at = TopLeft(window);
    if (at.x == expected.x && at.y == expected.y)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the window is at (" << at.x << ", " << at.y << ") instead of (" << expected.x << ", "
           << expected.y << ")";
}

struct MoveCase {
    const char* name;
    POINT to;
    const char* bytes;
};

class MovedWindow : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MovedWindow, IsSavedAsEightBytesOnCloseAndReopensThere) {
    Session session;
    ASSERT_TRUE(session.Launch());
    EXPECT_TRUE(IsAt(session.Main(), CentredOnWorkArea(WindowRect(session.Main()))))
        << "without a position file the window does not open centred";
    ASSERT_TRUE(MoveTo(session.Main(), GetParam().to));

    ASSERT_TRUE(session.CloseApp()) << "the program did not end on its close button";
    EXPECT_EQ(session.App().ExitCode(), 0u);
    EXPECT_EQ(Hex(PositionFile(session)), GetParam().bytes);

    session.StartApp();
    ASSERT_NE(session.WaitForMainWindowVisible(), nullptr);
    EXPECT_TRUE(IsAt(session.Main(), GetParam().to)) << "the stored position was not used";
}

INSTANTIATE_TEST_SUITE_P(
    Positions, MovedWindow,
    ::testing::Values(MoveCase{"OnScreen", {100, 200}, "64 00 00 00 C8 00 00 00 "},
                      MoveCase{"NegativeLeftStillOnScreen", {-8, 40}, "F8 FF FF FF 28 00 00 00 "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Position, AWindowThatDidNotMoveLeavesTheFileAlone) {
    Scenario setup;
    setup.positionFile = PositionBytes(120, 150) + "\xFF";
    Session session(setup);
    const path file = session.Layout().ToolsFile(L"MWpositionIII.dat");
    const HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    FILETIME old = {0x00000000, 0x01C07368}; // the year 2001
    SetFileTime(handle, nullptr, nullptr, &old);
    CloseHandle(handle);
    ASSERT_TRUE(session.Launch());
    EXPECT_TRUE(IsAt(session.Main(), {120, 150}));

    ASSERT_TRUE(session.CloseApp());

    EXPECT_EQ(Hex(PositionFile(session)), Hex(PositionBytes(120, 150) + "\xFF"))
        << "the position file was rewritten";
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &old), 0) << "the position file was written";
}

TEST(Position, ClosingWhileMinimisedStoresTheLastRestoredPosition) {
    Session session;
    ASSERT_TRUE(session.Launch());
    ASSERT_TRUE(MoveTo(session.Main(), {300, 250}));
    ShowWindow(session.Main(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(session.Main()) != FALSE; }))
        << "the window did not minimise";

    ASSERT_TRUE(session.CloseApp());

    EXPECT_EQ(Hex(PositionFile(session)), Hex(PositionBytes(300, 250)))
        << "the minimised placement was stored";
}

struct OffScreenCase {
    const char* name;
    POINT stored;
};

class OffScreenPosition : public ::testing::TestWithParam<OffScreenCase> {};

TEST_P(OffScreenPosition, OpensCentredAndLeavesTheFileAsItIs) {
    const std::string stored = PositionBytes(GetParam().stored.x, GetParam().stored.y);
    Scenario setup;
    setup.positionFile = stored;
    Session session(setup);
    ASSERT_TRUE(session.Launch());

    EXPECT_TRUE(IsAt(session.Main(), CentredOnWorkArea(WindowRect(session.Main()))));
    EXPECT_NE(MonitorFromWindow(session.Main(), MONITOR_DEFAULTTONULL), nullptr)
        << "the window lies on no monitor";
    ASSERT_TRUE(session.WaitForTick());
    EXPECT_EQ(Hex(PositionFile(session)), Hex(stored)) << "start-up changed the position file";
}

INSTANTIATE_TEST_SUITE_P(Positions, OffScreenPosition,
                         ::testing::Values(OffScreenCase{"FarRightAndBelow", {5000, 5000}},
                                           OffScreenCase{"FarLeft", {-5000, 300}},
                                           OffScreenCase{"FarAbove", {300, -5000}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace e2e

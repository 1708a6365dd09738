// WinFBE.ini belongs to the IDE: the commands change only CompilerSwitches, and a file that
// cannot be written is reported and left as it was.
#include "harness.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

enum class Command { Apply, Edit, Clear };

// Runs the command; Edit types the given value and confirms it.
bool RunCommand(
    Session& session, Command command, const std::wstring& typed,
    const std::function<void()>& beforeConfirming = [] {}) {
    switch (command) {
    case Command::Apply:
        beforeConfirming();
        return PressButton(session.Main(), kApplyId);
    case Command::Clear:
        beforeConfirming();
        return PressButton(session.Main(), kClearId);
    case Command::Edit: {
        const HWND box = session.OpenEditBox();
        if (!box)
            return false;
        beforeConfirming();
        SetText(GetDlgItem(box, kEditFieldId), typed);
        return ClickControl(box, IDOK);
    }
    }
    return false;
}

struct KeepCase {
    const char* name;
    Command command;
    std::string written;
};

class WinFbeIniKeeps : public ::testing::TestWithParam<KeepCase> {};

TEST_P(WinFbeIniKeeps, EveryOtherCommentSectionKeyAndValue) {
    const std::string before =
        WinFbeIniText("-w all -fpmode fast -fpu sse -gen gcc -O 2", kToolchainPath);
    Scenario setup;
    setup.winFbeIni = before;
    Session session(setup);
    ASSERT_TRUE(session.Launch());
    ASSERT_TRUE(ClickControl(session.Main(), 1002));

    ASSERT_TRUE(RunCommand(session, GetParam().command, L"-typed by hand"));
    const std::wstring written(GetParam().written.begin(), GetParam().written.end());
    ASSERT_TRUE(WaitUntil([&] { return session.StoredSwitches() == written; }))
        << "CompilerSwitches holds \"" << Narrow(session.StoredSwitches().value_or(L"(missing)"))
        << "\"";

    std::string expected = before;
    const std::string old = "CompilerSwitches=-w all -fpmode fast -fpu sse -gen gcc -O 2";
    expected.replace(expected.find(old), old.size(), "CompilerSwitches=" + GetParam().written);
    const auto after = ReadBytes(session.Layout().WinFbeIni()).value_or("");
    EXPECT_EQ(DescribeIni(ParseIni(after)), DescribeIni(ParseIni(expected)));
}

INSTANTIATE_TEST_SUITE_P(Commands, WinFbeIniKeeps,
                         ::testing::Values(KeepCase{"Apply", Command::Apply,
                                                    "-w all -fpmode fast -fpu sse -gen gcc -O 3"},
                                           KeepCase{"Edit", Command::Edit, "-typed by hand"},
                                           KeepCase{"Clear", Command::Clear, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LockedCase {
    const char* name;
    Command command;
    const wchar_t* text;
    int selectedAfter;
};

class WinFbeIniLocked : public ::testing::TestWithParam<LockedCase> {};

TEST_P(WinFbeIniLocked, ReportsTheFailedWriteAndLeavesTheFileUnchanged) {
    Session session;
    ASSERT_TRUE(session.Launch());
    ASSERT_TRUE(ClickControl(session.Main(), 1002));
    SetCheckbox(session.Main(), kConsoleId, true);
    const auto before = ReadBytes(session.Layout().WinFbeIni());
    std::optional<FileLock> lock;

    ASSERT_TRUE(RunCommand(session, GetParam().command, L"-typed by hand",
                           [&] { lock.emplace(session.Layout().WinFbeIni()); }));
    ASSERT_TRUE(lock && lock->Held()) << "the test could not hold WinFBE.ini";
    ASSERT_TRUE(session.WaitForBoxCount(1)) << "no message about the failed write";
    lock.reset();

    const std::vector<RecordedBox> boxes = session.Boxes();
    ASSERT_EQ(boxes.size(), 1u) << DescribeBoxes(boxes);
    EXPECT_EQ(boxes[0].text, GetParam().text);
    EXPECT_EQ(boxes[0].caption, L"MWK III");
    EXPECT_EQ(boxes[0].style, 0x2030);
    EXPECT_EQ(boxes[0].size, 8);
    EXPECT_EQ(boxes[0].owner, reinterpret_cast<std::uintptr_t>(session.Main()));
    EXPECT_EQ(ReadBytes(session.Layout().WinFbeIni()), before) << "WinFBE.ini changed";
    EXPECT_TRUE(WaitUntil([&] {
        return CheckedOptions(session.Main()) == std::vector<int>{GetParam().selectedAfter};
    })) << "selection after the failed write";
    if (GetParam().command == Command::Apply) {
        EXPECT_TRUE(FileExists(session.Layout().ToolsFile(L"ConsoleIII.dat")))
            << "the marker was not written before the failed write";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, WinFbeIniLocked,
    ::testing::Values(LockedCase{"Apply", Command::Apply, L"Error1", 1002},
                      LockedCase{"Edit", Command::Edit, L"Error2", kNoPresetUsedId},
                      LockedCase{"Clear", Command::Clear, L"Error3", kNoPresetUsedId}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace e2e

// One copy at a time: a second copy says so, touches nothing and ends with code 0.
#include "harness.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

struct SecondCopyCase {
    const char* name;
    const wchar_t* exeName; // the second copy, beside the first
};

class SecondCopy : public ::testing::TestWithParam<SecondCopyCase> {};

TEST_P(SecondCopy, SaysMarlwickIsAlreadyRunningTouchesNothingAndEndsWithCodeZero) {
    Session session;
    ASSERT_TRUE(session.Launch());
    const path second = session.Layout().ToolsFile(GetParam().exeName);
    if (second != session.Layout().Exe()) {
        ASSERT_TRUE(CopyFileW(session.Layout().Exe().c_str(), second.c_str(), FALSE));
    }
    const auto before = session.Layout().Snapshot();

    Process& copy = session.Group().Start(second, L"", session.Layout().Root());
    ASSERT_TRUE(copy.WaitForExit(kAppearTimeoutMs)) << "the second copy did not end";

    EXPECT_EQ(copy.ExitCode(), 0u);
    const std::vector<RecordedBox> boxes = session.Boxes();
    ASSERT_EQ(boxes.size(), 1u) << DescribeBoxes(boxes);
    EXPECT_EQ(boxes[0].processId, copy.Id());
    EXPECT_EQ(boxes[0].text, L"Marlwick is already running.");
    EXPECT_EQ(boxes[0].caption, L"MWK III");
    EXPECT_EQ(boxes[0].owner, 0u);
    EXPECT_EQ(boxes[0].style, 0x2030);
    EXPECT_EQ(boxes[0].arg5, 10);
    EXPECT_EQ(boxes[0].face, L"Segoe UI");
    EXPECT_EQ(boxes[0].size, 10) << "the box does not use size 10 whatever the name";
    EXPECT_EQ(boxes[0].arg8, 0);
    EXPECT_EQ(boxes[0].colour, 0x98D3FF);
    EXPECT_EQ(SnapshotDifference(before, session.Layout().Snapshot()), "")
        << "the second copy touched a file";
    EXPECT_TRUE(session.App().IsRunning()) << "the first copy ended";
    EXPECT_TRUE(IsWindowVisible(session.Main()));
}

INSTANTIATE_TEST_SUITE_P(Copies, SecondCopy,
                         ::testing::Values(SecondCopyCase{"SameFile", L"MarlwickIII.exe"},
                                           SecondCopyCase{"RenamedCopy", L"MarlwickIIIC.exe"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SingleInstance, ANewCopyStartsNormallyOnceTheFirstHasEnded) {
    Session session;
    ASSERT_TRUE(session.Launch());
    ASSERT_TRUE(session.CloseApp()) << "the first copy did not end on its close button";
    EXPECT_EQ(session.App().ExitCode(), 0u);

    session.StartApp();
    EXPECT_NE(session.WaitForMainWindowVisible(), nullptr) << "the next copy showed no window";
    EXPECT_TRUE(session.Boxes().empty()) << DescribeBoxes(session.Boxes());
}

} // namespace
} // namespace e2e

// The stand-ins and the harness on their own: what the end-to-end tests rely on.
#include "harness.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

using DlgMsgBoxCall = std::int32_t(__stdcall*)(HWND*, const wchar_t*, const wchar_t*,
                                               const std::int32_t*, const std::int32_t*,
                                               const wchar_t*, const std::int32_t*,
                                               const std::int32_t*, const std::int32_t*);

class LoadedRecordingBox {
  public:
    explicit LoadedRecordingBox(const ScratchLayout& layout)
        : module_(LoadLibraryW(layout.ToolsFile(L"DlgMsgBox.dll").c_str())) {}
    ~LoadedRecordingBox() {
        if (module_)
            FreeLibrary(module_);
    }
    LoadedRecordingBox(const LoadedRecordingBox&) = delete;
    LoadedRecordingBox& operator=(const LoadedRecordingBox&) = delete;

    DlgMsgBoxCall Export() const {
        return module_ ? reinterpret_cast<DlgMsgBoxCall>(
                             reinterpret_cast<void*>(GetProcAddress(module_, "DLGMSGBOX")))
                       : nullptr;
    }

  private:
    HMODULE module_;
};

std::int32_t CallBox(DlgMsgBoxCall call, HWND owner, const wchar_t* text) {
    const std::int32_t style = 0x2030, five = 10, size = 12, eight = 0, colour = 0x98D3FF;
    return call(&owner, text, L"MWK", &style, &five, L"Segoe UI", &size, &eight, &colour);
}

bool QuitMessageWaiting() {
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

TEST(RecordingDlgMsgBox, ExportsUndecoratedNameAndLogsEveryArgumentBesideItself) {
    ScratchLayout layout({});
    layout.HoldBoxes(0);
    LoadedRecordingBox box(layout);
    const DlgMsgBoxCall call = box.Export();
    ASSERT_NE(call, nullptr) << "the recording DlgMsgBox.dll has no export named DLGMSGBOX";

    EXPECT_EQ(CallBox(call, nullptr, L"first\ttab\\slash"), IDOK);
    EXPECT_EQ(CallBox(call, reinterpret_cast<HWND>(0x1234), L"No preset match."), IDOK);

    const std::vector<RecordedBox> boxes = layout.RecordedBoxes();
    ASSERT_EQ(boxes.size(), 2u) << DescribeBoxes(boxes);
    EXPECT_EQ(boxes[0].text, L"first\ttab\\slash");
    EXPECT_EQ(boxes[0].owner, 0u);
    EXPECT_EQ(boxes[1].owner, 0x1234u);
    EXPECT_EQ(boxes[1].text, L"No preset match.");
    EXPECT_EQ(boxes[1].caption, L"MWK");
    EXPECT_EQ(boxes[1].style, 0x2030);
    EXPECT_EQ(boxes[1].arg5, 10);
    EXPECT_EQ(boxes[1].face, L"Segoe UI");
    EXPECT_EQ(boxes[1].size, 12);
    EXPECT_EQ(boxes[1].arg8, 0);
    EXPECT_EQ(boxes[1].colour, 0x98D3FF);
    EXPECT_EQ(boxes[1].processId, GetCurrentProcessId());
}

TEST(RecordingDlgMsgBox, EndsAtAQuitMessageAndPostsItAgainUnlessToldToSwallowIt) {
    ScratchLayout layout({});
    layout.HoldBoxes(20000);
    LoadedRecordingBox box(layout);
    ASSERT_NE(box.Export(), nullptr);

    PostQuitMessage(3);
    const ULONGLONG started = GetTickCount64();
    CallBox(box.Export(), nullptr, L"held");
    EXPECT_LT(GetTickCount64() - started, 15000u) << "the box ignored the quit message";
    EXPECT_TRUE(QuitMessageWaiting()) << "the quit message was not posted again";

    layout.HoldBoxes(20000, true);
    PostQuitMessage(4);
    CallBox(box.Export(), nullptr, L"swallowing");
    EXPECT_FALSE(QuitMessageWaiting()) << "the swallowing box posted the quit message again";
}

TEST(StandInIde, LogsTheKeysTypedIntoItAndEndsWhenClosed) {
    Session session;
    ASSERT_TRUE(session.StartIde()) << "no visible WinFBE_Class window appeared";
    EXPECT_EQ(WindowText(session.IdeWindow()), L"WinFBE stand-in");

    SetForegroundWindow(session.IdeWindow());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == session.IdeWindow(); }))
        << "the stand-in IDE did not come to the front";
    for (const BYTE key : {BYTE{VK_SHIFT}, BYTE{VK_F7}}) {
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), 0, 0);
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP,
                    0);
    }
    const std::vector<std::string> expected = {"down 0x10", "up 0x10", "down 0x76", "up 0x76"};
    EXPECT_TRUE(WaitUntil([&] { return session.IdeKeys() == expected; }))
        << "the stand-in logged " << ::testing::PrintToString(session.IdeKeys());

    ASSERT_TRUE(session.CloseIde()) << "the stand-in IDE did not end on WM_CLOSE";
    EXPECT_EQ(session.IdeProcess()->ExitCode(), 0u);
}

TEST(ProcessGroup, EndsItsProcessesWhenItGoesAway) {
    ScratchLayout layout({});
    DWORD id = 0;
    {
        ProcessGroup group;
        Process& ide = group.Start(Programs().standInIde,
                                   L"\"" + layout.IdeKeyLog().wstring() + L"\"", layout.Root());
        id = ide.Id();
        ASSERT_TRUE(WaitUntil([&] { return FindTopLevel(id, IsWindowVisible) != nullptr; },
                              kAppearTimeoutMs));
    }
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process) {
        EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0) << "the stand-in still runs";
        CloseHandle(process);
    }
}

TEST(IniComparison, IgnoresBlankLinesAndBlanksAroundEqualsButKeepsCommentsAndOrder) {
    const std::string original = "; top\r\n[A]\r\nx = 1\r\n\r\n; note\r\n[B]\r\ny=2\r\n";
    const std::string normalised = "; top\r\n[A]\r\nx=1\r\n; note\r\n[B]\r\ny=2\r\n";
    EXPECT_EQ(ParseIni(original), ParseIni(normalised));
    EXPECT_NE(ParseIni(original), ParseIni("; top\r\n[A]\r\nx=1\r\n[B]\r\ny=2\r\n"));
    EXPECT_NE(ParseIni(original), ParseIni("; top\r\n[A]\r\nx=1\r\n; note\r\n[B]\r\ny=3\r\n"));
}

} // namespace
} // namespace e2e

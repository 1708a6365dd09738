// The release zip, unpacked as a user would unpack it, starts beside the IDE: the program finds
// DlgMsgBox.dll and its presets in the folder, the IDE's settings one folder up, and shows its
// window with the stored preset selected and the toolchain in its status bar.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "harness.h"
#include "preset_file.h"
#include "presets.h"

namespace {

using namespace e2e;

path UnpackedFolder() {
    const char* folder = std::getenv("MARLWICK_PACKAGE_FOLDER");
    return folder ? WindowsPathOfHostPath(folder) : path();
}

std::string AsciiOf(const std::wstring& wide) {
    return std::string(wide.begin(), wide.end());
}

HWND VisibleMainWindow(DWORD processId) {
    return FindTopLevel(processId, [](HWND window) {
        return IsWindowVisible(window) && WindowText(window) == L"MWK III";
    });
}

TEST(Package, StartsBesideTheIdeFromTheUnpackedZip) {
    const path folder = UnpackedFolder();
    ASSERT_FALSE(folder.empty()) << "MARLWICK_PACKAGE_FOLDER names no unpacked package";
    for (const wchar_t* name :
         {L"MarlwickIII.exe", L"DlgMsgBox.dll", L"MarlwickIII.ini", L"readme.txt"})
        ASSERT_TRUE(FileExists(folder / name)) << "the zip has no " << path(name).string();

    const auto presets = ReadPresetItems(ReadBytes(folder / L"MarlwickIII.ini").value_or(""));
    ASSERT_GE(presets.size(), 2u) << "the sample MarlwickIII.ini holds too few presets";
    const std::wstring firstPreset(presets[0].begin(), presets[0].end());
    const path settings = folder.parent_path() / L"Settings";
    std::filesystem::create_directories(settings);
    WriteBytes(settings / L"WinFBE.ini",
               WinFbeIniText(AsciiOf(ComposeSwitches(firstPreset, false, false)), kToolchainPath));

    ProcessGroup group;
    group.Start(Programs().standInIde,
                L"\"" + (folder.parent_path() / L"ide_keys.log").wstring() + L"\"",
                folder.parent_path());
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"WinFBE_Class", nullptr) != nullptr; },
                          kAppearTimeoutMs))
        << "the stand-in IDE did not open its window";
    const HWND ide = FindWindowW(L"WinFBE_Class", nullptr);

    Process& marlwick = group.Start(folder / L"MarlwickIII.exe", L"", folder);
    ASSERT_TRUE(
        WaitUntil([&] { return VisibleMainWindow(marlwick.Id()) != nullptr; }, kAppearTimeoutMs))
        << "the unpacked MarlwickIII.exe showed no window (still running: " << marlwick.IsRunning()
        << ")";
    const HWND main = VisibleMainWindow(marlwick.Id());

    const int noPresetId = 1001 + static_cast<int>(presets.size());
    EXPECT_EQ(WindowText(GetDlgItem(main, noPresetId)), L"No preset used")
        << "the window does not show one option per preset of the shipped MarlwickIII.ini";
    EXPECT_EQ(Send(GetDlgItem(main, 1001), BM_GETCHECK).value_or(-1), LRESULT{BST_CHECKED})
        << "the stored value, composed from \"" << presets[0] << "\", did not select it";
    EXPECT_TRUE(WaitUntil([&] {
        return WindowText(GetDlgItem(main, kStatusBarId)) == std::wstring(kToolchainStatus);
    })) << "the status bar shows \""
        << AsciiOf(WindowText(GetDlgItem(main, kStatusBarId))) << "\"";

    PostMessageW(ide, WM_CLOSE, 0, 0);
    EXPECT_TRUE(marlwick.WaitForExit()) << "Marlwick stayed open after the IDE had closed";
    EXPECT_EQ(marlwick.ExitCode().value_or(1), 0u);
}

} // namespace

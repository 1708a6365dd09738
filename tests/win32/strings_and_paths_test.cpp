// DynamicWideString's code-page step, the text conversions and the path utilities on real
// Win32 (Wine).
#include <gtest/gtest.h>

#include <windows.h>

#include <shlwapi.h>

#include <cstring>
#include <optional>

#include "module_path.h"
#include "paths.h"
#include "switch_model_scratch.h"
#include "text_conversion.h"
#include "wide_string.h"

namespace {

// ---- Text conversions ---------------------------------------------------------------------

TEST(TextConversion, AnsiRoundTripsThroughTheCodePage) {
    const struct {
        const char* narrow;
    } cases[] = {{""}, {"-gen gcc -O2"}, {"Caf\xE9 J\xF6rg"}, {"\x80\xA0\xFF"}};
    for (const auto& c : cases) {
        const std::wstring wide = WidenAnsi(c.narrow);
        std::wstring expected(MultiByteToWideChar(CP_ACP, 0, c.narrow, -1, nullptr, 0), L'\0');
        MultiByteToWideChar(CP_ACP, 0, c.narrow, -1, expected.data(),
                            static_cast<int>(expected.size()));
        expected.pop_back();
        EXPECT_EQ(wide, expected) << "[" << c.narrow << "] widened unlike the code page";
        EXPECT_EQ(NarrowAnsi(wide, 511), c.narrow);
    }
}

TEST(TextConversion, NarrowIsCutToTheByteLimit) {
    EXPECT_EQ(NarrowAnsi(std::wstring(600, L'a'), 511), std::string(511, 'a'));
    EXPECT_EQ(NarrowAnsi(L"abc", 0), "");
    EXPECT_EQ(NarrowAnsi(L"", 10), "");
}

TEST(TextConversion, NarrowNeverSplitsACharacter) {
    // A character that takes more than one byte must not be cut in half at the limit.
    const std::wstring wide = L"ab\u00E9\u4E2D";
    const std::string whole = NarrowAnsi(wide, 100);
    for (std::size_t limit = 0; limit <= whole.size(); ++limit) {
        const std::string cut = NarrowAnsi(wide, limit);
        EXPECT_LE(cut.size(), limit);
        EXPECT_TRUE(whole.starts_with(cut)) << "cut at " << limit;
        EXPECT_EQ(NarrowAnsi(WidenAnsi(cut), 100), cut)
            << "cut at " << limit << " left a broken character";
    }
}

TEST(DynamicWideString, AppendNarrowGoesThroughTheAnsiCodePage) {
    DynamicWideString s{std::string_view("Caf\xE9")};
    EXPECT_EQ(std::wstring(s.view()), WidenAnsi("Caf\xE9"));
    EXPECT_EQ(s.capacity(), s.length() + 520);
    const std::uint32_t before = s.length();
    EXPECT_FALSE(s.AppendNarrow(""));
    EXPECT_EQ(s.length(), before) << "an empty narrow text changed the string";
    EXPECT_TRUE(s.AppendNarrow(" / gcc 9.3"));
    EXPECT_EQ(std::wstring(s.view()), WidenAnsi("Caf\xE9 / gcc 9.3"));
    EXPECT_EQ(lstrlenW(s.data()) * 2, static_cast<int>(s.length()))
        << "the buffer handed to Win32 is not terminated at its length";
}

// ---- Path utilities -----------------------------------------------------------------------

TEST(Paths, NameAndFolderOfThisTestProgram) {
    std::wstring module(32768, L'\0');
    module.resize(GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size())));
    EXPECT_EQ(ModuleFilePath(), module);
    EXPECT_EQ(Utf8(ExeName()), "toolkit_strings_win32_tests");
    EXPECT_EQ(ExePath() + L"\\toolkit_strings_win32_tests.exe", module);
}

TEST(Paths, FolderRuleAgreesWithPathRemoveBackslashW) {
    const wchar_t* const folders[] = {L"C:\\Tools\\", L"D:\\", L"\\",
                                      L"C:/Tools/",   L"D:",   L"\\\\server\\share\\dir\\",
                                      L"C:\\a.b\\"};
    for (const wchar_t* folder : folders) {
        std::wstring system(folder);
        system.resize(system.size() + 1);
        PathRemoveBackslashW(system.data());
        system.resize(lstrlenW(system.c_str()));
        EXPECT_EQ(Utf8(ExePathFromModulePath(std::wstring(folder) + L"prog.exe")), Utf8(system))
            << "folder of " << Utf8(folder) << "prog.exe";
    }
}

TEST(Paths, FileExists) {
    const ScratchFolder scratch(L"exists");
    ASSERT_TRUE(WriteBytes(scratch / L"file.txt", "x"));
    ASSERT_TRUE(WriteBytes(scratch / L"empty.dat", ""));
    ASSERT_TRUE(MakeFolders(scratch / L"folder"));
    const struct {
        std::wstring path;
        bool exists;
    } cases[] = {
        {scratch / L"file.txt", true}, {scratch / L"empty.dat", true},
        {scratch / L"folder", false},  {scratch / L"missing.txt", false},
        {scratch / L"*.txt", true},    {scratch / L"missing\\file.txt", false},
        {scratch.path(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileExists(c.path.c_str()), c.exists) << Utf8(c.path);
    EXPECT_FALSE(FileExists(nullptr));
}

// The probe program is copied into the folder and run there; it reports what the path
// utilities saw from inside.
struct ProbeReport {
    std::wstring module, name, folder;
};

std::optional<ProbeReport> RunProbe(const std::wstring& folder, const std::wstring& exeName) {
    const std::wstring exe = folder + L"\\" + exeName;
    const std::wstring probe = ExePath() + L"\\module_path_probe.exe";
    if (!CopyFileW(LongForm(probe).c_str(), LongForm(exe).c_str(), FALSE))
        return std::nullopt;
    const UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
    if (!job)
        return std::nullopt;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process))
        return std::nullopt;
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    AssignProcessToJobObject(job.get(), process.hProcess);
    ResumeThread(process.hThread);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
        return std::nullopt;
    const auto bytes = ReadBytes(folder + L"\\probe.txt");
    if (!bytes)
        return std::nullopt;
    std::wstring text(bytes->size() / 2, L'\0');
    std::memcpy(text.data(), bytes->data(), text.size() * 2);
    ProbeReport report;
    std::size_t at = 0;
    for (std::wstring* field : {&report.module, &report.name, &report.folder}) {
        const std::size_t end = text.find(L'\n', at);
        *field = text.substr(at, end - at);
        at = end + 1;
    }
    return report;
}

// Wine starts no program from a path past MAX_PATH, so a library loaded from there stands in
// for the executable: the module path is read the same way for both.
TEST(Paths, ModulePathOf260CharactersAndMoreIsNeverCut) {
    const ScratchFolder scratch(L"long-module");
    std::wstring folder = scratch.path();
    while (folder.size() < 300)
        folder += L"\\a-rather-long-folder-name";
    ASSERT_TRUE(MakeFolders(folder));
    const std::wstring library = folder + L"\\MarlwickIIIL8.dll";
    ASSERT_TRUE(CopyFileW(LongForm(ExePath() + L"\\module_path_probe_dll.dll").c_str(),
                          LongForm(library).c_str(), FALSE));
    const UniqueHmodule loaded(LoadLibraryW(LongForm(library).c_str()));
    ASSERT_TRUE(loaded) << "the library did not load from " << Utf8(folder);
    const std::wstring modulePath = ModuleFilePathOf(loaded.get());
    ASSERT_GE(modulePath.size(), 300u) << Utf8(modulePath);
    EXPECT_TRUE(modulePath.ends_with(L"\\a-rather-long-folder-name\\MarlwickIIIL8.dll"))
        << Utf8(modulePath);
    EXPECT_EQ(Utf8(ExeNameFromModulePath(modulePath)), "MarlwickIIIL8");
    EXPECT_TRUE(ExePathFromModulePath(modulePath).ends_with(L"\\a-rather-long-folder-name"))
        << "a cut folder would name another place for the program's files";
}

TEST(Paths, ModuleInAFolderOutsideTheAnsiCodePage) {
    const ScratchFolder scratch(L"unicode-module");
    const std::wstring folder = scratch / L"\u0416\u4E2D.tools";
    ASSERT_TRUE(MakeFolders(folder));
    const auto report = RunProbe(folder, L"prog.x.exe");
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(Utf8(report->name), "prog.x");
    EXPECT_EQ(Utf8(report->folder), Utf8(folder));
}

} // namespace

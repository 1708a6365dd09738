// The file layer on real Win32 under Wine: the IDE's WinFBE.ini read and written through the
// profile functions, the preset file read from disk, and the path utilities.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <sstream>

#include "handles.h"
#include "paths.h"
#include "settings_files.h"
#include "support.h"

namespace {

using support::path;

constexpr char kIni[] = "; WinFBE settings\r\n[Options]\r\nLanguage=english\r\n\r\n"
                        "[Compiler]\r\n; switches\r\nCompilerSwitches = -gen gas\r\n"
                        "FBWINCompiler32=C:\\fbc.exe\r\n\r\n[Files]\r\nFile1=C:\\a.bas\r\n";

DynamicWideString Wide(const path& file) {
    return DynamicWideString(file.wstring());
}

// The file's lines as the profile functions see them, so that Wine's normalising of blanks and
// empty lines does not count.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        std::erase(line, '\r');
        if (const auto equals = line.find(" = "); equals != std::string::npos)
            line.replace(equals, 3, "=");
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

TEST(WinFbeIni, WritingCompilerSwitchesChangesThatLineOnly) {
    const support::ScratchFolder scratch;
    const path ini = scratch.Root() / L"WinFBE.ini";
    for (const wchar_t* value : {L"-s console -gen gcc", L""}) {
        support::WriteBytes(ini, kIni);
        ASSERT_TRUE(WriteCompilerSwitches(Wide(ini), value));
        auto expected = Lines(kIni);
        *std::find(expected.begin(), expected.end(), "CompilerSwitches=-gen gas") =
            "CompilerSwitches=" + support::Utf8(value);
        EXPECT_EQ(Lines(support::ReadBytes(ini).value_or("")), expected);
    }
    UniqueFile lock(CreateFileW(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0));
    EXPECT_FALSE(WriteCompilerSwitches(Wide(ini), L"-locked")) << "a failed write was reported "
                                                                  "as done";
    lock.reset();
    EXPECT_EQ(support::CompilerValue(ini, L"CompilerSwitches"), L"");
    EXPECT_FALSE(WriteCompilerSwitches(DynamicWideString(), L"-x")) << "wrote without a path";
}

TEST(WinFbeIni, ReadingGivesTheIdesNarrowValueOrTheWholeOne) {
    const support::ScratchFolder scratch;
    // A folder the ANSI code page cannot name still works.
    const path folder = scratch.Root() / L"Settings \u0142\u6f22";
    std::filesystem::create_directories(folder);
    const path ini = folder / L"WinFBE.ini";
    const auto read = [&](const char* key) { return ReadCompilerIniValue(Wide(ini), key); };
    EXPECT_EQ(read("CompilerSwitches"), "") << "no file";
    support::WriteBytes(ini, "[Options]\r\nCompilerSwitches=-x\r\n");
    EXPECT_EQ(read("CompilerSwitches"), "") << "no section Compiler";
    const std::wstring long70k(70000, L'y');
    ASSERT_TRUE(WriteCompilerSwitches(Wide(ini), long70k.c_str()));
    EXPECT_EQ(read("CompilerSwitches"), std::string(511, 'y'));
    EXPECT_EQ(ReadCompilerIniValueWide(Wide(ini), L"CompilerSwitches"), long70k);
    EXPECT_EQ(read("FBWINCompiler32"), "") << "no key";
    ASSERT_TRUE(WriteCompilerSwitches(Wide(ini), L"-d \u00e9 -d \u6f22"));
    EXPECT_EQ(read("CompilerSwitches"), "-d \xE9 -d ?");
}

TEST(PresetFile, IsReadFromDiskInBoundedPieces) {
    const support::ScratchFolder scratch;
    const DynamicWideString folder = Wide(scratch.Root());
    EXPECT_EQ(LoadPresetTexts(folder), std::nullopt) << "no MarlwickIII.ini";
    support::WriteBytes(scratch.Root() / L"MarlwickIII.ini", "-gen gas\r\n-d \xE9t\xE9\r\n");
    EXPECT_EQ(LoadPresetTexts(folder),
              (std::vector<std::wstring>{L"-gen gas", L"-d \u00e9t\u00e9"}));
    // A huge wrong file (here 4 GiB of zeros, a sparse file) gives 32 items at once.
    {
        const UniqueFile file(CreateFileW((scratch.Root() / L"MarlwickIII.ini").c_str(),
                                          GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        LARGE_INTEGER size{};
        size.QuadPart = 4LL << 30;
        SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN);
        SetEndOfFile(file.get());
    }
    const auto presets = LoadPresetTexts(folder);
    ASSERT_TRUE(presets);
    EXPECT_EQ(presets->size(), 32u);
}

TEST(Paths, FilesFoldersAndTheProgramFolder) {
    const support::ScratchFolder scratch;
    const path plain = scratch.Root() / L"plain.dat";
    support::WriteBytes(plain, "");
    EXPECT_TRUE(FileExists(plain.c_str()));
    EXPECT_FALSE(FileExists(scratch.Root().c_str()));
    EXPECT_FALSE(FileExists(nullptr));
    EXPECT_EQ(ProgramFilePath(DynamicWideString(L"D:\\"), L"x.dat").view(), L"D:\\x.dat");
    EXPECT_EQ(ProgramFilePath(DynamicWideString(L"D:\\Tools"), L"x.dat").view(),
              L"D:\\Tools\\x.dat");
    const std::wstring exe = path(ExePath().view()) / (std::wstring(ExeName().view()) + L".exe");
    EXPECT_TRUE(FileExists(exe.c_str())) << support::Utf8(exe);
}

} // namespace

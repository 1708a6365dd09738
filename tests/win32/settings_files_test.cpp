// The settings and state files on real Win32 (Wine), each test in its own scratch folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "presets.h"
#include "settings_files.h"
#include "switch_model_scratch.h"
#include "text_conversion.h"

namespace {

// ---- The preset file ----------------------------------------------------------------------

TEST(LoadPresetTexts, MissingFileIsReported) {
    const ScratchFolder program(L"presets-missing");
    EXPECT_FALSE(LoadPresetTexts(program.path()).has_value())
        << "MarlwickIII.ini does not exist, yet presets were loaded";
}

TEST(LoadPresetTexts, ItemsInFileOrderWidenedThroughTheCodePage) {
    const ScratchFolder program(L"presets");
    ASSERT_TRUE(WriteBytes(program / kPresetFileName,
                           "-gen gcc -O2\r\n\"-gen clang, -O3\"\r\n\r\nCaf\xE9\r\n"));
    const auto presets = LoadPresetTexts(program.path());
    ASSERT_TRUE(presets.has_value());
    const std::vector<std::wstring> expected = {L"-gen gcc -O2", L"-gen clang, -O3", L"",
                                                WidenAnsi("Caf\xE9")};
    EXPECT_EQ(*presets, expected);
}

TEST(LoadPresetTexts, EmptyFileAndFortyLines) {
    const ScratchFolder program(L"presets-count");
    ASSERT_TRUE(WriteBytes(program / kPresetFileName, ""));
    EXPECT_EQ(LoadPresetTexts(program.path()).value_or(std::vector<std::wstring>{L"x"}).size(), 0u)
        << "a 0-byte MarlwickIII.ini gives no preset";
    std::string forty;
    for (int line = 1; line <= 40; ++line)
        forty += "-line " + std::to_string(line) + "\r\n";
    ASSERT_TRUE(WriteBytes(program / kPresetFileName, forty));
    const auto presets = LoadPresetTexts(program.path());
    ASSERT_TRUE(presets.has_value());
    EXPECT_EQ(presets->size(), 32u) << "40 preset lines";
}

TEST(LoadPresetTexts, UnreadableFileGivesNoPresets) {
    const ScratchFolder program(L"presets-held");
    ASSERT_TRUE(WriteBytes(program / kPresetFileName, "-gen gcc\r\n"));
    const ExclusiveHold hold(program / kPresetFileName);
    ASSERT_TRUE(hold.held());
    const auto presets = LoadPresetTexts(program.path());
    ASSERT_TRUE(presets.has_value()) << "the file exists";
    EXPECT_TRUE(presets->empty()) << "a MarlwickIII.ini that cannot be opened gives no preset";
}

// ---- Markers ------------------------------------------------------------------------------

TEST(Markers, TickCreatesAnEmptyMarkerAndUntickDeletesIt) {
    const ScratchFolder program(L"markers");
    EXPECT_FALSE(MarkerExists(program.path(), kConsoleMarker));
    SetMarker(program.path(), kConsoleMarker, true);
    SetMarker(program.path(), kExxMarker, false);
    EXPECT_TRUE(MarkerExists(program.path(), kConsoleMarker));
    EXPECT_EQ(ReadBytes(program / kConsoleMarker), std::string())
        << "ConsoleIII.dat is created with 0 bytes";
    EXPECT_FALSE(Exists(program / kExxMarker)) << "exxIII.dat appeared for an unticked -exx";
    SetMarker(program.path(), kConsoleMarker, false);
    EXPECT_FALSE(Exists(program / kConsoleMarker)) << "unticking Console kept ConsoleIII.dat";
}

TEST(Markers, AnExistingMarkerWithContentIsNeverRewritten) {
    const ScratchFolder program(L"markers-content");
    ASSERT_TRUE(WriteBytes(program / kExxMarker, "user data"));
    SetMarker(program.path(), kExxMarker, true);
    EXPECT_EQ(ReadBytes(program / kExxMarker), "user data") << "Apply rewrote exxIII.dat";
}

TEST(Markers, AFolderNamedLikeAMarkerIsNoMarker) {
    const ScratchFolder program(L"markers-folder");
    ASSERT_TRUE(CreateDirectoryW((program / kConsoleMarker).c_str(), nullptr));
    EXPECT_FALSE(MarkerExists(program.path(), kConsoleMarker));
}

// ---- Window position ----------------------------------------------------------------------

TEST(WindowPosition, SavedAsEightLittleEndianBytesWhenMoved) {
    const ScratchFolder program(L"position");
    EXPECT_FALSE(LoadStartPosition(program.path()).has_value());
    SaveWindowPosition(program.path(), {0, 0}, {0, 0});
    EXPECT_FALSE(Exists(program / kPositionFileName))
        << "a window closed where it started wrote MWpositionIII.dat";
    SaveWindowPosition(program.path(), {100, 200}, {0, 0});
    EXPECT_EQ(ReadBytes(program / kPositionFileName), std::string("\x64\0\0\0\xC8\0\0\0", 8));
    EXPECT_EQ(LoadStartPosition(program.path()), (ScreenPoint{100, 200}));
    SaveWindowPosition(program.path(), {-8, 5}, {100, 200});
    EXPECT_EQ(ReadBytes(program / kPositionFileName), std::string("\xF8\xFF\xFF\xFF\x05\0\0\0", 8));
    EXPECT_EQ(LoadStartPosition(program.path()), (ScreenPoint{-8, 5}));
    SaveWindowPosition(program.path(), {-8, 5}, {-8, 5});
    EXPECT_EQ(ReadBytes(program / kPositionFileName)->size(), 8u);
}

TEST(WindowPosition, ShortFileReadsMissingBytesAsZero) {
    const ScratchFolder program(L"position-short");
    ASSERT_TRUE(WriteBytes(program / kPositionFileName, std::string("\x64\0\0\0\xC8", 5)));
    EXPECT_EQ(LoadStartPosition(program.path()), (ScreenPoint{100, 200}));
    ASSERT_TRUE(WriteBytes(program / kPositionFileName, ""));
    EXPECT_EQ(LoadStartPosition(program.path()), (ScreenPoint{0, 0}));
}

// ---- WinFBE.ini ---------------------------------------------------------------------------

// Creates <scratch>\Program and <scratch>\<settings>\WinFBE.ini and makes Program the current
// directory, as start-up does.
class HostLayout {
  public:
    HostLayout(const ScratchFolder& scratch, std::string_view iniBytes,
               const std::wstring& settingsName = L"Settings")
        : program_(scratch / L"Program"), ini_(scratch / settingsName + L"\\WinFBE.ini") {
        MakeFolders(program_);
        MakeFolders(scratch / settingsName);
        written_ = WriteBytes(ini_, iniBytes);
        SetCurrentDirectoryW(program_.c_str());
    }
    const std::wstring& program() const { return program_; }
    const std::wstring& ini() const { return ini_; }
    bool ready() const { return written_; }

  private:
    CurrentDirectoryGuard cwd_;
    std::wstring program_;
    std::wstring ini_;
    bool written_ = false;
};

TEST(WinFbeIni, PathIsSettingsBesideTheProgramFolder) {
    const ScratchFolder scratch(L"ini-path");
    const HostLayout host(scratch, "");
    EXPECT_EQ(Utf8(ResolveWinFbeIniPath()), Utf8(host.ini()));
}

TEST(WinFbeIni, ReadMissingFileSectionOrKeyGivesEmpty) {
    const ScratchFolder scratch(L"ini-missing");
    const HostLayout host(scratch, "[Editor]\r\nCompilerSwitches=not here\r\n[Compiler]\r\n"
                                   "FBWINCompiler32=C:\\fbc-1.10-x-9.3\\fbc32.exe\r\n");
    ASSERT_TRUE(host.ready());
    EXPECT_EQ(ReadCompilerIniValue(host.ini(), "CompilerSwitches"), "")
        << "CompilerSwitches outside [Compiler] was read";
    EXPECT_EQ(ReadCompilerIniValue(host.ini(), "FBWINCompiler32"), "C:\\fbc-1.10-x-9.3\\fbc32.exe");
    EXPECT_EQ(ReadCompilerIniValue(scratch / L"none.ini", "FBWINCompiler32"), "");
    EXPECT_EQ(ReadCompilerIniValue(L"", "FBWINCompiler32"), "");
    EXPECT_EQ(ReadCompilerIniValue(host.ini(), nullptr), "") << "a null key listed the keys";
}

TEST(WinFbeIni, NarrowValueKeepsAtMost511Bytes) {
    const ScratchFolder scratch(L"ini-long");
    const std::string value600(600, 'v');
    const HostLayout host(scratch, "[Compiler]\r\nCompilerSwitches=" + value600 + "\r\n");
    ASSERT_TRUE(host.ready());
    EXPECT_EQ(ReadCompilerIniValue(host.ini(), "CompilerSwitches"), std::string(511, 'v'));
    EXPECT_EQ(ReadCompilerIniValueWide(host.ini(), L"CompilerSwitches", 2048),
              std::wstring(600, L'v'))
        << "the input box must see the whole value";
    EXPECT_EQ(ReadCompilerIniValueWide(host.ini(), L"CompilerSwitches", 550),
              std::wstring(550, L'v'));
}

TEST(WinFbeIni, WideValueGrowsTo2048Characters) {
    const ScratchFolder scratch(L"ini-wide");
    const HostLayout host(scratch,
                          "[Compiler]\r\nCompilerSwitches=" + std::string(3000, 'w') + "\r\n");
    ASSERT_TRUE(host.ready());
    EXPECT_EQ(ReadCompilerIniValueWide(host.ini(), L"CompilerSwitches", 2048),
              std::wstring(2048, L'w'));
}

TEST(WinFbeIni, ReadAndWriteUnderAFolderOutsideTheAnsiCodePage) {
    const ScratchFolder scratch(L"ini-unicode");
    // Cyrillic and CJK: no single-byte Windows code page holds both.
    const std::wstring settings = L"Settings-\u0416\u4E2D";
    if (GetACP() != CP_UTF8) {
        ASSERT_NE(WidenAnsi(NarrowAnsi(settings, 100)), settings)
            << "the folder name fits code page " << GetACP() << "; pick other characters";
    }
    const HostLayout host(scratch, "[Compiler]\r\nCompilerSwitches=-gen gcc\r\n", settings);
    ASSERT_TRUE(host.ready());
    EXPECT_EQ(ReadCompilerIniValue(host.ini(), "CompilerSwitches"), "-gen gcc")
        << "the stored value under " << Utf8(host.ini()) << " read as empty (code page " << GetACP()
        << ")";
    ASSERT_TRUE(WriteCompilerSwitches(host.ini(), L"-gen clang"));
    EXPECT_EQ(ReadCompilerIniValue(host.ini(), "CompilerSwitches"), "-gen clang");
}

TEST(WinFbeIni, CharacterOutsideTheCodePageNarrowsToQuestionMark) {
    if (GetACP() == CP_UTF8)
        GTEST_SKIP() << "the ANSI code page is UTF-8 and holds every character";
    const ScratchFolder scratch(L"ini-narrow");
    const HostLayout host(scratch, "");
    ASSERT_TRUE(WriteCompilerSwitches(host.ini(), L"-x \u4E2D"));
    EXPECT_EQ(ReadCompilerIniValue(host.ini(), "CompilerSwitches"), "-x ?");
}

// The host IDE's file, as it might look after years of use.
constexpr std::string_view kRealisticIni =
    "; WinFBE configuration file\r\n"
    "; Written by WinFBE, edited by hand\r\n"
    "\r\n"
    "[Options]\r\n"
    "AskExit=1\r\n"
    "Language=english.lang\r\n"
    "\r\n"
    "[Editor]\r\n"
    "FontName=Courier New\r\n"
    "Author=J\xF6rg M\xFCller\r\n"
    "TabSize = 4\r\n"
    "\r\n"
    "[Compiler]\r\n"
    "FBWINCompiler32=C:\\WinFBE\\Toolchains\\FBC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe\r\n"
    "; the switches below are set by Marlwick\r\n"
    "CompilerSwitches=-w all -fpmode fast -fpu sse -gen gcc -O2\r\n"
    "CompilerBuild=Win32 GUI (Release)\r\n"
    "RunViaCommandWindow=0\r\n"
    "\r\n"
    "[MRU]\r\n"
    "File1=C:\\Projects\\demo.bas\r\n";

// One logical line of an ini file as every profile implementation keeps it.
struct IniLine {
    std::string key;   // a section header or comment is kept whole here
    std::string value; // after "=", for key lines
    friend bool operator==(const IniLine&, const IniLine&) = default;
};

std::string Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// Wine's profile functions rewrite the whole file in a normalised form (CR LF, blank lines
// dropped, blanks around "=" and at the end of a value trimmed); Windows leaves the other lines
// as they are. What both promise is the same sections, comments, keys and values in the same
// order, so that is what these tests compare, not the bytes.
std::vector<IniLine> LogicalLines(std::string_view bytes) {
    std::vector<IniLine> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        const std::string line = Trim(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.empty())
            continue;
        const std::size_t equals = line.find('=');
        if (line.starts_with(';') || line.starts_with('[') || equals == std::string::npos)
            lines.push_back({line, {}});
        else
            lines.push_back({Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
    }
    return lines;
}

std::string Describe(const std::vector<IniLine>& lines) {
    std::string text;
    for (const IniLine& line : lines)
        text += "  " + line.key + (line.value.empty() ? "" : " = " + line.value) + "\n";
    return text;
}

std::vector<IniLine> WithSwitches(std::vector<IniLine> lines, const std::string& value) {
    for (IniLine& line : lines)
        if (line.key == "CompilerSwitches")
            line.value = value;
    return lines;
}

TEST(WinFbeIni, WritesChangeOnlyTheCompilerSwitchesValue) {
    const ScratchFolder scratch(L"ini-safety");
    const HostLayout host(scratch, kRealisticIni);
    ASSERT_TRUE(host.ready());
    const std::vector<IniLine> before = LogicalLines(kRealisticIni);
    const struct {
        const wchar_t* written;
        const char* stored;
    } writes[] = {
        {L"-s console -w all -fpmode fast -fpu sse -gen gcc -O3",
         "-s console -w all -fpmode fast -fpu sse -gen gcc -O3"},
        {L"", ""},
        {L"-exx -w all -fpmode fast -fpu sse ", "-exx -w all -fpmode fast -fpu sse"},
    };
    for (const auto& write : writes) {
        ASSERT_TRUE(WriteCompilerSwitches(host.ini(), write.written)) << "the write failed";
        const auto after = ReadBytes(host.ini());
        ASSERT_TRUE(after.has_value());
        const std::vector<IniLine> expected = WithSwitches(before, write.stored);
        EXPECT_EQ(LogicalLines(*after), expected)
            << "writing [" << Utf8(write.written) << "] changed more than CompilerSwitches.\n"
            << "Expected:\n"
            << Describe(expected) << "Found:\n"
            << Describe(LogicalLines(*after));
        EXPECT_NE(after->find("Author=J\xF6rg M\xFCller"), std::string::npos)
            << "the byte above 0x7F in [Editor] did not survive";
    }
}

TEST(WinFbeIni, ClearKeepsTheKeyWithAnEmptyValue) {
    const ScratchFolder scratch(L"ini-clear");
    const HostLayout host(scratch, kRealisticIni);
    ASSERT_TRUE(host.ready());
    ASSERT_TRUE(WriteCompilerSwitches(host.ini(), L""));
    const auto after = ReadBytes(host.ini());
    ASSERT_TRUE(after.has_value());
    EXPECT_NE(after->find("\nCompilerSwitches=\r\n"), std::string::npos)
        << "Clear removed the key CompilerSwitches:\n"
        << *after;
}

TEST(WinFbeIni, FileHeldWithoutSharingIsReportedAndUnchanged) {
    const ScratchFolder scratch(L"ini-held");
    const HostLayout host(scratch, kRealisticIni);
    ASSERT_TRUE(host.ready());
    {
        const ExclusiveHold editor(host.ini());
        ASSERT_TRUE(editor.held());
        EXPECT_FALSE(WriteCompilerSwitches(host.ini(), L"-gen clang"))
            << "a write to a WinFBE.ini held by an editor reported success";
    }
    EXPECT_EQ(ReadBytes(host.ini()), std::string(kRealisticIni))
        << "a failed write changed WinFBE.ini";
}

TEST(WinFbeIni, EmptyPathNeverWrites) {
    EXPECT_FALSE(WriteCompilerSwitches(L"", L"-gen gcc"));
}

// ---- The core job without any window --------------------------------------------------------

TEST(CoreJob, StoredValueMatchedComposedAndWrittenBack) {
    const ScratchFolder scratch(L"core-job");
    const HostLayout host(scratch, kRealisticIni);
    ASSERT_TRUE(host.ready());
    ASSERT_TRUE(WriteBytes(host.program() + L"\\" + kPresetFileName,
                           "-gen gcc -O3\r\n-gen gcc -O2\r\n-gen clang -O2\r\n"));

    const auto presets = LoadPresetTexts(host.program());
    ASSERT_TRUE(presets.has_value());
    const std::wstring iniPath = ResolveWinFbeIniPath();
    ASSERT_EQ(Utf8(iniPath), Utf8(host.ini()));

    const std::string stored = ReadCompilerIniValue(iniPath, "CompilerSwitches");
    EXPECT_EQ(FindPresetForSwitches(WidenAnsi(stored), *presets), 2)
        << "start-up selected the wrong option for [" << stored << "]";

    const std::wstring composed = ComposeSwitches((*presets)[2], true, true);
    ASSERT_TRUE(WriteCompilerSwitches(iniPath, composed));
    const std::string written = ReadCompilerIniValue(iniPath, "CompilerSwitches");
    EXPECT_EQ(written,
              "-asm att -s console -exx -w all -fpmode fast -fpu sse -arch native -gen clang -O2");
    EXPECT_EQ(FindPresetForSwitches(WidenAnsi(written), *presets), 3);
}

} // namespace

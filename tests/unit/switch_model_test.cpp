// The switch model's rules: composing and matching CompilerSwitches, and the preset file.
#include <gtest/gtest.h>

#include <algorithm>

#include "commands.h"
#include "host_watch.h"
#include "position_record.h"
#include "preset_file.h"
#include "presets.h"
#include "stored_value.h"
#include "toolchain_status.h"
#include "toolchains.h"

namespace {

using Presets = std::vector<std::wstring>;
using Texts = std::vector<std::wstring>;

// Apply's value: a prefix carrying the ticks and, for a text with "clang" in it, the clang
// switches; then the preset's own text, unchanged.
TEST(Compose, ThePrefixCarriesTheTicksAndClangAndThePresetTextFollowsUnchanged) {
    const std::pair<std::wstring, bool> presets[] = {{L"-gen gcc", false},
                                                     {L"libclangx", true},
                                                     {L"-gen Clang", false},
                                                     {L"", false},
                                                     {L" b ", false}};
    for (const auto& [preset, clang] : presets)
        for (const bool console : {false, true})
            for (const bool exx : {false, true}) {
                const std::wstring value = ComposeSwitches(preset, console, exx);
                const std::wstring_view prefix(value.data(), value.size() - preset.size());
                SCOPED_TRACE(::testing::Message() << "Console " << console << ", -exx " << exx);
                EXPECT_TRUE(value.ends_with(preset));
                EXPECT_EQ(prefix.starts_with(L"-asm att "), clang);
                EXPECT_EQ(prefix.find(L"-s console ") != std::wstring_view::npos, console);
                EXPECT_EQ(prefix.find(L"-exx ") != std::wstring_view::npos, exx);
                EXPECT_TRUE(prefix.ends_with(clang ? L"-w all -fpmode fast -fpu sse -arch native "
                                                   : L"-w all -fpmode fast -fpu sse "));
            }
}

// The stored value as the profile functions give it back: never with blanks at its ends.
TEST(Match, OnlyAWholeRowAndPresetTextAsReadBackMatchAndTheLowestNumberWins) {
    const Presets presets = {L"-gen gcc", L"", L"-O2 ", L"-gen gcc"};
    // clang-format off
    const struct { const wchar_t* stored; std::optional<int> preset; } cases[] = {
        {L"-w all -fpmode fast -fpu sse -gen gcc ", std::nullopt},
        {L"-exx -s console -w all -fpmode fast -fpu sse -gen gcc", std::nullopt},
        {L"-w all -fpmode fast -fpu sse -GEN GCC", std::nullopt},
        {L"-w all -fpmode fast -fpu sse -gen gcc -O2", std::nullopt},
        {L"-w all -fpmode fast -fpu sse", 2},
        {L"-s console -w all -fpmode fast -fpu sse -O2", 3},
        {L"-asm att -w all -fpmode fast -fpu sse -arch native -gen gcc", 1},
        {L"-s console -exx -w all -fpmode fast -fpu sse -gen gcc", 1},
        {L"", std::nullopt},
    };
    // clang-format on
    const CodePageTrip whole = [](std::wstring_view value, std::size_t) {
        return std::wstring(value);
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindPresetForSwitches(c.stored, presets, whole), c.preset)
            << "case " << &c - cases;
    EXPECT_EQ(FindPresetForSwitches(L"-w all -fpmode fast -fpu sse", {}, whole), std::nullopt);
    // A character the IDE's code page lacks is read back as "?", and matches as that.
    const CodePageTrip withoutHan = [](std::wstring_view value, std::size_t) {
        std::wstring read(value);
        std::replace(read.begin(), read.end(), L'\u6f22', L'?');
        return read;
    };
    EXPECT_EQ(
        FindPresetForSwitches(L"-w all -fpmode fast -fpu sse -d ?", {L"-d \u6f22"}, withoutHan), 1);
}

// What the profile functions give back of a written value: blanks and line-end characters at
// the ends dropped, then one pair of matching quotes.
TEST(ReadBack, BlanksAtTheEndsAndOnePairOfMatchingQuotesGo) {
    // clang-format off
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L" \t-a -b\r\n", L"-a -b"}, {L"\"-a, -b\"", L"-a, -b"}, {L" '-a' ", L"-a"},
        {L"\"-a'", L"\"-a'"}, {L"\"\"-a\"\"", L"\"-a\""}, {L"-a \"b\"", L"-a \"b\""}, {L"\"", L"\""},
    };
    // clang-format on
    for (const auto& [written, read] : cases)
        EXPECT_EQ(AsReadBack(written), read) << ::testing::PrintToString(written);
}

// The 8 bytes: left, then top, each signed 32-bit little-endian; missing bytes read as 0.
TEST(PositionRecord, LeftThenTopLittleEndian) {
    const std::array<std::uint8_t, 8> bytes = {0x64, 0, 0, 0, 0xF8, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(EncodePositionRecord({100, -8}), bytes);
    EXPECT_EQ(DecodePositionRecord(bytes), (ScreenPoint{100, -8}));
    EXPECT_EQ(DecodePositionRecord(std::span(bytes).first(5)), (ScreenPoint{100, 0xF8}));
}

// One tick beside the IDE: follow its minimised state, close without it, then keep the band
// unless a box holds it.
TEST(HostWatch, OneTicksDecision) {
    using A = HostWatchAction;
    // clang-format off
    const struct { HostWatchInputs in; HostWatchState was; A action; HostWatchState now; } cases[] = {
        {{.hostFound = true, .hostMinimized = true}, {false, true}, A::MinimizeSelf, {true, true}},
        {{.hostFound = true, .hostOrSelfInFront = true}, {true, true}, A::RestoreSelf, {false, true}},
        {{.hostFound = false}, {true, true}, A::RestoreSelf, {false, true}},
        {{.hostFound = false}, {false, true}, A::CloseSelf, {false, true}},
        {{.hostFound = true, .hostOrSelfInFront = false}, {false, false}, A::LeaveTopmost, {false, false}},
        {{.hostFound = true, .hostOrSelfInFront = true}, {false, false}, A::EnterTopmost, {false, true}},
        {{.hostFound = true, .hostOrSelfInFront = true}, {false, true}, A::None, {false, true}},
        {{.hostFound = true, .messageBoxOpen = true}, {false, true}, A::None, {false, true}},
        {{.hostFound = false, .messageBoxOpen = true}, {false, true}, A::CloseSelf, {false, true}},
    };
    // clang-format on
    for (const auto& c : cases) {
        HostWatchState state = c.was;
        EXPECT_EQ(DecideHostWatch(c.in, state), c.action) << &c - cases;
        EXPECT_EQ(std::pair(state.minimizedWithIde, state.isTopmost),
                  std::pair(c.now.minimizedWithIde, c.now.isTopmost))
            << &c - cases;
    }
}

// The IDE saves its settings whole again, truncating first; a file left empty for good settles.
TEST(HostWatch, AFileIsHalfWrittenWhileEmptyAndWrittenLately) {
    constexpr std::uint64_t kSecond = 10'000'000;
    const std::uint64_t now = 1000 * kSecond;
    EXPECT_TRUE(MayBeHalfWritten({now, 0}, now));
    EXPECT_TRUE(MayBeHalfWritten({now - 3 * kSecond, 0}, now));
    EXPECT_FALSE(MayBeHalfWritten({now - 5 * kSecond, 0}, now));
    EXPECT_FALSE(MayBeHalfWritten({now, 1}, now));
}

// Feeds the file in pieces of one byte, so that every rule also holds across piece ends; the
// ANSI code page is Latin-1 here.
Texts ReadTexts(std::string_view file) {
    const auto latin1 = [](std::string_view bytes) {
        std::wstring text;
        for (const char c : bytes)
            text.push_back(static_cast<unsigned char>(c));
        return text;
    };
    return ReadPresetFile(
               [&] {
                   const std::string_view piece = file.substr(0, 1);
                   file.remove_prefix(piece.size());
                   return piece;
               },
               latin1)
        .presets;
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(PresetFile, ItemRules) {
    const std::string a4096(4096, 'a');
    std::string lines33;
    for (int i = 0; i < 33; ++i)
        lines33 += "-line\r\n";
    std::string e600;
    for (int i = 0; i < 600; ++i)
        e600 += "\xC3\xA9";
    // clang-format off
    const struct { const char* rule; std::string file; Texts texts; } cases[] = {
        {"empty file", "", {}},
        {"one per line, the last without line end", "-gen gcc\r\n-O2\r\nx", {L"-gen gcc", L"-O2", L"x"}},
        {"comma splits, at line end an empty item", "a, b,\r\nc", {L"a", L"b", L"", L"c"}},
        {"leading blanks dropped, trailing kept", " \t a b  \r\n", {L"a b  "}},
        {"quoted item holds commas and blanks", "\" x, y \"\r\n", {L" x, y "}},
        {"after the closing quote: blanks, comma", "\"x\"  ,y", {L"x", L"y"}},
        {"other text after the closing quote", "\"x\"y\r\n", {L"x", L"y"}},
        {"quote inside an unquoted item", "a\"b\"\r\n", {L"a\"b\""}},
        {"missing closing quote ends at the line", "\"x, y\r\nz", {L"x, y", L"z"}},
        {"blank lines give empty items", "a\r\n\r\n   \r\nb\r\n\r\n", {L"a", L"", L"", L"b", L""}},
        {"CR and LF alone end lines, LF CR is two", "a\rb\nc\n\rd", {L"a", L"b", L"c", L"", L"d"}},
        {"0x1A ends the file", "a\r\nb\x1A\r\nc\r\n", {L"a", L"b"}},
        {"32 items at most", lines33, Texts(32, L"-line")},
        {"600 bytes are stored as 511", std::string(600, 'x') + "\nn", {std::wstring(511, L'x'), L"n"}},
        {"4096 bytes end an item, then blanks, comma", a4096 + "  ,b", {std::wstring(511, L'a'), L"b"}},
        {"4096 bytes end an item, the rest is the next", a4096 + "aaaa", {std::wstring(511, L'a'), L"aaaa"}},
        {"UTF-8 with its mark", "\xEF\xBB\xBF\"a, b\"\r\n-i C:\\Jos\xC3\xA9", {L"a, b", L"-i C:\\Jos\u00e9"}},
        {"UTF-8 without a mark", "-i C:\\Jos\xC3\xA9\r\n-d \xF0\x9F\x98\x80", {L"-i C:\\Jos\u00e9", L"-d \xD83D\xDE00"}},
        {"UTF-8 cut at 511 characters", e600, {std::wstring(511, L'\u00e9')}},
        {"bytes that are not UTF-8 are ANSI", "-i C:\\Jos\xE9\r\n-d \xC3\xA9", {L"-i C:\\Jos\u00e9", L"-d \u00c3\u00a9"}},
        {"the mark anywhere else is text", "a\r\n\xEF\xBB\xBF", {L"a", L"\uFEFF"}},
        {"a part of the mark is ANSI text", "\xEF\xBB", {L"\u00ef\u00bb"}},
        {"UTF-16 LE with its mark", Utf16(u"-a,\"b, c\"\r\nJos\u00e9\u6f22\x1A-z", false), {L"-a", L"b, c", L"Jos\u00e9\u6f22"}},
        {"UTF-16 BE with its mark, half a unit at the end", Utf16(u"-a\n-b", true) + "x", {L"-a", L"-b"}},
        {"a NUL ends a preset", std::string("-a\0-b,-c\r\n", 10), {L"-a", L"-c"}},
        {"a NUL ends a UTF-16 preset", Utf16(std::u16string(u"-a\0-b\n-c", 8), false), {L"-a", L"-c"}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ReadTexts(c.file), c.texts) << c.rule;
}

// What a User Tool's arguments ask for; none for every kind of wrong argument.
TEST(ToolCommands, TheArgumentsGiveOneCommandOrNone) {
    using Args = std::vector<std::wstring>;
    // clang-format off
    const struct { Args args; std::optional<ToolCommand> command; } cases[] = {
        {{L"/apply", L"3"}, ToolCommand{.applyNumber = 3}},
        {{L"-APPLY", L"-gen gcc -O 2"}, ToolCommand{.applyText = L"-gen gcc -O 2"}},
        {{L"/Console", L"ON", L"/exx", L"off", L"/apply", L"12"}, ToolCommand{.applyNumber = 12, .console = true, .exx = false}},
        {{L"/exx", L"on"}, ToolCommand{.exx = true}},
        {{L"/apply", L"99999999999"}, ToolCommand{.applyNumber = 1000}},
        {{L"/undo"}, ToolCommand{.undo = true}},
        {{L"-Redo"}, ToolCommand{.redo = true}},
        {{L"/toolchain", L"FreeBASIC-1.10.1"}, ToolCommand{.toolchain = L"FreeBASIC-1.10.1"}},
        {{}, std::nullopt},
        {{L"/help"}, std::nullopt},
        {{L"apply", L"3"}, std::nullopt},
        {{L"/apply"}, std::nullopt},
        {{L"/apply", L"1", L"/apply", L"2"}, std::nullopt},
        {{L"/console", L"yes"}, std::nullopt},
        {{L"/console", L"on", L"/console", L"off"}, std::nullopt},
        {{L"/undo", L"/redo"}, std::nullopt},
        {{L"/undo", L"/apply", L"1"}, std::nullopt},
        {{L"/toolchain", L"X", L"/console", L"on"}, std::nullopt},
        {{L"/toolchain"}, std::nullopt},
        {{L"/"}, std::nullopt},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ParseToolCommand(c.args), c.command) << ::testing::PrintToString(c.args);
}

// A double-byte code page whose two bytes for a character beyond ASCII can be read as UTF-8.
std::string NarrowDoubleByte(std::wstring_view text) {
    std::string bytes;
    for (const wchar_t c : text)
        bytes += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string("\xC3\xA9");
    return bytes;
}
std::wstring WidenDoubleByte(std::string_view bytes) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            text += static_cast<wchar_t>(bytes[i]);
        } else {
            text += L'\u3042';
            ++i; // the character's second byte
        }
    }
    return text;
}

// A kept preset is appended so that the file gives back what it held and then the text.
TEST(PresetFile, AKeptPresetGoesOnALineOfItsOwnThatReadsBackAsWritten) {
    // clang-format off
    const struct { const char* rule; std::string file; std::wstring text; std::optional<std::string> appended; } cases[] = {
        {"CR LF in a file without a line end", "-a", L"-b", "-a\r\n-b\r\n"},
        {"the file's own line ends", "-a\n-b", L"-c", "-a\n-b\n-c\n"},
        {"quoted when it holds a comma", "-a\r\n", L"x, y", "-a\r\n\"x, y\"\r\n"},
        {"a last line ending in a comma has begun the item", "-a,-b,", L"-c", "-a,-b,-c\r\n"},
        {"before a 0x1A that ends the text", "-a\r\n\x1A\r\nold", L"-c", "-a\r\n-c\r\n\x1A\r\nold"},
        {"UTF-8 into a file of ASCII alone", "-a\r\n", L"-d NAME=\u65e5\u672c",
         "-a\r\n-d NAME=\xE6\x97\xA5\xE6\x9C\xAC\r\n"},
        {"UTF-8 into a UTF-8 file", "-i \xC3\xA9\n", L"-d \u0142", "-i \xC3\xA9\n-d \xC5\x82\n"},
        {"UTF-16 into a UTF-16 file", Utf16(u"-a\r\n", false), L"\u65e5", Utf16(u"-a\r\n\u65e5\r\n", false)},
        {"not into ANSI text that cannot carry it", "-i \xE9t\xE9\r\n", L"-d \u65e5", std::nullopt},
        {"not a line end", "-a\r\n", L"-b\r-c", std::nullopt},
        {"not what the reader cuts", "-a\r\n", std::wstring(512, L'x'), std::nullopt},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(WithPresetAppended(c.file, c.text, WidenDoubleByte, NarrowDoubleByte), c.appended)
            << c.rule;
}

// The IDE's folder is C:\W; its own drive stands in for {CURDRIVE}.
TEST(Toolchains, TheMenuListsTheFoldersBesideTheCompilerAndAPickWritesAFolderItListed) {
    const std::vector<ToolchainFolder> found = {
        {L"fbc-1.09", true, false}, {L"FreeBASIC-1.10", true, true}, {L"docs", false, false}};
    const std::vector<ToolchainItem> sorted = {
        {found[2], false}, {found[0], false}, {found[1], true}};
    EXPECT_EQ(
        ToolchainMenuItems(found, L"{curdrive}:\\T\\freebasic-1.10\\fbc32.exe", L"C:\\T", L"C:\\W"),
        sorted);
    EXPECT_EQ(ToolchainMenuItems(found, L"D:\\T\\FreeBASIC-1.10\\fbc32.exe", L"C:\\W\\Toolchains",
                                 L"C:\\W")[2],
              (ToolchainItem{found[1], false}))
        << "checked in a folder listed in its stead";
    // clang-format off
    const struct { const wchar_t* stored32; bool exists; const wchar_t* folder; } where[] = {
        {L"D:\\FB\\Old\\fbc32.exe", true, L"D:\\FB"},
        {L".\\Toolchains\\Old\\fbc32.exe", true, L"C:\\W\\.\\Toolchains"},
        {L"{CURDRIVE}:\\Users\\Anne-Marie\\FB\\Old\\fbc32.exe", true, L"C:\\Users\\Anne-Marie\\FB"},
        {L"D:\\FB\\Old\\fbc32.exe", false, L"C:\\W\\Toolchains"},
        {L"D:\\fbc32.exe", true, L"C:\\W\\Toolchains"},
        {L"", true, L"C:\\W\\Toolchains"},
    };
    const struct { const wchar_t* stored32; const wchar_t* stored64; bool has64; const wchar_t* listed; std::vector<KeyValue> writes; } picks[] = {
        {L"{CURDRIVE}:\\FB\\Old\\FBC32.EXE", L"{curdrive}:/FB/Old/fbc64.exe", true, L"C:\\FB",
         {{IniKey::Compiler32, L"{CURDRIVE}:\\FB\\New\\FBC32.EXE"}, {IniKey::Compiler64, L"{curdrive}:/FB/New/fbc64.exe"}}},
        {L".\\Toolchains\\Old\\fbc32.exe", L"", true, L"C:\\W\\.\\Toolchains", {{IniKey::Compiler32, L".\\Toolchains\\New\\fbc32.exe"}}},
        {L"D:\\FB\\Old\\fbc32.exe", L"D:\\FB\\Old\\fbc64.exe", false, L"D:\\FB", {{IniKey::Compiler32, L"D:\\FB\\New\\fbc32.exe"}}},
        {L"C:\\FB\\Old\\fbc32.exe", L"E:\\FB64\\Old\\fbc64.exe", true, L"C:\\FB",
         {{IniKey::Compiler32, L"C:\\FB\\New\\fbc32.exe"}, {IniKey::Compiler64, L"E:\\FB64\\New\\fbc64.exe"}}},
        {L"D:\\Gone\\Old\\fbc32.exe", L"", true, L"C:\\W\\Toolchains", {{IniKey::Compiler32, L"C:\\W\\Toolchains\\New\\fbc32.exe"}}},
        {L"{CURDRIVE}:\\fbc32.exe", L"D:\\fbc64.exe", true, L"C:\\W\\Toolchains", {{IniKey::Compiler32, L"C:\\W\\Toolchains\\New\\fbc32.exe"}}},
        {L"", L"", true, L"C:\\W\\Toolchains", {{IniKey::Compiler32, L"C:\\W\\Toolchains\\New\\fbc32.exe"}}},
    };
    // clang-format on
    for (const auto& w : where)
        EXPECT_EQ(ToolchainsFolder(w.stored32, L"C:\\W", w.exists), w.folder) << &w - where;
    for (const auto& p : picks)
        EXPECT_EQ(
            ToolchainWrites(p.stored32, p.stored64, {L"New", true, p.has64}, p.listed, L"C:\\W"),
            p.writes)
            << &p - picks;
    EXPECT_EQ(ResolvedPath(L"{curdrive}:\\A\\fbc64.exe", L"D:\\W"), L"D:\\A\\fbc64.exe");
}

// The versions follow the first "-" before a digit, each within its folder; a path without such
// a "-" reads as the IDE's users have always seen it.
TEST(StatusText, TheVersionsAreCutOutOfTheToolchainsFolder) {
    // clang-format off
    const struct { const wchar_t* path; const wchar_t* text; } cases[] = {
        {L"C:\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe", L" fbc 1.10.1 / gcc 9.3.0"},
        {L"C:\\Users\\Anne-Marie\\WinFBE\\Toolchains\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe", L" fbc 1.10.1 / gcc 9.3.0"},
        {L"C:/Users/Anne-Marie/FreeBASIC-1.10.1-gcc-9.3/fbc32.exe", L" fbc 1.10.1 / gcc 9.3"},
        {L"D:\\FreeBASIC-1.09.0\\fbc32.exe", L" fbc 1.09.0 / gcc 1.09.0"},
        {L"C:\\a-b\\c-d\\fbc.exe", L" fbc b\\c / gcc d"},
        {L"C:\\fbc\\fbc32.exe", L" fbc C:\\fbc\\fbc32.exe / gcc C:"},
        {L"", L" fbc  / gcc "},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ToolchainStatusText(c.path), c.text) << &c - cases;
}

} // namespace

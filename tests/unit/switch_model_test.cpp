// The switch model's rules: composing and matching CompilerSwitches, and the preset file.
#include <gtest/gtest.h>

#include <algorithm>

#include "preset_file.h"
#include "presets.h"
#include "stored_value.h"
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
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ReadTexts(c.file), c.texts) << c.rule;
}

TEST(Toolchains, TheMenuListsTheFoldersBesideTheCompilerAndAPickChangesOnlyTheFolderName) {
    const std::vector<ToolchainFolder> found = {
        {L"fbc-1.09", true, false}, {L"FreeBASIC-1.10", true, true}, {L"docs", false, false}};
    EXPECT_EQ(ToolchainMenuItems(found, L"C:\\W\\Toolchains\\freebasic-1.10\\fbc32.exe"),
              (std::vector<ToolchainItem>{{L"docs", false, false},
                                          {L"fbc-1.09", false, true},
                                          {L"FreeBASIC-1.10", true, true}}));
    EXPECT_EQ(ToolchainMenuItems({}, L""), std::vector<ToolchainItem>{});
    // clang-format off
    const struct { const wchar_t* stored32; bool exists; const wchar_t* folder; } where[] = {
        {L"D:\\FB\\Old\\fbc32.exe", true, L"D:\\FB"},
        {L".\\Toolchains\\Old\\fbc32.exe", true, L"C:\\W\\.\\Toolchains"},
        {L"D:\\FB\\Old\\fbc32.exe", false, L"C:\\W\\Toolchains"},
        {L"", true, L"C:\\W\\Toolchains"},
    };
    const struct { const wchar_t* stored32; const wchar_t* stored64; bool has64; std::vector<KeyValue> writes; } picks[] = {
        {L"D:\\FB\\Old\\FBC32.EXE", L"D:/FB/Old/fbc64.exe", true,
         {{IniKey::Compiler32, L"D:\\FB\\New\\FBC32.EXE"}, {IniKey::Compiler64, L"D:/FB/New/fbc64.exe"}}},
        {L".\\Toolchains\\Old\\fbc32.exe", L"", true, {{IniKey::Compiler32, L".\\Toolchains\\New\\fbc32.exe"}}},
        {L"D:\\FB\\Old\\fbc32.exe", L"D:\\FB\\Old\\fbc64.exe", false, {{IniKey::Compiler32, L"D:\\FB\\New\\fbc32.exe"}}},
        {L"", L"", true, {{IniKey::Compiler32, L"C:\\W\\Toolchains\\New\\fbc32.exe"}}},
    };
    // clang-format on
    for (const auto& w : where)
        EXPECT_EQ(ToolchainsFolder(w.stored32, L"C:\\W", w.exists), w.folder) << &w - where;
    for (const auto& p : picks)
        EXPECT_EQ(
            ToolchainWrites(p.stored32, p.stored64, {L"New", true, p.has64}, L"C:\\W\\Toolchains"),
            p.writes)
            << &p - picks;
}

} // namespace

// The switch model's rules: composing and matching CompilerSwitches, the preset file and the
// undo history.
#include <gtest/gtest.h>

#include "preset_file.h"
#include "presets.h"
#include "undo_history.h"

namespace {

using Presets = std::vector<std::wstring>;
using Items = std::vector<std::string>;

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
    for (const auto& c : cases)
        EXPECT_EQ(FindPresetForSwitches(c.stored, presets), c.preset) << "case " << &c - cases;
    EXPECT_EQ(FindPresetForSwitches(L"-w all -fpmode fast -fpu sse", {}), std::nullopt);
}

// Feeds the file in pieces of one byte, so that every rule also holds across piece ends.
Items ReadItems(std::string_view file) {
    return ReadPresetItems([&] {
        const std::string_view piece = file.substr(0, 1);
        file.remove_prefix(piece.size());
        return piece;
    });
}

TEST(PresetFile, ItemRules) {
    const std::string a4096(4096, 'a');
    // clang-format off
    const struct { const char* rule; std::string file; Items items; } cases[] = {
        {"empty file", "", {}},
        {"one per line, the last without line end", "-gen gcc\r\n-O2\r\nx", {"-gen gcc", "-O2", "x"}},
        {"comma splits, at line end an empty item", "a, b,\r\nc", {"a", "b", "", "c"}},
        {"leading blanks dropped, trailing kept", " \t a b  \r\n", {"a b  "}},
        {"quoted item holds commas and blanks", "\" x, y \"\r\n", {" x, y "}},
        {"after the closing quote: blanks, comma", "\"x\"  ,y", {"x", "y"}},
        {"other text after the closing quote", "\"x\"y\r\n", {"x", "y"}},
        {"quote inside an unquoted item", "a\"b\"\r\n", {"a\"b\""}},
        {"missing closing quote ends at the line", "\"x, y\r\nz", {"x, y", "z"}},
        {"blank lines give empty items", "a\r\n\r\n   \r\nb\r\n\r\n", {"a", "", "", "b", ""}},
        {"CR and LF alone end lines, LF CR is two", "a\rb\nc\n\rd", {"a", "b", "c", "", "d"}},
        {"0x1A ends the file", "a\r\nb\x1A\r\nc\r\n", {"a", "b"}},
        {"600 bytes are stored as 511", std::string(600, 'x') + "\nn", {std::string(511, 'x'), "n"}},
        {"4096 bytes end an item, then blanks, comma", a4096 + "  ,b", {std::string(511, 'a'), "b"}},
        {"4096 bytes end an item, the rest is the next", a4096 + "aaaa", {std::string(511, 'a'), "aaaa"}},
        {"a UTF-8 byte-order mark first is skipped", "\xEF\xBB\xBF\"a, b\"\r\nc", {"a, b", "c"}},
        {"the mark anywhere else is text", "a\r\n\xEF\xBB\xBF", {"a", "\xEF\xBB\xBF"}},
        {"a part of the mark is text", "\xEF\xBB", {"\xEF\xBB"}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ReadItems(c.file), c.items) << c.rule;
}

TEST(PresetFile, ThirtyTwoItemsAtMostAndNoMoreOfTheFileIsRead) {
    int piecesAsked = 0;
    const Items items = ReadPresetItems([&]() -> std::string_view {
        return ++piecesAsked < 1000 ? "-line\r\n" : ""; // a file of 999 lines
    });
    ASSERT_EQ(items.size(), 32u);
    EXPECT_EQ(items.back(), "-line");
    EXPECT_LE(piecesAsked, 33) << "the reader went on after its 32nd item";
}

TEST(UndoHistory, KeepsWhatTheProgramsOwnWritesChangedNewestFirstAndThirtyTwoAtMost) {
    UndoHistory undo;
    undo.KeepReplaced(L"-gen gas", L" -gen gas ");
    EXPECT_TRUE(undo.Empty()) << "a write that changed nothing as read back was kept";
    std::vector<std::wstring> expected;
    for (int k = 1; k <= 40; ++k) {
        undo.KeepReplaced(std::to_wstring(k), L"-gen gcc");
        if (k > 8)
            expected.insert(expected.begin(), std::to_wstring(k));
    }
    std::vector<std::wstring> walked;
    for (; !undo.Empty(); undo.DropNewest())
        walked.push_back(undo.Newest());
    EXPECT_EQ(walked, expected);
}

} // namespace

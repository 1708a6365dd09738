#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "preset_file.h"

namespace {

using Items = std::vector<std::string>;

TEST(ReadPresetItems, ItemRules) {
    const struct {
        const char* name;
        std::string file;
        Items items;
    } cases[] = {
        {"empty file", "", {}},
        {"one line per preset", "-gen gcc\r\n-gen clang\r\n", {"-gen gcc", "-gen clang"}},
        {"last line without line end", "a\r\nb", {"a", "b"}},
        {"comma splits", "a, b\r\n", {"a", "b"}},
        {"comma at line end gives an empty item", "a,\r\nb\r\n", {"a", "", "b"}},
        {"trailing blanks kept, leading dropped", " \t a b  \r\n", {"a b  "}},
        {"quoted item holds commas", "\"x, y\"\r\n", {"x, y"}},
        {"quoted item keeps its blanks", "\"  x  \"\r\n", {"  x  "}},
        {"blanks after closing quote, then comma", "\"x\"  ,y\r\n", {"x", "y"}},
        {"other text after closing quote begins an item", "\"x\"y\r\n", {"x", "y"}},
        {"quote inside an unquoted item is kept", "a\"b\"\r\n", {"a\"b\""}},
        {"missing closing quote ends at the line end", "\"x, y\r\nz\r\n", {"x, y", "z"}},
        {"missing closing quote at the end of the file", "\"x, y", {"x, y"}},
        {"blank line gives an empty item", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"line of blanks gives an empty item", "a\r\n   \r\nb\r\n", {"a", "", "b"}},
        {"two line ends at the end give an empty item", "a\r\n\r\n", {"a", ""}},
        {"blanks at the very end give an empty item", "a\r\n  ", {"a", ""}},
        {"LF alone ends a line", "a\nb\n", {"a", "b"}},
        {"CR alone ends a line", "a\rb\r", {"a", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"0x1A ends the file", "a\r\nb\x1A\r\nc\r\n", {"a", "b"}},
        {"0x1A first gives nothing",
         "\x1A"
         "a\r\n",
         {}},
        {"bytes above 0x7F kept", "\xE9t\xE9\r\n", {"\xE9t\xE9"}},
        {"comma only", ",", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadPresetItems(c.file), c.items) << c.name;
}

TEST(ReadPresetItems, AtMostThirtyTwoItems) {
    std::string file;
    for (int line = 1; line <= 40; ++line)
        file += "-line " + std::to_string(line) + "\r\n";
    const Items items = ReadPresetItems(file);
    ASSERT_EQ(items.size(), 32u) << "40 preset lines";
    EXPECT_EQ(items.front(), "-line 1");
    EXPECT_EQ(items.back(), "-line 32");
}

TEST(ReadPresetItems, LongItemIsStoredAsItsFirst511Bytes) {
    const std::string long600(600, 'x');
    const Items items = ReadPresetItems(long600 + "\r\nnext\r\n");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], std::string(511, 'x'));
    EXPECT_EQ(items[1], "next");
}

TEST(ReadPresetItems, ReadLimitEndsAnItemAndTheRestBeginsTheNext) {
    const struct {
        const char* name;
        std::string file;
        Items items;
    } cases[] = {
        {"4096 then line end", std::string(4096, 'a') + "\r\nb", {std::string(511, 'a'), "b"}},
        {"4096 then blanks and comma",
         std::string(4096, 'a') + "  ,b",
         {std::string(511, 'a'), "b"}},
        {"4097: the last byte is the next item",
         std::string(4096, 'a') + "c\r\nb",
         {std::string(511, 'a'), "c", "b"}},
        {"quoted 4096: the rest is the next item",
         "\"" + std::string(4096, 'a') + "cd\"\r\n",
         {std::string(511, 'a'), "cd\""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadPresetItems(c.file), c.items) << c.name;
}

} // namespace

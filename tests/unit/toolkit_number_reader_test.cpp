#include <gtest/gtest.h>

#include <string>

#include "number_reader.h"

namespace {

using WideText = std::basic_string<WideUnit>;

WideText Wide(std::string_view ascii) {
    return WideText(ascii.begin(), ascii.end());
}

struct NumberCase {
    const char* text;
    double expected;
};

TEST(ToolkitNumberReader, ReadsTheLeadingNumberAsTheRuntimeDoes) {
    const NumberCase cases[] = {
        {"101", 101}, {"  101", 101}, {"\t7", 7}, {"+5", 5},     {"-3", -3},    {"12abc", 12},
        {"1.5", 1.5}, {".5", 0.5},    {"5.", 5},  {"1e3", 1000}, {"1E+2", 100}, {"1e-1", 0.1},
        {"2e", 2},    {"2e+", 2},     {"3 4", 3}, {"&H1F", 31},  {"&hff", 255}, {"&O17", 15},
        {"&B101", 5}, {"&B102", 2},   {"&H", 0},  {"&Hxyz", 0},  {"&X12", 0},   {"  &H10", 16},
        {"abc", 0},   {"", 0},        {"-", 0},   {".", 0},      {"-.e5", 0},
    };
    for (const NumberCase& c : cases)
        EXPECT_DOUBLE_EQ(ReadNumber(Wide(c.text)), c.expected) << "text [" << c.text << "]";
}

struct ResourceCase {
    const char* text;
    std::optional<std::uint16_t> expected;
};

TEST(ToolkitNumberReader, HashAndNumberNameAnIntegerResource) {
    const ResourceCase cases[] = {
        {"#101", 101},
        {"#  101", 101},
        {"#101.5", 102},
        {"#100.5", 100},
        {"#70000", 4464},
        {"#-1", 65535},
        {"#&H10065", 101},
        {"#", 0},
        {"#logo", 0},
        {"#1e400", 0},
        {"IDB_LOGO", std::nullopt},
        {"", std::nullopt},
        {" #5", std::nullopt},
        {"101", std::nullopt},
    };
    for (const ResourceCase& c : cases) {
        const auto got = ImageResourceNumber(Wide(c.text));
        EXPECT_EQ(got, c.expected)
            << "text [" << c.text << "] gave " << (got ? std::to_string(*got) : "a resource name");
    }
}

} // namespace

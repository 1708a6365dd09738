#include <gtest/gtest.h>

#include "toolchain_status.h"

namespace {

TEST(ToolchainStatusText, CutsTheVersionsOutOfTheCompilerPath) {
    const struct {
        const char* path;
        const char* status;
    } cases[] = {
        {"folder\\name-1.2-x-3.4\\file", " fbc 1.2 / gcc 3.4"},
        {"C:\\WinFBE\\Toolchains\\FBC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe",
         " fbc 1.10.1 / gcc 9.3.0"},
        {"", " fbc  / gcc "},
        {"C:\\fbc\\fbc32.exe", " fbc C:\\fbc\\fbc32.exe / gcc C:"},
        {"fbc32.exe", " fbc fbc32.exe / gcc fbc32.exe"},
        {"a-b", " fbc b / gcc b"},
        {"x\\a-b", " fbc b / gcc b"},
        {"a-", " fbc  / gcc "},
        {"-", " fbc  / gcc "},
        {"a--b\\c", " fbc  / gcc b"},
        {"\\a-1\\b-2\\c", " fbc 1\\b / gcc 2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToolchainStatusText(c.path), c.status) << "compiler path [" << c.path << "]";
}

} // namespace

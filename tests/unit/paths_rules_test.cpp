#include <gtest/gtest.h>

#include <string>

#include "paths.h"

namespace {

std::string Narrow(const std::wstring& wide) {
    return std::string(wide.begin(), wide.end());
}

TEST(PathRules, NameAndFolderOfTheExecutable) {
    const struct {
        const wchar_t* modulePath;
        const char* name;
        const char* folder;
    } cases[] = {
        {L"C:\\Tools\\prog.exe", "prog", "C:\\Tools"},
        {L"D:\\a.b\\prog.x.exe", "prog.x", "D:\\a.b"},
        {L"D:\\prog.exe", "prog", "D:\\"},
        {L"\\prog.exe", "prog", "\\"},
        {L"D:prog.exe", "prog", "D:"},
        {L"C:/Tools/prog.exe", "prog", "C:/Tools/"},
        {L"\\\\server\\share\\dir\\MarlwickIII.exe", "MarlwickIII", "\\\\server\\share\\dir"},
        {L"prog.exe", "prog", "prog.exe"},
        {L"C:\\Tools\\prog", "prog", "C:\\Tools"},
        {L"C:\\Tools\\.exe", "", "C:\\Tools"},
        {L"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(ExeNameFromModulePath(c.modulePath)), c.name)
            << "ExeName of " << Narrow(c.modulePath);
        EXPECT_EQ(Narrow(ExePathFromModulePath(c.modulePath)), c.folder)
            << "ExePath of " << Narrow(c.modulePath);
    }
}

TEST(PathRules, LongModulePathIsKeptWhole) {
    const std::wstring folder = L"C:\\" + std::wstring(400, L'd');
    EXPECT_EQ(ExePathFromModulePath(folder + L"\\MarlwickIIIL8.exe"), folder);
    EXPECT_EQ(Narrow(ExeNameFromModulePath(folder + L"\\MarlwickIIIL8.exe")), "MarlwickIIIL8");
}

TEST(PathRules, OnlyPlainFilesCount) {
    const struct {
        std::uint32_t attributes;
        bool file;
    } cases[] = {
        {0x20, true},  {0x80, true},   {0x01, true},   {0x10, false},
        {0x30, false}, {0x100, false}, {0x120, false}, {0x2000, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AttributesNameAFile(c.attributes), c.file)
            << "attributes 0x" << std::hex << c.attributes;
}

} // namespace

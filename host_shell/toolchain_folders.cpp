#include "toolchain_folders.h"

#include <windows.h>

#include "handles.h"
#include "paths.h"
#include "settings_files.h"

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder that holds Settings\WinFBE.ini.
std::wstring IdeFolder(std::wstring_view iniPath) {
    for (int up = 0; up < 2; ++up)
        iniPath = iniPath.substr(0, std::min(iniPath.size(), iniPath.find_last_of(L"\\/")));
    return std::wstring(iniPath);
}

std::vector<ToolchainFolder> FoldersIn(const std::wstring& folder) {
    std::vector<ToolchainFolder> folders;
    WIN32_FIND_DATAW found{};
    const UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &found));
    for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.get(), &found)) {
        const std::wstring name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..")
            continue;
        const std::wstring path = folder + L"\\" + name + L"\\";
        folders.push_back({name, FileExists((path + L"fbc32.exe").c_str()),
                           FileExists((path + L"fbc64.exe").c_str())});
    }
    return folders;
}

} // namespace

ToolchainsListed ListToolchains(const DynamicWideString& iniPath) {
    std::wstring stored32 = ReadCompilerIniValueWide(iniPath, KeyName(IniKey::Compiler32));
    const std::wstring ide = IdeFolder(iniPath.view());
    std::wstring folder = ToolchainsFolder(stored32, ide, IsFolder(CompilerFolder(stored32, ide)));
    std::vector<ToolchainFolder> folders = FoldersIn(folder);
    return {std::move(stored32), ReadCompilerIniValueWide(iniPath, KeyName(IniKey::Compiler64)),
            std::move(folder), std::move(folders)};
}

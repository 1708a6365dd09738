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

// The 64-bit compiler is looked for where the 64-bit key would name it, which may be another
// folder than the one listed.
std::vector<ToolchainFolder> FoldersIn(const std::wstring& folder, std::wstring_view stored64,
                                       std::wstring_view ide) {
    std::vector<ToolchainFolder> folders;
    WIN32_FIND_DATAW found{};
    const UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &found));
    for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.get(), &found)) {
        const std::wstring name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..")
            continue;
        const std::optional<std::wstring> path64 = Compiler64For(stored64, name);
        folders.push_back({name, FileExists((folder + L"\\" + name + L"\\fbc32.exe").c_str()),
                           path64 && FileExists(ResolvedPath(*path64, ide).c_str())});
    }
    return folders;
}

} // namespace

ToolchainsListed ListToolchains(const DynamicWideString& iniPath) {
    std::wstring stored32 = ReadCompilerIniValueWide(iniPath, KeyName(IniKey::Compiler32));
    std::wstring stored64 = ReadCompilerIniValueWide(iniPath, KeyName(IniKey::Compiler64));
    std::wstring ide = IdeFolder(iniPath.view());
    std::wstring folder = ToolchainsFolder(stored32, ide, IsFolder(CompilerFolder(stored32, ide)));
    std::vector<ToolchainFolder> folders = FoldersIn(folder, stored64, ide);
    return {std::move(stored32), std::move(stored64), std::move(ide), std::move(folder),
            std::move(folders)};
}

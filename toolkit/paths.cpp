#include "paths.h"

#include <windows.h>

#include "handles.h"
#include "paths_rules.h"

namespace {

// Beyond the longest path Windows accepts, so the loop always ends.
constexpr DWORD kModulePathCeiling = 65536;

// GetModuleFileNameW cuts a path that does not fit and says so only by filling the buffer, so
// grow until it leaves room: a cut path could name another folder.
std::wstring ModuleFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD written = GetModuleFileNameW(nullptr, path.data(), size);
        if (written < size || size >= kModulePathCeiling) {
            path.resize(written < size ? written : 0);
            return path;
        }
        path.resize(static_cast<std::size_t>(size) * 2);
    }
}

} // namespace

DynamicWideString ExeName() {
    return DynamicWideString(ExeNameFromModulePath(ModuleFilePath()));
}

DynamicWideString ExePath() {
    return DynamicWideString(ExePathFromModulePath(ModuleFilePath()));
}

bool FileExists(const wchar_t* path) {
    if (path == nullptr)
        return false;
    WIN32_FIND_DATAW found;
    const UniqueFind search(FindFirstFileW(path, &found));
    return search && AttributesNameAFile(found.dwFileAttributes);
}

#include "paths_rules.h"

namespace {

constexpr std::wstring_view kSeparators = L":/\\";

// A drive root ("D:\") or the root of the current drive ("\") keeps its backslash, as
// PathRemoveBackslashW leaves it.
bool IsRootWithBackslash(std::wstring_view folder) {
    return folder == L"\\" || (folder.size() == 3 && folder[1] == L':' && folder[2] == L'\\');
}

} // namespace

std::wstring ExeNameFromModulePath(std::wstring_view modulePath) {
    std::wstring_view name = modulePath;
    const std::size_t separator = name.find_last_of(kSeparators);
    if (separator != std::wstring_view::npos)
        name.remove_prefix(separator + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring_view::npos)
        name = name.substr(0, dot);
    return std::wstring(name);
}

std::wstring ExePathFromModulePath(std::wstring_view modulePath) {
    const std::size_t separator = modulePath.find_last_of(kSeparators);
    if (separator == std::wstring_view::npos)
        return std::wstring(modulePath);
    std::wstring_view folder = modulePath.substr(0, separator + 1);
    if (folder.back() == L'\\' && !IsRootWithBackslash(folder))
        folder.remove_suffix(1);
    return std::wstring(folder);
}

bool AttributesNameAFile(std::uint32_t fileAttributes) {
    constexpr std::uint32_t kDirectory = 0x10;
    constexpr std::uint32_t kTemporary = 0x100;
    return (fileAttributes & (kDirectory | kTemporary)) == 0;
}

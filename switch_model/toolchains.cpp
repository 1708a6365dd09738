#include "toolchains.h"

#include <algorithm>

namespace {

constexpr std::wstring_view kSeparators = L"\\/";

// The text before the last separator, none without one.
std::optional<std::wstring_view> Parent(std::wstring_view path) {
    const std::size_t last = path.find_last_of(kSeparators);
    if (last == std::wstring_view::npos)
        return std::nullopt;
    return path.substr(0, last);
}

std::wstring_view LastName(std::wstring_view path) {
    const std::size_t last = path.find_last_of(kSeparators);
    return last == std::wstring_view::npos ? path : path.substr(last + 1);
}

bool IsAbsolute(std::wstring_view path) {
    return (path.size() >= 2 && path[1] == L':') ||
           (!path.empty() && kSeparators.find(path[0]) != std::wstring_view::npos);
}

// File names compare without regard to the case of ASCII letters, as the IDE's names need.
wchar_t Folded(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool LessIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return Folded(x) < Folded(y); });
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return Folded(x) == Folded(y); });
}

// The path with the name of the folder that holds its file replaced; none when it names no
// folder.
std::optional<std::wstring> WithFolderName(std::wstring_view path, std::wstring_view name) {
    const std::optional<std::wstring_view> folder = Parent(path);
    if (!folder || LastName(*folder).empty())
        return std::nullopt;
    const std::size_t nameStart = folder->size() - LastName(*folder).size();
    return std::wstring(path.substr(0, nameStart)) + std::wstring(name) +
           std::wstring(path.substr(folder->size()));
}

} // namespace

std::wstring CompilerFolder(std::wstring_view compilerPath, std::wstring_view ideFolder) {
    const std::wstring_view folder = Parent(compilerPath).value_or(L"");
    if (compilerPath.empty() || IsAbsolute(folder))
        return std::wstring(folder);
    return std::wstring(ideFolder) + (folder.empty() ? L"" : L"\\") + std::wstring(folder);
}

std::wstring ToolchainsFolder(std::wstring_view stored32, std::wstring_view ideFolder,
                              bool compilerFolderExists) {
    const std::wstring holder = CompilerFolder(stored32, ideFolder);
    if (const std::optional<std::wstring_view> parent = Parent(holder);
        parent && !stored32.empty() && compilerFolderExists)
        return std::wstring(*parent);
    return std::wstring(ideFolder) + L"\\Toolchains";
}

std::vector<ToolchainItem> ToolchainMenuItems(std::vector<ToolchainFolder> folders,
                                              std::wstring_view stored32) {
    // A few folders: an insertion sort, stable, and lighter in the program than std::stable_sort.
    for (std::size_t i = 1; i < folders.size(); ++i)
        for (std::size_t j = i; j > 0 && LessIgnoringCase(folders[j].name, folders[j - 1].name);
             --j)
            std::swap(folders[j], folders[j - 1]);
    const std::wstring_view current = LastName(Parent(stored32).value_or(L""));
    std::vector<ToolchainItem> items;
    for (const ToolchainFolder& folder : folders)
        items.push_back({folder.name, !current.empty() && EqualIgnoringCase(folder.name, current),
                         folder.hasFbc32});
    return items;
}

std::vector<KeyValue> ToolchainWrites(std::wstring_view stored32, std::wstring_view stored64,
                                      const ToolchainFolder& picked,
                                      std::wstring_view toolchainsFolder) {
    const std::wstring fullPath =
        std::wstring(toolchainsFolder) + L"\\" + picked.name + L"\\fbc32.exe";
    std::vector<KeyValue> writes = {
        {IniKey::Compiler32, WithFolderName(stored32, picked.name).value_or(fullPath)}};
    if (!stored64.empty() && picked.hasFbc64)
        if (const std::optional<std::wstring> path64 = WithFolderName(stored64, picked.name))
            writes.push_back({IniKey::Compiler64, *path64});
    return writes;
}

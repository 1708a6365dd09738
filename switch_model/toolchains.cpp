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

// The path with the name of the folder that holds its file replaced; none when that folder has
// no name of its own, as a drive's root has not.
std::optional<std::wstring> WithFolderName(std::wstring_view path, std::wstring_view name) {
    const std::optional<std::wstring_view> folder = Parent(path);
    if (!folder || LastName(*folder).empty() || LastName(*folder).ends_with(L':'))
        return std::nullopt;
    const std::size_t nameStart = folder->size() - LastName(*folder).size();
    return std::wstring(path.substr(0, nameStart)) + std::wstring(name) +
           std::wstring(path.substr(folder->size()));
}

constexpr std::wstring_view kCurrentDrive = L"{CURDRIVE}";

// The folder above the one that holds the stored path's compiler; none for an empty path and for
// a compiler whose folder is a root.
std::optional<std::wstring> OwnToolchainsFolder(std::wstring_view stored,
                                                std::wstring_view ideFolder) {
    const std::wstring folder = CompilerFolder(stored, ideFolder);
    const std::optional<std::wstring_view> parent = Parent(folder);
    if (stored.empty() || !parent || LastName(folder).empty())
        return std::nullopt;
    return std::wstring(*parent);
}

bool IsOwnFolder(std::wstring_view stored32, std::wstring_view toolchainsFolder,
                 std::wstring_view ideFolder) {
    const std::optional<std::wstring> own = OwnToolchainsFolder(stored32, ideFolder);
    return own && EqualIgnoringCase(*own, toolchainsFolder);
}

} // namespace

bool SameFolderName(std::wstring_view a, std::wstring_view b) {
    return EqualIgnoringCase(a, b);
}

std::wstring ResolvedPath(std::wstring_view stored, std::wstring_view ideFolder) {
    std::wstring path(stored);
    const bool ideOnDrive = ideFolder.size() >= 2 && ideFolder[1] == L':';
    for (std::size_t at = 0; ideOnDrive && at + kCurrentDrive.size() <= path.size(); ++at)
        if (EqualIgnoringCase(std::wstring_view(path).substr(at, kCurrentDrive.size()),
                              kCurrentDrive))
            path.replace(at, kCurrentDrive.size(), ideFolder.substr(0, 1));
    if (path.empty() || IsAbsolute(path))
        return path;
    return std::wstring(ideFolder) + L"\\" + path;
}

std::wstring CompilerFolder(std::wstring_view stored, std::wstring_view ideFolder) {
    if (stored.empty())
        return {};
    const std::wstring path = ResolvedPath(stored, ideFolder);
    return std::wstring(Parent(path).value_or(L""));
}

std::wstring ToolchainsFolder(std::wstring_view stored32, std::wstring_view ideFolder,
                              bool compilerFolderExists) {
    if (const std::optional<std::wstring> own = OwnToolchainsFolder(stored32, ideFolder);
        own && compilerFolderExists)
        return *own;
    return std::wstring(ideFolder) + L"\\Toolchains";
}

std::vector<ToolchainItem> ToolchainMenuItems(std::vector<ToolchainFolder> folders,
                                              std::wstring_view stored32,
                                              std::wstring_view toolchainsFolder,
                                              std::wstring_view ideFolder) {
    std::stable_sort(folders.begin(), folders.end(),
                     [](const auto& a, const auto& b) { return LessIgnoringCase(a.name, b.name); });
    const std::wstring current = IsOwnFolder(stored32, toolchainsFolder, ideFolder)
                                     ? std::wstring(LastName(CompilerFolder(stored32, ideFolder)))
                                     : L"";
    std::vector<ToolchainItem> items;
    for (const ToolchainFolder& folder : folders)
        items.push_back({folder, !current.empty() && EqualIgnoringCase(folder.name, current)});
    return items;
}

std::optional<std::wstring> Compiler64For(std::wstring_view stored64, std::wstring_view name) {
    if (stored64.empty())
        return std::nullopt;
    return WithFolderName(stored64, name);
}

std::vector<KeyValue> ToolchainWrites(std::wstring_view stored32, std::wstring_view stored64,
                                      const ToolchainFolder& picked,
                                      std::wstring_view toolchainsFolder,
                                      std::wstring_view ideFolder) {
    const std::optional<std::wstring> kept = IsOwnFolder(stored32, toolchainsFolder, ideFolder)
                                                 ? WithFolderName(stored32, picked.name)
                                                 : std::nullopt;
    std::vector<KeyValue> writes = {
        {IniKey::Compiler32,
         kept.value_or(std::wstring(toolchainsFolder) + L"\\" + picked.name + L"\\fbc32.exe")}};
    if (picked.hasFbc64)
        if (const std::optional<std::wstring> path64 = Compiler64For(stored64, picked.name))
            writes.push_back({IniKey::Compiler64, *path64});
    return writes;
}

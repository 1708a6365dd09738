#include "switch_model_scratch.h"

#include <atomic>

#include "handles.h"

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const UniqueFindHandle search(FindFirstFileW(LongForm(folder + L"\\*").c_str(), &entry));
    if (search) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(LongForm(child).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(LongForm(child).c_str());
            }
        } while (FindNextFileW(search.get(), &entry));
    }
    RemoveDirectoryW(LongForm(folder).c_str());
}

} // namespace

std::wstring LongForm(const std::wstring& path) {
    return path.starts_with(L"\\\\?\\") ? path : L"\\\\?\\" + path;
}

ScratchFolder::ScratchFolder(std::wstring_view tag) {
    static std::atomic<unsigned> counter{0};
    std::wstring temp(MAX_PATH + 1, L'\0');
    temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
    path_ = temp + L"marlwick-" + std::wstring(tag) + L"-" +
            std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    MakeFolders(path_);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

bool MakeFolders(const std::wstring& path) {
    for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos;
         at = path.find(L'\\', at + 1))
        CreateDirectoryW(LongForm(path.substr(0, at)).c_str(), nullptr);
    return CreateDirectoryW(LongForm(path).c_str(), nullptr) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
    const UniqueFileHandle file(CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
    const UniqueFileHandle file(CreateFileW(LongForm(path).c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got != 0)
        bytes.append(chunk, got);
    return bytes;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(LongForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

CurrentDirectoryGuard::CurrentDirectoryGuard() {
    saved_.resize(GetCurrentDirectoryW(0, nullptr));
    saved_.resize(GetCurrentDirectoryW(static_cast<DWORD>(saved_.size()), saved_.data()));
}

CurrentDirectoryGuard::~CurrentDirectoryGuard() {
    SetCurrentDirectoryW(saved_.c_str());
}

ExclusiveHold::ExclusiveHold(const std::wstring& path)
    : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

std::string Utf8(std::wstring_view wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

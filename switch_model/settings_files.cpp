#include "settings_files.h"

#include <algorithm>
#include <array>
#include <span>

#include "handles.h"
#include "paths.h"
#include "preset_file.h"
#include "text_conversion.h"

namespace {

constexpr wchar_t kCompilerSection[] = L"Compiler";
// Far beyond any value a person writes; keeps the buffer arithmetic inside 32 bits.
constexpr std::size_t kLongestValueRead = 1 << 24;

UniqueFileHandle OpenForReading(const std::wstring& path) {
    return UniqueFileHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Up to maxBytes of the file; what was read before a failure.
std::string ReadFileBytes(const std::wstring& path, std::size_t maxBytes) {
    const UniqueFileHandle file = OpenForReading(path);
    std::string bytes;
    if (!file)
        return bytes;
    std::array<char, 4096> chunk;
    while (bytes.size() < maxBytes) {
        const auto wanted = static_cast<DWORD>(std::min(chunk.size(), maxBytes - bytes.size()));
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk.data(), wanted, &got, nullptr) || got == 0)
            break;
        bytes.append(chunk.data(), got);
    }
    return bytes;
}

} // namespace

std::wstring ProgramFilePath(const std::wstring& programFolder, const wchar_t* fileName) {
    std::wstring path = programFolder;
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    return path + fileName;
}

std::optional<std::vector<std::wstring>> LoadPresetTexts(const std::wstring& programFolder) {
    const std::wstring path = ProgramFilePath(programFolder, kPresetFileName);
    if (!FileExists(path.c_str()))
        return std::nullopt;
    std::vector<std::wstring> presets;
    for (const std::string& item : ReadPresetItems(ReadFileBytes(path, SIZE_MAX)))
        presets.push_back(WidenAnsi(item));
    return presets;
}

bool MarkerExists(const std::wstring& programFolder, const wchar_t* markerName) {
    return FileExists(ProgramFilePath(programFolder, markerName).c_str());
}

void SetMarker(const std::wstring& programFolder, const wchar_t* markerName, bool ticked) {
    const std::wstring path = ProgramFilePath(programFolder, markerName);
    const bool exists = FileExists(path.c_str());
    if (ticked && !exists) {
        // CREATE_NEW: a marker that appears meanwhile keeps its content.
        const UniqueFileHandle created(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    } else if (!ticked && exists) {
        DeleteFileW(path.c_str());
    }
}

std::optional<ScreenPoint> LoadStartPosition(const std::wstring& programFolder) {
    const std::wstring path = ProgramFilePath(programFolder, kPositionFileName);
    if (!FileExists(path.c_str()))
        return std::nullopt;
    const std::string bytes = ReadFileBytes(path, 8);
    return DecodePositionRecord(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

void SaveWindowPosition(const std::wstring& programFolder, ScreenPoint now, ScreenPoint start) {
    if (now == start)
        return;
    const std::wstring path = ProgramFilePath(programFolder, kPositionFileName);
    const UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    const auto record = EncodePositionRecord(now);
    DWORD written = 0;
    WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
}

// GetFullPathNameW gives the size it needs when the buffer is too small; a cut path could
// name another file, and the program would write there.
std::wstring ResolveWinFbeIniPath() {
    std::wstring path(4096, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD result = GetFullPathNameW(kWinFbeIniRelativePath, size, path.data(), nullptr);
        if (result == 0)
            return {};
        if (result < size) {
            path.resize(result);
            return path;
        }
        path.resize(result);
    }
}

std::wstring ReadCompilerIniValueWide(const std::wstring& iniPath, const wchar_t* key,
                                      std::size_t maxChars) {
    // Without a key the call would list every key of the section.
    if (iniPath.empty() || key == nullptr)
        return {};
    maxChars = std::min(maxChars, kLongestValueRead);
    // A full buffer (result = size - 1) may hide a longer value: grow until it leaves room,
    // or until it holds more than maxChars.
    std::size_t size = std::min<std::size_t>(512, maxChars + 2);
    for (;;) {
        std::wstring value(size, L'\0');
        const DWORD copied = GetPrivateProfileStringW(kCompilerSection, key, L"", value.data(),
                                                      static_cast<DWORD>(size), iniPath.c_str());
        if (copied + 1 < size || size > maxChars + 1) {
            value.resize(std::min<std::size_t>(copied, maxChars));
            return value;
        }
        size = std::min(size * 2, maxChars + 2);
    }
}

std::string ReadCompilerIniValue(const std::wstring& iniPath, const char* key) {
    // Each narrow byte needs at most two units, so this many units always fill the 511 bytes.
    constexpr std::size_t kUnitsForLimit = 2 * kIniValueLimit;
    if (key == nullptr)
        return {};
    const std::wstring wideKey = WidenAnsi(key);
    return NarrowAnsi(ReadCompilerIniValueWide(iniPath, wideKey.c_str(), kUnitsForLimit),
                      kIniValueLimit);
}

bool WriteCompilerSwitches(const std::wstring& iniPath, const std::wstring& value) {
    if (iniPath.empty())
        return false;
    return WritePrivateProfileStringW(kCompilerSection, L"CompilerSwitches", value.c_str(),
                                      iniPath.c_str()) != 0;
}

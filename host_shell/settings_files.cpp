#include "settings_files.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <span>

#include "handles.h"
#include "paths.h"
#include "preset_file.h"
#include "text_conversion.h"

namespace {

constexpr wchar_t kCompilerSection[] = L"Compiler";
// Another program's brief hold on a file (a save, a scanner's look) is waited out this long.
constexpr int kBriefWaitAttempts = 50;
constexpr DWORD kBriefWaitPauseMs = 10;

// While another program holds a file open without sharing, the profile functions read every
// value of it as empty.
bool HeldByAnother(const DynamicWideString& path) {
    const UniqueFile file(CreateFileW(path.data(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

UniqueFile OpenForReading(const DynamicWideString& path) {
    return UniqueFile(CreateFileW(path.data(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The file's bytes a piece at a time, as a reader asks for them; a failed read ends the file.
class PieceReader {
  public:
    explicit PieceReader(const DynamicWideString& path) : file_(OpenForReading(path)) {}
    bool Opened() const { return static_cast<bool>(file_); }
    std::string_view operator()() {
        DWORD got = 0;
        if (!file_ || !ReadFile(file_.get(), buffer_.data(), buffer_.size(), &got, nullptr))
            return {};
        return {buffer_.data(), got};
    }

  private:
    UniqueFile file_;
    std::array<char, 4096> buffer_{};
};

} // namespace

DynamicWideString ProgramFilePath(const DynamicWideString& programFolder, const wchar_t* fileName) {
    DynamicWideString path = programFolder;
    if (path.view().empty() || path.view().back() != L'\\')
        path.AppendText(L"\\");
    path.AppendText(fileName);
    return path;
}

bool PresetFileExists(const DynamicWideString& programFolder) {
    return FileExists(ProgramFilePath(programFolder, kPresetFileName).data());
}

std::optional<std::vector<std::wstring>> ReadPresetTexts(const DynamicWideString& programFolder) {
    PieceReader pieces(ProgramFilePath(programFolder, kPresetFileName));
    if (!pieces.Opened())
        return std::nullopt;
    return ReadPresetFile(std::ref(pieces), WidenAnsi).presets;
}

std::optional<FileStamp> PresetFileStamp(const DynamicWideString& programFolder) {
    return FileStampOf(ProgramFilePath(programFolder, kPresetFileName));
}

namespace {

// The whole file, none when it cannot be read; a preset file is small, so one of more than
// 16 MB is not one.
std::optional<std::string> ReadWholeFile(const DynamicWideString& path) {
    constexpr DWORD kLargest = 16 << 20;
    const UniqueFile file = OpenForReading(path);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargest)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

bool WriteWholeFile(const DynamicWideString& path, std::string_view bytes, DWORD disposition) {
    const UniqueFile file(CreateFileW(path.data(), GENERIC_WRITE, 0, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

// A file that a reader has open without sharing its deletion cannot be replaced until it lets go.
bool PutInPlace(const DynamicWideString& from, const DynamicWideString& to) {
    for (int attempt = 0; attempt < kBriefWaitAttempts; ++attempt) {
        if (MoveFileExW(from.data(), to.data(), MOVEFILE_REPLACE_EXISTING))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)
            return false;
        Sleep(kBriefWaitPauseMs);
    }
    return false;
}

} // namespace

// Written beside it and then put in its place, so that a failure leaves the file as it was.
AppendOutcome AppendPresetToFile(const DynamicWideString& programFolder, std::wstring_view text) {
    const DynamicWideString path = ProgramFilePath(programFolder, kPresetFileName);
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        return AppendOutcome::NotWritten;
    const auto narrow = [](std::wstring_view wide) { return NarrowAnsi(wide, SIZE_MAX); };
    const std::optional<std::string> appended = WithPresetAppended(*bytes, text, WidenAnsi, narrow);
    if (!appended)
        return AppendOutcome::NotCarried;
    DynamicWideString next = path;
    next.AppendText(L".new");
    const bool replaced = WriteWholeFile(next, *appended, CREATE_ALWAYS) && PutInPlace(next, path);
    if (!replaced)
        DeleteFileW(next.data());
    return replaced ? AppendOutcome::Appended : AppendOutcome::NotWritten;
}

void CreatePresetFileIfMissing(const DynamicWideString& programFolder, std::string_view bytes) {
    WriteWholeFile(ProgramFilePath(programFolder, kPresetFileName), bytes, CREATE_NEW);
}

std::optional<FileStamp> FileStampOf(const DynamicWideString& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.view().empty() || !GetFileAttributesExW(path.data(), GetFileExInfoStandard, &data))
        return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return FileStamp{join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
                     join(data.nFileSizeHigh, data.nFileSizeLow)};
}

std::uint64_t FileTimeNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
}

bool MarkerExists(const DynamicWideString& programFolder, const wchar_t* markerName) {
    return FileExists(ProgramFilePath(programFolder, markerName).data());
}

void SetMarker(const DynamicWideString& programFolder, const wchar_t* markerName, bool ticked) {
    const DynamicWideString path = ProgramFilePath(programFolder, markerName);
    const bool exists = FileExists(path.data());
    if (ticked && !exists) {
        // CREATE_NEW: a marker that appears meanwhile keeps its content.
        const UniqueFile created(CreateFileW(path.data(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    } else if (!ticked && exists) {
        DeleteFileW(path.data());
    }
}

std::optional<ScreenPoint> LoadStartPosition(const DynamicWideString& programFolder) {
    const DynamicWideString path = ProgramFilePath(programFolder, kPositionFileName);
    if (!FileExists(path.data()))
        return std::nullopt;
    const UniqueFile file = OpenForReading(path);
    std::array<std::uint8_t, 8> record{};
    DWORD got = 0;
    if (file)
        ReadFile(file.get(), record.data(), record.size(), &got, nullptr);
    return DecodePositionRecord(std::span(record.data(), got));
}

void SaveWindowPosition(const DynamicWideString& programFolder, ScreenPoint now,
                        ScreenPoint start) {
    if (now == start)
        return;
    const DynamicWideString path = ProgramFilePath(programFolder, kPositionFileName);
    const UniqueFile file(CreateFileW(path.data(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    const auto record = EncodePositionRecord(now);
    DWORD written = 0;
    WriteFile(file.get(), record.data(), record.size(), &written, nullptr);
}

// GetFullPathNameW gives the size it needs when the buffer is too small; a cut path could
// name another file, and the program would write there.
DynamicWideString ResolveWinFbeIniPath() {
    std::wstring path(4096, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD result = GetFullPathNameW(kWinFbeIniRelativePath, size, path.data(), nullptr);
        if (result == 0)
            return {};
        if (result < size) {
            path.resize(result);
            return DynamicWideString(path);
        }
        path.resize(result);
    }
}

std::wstring ReadCompilerIniValueWide(const DynamicWideString& iniPath, const wchar_t* key,
                                      std::size_t maxChars) {
    // Without a key the call would list every key of the section.
    if (iniPath.view().empty() || key == nullptr)
        return {};
    // A full buffer (result = size - 1) may hide a longer value: grow until it leaves room, or
    // until it holds more than maxChars. The buffer's size must fit the call's DWORD.
    constexpr std::size_t kLargestBuffer = 0x7FFFFFFF;
    const std::size_t wanted = std::min(maxChars, kLargestBuffer - 2);
    std::size_t size = std::min<std::size_t>(512, wanted + 2);
    for (;;) {
        std::wstring value(size, L'\0');
        const DWORD copied = GetPrivateProfileStringW(kCompilerSection, key, L"", value.data(),
                                                      static_cast<DWORD>(size), iniPath.data());
        if (copied + 1 < size || size > wanted + 1) {
            value.resize(std::min<std::size_t>(copied, wanted));
            return value;
        }
        size = std::min(size * 2, wanted + 2);
    }
}

const wchar_t* KeyName(IniKey key) {
    switch (key) {
    case IniKey::Compiler32:
        return L"FBWINCompiler32";
    case IniKey::Compiler64:
        return L"FBWINCompiler64";
    case IniKey::CompilerSwitches:
        break;
    }
    return L"CompilerSwitches";
}

// Each narrow byte needs at most two units, so this many units always fill the 511 bytes.
IniValues ReadStoredValues(const DynamicWideString& iniPath) {
    // The profile functions may keep the file as they last read it, and know a change by its time
    // stamp alone, which a save within one step of the clock leaves as it was: read it afresh.
    if (!iniPath.view().empty())
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, iniPath.data());
    IniValues values;
    for (std::size_t key = 0; key < kIniKeyCount; ++key)
        values[key] =
            CodePageTripOf(ReadCompilerIniValueWide(iniPath, KeyName(static_cast<IniKey>(key)),
                                                    2 * kIniValueLimit),
                           kIniValueLimit);
    return values;
}

// A save of the whole file (the IDE's) truncates it first: a read in between finds it empty, and
// one across the write sees its stamp move. Such a save takes microseconds, so it is waited out.
template <typename Read>
auto ReadWhileStill(const DynamicWideString& path, Read read) -> std::optional<decltype(read())> {
    for (int attempt = 0; attempt < kBriefWaitAttempts; ++attempt) {
        if (HeldByAnother(path))
            return std::nullopt;
        const std::optional<FileStamp> before = FileStampOf(path);
        if (!before || !MayBeHalfWritten(*before, FileTimeNow())) {
            auto values = read();
            if (FileStampOf(path) == before)
                return values;
        }
        Sleep(kBriefWaitPauseMs);
    }
    return std::nullopt;
}

std::optional<IniValues> ReadStoredValuesNow(const DynamicWideString& iniPath) {
    return ReadWhileStill(iniPath, [&] { return ReadStoredValues(iniPath); });
}

std::optional<StoredNow> ReadStoredNow(const DynamicWideString& iniPath) {
    return ReadWhileStill(iniPath, [&] {
        return StoredNow{ReadStoredValues(iniPath),
                         ReadCompilerIniValueWide(iniPath, KeyName(IniKey::CompilerSwitches))};
    });
}

std::wstring CodePageTripOf(std::wstring_view value, std::size_t maxBytes) {
    return WidenAnsi(NarrowAnsi(value, maxBytes));
}

bool WriteIniValue(const DynamicWideString& iniPath, IniKey key, const std::wstring& value) {
    if (iniPath.view().empty())
        return false;
    return WritePrivateProfileStringW(kCompilerSection, KeyName(key), value.c_str(),
                                      iniPath.data()) != 0;
}

// A key that cannot be written puts back the keys written before it.
WriteDone WriteIniValues(const DynamicWideString& iniPath, const std::vector<KeyValue>& values) {
    WriteDone done{true, {}};
    for (const KeyValue& value : values)
        done.replaced.push_back(ReadCompilerIniValueWide(iniPath, KeyName(value.key)));
    for (std::size_t i = 0; i < values.size() && done.ok; ++i) {
        done.ok = WriteIniValue(iniPath, values[i].key, values[i].value);
        for (std::size_t back = i; !done.ok && back-- > 0;)
            WriteIniValue(iniPath, values[back].key, done.replaced[back]);
    }
    return done;
}

// Reading the profile costs a file open, read and close through the wineserver or the kernel
// ten times a second, so an unchanged, settled file is not read again; while another program
// holds it, the values read before stand.
void RefreshWinFbeIni(const DynamicWideString& iniPath, std::uint64_t now,
                      WinFbeIniReading& reading) {
    const std::optional<FileStamp> stamp = FileStampOf(iniPath);
    reading.current = stamp == reading.stamp;
    if (stamp && reading.current && IsSettled(*stamp, now))
        return;
    // Held or half written, the file cannot be read; written within its stamp's step, it may have
    // changed unseen.
    if (HeldByAnother(iniPath) || (stamp && MayBeHalfWritten(*stamp, now))) {
        reading.current = reading.current && stamp && IsSettled(*stamp, now);
        return;
    }
    reading.values = ReadStoredValues(iniPath);
    reading.stamp = stamp;
    reading.current = true;
}

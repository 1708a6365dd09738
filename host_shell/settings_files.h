// Where the program's files lie and how they are read and written. Every path is wide, so a
// folder whose name the ANSI code page cannot carry works too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host_watch.h"
#include "position_record.h"
#include "session.h"
#include "wide_string.h"

inline constexpr wchar_t kPresetFileName[] = L"MarlwickIII.ini";
inline constexpr wchar_t kConsoleMarker[] = L"ConsoleIII.dat";
inline constexpr wchar_t kExxMarker[] = L"exxIII.dat";
inline constexpr wchar_t kPositionFileName[] = L"MWpositionIII.dat";
inline constexpr wchar_t kWinFbeIniRelativePath[] = L"..\\Settings\\WinFBE.ini";
inline constexpr int kIniValueLimit = 511; // bytes of a narrow value, as the IDE reads it

// The program folder, a backslash and the file name (no second backslash after a drive root).
DynamicWideString ProgramFilePath(const DynamicWideString& programFolder, const wchar_t* fileName);

bool PresetFileExists(const DynamicWideString& programFolder);
// Preset texts 1..N, widened as the file's encoding says; empty optional when the file cannot be
// opened, because it is gone or another program holds it.
std::optional<std::vector<std::wstring>> ReadPresetTexts(const DynamicWideString& programFolder);
std::optional<FileStamp> PresetFileStamp(const DynamicWideString& programFolder);
// Adds the text as the last preset of MarlwickIII.ini, on a line of its own.
AppendOutcome AppendPresetToFile(const DynamicWideString& programFolder, std::wstring_view text);
// Creates MarlwickIII.ini with these bytes when it is missing.
void CreatePresetFileIfMissing(const DynamicWideString& programFolder, std::string_view bytes);

// The file's last-write time and size; none when it cannot be asked, as when it is gone.
std::optional<FileStamp> FileStampOf(const DynamicWideString& path);
// The time now, in the units of a file stamp.
std::uint64_t FileTimeNow();

bool MarkerExists(const DynamicWideString& programFolder, const wchar_t* markerName);
// Creates an empty marker, never touching one that exists, or deletes it. Failures are silent.
void SetMarker(const DynamicWideString& programFolder, const wchar_t* markerName, bool ticked);

// Empty optional when MWpositionIII.dat does not exist; missing bytes read as 0.
std::optional<ScreenPoint> LoadStartPosition(const DynamicWideString& programFolder);
// Writes the 8 bytes only when now differs from start.
void SaveWindowPosition(const DynamicWideString& programFolder, ScreenPoint now, ScreenPoint start);

// "..\Settings\WinFBE.ini" against the current directory, never cut; empty when it cannot be
// resolved.
DynamicWideString ResolveWinFbeIniPath();

const wchar_t* KeyName(IniKey key);
// The three keys as the IDE reads them: at most 511 bytes of the ANSI code page, widened; ""
// when missing.
IniValues ReadStoredValues(const DynamicWideString& iniPath);
// The same, or none while another program holds the file, which the profile functions would read
// as empty, or is still saving it whole again after a short wait.
std::optional<IniValues> ReadStoredValuesNow(const DynamicWideString& iniPath);
// The same with CompilerSwitches whole, as the profile functions give it back.
std::optional<StoredNow> ReadStoredNow(const DynamicWideString& iniPath);
// The value narrowed to the ANSI code page as the profile functions store it, at most maxBytes of
// it, and widened again.
std::wstring CodePageTripOf(std::wstring_view value, std::size_t maxBytes);
// Section Compiler, the whole value however long it is, or its first maxChars characters.
std::wstring ReadCompilerIniValueWide(const DynamicWideString& iniPath, const wchar_t* key,
                                      std::size_t maxChars = SIZE_MAX);
// Non-zero result of WritePrivateProfileStringW; false for an empty path, which would name a
// file in the Windows folder.
bool WriteIniValue(const DynamicWideString& iniPath, IniKey key, const std::wstring& value);
// Writes the values, all or none, and says what they replaced, read whole just before.
WriteDone WriteIniValues(const DynamicWideString& iniPath, const std::vector<KeyValue>& values);

// The values the tick uses as last read, so that an unchanged file is not read ten times a
// second, and what WinFBE.ini looked like then (none before the first read).
struct WinFbeIniReading {
    std::optional<FileStamp> stamp;
    IniValues values;     // as the IDE reads them
    bool current = false; // false while another program holds a file changed since the read
};
// Reads the two values again unless the file is unchanged and settled; a file another program
// holds keeps the values read before, which may be out of date.
void RefreshWinFbeIni(const DynamicWideString& iniPath, std::uint64_t now,
                      WinFbeIniReading& reading);

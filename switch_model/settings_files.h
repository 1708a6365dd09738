// Where the program's files lie and how they are read and written. Every path is wide, so a
// folder whose name the ANSI code page cannot carry works too.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "position_record.h"

inline constexpr wchar_t kPresetFileName[] = L"MarlwickIII.ini";
inline constexpr wchar_t kConsoleMarker[] = L"ConsoleIII.dat";
inline constexpr wchar_t kExxMarker[] = L"exxIII.dat";
inline constexpr wchar_t kPositionFileName[] = L"MWpositionIII.dat";
inline constexpr wchar_t kWinFbeIniRelativePath[] = L"..\\Settings\\WinFBE.ini";
inline constexpr int kIniValueLimit = 511; // bytes of a narrow value, as the IDE reads it

// The program folder, a backslash and the file name (no second backslash after a drive root).
std::wstring ProgramFilePath(const std::wstring& programFolder, const wchar_t* fileName);

// Preset texts 1..N, widened; empty optional when MarlwickIII.ini does not exist. A file that
// exists but cannot be read gives no presets.
std::optional<std::vector<std::wstring>> LoadPresetTexts(const std::wstring& programFolder);

bool MarkerExists(const std::wstring& programFolder, const wchar_t* markerName);
// Creates an empty marker, never touching one that exists, or deletes it. Failures are silent.
void SetMarker(const std::wstring& programFolder, const wchar_t* markerName, bool ticked);

// Empty optional when MWpositionIII.dat does not exist; missing bytes read as 0.
std::optional<ScreenPoint> LoadStartPosition(const std::wstring& programFolder);
// Writes the 8 bytes only when now differs from start.
void SaveWindowPosition(const std::wstring& programFolder, ScreenPoint now, ScreenPoint start);

// "..\Settings\WinFBE.ini" against the current directory, never cut; "" when it cannot be
// resolved.
std::wstring ResolveWinFbeIniPath();

// Section Compiler; narrow text of at most 511 bytes, "" when missing. Read through the wide
// path, then narrowed to the ANSI code page.
std::string ReadCompilerIniValue(const std::wstring& iniPath, const char* key);
// Section Compiler, the whole value up to maxChars characters.
std::wstring ReadCompilerIniValueWide(const std::wstring& iniPath, const wchar_t* key,
                                      std::size_t maxChars);
// Non-zero result of WritePrivateProfileStringW; false for an empty path, which would name a
// file in the Windows folder.
bool WriteCompilerSwitches(const std::wstring& iniPath, const std::wstring& value);

// Where the program's files lie and how they are read and written.
#pragma once

#include <windows.h>

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

std::wstring ProgramFilePath(const std::wstring& programFolder, const wchar_t* fileName);

// Preset texts 1..N, widened; empty optional when MarlwickIII.ini does not exist.
std::optional<std::vector<std::wstring>> LoadPresetTexts(const std::wstring& programFolder);

bool MarkerExists(const std::wstring& programFolder, const wchar_t* markerName);
void SetMarker(const std::wstring& programFolder, const wchar_t* markerName, bool ticked);

std::optional<ScreenPoint> LoadStartPosition(const std::wstring& programFolder);
void SaveWindowPosition(const std::wstring& programFolder, ScreenPoint now, ScreenPoint start);

// "..\Settings\WinFBE.ini" against the current directory, never cut.
std::wstring ResolveWinFbeIniPath();

// Section Compiler; narrow text of at most 511 bytes, "" when missing.
std::string ReadCompilerIniValue(const std::wstring& iniPath, const char* key);
// Section Compiler, the whole value up to maxChars characters.
std::wstring ReadCompilerIniValueWide(const std::wstring& iniPath, const wchar_t* key,
                                      std::size_t maxChars);
bool WriteCompilerSwitches(const std::wstring& iniPath, const std::wstring& value);

// The executable's name and folder, and whether a file exists.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Pure rules, on a module path as GetModuleFileNameW gives it.
std::wstring ExeNameFromModulePath(std::wstring_view modulePath);
std::wstring ExePathFromModulePath(std::wstring_view modulePath);
bool AttributesNameAFile(std::uint32_t fileAttributes); // not a folder, not temporary

#ifdef _WIN32
// The full module path, never cut however long it is.
std::wstring ModuleFilePath();
std::wstring ExeName();
std::wstring ExePath();
bool FileExists(const wchar_t* path);
#endif

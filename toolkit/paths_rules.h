// The rules behind the executable's name and folder and the file-exists test, on the values the
// system gives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// On a module path as GetModuleFileNameW gives it.
std::wstring ExeNameFromModulePath(std::wstring_view modulePath);
std::wstring ExePathFromModulePath(std::wstring_view modulePath);
bool AttributesNameAFile(std::uint32_t fileAttributes); // not a folder, not temporary

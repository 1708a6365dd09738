// The status bar text cut out of the IDE's compiler path.
#pragma once

#include <string>
#include <string_view>

// Cut out of the wide path, so that a trail byte of a double-byte character is never taken for a
// separator.
std::wstring ToolchainStatusText(std::wstring_view compilerPath);

// The full path of a loaded module, never cut however long it is.
#pragma once

#include <windows.h>

#include <string>

// Null names the executable. "" when the module is unknown.
std::wstring ModuleFilePathOf(HMODULE module);

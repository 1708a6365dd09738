// The executable's name and folder, and whether a file exists.
#pragma once

#include "wide_string.h"

// The file name without folder and extension: "prog" for C:\Tools\prog.exe.
DynamicWideString ExeName();
// The folder without a trailing backslash, but a drive root keeps its own: C:\Tools, D:\.
DynamicWideString ExePath();
bool FileExists(const wchar_t* path);

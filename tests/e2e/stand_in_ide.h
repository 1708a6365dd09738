// What the end-to-end tests ask of the stand-in IDE.
#pragma once

#include <windows.h>

// WM_COPYDATA: save the settings file as the IDE does, the data "KEY=VALUE" for a key of
// section Compiler it changes first, or empty; the answer is TRUE once it is saved.
inline constexpr ULONG_PTR kSaveSettings = 0x53415645;

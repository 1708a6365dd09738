// The one export of DlgMsgBox.dll. Programs built for the closed library of the same name call
// it, so its name, argument list and calling convention must not change.
#pragma once

#include <windows.h>

#include <cstdint>

#ifdef DLGMSGBOX_BUILDING_DLL
#define DLGMSGBOX_API
#else
#define DLGMSGBOX_API __declspec(dllimport)
#endif

// Shows a modal box with one OK button and returns IDOK once it is dismissed. Integers come by
// reference and are only read; texts are NUL-terminated UTF-16.
extern "C" DLGMSGBOX_API
    std::int32_t __stdcall DLGMSGBOX(HWND* owner, const wchar_t* text, const wchar_t* caption,
                                     const std::int32_t* style, const std::int32_t* buttonPoints,
                                     const wchar_t* fontFace, const std::int32_t* fontPoints,
                                     const std::int32_t* reserved, const std::int32_t* colour);

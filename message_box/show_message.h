// Every message the program shows goes through DLGMSGBOX of DlgMsgBox.dll.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dlgmsgbox/dlgmsgbox.h"
#include "message_box_open_guard.h"

using DlgMsgBoxFunction = decltype(&DLGMSGBOX);

inline constexpr std::int32_t kStyleWarning = 0x2030; // MB_TASKMODAL | MB_ICONEXCLAMATION
inline constexpr std::int32_t kStylePlain = 0x2000;   // MB_TASKMODAL

struct MessageRequest {
    HWND owner = nullptr;
    const wchar_t* text = L"";
    const wchar_t* caption = L"MWK III";
    std::int32_t style = kStyleWarning;
    std::int32_t fontSize = 10;
};

// Builds the nine arguments of the call and makes it; the library's answer is not needed.
void ShowMessage(const MessageRequest& request, DlgMsgBoxFunction show = &DLGMSGBOX);

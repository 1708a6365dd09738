// The program's message boxes: words, owner, caption and size as the program shows them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "session.h"
#include "show_message.h"

// Shown with the main window as owner and the message-box size setting.
void ShowProgramMessage(HWND owner, std::int32_t size, const wchar_t* text,
                        const wchar_t* caption = L"MWK III");
void ShowSessionMessage(HWND owner, std::int32_t size, Message message);
// The commands a User Tool can give, for arguments that give none.
void ShowCommandsMessage(HWND owner, std::int32_t size);
// Shown before the main window exists, at a fixed size.
void ShowEarlyMessage(const wchar_t* text, std::int32_t style, std::int32_t fontSize);
// A nested loop may have taken the quit message meant for the main loop; post it again.
void EndMainLoopIfWindowGone(HWND main);

// The program's message boxes: owner, caption and size as the program shows them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "program_state.h"
#include "show_message.h"

enum class BoxCaption { MwkIII, Mwk };

// Shown with the main window as owner and the message-box size setting.
void ShowProgramMessage(const ProgramState& program, const wchar_t* text,
                        BoxCaption caption = BoxCaption::MwkIII);
// Shown before the main window exists, at a fixed size.
void ShowEarlyMessage(const wchar_t* text, std::int32_t style, std::int32_t fontSize);
// A nested loop may have taken the quit message meant for the main loop; post it again.
void EndMainLoopIfWindowGone(HWND main);

// Undo of the program's own writes of CompilerSwitches: what each write keeps, and the system
// menu's item and Ctrl+Z that write it back.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "program_state.h"

// The item in the system menu, greyed while nothing is kept, and Ctrl+Z.
void AddUndoCommands(ProgramState& program);
// After a write of the program's own: the selection will not take it for the IDE's, and the value
// it replaced is kept.
void NoteOwnWrite(HWND main, ProgramState& program, std::wstring replaced,
                  std::wstring_view written);
// What another program stored replaces whatever is kept: undo never overwrites it.
void ForgetOwnWrites(HWND main, ProgramState& program);
// Writes back the newest value kept and selects its option, silently; with nothing kept, a beep.
void UndoLastChange(HWND main, ProgramState& program);

#include "undo_command.h"

#include "control_ids.h"
#include "option_column.h"
#include "presets.h"
#include "program_messages.h"
#include "settings_files.h"

namespace {

void ShowUndoItemState(HWND main, const UndoHistory& undo) {
    EnableMenuItem(GetSystemMenu(main, FALSE), kUndoMenuCommand,
                   MF_BYCOMMAND | (undo.Empty() ? MF_GRAYED : MF_ENABLED));
}

} // namespace

void AddUndoCommands(ProgramState& program) {
    const HMENU menu = GetSystemMenu(program.mainWindow.hWindow, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | MF_GRAYED, kUndoMenuCommand, L"&Undo last change\tCtrl+Z");
    program.mainWindow.AddAccelerator({FCONTROL | FVIRTKEY, 'Z', kUndoKeyCommand});
    ShowUndoItemState(program.mainWindow.hWindow, program.undo);
}

void NoteOwnWrite(HWND main, ProgramState& program, std::wstring replaced,
                  std::wstring_view written) {
    NoteWrittenSwitches(program.hostWatch, written);
    program.undo.KeepReplaced(std::move(replaced), written);
    ShowUndoItemState(main, program.undo);
}

void ForgetOwnWrites(HWND main, ProgramState& program) {
    program.undo.Clear();
    ShowUndoItemState(main, program.undo);
}

void UndoLastChange(HWND main, ProgramState& program) {
    if (program.undo.Empty()) {
        MessageBeep(MB_OK);
        return;
    }
    const std::wstring& value = program.undo.Newest();
    if (!WriteCompilerSwitches(program.winFbeIniPath, value.c_str())) {
        ShowProgramMessage(program, L"Error4");
        return;
    }
    NoteWrittenSwitches(program.hostWatch, value);
    SelectPresetOption(main, program.PresetCount(),
                       FindPresetForSwitches(StoredFormOf(value), program.presetTexts));
    program.undo.DropNewest();
    ShowUndoItemState(main, program.undo);
}

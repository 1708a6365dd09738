#include "program_state.h"

#include "settings_files.h"

ProgramState& Program() {
    static ProgramState state;
    return state;
}

void SelectOption(HWND main, int optionId) {
    CheckRadioButton(main, kFirstOptionId, Program().NoPresetOptionId(), optionId);
}

bool IsChecked(HWND main, int id) {
    return SendDlgItemMessageW(main, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void NoteWrittenSwitches(ProgramState& p, std::wstring_view written) {
    p.followedSwitches = {StoredFormOf(written), std::nullopt};
}

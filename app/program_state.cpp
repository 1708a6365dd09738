#include "program_state.h"

ProgramState& Program() {
    static ProgramState state;
    return state;
}

void SelectOption(HWND main, int optionId) {
    CheckRadioButton(main, kFirstOptionId, Program().NoPresetOptionId(), optionId);
}

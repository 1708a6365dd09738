#include "program_state.h"

ProgramState& Program() {
    static ProgramState state;
    return state;
}

// The identifiers of the main window's controls and commands, and of the Edit box's field. The
// end-to-end tests address the running program by the same numbers.
#pragma once

enum ControlId : int {
    kGroupBoxId = 1000,
    kFirstOptionId = 1001, // preset k is 1000 + k; "No preset used" follows the last preset
    kExxId = 1100,
    kApplyId = 1102,
    kEditId = 1103,
    kClearId = 1104,
    kBuildConfigurationsId = 1107,
    kCompilerSetupId = 1108,
    kConsoleId = 1110,
    kStatusBarId = 200,
    kEditFieldId = 101,
};

// Undo of the program's own writes. The system menu's item has the low four bits clear, which
// Windows keeps for itself in WM_SYSCOMMAND; Ctrl+Z has a command of its own, because a key for a
// greyed menu item would be dropped without a sound.
enum CommandId : int {
    kUndoMenuCommand = 0x0100,
    kUndoKeyCommand = 0x0101,
};

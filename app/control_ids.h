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

// The system menu's own items, with the low four bits clear, which Windows keeps for itself in
// WM_SYSCOMMAND. Undo and redo have commands of their own for their keys, because a key for a
// greyed menu item would be dropped without a sound.
// The sample presets MarlwickIII.ini is made of when "Edit presets" finds none.
inline constexpr int kSamplePresetsResource = 2;

enum CommandId : int {
    kUndoMenuCommand = 0x0100,
    kUndoKeyCommand = 0x0101,
    kRedoMenuCommand = 0x0110,
    kRedoKeyCommand = 0x0111,
    kToolchainMenuCommand = 0x0120,
    kEditPresetsMenuCommand = 0x0130,
    kKeepPresetMenuCommand = 0x0140,
};

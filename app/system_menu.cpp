#include "system_menu.h"

#include "control_ids.h"

void AddSystemMenuItems(WindowObject& window, bool canUndo, bool canRedo) {
    const HMENU menu = GetSystemMenu(window.hWindow, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kUndoMenuCommand, L"&Undo last change\tCtrl+Z");
    AppendMenuW(menu, MF_STRING, kRedoMenuCommand, L"&Redo\tCtrl+Y");
    AppendMenuW(menu, MF_STRING, kToolchainMenuCommand, L"&Toolchain...");
    AppendMenuW(menu, MF_STRING, kEditPresetsMenuCommand, L"Edit &presets...");
    AppendMenuW(menu, MF_STRING, kKeepPresetMenuCommand, L"&Keep stored value as preset");
    window.AddAccelerator({FCONTROL | FVIRTKEY, 'Z', kUndoKeyCommand});
    window.AddAccelerator({FCONTROL | FVIRTKEY, 'Y', kRedoKeyCommand});
    window.AddAccelerator({FCONTROL | FSHIFT | FVIRTKEY, 'Z', kRedoKeyCommand});
    ShowHistoryItems(window.hWindow, canUndo, canRedo);
}

void ShowHistoryItems(HWND main, bool canUndo, bool canRedo) {
    const HMENU menu = GetSystemMenu(main, FALSE);
    EnableMenuItem(menu, kUndoMenuCommand, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, kRedoMenuCommand, MF_BYCOMMAND | (canRedo ? MF_ENABLED : MF_GRAYED));
}

#include "system_menu.h"

#include "control_ids.h"

void AddSystemMenuItems(WindowObject& window, bool canUndo) {
    const HMENU menu = GetSystemMenu(window.hWindow, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kUndoMenuCommand, L"&Undo last change\tCtrl+Z");
    window.AddAccelerator({FCONTROL | FVIRTKEY, 'Z', kUndoKeyCommand});
    ShowUndoItemState(window.hWindow, canUndo);
}

void ShowUndoItemState(HWND main, bool canUndo) {
    EnableMenuItem(GetSystemMenu(main, FALSE), kUndoMenuCommand,
                   MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
}

// The utility's own items in the main window's system menu, and their keys.
#pragma once

#include <windows.h>

#include "window_object.h"

// Undo, greyed while nothing is kept, and Ctrl+Z.
void AddSystemMenuItems(WindowObject& window, bool canUndo);
void ShowUndoItemState(HWND main, bool canUndo);

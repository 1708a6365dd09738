// The utility's own items in the main window's system menu, and their keys.
#pragma once

#include <windows.h>

#include "window_object.h"

// Undo and redo, greyed while they have nothing, then the toolchain, the preset file and keeping
// the stored value; Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z.
void AddSystemMenuItems(WindowObject& window, bool canUndo, bool canRedo);
void ShowHistoryItems(HWND main, bool canUndo, bool canRedo);

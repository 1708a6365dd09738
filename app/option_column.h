// The main window's controls: the two checkboxes, the column of options (one per preset and
// "No preset used" last) and what lies below it, laid out for the presets shown.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "layout.h"
#include "session.h"
#include "window_object.h"

// Creates every control in tab order, the checkboxes ticked as given, and sizes the client area.
void BuildMainControls(WindowObject& window, LayoutVariant variant,
                       const std::vector<std::wstring>& presets, bool console, bool exx);
// Replaces the options shown (optionCount of them) by those of the presets; the controls below
// move, and the window grows or shrinks and keeps its top-left corner.
void ReplaceOptions(WindowObject& window, LayoutVariant variant, int optionCount,
                    const std::vector<std::wstring>& presets, HWND statusBar);
// Checks option (1..optionCount) and clears the others.
void SelectOption(HWND main, int optionCount, int option);
Checkboxes TicksShown(HWND main);
void SetTicksShown(HWND main, Checkboxes ticks);
// The first preset option (1..optionCount - 1) shown checked, or "No preset used" (optionCount)
// when none is; asked of the options themselves, which another program may have checked.
int CheckedPreset(HWND main, int optionCount);

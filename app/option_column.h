// The main window's column of options, one per preset and "No preset used" last.
#pragma once

#include <windows.h>

#include <optional>

// Checks one option of the column and clears the others.
void SelectOption(HWND main, int presetCount, int optionId);
// The option of the preset, or "No preset used" without one.
void SelectPresetOption(HWND main, int presetCount, std::optional<int> preset);
bool IsChecked(HWND main, int id);
// The number of the preset whose option is checked, none for "No preset used" or none at all.
std::optional<int> SelectedPreset(HWND main, int presetCount);

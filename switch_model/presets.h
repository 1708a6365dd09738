// The eight switch prefixes, composing a CompilerSwitches value and matching one back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stored_value.h"

inline constexpr int kSwitchPrefixRows = 8;
// Rows 0..7 in table order: clang rows first, Console the fastest-changing flag, then -exx.
// Any other row gives an empty prefix.
std::string_view SwitchPrefixTable(int row);
std::string_view SwitchPrefix(bool clangPreset, bool console, bool exx);

bool IsClangPreset(std::wstring_view presetText);
std::wstring ComposeSwitches(std::wstring_view presetText, bool console, bool exx);

// presets[0] is preset 1. storedValue is as the IDE reads it; a row and a preset text match it
// when, written, they would be given back as that, whole: read back and through the code page.
// Returns the lowest matching number.
std::optional<int> FindPresetForSwitches(std::wstring_view storedValue,
                                         const std::vector<std::wstring>& presets,
                                         CodePageTrip codePage);

// The text of a preset that Apply, with the checkboxes as they stand, composes into the stored
// value; none when the value does not begin with the prefix they give.
std::optional<std::wstring> PresetTextFor(std::wstring_view stored, bool console, bool exx);

// An option's tip: for preset k (1..N) the value Apply would write with the checkboxes as they
// stand, for "No preset used" (N + 1) the value stored now.
std::wstring OptionTipText(int optionNumber, const std::vector<std::wstring>& presets, bool console,
                           bool exx, std::wstring_view stored);

// A command on the command line reaches the copy that runs: its main window takes it as
// WM_COPYDATA, the arguments one after the other, each ended by a NUL.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "commands.h"

inline constexpr ULONG_PTR kCommandData = 0x4D574B33;
// Marks the main window that takes commands, so that no other window of that caption is asked.
inline constexpr wchar_t kCommandWindowProperty[] = L"MarlwickIII.TakesCommands";

// Hands the command to the copy that runs, waiting a while for its window to exist, and gives
// back its answer; Refused when no such window answers.
CommandAnswer ForwardCommand(const std::vector<std::wstring>& arguments);
// The arguments as WM_COPYDATA brought them.
std::vector<std::wstring> ForwardedArguments(const COPYDATASTRUCT& data);

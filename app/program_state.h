// The few values that live for the whole process. Everything below app/ takes what it needs
// as parameters.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "control_ids.h"
#include "host_ide.h"
#include "host_watch.h"
#include "presets.h"
#include "screen_geometry.h"
#include "wide_string.h"
#include "window_object.h"

struct ProgramState {
    WindowObject mainWindow;
    DynamicWideString programFolder;
    DynamicWideString winFbeIniPath;
    std::vector<std::wstring> presetTexts; // presets 1..N; the "No preset used" entry is not here
    ScreenPoint start;                     // as read at start-up, compared on close
    ScreenPoint lastRestored;              // where the window last stood while not minimised
    HWND mainWindowHandle = nullptr;
    HWND statusBar = nullptr;
    int messageBoxSize = 0;
    bool messageBoxOpen = false;
    DynamicWideString lastStatusText;
    FollowedSwitches followedSwitches;
    HostWatchState hostWatch;
    IniCache ini;
    std::wstring tipText; // the tip on show, which must outlive the tip's request

    int PresetCount() const { return static_cast<int>(presetTexts.size()); }
    int NoPresetOptionId() const { return ::NoPresetOptionId(PresetCount()); }
};

ProgramState& Program();

// Checks one option of the column and clears the others.
void SelectOption(HWND main, int optionId);
bool IsChecked(HWND main, int id);
// After the program wrote CompilerSwitches: that value, as the tick will read it, is one the
// selection need not follow.
void NoteWrittenSwitches(ProgramState& p, std::wstring_view written);

inline constexpr wchar_t kNoPresetText[] = L"No preset used";
inline constexpr UINT kHostWatchPeriodMs = 100;

// The few values that live for the whole process. Everything below app/ takes what it needs
// as parameters.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host_ide.h"
#include "host_watch.h"
#include "position_record.h"
#include "presets.h"
#include "window_object.h"

struct ProgramState {
    WindowObject mainWindow;
    std::wstring programFolder;
    std::wstring winFbeIniPath;
    std::vector<std::wstring> presetTexts; // presets 1..N; the "No preset used" entry is not here
    ScreenPoint start;                     // as read at start-up, compared on close
    ScreenPoint lastRestored;              // where the window last stood while not minimised
    HWND mainWindowHandle = nullptr;
    HWND statusBar = nullptr;
    int messageBoxSize = 0;
    bool messageBoxOpen = false;
    std::wstring lastStatusText;
    HostWatchState hostWatch;
    CompilerPathCache compilerPath;

    int PresetCount() const { return static_cast<int>(presetTexts.size()); }
    int NoPresetOptionId() const { return ::NoPresetOptionId(PresetCount()); }
};

ProgramState& Program();

// Checks one option of the column and clears the others.
void SelectOption(HWND main, int optionId);

inline constexpr wchar_t kNoPresetText[] = L"No preset used";

// The program's control identifiers.
enum ControlId : int {
    kGroupBoxId = 1000,
    kFirstOptionId = 1001,
    kExxId = 1100,
    kApplyId = 1102,
    kEditId = 1103,
    kClearId = 1104,
    kBuildConfigurationsId = 1107,
    kCompilerSetupId = 1108,
    kConsoleId = 1110,
    kStatusBarId = 200,
};
inline constexpr UINT kHostWatchPeriodMs = 100;

// What the program keeps while it runs. wWinMain owns it and the main window works on it: its
// window procedure finds it bound to the window. Everything below app/ takes what it needs as
// parameters.
#pragma once

#include <string>
#include <vector>

#include "host_ide.h"
#include "layout.h"
#include "screen_geometry.h"
#include "undo_history.h"
#include "wide_string.h"
#include "window_object.h"

struct ProgramState {
    WindowObject mainWindow;
    DynamicWideString programFolder;
    DynamicWideString winFbeIniPath;
    LayoutVariant layout = LayoutVariant::Small;
    std::vector<std::wstring> presetTexts; // presets 1..N; the "No preset used" entry is not here
    PresetFileWatch presetFile;            // what the presets shown were read from
    ScreenPoint start;                     // as read at start-up, compared on close
    ScreenPoint lastRestored;              // where the window last stood while not minimised
    int messageBoxSize = 0;
    bool messageBoxOpen = false;
    HostWatch hostWatch;
    UndoHistory undo;
    HWND tips = nullptr;  // made once the window shows
    std::wstring tipText; // the tip on show, which must outlive the tip's request

    int PresetCount() const { return static_cast<int>(presetTexts.size()); }
};

inline constexpr wchar_t kNoPresetText[] = L"No preset used";
inline constexpr UINT kHostWatchPeriodMs = 100;

// What the utility does with the running IDE: the 100 ms watch and the two key commands.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host_watch.h"
#include "wide_string.h"

inline constexpr wchar_t kHostWindowClass[] = L"WinFBE_Class";
// The main window's timer that drives the tick; the tick stops it when the IDE is gone.
inline constexpr UINT_PTR kHostWatchTimerId = 1105;

// What WinFBE.ini looked like when the compiler path was last read from it.
struct IniFileStamp {
    FILETIME lastWrite{};
    DWORD sizeHigh = 0;
    DWORD sizeLow = 0;
    bool known = false;

    bool operator==(const IniFileStamp& other) const;
};

// The two values the tick uses as last read, so that an unchanged file is not read ten times a
// second.
struct IniCache {
    IniFileStamp stamp;
    std::string compilerPath;
    std::wstring switches; // as the IDE reads them: at most 511 bytes of the ANSI code page
};

struct HostWatchContext {
    HWND mainWindow = nullptr;
    HWND statusBar = nullptr;
    const DynamicWideString& winFbeIniPath;
    const std::vector<std::wstring>& presets;
    bool messageBoxOpen = false;
    DynamicWideString& lastStatusText;
    FollowedSwitches& followedSwitches;
    HostWatchState& state;
    IniCache& ini;
};

// True when the tick ended early.
bool HostWatchTick(HostWatchContext& context);
void OpenHostBuildConfigurations();
void OpenHostCompilerSetup();

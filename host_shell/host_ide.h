// What the utility does with the running IDE: the 100 ms watch and the two key commands.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host_watch.h"
#include "wide_string.h"

inline constexpr wchar_t kHostWindowClass[] = L"WinFBE_Class";
// The main window's timer that drives the tick; the tick stops it when the IDE is gone.
inline constexpr UINT_PTR kHostWatchTimerId = 1105;

// The two values the tick uses as last read, so that an unchanged file is not read ten times a
// second, and what WinFBE.ini looked like then (none before the first read).
struct IniCache {
    std::optional<FileStamp> stamp;
    std::string compilerPath;
    std::wstring switches; // as the IDE reads them: at most 511 bytes of the ANSI code page
};

// What the tick keeps from one tick to the next.
struct HostWatch {
    HWND statusBar = nullptr;
    DynamicWideString lastStatusText;
    FollowedSwitches followedSwitches;
    HostWatchState state;
    IniCache ini;
};

struct HostWatchOutcome {
    bool endsEarly = false;
    std::optional<int> followOption; // the option the selection follows the stored value to
};

// One tick on the main window: reads WinFBE.ini when it changed, shows the toolchain versions,
// follows the IDE's window and keeps the band. Selecting the option it names is the caller's.
HostWatchOutcome HostWatchTick(HostWatch& watch, HWND mainWindow,
                               const DynamicWideString& winFbeIniPath,
                               const std::vector<std::wstring>& presets, bool messageBoxOpen);
// The stored value the selection follows changes of from now on: as start-up read it, or as the
// program's own write of a value will be read back.
void FollowFrom(HostWatch& watch, std::wstring_view stored);
void NoteWrittenSwitches(HostWatch& watch, std::wstring_view written);

void OpenHostBuildConfigurations();
void OpenHostCompilerSetup();

// What the utility does with the running IDE: the 100 ms watch and the two key commands.
#pragma once

#include <windows.h>

#include <string>

#include "host_watch.h"

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

// The compiler path as last read, so that an unchanged file is not read ten times a second.
struct CompilerPathCache {
    IniFileStamp stamp;
    std::string compilerPath;
};

struct HostWatchContext {
    HWND mainWindow = nullptr;
    HWND statusBar = nullptr;
    const std::wstring& winFbeIniPath;
    bool messageBoxOpen = false;
    std::wstring& lastStatusText;
    HostWatchState& state;
    CompilerPathCache& compilerPath;
};

// True when the tick ended early.
bool HostWatchTick(HostWatchContext& context);
void OpenHostBuildConfigurations();
void OpenHostCompilerSetup();

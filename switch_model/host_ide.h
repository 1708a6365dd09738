// What the utility does with the running IDE: the 100 ms watch and the two key commands.
#pragma once

#include <windows.h>

#include <string>

#include "host_watch.h"

inline constexpr wchar_t kHostWindowClass[] = L"WinFBE_Class";

struct HostWatchContext {
    HWND mainWindow = nullptr;
    HWND statusBar = nullptr;
    const std::wstring& winFbeIniPath;
    bool messageBoxOpen = false;
    std::wstring& lastStatusText;
    HostWatchState& state;
};

// True when the tick ended early.
bool HostWatchTick(HostWatchContext& context);
void OpenHostBuildConfigurations();
void OpenHostCompilerSetup();

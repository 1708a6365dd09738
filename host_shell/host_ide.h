// The running IDE: its window as a tick finds it, and the two key commands.
#pragma once

#include <windows.h>

#include "host_watch.h"
#include "session.h"
#include "settings_files.h"

inline constexpr wchar_t kHostWindowClass[] = L"WinFBE_Class";

// What a tick keeps for the next: WinFBE.ini as last read, and the IDE's window as last found.
struct TickMemory {
    WinFbeIniReading ini;
    HWND host = nullptr;
};

// What one tick sees: WinFBE.ini (read again only when it may have changed), the preset file's
// stamp, the IDE's window and the main window beside it.
Ticked ObserveTick(const DynamicWideString& iniPath, const DynamicWideString& programFolder,
                   TickMemory& memory, HWND mainWindow, bool messageBoxOpen);

void OpenHostBuildConfigurations();
void OpenHostCompilerSetup();

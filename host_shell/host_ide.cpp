#include "host_ide.h"

#include "loaded_library.h"

namespace {

constexpr DWORD kKeyPauseMs = 3;
// SetForegroundWindow can take effect a moment after it returns (seen under Wine); keys sent
// before that reach our own window instead of the IDE.
constexpr DWORD kForegroundWaitMs = 100;

HWND FindHostWindow() {
    return FindWindowW(kHostWindowClass, nullptr);
}

void Pause() {
    Sleep(kKeyPauseMs);
}

void SendKey(BYTE virtualKey, DWORD flags) {
    const auto scanCode = static_cast<BYTE>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) & 0xFF);
    keybd_event(virtualKey, scanCode, flags, 0);
}
void PressKey(BYTE virtualKey) {
    SendKey(virtualKey, 0);
}
void ReleaseKey(BYTE virtualKey) {
    SendKey(virtualKey, KEYEVENTF_KEYUP);
}

void TapKey(BYTE virtualKey) {
    PressKey(virtualKey);
    Pause();
    ReleaseKey(virtualKey);
    Pause();
}

// Brings the IDE to the front and waits, boundedly, until it is there.
void BringHostToFront() {
    const HWND host = FindHostWindow();
    SetForegroundWindow(host);
    const DWORD start = GetTickCount();
    while (host != nullptr && GetForegroundWindow() != host &&
           GetTickCount() - start < kForegroundWaitMs)
        Sleep(1);
}

// Fine timer resolution only for the few milliseconds the pauses need. WINMM is loaded only
// here: loaded with the program, it and the libraries it brings slowed every start-up for the
// sake of two buttons.
class FineTimerResolution {
  public:
    FineTimerResolution()
        : winmm_(L"winmm.dll"), begin_(winmm_.Find<Period>("timeBeginPeriod")),
          end_(winmm_.Find<Period>("timeEndPeriod")) {
        if (begin_)
            begin_(1);
    }
    ~FineTimerResolution() { End(); }
    FineTimerResolution(const FineTimerResolution&) = delete;
    FineTimerResolution& operator=(const FineTimerResolution&) = delete;
    void End() {
        if (begin_ && end_)
            end_(1);
        begin_ = nullptr;
    }

  private:
    using Period = UINT(WINAPI*)(UINT);

    LoadedLibrary winmm_;
    Period begin_;
    Period end_;
};

struct HostSeen {
    HWND window = nullptr;
    bool minimised = false;
};

// Under Wine every question asked of another program's window is a round trip to the
// wineserver, the most of an idle tick: the window found before is asked only for its style,
// which also says whether it is still there, and the IDE is looked for again only once it is gone.
HostSeen SeeHost(HWND& known) {
    if (known) {
        SetLastError(ERROR_SUCCESS);
        const LONG style = GetWindowLongW(known, GWL_STYLE);
        if (style != 0 || GetLastError() == ERROR_SUCCESS)
            return {known, (style & WS_MINIMIZE) != 0};
    }
    known = FindHostWindow();
    return {known, known != nullptr && IsIconic(known)};
}

} // namespace

Ticked ObserveTick(const DynamicWideString& iniPath, const DynamicWideString& programFolder,
                   TickMemory& memory, HWND mainWindow, bool messageBoxOpen) {
    const std::uint64_t now = FileTimeNow();
    RefreshWinFbeIni(iniPath, now, memory.ini);
    const HostSeen host = SeeHost(memory.host);
    const HWND foreground = GetForegroundWindow();
    // Values read before the file changed are not what it holds now.
    return {.ini = memory.ini.values,
            .iniCurrent = memory.ini.stamp && memory.ini.current,
            .presetFile = PresetFileStamp(programFolder),
            .now = now,
            .host = {.hostFound = host.window != nullptr,
                     .hostMinimized = host.minimised,
                     .messageBoxOpen = messageBoxOpen,
                     .hostOrSelfInFront = foreground != nullptr &&
                                          (foreground == host.window || foreground == mainWindow)},
            // A task-modal box disables the main window, whether or not it raised the flag.
            .mainDisabled = !IsWindowEnabled(mainWindow),
            .minimised = IsIconic(mainWindow) != FALSE};
}

void OpenHostBuildConfigurations() {
    BringHostToFront();
    FineTimerResolution fine;
    PressKey(VK_F7);
    Pause();
    fine.End();
    ReleaseKey(VK_F7);
}

void OpenHostCompilerSetup() {
    BringHostToFront();
    FineTimerResolution fine;
    PressKey(VK_SHIFT);
    Pause();
    PressKey(VK_F7);
    Pause();
    ReleaseKey(VK_F7);
    Pause();
    ReleaseKey(VK_SHIFT);
    Pause();
    // Shift+F7 opens the IDE's options on whichever page it showed last: seven Ups reach the top
    // of its page list from any page, and four Downs from there select the compiler's page.
    for (int i = 0; i < 7; ++i)
        TapKey(VK_UP);
    for (int i = 0; i < 4; ++i)
        TapKey(VK_DOWN);
}

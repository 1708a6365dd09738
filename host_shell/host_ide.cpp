#include "host_ide.h"

#include "handles.h"
#include "loaded_library.h"
#include "settings_files.h"
#include "toolchain_status.h"

namespace {

constexpr DWORD kKeyPauseMs = 3;
// SetForegroundWindow can take effect a moment after it returns (seen under Wine); keys sent
// before that reach our own window instead of the IDE.
constexpr DWORD kForegroundWaitMs = 100;

HWND FindHostWindow() {
    return FindWindowW(kHostWindowClass, nullptr);
}

// A file system with coarse time stamps (FAT keeps 2 s) can show two writes in a row with the same
// stamp, so a file written lately is read on every tick all the same.
constexpr ULONGLONG kSettledAfter100ns = 4ULL * 10'000'000ULL;

bool IsSettled(const FileStamp& stamp) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = (ULONGLONG{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return ticks >= stamp.lastWrite && ticks - stamp.lastWrite >= kSettledAfter100ns;
}

// While another program holds WinFBE.ini open without sharing, the profile functions read every
// value as empty; the values read before then stand until the file can be read again.
bool HeldByAnother(const DynamicWideString& path) {
    const UniqueFile file(CreateFileW(path.data(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

// Reading the profile costs a file open, read and close through the wineserver or the kernel
// ten times a second, so an unchanged, settled file is not read again.
void RefreshIniCache(const DynamicWideString& iniPath, IniCache& cache) {
    const std::optional<FileStamp> now = FileStampOf(iniPath);
    if ((now && now == cache.stamp && IsSettled(*now)) || HeldByAnother(iniPath))
        return;
    cache.compilerPath = ReadCompilerIniValue(iniPath, "FBWINCompiler32");
    cache.switches = ReadStoredSwitches(iniPath);
    cache.stamp = now;
}

void ShowToolchainStatus(HostWatch& watch) {
    const DynamicWideString text(ToolchainStatusText(watch.ini.compilerPath));
    if (text == watch.lastStatusText)
        return;
    watch.lastStatusText = text;
    SendMessageW(watch.statusBar, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(watch.lastStatusText.data()));
}

// Changing the band must not activate the utility: that would take the keyboard from whatever
// program the user has just brought to the front.
void SetTopmost(HWND window, bool topmost) {
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PerformHostWatchAction(HostWatchAction action, HWND main) {
    switch (action) {
    case HostWatchAction::MinimizeSelf:
        ShowWindow(main, SW_MINIMIZE);
        break;
    case HostWatchAction::RestoreSelf:
        ShowWindow(main, SW_RESTORE);
        break;
    case HostWatchAction::CloseSelf:
        KillTimer(main, kHostWatchTimerId);
        SendMessageW(main, WM_CLOSE, 0, 0);
        break;
    case HostWatchAction::LeaveTopmost:
        SetTopmost(main, false);
        break;
    case HostWatchAction::EnterTopmost:
        SetTopmost(main, true);
        break;
    case HostWatchAction::None:
        break;
    }
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

} // namespace

HostWatchOutcome HostWatchTick(HostWatch& watch, HWND mainWindow,
                               const DynamicWideString& winFbeIniPath,
                               const std::vector<std::wstring>& presets, bool messageBoxOpen) {
    RefreshIniCache(winFbeIniPath, watch.ini);
    ShowToolchainStatus(watch);
    HostWatchOutcome outcome;
    // The IDE's own dialogs change the stored switches too; the selection follows them silently.
    if (watch.ini.stamp) // something read already
        outcome.followOption = OptionFollowingStoredSwitches(watch.ini.switches, messageBoxOpen,
                                                             watch.followedSwitches, presets);
    const HWND host = FindHostWindow();
    const HWND foreground = GetForegroundWindow();
    const HostWatchInputs inputs{
        .hostFound = host != nullptr,
        .hostMinimized = host != nullptr && IsIconic(host),
        .messageBoxOpen = messageBoxOpen,
        .hostOrSelfInFront =
            foreground != nullptr && (foreground == host || foreground == mainWindow),
    };
    const HostWatchDecision decision = DecideHostWatch(inputs, watch.state);
    PerformHostWatchAction(decision.action, mainWindow);
    outcome.endsEarly = decision.endsEarly;
    return outcome;
}

void FollowFrom(HostWatch& watch, std::wstring_view stored) {
    watch.followedSwitches = {std::wstring(stored), std::nullopt};
}

void NoteWrittenSwitches(HostWatch& watch, std::wstring_view written) {
    FollowFrom(watch, StoredFormOf(written));
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

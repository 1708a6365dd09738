// One host-watch tick's decision, apart from the Win32 calls that gather and apply it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct HostWatchInputs {
    bool hostFound = false;
    bool hostMinimized = false; // IsIconic of the host window; never true without a host
    bool messageBoxOpen = false;
    bool hostOrSelfInFront = false; // the foreground window is the host's or ours
};

struct HostWatchState {
    bool minimizedWithIde = false;
    bool isTopmost = true; // the main window is created topmost
};

enum class HostWatchAction {
    None,
    MinimizeSelf,
    RestoreSelf,
    CloseSelf,
    LeaveTopmost,
    EnterTopmost
};

struct HostWatchDecision {
    HostWatchAction action = HostWatchAction::None;
    bool endsEarly = false;
    friend bool operator==(const HostWatchDecision&, const HostWatchDecision&) = default;
};

// The tick's steps after the status text: follow the host's minimised state, close without a
// host, then keep the topmost band. Updates state as the tick does and says what to apply.
HostWatchDecision DecideHostWatch(const HostWatchInputs& inputs, HostWatchState& state);

// Whether a value other than the settled one has now been seen at two ticks in a row: a program
// that rewrites a file in place may be caught half way at one tick. While holdBack is set a new
// value waits, and is taken two ticks after holdBack clears.
template <typename Value>
bool SeenAtTwoTicks(const Value& now, const Value& settled, bool holdBack,
                    std::optional<Value>& seenOnce) {
    if (now == settled) {
        seenOnce.reset();
        return false;
    }
    if (holdBack)
        return false;
    if (seenOnce != now) {
        seenOnce = now;
        return false;
    }
    seenOnce.reset();
    return true;
}

// The stored CompilerSwitches as the selection last followed it, and a changed value seen at one
// tick only.
struct FollowedSwitches {
    std::wstring value;
    std::optional<std::wstring> seenOnce;
};

// The option to select once a stored value that differs from the followed one has been seen at
// two ticks in a row, by the start-up rule; none while a box is open, so that the change is
// picked up once it closes, and none when nothing changed, so that a selection the user has
// made but not applied stays.
std::optional<int> OptionFollowingStoredSwitches(const std::wstring& stored, bool messageBoxOpen,
                                                 FollowedSwitches& followed,
                                                 const std::vector<std::wstring>& presets);

// A file as its attributes describe it; the zero stamp stands for none.
struct FileStamp {
    std::uint64_t lastWrite = 0; // 100 ns units since 1601, as Windows counts them
    std::uint64_t size = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// MarlwickIII.ini as the options show it, and a new stamp seen at one tick only.
struct PresetFileWatch {
    FileStamp shown;
    std::optional<FileStamp> seenOnce;
};

// True when the file is to be read again: a stamp other than that of the presets shown, seen at
// two ticks in a row, with no box open. A file that is gone keeps the presets shown; so does one
// that cannot be read, for which the caller leaves shown as it is and tries again.
bool PresetFileToBeRead(std::optional<FileStamp> now, bool boxOpen, PresetFileWatch& watch);

// One host-watch tick's decision, apart from the Win32 calls that gather and apply it.
#pragma once

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

// The stored CompilerSwitches as the selection last followed it, and a changed value seen at one
// tick only: the IDE rewrites its file in place, so one read may catch it half written.
struct FollowedSwitches {
    std::wstring value;
    std::optional<std::wstring> seenOnce;
};

// The option to select once a stored value that differs from the followed one has been seen at
// two ticks in a row, by the start-up rule; none while a box is open, so that the change is
// picked up once it closes, and none when nothing changed, so that a selection the user has
// made but not applied stays.
std::optional<int> OptionFollowingStoredSwitches(std::wstring_view stored, bool messageBoxOpen,
                                                 FollowedSwitches& followed,
                                                 const std::vector<std::wstring>& presets);

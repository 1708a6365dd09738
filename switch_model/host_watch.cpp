#include "host_watch.h"

#include "presets.h"

namespace {

HostWatchDecision EndEarly(HostWatchAction action) {
    return {action, true};
}
HostWatchDecision EndNormally(HostWatchAction action) {
    return {action, false};
}

HostWatchDecision DecideTopmostBand(const HostWatchInputs& inputs, HostWatchState& state) {
    if (inputs.messageBoxOpen)
        return EndNormally(HostWatchAction::None);
    // Leaving the band is repeated on every tick: another program may have raised us meanwhile.
    if (!inputs.hostOrSelfInFront) {
        state.isTopmost = false;
        return EndNormally(HostWatchAction::LeaveTopmost);
    }
    if (!state.isTopmost) {
        state.isTopmost = true;
        return EndNormally(HostWatchAction::EnterTopmost);
    }
    return EndNormally(HostWatchAction::None);
}

} // namespace

HostWatchDecision DecideHostWatch(const HostWatchInputs& inputs, HostWatchState& state) {
    // IsIconic answers false for a missing window, so a minimised host is always a found one.
    const bool hostIconic = inputs.hostFound && inputs.hostMinimized;
    if (hostIconic && !state.minimizedWithIde) {
        state.minimizedWithIde = true;
        return EndEarly(HostWatchAction::MinimizeSelf);
    }
    if (!hostIconic && state.minimizedWithIde) {
        state.minimizedWithIde = false;
        return EndEarly(HostWatchAction::RestoreSelf);
    }
    if (!inputs.hostFound)
        return EndEarly(HostWatchAction::CloseSelf);
    return DecideTopmostBand(inputs, state);
}

std::optional<int> OptionFollowingStoredSwitches(const std::wstring& stored, bool messageBoxOpen,
                                                 FollowedSwitches& followed,
                                                 const std::vector<std::wstring>& presets) {
    if (!SeenAtTwoTicks(stored, followed.value, messageBoxOpen, followed.seenOnce))
        return std::nullopt;
    followed.value = stored;
    const auto match = FindPresetForSwitches(stored, presets);
    return match ? OptionIdOfPreset(*match) : NoPresetOptionId(static_cast<int>(presets.size()));
}

bool PresetFileToBeRead(std::optional<FileStamp> now, bool boxOpen, PresetFileWatch& watch) {
    return now && SeenAtTwoTicks(*now, watch.shown, boxOpen, watch.seenOnce);
}

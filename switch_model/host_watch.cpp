#include "host_watch.h"

namespace {

HostWatchAction DecideTopmostBand(const HostWatchInputs& inputs, HostWatchState& state) {
    if (inputs.messageBoxOpen)
        return HostWatchAction::None;
    // Leaving the band is repeated on every tick: another program may have raised us meanwhile.
    if (!inputs.hostOrSelfInFront) {
        state.isTopmost = false;
        return HostWatchAction::LeaveTopmost;
    }
    if (!state.isTopmost) {
        state.isTopmost = true;
        return HostWatchAction::EnterTopmost;
    }
    return HostWatchAction::None;
}

} // namespace

HostWatchAction DecideHostWatch(const HostWatchInputs& inputs, HostWatchState& state) {
    // IsIconic answers false for a missing window, so a minimised host is always a found one.
    const bool hostIconic = inputs.hostFound && inputs.hostMinimized;
    if (hostIconic && !state.minimizedWithIde) {
        state.minimizedWithIde = true;
        return HostWatchAction::MinimizeSelf;
    }
    if (!hostIconic && state.minimizedWithIde) {
        state.minimizedWithIde = false;
        return HostWatchAction::RestoreSelf;
    }
    if (!inputs.hostFound)
        return HostWatchAction::CloseSelf;
    return DecideTopmostBand(inputs, state);
}

bool IsSettled(const FileStamp& stamp, std::uint64_t now) {
    constexpr std::uint64_t kSettledAfter = 4ULL * 10'000'000ULL; // 4 s: two FAT time steps
    return now >= stamp.lastWrite && now - stamp.lastWrite >= kSettledAfter;
}

bool MayBeHalfWritten(const FileStamp& stamp, std::uint64_t now) {
    return stamp.size == 0 && !IsSettled(stamp, now);
}

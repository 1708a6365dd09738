// One host-watch tick's decision, and the rules for files that other programs change.
#pragma once

#include <cstdint>
#include <optional>

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

// The tick's steps after the status text: follow the host's minimised state, close without a
// host, then keep the topmost band. Updates state as the tick does and says what to apply.
HostWatchAction DecideHostWatch(const HostWatchInputs& inputs, HostWatchState& state);

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

// A file as its attributes describe it; the zero stamp stands for none.
struct FileStamp {
    std::uint64_t lastWrite = 0; // 100 ns units since 1601, as Windows counts them
    std::uint64_t size = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// True once a file has not been written for a few seconds. A file system with coarse time stamps
// (FAT keeps 2 s) can show two writes in a row with the same stamp, so a file written lately must
// be read again even when its stamp has not changed. A stamp in the future never settles.
bool IsSettled(const FileStamp& stamp, std::uint64_t now);

// True while a file may lie between the truncation and the write of a program saving it whole
// again, as the IDE saves its settings: empty, and written lately. What it gives then is not what
// it will hold.
bool MayBeHalfWritten(const FileStamp& stamp, std::uint64_t now);

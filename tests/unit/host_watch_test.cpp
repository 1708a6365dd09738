#include <gtest/gtest.h>

#include <string>

#include "host_watch.h"

namespace {

using Action = HostWatchAction;

const char* Name(Action action) {
    switch (action) {
    case Action::None:
        return "nothing";
    case Action::MinimizeSelf:
        return "minimise";
    case Action::RestoreSelf:
        return "restore";
    case Action::CloseSelf:
        return "close";
    case Action::LeaveTopmost:
        return "leave topmost";
    case Action::EnterTopmost:
        return "enter topmost";
    }
    return "?";
}

constexpr bool Y = true;
constexpr bool N = false;

TEST(DecideHostWatch, StepOrderMinimiseRestoreCloseTopmost) {
    const struct {
        const char* situation;
        bool found, iconic, box, inFront; // what the tick sees
        bool minimizedWithIde, isTopmost; // state before
        Action action;
        bool endsEarly;
        bool minimizedAfter, topmostAfter;
    } cases[] = {
        // Host minimised: follow it once, whatever else holds.
        {"IDE minimised", Y, Y, N, N, N, N, Action::MinimizeSelf, Y, Y, N},
        {"IDE minimised, topmost", Y, Y, N, Y, N, Y, Action::MinimizeSelf, Y, Y, Y},
        {"IDE minimised while a box is open", Y, Y, Y, N, N, Y, Action::MinimizeSelf, Y, Y, Y},
        // Still minimised with it: on to the topmost band.
        {"IDE stays minimised, IDE in front", Y, Y, N, Y, Y, N, Action::EnterTopmost, N, Y, Y},
        {"IDE stays minimised, third window in front", Y, Y, N, N, Y, Y, Action::LeaveTopmost, N, Y,
         N},
        {"IDE stays minimised, box open", Y, Y, Y, N, Y, Y, Action::None, N, Y, Y},
        // Host shown or gone after we minimised with it: restore first.
        {"IDE shown again", Y, N, N, Y, Y, Y, Action::RestoreSelf, Y, N, Y},
        {"IDE closed while minimised with it", N, N, N, N, Y, N, Action::RestoreSelf, Y, N, N},
        {"no host, minimised flag ignored", N, Y, N, N, Y, Y, Action::RestoreSelf, Y, N, Y},
        // No host: close, even with a box open.
        {"IDE not running", N, N, N, Y, N, Y, Action::CloseSelf, Y, N, Y},
        {"IDE gone while a box is open", N, N, Y, N, N, N, Action::CloseSelf, Y, N, N},
        {"no host, minimised flag without a window", N, Y, N, Y, N, Y, Action::CloseSelf, Y, N, Y},
        // A box leaves the z-order alone.
        {"box open, third window in front", Y, N, Y, N, N, Y, Action::None, N, N, Y},
        {"box open, IDE in front, not topmost", Y, N, Y, Y, N, N, Action::None, N, N, N},
        // The topmost band.
        {"third window in front", Y, N, N, N, N, Y, Action::LeaveTopmost, N, N, N},
        {"third window still in front: leave again", Y, N, N, N, N, N, Action::LeaveTopmost, N, N,
         N},
        {"IDE or self in front again", Y, N, N, Y, N, N, Action::EnterTopmost, N, N, Y},
        {"IDE or self in front, already topmost", Y, N, N, Y, N, Y, Action::None, N, N, Y},
        {"user minimised us while the IDE is shown", Y, N, N, Y, N, Y, Action::None, N, N, Y},
    };
    for (const auto& c : cases) {
        HostWatchState state{c.minimizedWithIde, c.isTopmost};
        const HostWatchDecision decision =
            DecideHostWatch({c.found, c.iconic, c.box, c.inFront}, state);
        EXPECT_EQ(std::string(Name(decision.action)), Name(c.action)) << c.situation;
        EXPECT_EQ(decision.endsEarly, c.endsEarly) << c.situation << ": early end";
        EXPECT_EQ(state.minimizedWithIde, c.minimizedAfter) << c.situation << ": minimizedWithIde";
        EXPECT_EQ(state.isTopmost, c.topmostAfter) << c.situation << ": isTopmost";
    }
}

TEST(DecideHostWatch, MinimiseThenRestoreThenClose) {
    HostWatchState state;
    const struct {
        HostWatchInputs inputs;
        Action action;
    } ticks[] = {
        {{Y, Y, N, N}, Action::MinimizeSelf},
        {{Y, Y, N, N}, Action::LeaveTopmost},
        {{N, N, N, N}, Action::RestoreSelf},
        {{N, N, N, N}, Action::CloseSelf},
    };
    int tick = 1;
    for (const auto& t : ticks)
        EXPECT_EQ(std::string(Name(DecideHostWatch(t.inputs, state).action)), Name(t.action))
            << "tick " << tick++;
}

} // namespace

// The session model over generated sessions: every promise it makes, checked after every step of
// thousands of stories of the user, the IDE, an editor and the clock.
#include <gtest/gtest.h>

#include "session_world.h"

namespace {

// The shortest story found by leaving out one happening at a time while the failure stays.
Story Shortened(Story story) {
    for (std::size_t i = 0; i < story.size();) {
        Story without = story;
        without.erase(without.begin() + static_cast<std::ptrdiff_t>(i));
        if (Play(without).empty())
            ++i;
        else
            story = std::move(without);
    }
    return story;
}

TEST(Session, KeepsItsPromisesOverGeneratedSessions) {
    std::mt19937 random(20261207);
    for (int i = 0; i < 3000; ++i) {
        const Story story = RandomStory(random, 40);
        if (Play(story).empty())
            continue;
        const Story shortest = Shortened(story);
        FAIL() << Play(shortest) << "\n  story: " << Describe(shortest);
    }
}

// Forty own writes, each replacing the one before, then as many undos: the newest 32 come back in
// turn, and then there is nothing left.
TEST(Session, UndoWalksBackThirtyTwoOwnWritesNewestFirst) {
    Story story;
    for (std::uint8_t k = 0; k < 40; ++k)
        story.insert(story.end(), {{Happening::Pick, k}, {Happening::Apply, k}});
    story.insert(story.end(), 40, {Happening::Undo, 0});
    EXPECT_EQ(Play(story), "");
}

} // namespace

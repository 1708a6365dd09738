// The messageBoxOpen guard.
#include <gtest/gtest.h>

#include "message_box_open_guard.h"

namespace {

TEST(MessageBoxOpenGuard, ABoxInsideAnotherLeavesTheFlagRaisedForTheOuterOne) {
    bool open = false;
    {
        const MessageBoxOpenGuard outer(open);
        {
            const MessageBoxOpenGuard inner(open);
            EXPECT_TRUE(open);
        }
        EXPECT_TRUE(open) << "the inner box lowered the flag of the outer one";
    }
    EXPECT_FALSE(open);
}

} // namespace

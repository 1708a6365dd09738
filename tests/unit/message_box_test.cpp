// The messageBoxOpen guard, and DlgMsgBox's own arithmetic: how the parts of its box fit.
#include <gtest/gtest.h>

#include "box_layout.h"
#include "message_box_open_guard.h"

namespace {

using namespace dlgmsgbox;

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

TEST(BoxLayout, TextIconAndButtonFitWithoutOverlapping) {
    const BoxMetrics cases[] = {
        {96, {40, 17}, 32, {17, 17}, 60},
        {96, {300, 120}, 0, {17, 17}, 400},
        {144, {500, 30}, 48, {160, 26}, 90},
    };
    for (const BoxMetrics& m : cases) {
        const BoxLayout l = LayOutBox(m);
        SCOPED_TRACE(::testing::Message() << m.text.width << " x " << m.text.height << " text");
        EXPECT_EQ(l.text.Width(), m.text.width);
        EXPECT_EQ(l.text.Height(), m.text.height);
        EXPECT_LE(l.text.bottom, l.panel.bottom);
        EXPECT_LE(l.panel.right, l.client.width);
        EXPECT_GE(l.button.top, l.panel.bottom);
        EXPECT_LE(l.button.right, l.client.width);
        EXPECT_LE(l.button.bottom, l.client.height);
        EXPECT_GE(l.button.Width(), m.buttonText.width);
        EXPECT_GE(l.client.width, m.captionWidth);
        if (m.iconSize > 0) {
            EXPECT_LT(l.icon.right, l.text.left);
        }
    }
}

} // namespace

// The utility's own items in a real window's system menu.
#include <gtest/gtest.h>

#include <windows.h>

#include "control_ids.h"
#include "system_menu.h"
#include "window_object.h"

namespace {

// Below the system's own items and a separator, in this order; undo and redo greyed while they
// have nothing to write back.
TEST(SystemMenu, TheUtilitysItemsFollowTheSystemsAndGreyUndoAndRedoWhileTheyHaveNothing) {
    WindowObject window;
    ASSERT_TRUE(window.Create({.caption = L"MWK test",
                               .windowProc = DefWindowProcW,
                               .style = WS_POPUP | WS_CAPTION | WS_SYSMENU}));
    AddSystemMenuItems(window, false, true);
    const HMENU menu = GetSystemMenu(window.hWindow, FALSE);
    const auto last = [&](int count) {
        std::vector<UINT> ids;
        for (int i = GetMenuItemCount(menu) - count; i < GetMenuItemCount(menu); ++i)
            ids.push_back(GetMenuItemID(menu, i));
        return ids;
    };
    EXPECT_EQ(last(6),
              (std::vector<UINT>{0, kUndoMenuCommand, kRedoMenuCommand, kToolchainMenuCommand,
                                 kEditPresetsMenuCommand, kKeepPresetMenuCommand}));
    const auto greyed = [&](UINT id) {
        return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    EXPECT_TRUE(greyed(kUndoMenuCommand) && !greyed(kRedoMenuCommand));
    ShowHistoryItems(window.hWindow, true, false);
    EXPECT_TRUE(!greyed(kUndoMenuCommand) && greyed(kRedoMenuCommand));
    EXPECT_FALSE(greyed(kToolchainMenuCommand) || greyed(kKeepPresetMenuCommand));
    DestroyWindow(window.hWindow);
}

} // namespace

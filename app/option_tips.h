// The radio options' tips: hovering one shows the value Apply would write with the checkboxes as
// they stand, or for "No preset used" the value stored now.
#pragma once

#include <windows.h>

// One tool per option, in the options' font and the window's scale; the text is asked for each
// time a tip shows, so that it follows the checkboxes.
HWND AddOptionTips(HWND main, int optionCount, float ratio);

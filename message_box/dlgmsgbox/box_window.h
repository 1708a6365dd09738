// The box itself: its window, its drawing and its nested message loop.
#pragma once

#include <windows.h>

namespace dlgmsgbox {

struct BoxRequest {
    HWND owner = nullptr;
    const wchar_t* text = L"";
    const wchar_t* caption = L"";
    UINT style = 0;
    int buttonPoints = 0; // 0: the default size
    const wchar_t* fontFace = L"";
    int fontPoints = 0; // 0: the default size
    COLORREF colour = RGB(255, 255, 255);
};

// Shows the box and returns once it is dismissed. A quit message that ended it is posted again.
void ShowBox(const BoxRequest& request);

} // namespace dlgmsgbox

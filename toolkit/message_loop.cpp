#include "window_object.h"

bool WindowObject::AddAccelerator(const ACCEL& entry) {
    accelEntries_.push_back(entry);
    UniqueAccel table(
        CreateAcceleratorTableW(accelEntries_.data(), static_cast<int>(accelEntries_.size())));
    if (!table) {
        accelEntries_.pop_back();
        return false;
    }
    hAccel_ = std::move(table);
    return true;
}

int WindowObject::RunMessageLoop(int showCommand) {
    if (!hWindow)
        return 0;
    ShowWindow(hWindow, showCommand == 0 ? SW_SHOW : showCommand);
    UpdateWindow(hWindow);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Other windows of the thread keep their keys, as a box's text field keeps Ctrl+Z.
        const bool ours = message.hwnd == hWindow || IsChild(hWindow, message.hwnd);
        if (hAccel_ && ours && TranslateAcceleratorW(hWindow, hAccel_.get(), &message))
            continue;
        if (IsDialogMessageW(hWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void WindowObject::RunModalLoop(const bool& ended) {
    if (!hWindow)
        return;
    ShowWindow(hWindow, SW_SHOW);
    UpdateWindow(hWindow);
    MSG message{};
    while (!ended) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            PostQuitMessage(static_cast<int>(message.wParam));
        if (got <= 0)
            return;
        if (IsDialogMessageW(hWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The box's modality: the windows it disables while it is up.
#pragma once

#include <windows.h>

namespace dlgmsgbox {

// Disables the owner, or with MB_TASKMODAL every top-level window of the calling thread, and
// on scope exit enables again exactly the windows it disabled. Windows already disabled stay so.
class DisabledWindows {
  public:
    DisabledWindows(HWND box, HWND owner, bool taskModal);
    ~DisabledWindows();
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

  private:
    HWND box_;
    HWND owner_;
    bool taskModal_;
};

} // namespace dlgmsgbox

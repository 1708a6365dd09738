// The toolkit's minimal window procedure; WindowObject::RunMessageLoop is in window_object.h.
#pragma once

#include <windows.h>

// Creation succeeds, Cancel and the system Close command close the window, and its
// destruction ends the message loop; everything else is DefWindowProcW's.
LRESULT CALLBACK DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

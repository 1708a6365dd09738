// WindowObject: one top-level window with its module, DPI scale, font and class registration.
// Positions and sizes given to it are unscaled (pixels at 96 DPI).
#pragma once

#include <windows.h>

#include <vector>

#include "handles.h"

struct WindowSpec {
    HWND parent = nullptr;
    const wchar_t* caption = L"";
    WNDPROC windowProc = nullptr;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    DWORD style = 0;
    DWORD exStyle = 0;
    void* context = nullptr; // the creation parameter: what the procedure works on (BoundObject)
};

struct ControlSpec {
    const wchar_t* keyword = L"";
    HWND parent = nullptr; // null: the object's own window
    int id = -1;
    const wchar_t* text = L"";
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    DWORD style = static_cast<DWORD>(-1);   // -1: the keyword's default
    DWORD exStyle = static_cast<DWORD>(-1); // -1: the keyword's default
};

struct ControlKind;

int OsVersion();
bool IsDpiAwareProcess();

class WindowObject {
  public:
    WindowObject();
    ~WindowObject();
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    void SetDpi(float requested);
    HFONT MakeFont(const wchar_t* face, int points, int weight, bool italic, bool underline,
                   bool strikeOut, BYTE charSet) const;
    bool SetFont(const wchar_t* face, int points, int weight = FW_NORMAL, bool italic = false,
                 bool underline = false, bool strikeOut = false, BYTE charSet = DEFAULT_CHARSET);
    HWND Create(const WindowSpec& spec);
    HWND AddControl(const ControlSpec& spec);
    bool SetWindowPosScaled(HWND window, int x, int y, int width, int height) const;
    // A key the message loop turns into a command for the window, while the window or one of its
    // controls has the keyboard.
    bool AddAccelerator(const ACCEL& entry);
    // Shows the window (0 means SW_SHOW) and runs until WM_QUIT; its wParam, or 0 without window.
    int RunMessageLoop(int showCommand);
    // Shows the window and runs, with the dialog keys, until ended is set. A quit message ends it
    // too and is posted again for the loop it was meant for.
    void RunModalLoop(const bool& ended);

    HWND hWindow = nullptr;
    HINSTANCE hInstance = nullptr;
    int dpi = 96;
    float ratioX = 1.0f;
    float ratioY = 1.0f;

  private:
    bool RegisterWindowClass(WNDPROC windowProc);
    void SetUpBefore(const ControlKind& kind, ControlSpec& geometry);
    void SetUpAfter(const ControlKind& kind, HWND control, const ControlSpec& spec) const;

    UniqueFont hFont_;
    UniqueAccel hAccel_;
    ATOM classAtom_ = 0;
    wchar_t className_[260] = {};
    int fontSize_ = 0;
    wchar_t fontName_[32] = {};
    std::vector<ACCEL> accelEntries_;
    UniqueModule hRichEditLib_;
};

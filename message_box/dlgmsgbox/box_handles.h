// Move-only owners for the handles the box releases. The library stands alone, so it keeps its
// own small set rather than borrowing the program's.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace dlgmsgbox {

template <auto Release> struct Releaser {
    template <typename T> void operator()(T handle) const noexcept { Release(handle); }
};
template <typename Handle, auto Release>
using Owner = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser<Release>>;

using UniqueFont = Owner<HFONT, &DeleteObject>;
using UniqueBrush = Owner<HBRUSH, &DeleteObject>;
using UniqueIcon = Owner<HICON, &DestroyIcon>;

// The screen's device context, taken for measuring and given back on scope exit.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() {
        if (dc_)
            ReleaseDC(nullptr, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// A font selected into a DC, the previous one put back on scope exit.
class SelectedFont {
  public:
    SelectedFont(HDC dc, HFONT font) : dc_(dc), previous_(SelectObject(dc, font)) {}
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;
    ~SelectedFont() {
        if (previous_)
            SelectObject(dc_, previous_);
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window class registered for the life of one box. A box opened while another is up finds
// the class already there and leaves its removal to the outer one.
class ClassRegistration {
  public:
    ClassRegistration(const WNDCLASSEXW& windowClass)
        : instance_(windowClass.hInstance), name_(windowClass.lpszClassName),
          owned_(RegisterClassExW(&windowClass) != 0) {}
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;
    ~ClassRegistration() {
        if (owned_)
            UnregisterClassW(name_, instance_);
    }

  private:
    HINSTANCE instance_;
    const wchar_t* name_;
    bool owned_;
};

} // namespace dlgmsgbox

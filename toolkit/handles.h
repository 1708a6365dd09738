// Move-only owners for the Win32 handles the program and DlgMsgBox.dll release. Header only, so
// the library shares them without linking the toolkit.
#pragma once

#include <windows.h>

#include <utility>

// Owns one handle and frees it with Release unless it is empty: null, or INVALID_HANDLE_VALUE
// for the kernel handles that use that value for "none".
template <typename Handle, auto Release, bool MinusOneIsEmpty = false> class UniqueOwner {
  public:
    UniqueOwner() = default;
    explicit UniqueOwner(Handle handle) : handle_(handle) {}
    UniqueOwner(UniqueOwner&& other) noexcept : handle_(std::exchange(other.handle_, Empty())) {}
    UniqueOwner& operator=(UniqueOwner&& other) noexcept {
        reset(std::exchange(other.handle_, Empty()));
        return *this;
    }
    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;
    ~UniqueOwner() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty(); }
    void reset(Handle handle = Empty()) {
        if (handle_ != Empty())
            Release(handle_);
        handle_ = handle;
    }

  private:
    static Handle Empty() {
        if constexpr (MinusOneIsEmpty)
            return INVALID_HANDLE_VALUE;
        else
            return nullptr;
    }

    Handle handle_ = Empty();
};

using UniqueFont = UniqueOwner<HFONT, &DeleteObject>;
using UniqueBrush = UniqueOwner<HBRUSH, &DeleteObject>;
using UniqueIcon = UniqueOwner<HICON, &DestroyIcon>;
using UniqueModule = UniqueOwner<HMODULE, &FreeLibrary>;
using UniqueAccel = UniqueOwner<HACCEL, &DestroyAcceleratorTable>;
using UniqueMenu = UniqueOwner<HMENU, &DestroyMenu>;
using UniqueFile = UniqueOwner<HANDLE, &CloseHandle, true>;
using UniqueFind = UniqueOwner<HANDLE, &FindClose, true>;

// A device context taken with GetDC and given back with ReleaseDC; a null window is the screen.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A GDI object selected into a DC, the previous one put back on scope exit.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_)
            SelectObject(dc_, previous_);
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

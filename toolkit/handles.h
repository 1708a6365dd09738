// Move-only owners for the Win32 handles the program releases.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace handles_detail {
template <auto Release> struct Releaser {
    template <typename T> void operator()(T handle) const noexcept { Release(handle); }
};
template <typename Handle, auto Release>
using Owner = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser<Release>>;

inline void CloseFind(HANDLE h) noexcept {
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
}
inline void CloseFile(HANDLE h) noexcept {
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
}
} // namespace handles_detail

using UniqueHfont = handles_detail::Owner<HFONT, &DeleteObject>;
using UniqueHbrush = handles_detail::Owner<HBRUSH, &DeleteObject>;
using UniqueHmodule = handles_detail::Owner<HMODULE, &FreeLibrary>;
using UniqueHaccel = handles_detail::Owner<HACCEL, &DestroyAcceleratorTable>;
using UniqueHandle = handles_detail::Owner<HANDLE, &CloseHandle>;

// Handles whose invalid value is INVALID_HANDLE_VALUE rather than null.
class UniqueFindHandle {
  public:
    explicit UniqueFindHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
    UniqueFindHandle(UniqueFindHandle&& o) noexcept : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
    UniqueFindHandle& operator=(UniqueFindHandle&& o) noexcept {
        std::swap(h_, o.h_);
        return *this;
    }
    UniqueFindHandle(const UniqueFindHandle&) = delete;
    UniqueFindHandle& operator=(const UniqueFindHandle&) = delete;
    ~UniqueFindHandle() { handles_detail::CloseFind(h_); }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE h_;
};

class UniqueFileHandle {
  public:
    explicit UniqueFileHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
    UniqueFileHandle(UniqueFileHandle&& o) noexcept : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
    UniqueFileHandle& operator=(UniqueFileHandle&& o) noexcept {
        std::swap(h_, o.h_);
        return *this;
    }
    UniqueFileHandle(const UniqueFileHandle&) = delete;
    UniqueFileHandle& operator=(const UniqueFileHandle&) = delete;
    ~UniqueFileHandle() { handles_detail::CloseFile(h_); }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE h_;
};

// A device context taken with GetDC and given back with ReleaseDC.
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

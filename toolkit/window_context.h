// The object a window procedure works on, kept with its window. Header only, so DlgMsgBox.dll
// shares it without linking the toolkit.
#pragma once

#include <windows.h>

// Handed over as the creation parameter, kept with the window from WM_NCCREATE on and given back
// for every later message; null for a message that comes before WM_NCCREATE.
template <typename Object> Object* BoundObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// A window procedure that hands every message after WM_NCCREATE to handle, with the object bound
// to the window; nothing thrown unwinds through the system's dispatcher.
template <typename Object, LRESULT (*Handle)(HWND, Object&, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (Object* object = BoundObject<Object>(window, message, lParam))
            return Handle(window, *object, message, wParam, lParam);
    } catch (...) {
        // Default processing instead.
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

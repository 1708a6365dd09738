#include "disabled_windows.h"

namespace dlgmsgbox {
namespace {

// Each disabled window carries the box that disabled it, so nested boxes each restore only
// their own windows and a window created meanwhile is never touched.
constexpr wchar_t kDisabledBy[] = L"DlgMsgBox.DisabledBy";

HANDLE Mark(LPARAM box) {
    return reinterpret_cast<HANDLE>(box);
}

BOOL CALLBACK DisableWindow(HWND window, LPARAM box) {
    if (window != reinterpret_cast<HWND>(box) && IsWindowEnabled(window) &&
        SetPropW(window, kDisabledBy, Mark(box)))
        EnableWindow(window, FALSE);
    return TRUE;
}

BOOL CALLBACK EnableWindowAgain(HWND window, LPARAM box) {
    if (GetPropW(window, kDisabledBy) == Mark(box)) {
        RemovePropW(window, kDisabledBy);
        EnableWindow(window, TRUE);
    }
    return TRUE;
}

} // namespace

DisabledWindows::DisabledWindows(HWND box, HWND owner, bool taskModal)
    : box_(box), owner_(owner), taskModal_(taskModal) {
    const auto mark = reinterpret_cast<LPARAM>(box_);
    if (taskModal_)
        EnumThreadWindows(GetCurrentThreadId(), DisableWindow, mark);
    else if (owner_)
        DisableWindow(owner_, mark);
}

DisabledWindows::~DisabledWindows() {
    const auto mark = reinterpret_cast<LPARAM>(box_);
    if (taskModal_)
        EnumThreadWindows(GetCurrentThreadId(), EnableWindowAgain, mark);
    else if (owner_ && IsWindow(owner_))
        EnableWindowAgain(owner_, mark);
}

} // namespace dlgmsgbox

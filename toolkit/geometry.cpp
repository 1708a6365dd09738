#include "geometry.h"

#include "placement.h"
#include "scaling.h"
#include "work_areas.h"

namespace {

// A menu bar may wrap onto several lines, which AdjustWindowRectEx does not know.
void AddWrappedMenuHeight(HWND window, RECT& frame) {
    RECT probe = frame;
    probe.bottom = 0x7FFF;
    SendMessageW(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&probe));
    frame.bottom += probe.top;
}

} // namespace

BOOL SetClientSize(HWND window, int width, int height, float ratioX, float ratioY) {
    RECT frame{};
    SetRect(&frame, 0, 0, ScaleValue(width, ratioX), ScaleValue(height, ratioY));
    const bool hasMenu = GetMenu(window) != nullptr;
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    AdjustWindowRectEx(&frame, style, hasMenu, exStyle);
    if (hasMenu)
        AddWrappedMenuHeight(window, frame);
    if (style & WS_HSCROLL)
        frame.bottom += GetSystemMetrics(SM_CYHSCROLL);
    if (style & WS_VSCROLL)
        frame.right += GetSystemMetrics(SM_CXVSCROLL);
    return SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CenterWindow(HWND window, HWND reference) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const ScreenRect work = PrimaryWorkArea();
    ScreenRect target = work;
    if (RECT r{}; reference && GetWindowRect(reference, &r))
        target = ToScreenRect(r);
    const ScreenPoint place = CentredPosition(ToScreenRect(bounds), target, work);
    POINT position{place.x, place.y};
    if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)
        ScreenToClient(reference, &position);
    // Windows are centred before they show, and showing them activates them.
    return SetWindowPos(window, nullptr, position.x, position.y, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string_view>

#include "control_kinds.h"
#include "number_reader.h"
#include "scaling.h"
#include "window_object.h"

namespace {

// The class name a row names, or the keyword as the caller wrote it, cut to the buffer.
void ComposeClassName(const ControlKind& kind, const wchar_t* keyword,
                      wchar_t (&className)[kClassNameUnits]) {
    if (kind.className.empty()) {
        std::wcsncpy(className, keyword, kClassNameUnits - 1);
        className[kClassNameUnits - 1] = L'\0';
        return;
    }
    const auto end = std::copy(kind.className.begin(), kind.className.end(), className);
    *end = L'\0';
}

void SetProgressRange(HWND control) {
    SendMessageW(control, PBM_SETRANGE32, 0, 100);
    SendMessageW(control, PBM_SETPOS, 0, 0);
}

void SetTrackbarRange(HWND control) {
    SendMessageW(control, TBM_SETRANGEMIN, TRUE, 0);
    SendMessageW(control, TBM_SETRANGEMAX, TRUE, 100);
    SendMessageW(control, TBM_SETPAGESIZE, 0, 10);
}

void SetUpDownRange(HWND control) {
    SendMessageW(control, UDM_SETBASE, 10, 0);
    SendMessageW(control, UDM_SETRANGE32, 100, 0);
    SendMessageW(control, UDM_SETPOS32, 0, 0);
}

void SetScrollRange(HWND control) {
    SCROLLINFO range{};
    range.cbSize = sizeof(range);
    range.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    range.nMax = 100;
    SetScrollInfo(control, SB_CTL, &range, TRUE);
}

void ScaleToolbarButtons(HWND control, float ratioX, float ratioY) {
    const auto size = static_cast<DWORD>(SendMessageW(control, TB_GETBUTTONSIZE, 0, 0));
    const int width = ScaleValue(LOWORD(size), ratioX);
    const int height = ScaleValue(HIWORD(size), ratioY);
    SendMessageW(control, TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
    // 20 bytes in the 32-bit product; the 64-bit record is larger.
    SendMessageW(control, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
}

// The image a text names ("#101" or a resource name), attached with the row's message.
void AttachImage(HWND control, HINSTANCE module, const wchar_t* text, ImageKind kind,
                 UINT setImageMessage) {
    const std::wstring_view name = text ? text : L"";
    const auto number = ImageResourceNumber(name);
    const UINT type = kind == ImageKind::Bitmap ? IMAGE_BITMAP : IMAGE_ICON;
    HANDLE image = LoadImageW(module, number ? MAKEINTRESOURCEW(*number) : name.data(), type, 0, 0,
                              LR_DEFAULTCOLOR);
    if (image)
        SendMessageW(control, setImageMessage, type, reinterpret_cast<LPARAM>(image));
}

} // namespace

bool WindowObject::SetWindowPosScaled(HWND window, int x, int y, int width, int height) const {
    return SetWindowPos(window, nullptr, ScaleValue(x, ratioX), ScaleValue(y, ratioY),
                        ScaleValue(width, ratioX), ScaleValue(height, ratioY),
                        SWP_NOZORDER) != FALSE;
}

void WindowObject::SetUpBefore(const ControlKind& kind, ControlSpec& geometry) {
    switch (kind.before) {
    case SetupBefore::PlaceInCorner: {
        // The grip sits in the object's own window whatever parent it was given.
        RECT client{};
        GetClientRect(hWindow, &client);
        geometry.width = GetSystemMetrics(SM_CXVSCROLL);
        geometry.height = GetSystemMetrics(SM_CYHSCROLL);
        geometry.x = UnscaleValue(client.right, ratioX) - geometry.width;
        geometry.y = UnscaleValue(client.bottom, ratioY) - geometry.height;
        break;
    }
    case SetupBefore::LoadRichEditLib:
        hRichEditLib_.reset(LoadLibraryW(L"MSFTEDIT.DLL"));
        break;
    case SetupBefore::None:
        break;
    }
}

void WindowObject::SetUpAfter(const ControlKind& kind, HWND control,
                              const ControlSpec& spec) const {
    switch (kind.after) {
    case SetupAfter::Reposition:
        SetWindowPosScaled(control, spec.x, spec.y, spec.width, spec.height);
        break;
    case SetupAfter::CalendarFont:
        if (hFont_)
            SendMessageW(control, DTM_SETMCFONT, reinterpret_cast<WPARAM>(hFont_.get()), TRUE);
        break;
    case SetupAfter::ProgressRange:
        SetProgressRange(control);
        break;
    case SetupAfter::TrackbarRange:
        SetTrackbarRange(control);
        break;
    case SetupAfter::UpDownRange:
        SetUpDownRange(control);
        SetWindowPosScaled(control, spec.x, spec.y, spec.width, spec.height);
        break;
    case SetupAfter::ScrollRange:
        SetScrollRange(control);
        break;
    case SetupAfter::ToolbarButtonSize:
        ScaleToolbarButtons(control, ratioX, ratioY);
        break;
    case SetupAfter::LabelImage:
        AttachImage(control, hInstance, spec.text, kind.image, STM_SETIMAGE);
        break;
    case SetupAfter::ButtonImage:
        AttachImage(control, hInstance, spec.text, kind.image, BM_SETIMAGE);
        break;
    case SetupAfter::None:
        break;
    }
}

HWND WindowObject::AddControl(const ControlSpec& spec) {
    if (!spec.keyword || spec.keyword[0] == L'\0')
        return nullptr;
    const ControlKind& kind = FindControlKind(spec.keyword);
    wchar_t className[kClassNameUnits];
    ComposeClassName(kind, spec.keyword, className);
    ControlSpec placed = spec;
    SetUpBefore(kind, placed);
    HWND control =
        CreateWindowExW(ResolveExStyle(kind, spec.exStyle), className, spec.text,
                        ResolveStyle(kind, spec.style), ScaleValue(placed.x, ratioX),
                        ScaleValue(placed.y, ratioY), ScaleValue(placed.width, ratioX),
                        ScaleValue(placed.height, ratioY), spec.parent ? spec.parent : hWindow,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), hInstance, nullptr);
    if (!control)
        return nullptr;
    if (kind.takesFont && hFont_)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(hFont_.get()), TRUE);
    SetUpAfter(kind, control, spec);
    return control;
}

#include "show_message.h"

namespace {

// The values every caller passes; the library reads them through pointers.
constexpr std::int32_t kButtonPoints = 10;
constexpr wchar_t kFontFace[] = L"Segoe UI";
constexpr std::int32_t kReserved = 0;
constexpr std::int32_t kColour = 0x98D3FF; // COLORREF: red 255, green 211, blue 152

} // namespace

void ShowMessage(const MessageRequest& request, DlgMsgBoxFunction show) {
    HWND owner = request.owner;
    const std::int32_t style = request.style;
    const std::int32_t fontSize = request.fontSize;
    show(&owner, request.text, request.caption, &style, &kButtonPoints, kFontFace, &fontSize,
         &kReserved, &kColour);
}

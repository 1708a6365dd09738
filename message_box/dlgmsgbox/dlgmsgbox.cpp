#include "dlgmsgbox.h"

#include "box_window.h"

namespace {

std::int32_t ValueOr(const std::int32_t* value, std::int32_t fallback) {
    return value ? *value : fallback;
}

const wchar_t* TextOr(const wchar_t* text) {
    return text ? text : L"";
}

} // namespace

// Argument 5 sizes the OK button's font; argument 8 has no meaning yet and is not read.
extern "C" std::int32_t __stdcall DLGMSGBOX(HWND* owner, const wchar_t* text,
                                            const wchar_t* caption, const std::int32_t* style,
                                            const std::int32_t* buttonPoints,
                                            const wchar_t* fontFace, const std::int32_t* fontPoints,
                                            const std::int32_t*, const std::int32_t* colour) {
    dlgmsgbox::BoxRequest request;
    request.owner = owner ? *owner : nullptr;
    request.text = TextOr(text);
    request.caption = TextOr(caption);
    request.style = static_cast<UINT>(ValueOr(style, 0));
    request.buttonPoints = ValueOr(buttonPoints, 0);
    request.fontFace = TextOr(fontFace);
    request.fontPoints = ValueOr(fontPoints, 0);
    request.colour = static_cast<COLORREF>(ValueOr(colour, 0xFFFFFF));
    dlgmsgbox::ShowBox(request);
    return IDOK;
}

#include "program_messages.h"

#include "program_state.h"

void EndMainLoopIfWindowGone() {
    const HWND main = Program().mainWindowHandle;
    if (main != nullptr && !IsWindow(main))
        PostQuitMessage(0);
}

void ShowProgramMessage(const wchar_t* text, BoxCaption caption) {
    ShowMessage({.owner = Program().mainWindowHandle,
                 .text = text,
                 .caption = caption == BoxCaption::Mwk ? L"MWK" : L"MWK III",
                 .style = kStyleWarning,
                 .fontSize = Program().messageBoxSize});
    EndMainLoopIfWindowGone();
}

void ShowEarlyMessage(const wchar_t* text, std::int32_t style, std::int32_t fontSize) {
    ShowMessage({.owner = nullptr, .text = text, .style = style, .fontSize = fontSize});
}

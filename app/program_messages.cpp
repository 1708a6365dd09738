#include "program_messages.h"

void EndMainLoopIfWindowGone(HWND main) {
    if (main != nullptr && !IsWindow(main))
        PostQuitMessage(0);
}

void ShowProgramMessage(const ProgramState& program, const wchar_t* text, BoxCaption caption) {
    const HWND main = program.mainWindow.hWindow;
    ShowMessage({.owner = main,
                 .text = text,
                 .caption = caption == BoxCaption::Mwk ? L"MWK" : L"MWK III",
                 .style = kStyleWarning,
                 .fontSize = program.messageBoxSize});
    EndMainLoopIfWindowGone(main);
}

void ShowEarlyMessage(const wchar_t* text, std::int32_t style, std::int32_t fontSize) {
    ShowMessage({.owner = nullptr, .text = text, .style = style, .fontSize = fontSize});
}

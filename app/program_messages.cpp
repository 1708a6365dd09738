#include "program_messages.h"

namespace {

const wchar_t* TextOf(Message message) {
    switch (message) {
    case Message::NoPresetMatch:
        return L"No preset match.";
    case Message::StoredValueEmpty:
        return L"'CompilerSwitches' in WinFBE.ini is empty.";
    case Message::NoPresetSelected:
        return L"No valid radio button has been selected.";
    case Message::ApplyFailed:
        return L"Error1";
    case Message::EditFailed:
        return L"Error2";
    case Message::ClearFailed:
        return L"Error3";
    case Message::UndoFailed:
        break;
    }
    return L"Error4";
}

} // namespace

void EndMainLoopIfWindowGone(HWND main) {
    if (main != nullptr && !IsWindow(main))
        PostQuitMessage(0);
}

void ShowProgramMessage(HWND owner, std::int32_t size, const wchar_t* text,
                        const wchar_t* caption) {
    ShowMessage({.owner = owner,
                 .text = text,
                 .caption = caption,
                 .style = kStyleWarning,
                 .fontSize = size});
    EndMainLoopIfWindowGone(owner);
}

void ShowSessionMessage(HWND owner, std::int32_t size, Message message) {
    ShowProgramMessage(owner, size, TextOf(message),
                       message == Message::NoPresetMatch ? L"MWK" : L"MWK III");
}

void ShowEarlyMessage(const wchar_t* text, std::int32_t style, std::int32_t fontSize) {
    ShowMessage({.owner = nullptr, .text = text, .style = style, .fontSize = fontSize});
}

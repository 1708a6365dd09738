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
        return L"Error4";
    case Message::ToolchainFailed:
        return L"Error5";
    case Message::KeepNotComposed:
        return L"'CompilerSwitches' does not start with the switches Console and -exx give.";
    case Message::KeepAlreadyPreset:
        return L"'CompilerSwitches' is a preset already.";
    case Message::KeepFileFull:
        return L"MarlwickIII.ini holds 32 presets already.";
    case Message::KeepNoItem:
        return L"'CompilerSwitches' cannot be written as a preset.";
    case Message::StoredValueUnreadable:
        return L"'CompilerSwitches' in WinFBE.ini cannot be read.";
    case Message::KeepNotWritten:
        break;
    }
    return L"MarlwickIII.ini cannot be written.";
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

void ShowCommandsMessage(HWND owner, std::int32_t size) {
    ShowMessage({.owner = owner,
                 .text = L"MarlwickIII.exe takes one of these commands, which the copy that runs "
                         L"carries out:\n\n"
                         L"/apply N\tapply preset N, 1 being the first\n"
                         L"/apply \"TEXT\"\tapply the preset whose text is TEXT\n"
                         L"/console on|off, /exx on|off\n"
                         L"\tset the checkbox first, then apply; alone, apply the option "
                         L"selected\n"
                         L"/undo, /redo\tas Ctrl+Z and Ctrl+Y\n"
                         L"/toolchain NAME\tpick the toolchain folder NAME",
                 .fontSize = size});
}

void ShowEarlyMessage(const wchar_t* text, std::int32_t style, std::int32_t fontSize) {
    ShowMessage({.owner = nullptr, .text = text, .style = style, .fontSize = fontSize});
}

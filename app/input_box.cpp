#include "input_box.h"

#include <algorithm>
#include <array>
#include <string>

#include "control_ids.h"
#include "geometry.h"
#include "message_loop.h"
#include "option_column.h"
#include "presets.h"
#include "program_messages.h"
#include "settings_files.h"
#include "undo_command.h"
#include "window_context.h"

namespace {

// What the field takes at the least; a longer stored value raises it, so OK never cuts one.
constexpr int kTypingLimit = 2048;
constexpr UINT kSystemOkString = 800;
constexpr UINT kSystemCancelString = 801;

// One Edit box: its window and what the user confirmed in it, which its procedure finds bound
// to the window.
struct InputBox {
    WindowObject window;
    DynamicWideString result;
};

void UseSystemButtonWord(HWND button, UINT stringId) {
    std::array<wchar_t, 260> word{};
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const int length = LoadStringW(user32, stringId, word.data(), static_cast<int>(word.size()));
    if (length == 0)
        return;
    const std::wstring caption = (L"&" + std::wstring(word.data(), length)).substr(0, 259);
    SetWindowTextW(button, caption.c_str());
}

HWND BuildBox(InputBox& input, HWND main) {
    WindowObject& box = input.window;
    const HWND window = box.Create({.parent = main,
                                    .caption = L"MWK III - Edit",
                                    .windowProc = InputBoxProc,
                                    .x = 0,
                                    .y = 0,
                                    .width = 326,
                                    .height = 142,
                                    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                    .exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME,
                                    .context = &input});
    if (window == nullptr)
        return nullptr;
    CenterWindow(window, main);
    box.AddControl({.keyword = L"Label",
                    .id = -1,
                    .text = L"Additional compiler option switches (optional)",
                    .x = 21,
                    .y = 10,
                    .width = 280,
                    .height = 19});
    box.AddControl({.keyword = L"Edit",
                    .id = kEditFieldId,
                    .x = 21,
                    .y = 33,
                    .width = 280,
                    .height = 19,
                    .style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL});
    const HWND ok = box.AddControl({.keyword = L"Button",
                                    .id = IDOK,
                                    .text = L"&Ok",
                                    .x = 21,
                                    .y = 72,
                                    .width = 75,
                                    .height = 22});
    const HWND cancel = box.AddControl({.keyword = L"Button",
                                        .id = IDCANCEL,
                                        .text = L"&Cancel",
                                        .x = 226,
                                        .y = 72,
                                        .width = 75,
                                        .height = 22});
    UseSystemButtonWord(ok, kSystemOkString);
    UseSystemButtonWord(cancel, kSystemCancelString);
    return window;
}

void FillField(HWND box, const DynamicWideString& value) {
    const HWND field = GetDlgItem(box, kEditFieldId);
    const auto units = static_cast<int>(value.length() / 2);
    SendMessageW(field, EM_LIMITTEXT, std::max(kTypingLimit, units), 0);
    SetWindowTextW(field, value.data());
    SendMessageW(field, EM_SETSEL, 0, -1);
    SetFocus(field);
}

// Runs the box and gives what the user confirmed, empty for Cancel and close.
DynamicWideString AskForValue(HWND main, const DynamicWideString& current) {
    InputBox box;
    if (const HWND window = BuildBox(box, main))
        FillField(window, current);
    box.window.RunMessageLoop(0);
    EnableWindow(main, TRUE);
    return box.result;
}

// The option start-up would select for the value once written.
void SelectPresetMatching(HWND main, const ProgramState& program, const DynamicWideString& value) {
    SelectPresetOption(main, program.PresetCount(),
                       FindPresetForSwitches(StoredFormOf(value.view()), program.presetTexts));
}

void CopyFieldToResult(HWND box, DynamicWideString& result) {
    const HWND field = GetDlgItem(box, kEditFieldId);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    result.Clear();
    result.AppendText(text);
}

LRESULT HandleBoxMessage(HWND box, InputBox& input, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        EnableWindow(GetParent(box), FALSE);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK || HIWORD(wParam) != 0)
            break;
        CopyFieldToResult(box, input.result);
        SendMessageW(box, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        EnableWindow(GetParent(box), TRUE);
        break;
    default:
        break;
    }
    // Cancel and the system Close command close the box; its destruction ends its loop.
    return DefaultWindowProc(box, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK InputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    return ObjectWindowProc<InputBox, HandleBoxMessage>(box, message, wParam, lParam);
}

bool EditCompilerSwitches(HWND main, ProgramState& program) {
    MessageBoxOpenGuard open(program.messageBoxOpen);
    // Read whole: the field must never offer less than is stored, or OK would cut the value.
    const DynamicWideString current(
        ReadCompilerIniValueWide(program.winFbeIniPath, L"CompilerSwitches"));
    const DynamicWideString value = AskForValue(main, current);
    EndMainLoopIfWindowGone(main);
    if (!IsWindow(main) || value.view().empty())
        return false;
    if (WriteCompilerSwitches(program.winFbeIniPath, value.data()))
        NoteOwnWrite(main, program, std::wstring(current.view()), value.view());
    else
        ShowProgramMessage(program, L"Error2");
    SelectPresetMatching(main, program, value);
    return true;
}

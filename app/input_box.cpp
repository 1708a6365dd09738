#include "input_box.h"

#include <algorithm>
#include <array>
#include <string>

#include "control_ids.h"
#include "geometry.h"
#include "message_loop.h"
#include "presets.h"
#include "program_messages.h"
#include "program_state.h"
#include "settings_files.h"
#include "window_object.h"

namespace {

// What the field takes at the least; a longer stored value raises it, so OK never cuts one.
constexpr int kTypingLimit = 2048;
constexpr UINT kSystemOkString = 800;
constexpr UINT kSystemCancelString = 801;

DynamicWideString* resultBuffer = nullptr; // the open box's result; the next box replaces it

void UseSystemButtonWord(HWND button, UINT stringId) {
    std::array<wchar_t, 260> word{};
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const int length = LoadStringW(user32, stringId, word.data(), static_cast<int>(word.size()));
    if (length == 0)
        return;
    const std::wstring caption = (L"&" + std::wstring(word.data(), length)).substr(0, 259);
    SetWindowTextW(button, caption.c_str());
}

HWND BuildBox(WindowObject& box, HWND main) {
    const HWND window = box.Create({.parent = main,
                                    .caption = L"MWK III - Edit",
                                    .windowProc = InputBoxProc,
                                    .x = 0,
                                    .y = 0,
                                    .width = 326,
                                    .height = 142,
                                    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                    .exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME});
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
    DynamicWideString result;
    WindowObject box;
    const HWND window = BuildBox(box, main);
    if (window != nullptr) {
        FillField(window, current);
        SendMessageW(window, kSetResultBufferMessage, reinterpret_cast<WPARAM>(&result), 0);
    }
    box.RunMessageLoop(0);
    EnableWindow(main, TRUE);
    return result;
}

// The option start-up would select for the value once written.
void SelectPresetMatching(HWND main, const DynamicWideString& value) {
    ProgramState& p = Program();
    const auto match = FindPresetForSwitches(StoredFormOf(value.view()), p.presetTexts);
    SelectOption(main, match ? OptionIdOfPreset(*match) : p.NoPresetOptionId());
}

void CopyFieldToResult(HWND box) {
    if (resultBuffer == nullptr)
        return;
    const HWND field = GetDlgItem(box, kEditFieldId);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    resultBuffer->Clear();
    resultBuffer->AppendText(text);
}

LRESULT HandleBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        EnableWindow(GetParent(box), FALSE);
        return 0;
    case kSetResultBufferMessage:
        if (wParam == 0)
            break;
        resultBuffer = reinterpret_cast<DynamicWideString*>(wParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK || HIWORD(wParam) != 0)
            break;
        CopyFieldToResult(box);
        SendMessageW(box, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        EnableWindow(GetParent(box), TRUE);
        break;
    case WM_DESTROY:
        resultBuffer = nullptr;
        break;
    default:
        break;
    }
    // Cancel and the system Close command close the box; its destruction ends its loop.
    return DefaultWindowProc(box, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK InputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleBoxMessage(box, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(box, message, wParam, lParam);
    }
}

bool EditCompilerSwitches(HWND main) {
    ProgramState& p = Program();
    MessageBoxOpenGuard open(p.messageBoxOpen);
    // Read whole: the field must never offer less than is stored, or OK would cut the value.
    const DynamicWideString current(ReadCompilerIniValueWide(p.winFbeIniPath, L"CompilerSwitches"));
    const DynamicWideString value = AskForValue(main, current);
    EndMainLoopIfWindowGone();
    if (!IsWindow(main) || value.view().empty())
        return false;
    if (WriteCompilerSwitches(p.winFbeIniPath, value.data()))
        NoteWrittenSwitches(p, value.view());
    else
        ShowProgramMessage(L"Error2");
    SelectPresetMatching(main, value);
    return true;
}

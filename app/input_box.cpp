#include "input_box.h"

#include <array>
#include <string>

#include "geometry.h"
#include "presets.h"
#include "program_messages.h"
#include "program_state.h"
#include "settings_files.h"
#include "text_conversion.h"
#include "window_object.h"

namespace {

// The longest value the box takes; the IDE's own values are far shorter.
constexpr int kValueLimit = 2048;
constexpr int kFieldId = 101;
constexpr UINT kSystemOkString = 800;
constexpr UINT kSystemCancelString = 801;

using ResultBuffer = std::array<wchar_t, kValueLimit + 1>;
wchar_t* resultBuffer = nullptr; // the open box's result; the next box replaces it

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
                    .id = kFieldId,
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

void FillField(HWND box, const std::wstring& value) {
    const HWND field = GetDlgItem(box, kFieldId);
    SendMessageW(field, EM_LIMITTEXT, kValueLimit, 0);
    SetWindowTextW(field, value.c_str());
    SendMessageW(field, EM_SETSEL, 0, -1);
    SetFocus(field);
}

// Runs the box and gives what the user confirmed, empty for Cancel and close.
std::wstring AskForValue(HWND main, const std::wstring& current) {
    ResultBuffer result{};
    WindowObject box;
    const HWND window = BuildBox(box, main);
    if (window != nullptr) {
        FillField(window, current);
        SendMessageW(window, kSetResultBufferMessage, reinterpret_cast<WPARAM>(result.data()), 0);
    }
    box.RunMessageLoop(0);
    EnableWindow(main, TRUE);
    return std::wstring(result.data());
}

void SelectPresetMatching(HWND main, const std::wstring& value) {
    ProgramState& p = Program();
    // Matching sees the value as the IDE reads it: narrow, at most 511 bytes.
    const std::string narrow = NarrowAnsi(value, kIniValueLimit + 1);
    std::optional<int> match;
    if (narrow.size() <= static_cast<std::size_t>(kIniValueLimit))
        match = FindPresetForSwitches(WidenAnsi(narrow), p.presetTexts);
    SelectOption(main, match ? OptionIdOfPreset(*match) : p.NoPresetOptionId());
}

void CopyFieldToResult(HWND box) {
    if (resultBuffer == nullptr)
        return;
    const HWND field = GetDlgItem(box, kFieldId);
    const auto length = static_cast<int>(SendMessageW(field, WM_GETTEXTLENGTH, 0, 0));
    const int size = (length < kValueLimit ? length : kValueLimit) + 1;
    SendMessageW(field, WM_GETTEXT, size, reinterpret_cast<LPARAM>(resultBuffer));
}

LRESULT HandleBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        EnableWindow(GetParent(box), FALSE);
        return 0;
    case kSetResultBufferMessage:
        if (wParam == 0)
            break;
        resultBuffer = reinterpret_cast<wchar_t*>(wParam);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) != 0 || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL))
            break;
        if (LOWORD(wParam) == IDOK)
            CopyFieldToResult(box);
        SendMessageW(box, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        EnableWindow(GetParent(box), TRUE);
        break;
    case WM_DESTROY:
        resultBuffer = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(box, message, wParam, lParam);
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
    const std::wstring current =
        ReadCompilerIniValueWide(p.winFbeIniPath, L"CompilerSwitches", kValueLimit);
    const std::wstring value = AskForValue(main, current);
    if (!IsWindow(main)) {
        // The IDE went away meanwhile; the box's loop took the quit meant for the main loop.
        PostQuitMessage(0);
        return false;
    }
    if (value.empty())
        return false;
    if (!WriteCompilerSwitches(p.winFbeIniPath, value))
        ShowProgramMessage(L"Error2");
    SelectPresetMatching(main, value);
    return true;
}

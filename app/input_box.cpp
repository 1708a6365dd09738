#include "input_box.h"

#include <algorithm>
#include <array>
#include <string>

#include "control_ids.h"
#include "geometry.h"
#include "window_context.h"
#include "window_object.h"

namespace {

// What the field takes at the least; a longer stored value raises it, so OK never cuts one.
constexpr int kTypingLimit = 2048;
constexpr UINT kSystemOkString = 800;
constexpr UINT kSystemCancelString = 801;

// One Edit box: its window, what the user confirmed in it, whether it has ended and whether its
// window went with the main window's, which its procedure finds bound to the window.
struct InputBox {
    WindowObject window;
    std::wstring result;
    bool ended = false;
    bool gone = false;
};

// The main window takes no input while the box is up, and takes it again before the box goes, so
// that it, not another program, becomes the active window then.
class DisabledOwner {
  public:
    explicit DisabledOwner(HWND owner) : owner_(owner) { EnableWindow(owner_, FALSE); }
    ~DisabledOwner() { EnableWindow(owner_, TRUE); }
    DisabledOwner(const DisabledOwner&) = delete;
    DisabledOwner& operator=(const DisabledOwner&) = delete;

  private:
    HWND owner_;
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

void FillField(HWND box, const std::wstring& value) {
    const HWND field = GetDlgItem(box, kEditFieldId);
    SendMessageW(field, EM_LIMITTEXT, std::max(kTypingLimit, static_cast<int>(value.size())), 0);
    SetWindowTextW(field, value.c_str());
    SendMessageW(field, EM_SETSEL, 0, -1);
    SetFocus(field);
}

void CopyFieldToResult(HWND box, std::wstring& result) {
    const HWND field = GetDlgItem(box, kEditFieldId);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    result = std::move(text);
}

// Ends the box's loop; posted to, so that a loop waiting for messages sees it.
void End(HWND box, InputBox& input) {
    input.ended = true;
    PostMessageW(box, WM_NULL, 0, 0);
}

// OK, Cancel (Escape) and the caption's close button end the box; so does its destruction with
// the main window, when the IDE closes meanwhile.
LRESULT HandleBoxMessage(HWND box, InputBox& input, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != 0 || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL))
            break;
        if (LOWORD(wParam) == IDOK)
            CopyFieldToResult(box, input.result);
        End(box, input);
        return 0;
    case WM_CLOSE:
        End(box, input);
        return 0;
    case WM_NCDESTROY:
        input.ended = input.gone = true;
        break;
    default:
        break;
    }
    return DefWindowProcW(box, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK InputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    return ObjectWindowProc<InputBox, HandleBoxMessage>(box, message, wParam, lParam);
}

std::wstring AskForSwitches(HWND main, const std::wstring& current) {
    InputBox box;
    {
        const DisabledOwner disabled(main);
        if (const HWND window = BuildBox(box, main)) {
            FillField(window, current);
            box.window.RunModalLoop(box.ended);
        }
    }
    if (!box.gone)
        DestroyWindow(box.window.hWindow);
    return box.result;
}

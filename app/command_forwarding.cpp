#include "command_forwarding.h"

namespace {

// A copy that has just started may not have made its window yet.
constexpr DWORD kWindowWaitMs = 10000;
constexpr UINT kAnswerWaitMs = 60000;

BOOL CALLBACK FindCommandWindow(HWND window, LPARAM found) {
    if (!GetPropW(window, kCommandWindowProperty))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND CommandWindow() {
    HWND window = nullptr;
    EnumWindows(FindCommandWindow, reinterpret_cast<LPARAM>(&window));
    return window;
}

} // namespace

CommandAnswer ForwardCommand(const std::vector<std::wstring>& arguments) {
    HWND window = CommandWindow();
    for (const DWORD start = GetTickCount(); !window && GetTickCount() - start < kWindowWaitMs;
         window = CommandWindow())
        Sleep(50);
    std::wstring data;
    for (const std::wstring& argument : arguments)
        data.append(argument).push_back(L'\0');
    COPYDATASTRUCT request{kCommandData, static_cast<DWORD>(data.size() * sizeof(wchar_t)),
                           data.data()};
    DWORD_PTR answer = 0;
    if (!window ||
        !SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&request),
                             SMTO_NORMAL, kAnswerWaitMs, &answer) ||
        answer > static_cast<DWORD_PTR>(CommandAnswer::Refused))
        return CommandAnswer::Refused;
    return static_cast<CommandAnswer>(answer);
}

std::vector<std::wstring> ForwardedArguments(const COPYDATASTRUCT& data) {
    const std::wstring_view text(static_cast<const wchar_t*>(data.lpData),
                                 data.cbData / sizeof(wchar_t));
    std::vector<std::wstring> arguments;
    for (std::size_t at = 0, end; (end = text.find(L'\0', at)) != std::wstring_view::npos;
         at = end + 1)
        arguments.emplace_back(text.substr(at, end - at));
    return arguments;
}

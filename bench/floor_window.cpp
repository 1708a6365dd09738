// The floor of the start-up benchmark: Marlwick's window as cheaply as it can be had. The same
// top-level styles, manifest and font, one group box, the radio options (their number is the
// first argument), two checkboxes, five buttons and a status bar; common controls initialised;
// the first option selected, as Marlwick always selects one (a second argument "unselected"
// leaves them all clear). Nothing is read, measured or loaded beyond that, and the positions
// are fixed.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

namespace {

constexpr DWORD kMainStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kMainExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void AddChild(HWND parent, HFONT font, const wchar_t* className, const wchar_t* text, DWORD style,
              int id, int x, int y, int width, int height) {
    const HWND child = CreateWindowExW(
        0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
}

void AddControls(HWND main, HFONT font, int optionCount) {
    const int groupHeight = 24 + optionCount * 20;
    AddChild(main, font, WC_BUTTONW, L"Select switches", BS_GROUPBOX, 1000, 8, 4, 220, groupHeight);
    for (int i = 0; i < optionCount; ++i)
        AddChild(main, font, WC_BUTTONW, L"Preset", BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0),
                 1001 + i, 16, 20 + i * 20, 200, 18);
    const int below = groupHeight + 10;
    AddChild(main, font, WC_BUTTONW, L"Console", BS_AUTOCHECKBOX | WS_TABSTOP, 1110, 16, below, 90,
             18);
    AddChild(main, font, WC_BUTTONW, L"-exx", BS_AUTOCHECKBOX | WS_TABSTOP, 1100, 120, below, 90,
             18);
    const wchar_t* buttons[] = {L"Apply", L"Edit", L"Clear", L"Build Configurations...",
                                L"Compiler Setup"};
    for (int i = 0; i < 5; ++i)
        AddChild(main, font, WC_BUTTONW, buttons[i], BS_PUSHBUTTON | WS_TABSTOP, 1102 + i, 16,
                 below + 24 + i * 28, 200, 24);
    CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", main, 200);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    wchar_t* rest = nullptr;
    const int optionCount = static_cast<int>(std::wcstol(commandLine, &rest, 10));
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), 0x7FFF};
    InitCommonControlsEx(&classes);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = FloorProc;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BenchFloorWindow";
    RegisterClassExW(&windowClass);

    LOGFONTW logFont{};
    logFont.lfHeight = -11;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfOutPrecision = OUT_TT_PRECIS;
    std::wcscpy(logFont.lfFaceName, L"Tahoma");
    const HFONT font = CreateFontIndirectW(&logFont);

    const HWND main =
        CreateWindowExW(kMainExStyle, L"BenchFloorWindow", L"MWK III", kMainStyle, 100, 100, 240,
                        260 + optionCount * 20, nullptr, nullptr, instance, nullptr);
    SendMessageW(main, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    AddControls(main, font, optionCount);
    if (!std::wcsstr(rest, L"unselected"))
        CheckRadioButton(main, 1001, 1000 + optionCount, 1001);
    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(main, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
